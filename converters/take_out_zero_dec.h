#pragma once
// Shortening of formatted numbers for report texts.

#include <string>

namespace tarvo::converters {

// Removes trailing decimal zeros, and then a decimal separator left at the end, from a formatted
// number ("  5,00" gives "  5", "12,50" gives "12,5"). Uses the current decimal separator; a text
// without it is returned unchanged. Leading blanks stay.
std::string VOTAKEOUTZERODEC(std::string text);

}  // namespace tarvo::converters
