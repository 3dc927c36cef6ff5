// A sheet read against a table's columns: the header row, every cell checked, the problem list
// with sheet, row, column, value and reason, and rows handed on only while nothing failed.

#include <gtest/gtest.h>

#include "sheets/sheet_columns.h"

namespace tarvo::sheets {
namespace {

// Rows given in the test, as a reader would deliver them.
class GivenRows : public RowSource {
public:
    GivenRows(std::string name, std::vector<std::vector<std::string>> rows, std::vector<CellRange> merged = {})
        : name_(std::move(name)), rows_(std::move(rows)), merged_(std::move(merged)) {}
    const std::string& name() const override { return name_; }
    const std::vector<CellRange>& mergedRanges() const override { return merged_; }
    bool next(Row& row) override {
        while (at_ < rows_.size()) {
            const auto& given = rows_[at_++];
            row.number = static_cast<long>(at_);
            row.cells.clear();
            for (size_t c = 0; c < given.size(); ++c) {
                if (given[c].empty()) continue;
                Cell cell;
                cell.column = static_cast<int>(c);
                cell.kind = CellKind::Text;
                cell.text = given[c];
                row.cells.push_back(cell);
            }
            if (!row.cells.empty()) return true;
        }
        return false;
    }

private:
    std::string name_;
    std::vector<std::vector<std::string>> rows_;
    std::vector<CellRange> merged_;
    size_t at_ = 0;
};

SheetLayout itemLayout() {
    return {"ITEM",
            {{{"KODE", 'C', 6, 0}, true},
             {{"NAMA", 'C', 10, 0}, true},
             {{"H_BELI", 'N', 8, 2}, false},
             {{"TANGGAL", 'D', 8, 0}, false},
             {{"CATATAN", 'C', 20, 0}, false}}};
}

struct Outcome {
    SheetHeader header;
    std::vector<std::vector<xbase::Value>> written;
    std::vector<std::string> lines;
    long rows = 0;
};

Outcome read(GivenRows rows, ConversionOptions options = {}) {
    Outcome out;
    ProblemList problems;
    const SheetLayout layout = itemLayout();
    out.header = readHeader(rows, layout, problems);
    out.rows = readRows(rows, layout, out.header, options, problems,
                        [&](const std::vector<xbase::Value>& values) { out.written.push_back(values); });
    out.lines = problems.lines();
    return out;
}

TEST(SheetColumns, PresentColumnsInLayoutOrderAndRowsConverted) {
    const Outcome out = read(GivenRows("ITEM", {{},
                                                {" h_beli ", "NAMA", "KODE"},
                                                {"1.250,5", "Kopi", "K1"},
                                                {},
                                                {"", "Teh", "K2"}}));
    EXPECT_TRUE(out.lines.empty());
    EXPECT_EQ(out.header.row, 2);
    const auto fields = out.header.fields(itemLayout());
    ASSERT_EQ(fields.size(), 3u);
    EXPECT_EQ(fields[0].name, "KODE");
    EXPECT_EQ(fields[1].name, "NAMA");
    EXPECT_EQ(fields[2].name, "H_BELI");
    EXPECT_EQ(out.rows, 2);
    ASSERT_EQ(out.written.size(), 2u);
    EXPECT_EQ(out.written[0], (std::vector<xbase::Value>{xbase::Value("K1"), xbase::Value("Kopi"), xbase::Value(1250.5)}));
    EXPECT_EQ(out.written[1], (std::vector<xbase::Value>{xbase::Value("K2"), xbase::Value("Teh"), xbase::Value()}));
}

TEST(SheetColumns, EveryProblemWithItsPlace) {
    const Outcome out = read(GivenRows("ITEM", {{"KODE", "HARGA", "TANGGAL", "kode", "", "CATATAN"},
                                                {"K1", "", "31/02/2024", "", "", "ok"},
                                                {"", "", "2024-01-05", "", "lost", ""},
                                                {"KODE-PANJANG", "", "", "", "", ""}},
                                         {{3, 0, 3, 1}}));
    const std::vector<std::string> expected = {
        "ITEM row 1, column HARGA (B): unknown column",
        "ITEM row 1, column KODE (D): column repeated (first in column A)",
        "ITEM row 1, column NAMA: mandatory column missing",
        "ITEM row 2, column TANGGAL (C), value \"31/02/2024\": not a date (DD/MM/YYYY or YYYY-MM-DD)",
        "ITEM row 3, column KODE (A): mandatory value empty",
        "ITEM row 3, column E, value \"lost\": value in a column without a name in the header row",
        "ITEM row 4, column KODE (A), value \"KODE-PANJANG\": text too long for the width (12 characters, width 6)",
        "ITEM row 3, column A: merged cells A3:B3 (unmerge them: every value needs its own cell)",
    };
    EXPECT_EQ(out.lines, expected);
    EXPECT_TRUE(out.written.empty());
}

TEST(SheetColumns, WarningsDoNotStopTheRows) {
    const Outcome out = read(GivenRows("ITEM", {{"KODE", "NAMA"}, {"K1", "Kopi susu gula aren"}}), {.truncate = true});
    EXPECT_EQ(out.lines, (std::vector<std::string>{
                             "warning: ITEM row 2, column NAMA (B), value \"Kopi susu gula aren\": text cut to the "
                             "width (19 characters, width 10)"}));
    ASSERT_EQ(out.written.size(), 1u);
    EXPECT_EQ(out.written[0][1], xbase::Value("Kopi susu "));
}

TEST(SheetColumns, AnEmptySheetHasNoHeader) {
    const Outcome out = read(GivenRows("ITEM", {{}, {"", " "}}));
    EXPECT_EQ(out.lines, (std::vector<std::string>{"ITEM: the sheet is empty (no header row with column names)"}));
}

TEST(SheetColumns, TheListKeepsALimitAndCountsTheRest) {
    ProblemList problems(2);
    for (int i = 0; i < 5; ++i) problems.error("ITEM", i + 2, "KODE", 0, "", "mandatory value empty");
    problems.warning("ITEM", 9, "NAMA", 1, "x", "text cut");
    EXPECT_EQ(problems.errorCount(), 5u);
    const auto lines = problems.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], "warning: ITEM row 9, column NAMA (B), value \"x\": text cut");
    EXPECT_EQ(lines[3], "... and 3 more errors");
}

// A sheet read through a column mapping: titles above the header row (merged or not) passed over,
// columns by letter or by header text, other named columns passed over whatever they hold; a
// value under no header text is still refused.
TEST(SheetColumns, MappedColumnsBelowATitle) {
    GivenRows rows("Sheet1", {{"DAFTAR BARANG"},
                              {"No", "Nama Barang", "Kode", "Rak"},
                              {"1", "Kopi", "K1", "A-1"},
                              {"2", "Teh", "", "A-2"},
                              {"3", "Susu", "K3", "", "lupa judul"}},
                   {{1, 0, 1, 3}});
    const SheetLayout layout = itemLayout();
    ProblemList problems;
    const SheetHeader header =
        readMappedHeader(rows, layout, 2, {{1, "Nama Barang", 1}, {-1, " kode ", 0}}, problems);
    EXPECT_EQ(header.row, 2);
    EXPECT_EQ(header.layoutIndex, (std::vector<int>{0, 1}));
    EXPECT_EQ(header.sheetColumn, (std::vector<int>{2, 1}));
    std::vector<std::vector<xbase::Value>> written;
    readRows(rows, layout, header, {}, problems, [&](const std::vector<xbase::Value>& values) { written.push_back(values); });
    EXPECT_EQ(problems.lines(), (std::vector<std::string>{
                                    "Sheet1 row 4, column KODE (C): mandatory value empty",
                                    "Sheet1 row 5, column E, value \"lupa judul\": value in a column without a name in the header row"}));
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0], (std::vector<xbase::Value>{xbase::Value("K1"), xbase::Value("Kopi")}));
}

TEST(SheetColumns, AMappingThatDoesNotFitTheHeaderRow) {
    struct Case {
        long headerRow;
        std::vector<MappedColumn> columns;
        std::string problem;
    };
    const std::vector<Case> cases = {
        {2, {{1, "Nama", 1}, {-1, "Kode Barang", 0}}, "Sheet1 row 2, column Kode Barang: column of the mapping not in the header row"},
        {2, {{2, "Nama", 1}, {-1, "Kode", 0}},
         "Sheet1 row 2, column Nama (C), value \"Kode\": the header row has another text in this column than the mapping"},
        {2, {{1, "", 0}, {2, "", 0}}, "Sheet1 row 2, column Kode (C): column KODE given twice (first to column B)"},
        {2, {{2, "Kode", 0}}, "Sheet1 row 2, column NAMA: mandatory column missing"},
        {3, {{2, "Kode", 0}}, "Sheet1 row 3: the header row is empty"},
    };
    for (const Case& c : cases) {
        GivenRows rows("Sheet1", {{"DAFTAR"}, {"No", "Nama", "Kode"}, {}, {"1", "Kopi", "K1"}});
        ProblemList problems;
        readMappedHeader(rows, itemLayout(), c.headerRow, c.columns, problems);
        ASSERT_FALSE(problems.lines().empty()) << c.problem;
        EXPECT_EQ(problems.lines()[0], c.problem);
    }
}

}  // namespace
}  // namespace tarvo::sheets
