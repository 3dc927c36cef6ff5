#include "importers/ipos/access_driver.h"

#include <algorithm>
#include <filesystem>

namespace tarvo::importers::ipos {

namespace {

bool isMdbToolsLibrary(const std::string& library) {
    const std::string file = std::filesystem::path(library).filename().string();
    return file == "libmdbodbc.so" || file.starts_with("libmdbodbc.so.");
}

}  // namespace

std::string accessDriver(const std::vector<odbc::InstalledDriver>& drivers, const std::string& library) {
    for (const char* name : {kAccessDriverName, kMdbToolsDriverName})
        if (std::any_of(drivers.begin(), drivers.end(), [&](const odbc::InstalledDriver& d) { return d.name == name; }))
            return name;
    for (const odbc::InstalledDriver& driver : drivers)
        if (isMdbToolsLibrary(driver.library)) return driver.name;
    std::error_code ec;
    if (!library.empty() && std::filesystem::is_regular_file(library, ec)) return library;
    return kAccessDriverName;
}

std::string accessDriver() { return accessDriver(odbc::installedDrivers(), TARVO_MDB_ODBC_LIBRARY); }

}  // namespace tarvo::importers::ipos
