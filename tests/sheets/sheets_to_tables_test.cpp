// Tables from sheets: a filled workbook and CSV folders become DBF files field by field; every
// error kind refuses the whole run and leaves the folder byte-identical.

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <fstream>

#include "sheets/sheets_to_tables.h"
#include "sheets/workbook_writer.h"
#include "tests/support/xlsx_parts.h"
#include "tests/support/test_support.h"
#include "xbase/table.h"

namespace tarvo::sheets {
namespace {

namespace fs = std::filesystem;

const std::vector<SheetLayout>& layouts() {
    static const std::vector<SheetLayout> all = {
        {"ITEM",
         {{{"KODE", 'C', 8, 0}, true},
          {{"NAMA", 'C', 20, 0}, true},
          {{"JENIS", 'N', 1, 0}, false},
          {{"H_BELI", 'N', 12, 2}, false},
          {{"SAT_1", 'C', 5, 0}, false}}},
        {"PEMBEL", {{{"TANGGAL", 'D', 8, 0}, false, true}, {{"HARGA", 'N', 12, 2}, false, true}}},
    };
    return all;
}

const SheetLayout* layoutOf(const std::string& name) {
    for (const SheetLayout& l : layouts())
        if (l.name == name) return &l;
    return nullptr;
}

SheetsToTablesOutcome run(const fs::path& source, const fs::path& folder, ConversionOptions options = {}) {
    SheetsToTablesRequest request;
    request.source = source;
    request.folder = folder;
    request.options = options;
    request.layoutOf = layoutOf;
    return sheetsToTables(request);
}

std::vector<std::vector<xbase::Value>> records(const fs::path& file, std::vector<xbase::FieldInfo>* fields = nullptr) {
    auto table = xbase::Table::open(file, {});
    if (fields) *fields = table->structure();
    std::vector<std::vector<xbase::Value>> out;
    for (table->goTop(); !table->eof(); table->skip()) {
        auto& row = out.emplace_back();
        for (int i = 1; i <= table->fieldCount(); ++i) row.push_back(table->fieldGet(i));
    }
    return out;
}

// A workbook as our writer makes it, filled in with rows of cell XML after the header.
fs::path filledWorkbook(const fs::path& dir, const std::string& itemRows, const std::string& pembelRows = "") {
    std::vector<WorkbookSheet> sheets;
    for (const SheetLayout& layout : layouts()) {
        WorkbookSheet& s = sheets.emplace_back();
        s.name = layout.name;
        for (const SheetColumn& c : layout.columns) s.columns.push_back({c.field, c.mandatory, "", "about " + c.field.name});
    }
    sheets.push_back({"Catatan", "", 0xFFFFFF, {{{"TEXT", 'C', 10, 0}, false, "", ""}}});
    const fs::path file = dir / "filled.xlsx";
    writeWorkbook(file, sheets);
    const std::vector<std::pair<std::string, std::string>> fills = {{"xl/worksheets/sheet1.xml", itemRows},
                                                                    {"xl/worksheets/sheet2.xml", pembelRows}};
    for (const auto& [part, rows] : fills) {
        std::string xml = test::readPart(file, part);
        const size_t end = xml.find("</sheetData>");
        xml.insert(end, rows);
        test::replacePart(file, part, xml);
    }
    return file;
}

std::string inlineText(const std::string& ref, const std::string& text) {
    return "<c r=\"" + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
}
std::string numberCell(const std::string& ref, const std::string& number, int style = 0) {
    return "<c r=\"" + ref + "\"" + (style ? " s=\"" + std::to_string(style) + "\"" : "") + "><v>" + number + "</v></c>";
}

TEST(SheetsToTables, AFilledWorkbookBecomesTables) {
    test::TempDir dir;
    const fs::path out = dir.path() / "templates";
    const fs::path book = filledWorkbook(
        dir.path(),
        "<row r=\"2\">" + inlineText("A2", " A-01 ") + inlineText("B2", "Kopi Luwak") + numberCell("C2", "0") +
            numberCell("D2", "125000.5") + inlineText("E2", "PCS") + "</row>"
            "<row r=\"4\">" + inlineText("A4", "A-02") + inlineText("B4", "Teh") + inlineText("D4", "1.250,75") + "</row>",
        "<row r=\"2\">" + inlineText("A2", "05/01/2024") + numberCell("B2", "1500") + "</row>"
        "<row r=\"3\">" + numberCell("A3", "45351") + inlineText("B3", "2.500") + "</row>");

    const SheetsToTablesOutcome outcome = run(book, out);
    ASSERT_EQ(outcome.status, SheetsToTablesOutcome::Status::Written) << outcome.problems.lines().front();
    EXPECT_EQ(outcome.notes, (std::vector<std::string>{"sheet Catatan passed over: no template of that name"}));
    ASSERT_EQ(outcome.tables.size(), 2u);
    EXPECT_EQ(outcome.tables[0].rows, 2);

    std::vector<xbase::FieldInfo> fields;
    const auto items = records(out / "ITEM.DBF", &fields);
    EXPECT_EQ(fields, (std::vector<xbase::FieldInfo>{{"KODE", 'C', 8, 0}, {"NAMA", 'C', 20, 0}, {"JENIS", 'N', 1, 0},
                                                     {"H_BELI", 'N', 12, 2}, {"SAT_1", 'C', 5, 0}}));
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0][0].text(), "A-01    ");
    EXPECT_EQ(items[0][1].text(), "Kopi Luwak          ");
    EXPECT_EQ(items[0][2].number(), 0);
    EXPECT_DOUBLE_EQ(items[0][3].number(), 125000.5);
    EXPECT_EQ(items[0][4].text(), "PCS  ");
    EXPECT_DOUBLE_EQ(items[1][3].number(), 1250.75);
    const auto payables = records(out / "PEMBEL.DBF");
    ASSERT_EQ(payables.size(), 2u);
    EXPECT_EQ(payables[0][0].date(), (xbase::Date{2024, 1, 5}));
    EXPECT_EQ(payables[1][0].date(), (xbase::Date{2024, 2, 29}));
    EXPECT_DOUBLE_EQ(payables[1][1].number(), 2500);
    std::vector<std::string> left;
    for (const auto& e : fs::directory_iterator(out)) left.push_back(e.path().filename().string());
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"ITEM.DBF", "PEMBEL.DBF"}));  // no staging folder left behind
}

TEST(SheetsToTables, CsvInBothSeparatorsAndEncodings) {
    struct Case {
        const char* name;
        std::string bytes;
    };
    const std::vector<Case> cases = {
        {"comma UTF-8", "KODE,NAMA,H_BELI\nK1,Caf\xC3\xA9 Susu,\"1,250.5\"\nK2,Teh,7\n"},
        {"semicolon UTF-8 BOM", "\xEF\xBB\xBFkode;nama;h_beli\r\nK1;Caf\xC3\xA9 Susu;1.250,5\r\nK2;Teh;7\r\n"},
        {"semicolon Windows-1252", "KODE;NAMA;H_BELI\r\nK1;Caf\xE9 Susu;1250,5\r\n\r\nK2;Teh;7\r\n"},
        {"comma Windows-1252", "KODE,NAMA,H_BELI\nK1,Caf\xE9 Susu,1250.5\nK2,Teh,7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const fs::path csv = dir.path() / "csv";
        fs::create_directories(csv);
        std::ofstream(csv / "Item.CSV", std::ios::binary) << c.bytes;
        std::ofstream(csv / "readme.txt") << "not a sheet";
        const SheetsToTablesOutcome outcome = run(csv, dir.path() / "out");
        ASSERT_EQ(outcome.status, SheetsToTablesOutcome::Status::Written) << outcome.problems.lines().front();
        const auto items = records(dir.path() / "out" / "ITEM.DBF");
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[0][1].text(), "Café Susu           ");
        EXPECT_DOUBLE_EQ(items[0][2].number(), 1250.5);
        EXPECT_EQ(items[1][0].text(), "K2      ");
    }
}

TEST(SheetsToTables, EveryErrorRefusesTheRunAndLeavesTheFolderAsItWas) {
    struct Case {
        const char* name;
        std::string item;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"unknown column", "KODE,NAMA,WARNA\nK1,Kopi,merah\n", "ITEM row 1, column WARNA (C): unknown column"},
        {"repeated column", "KODE,NAMA,kode\nK1,Kopi,K1\n", "ITEM row 1, column KODE (C): column repeated (first in column A)"},
        {"mandatory column missing", "KODE\nK1\n", "ITEM row 1, column NAMA: mandatory column missing"},
        {"text too long", "KODE,NAMA\nK1,Kopi Luwak Asli Sumatra Utara\n",
         "ITEM row 2, column NAMA (B), value \"Kopi Luwak Asli Sumatra Utara\": text too long for the width (29 characters, width 20)"},
        {"not a number", "KODE,NAMA,H_BELI\nK1,Kopi,murah\n", "ITEM row 2, column H_BELI (C), value \"murah\": not a number"},
        {"number too wide", "KODE,NAMA,JENIS\nK1,Kopi,12\n",
         "ITEM row 2, column JENIS (C), value \"12\": number does not fit the width 1 with 0 decimals"},
        {"mandatory value empty", "KODE,NAMA\n,Kopi\n", "ITEM row 2, column KODE (A): mandatory value empty"},
        {"not a date", "", "PEMBEL row 3, column TANGGAL (A), value \"31/02/2024\": not a date (DD/MM/YYYY or YYYY-MM-DD)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const fs::path csv = dir.path() / "csv";
        const fs::path out = dir.path() / "out";
        fs::create_directories(csv);
        fs::create_directories(out);
        std::ofstream(csv / "ITEM.csv") << (c.item.empty() ? "KODE,NAMA\nK1,Kopi\n" : c.item);
        std::ofstream(csv / "PEMBEL.csv") << "TANGGAL,HARGA\n01/01/2024,5\n" << (c.item.empty() ? "31/02/2024" : "") << ",6\n";
        std::ofstream(out / "ITEM.DBF") << "the old template";
        std::ofstream(out / "ITEM.CDX") << "its old index";
        const auto before = test::fileContents(out);

        const SheetsToTablesOutcome outcome = run(csv, out);
        EXPECT_EQ(outcome.status, SheetsToTablesOutcome::Status::Refused);
        const auto lines = outcome.problems.lines();
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.message), lines.end()) << (lines.empty() ? "" : lines[0]);
        EXPECT_EQ(test::fileContents(out), before);
        EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2);
    }
}

TEST(SheetsToTables, WorkbookProblemsMergedCellsFormulasAndBadFiles) {
    test::TempDir dir;
    const fs::path out = dir.path() / "out";
    {
        const fs::path file = dir.path() / "merged.xlsx";
        lxw_workbook* book = workbook_new(file.c_str());
        lxw_worksheet* sheet = workbook_add_worksheet(book, "ITEM");
        worksheet_write_string(sheet, 0, 0, "KODE", nullptr);
        worksheet_write_string(sheet, 0, 1, "NAMA", nullptr);
        worksheet_write_string(sheet, 0, 2, "H_BELI", nullptr);
        worksheet_write_string(sheet, 1, 0, "K1", nullptr);
        worksheet_merge_range(sheet, 1, 1, 2, 1, "Kopi", nullptr);
        worksheet_write_string(sheet, 2, 0, "K2", nullptr);
        worksheet_write_formula_num(sheet, 1, 2, "=1000*2", nullptr, 2000);
        workbook_close(book);
        const auto lines = run(file, out).problems.lines();
        EXPECT_EQ(lines, (std::vector<std::string>{
                             "ITEM row 3, column NAMA (B): mandatory value empty",
                             "ITEM row 2, column B: merged cells B2:B3 (unmerge them: every value needs its own cell)"}));
    }
    {
        const fs::path file = filledWorkbook(dir.path(), "<row r=\"2\">" + inlineText("A2", "K1") + inlineText("B2", "Kopi") +
                                                             "<c r=\"D2\"><f>SUM(X1:X9)</f></c></row>");
        const auto lines = run(file, out).problems.lines();
        EXPECT_EQ(lines, (std::vector<std::string>{"ITEM row 2, column H_BELI (D), value \"(formula)\": formula without a "
                                                   "saved result (open and save the workbook in a spreadsheet program)"}));
    }
    {
        const fs::path file = dir.path() / "plain.xlsx";
        std::ofstream(file) << "KODE,NAMA\n";
        const auto lines = run(file, out).problems.lines();
        ASSERT_EQ(lines.size(), 1u);
        EXPECT_EQ(lines[0], file.string() + ": not an .xlsx workbook (not a ZIP archive)");
    }
    {
        test::WorkbookLayout layout;
        layout.sheets = {{"Sheet1", ""}};
        const fs::path file = dir.path() / "other.xlsx";
        test::writeZip(file, test::workbookParts(layout));
        EXPECT_EQ(run(file, out).problems.lines(),
                  (std::vector<std::string>{"other.xlsx: no sheet named like a template (for example ITEM)"}));
    }
    EXPECT_EQ(run(dir.path() / "none.xlsx", out).problems.lines(),
              (std::vector<std::string>{(dir.path() / "none.xlsx").string() + ": no such file or folder"}));
    EXPECT_FALSE(fs::exists(out));  // a folder made for the run goes again when the run is refused
}

TEST(SheetsToTables, ReplacingAsksFirstAndTakesTheOldFilesAway) {
    test::TempDir dir;
    const fs::path csv = dir.path() / "ITEM.csv";
    const fs::path out = dir.path() / "out";
    fs::create_directories(out);
    std::ofstream(csv) << "KODE,NAMA\nK1,Kopi\n";
    std::ofstream(out / "item.dbf") << "old";
    std::ofstream(out / "Item.cdx") << "old index";
    std::ofstream(out / "VENDOR.DBF") << "untouched";

    SheetsToTablesRequest request;
    request.source = csv;
    request.folder = out;
    request.layoutOf = layoutOf;
    std::vector<std::string> asked;
    request.confirmReplace = [&](const std::vector<std::string>& replaced) {
        asked = replaced;
        return false;
    };
    const auto before = test::fileContents(out);
    EXPECT_EQ(sheetsToTables(request).status, SheetsToTablesOutcome::Status::Declined);
    EXPECT_EQ(asked, (std::vector<std::string>{"ITEM.DBF"}));
    EXPECT_EQ(test::fileContents(out), before);

    request.confirmReplace = [](const std::vector<std::string>&) { return true; };
    EXPECT_EQ(sheetsToTables(request).status, SheetsToTablesOutcome::Status::Written);
    const auto after = test::fileContents(out);
    EXPECT_EQ(after.size(), 2u);
    EXPECT_EQ(after.count("ITEM.DBF"), 1u);
    EXPECT_EQ(after.at("VENDOR.DBF"), "untouched");
    EXPECT_EQ(records(out / "ITEM.DBF").size(), 1u);
}

TEST(SheetsToTables, TruncateTurnsLongTextIntoWarnings) {
    test::TempDir dir;
    const fs::path csv = dir.path() / "ITEM.csv";
    std::ofstream(csv) << "KODE;NAMA\nK1;Kopi Luwak Asli Sumatra Utara\n";
    const auto outcome = run(csv, dir.path() / "out", {.truncate = true});
    ASSERT_EQ(outcome.status, SheetsToTablesOutcome::Status::Written);
    EXPECT_EQ(outcome.problems.lines(),
              (std::vector<std::string>{"warning: ITEM row 2, column NAMA (B), value \"Kopi Luwak Asli Sumatra Utara\": "
                                        "text cut to the width (29 characters, width 20)"}));
    EXPECT_EQ(records(dir.path() / "out" / "ITEM.DBF")[0][1].text(), "Kopi Luwak Asli Suma");
}

}  // namespace
}  // namespace tarvo::sheets

namespace tarvo::sheets {
namespace {

TEST(SheetsToTables, SheetsWithOnlyTheirHeaderReplaceNothing) {
    test::TempDir dir;
    const fs::path out = dir.path() / "out";
    fs::create_directories(out);
    std::ofstream(out / "PEMBEL.DBF") << "kept";
    const fs::path book = filledWorkbook(dir.path(), "<row r=\"2\">" + inlineText("A2", "K1") + inlineText("B2", "Kopi") + "</row>");
    const auto outcome = run(book, out);
    ASSERT_EQ(outcome.status, SheetsToTablesOutcome::Status::Written);
    EXPECT_EQ(outcome.notes, (std::vector<std::string>{"sheet Catatan passed over: no template of that name",
                                                       "sheet PEMBEL passed over: no rows below the header"}));
    ASSERT_EQ(outcome.tables.size(), 1u);
    EXPECT_EQ(test::fileContents(out).at("PEMBEL.DBF"), "kept");
    EXPECT_EQ(records(out / "ITEM.DBF").size(), 1u);

    const fs::path empty = filledWorkbook(dir.path(), "");
    EXPECT_EQ(run(empty, out).problems.lines(),
              (std::vector<std::string>{"filled.xlsx: no sheet named like a template has rows to write"}));
}

}  // namespace
}  // namespace tarvo::sheets
