#include "xbase/cdx/keys.h"

#include <bit>

namespace tarvo::xbase {

namespace {
constexpr uint64_t kSignBit = uint64_t{1} << 63;
}

std::string cdxCharacterKey(std::string_view text, size_t keyLength) {
    std::string key(text.substr(0, keyLength));
    key.resize(keyLength, ' ');
    return key;
}

std::string cdxNumericKey(double value) {
    if (value == 0) value = 0;  // minus zero sorts with zero
    uint64_t bits = std::bit_cast<uint64_t>(value);
    bits = (bits & kSignBit) ? ~bits : bits | kSignBit;
    std::string key(kCdxNumericKeyLength, '\0');
    for (int i = 0; i < 8; ++i) key[i] = static_cast<char>(bits >> (56 - 8 * i));
    return key;
}

std::string cdxDateKey(const Date& date) { return cdxNumericKey(static_cast<double>(date.julian())); }

std::string cdxDateTimeKey(const DateTime& dateTime) { return cdxNumericKey(dateTime.julianDays()); }

std::string cdxIntegerKey(int32_t value) {
    const uint32_t bits = static_cast<uint32_t>(value) ^ 0x80000000u;
    std::string key(kCdxIntegerKeyLength, '\0');
    for (int i = 0; i < 4; ++i) key[i] = static_cast<char>(bits >> (24 - 8 * i));
    return key;
}

std::string cdxLogicalKey(bool value) { return value ? "T" : "F"; }

double cdxNumericKeyValue(std::string_view key) {
    if (key.size() != kCdxNumericKeyLength) return 0;
    uint64_t bits = 0;
    for (unsigned char c : key) bits = bits << 8 | c;
    bits = (bits & kSignBit) ? bits & ~kSignBit : ~bits;
    return std::bit_cast<double>(bits);
}

int32_t cdxIntegerKeyValue(std::string_view key) {
    if (key.size() != kCdxIntegerKeyLength) return 0;
    uint32_t bits = 0;
    for (unsigned char c : key) bits = bits << 8 | c;
    return static_cast<int32_t>(bits ^ 0x80000000u);
}

}  // namespace tarvo::xbase
