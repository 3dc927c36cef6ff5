#include "xbase/text_case.h"

namespace tarvo::xbase {

std::string upperCase(std::string_view text) {
    std::string out(text);
    for (size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'a' && c <= 'z') {
            out[i] = static_cast<char>(c ^ 0x20);
        } else if (c == 0xC3 && i + 1 < out.size()) {
            // U+00E0-U+00FE but the sign U+00F7: C3 A0-BE in UTF-8, one bit from the capital.
            const auto second = static_cast<unsigned char>(out[++i]);
            if (second >= 0xA0 && second <= 0xBE && second != 0xB7) out[i] = static_cast<char>(second ^ 0x20);
        }
    }
    return out;
}

}  // namespace tarvo::xbase
