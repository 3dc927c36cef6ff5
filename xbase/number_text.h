#pragma once
// Numbers to and from text as the xBase run-time reads and writes them.

#include <span>
#include <string>
#include <string_view>

namespace tarvo::xbase {

// The leading numeric part of a text ("12.5abc" gives 12.5; "." is the point); 0 when there is none.
double Val(std::string_view text);

// Number right-aligned in a field of width characters with the given decimals, "." as point;
// asterisks when it does not fit (the xBase Str()). width < 0: 10 (plus decimals) as Str() does.
std::string Str(double number, int width = -1, int decimals = -1);
// Str() with the given decimals (0 or more) written over the whole of out, which is the width: for
// callers that format many numbers into buffers they keep, such as a table's records.
void writeStr(std::span<char> out, double number, int decimals);

// Number through a picture such as "999,999", "999,999.99" or "99,999,999,999.999999":
// "9" is a digit, "," groups thousands and "." marks the decimals; shown with the current
// display separators. Asterisks when the number does not fit.
std::string Transform(double number, std::string_view picture);

// Rounds half away from zero at the given decimals, as xBase Round().
double Round(double number, int decimals);

// 10 to the power of a whole exponent; exact up to 10^22, and without a call of pow() there.
double PowerOfTen(int exponent);

// The whole text read as a number the way std::from_chars reads one (an optional "-", digits, a
// point, an exponent); false when the text is anything else. Plain decimals ("176.75") of up to
// 15 digits take a short exact way, since sheets hold millions of them.
bool ReadNumber(std::string_view text, double& number);

}  // namespace tarvo::xbase
