#pragma once
// The drivers the ODBC driver manager knows (odbcinst.ini), as SQLDrivers lists them.

#include <string>
#include <vector>

namespace tarvo::odbc {

struct InstalledDriver {
    std::string name;     // the name a connection string's "Driver=" uses
    std::string library;  // its "Driver" attribute: the library's path or file name; empty when none
};

// Every registered driver in the driver manager's order; empty when none is registered or the
// driver manager cannot list them.
std::vector<InstalledDriver> installedDrivers();

}  // namespace tarvo::odbc
