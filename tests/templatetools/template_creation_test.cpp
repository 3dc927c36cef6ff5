// "Create": the columns written for no, some and all ticks, the question before a filled template
// is replaced, the messages, and the rule that a template made with every column ticked passes the
// import's structure check.

#include "templatetools/template_creation.h"

#include <gtest/gtest.h>

#include <fstream>

#include "importing/import_options.h"
#include "importing/import_run.h"
#include "templates/structure_check.h"
#include "templates/template_files.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/work_areas.h"

namespace tarvo::templatetools {
namespace {

using xbase::FieldInfo;

class TemplateCreationTest : public ::testing::Test {
protected:
    void SetUp() override { xbase::applyStartupSettings(); }
    void TearDown() override { xbase::workAreas().closeAll(); }

    std::string folder() const { return dir.path().string() + "/"; }
    const CataloguePage& page(const char* name) const { return *findCataloguePage(name); }
    std::vector<FieldInfo> structureOf(const std::string& file) const {
        return xbase::Table::open(dir.path() / file, {})->structure();
    }
    std::vector<bool> allTicked(const CataloguePage& p) const { return std::vector<bool>(p.rows.size(), true); }
    void fill(const std::string& file, int records) {
        auto table = xbase::Table::open(dir.path() / file, {});
        for (int i = 0; i < records; ++i) table->append();
        table->commit();
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(TemplateCreationTest, WithoutTicksWritesExactlyTheMandatoryColumns) {
    EXPECT_EQ(createTemplate(nullptr, folder(), page("ITEM"), {}), CreateOutcome::Created);
    EXPECT_EQ(structureOf("ITEM.DBF"), (std::vector<FieldInfo>{{"KODE", 'C', 20, 0}, {"NAMA", 'C', 100, 0}}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "info");
    EXPECT_EQ(ui.messages[0].title, "Berhasil");
    EXPECT_EQ(ui.messages[0].text, "File : " + folder() + "ITEM.DBF berhasil dibuat !");
}

TEST_F(TemplateCreationTest, TickedColumnsFollowInListOrderWhateverOrderTheyWereTicked) {
    const CataloguePage& sales = page("SALES");
    const std::vector<bool> ticked = ticksForColumns(sales, {"catatan", "ALAMAT"});
    EXPECT_EQ(createdRows(sales, ticked), (std::vector<int>{0, 1, 2, 4}));
    ASSERT_EQ(createTemplate(nullptr, folder(), sales, ticked), CreateOutcome::Created);
    EXPECT_EQ(structureOf("SALES.DBF"), (std::vector<FieldInfo>{{"KODE", 'C', 30, 0},
                                                                 {"NAMA", 'C', 30, 0},
                                                                 {"ALAMAT", 'C', 100, 0},
                                                                 {"CATATAN", 'C', 30, 0}}));
    std::vector<std::string> unknown;
    ticksForColumns(sales, {"TELEPON", "KOTA", "x"}, &unknown);
    EXPECT_EQ(unknown, (std::vector<std::string>{"KOTA", "x"}));
}

// No column to write: said at once, before the question about a filled file, and nothing is written.
TEST_F(TemplateCreationTest, APageWithoutMandatoryColumnsAndNoTicksSaysSoAndWritesNothing) {
    EXPECT_EQ(createTemplate(nullptr, folder(), page("PEMBEL"), {}), CreateOutcome::NoColumns);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "error");
    EXPECT_EQ(ui.messages[0].text, "Belum ada kolom yang dipilih! File : " + folder() + "PEMBEL.DBF tidak dibuat.");
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "PEMBEL.DBF"));

    ASSERT_TRUE(retaildb::VOCreate(nullptr, folder() + "PEMBEL.DBF", {retaildb::structureField("NO", "C", 5, 0)}));
    fill("PEMBEL.DBF", 2);
    const auto before = test::fileContents(dir.path());
    ui.messages.clear();
    EXPECT_EQ(createTemplate(nullptr, folder(), page("PEMBEL"), {}), CreateOutcome::NoColumns);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "error");
    EXPECT_EQ(test::fileContents(dir.path()), before);
}

TEST_F(TemplateCreationTest, AFilledTemplateIsReplacedOnlyWhenTheUserAgrees) {
    const CataloguePage& item = page("ITEM");
    for (const std::string name : {"ITEM.DBF", "item.dbf"}) {
        SCOPED_TRACE(name);
        test::TempDir other;
        const std::string where = other.path().string() + "/";
        ASSERT_TRUE(retaildb::VOCreate(nullptr, where + name, {retaildb::structureField("KODE", "C", 5, 0)}));
        {
            auto table = xbase::Table::open(other.path() / name, {});
            for (int i = 0; i < 3; ++i) table->append();
        }
        const auto before = test::fileContents(other.path());
        ui.messages.clear();

        // Declined (the default): nothing is written, no other box.
        EXPECT_EQ(createTemplate(nullptr, where, item, allTicked(item)), CreateOutcome::Kept);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].kind, "ask");
        EXPECT_EQ(ui.messages[0].text, "File " + where + "ITEM.DBF sudah ada dan berisi 3 record. Ganti?");
        EXPECT_EQ(test::fileContents(other.path()), before);

        // Agreed: the file is made anew under its upper-case name.
        ui.replies.push_back(ui::kReplyYes);
        EXPECT_EQ(createTemplate(nullptr, where, item, {}), CreateOutcome::Created);
        const auto after = test::fileContents(other.path());
        ASSERT_EQ(after.size(), 1u);
        EXPECT_EQ(after.begin()->first, "ITEM.DBF");
        EXPECT_EQ(xbase::Table::open(other.path() / "ITEM.DBF", {})->recCount(), 0u);
    }
}

// The template is written beside the old file and renamed over it, so its folder must exist:
// a missing one is said and not made.
TEST_F(TemplateCreationTest, AMissingFolderIsRefusedAndNotMade) {
    const std::string missing = folder() + "gone/";
    EXPECT_EQ(createTemplate(nullptr, missing, page("DAERAH"), {}), CreateOutcome::Failed);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].text, dir.path().string() + "/gone: no such folder");
    EXPECT_EQ(ui.messages[1].text, "File : " + missing + "DAERAH.DBF gagal dibuat !");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(TemplateCreationTest, AnEmptyTemplateIsReplacedWithoutAQuestion) {
    const CataloguePage& daerah = page("DAERAH");
    ASSERT_EQ(createTemplate(nullptr, folder(), daerah, allTicked(daerah)), CreateOutcome::Created);
    ASSERT_EQ(createTemplate(nullptr, folder(), daerah, {}), CreateOutcome::Created);
    EXPECT_EQ(ui.count("ask"), 0u);
    EXPECT_EQ(ui.count("info"), 2u);
    EXPECT_EQ(structureOf("DAERAH.DBF").size(), 2u);
}

TEST_F(TemplateCreationTest, CountsRecordsFromTheHeader) {
    EXPECT_EQ(xbase::headerRecordCount(folder() + "NONE.DBF"), 0u);
    std::ofstream(dir.path() / "SHORT.DBF") << "abc";
    EXPECT_EQ(xbase::headerRecordCount(folder() + "SHORT.DBF"), 0u);
    ASSERT_TRUE(retaildb::VOCreate(nullptr, folder() + "T.DBF", {retaildb::structureField("A", "C", 1, 0)}));
    fill("T.DBF", 70000);
    EXPECT_EQ(xbase::headerRecordCount(folder() + "T.DBF"), 70000u);
}

// The rows whose catalogue values would make the import refuse or warn: the created file takes
// the import's type and width for them; every other row is written as the catalogue gives it.
TEST_F(TemplateCreationTest, OnlyRowsTheImportWouldRefuseOrWarnAboutTakeTheImportLayout) {
    struct Adjusted {
        std::string file;
        FieldInfo field;
    };
    std::vector<Adjusted> adjusted;
    for (const CataloguePage& p : catalogue())
        for (const CatalogueRow& row : p.rows) {
            const FieldInfo field = createdField(p, row);
            if (field != FieldInfo{row.field, row.type, row.length, row.decimals}) adjusted.push_back({p.fileName, field});
        }
    const std::vector<std::pair<std::string, FieldInfo>> expected{
        {"PEMBEL.DBF", {"NO_NOTA_C", 'C', 10, 0}},
    };
    ASSERT_EQ(adjusted.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(adjusted[i].file, expected[i].first);
        EXPECT_EQ(adjusted[i].field, expected[i].second);
    }
}

TEST_F(TemplateCreationTest, EveryTemplateMadeWithEveryColumnTickedPassesTheImportsStructureCheck) {
    for (const CataloguePage& p : catalogue())
        ASSERT_EQ(createTemplate(nullptr, folder(), p, allTicked(p)), CreateOutcome::Created) << p.fileName;
    templates::TemplateRun run(importing::defaultImportOptions(), folder(), nullptr);
    ASSERT_TRUE(templates::openTemplates(run));
    for (const CataloguePage& p : catalogue()) {
        SCOPED_TRACE(p.fileName);
        ASSERT_NE(xbase::workAreas().find(p.templateName()), nullptr);
        EXPECT_TRUE(templates::BUTTONIMPORT1PREEX(run, p.templateName(), templates::templateLayout(p.templateName())));
        EXPECT_EQ(run.CFIELDOVER, "");
        // The file holds every row of the page, in page order.
        const auto fields = xbase::workAreas().find(p.templateName())->structure();
        ASSERT_EQ(fields.size(), p.rows.size());
        for (size_t i = 0; i < fields.size(); ++i) EXPECT_EQ(fields[i].name, p.rows[i].field);
    }
    EXPECT_TRUE(templates::BUTTONIMPORT1PRE(run));
    EXPECT_EQ(run.CFIELDOVER, "");
    EXPECT_EQ(ui.count("error"), 0u);
    EXPECT_EQ(ui.count("warning"), 0u);
}

}  // namespace
}  // namespace tarvo::templatetools
