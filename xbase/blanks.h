#pragma once
// Blanks around xBase texts: the trims of RTRIM, LTRIM and ALLTRIM (spaces only).

#include <string_view>

namespace tarvo::xbase {

inline std::string_view trimmedRight(std::string_view text) {
    const size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

inline std::string_view trimmedLeft(std::string_view text) {
    const size_t begin = text.find_first_not_of(' ');
    return begin == std::string_view::npos ? std::string_view{} : text.substr(begin);
}

inline std::string_view trimmed(std::string_view text) { return trimmedLeft(trimmedRight(text)); }

}  // namespace tarvo::xbase
