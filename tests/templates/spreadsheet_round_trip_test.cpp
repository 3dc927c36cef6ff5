// The round trip through a spreadsheet: the workbook of the template pages, filled in with the
// values of a small shop, read back into templates that the import's structure check accepts,
// and imported; every retail table then holds the same records as after an import of templates
// written by hand with the same values and columns.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <map>

#include "sheets/serial_dates.h"
#include "sheets/sheet_rows.h"
#include "importing/import_options.h"
#include "templates/template_import.h"
#include "templates/template_layouts.h"
#include "templatetools/template_workbook.h"
#include "templatetools/templates_from_sheets.h"
#include "tests/support/xlsx_parts.h"
#include "tests/templates/template_fixtures.h"
#include "tests/templates/template_import_fixture.h"
#include "sampledata/retail_db.h"
#include "xbase/dates.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {
namespace {

namespace fs = std::filesystem;
using test::TemplateValues;
using xbase::Date;

// The shop, template by template, in the order of the workbook's sheets. PEMBEL's CATATAN and
// ITEM's CATATAN are columns of the sheet that stay empty.
const std::vector<std::pair<std::string, std::vector<TemplateValues>>>& shopRows() {
    static const std::vector<std::pair<std::string, std::vector<TemplateValues>>> rows = {
        {"GRPSTK", {{{"KODE", "G1"}, {"NAMA", "Minuman"}}, {{"KODE", "G2"}, {"NAMA", "Makanan"}}}},
        {"VENDOR", {{{"KODE", "V1"}, {"NAMA", "Pt Satu"}, {"ALAMAT", "Jl. Mawar 1"}, {"TERM_CRD", 30}},
                    {{"KODE", "V2"}, {"NAMA", "Pt Dua"}}}},
        {"PELANG", {{{"KODE", "C1"}, {"NAMA", "Toko Ani"}, {"TGL_LAHIR", Date{1980, 5, 17}}, {"MAX_CRD", 2500000}},
                    {{"KODE", "C2"}, {"NAMA", "Toko Budi"}, {"TIPE", 1}}}},
        {"PEMBEL", {{{"TANGGAL", Date{2024, 11, 2}}, {"NO_NOTA_C", "B-1"}, {"KODE_VEN", "V2"}, {"HARGA", 150000.5}},
                    {{"TANGGAL", Date{2024, 11, 3}}, {"NO_NOTA_C", "B-2"}, {"KODE_VEN", "V1"}, {"HARGA", 1250}, {"CATATAN", ""}}}},
        {"ITEM",
         {{{"KODE", "A1"}, {"NAMA", "Apel Malang"}, {"SAT_1", "PCS"}, {"SAT_2", "LUSIN"}, {"SAT_2_KONV", 12},
           {"KODE_GRP1", "G1"}, {"KODE_VEN", "V1"}, {"H_BELI", 1000}, {"H_JUAL1", 1500.75}, {"SISA_STK1", 5}, {"QUAN_PICT", 2},
           {"SISA_NIL1", 5000}, {"CATATAN", ""}},
          {{"KODE", "B1"}, {"NAMA", "Jeruk Medan"}, {"JENIS", 1}, {"H_JUAL1", 2000}, {"SISA_STK1", 2.5}, {"SISA_NIL1", 4000}},
          {{"KODE", "A1"}, {"NAMA", "Apel Lagi"}}}},
    };
    return rows;
}

// A number as a shop owner might type it: thousands with ".", decimals with ",".
std::string typedNumber(double number) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", number);
    std::string whole(text, std::string(text).find('.'));
    std::string fraction = std::string(text).substr(whole.size() + 1);
    for (int i = static_cast<int>(whole.size()) - 3; i > 0; i -= 3) whole.insert(static_cast<size_t>(i), ".");
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
    return fraction.empty() ? whole : whole + "," + fraction;
}

// One cell, varied by row: numbers as number cells or typed text, dates as serials or typed text.
std::string cellXml(const std::string& ref, const xbase::Value& value, bool typed) {
    auto text = [&](const std::string& t) { return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t>" + t + "</t></is></c>"; };
    auto number = [&](double n) {
        char v[64];
        std::snprintf(v, sizeof v, "%.15g", n);
        return "<c r=\"" + ref + "\"><v>" + v + "</v></c>";
    };
    if (value.isCharacter()) return value.text().empty() ? "" : text(value.text());
    if (value.isNumeric()) return typed ? text(typedNumber(value.number())) : number(value.number());
    if (value.isDate()) return typed ? text(xbase::DToC(value.date())) : number(sheets::serialFromDate(value.date()));
    return "";
}

// Every record of every retail table, the run's time stamps left out.
std::map<std::string, std::vector<std::string>> retailRecords(const fs::path& database) {
    std::map<std::string, std::vector<std::string>> tables;
    for (const auto& entry : fs::directory_iterator(database)) {
        if (entry.path().extension() != ".Q7T") continue;
        auto table = xbase::Table::open(entry.path(), {false, true, xbase::Driver::DBFNTX});
        auto& records = tables[entry.path().filename().string()];
        table->scanRecords([&](uint32_t, std::string_view image) {
            std::string record(1, image[0]);
            for (int i = 1; i <= table->fieldCount(); ++i) {
                const std::string& name = table->field(i).name;
                if (name == "JAM_INPUT" || name == "TGL_INPUT") continue;
                record += "|" + name + "=" + std::string(table->fieldBytes(image, i));
            }
            records.push_back(record);
        });
    }
    return tables;
}

class SpreadsheetRoundTrip : public test::TemplateImportTest {};

TEST_F(SpreadsheetRoundTrip, AFilledWorkbookImportsLikeTemplatesMadeByHand) {
    // The workbook of the five pages, filled in.
    std::vector<std::string> names;
    for (const auto& [name, rows] : shopRows()) names.push_back(name);
    std::vector<std::string> unknown;
    const auto pages = templatetools::pagesNamed(names, unknown);
    const fs::path book = dir.path() / "shop.xlsx";
    templatetools::writeTemplateWorkbook(book, pages);
    for (size_t s = 0; s < pages.size(); ++s) {
        const auto& rows = shopRows()[s].second;
        std::string xml;
        for (size_t r = 0; r < rows.size(); ++r) {
            const std::string row = std::to_string(r + 2);
            xml += "<row r=\"" + row + "\">";
            for (size_t c = 0; c < pages[s]->rows.size(); ++c) {
                const auto it = rows[r].find(pages[s]->rows[c].field);
                if (it != rows[r].end()) xml += cellXml(sheets::columnLetters(static_cast<int>(c)) + row, it->second, r % 2 == 1);
            }
            xml += "</row>";
        }
        const std::string part = "xl/worksheets/sheet" + std::to_string(s + 1) + ".xml";
        std::string sheet = test::readPart(book, part);
        sheet.insert(sheet.find("</sheetData>"), xml);
        // Only the columns that the shop fills in (or names) stay in the header row.
        const std::string header = sheet.substr(sheet.find("<row r=\"1\""), sheet.find("</row>") - sheet.find("<row r=\"1\""));
        std::string kept = header.substr(0, header.find('>') + 1);
        for (size_t c = 0; c < pages[s]->rows.size(); ++c) {
            const std::string& field = pages[s]->rows[c].field;
            bool used = false;
            for (const auto& values : shopRows()[s].second) used = used || values.count(field);
            if (used) kept += "<c r=\"" + sheets::columnLetters(static_cast<int>(c)) + "1\" t=\"inlineStr\"><is><t>" + field + "</t></is></c>";
        }
        sheet.replace(sheet.find(header), header.size(), kept);
        test::replacePart(book, part, sheet);
    }

    const fs::path fromSheets = dir.path() / "from-sheets";
    const auto outcome = templatetools::templatesFromSheets(nullptr, book.string(), fromSheets.string());
    ASSERT_EQ(outcome.status, sheets::SheetsToTablesOutcome::Status::Written)
        << (outcome.problems.lines().empty() ? "" : outcome.problems.lines()[0]);
    ASSERT_EQ(outcome.tables.size(), shopRows().size());

    // The same values written by hand, with the same columns.
    const fs::path byHand = dir.path() / "by-hand";
    fs::create_directories(byHand);
    for (size_t s = 0; s < shopRows().size(); ++s) {
        const auto& [name, rows] = shopRows()[s];
        test::ColumnOverrides overrides;
        const auto& written = outcome.tables[s].columns;
        for (const DBSTRUCTTABLE& column : templateLayout(name))
            if (std::find(written.begin(), written.end(), column.CFIELD) == written.end()) overrides[column.CFIELD] = std::nullopt;
        for (const std::string& column : written) {
            bool inLayout = false;
            for (const DBSTRUCTTABLE& c : templateLayout(name)) inLayout = inLayout || c.CFIELD == column;
            if (!inLayout)
                for (const auto& page : pages)
                    if (page->templateName() == name)
                        for (const auto& row : page->rows)
                            if (row.field == column) overrides[column] = xbase::FieldInfo{row.field, row.type, row.length, row.decimals};
        }
        test::writeTemplate(byHand, name, rows, overrides);
    }

    const importing::ImportOptions options = importing::defaultImportOptions();
    importing::ImportRequest request = this->request(options);
    request.importFolder = fromSheets.string() + "/";
    const importing::ImportOutcome sheetImport = runImport(request);
    ASSERT_EQ(sheetImport.status, importing::ImportStatus::Done);
    EXPECT_EQ(sheetImport.written.at("S_STOCK"), 2u);
    const auto afterSheets = retailRecords(database);
    const auto& stock = afterSheets.at("S_STOCK.Q7T");
    ASSERT_EQ(stock.size(), 2u);
    EXPECT_NE(stock[0].find("Apel Malang"), std::string::npos);
    EXPECT_NE(stock[1].find("Jeruk Medan"), std::string::npos);

    xbase::workAreas().closeAll();
    fs::remove_all(shop);
    sampledata::makeSampleRetailDatabase(shop);
    request.importFolder = byHand.string() + "/";
    ASSERT_EQ(runImport(request).status, importing::ImportStatus::Done);
    const auto afterHand = retailRecords(database);

    EXPECT_EQ(afterSheets.size(), afterHand.size());
    for (const auto& [table, records] : afterHand) {
        SCOPED_TRACE(table);
        EXPECT_EQ(afterSheets.at(table), records);
    }
    EXPECT_EQ(sheetImport.written, runImport(request).written);
}

}  // namespace
}  // namespace tarvo::templates
