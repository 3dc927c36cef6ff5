// Template pages as spreadsheet sheets: the workbook's sheets follow the catalogue, the columns a
// sheet may have follow what "Create" writes, and the columns the import requires must be there.

#include <gtest/gtest.h>

#include <fstream>

#include "templatetools/template_workbook.h"
#include "templatetools/templates_from_sheets.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::templatetools {
namespace {

TEST(TemplateSheets, TheItemSheetFollowsItsPage) {
    const CataloguePage& item = *findCataloguePage("ITEM");
    const sheets::WorkbookSheet sheet = templateWorkbookSheet(item);
    EXPECT_EQ(sheet.name, "ITEM");
    EXPECT_EQ(sheet.colour, 0xFF8080u);
    EXPECT_EQ(sheet.title, item.title);
    ASSERT_EQ(sheet.columns.size(), 143u);
    for (size_t i = 0; i < item.rows.size(); ++i) {
        EXPECT_EQ(sheet.columns[i].field.name, item.rows[i].field);
        EXPECT_EQ(sheet.columns[i].mandatory, item.rows[i].mandatory);
        EXPECT_EQ(sheet.columns[i].description, item.rows[i].description);
    }
    EXPECT_EQ(sheet.columns[1].field, (xbase::FieldInfo{"KODE", 'C', 20, 0}));
    EXPECT_EQ(sheet.columns[20].defaultValue, "PCS");
    EXPECT_EQ(sheet.columns.back().field, (xbase::FieldInfo{"SISA_NIL30", 'N', 14, 2}));
}

TEST(TemplateSheets, PagesByNameInTheOrderGiven) {
    std::vector<std::string> unknown;
    const auto pages = pagesNamed({"vendor", "Item.dbf", "STOCK"}, unknown);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0]->fileName, "VENDOR.DBF");
    EXPECT_EQ(pages[1]->fileName, "ITEM.DBF");
    EXPECT_EQ(unknown, (std::vector<std::string>{"STOCK"}));
    EXPECT_EQ(pagesNamed({}, unknown).size(), 18u);
}

TEST(TemplateSheets, ColumnsTheImportRequiresMustBeInTheSheet) {
    const sheets::SheetLayout pembel = templateSheetLayout(*findCataloguePage("PEMBEL"));
    auto column = [&](const std::string& name) {
        for (const auto& c : pembel.columns)
            if (c.field.name == name) return c;
        return sheets::SheetColumn{};
    };
    // TANGGAL and HARGA: the import's structure check requires them; the page does not mark them.
    EXPECT_TRUE(column("TANGGAL").required);
    EXPECT_FALSE(column("TANGGAL").mandatory);
    EXPECT_TRUE(column("HARGA").required);
    EXPECT_FALSE(column("CATATAN").required);
    // The page's 30 characters would only be cut by the import's 10.
    EXPECT_EQ(column("NO_NOTA_C").field, (xbase::FieldInfo{"NO_NOTA_C", 'C', 10, 0}));

    xbase::applyStartupSettings();
    test::TempDir dir;
    std::ofstream(dir.path() / "PEMBEL.csv") << "NO_NOTA_C,HARGA\nB-1,100\n";
    const auto outcome = templatesFromSheets(nullptr, (dir.path() / "PEMBEL.csv").string(), (dir.path() / "out").string());
    EXPECT_EQ(outcome.status, sheets::SheetsToTablesOutcome::Status::Refused);
    EXPECT_EQ(outcome.problems.lines(), (std::vector<std::string>{"PEMBEL row 1, column TANGGAL: mandatory column missing"}));
}

TEST(TemplateSheets, ReplacingAsksTheUser) {
    xbase::applyStartupSettings();
    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped(ui);
    std::ofstream(dir.path() / "SALES.csv") << "KODE,NAMA\nS1,Budi\n";
    std::ofstream(dir.path() / "SALES.DBF") << "old";
    const auto declined = templatesFromSheets(nullptr, (dir.path() / "SALES.csv").string(), dir.path().string());
    EXPECT_EQ(declined.status, sheets::SheetsToTablesOutcome::Status::Declined);
    ASSERT_EQ(ui.count("ask"), 1u);
    EXPECT_EQ(ui.messages[0].text, "File template berikut sudah ada dan akan diganti:\r\nSALES.DBF\r\n\r\nLanjutkan?");
    ui.replies.push_back(ui::kReplyYes);
    EXPECT_EQ(templatesFromSheets(nullptr, (dir.path() / "SALES.csv").string(), dir.path().string()).status,
              sheets::SheetsToTablesOutcome::Status::Written);
    EXPECT_EQ(xbase::Table::open(dir.path() / "SALES.DBF", {})->recCount(), 1u);
}

}  // namespace
}  // namespace tarvo::templatetools
