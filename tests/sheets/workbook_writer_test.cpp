// The workbook to fill in: one sheet per table, the header row with the column names and their
// notes, formats and validation by type; read back by the workbook reader.

#include <gtest/gtest.h>

#include "sheets/workbook_writer.h"
#include "sheets/xlsx_workbook.h"
#include "tests/support/xlsx_parts.h"
#include "tests/support/test_support.h"

namespace tarvo::sheets {
namespace {

std::vector<WorkbookSheet> twoSheets() {
    return {{"GRPSTK", "File Table : GrpStk.dbf", 0x80FF80,
             {{{"KODE", 'C', 40, 0}, true, "", "Kode Group / Kelompok"},
              {{"NAMA", 'C', 40, 0}, true, "", "Nama Group / Kelompok"}}},
            {"PEMBEL", "File Table : Pembel.dbf", 0x9B80FF,
             {{{"TANGGAL", 'D', 8, 0}, false, "", "Tanggal Nota / Invoice"},
              {{"MAUANG", 'N', 3, 0}, false, "1", "Mata Uang Transaksi"},
              {{"HARGA", 'N', 12, 2}, false, "0", "Nilai Hutang"}}}};
}

TEST(WorkbookWriter, SheetsHeadersNotesAndValidation) {
    test::TempDir dir;
    const auto file = dir.path() / "templates.xlsx";
    writeWorkbook(file, twoSheets());

    XlsxWorkbook book(file);
    EXPECT_EQ(book.sheetNames(), (std::vector<std::string>{"GRPSTK", "PEMBEL"}));
    auto rows = book.openSheet("PEMBEL");
    Row header;
    ASSERT_TRUE(rows->next(header));
    EXPECT_EQ(header.number, 1);
    ASSERT_EQ(header.cells.size(), 3u);
    EXPECT_EQ(header.cells[0].text, "TANGGAL");
    EXPECT_EQ(header.cells[2].text, "HARGA");
    Row more;
    EXPECT_FALSE(rows->next(more));

    const std::string notes = test::readPart(file, "xl/comments2.xml");
    EXPECT_NE(notes.find("HARGA"), std::string::npos);
    EXPECT_NE(notes.find("Nilai Hutang"), std::string::npos);
    EXPECT_NE(notes.find("TIPE N, LEN 12, DEC 2"), std::string::npos);
    EXPECT_NE(notes.find("DEFAULT 0"), std::string::npos);
    const std::string sheet = test::readPart(file, "xl/worksheets/sheet2.xml");
    EXPECT_NE(sheet.find("type=\"date\""), std::string::npos);
    EXPECT_NE(sheet.find("<formula1>-99999999.9"), std::string::npos) << sheet;  // the double nearest -99999999.99
    EXPECT_NE(sheet.find("<formula2>999999999.99</formula2>"), std::string::npos);
    EXPECT_NE(sheet.find("<formula1>-99</formula1><formula2>999</formula2>"), std::string::npos);
    const std::string first = test::readPart(file, "xl/worksheets/sheet1.xml");
    EXPECT_NE(first.find("type=\"textLength\" operator=\"lessThanOrEqual\""), std::string::npos);
    EXPECT_NE(first.find("<formula1>40</formula1>"), std::string::npos);
}

TEST(WorkbookWriter, MandatoryColumnsAreBoldAndSaySo) {
    const WorkbookColumn kode{{"KODE", 'C', 20, 0}, true, "", "Kode Barang"};
    EXPECT_EQ(columnNote(kode), "KODE (WAJIB DIISI)\nKode Barang\nTIPE C, LEN 20, DEC 0");
    const WorkbookColumn sat{{"SAT_1", 'C', 5, 0}, false, "PCS", "Nama Satuan"};
    EXPECT_EQ(columnNote(sat), "SAT_1\nNama Satuan\nTIPE C, LEN 5, DEC 0\nDEFAULT PCS");

    test::TempDir dir;
    const auto file = dir.path() / "bold.xlsx";
    writeWorkbook(file, twoSheets());
    const std::string styles = test::readPart(file, "xl/styles.xml");
    EXPECT_NE(styles.find("<b/>"), std::string::npos);
}

TEST(WorkbookWriter, AnUnwritablePlaceIsAnError) {
    test::TempDir dir;
    EXPECT_THROW(writeWorkbook(dir.path() / "missing" / "book.xlsx", twoSheets()), SheetError);
}

}  // namespace
}  // namespace tarvo::sheets
