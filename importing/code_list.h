#pragma once
// An ordered list of normalised codes (trimmed, upper case) whose 1-based positions are the
// identifiers of the records made from them. Lookups are exact and take constant time.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tarvo::importing {

// Upper case as the key expressions of the retail tables make it: xbase::upperCase for their
// code page, OEM 437 (the code page the retail tables are made in). Every code, name and list entry
// an import upper-cases goes through here, so that lists and keys agree with the indexes.
std::string upperCase(std::string_view text);
// Trimmed on both sides (blanks, tabs, line ends) and in upper case.
std::string normaliseCode(std::string_view text);
// Whether nothing but blanks, tabs and line ends is left of the text.
bool isBlank(std::string_view text);

class CodeList {
public:
    // Appends the code (normalised by the caller) and returns its position.
    uint32_t add(std::string code);
    // Position of the first entry equal to the code, 0 when there is none.
    uint32_t find(std::string_view code) const;
    // Position of the code, appended when it is not there yet; an empty code gives 0 and is
    // never added.
    uint32_t findOrAdd(std::string code);
    uint32_t size() const { return static_cast<uint32_t>(codes_.size()); }
    const std::string& at(uint32_t position) const { return codes_[position - 1]; }

private:
    std::vector<std::string> codes_;
    std::unordered_map<std::string, uint32_t> first_;
};

}  // namespace tarvo::importing
