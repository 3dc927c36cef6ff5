#pragma once
// Where the numbers an import writes come from: which columns of a source row give the value of
// which numeric field of a retail table, and how (a column as it is, or computed, such as price
// times stock). A value that does not fit its field is named with them, and the checks try every
// row's values against the fields before the shop is touched.

#include <functional>
#include <string>
#include <vector>

#include "importing/source_row.h"
#include "xbase/numeric_fit.h"

namespace tarvo::importing {

// A number computed from columns of a source row.
struct ColumnValue {
    std::string columns;  // as the messages name them: "HGBELI", "SISAGUDANG × HGBELI"
    std::function<double(const SourceRow&)> of;
    // The one column whose value (or 0) this is, so that a column narrower than its field needs
    // no look at the rows; empty for a computed value.
    std::string boundedBy = {};
};
// The column as it is.
ColumnValue column(const std::string& name);
// The column's value where the row passes the test, else 0.
ColumnValue columnWhere(const std::string& name, std::function<bool(const SourceRow&)> test);
// The product of the two ("SISAGUDANG × HGBELI").
ColumnValue product(const ColumnValue& a, const ColumnValue& b);

// A numeric field of a retail table and the value it gets.
struct FieldFeed {
    std::string table;  // "S_STOCK"
    std::string field;  // "SISA_NIL01"
    ColumnValue value;
};

// The numbers a source table's rows give to retail fields; only the rows the import takes up
// count (not deleted, key columns filled).
struct SourceFeeds {
    std::string alias;  // the source table's work area, "MSBRG"
    std::function<bool(const SourceRow&)> takes;
    std::vector<FieldFeed> feeds;
};

// The columns a retail field's value comes from, for sources whose rows are not SourceRows.
struct FieldColumns {
    std::string table;    // "S_STOCK"
    std::string field;    // "HARGA_BELI"
    std::string columns;  // "HARGAPOKOK"
};

// The retail table the failure was written to, as its alias: "S_STOCK".
std::string failedTable(const xbase::ValueDoesNotFit& failure);
// The message of the failure named by its source (see unfitValueText), the columns looked up in
// the list (none when the list lacks the field).
std::string unfitValueText(const std::string& source, const std::vector<FieldColumns>& columns,
                           const xbase::ValueDoesNotFit& failure);

// The message of a value that does not fit, named by where it came from: "MSBRG.DBF record 2,
// column SISAGUDANG × HGBELI: value … does not fit field SISA_NIL01 (N 18,4) of S_STOCK".
// source names the file and record ("MSBRG.DBF record 2") or table and row ("table BARANG row
// 12"); columns may be empty when unknown.
std::string unfitValueText(const std::string& source, const std::string& columns, const std::string& problem,
                           const std::string& table);

}  // namespace tarvo::importing
