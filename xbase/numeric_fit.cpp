#include "xbase/numeric_fit.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "xbase/number_text.h"

namespace tarvo::xbase {

bool writeNumericField(std::span<char> out, double number, int decimals) {
    writeStr(out, number, decimals);
    return std::find(out.begin(), out.end(), '*') == out.end();
}

bool fitsNumericField(double number, int width, int decimals) {
    if (width <= 0) return false;
    // Well inside the integer places (one fewer for a minus sign) a number fits whatever its
    // rounding: the common case, decided without writing it.
    const int whole = width - decimals - (decimals > 0 ? 1 : 0);
    if (std::isfinite(number) && std::fabs(number) < PowerOfTen(number < 0 ? whole - 1 : whole) * 0.9) return true;
    char small[32];
    std::vector<char> large;
    std::span<char> out(small, static_cast<size_t>(width));
    if (static_cast<size_t>(width) > sizeof small) {
        large.resize(static_cast<size_t>(width));
        out = large;
    }
    return writeNumericField(out, number, decimals);
}

namespace {

// The number with the field's decimals and every digit it has, however wide.
std::string wholeNumber(double value, int decimals) {
    if (!std::isfinite(value)) return std::isnan(value) ? "NaN" : (value < 0 ? "-Infinity" : "Infinity");
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", std::clamp(decimals, 0, 15), value);
    return text;
}

}  // namespace

std::string doesNotFitText(double value, const std::string& field, int width, int decimals) {
    return "value " + wholeNumber(value, decimals) + " does not fit field " + field + " (N " + std::to_string(width) +
           "," + std::to_string(decimals) + ")";
}

ValueDoesNotFit::ValueDoesNotFit(const std::string& file, std::string field, int width, int decimals, double value)
    : Error(file + ": " + doesNotFitText(value, field, width, decimals)),
      file_(file),
      field_(std::move(field)),
      value_(value),
      problem_(doesNotFitText(value, field_, width, decimals)) {}

}  // namespace tarvo::xbase
