#pragma once
// Lines of the printed reports for the converter tests: values put at their columns.

#include <string>
#include <string_view>

namespace tarvo::converters::test {

// The text put at the column (counted from 1), the line padded with blanks to reach it.
inline void putAt(std::string& line, size_t column, std::string_view text) {
    if (line.size() < column - 1 + text.size()) line.resize(column - 1 + text.size(), ' ');
    line.replace(column - 1, text.size(), text);
}

// The text right-aligned in a column of the given width.
inline std::string right(std::string_view text, size_t width) {
    return std::string(width > text.size() ? width - text.size() : 0, ' ') + std::string(text);
}

// An item line of `length` characters (at least 95).
inline std::string itemLine(std::string_view code, std::string_view name, std::string_view price,
                            std::string_view quantity, size_t length = 130) {
    std::string line;
    putAt(line, 1, code);
    putAt(line, 15, name);
    putAt(line, 63, right(price, 19));
    putAt(line, 83, right(quantity, 13));
    line.resize(length, ' ');
    return line;
}

// The texts of a customer's columns; the ones not named stay blank. The first line begins with
// the customer's number, so that its columns count from there once leading blanks are removed.
struct CustomerText {
    std::string number = "00001";
    std::string code{}, name{}, limit{}, d{}, m{}, h{}, zero{};
    std::string address{}, phone{}, taxNumber{}, contact{};
};

// The first line of a customer (140 characters) and its second line.
inline std::string customerFirstLine(const CustomerText& c) {
    std::string line;
    putAt(line, 1, c.number);
    putAt(line, 7, c.code);
    putAt(line, 17, c.name);
    putAt(line, 72, right(c.limit, 15));
    putAt(line, 103, right(c.d, 6));
    putAt(line, 110, right(c.m, 7));
    putAt(line, 118, right(c.h, 6));
    putAt(line, 125, right(c.zero, 7));
    line.resize(140, ' ');
    return line;
}

inline std::string customerSecondLine(const CustomerText& c) {
    std::string line;
    putAt(line, 7, c.address);
    putAt(line, 72, c.phone);
    putAt(line, 103, c.taxNumber);
    putAt(line, 118, c.contact);
    return line;
}

}  // namespace tarvo::converters::test
