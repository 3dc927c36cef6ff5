#pragma once
// Headers shop owners commonly give their own spreadsheet columns, in Indonesian and English, per
// template column; and sheet names that say which template a sheet fills.

#include <string_view>
#include <vector>

namespace tarvo::templatetools {

struct KnownHeaders {
    std::string_view templateName;  // empty: every template with the field
    std::string_view field;
    std::vector<std::string_view> headers;  // compared after normalising (case, punctuation)
};

const std::vector<KnownHeaders>& knownHeaders();

struct KnownSheetName {
    std::string_view word;  // a word of the sheet's name
    std::string_view templateName;
};

const std::vector<KnownSheetName>& knownSheetNames();

}  // namespace tarvo::templatetools
