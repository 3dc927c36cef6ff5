// The command-line import from other applications' tables, on sources that make-source writes,
// as the README shows it.

#include <gtest/gtest.h>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace tarvo::cli {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

struct SourceCase {
    const char* kind;
    const char* firstItemsTable;  // the file of the kind's items, to spoil
};

void PrintTo(const SourceCase& c, std::ostream* out) { *out << c.kind; }

class SourceImportCommandTest : public ::testing::TestWithParam<SourceCase> {
protected:
    void SetUp() override {
        shop = (dir.path() / "shop").string();
        source = (dir.path() / "source").string();
        ASSERT_EQ(runCli("make-retail-db " + shop).status, 0);
        const CliRun make = runCli(std::string("make-source --kind ") + GetParam().kind + " " + source + " --items 40 --seed 2");
        ASSERT_EQ(make.status, 0) << make.output;
    }
    std::string importArguments() const {
        return std::string("import --from ") + GetParam().kind + " --source " + source + " --db " + shop;
    }

    test::TempDir dir;
    std::string shop, source;
};

TEST_P(SourceImportCommandTest, ImportsWithYesAndPrintsTheSummary) {
    const CliRun import = runCli(importArguments() + " --yes --stock-mode close --stock-date 31/01/2025");
    ASSERT_EQ(import.status, 0) << import.output;
    EXPECT_TRUE(contains(import.output, "Records written:\n  ")) << import.output;
    EXPECT_TRUE(contains(import.output, "\n  S_STOCK    ")) << import.output;
    EXPECT_TRUE(contains(import.output, "Rows skipped:\n")) << import.output;
    EXPECT_TRUE(contains(import.output, "Duplicates: ")) << import.output;
    const CliRun check = runCli("dbf check " + shop + "/ST_DB/S_SATUAN.Q7T");
    EXPECT_EQ(check.status, 0) << check.output;
}

TEST_P(SourceImportCommandTest, MissingItemsTableIsRefusedAndNamed) {
    std::filesystem::remove(std::filesystem::path(source) / GetParam().firstItemsTable);
    const CliRun import = runCli(importArguments() + " --yes");
    EXPECT_EQ(import.status, 1);
    EXPECT_TRUE(contains(import.output, std::string("File ") + GetParam().firstItemsTable + " tidak ditemukan di Lokasi: "))
        << import.output;
    EXPECT_TRUE(contains(import.output, "the retail database was not changed")) << import.output;
}

TEST_P(SourceImportCommandTest, DeclinedWithoutYes) {
    const CliRun import = runCli(importArguments() + " < /dev/null");
    EXPECT_EQ(import.status, 1) << import.output;
    EXPECT_TRUE(contains(import.output, "Import cancelled.")) << import.output;
}

INSTANTIATE_TEST_SUITE_P(Kinds, SourceImportCommandTest,
                         ::testing::Values(SourceCase{"msbrg", "MSBRG.DBF"}, SourceCase{"is", "STOCK.DTA"},
                                           SourceCase{"ias", "STOCK.DBF"}),
                         [](const auto& info) { return std::string(info.param.kind); });

TEST(SourceCommandArguments, BadValuesAreRefusedWithTheUsage) {
    for (const char* arguments : {"import --from dbase --source x --db y", "import --from is --db y",
                                  "import --templates x --source x --db y", "make-source --kind dbase x",
                                  "make-source --kind is", "make-source --kind is x --items many"}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.status, 2) << arguments;
        EXPECT_TRUE(contains(run.output, "Usage: tarvo-import-cli ")) << arguments << "\n" << run.output;
    }
}

}  // namespace
}  // namespace tarvo::cli
