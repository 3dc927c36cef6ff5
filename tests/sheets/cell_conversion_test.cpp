// Cells converted by column type: text widths, numbers from cells and from text with either
// separator, dates from cells, serials and text, logicals, and the refusals with their reasons.

#include <gtest/gtest.h>

#include "sheets/cell_conversion.h"
#include "sheets/serial_dates.h"

namespace tarvo::sheets {
namespace {

Cell text(std::string t) {
    Cell c;
    c.kind = CellKind::Text;
    c.text = std::move(t);
    return c;
}
Cell number(double n) {
    Cell c;
    c.kind = CellKind::Number;
    c.number = n;
    return c;
}
Cell date(int y, int m, int d) {
    Cell c;
    c.kind = CellKind::Date;
    c.date = {y, m, d};
    return c;
}
Cell logical(bool b) {
    Cell c;
    c.kind = CellKind::Logical;
    c.logical = b;
    return c;
}
Cell kind(CellKind k, std::string t = {}) {
    Cell c;
    c.kind = k;
    c.text = std::move(t);
    return c;
}

TEST(CellConversion, NumbersFromText) {
    const std::vector<std::pair<const char*, std::optional<double>>> cases = {
        {"12", 12},          {" -12.5 ", -12.5},     {"+3", 3},           {"12,5", 12.5},
        {"1.234.567", 1234567}, {"1,234,567", 1234567}, {"1.234,56", 1234.56}, {"1,234.56", 1234.56},
        {"10.000", 10000},   {"1,500", 1.5},         {"0.125", 0.125},    {"1.5", 1.5},
        {".5", 0.5},         {"12.", 12},            {"1234.567", 1234.567}, {"12x", std::nullopt},
        {"1.2.3,4,5", std::nullopt}, {"12,34.56", std::nullopt}, {"1,23,456", std::nullopt},
        {"", std::nullopt},  {"-", std::nullopt},    {".", std::nullopt}, {"1e5", std::nullopt},
        {"Rp 100", std::nullopt}, {"1 000", std::nullopt},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        const auto got = numberFromText(input);
        ASSERT_EQ(got.has_value(), expected.has_value());
        if (got) {
            EXPECT_DOUBLE_EQ(*got, *expected);
        }
    }
}

TEST(CellConversion, DatesFromText) {
    const std::vector<std::pair<const char*, std::optional<xbase::Date>>> cases = {
        {"05/01/2024", xbase::Date{2024, 1, 5}},  {"5/1/2024", xbase::Date{2024, 1, 5}},
        {"29-02-2024", xbase::Date{2024, 2, 29}}, {"31.12.2023", xbase::Date{2023, 12, 31}},
        {"2024-01-05", xbase::Date{2024, 1, 5}},  {"2024/1/5", xbase::Date{2024, 1, 5}},
        {"2024-01-05 13:45:00", xbase::Date{2024, 1, 5}}, {"2024-01-05T00:00:00", xbase::Date{2024, 1, 5}},
        {"29/02/2023", std::nullopt}, {"31/04/2024", std::nullopt}, {"05/01/24", std::nullopt},
        {"2024-13-01", std::nullopt}, {"20240105", std::nullopt},   {"05/01/2024 pagi", std::nullopt},
        {"05/01-2024", std::nullopt}, {"", std::nullopt},
    };
    for (const auto& [input, expected] : cases) {
        SCOPED_TRACE(input);
        EXPECT_EQ(dateFromText(input), expected);
    }
}

TEST(CellConversion, SerialDates) {
    EXPECT_EQ(dateFromSerial(1), (xbase::Date{1900, 1, 1}));
    EXPECT_EQ(dateFromSerial(59), (xbase::Date{1900, 2, 28}));
    EXPECT_TRUE(dateFromSerial(60).empty());
    EXPECT_EQ(dateFromSerial(61), (xbase::Date{1900, 3, 1}));
    EXPECT_EQ(dateFromSerial(45292.75), (xbase::Date{2024, 1, 1}));
    EXPECT_EQ(dateFromSerial(0, true), (xbase::Date{1904, 1, 1}));
    EXPECT_TRUE(dateFromSerial(0).empty());
    EXPECT_TRUE(dateFromSerial(-5).empty());
    for (const xbase::Date d : {xbase::Date{1900, 1, 1}, xbase::Date{1900, 2, 28}, xbase::Date{1900, 3, 1},
                                xbase::Date{2024, 2, 29}})
        EXPECT_EQ(dateFromSerial(serialFromDate(d)), d);
}

TEST(CellConversion, ByColumnType) {
    const xbase::FieldInfo kode{"KODE", 'C', 5, 0};
    const xbase::FieldInfo harga{"HARGA", 'N', 8, 2};
    const xbase::FieldInfo jenis{"JENIS", 'N', 1, 0};
    const xbase::FieldInfo tanggal{"TANGGAL", 'D', 8, 0};
    const xbase::FieldInfo aktif{"AKTIF", 'L', 1, 0};
    struct Case {
        const char* name;
        Cell cell;
        xbase::FieldInfo column;
        xbase::Value value;
        const char* error;
        const char* warning;
    };
    const std::vector<Case> cases = {
        {"text trimmed", text("  AB  "), kode, xbase::Value("AB"), "", ""},
        {"text at the width", text("ABCDE"), kode, xbase::Value("ABCDE"), "", ""},
        {"characters, not bytes", text("ÉÉÉÉÉ"), kode, xbase::Value("ÉÉÉÉÉ"), "", ""},
        {"text too long", text("ABCDEF"), kode, {}, "text too long for the width (6 characters, width 5)", ""},
        {"a character the code page lacks", text("5€"), kode, {}, "character \"€\" not in the table's code page (CP437)", ""},
        {"the first character the code page lacks is named", text("Añő"), kode, {},
         "character \"ő\" not in the table's code page (CP437)", ""},
        {"number as code", number(12345), kode, xbase::Value("12345"), "", ""},
        {"date as text", date(2024, 1, 5), xbase::FieldInfo{"T", 'C', 10, 0}, xbase::Value("05/01/2024"), "", ""},
        {"number cell", number(1234.5), harga, xbase::Value(1234.5), "", ""},
        {"number text", text("1.234,5"), harga, xbase::Value(1234.5), "", ""},
        {"rounded", number(1.005001), harga, xbase::Value(1.01), "", "rounded to 2 decimals"},
        {"too wide", number(123456.5), harga, {}, "number does not fit the width 8 with 2 decimals", ""},
        {"just fits", number(-9999.99), harga, xbase::Value(-9999.99), "", ""},
        {"digit too many", number(10), jenis, {}, "number does not fit the width 1 with 0 decimals", ""},
        {"not a number", text("dua"), harga, {}, "not a number", ""},
        {"logical as number", logical(true), jenis, xbase::Value(1.0), "", ""},
        {"date cell", date(2024, 2, 29), tanggal, xbase::Value(xbase::Date{2024, 2, 29}), "", ""},
        {"date text", text("29/02/2024"), tanggal, xbase::Value(xbase::Date{2024, 2, 29}), "", ""},
        {"serial", number(45351), tanggal, xbase::Value(xbase::Date{2024, 2, 29}), "", ""},
        {"not a date", text("kemarin"), tanggal, {}, "not a date (DD/MM/YYYY or YYYY-MM-DD)", ""},
        {"logical cell", logical(false), aktif, xbase::Value(false), "", ""},
        {"logical Y", text("y"), aktif, xbase::Value(true), "", ""},
        {"logical 0", number(0), aktif, xbase::Value(false), "", ""},
        {"not a logical", text("maybe"), aktif, {}, "not a logical value (TRUE/FALSE, Y/N, 1/0)", ""},
        {"error value", kind(CellKind::Error, "#N/A"), harga, {}, "the cell holds an error value", ""},
        {"formula without result", kind(CellKind::NoValue), harga, {},
         "formula without a saved result (open and save the workbook in a spreadsheet program)", ""},
        {"blank text", text("   "), harga, {}, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const CellResult r = convertCell(&c.cell, c.column, false);
        EXPECT_EQ(r.error, c.error);
        EXPECT_EQ(r.warning, c.warning);
        if (c.value.isNumeric()) {
            EXPECT_NEAR(r.value.number(), c.value.number(), 1e-9);
        } else {
            EXPECT_EQ(r.value, c.value);
        }
    }
}

TEST(CellConversion, MandatoryAndTruncation) {
    const xbase::FieldInfo nama{"NAMA", 'C', 4, 0};
    EXPECT_EQ(convertCell(nullptr, nama, true).error, "mandatory value empty");
    const Cell blank = text(" ");
    EXPECT_EQ(convertCell(&blank, nama, true).error, "mandatory value empty");
    EXPECT_TRUE(convertCell(nullptr, nama, false).value.isNil());

    const Cell longText = text("Kopi ☕ susu");
    const CellResult cut = convertCell(&longText, nama, false, {.truncate = true});
    EXPECT_EQ(cut.error, "");
    EXPECT_EQ(cut.warning, "text cut to the width (11 characters, width 4)");
    EXPECT_EQ(cut.value, xbase::Value("Kopi"));
    const xbase::FieldInfo six{"NAMA", 'C', 6, 0};
    EXPECT_EQ(convertCell(&longText, six, false, {.truncate = true}).error,
              "character \"☕\" not in the table's code page (CP437)");
}

}  // namespace
}  // namespace tarvo::sheets
