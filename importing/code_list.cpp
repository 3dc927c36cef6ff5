#include "importing/code_list.h"

#include "xbase/codepage.h"
#include "xbase/text_case.h"

namespace tarvo::importing {

std::string upperCase(std::string_view text) { return xbase::upperCase(text, xbase::CodePage::oem()); }

std::string normaliseCode(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return upperCase(text);
}

bool isBlank(std::string_view text) { return normaliseCode(text).empty(); }

uint32_t CodeList::add(std::string code) {
    codes_.push_back(code);
    const uint32_t position = size();
    first_.emplace(std::move(code), position);
    return position;
}

uint32_t CodeList::find(std::string_view code) const {
    auto it = first_.find(std::string(code));
    return it == first_.end() ? 0 : it->second;
}

uint32_t CodeList::findOrAdd(std::string code) {
    if (code.empty()) return 0;
    if (const uint32_t position = find(code)) return position;
    return add(std::move(code));
}

}  // namespace tarvo::importing
