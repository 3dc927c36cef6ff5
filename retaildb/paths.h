#pragma once
// File names on a case-sensitive file system: the fixed names of the tool are matched
// ignoring ASCII case (an exact match wins).

#include <filesystem>
#include <string>
#include <vector>

namespace tarvo::retaildb {

bool equalsIgnoreCase(const std::string& a, const std::string& b);

// The entry of folder whose name equals name ignoring case (exact match first); folder / name
// when there is none.
std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, const std::string& name);

// Every entry of folder whose name equals name ignoring case.
std::vector<std::filesystem::path> allIgnoringCase(const std::filesystem::path& folder, const std::string& name);

}  // namespace tarvo::retaildb
