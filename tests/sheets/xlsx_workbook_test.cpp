// Reading .xlsx workbooks: cell kinds, shared and inline strings, dates by number format,
// formulas with and without results, merged cells, streamed long sheets and damaged files.

#include <gtest/gtest.h>
#include <xlsxwriter.h>

#include <fstream>

#include "sheets/xlsx_workbook.h"
#include "tests/support/xlsx_parts.h"
#include "tests/support/test_support.h"

namespace tarvo::sheets {
namespace {

using test::TempDir;
using test::WorkbookLayout;

std::vector<Row> allRows(RowSource& source) {
    std::vector<Row> rows;
    Row row;
    while (source.next(row)) rows.push_back(row);
    return rows;
}

std::vector<Row> readSheet(const std::filesystem::path& file, const std::string& sheet = "ITEM") {
    XlsxWorkbook workbook(file);
    auto source = workbook.openSheet(sheet);
    return allRows(*source);
}

std::string sheetError(const std::filesystem::path& file) {
    try {
        XlsxWorkbook workbook(file);
        for (const std::string& name : workbook.sheetNames()) {
            auto source = workbook.openSheet(name);
            allRows(*source);
        }
    } catch (const SheetError& e) {
        return e.what();
    }
    return "";
}

TEST(XlsxWorkbook, ReadsWhatASpreadsheetLibraryWrites) {
    for (const bool constantMemory : {false, true}) {  // shared strings, then inline strings
        SCOPED_TRACE(constantMemory ? "inline strings" : "shared strings");
        TempDir dir;
        const auto file = dir.path() / "book.xlsx";
        lxw_workbook_options options{};
        options.constant_memory = constantMemory ? LXW_TRUE : LXW_FALSE;
        lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
        lxw_worksheet* other = workbook_add_worksheet(book, "Notes");
        worksheet_write_string(other, 0, 0, "ignored", nullptr);
        lxw_worksheet* sheet = workbook_add_worksheet(book, "ITEM");
        lxw_format* dateFormat = workbook_add_format(book);
        format_set_num_format(dateFormat, "dd/mm/yyyy");
        worksheet_write_string(sheet, 0, 0, "KODE", nullptr);
        worksheet_write_string(sheet, 0, 1, "H_BELI", nullptr);
        worksheet_write_string(sheet, 0, 2, "TANGGAL", nullptr);
        worksheet_write_string(sheet, 1, 0, "A-001  ", nullptr);
        worksheet_write_number(sheet, 1, 1, 1250.5, nullptr);
        lxw_datetime when{2024, 2, 29, 0, 0, 0};
        worksheet_write_datetime(sheet, 1, 2, &when, dateFormat);
        worksheet_write_string(sheet, 3, 0, "Kopi Luwak ☕", nullptr);  // row 3 left empty
        worksheet_write_boolean(sheet, 3, 1, 1, nullptr);
        worksheet_write_formula_num(sheet, 3, 2, "=1+1", nullptr, 2);
        worksheet_write_number(sheet, 4, 26, 7, nullptr);  // column AA
        ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

        XlsxWorkbook workbook(file);
        EXPECT_EQ(workbook.sheetNames(), (std::vector<std::string>{"Notes", "ITEM"}));
        const auto rows = readSheet(file);
        ASSERT_EQ(rows.size(), 4u);
        EXPECT_EQ(rows[0].number, 1);
        EXPECT_EQ(rows[1].number, 2);
        EXPECT_EQ(rows[2].number, 4);
        EXPECT_EQ(rows[3].number, 5);
        EXPECT_EQ(rows[1].cell(0)->text, "A-001  ");
        EXPECT_EQ(rows[1].cell(1)->kind, CellKind::Number);
        EXPECT_DOUBLE_EQ(rows[1].cell(1)->number, 1250.5);
        ASSERT_EQ(rows[1].cell(2)->kind, CellKind::Date);
        EXPECT_EQ(rows[1].cell(2)->date, (xbase::Date{2024, 2, 29}));
        EXPECT_EQ(rows[2].cell(0)->text, "Kopi Luwak ☕");
        EXPECT_EQ(rows[2].cell(1)->kind, CellKind::Logical);
        EXPECT_TRUE(rows[2].cell(1)->logical);
        EXPECT_EQ(rows[2].cell(2)->kind, CellKind::Number);  // the formula's cached result
        EXPECT_DOUBLE_EQ(rows[2].cell(2)->number, 2);
        ASSERT_NE(rows[3].cell(26), nullptr);
        EXPECT_EQ(rows[3].cells.size(), 1u);
    }
}

TEST(XlsxWorkbook, MergedRangesAreReportedAfterTheRows) {
    TempDir dir;
    const auto file = dir.path() / "merged.xlsx";
    lxw_workbook* book = workbook_new(file.c_str());
    lxw_worksheet* sheet = workbook_add_worksheet(book, "ITEM");
    worksheet_write_string(sheet, 0, 0, "KODE", nullptr);
    worksheet_merge_range(sheet, 2, 1, 3, 2, "two rows", nullptr);
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    XlsxWorkbook workbook(file);
    auto source = workbook.openSheet("ITEM");
    allRows(*source);
    ASSERT_EQ(source->mergedRanges().size(), 1u);
    const CellRange r = source->mergedRanges()[0];
    EXPECT_EQ(r.firstRow, 3);
    EXPECT_EQ(r.firstColumn, 1);
    EXPECT_EQ(r.lastRow, 4);
    EXPECT_EQ(r.lastColumn, 2);
}

TEST(XlsxWorkbook, CellKindsOfHandWrittenParts) {
    TempDir dir;
    const auto file = dir.path() / "parts.xlsx";
    WorkbookLayout layout;
    layout.sharedStrings = {"plain", "<r><t>rich </t></r><r><rPr/><t>text</t></r><rPh><t>ignored</t></rPh>"};
    layout.numberFormats = {{164, "[Red]yyyy\\-mm\\-dd"}, {165, "h:mm"}, {166, "\"day\" 0"}};
    layout.cellStyles = {0, 164, 165, 166, 14};
    layout.sheets = {{"ITEM",
                    "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c>"
                    "<c r=\"C1\" t=\"str\"><f>A1&amp;\"x\"</f><v>plainx</v></c><c r=\"D1\"><f>NOW()</f></c>"
                    "<c r=\"E1\" t=\"e\"><v>#DIV/0!</v></c><c r=\"F1\" t=\"d\"><v>2023-12-31T00:00:00</v></c>"
                    "<c r=\"G1\" t=\"s\"><v>9</v></c></row>"
                    "<row r=\"2\"><c r=\"A2\" s=\"1\"><v>45000</v></c><c r=\"B2\" s=\"2\"><v>0.5</v></c>"
                    "<c r=\"C2\" s=\"3\"><v>3</v></c><c r=\"D2\" s=\"4\"><v>1</v></c><c r=\"E2\" s=\"4\"><v>60</v></c>"
                    "<c r=\"F2\" t=\"inlineStr\"><is><t xml:space=\"preserve\"> a&lt;/row&gt;b </t></is></c></row>"
                    "<row r=\"3\" spans=\"1:2\"/>"
                    "<row><c><v>1</v></c><c><v>2</v></c><c r=\"E4\"><v>5</v></c><c><v>6</v></c></row>"}};
    test::writeZip(file, test::workbookParts(layout));

    const auto rows = readSheet(file);
    ASSERT_EQ(rows.size(), 3u);
    const Row& r1 = rows[0];
    EXPECT_EQ(r1.cell(0)->text, "plain");
    EXPECT_EQ(r1.cell(1)->text, "rich text");
    EXPECT_EQ(r1.cell(2)->kind, CellKind::Text);
    EXPECT_EQ(r1.cell(2)->text, "plainx");
    EXPECT_EQ(r1.cell(3)->kind, CellKind::NoValue);
    EXPECT_EQ(r1.cell(4)->kind, CellKind::Error);
    EXPECT_EQ(r1.cell(5)->date, (xbase::Date{2023, 12, 31}));
    EXPECT_EQ(r1.cell(6)->kind, CellKind::Error);  // a shared string that is not there
    const Row& r2 = rows[1];
    EXPECT_EQ(r2.cell(0)->kind, CellKind::Date);
    EXPECT_EQ(r2.cell(0)->date, (xbase::Date{2023, 3, 15}));
    EXPECT_EQ(r2.cell(1)->kind, CellKind::Number);  // a time of day is no date
    EXPECT_EQ(r2.cell(2)->kind, CellKind::Number);  // "day" is quoted text of the format
    EXPECT_EQ(r2.cell(3)->date, (xbase::Date{1900, 1, 1}));
    EXPECT_EQ(r2.cell(4)->kind, CellKind::Number);  // the phantom 29/02/1900 names no day
    EXPECT_EQ(r2.cell(5)->text, " a</row>b ");
    const Row& r4 = rows[2];
    EXPECT_EQ(r4.number, 4);
    ASSERT_EQ(r4.cells.size(), 4u);
    EXPECT_EQ(r4.cells[1].column, 1);
    EXPECT_EQ(r4.cells[2].column, 4);
    EXPECT_EQ(r4.cells[3].column, 5);
}

TEST(XlsxWorkbook, PrefixedNamesAndThe1904DateSystem) {
    TempDir dir;
    const auto file = dir.path() / "prefixed.xlsx";
    WorkbookLayout layout;
    layout.date1904 = true;
    layout.cellStyles = {0, 14};
    test::XlsxParts parts = test::workbookParts(layout);
    parts["xl/workbook.xml"] =
        "<x:workbook xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:rel=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\"><x:workbookPr date1904=\"true\"/>"
        "<x:sheets><x:sheet name=\"ITEM\" sheetId=\"1\" rel:id=\"rId1\"/></x:sheets></x:workbook>";
    parts["xl/_rels/workbook.xml.rels"] =
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"/xl/worksheets/data.xml\"/>"
        "<Relationship Id=\"rId2\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
        "Target=\"styles.xml\"/></Relationships>";
    parts["xl/worksheets/data.xml"] =
        "<x:worksheet xmlns:x=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\"><x:sheetData>"
        "<x:row r=\"1\" note=\"a > b\"><x:c r=\"A1\" s=\"1\"><x:v>0</x:v></x:c><!-- <row> --></x:row>"
        "<x:row r=\"2\"><x:c r=\"B2\" t=\"inlineStr\"><x:is><x:t><![CDATA[</x:row>]]></x:t></x:is></x:c></x:row>"
        "</x:sheetData><x:mergeCells count=\"1\"><x:mergeCell ref=\"A5:B5\"/></x:mergeCells></x:worksheet>";
    test::writeZip(file, parts);

    XlsxWorkbook workbook(file);
    auto source = workbook.openSheet("ITEM");
    const auto rows = allRows(*source);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].cell(0)->date, (xbase::Date{1904, 1, 1}));
    EXPECT_EQ(rows[1].cell(1)->text, "</x:row>");
    ASSERT_EQ(source->mergedRanges().size(), 1u);
    EXPECT_EQ(source->mergedRanges()[0].firstRow, 5);
}

TEST(XlsxWorkbook, StreamsALongSheet) {
    TempDir dir;
    const auto file = dir.path() / "long.xlsx";
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(file.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "ITEM");
    const int rows = 100000;
    for (int r = 0; r < rows; ++r) {
        worksheet_write_string(sheet, r, 0, ("K" + std::to_string(r)).c_str(), nullptr);
        worksheet_write_number(sheet, r, 1, r, nullptr);
    }
    ASSERT_EQ(workbook_close(book), LXW_NO_ERROR);

    XlsxWorkbook workbook(file);
    auto source = workbook.openSheet("ITEM");
    Row row;
    long count = 0;
    bool inOrder = true;
    while (source->next(row)) {
        inOrder = inOrder && row.number == count + 1 && row.cell(1) && row.cell(1)->number == count &&
                  row.cell(0)->text == "K" + std::to_string(count);
        ++count;
    }
    EXPECT_EQ(count, rows);
    EXPECT_TRUE(inOrder);
}

// Rows and shared strings are parsed many at a time; a comment among them (whose text could hide a
// closing tag) and rows of varying width must come out as when read one by one.
TEST(XlsxWorkbook, LongPartsReadManyElementsAtATime) {
    TempDir dir;
    const auto file = dir.path() / "runs.xlsx";
    const int count = 6000;
    WorkbookLayout layout;
    std::string rows;
    for (int r = 1; r <= count; ++r) {
        layout.sharedStrings.push_back(r == 2500 ? "<t>s2500</t><!-- </si><si><t>x</t></si> -->" : "<t>s" + std::to_string(r) + "</t>");
        if (r == 3000) rows += "<!-- </row><row r=\"1\"><c><v>9</v></c></row> -->";
        if (r == 4000) {
            rows += "<row r=\"4000\" spans=\"1:3\"/>";
            continue;
        }
        rows += "<row r=\"" + std::to_string(r) + "\"><c r=\"A" + std::to_string(r) + "\" t=\"s\"><v>" + std::to_string(r - 1) +
                "</v></c>";
        if (r % 3) rows += "<c r=\"C" + std::to_string(r) + "\"><v>" + std::to_string(r) + ".5</v></c>";
        rows += "</row>";
    }
    layout.sheets = {{"ITEM", rows}};
    test::writeZip(file, test::workbookParts(layout));

    long expected = 0;
    bool same = true;
    for (const Row& row : readSheet(file)) {
        if (++expected == 4000) ++expected;
        const std::string number = std::to_string(expected);
        same = same && row.number == expected && row.cells.size() == (expected % 3 ? 2u : 1u) &&
               row.cells[0].text == "s" + number && (expected % 3 == 0 || (row.cells[1].column == 2 && row.cells[1].number == expected + 0.5));
        if (!same) {
            ADD_FAILURE() << "row " << row.number << " where " << expected << " was expected";
            break;
        }
    }
    EXPECT_EQ(expected, count);
}

// Rows that hold nothing, in each form a spreadsheet program writes them, are passed over; a row
// without a number after them is numbered after the last row, empty or not.
TEST(XlsxWorkbook, EmptyRowsArePassedOverAndCountedForTheRowNumbers) {
    TempDir dir;
    const auto file = dir.path() / "empty.xlsx";
    const long empty = 40000;
    std::string rows = "<row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>KODE</t></is></c></row>";
    for (long r = 2; r < 2 + empty; ++r) {
        const std::string n = std::to_string(r);
        switch (r % 4) {
            case 0: rows += "<row r=\"" + n + "\"/>"; break;
            case 1: rows += "<row r=\"" + n + "\" spans=\"1:3\" ht=\"15\" customHeight=\"1\"/>"; break;
            case 2: rows += "<row r=\"" + n + "\"></row>"; break;
            default: rows += "<row r=\"" + n + "\"><c r=\"A" + n + "\" s=\"1\"/><c r=\"B" + n + "\" s=\"1\"></c></row>";
        }
    }
    rows += "<row/><row><c t=\"inlineStr\"><is><t>A1</t></is></c></row>";
    WorkbookLayout layout;
    layout.cellStyles = {0, 0};
    layout.sheets = {{"ITEM", rows}};
    test::writeZip(file, test::workbookParts(layout));

    const std::vector<Row> read = readSheet(file);
    ASSERT_EQ(read.size(), 2u);
    EXPECT_EQ(read[0].number, 1);
    EXPECT_EQ(read[1].number, empty + 3);
    ASSERT_EQ(read[1].cells.size(), 1u);
    EXPECT_EQ(read[1].cells[0].text, "A1");
}

TEST(XlsxWorkbook, BadFilesGiveAClearMessage) {
    TempDir dir;
    struct Case {
        const char* name;
        std::function<void(const std::filesystem::path&)> make;
        const char* message;
    };
    auto validBook = [](const std::filesystem::path& file) {
        WorkbookLayout layout;
        std::string rows;
        for (int r = 1; r <= 2000; ++r)
            rows += "<row r=\"" + std::to_string(r) + "\"><c t=\"inlineStr\"><is><t>row " + std::to_string(r * 7919) +
                    "</t></is></c></row>";
        layout.sheets = {{"ITEM", rows}};
        test::writeZip(file, test::workbookParts(layout));
    };
    const std::vector<Case> cases = {
        {"text", [](const auto& f) { std::ofstream(f) << "KODE,NAMA\nA,B\n"; }, "not an .xlsx workbook (not a ZIP archive)"},
        {"empty", [](const auto& f) { std::ofstream(f) << ""; }, "not an .xlsx workbook"},
        {"zip without workbook", [](const auto& f) { test::writeZip(f, {{"hello.txt", "hi"}}); },
         "not an .xlsx workbook (no xl/workbook.xml)"},
        {"truncated", [&](const auto& f) {
             validBook(f);
             std::filesystem::resize_file(f, std::filesystem::file_size(f) / 2);
         }, "not an .xlsx workbook"},
        {"damaged data", [&](const auto& f) {
             validBook(f);
             std::fstream io(f, std::ios::in | std::ios::out | std::ios::binary);
             io.seekp(static_cast<std::streamoff>(std::filesystem::file_size(f) / 2));
             io.write("\xFF\x00\xFF\x00\xFF\x00\xFF\x00", 8);
         }, "damaged"},
        {"broken sheet XML", [](const auto& f) {
             WorkbookLayout layout;
             layout.sheets = {{"ITEM", "<row r=\"1\"><c><v>1</v></c><c><v>2</x></c></row>"}};
             test::writeZip(f, test::workbookParts(layout));
         }, "sheet ITEM: damaged sheet XML near row 1"},
        {"broken row deep in a long sheet", [](const auto& f) {
             WorkbookLayout layout;
             std::string rows;
             for (int r = 1; r <= 3000; ++r)
                 rows += "<row r=\"" + std::to_string(r) + "\"><c><v>" + (r == 2345 ? "1</x>" : std::to_string(r) + "</v>") + "</c></row>";
             layout.sheets = {{"ITEM", rows}};
             test::writeZip(f, test::workbookParts(layout));
         }, "sheet ITEM: damaged sheet XML near row 2345"},
        {"row never closed", [](const auto& f) {
             WorkbookLayout layout;
             layout.sheets = {{"ITEM", ""}};
             test::XlsxParts parts = test::workbookParts(layout);
             parts["xl/worksheets/sheet1.xml"] = "<worksheet><sheetData><row r=\"1\"><c><v>1</v></c>";
             test::writeZip(f, parts);
         }, "not closed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto file = dir.path() / (std::string(c.name) + ".xlsx");
        c.make(file);
        const std::string message = sheetError(file);
        EXPECT_NE(message.find(c.message), std::string::npos) << message;
        EXPECT_NE(message.find(file.string()), std::string::npos) << message;
    }
}

}  // namespace
}  // namespace tarvo::sheets
