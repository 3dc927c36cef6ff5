#pragma once
// Which ODBC driver opens an Access file. MDB Tools' driver is registered under different names:
// the Access driver's own name where it was set up for it, "MDBTools" as Debian's odbc-mdbtools
// registers it, or not at all; the driver manager then loads it by its library's path.

#include <string>
#include <vector>

#include "odbc/drivers.h"

namespace tarvo::importers::ipos {

inline constexpr const char* kAccessDriverName = "Microsoft Access Driver (*.mdb)";
inline constexpr const char* kMdbToolsDriverName = "MDBTools";

// The "Driver=" value for an Access file among the registered drivers: the Access driver's name,
// then "MDBTools", then any other name registered with MDB Tools' library file, then
// `library` (MDB Tools' driver where its package installs it) when that file exists; the Access
// driver's name when none of them is there, so that the connection names what is missing.
std::string accessDriver(const std::vector<odbc::InstalledDriver>& drivers, const std::string& library);

// The same among the driver manager's registered drivers and MDB Tools' library of this system.
std::string accessDriver();

}  // namespace tarvo::importers::ipos
