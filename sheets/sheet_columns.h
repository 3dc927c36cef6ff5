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
    std::vector<bool> unnamed;     // per sheet column: no header text (a value below it is an error)

    std::vector<xbase::FieldInfo> fields(const SheetLayout& layout) const;
};

// Reads the first row with a value as the header: names are trimmed and compared ignoring case.
// Unknown and repeated names and missing mandatory columns are errors.
SheetHeader readHeader(RowSource& source, const SheetLayout& layout, ProblemList& problems);

// Converts every later row; blank rows are passed over. A row whose cells all passed goes to
// `write` with one value per present column (nil for an empty cell). Merged cells are errors.
// Returns the count of rows with values.
long readRows(RowSource& source, const SheetLayout& layout, const SheetHeader& header, const ConversionOptions& options,
              ProblemList& problems, const std::function<void(const std::vector<xbase::Value>&)>& write);

}  // namespace tarvo::sheets
