#pragma once
// A private ODBC configuration for the test process: an odbcinst.ini in a temporary folder that
// registers MDB Tools' driver under the Access driver's name and SQLite's driver, with ODBCSYSINI
// and ODBCINI pointing at it, so that the tests never depend on the machine's own registrations.

#include <filesystem>
#include <string>

namespace tarvo::test {

// The driver names the private configuration registers.
inline constexpr const char* kAccessDriverName = "Microsoft Access Driver (*.mdb)";
inline constexpr const char* kSqliteDriverName = "SQLite3";

// Installs the configuration once per process (the first call) and returns its folder.
const std::filesystem::path& usePrivateOdbcConfig();

// The connection string of an SQLite database file through the private SQLite driver.
std::string sqliteConnection(const std::filesystem::path& database);

}  // namespace tarvo::test
