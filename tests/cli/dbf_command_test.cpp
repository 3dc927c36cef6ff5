// The inspection commands of tarvo-import-cli, run as a user runs them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"
#include "tests/support/foreign_files.h"
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

TEST_F(DbfCommandTest, CheckAcceptsAUniqueTagThatHoldsEachKeyOnce) {
    {
        auto t = xbase::Table::open(path, xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
        t->append();
        t->fieldPut("KODE_C", xbase::Value("a1"));  // the key of record 2 again
        t->createOrder(dir.path() / "S_STOCK.CDX", "UKODE", "Upper(KODE_C)", "", false, true);
    }
    CliRun check = runCli("dbf check " + path.string());
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("Tag UKODE: key Upper(KODE_C), 3 keys"), std::string::npos) << check.output;
}

TEST_F(DbfCommandTest, ReindexMendsADamagedIndexKeepingItsTags) {
    {
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(32 + 2 * 32 + 1 + 1);
        file.write("ZZ", 2);  // a code changed behind the index's back
    }
    const std::string infoBefore = runCli("dbf info " + path.string()).output;
    EXPECT_EQ(runCli("dbf check " + path.string()).status, 1);

    CliRun reindex = runCli("dbf reindex " + path.string());
    EXPECT_EQ(reindex.status, 0) << reindex.output;
    EXPECT_NE(reindex.output.find("Tag KODE rebuilt: 3 keys"), std::string::npos) << reindex.output;
    EXPECT_NE(reindex.output.find("Tag NAMA rebuilt: 2 keys"), std::string::npos) << reindex.output;
    CliRun check = runCli("dbf check " + path.string());
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_EQ(runCli("dbf info " + path.string()).output, infoBefore);  // names, keys, conditions kept
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "S_STOCK.CDX.new"));
}

TEST_F(DbfCommandTest, IndexAddsATagOrReplacesOne) {
    CliRun added = runCli("dbf index " + path.string() + " NAMA_D \"Upper(NAMA)\" --for \"!Deleted()\" --descending");
    EXPECT_EQ(added.status, 0) << added.output;
    EXPECT_NE(added.output.find("Tag NAMA_D built: 2 keys"), std::string::npos) << added.output;
    CliRun replaced = runCli("dbf index " + path.string() + " kode KODE_C --unique");
    EXPECT_EQ(replaced.status, 0) << replaced.output;
    CliRun info = runCli("dbf info " + path.string());
    EXPECT_NE(info.output.find("KODE       key KODE_C  UNIQUE"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("NAMA_D     key Upper(NAMA)  FOR !Deleted()  DESCENDING"), std::string::npos)
        << info.output;
    EXPECT_EQ(runCli("dbf check " + path.string()).status, 0);

    struct Refused {
        std::string arguments;
        int status;
        const char* message;
    };
    const std::vector<Refused> refused = {
        {"dbf index " + path.string() + " BAD \"NOSUCHFIELD\"", 1, "NOSUCHFIELD"},
        {"dbf index " + path.string() + " ONLYTAG", 2, "EXPRESSION is required"},
        {"dbf index " + path.string() + " T KODE_C --sideways", 2, "Usage: tarvo-import-cli dbf index"},
    };
    for (const Refused& r : refused) {
        CliRun run = runCli(r.arguments);
        EXPECT_EQ(run.status, r.status) << r.arguments;
        EXPECT_NE(run.output.find(r.message), std::string::npos) << run.output;
    }
}

TEST_F(DbfCommandTest, ReindexAndIndexRefuseATableAnotherProgramHolds) {
    auto held = xbase::Table::open(path, xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
    for (const std::string& arguments : {"dbf reindex " + path.string(), "dbf index " + path.string() + " X KODE_C"}) {
        CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 1) << arguments;
        EXPECT_NE(run.output.find("in use by another program"), std::string::npos) << run.output;
    }
}

TEST_F(DbfCommandTest, DumpShowsTheTimeOfDateTimeFields) {
    const auto times = dir.path() / "TIMES.DBF";
    xbase::Table::create(times, {{"STAMP", 'T', 8, 0}}, xbase::Driver::DBFCDX);
    {
        auto t = xbase::Table::open(times, xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
        t->append();
        t->fieldPut("STAMP", xbase::Value(xbase::DateTime{xbase::Date{2024, 7, 8}, (13 * 3600 + 5 * 60 + 9) * 1000}));
        t->append();
        t->fieldPut("STAMP", xbase::Value(xbase::DateTime{xbase::Date{1899, 12, 30}, 8 * 3600 * 1000}));
        t->append();
    }
    CliRun dump = runCli("dbf dump " + times.string());
    EXPECT_EQ(dump.status, 0);
    EXPECT_EQ(dump.output, "DELETED\tSTAMP\n\t08/07/2024 13:05:09\n\t30/12/1899 08:00:00\n\t\n");
}

TEST_F(DbfCommandTest, UnusableTagsAreListedAndTheRecordsStillShown) {
    const auto cust = dir.path() / "CUST.DBF";
    test::writeFile(cust, test::dbfImage(0x30, {{"KODE", 'C', 5}}, {" A1   "}, 0x03, true));
    test::writeFile(dir.path() / "CUST.CDX",
                    test::cdxImage({{"LONGNAME", "CUSTOMERNAME", "", 5, ' ', {{"A1   ", 1}}},
                                    {"KODE", "KODE", "", 5, ' ', {{"A1   ", 1}}}}));
    CliRun info = runCli("dbf info " + cust.string());
    EXPECT_EQ(info.status, 0) << info.output;
    EXPECT_NE(info.output.find("LONGNAME   key CUSTOMERNAME\n      unusable: "), std::string::npos) << info.output;
    CliRun check = runCli("dbf check " + cust.string());
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.output.find("Tag LONGNAME: key CUSTOMERNAME, unusable: "), std::string::npos) << check.output;
    EXPECT_NE(check.output.find("Tag KODE: key KODE, 1 keys"), std::string::npos) << check.output;
    EXPECT_NE(check.output.find("1 unusable tag(s) not checked."), std::string::npos) << check.output;
    EXPECT_EQ(runCli("dbf dump " + cust.string()).output, "DELETED\tKODE\n\tA1\n");
}

// Real Visual FoxPro tables hold General pointers into the memo file's header; the other values
// of such a record are still worth seeing.
TEST_F(DbfCommandTest, AValueThatCannotBeReadIsMarkedAndTheDumpGoesOn) {
    const auto notes = dir.path() / "NOTES.DBF";
    xbase::Table::create(notes, {{"KODE", 'C', 4, 0}, {"CATATAN", 'M', 10, 0}}, xbase::Driver::DBFCDX);
    {
        auto t = xbase::Table::open(notes, xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
        for (const char* code : {"A1", "B2", "C3"}) {
            t->append();
            t->fieldPut("KODE", xbase::Value(code));
            t->fieldPut("CATATAN", xbase::Value(std::string("isi ") + code));
        }
    }
    {
        std::fstream file(notes, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(32 + 2 * 32 + 1 + 15 + 1 + 4);
        file.write("         1", 10);  // record 2: a block inside the memo file's header
        file.seekp(32 + 2 * 32 + 1 + 2 * 15 + 1 + 4);
        file.write("      9999", 10);  // record 3: far past its end
    }
    CliRun dump = runCli("dbf dump " + notes.string());
    EXPECT_EQ(dump.status, 1);
    EXPECT_NE(dump.output.find("\tA1\tisi A1\n\tB2\t<unreadable>\n\tC3\t<unreadable>\n"), std::string::npos)
        << dump.output;
    EXPECT_NE(dump.output.find("record 2, field CATATAN: " + (dir.path() / "NOTES.FPT").string() +
                               ": memo block 1 lies inside the memo file's header"),
              std::string::npos)
        << dump.output;
    EXPECT_NE(dump.output.find("2 value(s) could not be read."), std::string::npos) << dump.output;
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
