// Opening the templates of the import folder: the ITEM.DBF requirement, leftover index files,
// the opening order with its dependencies, and the stop at a template that cannot be opened.

#include "templates/template_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "templates/template_layouts.h"
#include "tests/support/test_support.h"
#include "tests/templates/template_fixtures.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kOpeningOrder = {"GRPSTK", "GRPST2", "GRPST3", "GRPHJL", "VENDOR", "ITEM",
                                                "ITMINF", "ITMNAM", "STKHJL", "SALES",  "DAERAH", "DAERA2",
                                                "PELANG", "GRPPEL", "GRPPE2", "PELEXT", "PEMBEL", "PENJUA"};

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

class TemplateFilesTest : public ::testing::Test {
protected:
    void SetUp() override { xbase::applyStartupSettings(); }
    void TearDown() override { xbase::workAreas().closeAll(); }

    void write(const std::vector<std::string>& names) {
        for (const auto& name : names) test::writeTemplate(dir.path(), name);
    }
    std::vector<std::string> errors() const {
        std::vector<std::string> out;
        for (const auto& m : ui.messages)
            if (m.kind == "error") out.push_back(m.text);
        return out;
    }

    test::TempDir dir;
    std::string folder = dir.path().string() + "/";
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    TemplateRun run{importing::defaultImportOptions(), folder, nullptr};
};

TEST_F(TemplateFilesTest, MissingItemTemplateStopsBeforeAnythingIsTouched) {
    write({"VENDOR", "SALES"});
    writeBytes(dir.path() / "VENDOR.CDX", "leftover");
    EXPECT_FALSE(openTemplates(run));
    EXPECT_EQ(errors(), std::vector<std::string>{"File ITEM.DBF tidak ditemukan di Lokasi: " + folder});
    EXPECT_TRUE(xbase::workAreas().aliases().empty());
    EXPECT_TRUE(fs::exists(dir.path() / "VENDOR.CDX"));
}

TEST_F(TemplateFilesTest, EveryTemplateOpensInOrderExclusiveAndWritable) {
    write(kOpeningOrder);
    importing::ImportOptions options = importing::defaultImportOptions();
    options.tableDriver = xbase::Driver::DBFMDX;
    TemplateRun mdxRun(options, folder, nullptr);
    ASSERT_TRUE(openTemplates(mdxRun));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(xbase::workAreas().aliases(), kOpeningOrder);
    for (const auto& name : kOpeningOrder) {
        const xbase::Table* table = xbase::workAreas().find(name);
        EXPECT_TRUE(table->exclusive()) << name;
        EXPECT_FALSE(table->readOnly()) << name;
        EXPECT_EQ(table->driver(), xbase::Driver::DBFMDX) << name;
    }
}

TEST_F(TemplateFilesTest, DependentTemplatesOpenOnlyWithTheirMainTemplate) {
    // GRPST2 and GRPST3 open whenever their own file exists; their import decides later.
    write({"ITEM", "GRPST2", "GRPST3", "DAERA2", "GRPPEL", "GRPPE2", "PELEXT"});
    ASSERT_TRUE(openTemplates(run));
    EXPECT_EQ(xbase::workAreas().aliases(), (std::vector<std::string>{"GRPST2", "GRPST3", "ITEM"}));
    EXPECT_TRUE(templateFileExists(run, "GRPPEL"));
    EXPECT_FALSE(templateFileExists(run, "PELANG"));
}

TEST_F(TemplateFilesTest, FileNamesAreMatchedIgnoringCase) {
    test::writeTemplate(dir.path(), "ITEM");
    fs::rename(dir.path() / "ITEM.DBF", dir.path() / "item.dbf");
    test::writeTemplate(dir.path(), "DAERAH");
    fs::rename(dir.path() / "DAERAH.DBF", dir.path() / "Daerah.Dbf");
    write({"DAERA2"});
    EXPECT_TRUE(templateFileExists(run, "ITEM"));
    ASSERT_TRUE(openTemplates(run));
    EXPECT_EQ(xbase::workAreas().aliases(), (std::vector<std::string>{"ITEM", "DAERAH", "DAERA2"}));
}

TEST_F(TemplateFilesTest, LeftoverIndexesOfTheListedTemplatesAreDeleted) {
    write({"ITEM", "SALES", "PELANG", "PELEXT"});
    for (const char* name : {"ITEM.CDX", "pelang.cdx", "GRPST3.CDX", "SALES.CDX", "PELEXT.CDX", "ITMINF.CDX"})
        writeBytes(dir.path() / name, "leftover index");
    ASSERT_TRUE(openTemplates(run));
    EXPECT_FALSE(fs::exists(dir.path() / "ITEM.CDX"));
    EXPECT_FALSE(fs::exists(dir.path() / "pelang.cdx"));
    EXPECT_FALSE(fs::exists(dir.path() / "GRPST3.CDX"));
    EXPECT_TRUE(fs::exists(dir.path() / "SALES.CDX"));
    EXPECT_TRUE(fs::exists(dir.path() / "PELEXT.CDX"));
    EXPECT_TRUE(fs::exists(dir.path() / "ITMINF.CDX"));
}

TEST_F(TemplateFilesTest, TemplateThatCannotBeOpenedStopsTheOpening) {
    write({"GRPSTK", "ITEM", "PENJUA"});
    writeBytes(dir.path() / "VENDOR.DBF", "not a table");
    EXPECT_FALSE(openTemplates(run));
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0].rfind("[VOOpen] Cannot open file : " + folder + "VENDOR.DBF !", 0), 0u) << errors()[0];
    EXPECT_EQ(xbase::workAreas().aliases(), std::vector<std::string>{"GRPSTK"});
}

TEST_F(TemplateFilesTest, TemplateLeftOpenByAnEarlierRunDoesNotStandInForAMissingFile) {
    test::TempDir earlier;
    test::writeTemplate(earlier.path(), "ITMINF");
    ASSERT_TRUE(test::openTemplate(earlier.path(), "ITMINF"));
    write({"ITEM"});
    ASSERT_TRUE(openTemplates(run));
    EXPECT_EQ(xbase::workAreas().aliases(), std::vector<std::string>{"ITEM"});
}

}  // namespace
}  // namespace tarvo::templates
