#include "importing/value_feeds.h"

#include <filesystem>
#include <utility>

#include "xbase/text_case.h"

namespace tarvo::importing {

ColumnValue column(const std::string& name) {
    return ColumnValue{name, [name](const SourceRow& row) { return row.number(name); }, name};
}

ColumnValue columnWhere(const std::string& name, std::function<bool(const SourceRow&)> test) {
    return ColumnValue{
        name, [name, test = std::move(test)](const SourceRow& row) { return test(row) ? row.number(name) : 0.0; }, name};
}

namespace {

// A sum of columns in brackets, so that the product reads right.
std::string factor(const std::string& columns) {
    return columns.find(' ') == std::string::npos ? columns : "(" + columns + ")";
}

}  // namespace

ColumnValue product(const ColumnValue& a, const ColumnValue& b) {
    return ColumnValue{factor(a.columns) + " × " + factor(b.columns),
                       [a, b](const SourceRow& row) { return a.of(row) * b.of(row); }};
}

std::string failedTable(const xbase::ValueDoesNotFit& failure) {
    return xbase::asciiUpperCase(std::filesystem::path(failure.file()).stem().string());
}

std::string unfitValueText(const std::string& source, const std::vector<FieldColumns>& columns,
                           const xbase::ValueDoesNotFit& failure) {
    const std::string table = failedTable(failure);
    for (const FieldColumns& entry : columns)
        if (entry.table == table && entry.field == failure.field())
            return unfitValueText(source, entry.columns, failure.problem(), table);
    return unfitValueText(source, std::string(), failure.problem(), table);
}

std::string unfitValueText(const std::string& source, const std::string& columns, const std::string& problem,
                           const std::string& table) {
    return source + (columns.empty() ? "" : ", column " + columns) + ": " + problem + " of " + table;
}

}  // namespace tarvo::importing
