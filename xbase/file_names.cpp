#include "xbase/file_names.h"

#include <algorithm>

namespace tarvo::xbase {

std::filesystem::path findIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
    std::filesystem::path exact = folder / name;
    std::error_code ec;
    if (std::filesystem::exists(exact, ec)) return exact;
    auto matches = allIgnoringCase(folder, name);
    return matches.empty() ? exact : matches.front();
}

std::vector<std::filesystem::path> allIgnoringCase(const std::filesystem::path& folder, const std::string& name) {
    std::vector<std::filesystem::path> out;
    std::error_code ec;
    std::filesystem::directory_iterator it(folder.empty() ? std::filesystem::path(".") : folder, ec);
    if (ec) return out;
    for (const auto& entry : it)
        if (equalsIgnoreCase(entry.path().filename().string(), name)) out.push_back(folder / entry.path().filename());
    std::sort(out.begin(), out.end());
    return out;
}

std::filesystem::path executableFolder() {
    std::error_code ec;
    std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) return executable.parent_path();
    std::filesystem::path current = std::filesystem::current_path(ec);
    return ec ? std::filesystem::path(".") : current;
}

}  // namespace tarvo::xbase
