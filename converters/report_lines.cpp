#include "converters/report_lines.h"

#include <algorithm>
#include <initializer_list>

#include "converters/take_out_zero_dec.h"
#include "xbase/blanks.h"
#include "xbase/codepage.h"
#include "xbase/number_text.h"
#include "xbase/text_case.h"

namespace tarvo::converters {

namespace {

// The characters from position `from` (counted from 1) on, at most `count` of them: the SubStr of
// xBase, empty past the end of the line.
std::string_view column(std::string_view line, size_t from, size_t count) {
    if (from > line.size()) return {};
    return line.substr(from - 1, count);
}

// A column as text: the OEM bytes in UTF-8, trimmed.
std::string textColumn(std::string_view line, size_t from, size_t count) {
    return xbase::CodePage::oem().decode(xbase::trimmed(column(line, from, count)));
}

std::string codeColumn(std::string_view line, size_t from, size_t count) {
    return xbase::upperCase(textColumn(line, from, count), xbase::CodePage::oem());
}

double numberColumn(std::string_view line, size_t from, size_t count) {
    return reportNumber(column(line, from, count));
}

bool containsAny(std::string_view line, std::initializer_list<std::string_view> words) {
    return std::any_of(words.begin(), words.end(),
                       [&](std::string_view word) { return line.find(word) != std::string_view::npos; });
}

std::string discountText(double discount) {
    return VOTAKEOUTZERODEC(xbase::Transform(discount, "999.99"));
}

}  // namespace

bool isItemLine(std::string_view line) {
    return line.size() > 120 && !containsAny(line, {"----", "ITEM CODE", "ITEM LIST", "SUBTOTAL"});
}

bool isCustomerLine(std::string_view line) {
    return line.size() > 130 &&
           !containsAny(line, {"----", "NO#.", "N A M E", "CUSTOMER LIST", "Page ", " October 2010"});
}

double reportNumber(std::string_view text) {
    std::string digits(text);
    digits.erase(std::remove(digits.begin(), digits.end(), ','), digits.end());
    return xbase::Val(digits);
}

ItemLine readItemLine(std::string_view line) {
    ItemLine item;
    item.code = codeColumn(line, 1, 13);
    item.name = textColumn(line, 15, 47);
    item.price = numberColumn(line, 63, 19);
    item.quantity = numberColumn(line, 83, 13);
    item.value = item.quantity * item.price;
    return item;
}

CustomerLines readCustomerLines(std::string_view first, std::string_view second) {
    CustomerLines customer;
    customer.code = codeColumn(first, 7, 9);
    customer.name = textColumn(first, 17, 54);
    customer.creditLimit = numberColumn(first, 72, 15);
    customer.note = discountNote(numberColumn(first, 103, 6), numberColumn(first, 110, 7), numberColumn(first, 118, 6),
                                 numberColumn(first, 125, 7));
    customer.address = textColumn(second, 7, 64);
    customer.phone = textColumn(second, 72, 15);
    customer.taxNumber = textColumn(second, 103, 14);
    customer.contact = textColumn(second, 118, 14);
    return customer;
}

std::string discountNote(double d, double m, double h, double zero) {
    return "Disc D: " + discountText(d) + "%  M: " + discountText(m) + "%  H: " + discountText(h) + "%  0: " +
           discountText(zero) + "%";
}

}  // namespace tarvo::converters
