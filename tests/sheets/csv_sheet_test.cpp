// CSV files as sheets: both separators, UTF-8 with and without byte-order mark, Windows-1252 by
// default or a named code page, UTF-16 refused by name, quoting, line breaks and blank lines.

#include <gtest/gtest.h>

#include <fstream>

#include "sheets/csv_sheet.h"
#include "tests/support/test_support.h"

namespace tarvo::sheets {
namespace {

std::vector<std::vector<std::string>> rowsOf(CsvSheet& sheet, std::vector<long>* numbers = nullptr) {
    std::vector<std::vector<std::string>> out;
    Row row;
    while (sheet.next(row)) {
        std::vector<std::string> cells;
        for (const Cell& c : row.cells) {
            cells.resize(static_cast<size_t>(c.column) + 1);
            cells[static_cast<size_t>(c.column)] = c.text;
        }
        out.push_back(cells);
        if (numbers) numbers->push_back(row.number);
    }
    return out;
}

TEST(CsvSheet, SeparatorsEncodingsAndQuoting) {
    struct Case {
        const char* name;
        std::string bytes;
        char separator;
        CsvSheet::Encoding encoding;
        const char* codePage = nullptr;  // the one named for text that is not UTF-8
    };
    const std::vector<Case> cases = {
        {"comma, UTF-8", "KODE,NAMA,H_BELI\nA1,Caf\xC3\xA9,\"1,5\"\n", ',', CsvSheet::Encoding::Utf8},
        {"semicolon, UTF-8 with BOM", "\xEF\xBB\xBFKODE;NAMA;H_BELI\r\nA1;Caf\xC3\xA9;1,5\r\n", ';', CsvSheet::Encoding::Utf8},
        {"semicolon, Windows-1252 by default", "KODE;NAMA;H_BELI\r\nA1;Caf\xE9;1,5\r\n", ';', CsvSheet::Encoding::CodePage},
        {"comma, OEM 437 named, no final line break", "KODE,NAMA,H_BELI\nA1,Caf\x82,\"1,5\"", ',',
         CsvSheet::Encoding::CodePage, "437"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::TempDir dir;
        const auto file = dir.path() / "ITEM.csv";
        std::ofstream(file, std::ios::binary) << c.bytes;
        CsvSheet sheet(file, c.codePage ? xbase::CodePage::numbered(c.codePage) : nullptr);
        EXPECT_EQ(sheet.name(), "ITEM");
        EXPECT_EQ(sheet.separator(), c.separator);
        EXPECT_EQ(sheet.encoding(), c.encoding);
        const auto rows = rowsOf(sheet);
        ASSERT_EQ(rows.size(), 2u);
        EXPECT_EQ(rows[0], (std::vector<std::string>{"KODE", "NAMA", "H_BELI"}));
        EXPECT_EQ(rows[1], (std::vector<std::string>{"A1", "Café", "1,5"}));
    }
}

TEST(CsvSheet, QuotedFieldsBlankLinesAndRowNumbers) {
    test::TempDir dir;
    const auto file = dir.path() / "PELANG.csv";
    std::ofstream(file, std::ios::binary) << "NAMA;ALAMAT;CATATAN\n"
                                             "\"Toko \"\"Maju\"\"\";\"Jl. Merdeka 1;\nBandung\";x\n"
                                             "\n"
                                             ";;\n"
                                             "Budi;;  \"kutip\" di tengah\n";
    CsvSheet sheet(file);
    std::vector<long> numbers;
    const auto rows = rowsOf(sheet, &numbers);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[1], (std::vector<std::string>{"Toko \"Maju\"", "Jl. Merdeka 1;\nBandung", "x"}));
    EXPECT_EQ(rows[2], (std::vector<std::string>{"Budi", "", "  \"kutip\" di tengah"}));
    EXPECT_EQ(numbers, (std::vector<long>{1, 2, 6}));
}

TEST(CsvSheet, AnUnclosedQuoteNamesItsLine) {
    test::TempDir dir;
    const auto file = dir.path() / "ITEM.csv";
    std::ofstream(file, std::ios::binary) << "KODE,NAMA\nA,B\nC,\"open\n";
    CsvSheet sheet(file);
    Row row;
    try {
        while (sheet.next(row)) {
        }
        FAIL() << "no error";
    } catch (const SheetError& e) {
        EXPECT_NE(std::string(e.what()).find("ITEM.csv, line 3: quoted field not closed"), std::string::npos) << e.what();
    }
}

TEST(CsvSheet, UTF16IsRefusedByName) {
    for (const std::string mark : {"\xFF\xFE", "\xFE\xFF"}) {
        test::TempDir dir;
        const auto file = dir.path() / "ITEM.csv";
        std::ofstream(file, std::ios::binary) << mark << std::string("K\0O\0D\0E\0\n\0", 10);
        try {
            CsvSheet sheet(file);
            ADD_FAILURE() << "read as " << (sheet.encoding() == CsvSheet::Encoding::Utf8 ? "UTF-8" : "a code page");
        } catch (const SheetError& e) {
            EXPECT_NE(std::string(e.what()).find(file.string() + ": UTF-16 text"), std::string::npos) << e.what();
        }
    }
}

TEST(CsvSheet, AMissingFileIsAnError) {
    test::TempDir dir;
    EXPECT_THROW(CsvSheet(dir.path() / "NONE.csv"), SheetError);
}

}  // namespace
}  // namespace tarvo::sheets
