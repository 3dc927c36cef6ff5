#pragma once
// The current row of an open template or source table, read by column name.

#include <cstdint>
#include <string>
#include <unordered_map>

#include "xbase/table.h"

namespace tarvo::importing {

// Reads the current row of an open template or source table; a column the file lacks gives the
// type's empty value.
class SourceRow {
public:
    explicit SourceRow(const xbase::Table& table) : table_(table) {}
    bool has(const std::string& column) const { return position(column) != 0; }
    xbase::Value value(const std::string& column) const;
    std::string text(const std::string& column) const;      // as stored, blank-padded
    std::string trimmed(const std::string& column) const;   // blanks removed on both sides
    std::string upperTrimmed(const std::string& column) const;  // blanks removed, upper case (upperCase)
    std::string code(const std::string& column) const;      // normalised: trimmed, upper case
    double number(const std::string& column) const;
    xbase::Date date(const std::string& column) const;
    uint32_t recno() const { return table_.recNo(); }
    bool deleted() const { return table_.deleted(); }

private:
    // The column's position, looked up by name once per table: the rows share it.
    int position(const std::string& column) const;

    const xbase::Table& table_;
    mutable std::unordered_map<std::string, int> positions_;
};

}  // namespace tarvo::importing
