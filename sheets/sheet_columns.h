#pragma once
// A sheet read against the columns a table may have: the header row names the columns, each
// later row is converted cell by cell, and every problem goes to the problem list with its place.

#include <functional>
#include <string>
#include <vector>

#include "sheets/cell_conversion.h"
#include "sheets/sheet_problems.h"
#include "sheets/sheet_rows.h"
#include "xbase/table.h"

namespace tarvo::sheets {

struct SheetColumn {
    xbase::FieldInfo field;
    bool mandatory = false;  // the column must be in the sheet and no cell of it may be empty
    bool required = false;   // the column must be in the sheet (its cells may be empty)
};

// The columns a sheet may have, in the order the table takes them.
struct SheetLayout {
    std::string name;
    std::vector<SheetColumn> columns;
};

// The columns a sheet's header row names, in layout order.
struct SheetHeader {
    long row = 0;                  // the header's row number; 0 when the sheet has none
    std::vector<int> layoutIndex;  // per present column: its index in the layout
    std::vector<int> sheetColumn;  // per present column: its 0-based column in the sheet
    std::vector<std::string> names;  // per present column: how problems name it; empty: by field name
    std::vector<bool> unnamed;     // per sheet column: no header text (a value below it is an error)

    std::vector<xbase::FieldInfo> fields(const SheetLayout& layout) const;
    // The name of the i-th present column in the problem list.
    std::string columnName(size_t i, const SheetLayout& layout) const;
};

// A sheet column given to a layout column by a column mapping rather than by its header text.
struct MappedColumn {
    int sheetColumn = -1;  // 0-based; -1: the column whose header text is `header`
    std::string header;    // the header text; with a sheet column, the text the header row must have there
    int layoutIndex = 0;
};

// Reads the first row with a value as the header: names are trimmed and compared ignoring case.
// Unknown and repeated names and missing mandatory columns are errors.
SheetHeader readHeader(RowSource& source, const SheetLayout& layout, ProblemList& problems);

// Passes over the rows above `headerRow` (titles), reads that row and takes the mapped columns;
// every other column with a header text is passed over (a value under no header text stays an
// error, as it may be data typed where no column was named). A mapped column the header row does not hold, a layout
// column given twice and a missing mandatory column are errors. Problems name a column by its
// header text and field ("Harga Beli [H_BELI]") when the two differ.
SheetHeader readMappedHeader(RowSource& source, const SheetLayout& layout, long headerRow,
                             const std::vector<MappedColumn>& columns, ProblemList& problems);

// Converts every later row; blank rows are passed over. A row whose cells all passed goes to
// `write` with one value per present column (nil for an empty cell). Merged cells are errors,
// except in the rows above the header.
// Returns the count of rows with values.
long readRows(RowSource& source, const SheetLayout& layout, const SheetHeader& header, const ConversionOptions& options,
              ProblemList& problems, const std::function<void(const std::vector<xbase::Value>&)>& write);

}  // namespace tarvo::sheets
