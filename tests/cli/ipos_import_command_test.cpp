// The command-line import from an iPOS database, on a sample that make-ipos-db writes and SQLite's
// ODBC driver reads, as the README shows it; and the options that go with --from ipos.

#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/fixture_files.h"
#include "tests/support/private_odbc.h"
#include "tests/support/test_support.h"

namespace tarvo::cli {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class IposImportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::usePrivateOdbcConfig();  // the program inherits the private configuration
        shop = (dir.path() / "shop").string();
        database = (dir.path() / "ipos.db").string();
        ASSERT_EQ(runCli("make-retail-db " + shop).status, 0);
        const CliRun make = runCli("make-ipos-db " + database + " --items 60 --invoices 20 --cash-sales 10");
        ASSERT_EQ(make.status, 0) << make.output;
        EXPECT_TRUE(contains(make.output, "(60 items, 20 invoices, 10 cash-register sales)")) << make.output;
    }
    std::string odbc() const { return " --odbc '" + test::sqliteConnection(database) + "'"; }

    test::TempDir dir;
    std::string shop, database;
};

TEST_F(IposImportCommandTest, ImportsTheSampleWithYesAndPrintsTheSummary) {
    const CliRun import = runCli("import --from ipos" + odbc() + " --db " + shop + " --sales-as-customers --yes");
    ASSERT_EQ(import.status, 0) << import.output;
    for (const char* line : {"\n  S_PENJUA   30\n", "\n  S_PENJUD   130\n", "\n  S_PELANG   10\n", "\n  S_STOCK    60\n"})
        EXPECT_TRUE(contains(import.output, line)) << line << import.output;
    EXPECT_FALSE(contains(import.output, "S_KARYAW")) << import.output;
    EXPECT_EQ(runCli("dbf check " + shop + "/ST_DB/S_SATUAN.Q7T").status, 0);
}

TEST_F(IposImportCommandTest, RefusalsLeaveTheDatabaseAndDeclinedRunsToo) {
    const auto before = test::fileContents(std::filesystem::path(shop) / "ST_DB");
    const struct {
        std::string arguments;
        const char* output;
    } cases[] = {
        {"import --from ipos --mdb " + (dir.path() / "none.mdb").string() + " --db " + shop + " --yes",
         "tidak ditemukan!"},
        {"import --from ipos --mdb " + database + " --password x --db " + shop + " --yes",
         "bukan database Microsoft Access (.MDB)!"},
        {"import --from ipos --mdb " + test::nwindMdb().string() + " --db " + shop + " --yes",
         "Tabel TBLItemJenis tidak ditemukan di database!"},
        {"import --from ipos --odbc 'Driver=No Such Driver;' --db " + shop + " --yes", "Koneksi ke database gagal:"},
        {"import --from ipos" + odbc() + " --db " + shop + " < /dev/null", "Import cancelled."},
    };
    for (const auto& c : cases) {
        if (contains(c.arguments, test::nwindMdb().string()) && !std::filesystem::exists(test::nwindMdb())) continue;
        const CliRun import = runCli(c.arguments);
        EXPECT_EQ(import.status, 1) << c.arguments << "\n" << import.output;
        EXPECT_TRUE(contains(import.output, c.output)) << c.arguments << "\n" << import.output;
        EXPECT_EQ(test::fileContents(std::filesystem::path(shop) / "ST_DB"), before) << c.arguments;
    }
}

TEST_F(IposImportCommandTest, OptionsThatDoNotGoTogetherAreUsageErrors) {
    const struct {
        std::string arguments;
        const char* reason;
    } cases[] = {
        {"import --from ipos --db " + shop, "--from ipos needs --mdb FILE or --odbc"},
        {"import --from ipos --mdb a.mdb" + odbc() + " --db " + shop, "--mdb excludes --odbc"},
        {"import --from ipos --password x" + odbc() + " --db " + shop, "--password requires --mdb"},
        {"import --from ipos" + odbc() + " --db " + shop + " --stock-mode open", "--stock-mode does not apply to --from ipos"},
        {"import --from ipos" + odbc() + " --db " + shop + " --templates /tmp", "--templates does not apply to --from ipos"},
        {"import --templates /tmp --db " + shop + " --sales-as-cash", "--sales-as-cash needs --from ipos"},
        {"import --from is --source /tmp --db " + shop + odbc(), "--odbc needs --from ipos"},
        {"import --from access --db " + shop, "unknown source 'access'"},
    };
    for (const auto& c : cases) {
        const CliRun import = runCli(c.arguments);
        EXPECT_EQ(import.status, 2) << c.arguments << "\n" << import.output;
        EXPECT_TRUE(contains(import.output, c.reason)) << c.arguments << "\n" << import.output;
    }
}

}  // namespace
}  // namespace tarvo::cli
