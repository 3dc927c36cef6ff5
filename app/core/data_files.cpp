#include "app/core/data_files.h"

#include <system_error>

#include "xbase/file_names.h"

namespace tarvo::app {

std::filesystem::path dataFile(std::string_view name, const std::filesystem::path& executableFolder) {
    const std::filesystem::path beside = executableFolder / name;
    std::error_code ec;
    if (std::filesystem::exists(beside, ec)) return beside;
    return (executableFolder.parent_path() / "share" / "tarvo-import" / name).lexically_normal();
}

std::filesystem::path dataFile(std::string_view name) { return dataFile(name, xbase::executableFolder()); }

}  // namespace tarvo::app
