// Finding MDB Tools' ODBC driver under whatever name it is registered (the import through each
// registration: tests/cli/mdb_driver_names_test.cpp).

#include <gtest/gtest.h>

#include "importers/ipos/access_driver.h"

namespace tarvo::importers::ipos {
namespace {

TEST(AccessDriverTest, PrefersTheAccessNameThenMdbToolsThenTheLibrary) {
    const std::string library = TARVO_MDB_ODBC_DRIVER;
    const odbc::InstalledDriver access{kAccessDriverName, "/opt/odbc/libmdbodbc.so"};
    const odbc::InstalledDriver debian{"MDBTools", "libmdbodbc.so"};
    const odbc::InstalledDriver other{"Jet (MDB Tools)", "/usr/lib/odbc/libmdbodbc.so.3"};
    const odbc::InstalledDriver sqlite{"SQLite3", "libsqlite3odbc.so"};
    struct Case {
        const char* what;
        std::vector<odbc::InstalledDriver> drivers;
        std::string library;
        std::string expected;
    };
    const Case cases[] = {
        {"the Access name first", {debian, sqlite, access}, library, kAccessDriverName},
        {"Debian's registration", {sqlite, debian}, library, "MDBTools"},
        {"another name of MDB Tools' library", {sqlite, other}, library, "Jet (MDB Tools)"},
        {"nothing registered: the library", {sqlite}, library, library},
        {"no library either: the Access name", {sqlite}, "/nowhere/libmdbodbc.so", kAccessDriverName},
    };
    for (const Case& c : cases) EXPECT_EQ(accessDriver(c.drivers, c.library), c.expected) << c.what;
}

}  // namespace
}  // namespace tarvo::importers::ipos
