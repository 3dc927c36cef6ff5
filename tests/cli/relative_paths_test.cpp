// Every command takes files and folders relative to the working folder, as a user types them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace tarvo::cli {
namespace {

TEST(RelativePaths, EveryCommandTakesThemFromTheWorkingFolder) {
    test::TempDir dir;
    const std::string inDir = "cd " + dir.path().string() + " && " + TARVO_CLI;
    std::ofstream(dir.path() / "SALES.csv") << "KODE,NAMA\nS1,Budi\n";
    const struct {
        const char* arguments;
        const char* made;  // a file the command wrote; empty when it only reads
    } cases[] = {
        {"make-retail-db shop", "shop/ST_DB/S_STOCK.Q7T"},
        {"make-templates tpl --items 20 --customers 3 --vendors 2", "tpl/ITEM.DBF"},
        {"templates create ntpl ITEM --all --quiet", "ntpl/ITEM.DBF"},
        {"templates workbook sheets.xlsx --quiet", "sheets.xlsx"},
        {"templates from-sheets SALES.csv fromsheets --yes --quiet", "fromsheets/SALES.DBF"},
        {"import --db shop --templates tpl --yes --quiet --reject-file rejects.txt --json outcome.json",
         "outcome.json"},
        {"dbf check shop/ST_DB/S_SATUAN.Q7T", ""},
        {"backups --db shop", ""},
        {"make-source msbrg --kind msbrg --items 10", "msbrg/MSBRG.DBF"},
    };
    for (const auto& c : cases) {
        const CliRun run = runProgram(inDir, c.arguments);
        EXPECT_EQ(run.status, 0) << c.arguments << "\n" << run.output;
        if (*c.made) {
            EXPECT_TRUE(std::filesystem::exists(dir.path() / c.made)) << c.arguments;
        }
    }
}

}  // namespace
}  // namespace tarvo::cli
