#include "importing/source_row.h"

#include "importing/code_list.h"

namespace tarvo::importing {

int SourceRow::position(const std::string& column) const {
    auto [it, added] = positions_.try_emplace(column, 0);
    if (added) it->second = table_.fieldPos(column);
    return it->second;
}

xbase::Value SourceRow::value(const std::string& column) const {
    int pos = position(column);
    return pos == 0 ? xbase::Value() : table_.fieldGet(pos);
}

std::string SourceRow::text(const std::string& column) const { return value(column).text(); }

std::string SourceRow::trimmed(const std::string& column) const {
    std::string t = text(column);
    size_t first = t.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return t.substr(first, t.find_last_not_of(' ') - first + 1);
}

std::string SourceRow::upperTrimmed(const std::string& column) const { return upperCase(trimmed(column)); }

std::string SourceRow::code(const std::string& column) const { return normaliseCode(text(column)); }

double SourceRow::number(const std::string& column) const { return value(column).number(); }

xbase::Date SourceRow::date(const std::string& column) const { return value(column).date(); }

}  // namespace tarvo::importing
