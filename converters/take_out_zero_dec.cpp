#include "converters/take_out_zero_dec.h"

#include "xbase/settings.h"

namespace tarvo::converters {

std::string VOTAKEOUTZERODEC(std::string text) {
    const std::size_t separator = text.rfind(xbase::settings().decimalSep);
    if (separator == std::string::npos) return text;
    std::size_t end = text.size();
    while (end > separator + 1 && text[end - 1] == '0') --end;
    if (end == separator + 1) end = separator;
    text.resize(end);
    return text;
}

}  // namespace tarvo::converters
