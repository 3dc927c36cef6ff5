#pragma once
// Rows and cells of a spreadsheet as the readers deliver them: one row at a time, each cell with
// its kind (text, number, date, logical) so that the conversion can follow the column type.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/value.h"

namespace tarvo::sheets {

// A file that cannot be read as a workbook or as CSV; the text names the file and the problem.
class SheetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

enum class CellKind {
    Empty,
    Text,       // text of the cell (shared, inline, formula text result, or a CSV field)
    Number,     // a number without a date format
    Date,       // a number with a date format, or an ISO date cell
    Logical,    // a boolean cell
    Error,      // an error value such as #DIV/0!, kept in text
    NoValue,    // a formula without a cached result
};

struct Cell {
    int column = 0;  // 0-based
    CellKind kind = CellKind::Empty;
    std::string text;  // Text and Error; for the other kinds the cell's value as written in the file
    double number = 0;
    xbase::Date date;
    bool logical = false;
};

struct Row {
    long number = 0;  // 1-based row number of the sheet (CSV: line of the record's start)
    std::vector<Cell> cells;  // in column order, empty cells left out

    // The cell of a column, nullptr when the row has none there.
    const Cell* cell(int column) const;
    // True when no cell holds anything but blanks.
    bool blank() const;
};

// A rectangle of merged cells, 0-based and inclusive.
struct CellRange {
    long firstRow = 0;
    int firstColumn = 0;
    long lastRow = 0;
    int lastColumn = 0;
};

// Column letters of a 0-based column: 0 is "A", 26 is "AA".
std::string columnLetters(int column);
// The 0-based column and 1-based row of a reference such as "AB12"; false when it is none.
bool parseCellReference(std::string_view reference, int& column, long& row);

// Rows of one sheet, read in file order without holding the sheet in memory.
class RowSource {
public:
    virtual ~RowSource() = default;
    // The sheet's name (a CSV file's name without its extension).
    virtual const std::string& name() const = 0;
    // The next row that has at least one cell; false at the end of the sheet.
    virtual bool next(Row& row) = 0;
    // Merged ranges of the sheet; complete once next() has returned false.
    virtual const std::vector<CellRange>& mergedRanges() const = 0;
};

}  // namespace tarvo::sheets
