// Template pages as spreadsheet sheets: the workbook's sheets follow the catalogue, the columns a
// sheet may have follow what "Create" writes, and the columns the import requires must be there.

#include <gtest/gtest.h>

#include <filesystem>
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

// A workbook saved by LibreOffice Calc (tests/data/sheets/README.md): every field of the templates
// it gives, as that program stores numbers, formulas, dates, logicals and an empty row.
TEST(TemplateSheets, AWorkbookSavedByLibreOfficeCalc) {
    xbase::applyStartupSettings();
    test::TempDir dir;
    const std::filesystem::path book = std::filesystem::path(TARVO_TEST_DATA_DIR) / "sheets" / "item-libreoffice.xlsx";
    const auto outcome = templatesFromSheets(nullptr, book.string(), dir.path().string());
    ASSERT_EQ(outcome.status, sheets::SheetsToTablesOutcome::Status::Written)
        << (outcome.problems.lines().empty() ? "" : outcome.problems.lines()[0]);
    EXPECT_EQ(outcome.notes, (std::vector<std::string>{"sheet Catatan passed over: no template of that name"}));

    auto text = [](const xbase::Table& t, const char* field) {
        std::string value = t.fieldGet(field).text();
        value.erase(value.find_last_not_of(' ') + 1);
        return value;
    };
    const auto item = xbase::Table::open(dir.path() / "ITEM.DBF", {});
    std::vector<std::string> fields;
    for (int i = 1; i <= item->fieldCount(); ++i) fields.push_back(item->field(i).name);
    // The page's order, not the sheet's.
    EXPECT_EQ(fields, (std::vector<std::string>{"KODE", "NAMA", "EXT_INFO_1", "EXT_INFO_2", "SAT_1", "MIN_STOCK", "H_BELI",
                                                "H_JUAL1"}));
    ASSERT_EQ(item->recCount(), 2u);  // the empty row between the items is passed over
    item->goTop();
    EXPECT_EQ(text(*item, "KODE"), "BRG-001");
    EXPECT_EQ(text(*item, "NAMA"), "Café Susu Gula Aren");
    EXPECT_EQ(text(*item, "SAT_1"), "GLS");
    EXPECT_EQ(item->fieldGet("H_BELI").number(), 12500);
    EXPECT_EQ(item->fieldGet("H_JUAL1").number(), 15000);  // =D2*1.2, its saved result
    EXPECT_EQ(item->fieldGet("MIN_STOCK").number(), 2.5);
    EXPECT_EQ(text(*item, "EXT_INFO_1"), "29/02/2024");  // a date cell in a text column
    EXPECT_EQ(text(*item, "EXT_INFO_2"), "TRUE");        // a logical cell in a text column
    item->skip();
    EXPECT_EQ(text(*item, "KODE"), "BRG-002");
    EXPECT_EQ(text(*item, "NAMA"), "Teh Tarik Spéciale ½ Gelas");
    EXPECT_EQ(item->fieldGet("H_BELI").number(), 1250.75);
    EXPECT_EQ(item->fieldGet("H_JUAL1").number(), 1876.13);  // =ROUND(D4*1.5,2)
    EXPECT_EQ(item->fieldGet("MIN_STOCK").number(), 10);     // typed as text "10"
    EXPECT_EQ(text(*item, "EXT_INFO_1"), "31/12/1999");
    EXPECT_EQ(text(*item, "EXT_INFO_2"), "FALSE");

    const auto pelang = xbase::Table::open(dir.path() / "PELANG.DBF", {});
    ASSERT_EQ(pelang->recCount(), 1u);
    pelang->goTop();
    EXPECT_EQ(text(*pelang, "KODE"), "P-01");
    EXPECT_EQ(text(*pelang, "NAMA"), "Budi Santoso");
    EXPECT_EQ(pelang->fieldGet("TGL_LAHIR").date(), (xbase::Date{1985, 7, 17}));
}

}  // namespace
}  // namespace tarvo::templatetools
