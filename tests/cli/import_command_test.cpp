// The command-line import on a sample shop and sample templates, as a consultant runs it.

#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace tarvo::cli {
namespace {

class ImportCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        shop = (dir.path() / "shop").string();
        templates = (dir.path() / "templates").string();
        ASSERT_EQ(runCli("make-retail-db " + shop).status, 0);
        ASSERT_EQ(runCli("make-templates " + templates + " --items 30 --customers 8 --vendors 4 --seed 3").status, 0);
    }
    std::string importArguments() const { return "import --db " + shop + " --templates " + templates; }
    std::string table(const char* alias) const { return shop + "/ST_DB/" + alias + ".Q7T"; }

    test::TempDir dir;
    std::string shop, templates;
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(ImportCommandTest, ImportsWithYesAndPrintsTheSummary) {
    const CliRun import = runCli(importArguments() + " --yes");
    EXPECT_EQ(import.status, 0) << import.output;
    EXPECT_TRUE(contains(import.output, "Records written:\n")) << import.output;
    EXPECT_TRUE(contains(import.output, "\n  S_STOCK    30\n")) << import.output;
    EXPECT_TRUE(contains(import.output, "\n  S_PELANG   8\n")) << import.output;
    EXPECT_TRUE(contains(import.output, "Rows skipped:\n")) << import.output;
    EXPECT_TRUE(contains(import.output, "Duplicates: ")) << import.output;
    EXPECT_TRUE(contains(import.output, "Reject list: ")) << import.output;

    const CliRun check = runCli("dbf check " + table("S_SATUAN"));
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_TRUE(contains(check.output, "All tags are consistent.")) << check.output;
}

struct StockModeCase {
    const char* option;
    bool dayClosed;        // the control record closed on the stock date, activity from the day after
    bool openingPurchase;  // the "STOCK AWAL" purchase, dated on the stock date
};

void PrintTo(const StockModeCase& c, std::ostream* out) { *out << "--stock-mode " << c.option; }

class StockModeTest : public ImportCommandTest, public ::testing::WithParamInterface<StockModeCase> {};

// The line of a dump that holds the text, empty when none does.
std::string lineWith(const std::string& dump, const std::string& text) {
    const size_t at = dump.find(text);
    if (at == std::string::npos) return {};
    const size_t start = dump.rfind('\n', at) + 1;  // npos + 1 is 0: the first line
    return dump.substr(start, dump.find('\n', at) - start);
}

TEST_P(StockModeTest, ModeAndDateReachTheDatabase) {
    const CliRun import = runCli(importArguments() + " --yes --stock-mode " + GetParam().option +
                                 " --stock-date 31/01/2025");
    ASSERT_EQ(import.status, 0) << import.output;
    const std::string control = runCli("dbf dump " + table("S_KONTRO")).output;
    EXPECT_EQ(contains(control, "\t31/01/2025\t") && contains(control, "\t01/02/2025\t"), GetParam().dayClosed)
        << control;
    const std::string purchase = lineWith(runCli("dbf dump " + table("S_PEMBEL")).output, "\tSTOCK AWAL\t");
    EXPECT_EQ(!purchase.empty(), GetParam().openingPurchase);
    if (GetParam().openingPurchase) {
        EXPECT_TRUE(contains(purchase, "\t31/01/2025\t")) << purchase;
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, StockModeTest,
                         ::testing::Values(StockModeCase{"close", true, false}, StockModeCase{"open", false, true},
                                           StockModeCase{"none", false, false}));

TEST_F(ImportCommandTest, RefusedOrDeclinedImportExitsWithItsMessage) {
    const CliRun noShop = runCli("import --db " + (dir.path() / "lain").string() + " --templates " + templates + " --yes");
    EXPECT_EQ(noShop.status, 1);
    EXPECT_TRUE(contains(noShop.output, "Error: Sistem tidak menemukan Lokasi Data ! ( " + (dir.path() / "lain").string() +
                                            "/ST_DB/ )\n"))
        << noShop.output;
    EXPECT_TRUE(contains(noShop.output, "Import refused; the retail database was not changed.")) << noShop.output;

    std::filesystem::remove(dir.path() / "templates" / "ITEM.DBF");
    const CliRun noItems = runCli(importArguments() + " --yes");
    EXPECT_EQ(noItems.status, 1);
    EXPECT_TRUE(contains(noItems.output, "Error: File ITEM.DBF tidak ditemukan di Lokasi: " + templates + "/\n"))
        << noItems.output;

    std::ofstream(dir.path() / "answer") << "n\n";
    const CliRun declined = runCli(importArguments() + " < " + (dir.path() / "answer").string());
    EXPECT_EQ(declined.status, 1);
    EXPECT_TRUE(contains(declined.output, "[Tarvo-Soft] Lanjutkan proses Import Data ? (y/n) ")) << declined.output;
    EXPECT_TRUE(contains(declined.output, "Import cancelled.")) << declined.output;
}

struct BadOptionCase {
    const char* arguments;
    const char* message;
};

void PrintTo(const BadOptionCase& c, std::ostream* out) { *out << c.arguments; }

class BadOptionTest : public ImportCommandTest, public ::testing::WithParamInterface<BadOptionCase> {};

TEST_P(BadOptionTest, GivesAClearErrorAndTheUsage) {
    const CliRun import = runCli(importArguments() + " --yes " + GetParam().arguments);
    EXPECT_EQ(import.status, 2);
    EXPECT_TRUE(contains(import.output, GetParam().message)) << import.output;
    EXPECT_FALSE(contains(import.output, "Records written")) << import.output;
}

INSTANTIATE_TEST_SUITE_P(
    Options, BadOptionTest,
    ::testing::Values(BadOptionCase{"--stock-mode later", "--stock-mode: unknown stock mode 'later'\nUsage: tarvo-import-cli import"},
                      BadOptionCase{"--stock-date 31/02/2025", "--stock-date: invalid date '31/02/2025' (DD/MM/YYYY)"},
                      BadOptionCase{"--points-date soon", "--points-date: invalid date 'soon' (DD/MM/YYYY)"},
                      BadOptionCase{"--driver DBFXYZ", "--driver: unknown driver 'DBFXYZ'"},
                      BadOptionCase{"--overwrite", "The following argument was not expected: --overwrite"}));

}  // namespace
}  // namespace tarvo::cli
