#pragma once
// Letter case of UTF-8 text as the index key expressions make it.

#include <string>
#include <string_view>

namespace tarvo::xbase {

// Upper case as the tags' key expressions make it: ASCII and Latin-1 letters.
std::string upperCase(std::string_view text);

}  // namespace tarvo::xbase
