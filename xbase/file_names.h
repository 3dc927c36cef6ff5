#pragma once
// File names on a case-sensitive file system: the fixed names of the tool are matched
// ignoring ASCII case (an exact match wins). Also the running program's own folder.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/text_case.h"

namespace tarvo::xbase {

// The entry of folder whose name equals name ignoring case (exact match first); folder / name
// when there is none.
std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, const std::string& name);

// Every entry of folder whose name equals name ignoring case.
std::vector<std::filesystem::path> allIgnoringCase(const std::filesystem::path& folder, const std::string& name);

// The folder of the running program; the current folder when it cannot be told.
std::filesystem::path executableFolder();

}  // namespace tarvo::xbase
