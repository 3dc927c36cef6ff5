// The inspection commands of tarvo-import-cli, run as a user runs them.

#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::cli {
namespace {

class DbfCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        path = dir.path() / "S_STOCK.Q7T";
        xbase::Table::create(path, {{"KODE_C", 'C', 10, 0}, {"NAMA", 'C', 20, 0}}, xbase::Driver::DBFCDX);
        auto t = xbase::Table::open(path, xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
        for (const char* code : {"b2", "A1", "c3"}) {
            t->append();
            t->fieldPut("KODE_C", xbase::Value(code));
            t->fieldPut("NAMA", xbase::Value("Barang\t" + std::string(code)));
        }
        t->deleteRecord();
        t->createOrder(dir.path() / "S_STOCK.CDX", "KODE", "Upper(KODE_C)");
        t->createOrder(dir.path() / "S_STOCK.CDX", "NAMA", "Upper(NAMA)", "!Deleted()");
    }
    test::TempDir dir;
    std::filesystem::path path;
};

TEST_F(DbfCommandTest, InfoDumpAndCheck) {
    CliRun info = runCli("dbf info " + path.string());
    EXPECT_EQ(info.status, 0);
    EXPECT_NE(info.output.find("Records:       3"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("KODE_C     C        10"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("NAMA       key Upper(NAMA)  FOR !Deleted()"), std::string::npos) << info.output;

    CliRun dump = runCli("dbf dump " + path.string());
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.output, "DELETED\tKODE_C\tNAMA\n\tb2\tBarang\\tb2\n\tA1\tBarang\\tA1\n*\tc3\tBarang\\tc3\n");

    CliRun check = runCli("dbf check " + path.string());
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("Tag KODE: key Upper(KODE_C), 3 keys"), std::string::npos) << check.output;
    EXPECT_NE(check.output.find("Tag NAMA: key Upper(NAMA), FOR !Deleted(), 2 keys"), std::string::npos) << check.output;
}

TEST_F(DbfCommandTest, CheckFindsAKeyThatDisagreesWithItsRecord) {
    {
        // Change a code behind the index's back.
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(32 + 2 * 32 + 1 + 1);
        file.write("ZZ", 2);
    }
    CliRun check = runCli("dbf check " + path.string());
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.output.find("tag KODE: record 1 has a key that differs from its expression"), std::string::npos)
        << check.output;
}

TEST_F(DbfCommandTest, BadInputGivesAClearErrorAndStatus) {
    EXPECT_EQ(runCli("dbf info " + (dir.path() / "NONE.DBF").string()).status, 1);
    std::ofstream(dir.path() / "S_STOCK.CDX", std::ios::trunc) << "not an index";
    CliRun check = runCli("dbf check " + path.string());
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.output.find("S_STOCK.CDX"), std::string::npos) << check.output;
    EXPECT_EQ(runCli("dbf").status, 2);
    EXPECT_EQ(runCli("nonsense").status, 2);
}

}  // namespace
}  // namespace tarvo::cli
