#include "xbase/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "xbase/settings.h"

namespace tarvo::xbase {

namespace {

// A number as decimal digit strings, so that rounding and formatting work on the digits a person
// would write instead of on the binary value.
struct DecimalDigits {
    bool negative = false;
    std::string integer;   // no leading zeros: empty for values below one
    std::string fraction;  // as many digits as the text has (rounding pads it)
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The shortest decimal text that reads back as the same double: 1.005 stays 1.005 instead of
// 1.00499999999999989..., so halves round the way they look. The number must be finite.
DecimalDigits toDigits(double number) {
    // The longest fixed text of a double is the smallest denormal: "0." and 324 digits.
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(number), std::chars_format::fixed);
    std::string_view text(buffer, static_cast<std::size_t>(result.ptr - buffer));
    DecimalDigits digits;
    digits.negative = std::signbit(number);
    std::size_t point = std::min(text.find('.'), text.size());
    std::string_view integer = text.substr(0, point);
    while (!integer.empty() && integer.front() == '0') integer.remove_prefix(1);
    digits.integer = integer;
    if (point < text.size()) digits.fraction = text.substr(point + 1);
    return digits;
}

// Adds one to the last digit, carrying to the left; may grow the text by a leading "1".
void incrementDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] != '9') {
            ++digits[i];
            return;
        }
        digits[i] = '0';
    }
    digits.insert(digits.begin(), '1');
}

bool allZero(const std::string& digits) {
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c == '0'; });
}

// Rounds half away from zero to `decimals` places; negative decimals round to tens, hundreds, ...
// The fraction keeps at most `decimals` digits (it is not padded).
void roundDigits(DecimalDigits& value, long long decimals) {
    std::string digits = value.integer + value.fraction;
    long long integerLength = static_cast<long long>(value.integer.size());
    const long long keep = integerLength + decimals;
    if (keep < 0) {
        value = DecimalDigits{};
        return;
    }
    if (static_cast<unsigned long long>(keep) < digits.size()) {
        const bool up = digits[static_cast<std::size_t>(keep)] >= '5';
        digits.resize(static_cast<std::size_t>(keep));
        if (up) {
            const std::size_t before = digits.size();
            incrementDigits(digits);
            integerLength += static_cast<long long>(digits.size() - before);
        }
        if (decimals < 0) digits.append(static_cast<std::size_t>(-decimals), '0');
    }
    const std::size_t split = static_cast<std::size_t>(std::min<long long>(integerLength, static_cast<long long>(digits.size())));
    value.integer = digits.substr(0, split);
    value.fraction = digits.substr(split);
    if (!value.integer.empty() && allZero(value.integer)) value.integer.clear();
    if (value.integer.empty() && allZero(value.fraction)) value.negative = false;
}

// The finite number rounded to exactly `decimals` places (fraction padded with zeros).
DecimalDigits roundedDigits(double number, int decimals) {
    DecimalDigits value = toDigits(number);
    roundDigits(value, decimals);
    value.fraction.resize(static_cast<std::size_t>(decimals), '0');
    return value;
}

// The widest field a table can hold; larger decimal counts are taken as this.
constexpr int kMaxDecimals = 255;

// Whole numbers below this are exact in a double and in a long long.
constexpr double kWholeLimit = 1e15;

// Every whole number below this is a double (2 to the 53rd).
constexpr double kExactWholeLimit = 9007199254740992.0;
// The powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                        1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kExactPowers = static_cast<int>(std::size(kExactPowersOfTen));

// A minus sign when negative, the integer digits, and with decimals a point and the fraction
// (padded with zeros to the decimals), right-aligned in out after blanks; asterisks when they do
// not fit.
void rightAligned(std::span<char> out, bool negative, std::string_view integer, std::string_view fraction,
                  int decimals) {
    const std::size_t places = decimals > 0 ? static_cast<std::size_t>(decimals) : 0;
    const std::size_t length = (negative ? 1 : 0) + integer.size() + (places > 0 ? places + 1 : 0);
    if (length > out.size()) {
        std::fill(out.begin(), out.end(), '*');
        return;
    }
    char* at = std::fill_n(out.data(), out.size() - length, ' ');
    if (negative) *at++ = '-';
    at = std::copy(integer.begin(), integer.end(), at);
    if (places > 0) {
        *at++ = '.';
        const std::size_t given = std::min(fraction.size(), places);
        at = std::copy_n(fraction.begin(), given, at);
        std::fill_n(at, places - given, '0');
    }
}

}  // namespace

// Reads blanks, an optional sign, digits, a point and digits; the first other character ends the
// number. A number too large for a double reads as infinity, one too small as 0.
double Val(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) negative = text[pos++] == '-';
    const std::size_t start = pos;
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    const std::string_view integer = text.substr(start, pos - start);
    if (pos < text.size() && text[pos] == '.') ++pos;
    const std::size_t fractionStart = pos;
    while (pos < text.size() && isDigit(text[pos])) ++pos;
    if (integer.empty() && pos == fractionStart) return 0.0;

    double value = 0.0;
    auto result = std::from_chars(text.data() + start, text.data() + pos, value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range) {
        const bool large = integer.find_first_not_of('0') != std::string_view::npos;
        value = large ? HUGE_VAL : 0.0;
    }
    return negative && value != 0.0 ? -value : value;
}

// Without decimals, a number with a fraction gets the decimals of the settings; without a width,
// the field is 10 characters for the integer part plus the point and decimals.
std::string Str(double number, int width, int decimals) {
    if (decimals < 0) {
        const bool hasFraction = std::isfinite(number) && number != std::trunc(number);
        decimals = width < 0 && hasFraction ? settings().decimals : 0;
    }
    decimals = std::min(decimals, kMaxDecimals);
    if (width < 0) width = 10 + (decimals > 0 ? decimals + 1 : 0);
    std::string out(static_cast<std::size_t>(width), ' ');
    writeStr(out, number, decimals);
    return out;
}

void writeStr(std::span<char> out, double number, int decimals) {
    decimals = std::min(decimals, kMaxDecimals);
    if (!std::isfinite(number)) {
        std::fill(out.begin(), out.end(), '*');
    } else if (number == std::trunc(number) && std::fabs(number) < kWholeLimit) {
        // A whole number has no digits to round (identifiers, counts, prices in whole units): its digits
        // and zero decimals.
        char digits[24];
        const auto written = std::to_chars(digits, digits + sizeof digits, static_cast<long long>(std::fabs(number)));
        rightAligned(out, number < 0, std::string_view(digits, static_cast<std::size_t>(written.ptr - digits)), {},
                     decimals);
    } else {
        const DecimalDigits value = roundedDigits(number, decimals);
        rightAligned(out, value.negative, value.integer.empty() ? "0" : value.integer, value.fraction, decimals);
    }
}

// "9" takes a digit, "," a thousands separator, the first "." the decimal separator; any other
// character is shown as it is. Leading digit places stay blank, separators left of the first digit
// too, and a minus sign takes the place just before the first digit.
std::string Transform(double number, std::string_view picture) {
    const std::size_t point = std::min(picture.find('.'), picture.size());
    const auto integerSlots = static_cast<std::size_t>(std::count(picture.begin(), picture.begin() + point, '9'));
    const auto decimals = static_cast<int>(std::count(picture.begin() + point, picture.end(), '9'));
    const std::string overflow(picture.size(), '*');
    if (!std::isfinite(number)) return overflow;

    const DecimalDigits value = roundedDigits(number, decimals);
    std::string integer = value.integer;
    if (integer.empty() && integerSlots > 0) integer.assign(1, '0');
    if (integer.size() > integerSlots) return overflow;

    const Settings& current = settings();
    std::string out(picture);
    std::size_t unplaced = integer.size();
    std::size_t firstDigit = point;
    for (std::size_t i = point; i-- > 0;) {
        if (picture[i] == '9') {
            if (unplaced > 0) {
                out[i] = integer[--unplaced];
                firstDigit = i;
            } else {
                out[i] = ' ';
            }
        } else if (picture[i] == ',') {
            const bool betweenDigits = unplaced > 0 && unplaced < integer.size();
            out[i] = betweenDigits ? current.thousandSep : ' ';
        }
    }
    if (value.negative) {
        if (firstDigit == 0) return overflow;
        const char before = picture[firstDigit - 1];
        if (before != '9' && before != ',') return overflow;
        out[firstDigit - 1] = '-';
    }
    if (point < picture.size()) out[point] = current.decimalSep;
    std::size_t nextDecimal = 0;
    for (std::size_t i = point + 1; i < picture.size(); ++i) {
        if (picture[i] == '9') out[i] = value.fraction[nextDecimal++];
        if (picture[i] == ',') out[i] = current.thousandSep;
    }
    return out;
}

double Round(double number, int decimals) {
    if (!std::isfinite(number)) return number;
    if (decimals >= 0 && decimals < kExactPowers) {
        // A number with no more decimals than asked for is its own rounding (a negative zero aside).
        // It has no more when its digits scaled to whole units, divided back (exact operands, so a
        // correctly rounded quotient: the value of that decimal text), give the number again; then
        // its shortest text is no longer either.
        const double power = kExactPowersOfTen[decimals];
        const double scaled = number * power;
        if (std::fabs(scaled) < kExactWholeLimit && scaled == std::trunc(scaled) && scaled / power == number)
            return number + 0.0;
    }
    DecimalDigits value = toDigits(number);
    roundDigits(value, decimals);
    const std::string text = (value.integer.empty() ? "0" : value.integer) + "." + value.fraction;
    double result = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), result, std::chars_format::fixed);
    return value.negative && result != 0.0 ? -result : result;
}

bool ReadNumber(std::string_view text, double& number) {
    // Up to 15 digits make a whole number that a double holds exactly; divided by an exact power of
    // ten, the quotient is correctly rounded: the double nearest the decimal, as from_chars finds it.
    constexpr int kExactDigits = 15;
    std::size_t i = !text.empty() && text.front() == '-' ? 1 : 0;
    std::uint64_t whole = 0;
    int digits = 0, decimals = 0;
    bool point = false, plain = true;
    for (; i < text.size() && plain; ++i) {
        const char c = text[i];
        if (isDigit(c)) {
            whole = whole * 10 + static_cast<std::uint64_t>(c - '0');
            ++digits;
            decimals += point;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            plain = false;
        }
    }
    if (plain && digits > 0 && digits <= kExactDigits) {
        const double magnitude = static_cast<double>(whole) / kExactPowersOfTen[decimals];
        number = text.front() == '-' ? -magnitude : magnitude;
        return true;
    }
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

double PowerOfTen(int exponent) {
    return exponent >= 0 && exponent < kExactPowers ? kExactPowersOfTen[exponent] : std::pow(10.0, exponent);
}

}  // namespace tarvo::xbase
