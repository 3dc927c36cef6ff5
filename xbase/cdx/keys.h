#pragma once
// Sortable key encodings of index tags: comparing the encoded bytes orders the values.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "xbase/value.h"

namespace tarvo::xbase {

constexpr uint16_t kCdxNumericKeyLength = 8;  // numeric, currency, double, date and datetime keys
constexpr uint16_t kCdxIntegerKeyLength = 4;  // an Integer field alone
constexpr uint16_t kCdxLogicalKeyLength = 1;

// The text padded with blanks to the key length, or cut to it.
std::string cdxCharacterKey(std::string_view text, size_t keyLength);

// The IEEE double, big-endian, with the sign bit flipped for values >= 0 and every bit flipped for negative
// values. Minus zero encodes as zero.
std::string cdxNumericKey(double value);

// The date's Julian day number (0 for the empty date) encoded as a numeric key.
std::string cdxDateKey(const Date& date);

// The date and time as its Julian day with the time of day as the fraction, encoded as a numeric key.
std::string cdxDateTimeKey(const DateTime& dateTime);

// The 32-bit integer big-endian with its sign bit flipped, so that the bytes sort as the numbers.
std::string cdxIntegerKey(int32_t value);

// "T" or "F".
std::string cdxLogicalKey(bool value);

// The number a numeric or date key holds (0 when the key is not 8 bytes long).
double cdxNumericKeyValue(std::string_view key);

// The number an integer key holds (0 when the key is not 4 bytes long).
int32_t cdxIntegerKeyValue(std::string_view key);

}  // namespace tarvo::xbase
