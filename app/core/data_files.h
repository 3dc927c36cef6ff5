#pragma once
// The files the programs read from their own installation (the background picture "back.tvs").

#include <filesystem>
#include <string_view>

namespace tarvo::app {

// A data file of the program: beside the executable (the build tree, or a copy of the program
// with its files beside it), else in share/tarvo-import/ of the installation, found from the
// executable's bin/ folder as ../share/tarvo-import/. The installed path when neither exists.
std::filesystem::path dataFile(std::string_view name, const std::filesystem::path& executableFolder);
std::filesystem::path dataFile(std::string_view name);

}  // namespace tarvo::app
