// A shop's own item list read into templates with no header typed by hand: a sheet "Sheet1" with
// a title above Indonesian headers and columns that mean nothing to the templates, and a sheet of
// suppliers. The templates it gives import into the expected records; the mapping kept beside the
// workbook is used by the next read.

#include <gtest/gtest.h>

#include "importing/import_options.h"
#include "templatetools/mapping_proposal.h"
#include "templatetools/templates_from_sheets.h"
#include "tests/support/xlsx_parts.h"
#include "tests/templates/template_import_fixture.h"

namespace tarvo::templates {
namespace {

namespace fs = std::filesystem;
using xbase::Value;

std::string textCell(const std::string& ref, const std::string& text) {
    return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}
std::string numberCell(const std::string& ref, const std::string& number) { return "<c r=\"" + ref + "\"><v>" + number + "</v></c>"; }

// A row of cells from column A on: texts, numbers as "#1234", empty texts left out.
std::string rowXml(int number, const std::vector<std::string>& cells) {
    std::string xml = "<row r=\"" + std::to_string(number) + "\">";
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i].empty()) continue;
        const std::string ref = std::string(1, static_cast<char>('A' + i)) + std::to_string(number);
        xml += cells[i][0] == '#' ? numberCell(ref, cells[i].substr(1)) : textCell(ref, cells[i]);
    }
    return xml + "</row>";
}

// The shop's workbook; `priceOfTheSecondItem` as the owner typed it.
void writeShopWorkbook(const fs::path& file, const std::string& priceOfTheSecondItem = "#3500") {
    test::WorkbookLayout layout;
    layout.sheets.push_back(
        {"Sheet1", rowXml(1, {"DAFTAR BARANG TOKO SUMBER REJEKI"}) +
                       rowXml(3, {"No", "Kode Barang", "Nama Barang", "Satuan", "Harga Beli", "Harga Jual", "Stok Gudang",
                                  "Supplier", "Rak"}) +
                       rowXml(4, {"#1", "BRG-001", "Indomie Goreng", "PCS", "#2500", "#3000", "#40", "V1", "A-1"}) +
                       rowXml(5, {"#2", "BRG-002", "Teh Botol 350ml", "BTL", "#2800", priceOfTheSecondItem, "#24", "V2", "A-2"}) +
                       rowXml(6, {"#3", "BRG-003", "Gula Pasir 1kg", "", "#14000", "#16500", "7,5", "V1", ""})});
    layout.sheets.push_back({"Supplier", rowXml(1, {"DAFTAR SUPPLIER"}) + rowXml(2, {"Kode Supplier", "Nama Supplier", "Alamat", "Telp"}) +
                                           rowXml(3, {"V1", "PT Sumber Pangan", "Jl. Melati 5", "021-555"}) +
                                           rowXml(4, {"V2", "CV Minuman Segar", "", ""})});
    layout.afterSheetData = "<mergeCells count=\"1\"><mergeCell ref=\"A1:I1\"/></mergeCells>";  // the titles
    test::writeZip(file, test::workbookParts(layout));
}

std::vector<std::string> columnsOf(const fs::path& table) {
    const auto dbf = xbase::Table::open(table, {});
    std::vector<std::string> names;
    for (int i = 1; i <= dbf->fieldCount(); ++i) names.push_back(dbf->field(i).name);
    return names;
}

class ShopSpreadsheet : public test::TemplateImportTest {
protected:
    fs::path book() const { return dir.path() / "Barang Toko.xlsx"; }
};

TEST_F(ShopSpreadsheet, ReadsIntoTemplatesThatImportAsExpected) {
    writeShopWorkbook(book());
    const auto outcome = templatetools::templatesFromSheets(nullptr, book().string(), templateFolder.string());
    ASSERT_EQ(outcome.status, sheets::SheetsToTablesOutcome::Status::Written)
        << (outcome.problems.lines().empty() ? "" : outcome.problems.lines()[0]);
    EXPECT_EQ(outcome.notes, (std::vector<std::string>{"Sheet1 column No (A) passed over: no template column",
                                                       "Sheet1 column Kode Barang (B) read as KODE",
                                                       "Sheet1 column Nama Barang (C) read as NAMA",
                                                       "Sheet1 column Satuan (D) read as SAT_1",
                                                       "Sheet1 column Harga Beli (E) read as H_BELI",
                                                       "Sheet1 column Harga Jual (F) read as H_JUAL1",
                                                       "Sheet1 column Stok Gudang (G) read as SISA_STK1",
                                                       "Sheet1 column Supplier (H) read as KODE_VEN",
                                                       "Sheet1 column Rak (I) passed over: no template column",
                                                       "Supplier column Kode Supplier (A) read as KODE",
                                                       "Supplier column Nama Supplier (B) read as NAMA",
                                                       "Supplier column Telp (D) read as TELEPON"}));
    // The page's order.
    EXPECT_EQ(columnsOf(templateFolder / "ITEM.DBF"),
              (std::vector<std::string>{"KODE", "NAMA", "KODE_VEN", "SAT_1", "H_BELI", "H_JUAL1", "SISA_STK1"}));
    EXPECT_EQ(columnsOf(templateFolder / "VENDOR.DBF"), (std::vector<std::string>{"KODE", "NAMA", "ALAMAT", "TELEPON"}));

    {
        const auto item = xbase::Table::open(templateFolder / "ITEM.DBF", {});
        item->goBottom();
        EXPECT_EQ(item->fieldGet("SISA_STK1").number(), 7.5);  // typed as text with a decimal comma
    }

    ASSERT_EQ(runImport(request(importing::defaultImportOptions())).status, importing::ImportStatus::Done);
    ASSERT_EQ(recordCount("S_STOCK"), 3u);
    expectRecord("S_STOCK", 1,
                 {{"KODE_C", Value("BRG-001")}, {"NAMA", Value("Indomie Goreng")}, {"HARGA_BELI", Value(2500)},
                  {"HARGA_J_01", Value(3000)}, {"VENDOR", Value(1)}});
    expectRecord("S_STOCK", 2,
                 {{"KODE_C", Value("BRG-002")}, {"NAMA", Value("Teh Botol 350ml")}, {"HARGA_J_01", Value(3500)},
                  {"VENDOR", Value(2)}});
    expectRecord("S_STOCK", 3, {{"KODE_C", Value("BRG-003")}, {"HARGA_BELI", Value(14000)}, {"VENDOR", Value(1)}});
    // The empty unit of the third item is the default PCS, the unit set of the first.
    ASSERT_EQ(recordCount("S_SATUAN"), 2u);
    expectRecord("S_SATUAN", 1, {{"SAT_01_TXT", Value("PCS")}});
    expectRecord("S_SATUAN", 2, {{"SAT_01_TXT", Value("BTL")}});
    ASSERT_EQ(recordCount("S_VENDOR"), 2u);
    expectRecord("S_VENDOR", 1, {{"NAMA", Value("PT Sumber Pangan")}, {"ALAMAT", Value("Jl. Melati 5")}});
}

TEST_F(ShopSpreadsheet, EveryCellIsCheckedBeforeAnythingIsWritten) {
    writeShopWorkbook(book(), "tiga ribu");
    const auto outcome = templatetools::templatesFromSheets(nullptr, book().string(), templateFolder.string());
    EXPECT_EQ(outcome.status, sheets::SheetsToTablesOutcome::Status::Refused);
    EXPECT_EQ(outcome.problems.lines(),
              (std::vector<std::string>{"Sheet1 row 5, column Harga Jual [H_JUAL1] (F), value \"tiga ribu\": not a number"}));
    EXPECT_TRUE(fs::is_empty(templateFolder));
}

TEST_F(ShopSpreadsheet, TheMappingBesideTheWorkbookIsUsed) {
    writeShopWorkbook(book());
    // The owner's fix: "Rak" goes to EXT_INFO_1, the suppliers are left out.
    templatetools::ColumnMapping mapping = templatetools::mappingFor(book());
    ASSERT_EQ(mapping.sheets.size(), 2u);
    mapping.sheets[0].columns.back().field = "EXT_INFO_1";
    mapping.sheets[1] = {"Supplier", "", 1, {}};
    templatetools::writeMappingFile(templatetools::defaultMappingFile(book()), mapping);

    const auto outcome = templatetools::templatesFromSheets(nullptr, book().string(), templateFolder.string());
    ASSERT_EQ(outcome.status, sheets::SheetsToTablesOutcome::Status::Written)
        << (outcome.problems.lines().empty() ? "" : outcome.problems.lines()[0]);
    EXPECT_EQ(outcome.notes.front(), "Sheet1 column No (A) passed over: no template column");
    EXPECT_EQ(outcome.notes.back(), "sheet Supplier passed over: no template of that name");
    EXPECT_EQ(columnsOf(templateFolder / "ITEM.DBF"),
              (std::vector<std::string>{"KODE", "NAMA", "KODE_VEN", "EXT_INFO_1", "SAT_1", "H_BELI", "H_JUAL1", "SISA_STK1"}));
    EXPECT_FALSE(fs::exists(templateFolder / "VENDOR.DBF"));

    // A workbook of another shape: the mapping's header is no longer in its column.
    mapping.sheets[0].columns[5].header = "Harga Jual Eceran";
    fs::remove_all(templateFolder);
    const auto refused = templatetools::templatesFromSheets(nullptr, book().string(), templateFolder.string(), {}, &mapping);
    EXPECT_EQ(refused.status, sheets::SheetsToTablesOutcome::Status::Refused);
    EXPECT_EQ(refused.problems.lines(),
              (std::vector<std::string>{"Sheet1 row 3, column Harga Jual Eceran (F), value \"Harga Jual\": the header row has "
                                        "another text in this column than the mapping"}));
    EXPECT_FALSE(fs::exists(templateFolder));
}

TEST_F(ShopSpreadsheet, ACheckWritesNothing) {
    writeShopWorkbook(book());
    const auto outcome =
        templatetools::templatesFromSheets(nullptr, book().string(), templateFolder.string(), {}, nullptr, true);
    EXPECT_EQ(outcome.status, sheets::SheetsToTablesOutcome::Status::Checked);
    EXPECT_EQ(outcome.tables.size(), 2u);
    EXPECT_TRUE(fs::is_empty(templateFolder));
}

}  // namespace
}  // namespace tarvo::templates
