#pragma once
// Writes the fields of one open retail table by name, each name resolved to its position once:
// the item import writes some two hundred fields per record, hundreds of thousands of times.

#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>

#include "xbase/table.h"
#include "xbase/value.h"

namespace tarvo::templates {

class FieldWriter {
public:
    // The table open under the alias; it must stay open while the writer is used.
    explicit FieldWriter(std::string alias);

    // Into the current record of the table. A field the table lacks ends the program with the
    // message of VOFieldPut.
    void put(std::string_view field, const xbase::Value& value);
    void put(std::initializer_list<const char*> fields, const xbase::Value& value);
    // The run stamps INPUT_OLEH = -1, TGL_INPUT and JAM_INPUT, for the fields the table has.
    void putStamps(const xbase::Date& date, const std::string& time);

    xbase::Table& table() const { return *table_; }

private:
    int position(std::string_view field);

    // Looks names up without making a string of each.
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };

    std::string alias_;
    xbase::Table* table_;
    std::unordered_map<std::string, int, NameHash, std::equal_to<>> positions_;
};

}  // namespace tarvo::templates
