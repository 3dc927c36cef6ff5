#include "xbase/text_case.h"

#include "xbase/codepage.h"

namespace tarvo::xbase {

namespace {

// In UTF-8 the Latin-1 letters U+00C0-U+00DE and U+00E0-U+00FE are C3 80-9E and C3 A0-BE: a
// letter and its other case differ in one bit of the second byte. × (C3 97) and ÷ (C3 B7) are signs.
constexpr unsigned char kLatin1Lead = 0xC3;
constexpr unsigned char kCaseBit = 0x20;

bool isLatin1Capital(unsigned char second) { return second >= 0x80 && second <= 0x9E && second != 0x97; }
bool isLatin1Small(unsigned char second) { return second >= 0xA0 && second <= 0xBE && second != 0xB7; }

uint32_t latin1CodePoint(unsigned char second) { return 0xC0u + (second & 0x3Fu); }

std::string withCase(std::string_view text, const CodePage& codePage, bool upper) {
    std::string out(text);
    const char firstAscii = upper ? 'a' : 'A';
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= static_cast<unsigned char>(firstAscii) && c <= static_cast<unsigned char>(firstAscii + 25)) {
            out[i] = static_cast<char>(c ^ kCaseBit);
        } else if (c == kLatin1Lead && i + 1 < out.size()) {
            const auto second = static_cast<unsigned char>(out[++i]);
            const bool letter = upper ? isLatin1Small(second) : isLatin1Capital(second);
            const auto other = static_cast<unsigned char>(second ^ kCaseBit);
            if (letter && codePage.holds(latin1CodePoint(second)) && codePage.holds(latin1CodePoint(other)))
                out[i] = static_cast<char>(other);
        }
    }
    return out;
}

}  // namespace

std::string upperCase(std::string_view text, const CodePage& codePage) { return withCase(text, codePage, true); }

std::string lowerCase(std::string_view text, const CodePage& codePage) { return withCase(text, codePage, false); }

char asciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string asciiUpperCase(std::string_view name) {
    std::string out(name);
    for (char& c : out) c = asciiUpper(c);
    return out;
}

bool equalsIgnoreCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiUpper(a[i]) != asciiUpper(b[i])) return false;
    return true;
}

}  // namespace tarvo::xbase
