// The structure check of opened templates: refusals with their messages, collected over-wide
// columns, and the warning that lists them.

#include "templates/structure_check.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/test_support.h"
#include "tests/templates/template_fixtures.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {
namespace {

using test::ColumnOverrides;
using xbase::FieldInfo;

struct TemplateFile {
    std::string name;
    ColumnOverrides overrides;
};

class StructureCheckTest : public ::testing::Test {
protected:
    void SetUp() override { xbase::applyStartupSettings(); }
    void TearDown() override { xbase::workAreas().closeAll(); }

    // Writes and opens the templates (ITEM.DBF with its plain layout unless given).
    void open(std::vector<TemplateFile> files) {
        bool hasItem = false;
        for (const auto& f : files) hasItem = hasItem || f.name == "ITEM";
        if (!hasItem) files.push_back({"ITEM", {}});
        for (const auto& f : files) {
            test::writeTemplate(dir.path(), f.name, {}, f.overrides);
            ASSERT_TRUE(test::openTemplate(dir.path(), f.name));
        }
    }
    std::vector<std::string> errors() const {
        std::vector<std::string> out;
        for (const auto& m : ui.messages)
            if (m.kind == "error") out.push_back(m.text);
        return out;
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    TemplateRun run{importing::defaultImportOptions(), dir.path().string() + "/", nullptr};
};

struct Refusal {
    const char* label;
    TemplateFile file;
    std::string message;
};

TEST_F(StructureCheckTest, EachFatalFindingShowsItsMessageAndRefuses) {
    const std::vector<Refusal> cases = {
        {"type", {"ITEM", {{"KODE", FieldInfo{"KODE", 'N', 20, 0}}}},
         "ITEM.DBF Beda tipe field KODE !\r\nSeharusnya tipe: C"},
        {"date type", {"PEMBEL", {{"TANGGAL", FieldInfo{"TANGGAL", 'C', 8, 0}}}},
         "PEMBEL.DBF Beda tipe field TANGGAL !\r\nSeharusnya tipe: D"},
        {"hard width", {"VENDOR", {{"NAMA", FieldInfo{"NAMA", 'C', 60, 0}}}},
         "VENDOR.DBF Lebar field NAMA over !\r\nMaksimum: 50\r\nAnda punya: 60"},
        {"hard width of an optional column", {"ITEM", {{"LINK_KODE", FieldInfo{"LINK_KODE", 'C', 21, 0}}}},
         "ITEM.DBF Lebar field LINK_KODE over !\r\nMaksimum: 20\r\nAnda punya: 21"},
        {"missing mandatory", {"PELANG", {{"NAMA", std::nullopt}}}, "PELANG.DBF Tidak ada field NAMA !"},
        {"ITMINF checked", {"ITMINF", {{"INFO_1", std::nullopt}}}, "ITMINF.DBF Tidak ada field INFO_1 !"},
        {"ITMNAM checked", {"ITMNAM", {{"NAMA", FieldInfo{"NAMA", 'C', 120, 0}}}},
         "ITMNAM.DBF Lebar field NAMA over !\r\nMaksimum: 100\r\nAnda punya: 120"},
        // The check of a template stops at its first finding, in layout order.
        {"first finding only", {"ITEM", {{"KODE", FieldInfo{"KODE", 'N', 20, 0}}, {"NAMA", std::nullopt}}},
         "ITEM.DBF Beda tipe field KODE !\r\nSeharusnya tipe: C"},
    };
    for (const Refusal& c : cases) {
        SCOPED_TRACE(c.label);
        xbase::workAreas().closeAll();
        ui.messages.clear();
        ui.progressTexts.clear();
        open({c.file});
        EXPECT_FALSE(BUTTONIMPORT1PRE(run));
        EXPECT_EQ(errors(), std::vector<std::string>{c.message});
        EXPECT_NE(std::find(ui.progressTexts.begin(), ui.progressTexts.end(),
                            "Cek struktur file table : " + c.file.name + ".DBF"),
                  ui.progressTexts.end());
    }
}

TEST_F(StructureCheckTest, AcceptedDeviationsPassSilently) {
    const std::vector<std::pair<const char*, TemplateFile>> cases = {
        {"optional VENDOR KODE absent", {"VENDOR", {{"KODE", std::nullopt}}}},
        {"optional PELANG KODE absent", {"PELANG", {{"KODE", std::nullopt}}}},
        {"numeric width and decimals not compared", {"PEMBEL", {{"HARGA", FieldInfo{"HARGA", 'N', 15, 4}}}}},
        {"narrower character column", {"ITEM", {{"NAMA", FieldInfo{"NAMA", 'C', 40, 0}}}}},
        {"extra column", {"SALES", {{"EXTRA", FieldInfo{"EXTRA", 'L', 1, 0}}}}},
    };
    for (const auto& [label, file] : cases) {
        SCOPED_TRACE(label);
        xbase::workAreas().closeAll();
        open({file});
        EXPECT_TRUE(BUTTONIMPORT1PRE(run));
        EXPECT_TRUE(ui.messages.empty());
        EXPECT_EQ(run.CFIELDOVER, "");
    }
}

TEST_F(StructureCheckTest, OnlyOpenTemplatesAreExamined) {
    open({{"GRPSTK", {}}});
    EXPECT_TRUE(BUTTONIMPORT1PRE(run));
    EXPECT_EQ(ui.progressTexts,
              (std::vector<std::string>{"Cek struktur file table : GRPSTK.DBF", "Cek struktur file table : ITEM.DBF"}));
}

TEST_F(StructureCheckTest, SoftOverWidthIsCollectedInCheckOrderAndEmptiedEachRun) {
    run.CFIELDOVER = "left from the last run";
    open({{"SALES", {{"NAMA", FieldInfo{"NAMA", 'C', 31, 0}}}},
          {"ITEM", {{"NAMA", FieldInfo{"NAMA", 'C', 120, 0}}, {"CATATAN", FieldInfo{"CATATAN", 'C', 60, 0}}}}});
    EXPECT_TRUE(BUTTONIMPORT1PRE(run));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(run.CFIELDOVER,
              "\r\nITEM.DBF Lebar field NAMA over, maks: 100"
              "\r\nITEM.DBF Lebar field CATATAN over, maks: 50"
              "\r\nSALES.DBF Lebar field NAMA over, maks: 30");
}

TEST_F(StructureCheckTest, EveryFailingTemplateShowsItsBoxInCheckOrder) {
    open({{"PENJUA", {{"HARGA", std::nullopt}}},
          {"VENDOR", {{"NAMA", FieldInfo{"NAMA", 'C', 60, 0}}}},
          {"ITEM", {{"KODE", FieldInfo{"KODE", 'N', 20, 0}}}},
          {"DAERAH", {{"NAMA", FieldInfo{"NAMA", 'C', 35, 0}}}}});
    EXPECT_FALSE(BUTTONIMPORT1PRE(run));
    EXPECT_EQ(errors(), (std::vector<std::string>{
                            "ITEM.DBF Beda tipe field KODE !\r\nSeharusnya tipe: C",
                            "VENDOR.DBF Lebar field NAMA over !\r\nMaksimum: 50\r\nAnda punya: 60",
                            "PENJUA.DBF Tidak ada field HARGA !",
                        }));
    // DAERAH, checked after a failure, still reports its soft over-width column.
    EXPECT_EQ(run.CFIELDOVER, "\r\nDAERAH.DBF Lebar field NAMA over, maks: 30");
}

TEST_F(StructureCheckTest, OverWidthWarningListsTheCollectedColumns) {
    showOverWidthWarning(run);
    EXPECT_TRUE(ui.messages.empty());

    open({{"ITEM", {{"NAMA", FieldInfo{"NAMA", 'C', 120, 0}}}}, {"PELANG", {{"NAMA", std::nullopt}}}});
    EXPECT_FALSE(BUTTONIMPORT1PRE(run));
    ui.messages.clear();
    showOverWidthWarning(run);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "warning");
    EXPECT_EQ(ui.messages[0].title, "Tarvo-Import");
    EXPECT_EQ(ui.messages[0].text,
              "Di bawah ini adalah field-field yang over lebarnya, berkemungkinan data yang masuk akan dipotong!"
              "\r\n\r\nITEM.DBF Lebar field NAMA over, maks: 100");
}

}  // namespace
}  // namespace tarvo::templates
