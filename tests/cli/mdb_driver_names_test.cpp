// The iPOS import from an Access file wherever MDB Tools' ODBC driver is registered: as Debian's
// odbc-mdbtools registers it ("MDBTools"), under the Access driver's name, or not at all. Each
// run is a process of its own with an odbcinst.ini of the test's own.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/cli/cli_run.h"
#include "tests/support/fixture_files.h"
#include "tests/support/private_odbc.h"
#include "tests/support/test_support.h"

namespace tarvo::cli {
namespace {

TEST(MdbDriverNames, TheAccessFileIsOpenedUnderEveryRegistration) {
    TARVO_SKIP_WITHOUT_FIXTURE(test::nwindMdb());
    test::TempDir dir;
    const std::string shop = (dir.path() / "shop").string();
    ASSERT_EQ(runCli("make-retail-db " + shop).status, 0);
    const std::string library = TARVO_MDB_ODBC_DRIVER;
    const struct {
        const char* what;
        std::string odbcinst;
    } cases[] = {
        {"MDBTools", "[MDBTools]\nDescription=MDBTools Driver\nDriver=" + library + "\nFileUsage=1\n"},
        {"Access name", "[Microsoft Access Driver (*.mdb)]\nDriver=" + library + "\n"},
        {"none", ""},
    };
    for (const auto& c : cases) {
        const std::filesystem::path config = dir.path() / c.what;
        std::filesystem::create_directory(config);
        std::ofstream(config / "odbcinst.ini") << c.odbcinst;
        std::ofstream(config / "odbc.ini").flush();
        const CliRun import =
            runCliWith("ODBCSYSINI='" + config.string() + "' ODBCINI='" + (config / "odbc.ini").string() + "'",
                       "import --from ipos --mdb " + test::nwindMdb().string() + " --db " + shop + " --yes");
        // nwind.mdb is no iPOS database: connected, its first missing table is named.
        EXPECT_EQ(import.status, 1) << c.what;
        EXPECT_NE(import.output.find("Tabel TBLItemJenis tidak ditemukan di database!"), std::string::npos)
            << c.what << "\n" << import.output;
    }
}

}  // namespace
}  // namespace tarvo::cli
