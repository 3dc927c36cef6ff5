// What scripts rely on: results on standard output and everything for people on standard error,
// no question without a terminal to answer it, the JSON outcome of every command that changes
// files (on standard output with --json -), --version after any command, the iPOS password kept
// out of the process list.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "app/cli/ipos_password.h"
#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace tarvo::cli {
namespace {

namespace fs = std::filesystem;
using json = nlohmann::json;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class ScriptingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(runCli("make-retail-db " + shop()).status, 0);
        ASSERT_EQ(runCli("make-templates " + templates() + " --items 300 --customers 20 --vendors 4 --seed 5").status,
                  0);
    }
    std::string shop() const { return (dir.path() / "shop").string(); }
    std::string templates() const { return (dir.path() / "templates").string(); }
    std::string import() const { return "import --db " + shop() + " --templates " + templates(); }

    test::TempDir dir;
};

TEST_F(ScriptingTest, ResultsGoToStdoutAndWhatIsForPeopleToStderr) {
    const CliStreams imported = runCliApart("", import() + " --yes < /dev/null");
    ASSERT_EQ(imported.status, 0) << testing::PrintToString(imported);
    EXPECT_TRUE(contains(imported.out, "Records written:\n")) << imported.out;
    EXPECT_FALSE(contains(imported.err, "Records written:")) << imported.err;

    const CliStreams created = runCliApart("", "templates create " + (dir.path() / "new").string() + " ITEM --all");
    ASSERT_EQ(created.status, 0) << testing::PrintToString(created);
    EXPECT_EQ(created.out, "");
    EXPECT_TRUE(contains(created.err, "[Berhasil] File : ")) << created.err;

    const CliStreams dump = runCliApart("", "dbf dump " + shop() + "/ST_DB/S_SATUAN.Q7T");
    EXPECT_EQ(dump.status, 0);
    EXPECT_FALSE(dump.out.empty());
    EXPECT_EQ(dump.err, "");

    // On a terminal the progress line is drawn on standard error: with that sent away, standard
    // output holds the summary alone.
    const CliRun onTerminal = runProgram(
        "script", "-qec \"" + std::string(TARVO_CLI) + " " + import() + " --yes 2>/dev/null\" /dev/null");
    EXPECT_TRUE(contains(onTerminal.output, "Records written:")) << onTerminal.output;
    EXPECT_FALSE(contains(onTerminal.output, "\033[K")) << onTerminal.output;
}

// Without --yes and with no terminal on standard input, a command that would ask refuses at once,
// having changed nothing.
TEST_F(ScriptingTest, WithoutATerminalAQuestionIsRefusedAtOnce) {
    ASSERT_EQ(runCli(import() + " --yes --quiet").status, 0);  // a backup to restore
    const fs::path filled = dir.path() / "filled";
    ASSERT_EQ(runCli("templates create " + filled.string() + " SALES --all --quiet").status, 0);
    fs::copy_file(dir.path() / "templates" / "SALES.DBF", filled / "SALES.DBF", fs::copy_options::overwrite_existing);
    const std::string cases[] = {
        import(),
        "restore --db " + shop(),
        "templates create " + filled.string() + " SALES --all",
    };
    for (const std::string& arguments : cases) {
        const auto before = test::fileContents(dir.path());
        const CliStreams run = runCliApart("", arguments + " < /dev/null");
        EXPECT_EQ(run.status, 1) << arguments << "\n" << testing::PrintToString(run);
        EXPECT_TRUE(contains(run.err, "use --yes to answer Yes")) << arguments << "\n" << run.err;
        EXPECT_TRUE(test::fileContents(dir.path()) == before) << arguments << ": a file changed";
    }
}

TEST_F(ScriptingTest, JsonDashWritesTheOutcomeToStdoutAndTheSummaryToStderr) {
    const CliStreams run = runCliApart("", import() + " --yes --json - < /dev/null");
    ASSERT_EQ(run.status, 0) << testing::PrintToString(run);
    const json outcome = json::parse(run.out);
    EXPECT_EQ(outcome["command"], "import");
    EXPECT_EQ(outcome["status"], "done");
    EXPECT_TRUE(contains(run.err, "Records written:\n")) << run.err;
    EXPECT_FALSE(fs::exists("-"));
}

// Every command that changes files: --quiet leaves standard error empty on success, --json -
// puts the outcome alone on standard output.
TEST_F(ScriptingTest, EveryCommandThatChangesFilesTakesJsonAndQuiet) {
    std::ofstream(dir.path() / "SALES.csv") << "KODE,NAMA\nS1,Budi\n";
    const fs::path sheetsFolder = dir.path() / "fromsheets";
    const struct {
        std::string arguments;
        const char* command;
    } cases[] = {
        {import() + " --yes", "import"},
        {"restore --db " + shop() + " --yes", "restore"},
        {"repair-stock --db " + shop() + " --yes", "repair-stock"},
        {"templates create " + (dir.path() / "new").string() + " ITEM", "templates create"},
        {"templates workbook " + (dir.path() / "book.xlsx").string(), "templates workbook"},
        {"templates from-sheets " + (dir.path() / "SALES.csv").string() + " " + sheetsFolder.string() + " --yes",
         "templates from-sheets"},
    };
    for (const auto& c : cases) {
        const CliStreams run = runCliApart("", c.arguments + " --quiet --json - < /dev/null");
        EXPECT_EQ(run.status, 0) << c.arguments << "\n" << testing::PrintToString(run);
        EXPECT_EQ(run.err, "") << c.arguments;
        const json outcome = json::parse(run.out, nullptr, false);
        ASSERT_FALSE(outcome.is_discarded()) << c.arguments << "\n" << run.out;
        EXPECT_EQ(outcome["command"], c.command);
        EXPECT_EQ(outcome["status"], "done") << c.arguments;
    }
    EXPECT_TRUE(fs::exists(sheetsFolder / "SALES.DBF"));
}

TEST_F(ScriptingTest, AFailedImportsJsonNamesTheBackupItPutBack) {
    const CliStreams run = runCliApart("TARVO_TEST_WRITE_LIMIT=60000", import() + " --yes --json - < /dev/null");
    EXPECT_EQ(run.status, 1) << testing::PrintToString(run);
    const json outcome = json::parse(run.out);
    EXPECT_EQ(outcome["status"], "failed");
    ASSERT_TRUE(outcome["backup"].is_string());
    EXPECT_TRUE(fs::is_directory(outcome["backup"].get<std::string>()));
    // The shop was put back, so no table is left incomplete.
    EXPECT_TRUE(outcome["details"]["incomplete"].empty()) << run.out;
    EXPECT_FALSE(outcome["details"].contains("restore_problem")) << run.out;
    EXPECT_TRUE(contains(run.err, "the retail database is as it was before the import")) << run.err;
}

TEST(Scripting, VersionAfterAnyCommand) {
    for (const char* command : {"import", "restore", "backups", "dbf", "dbf info", "dbf index", "templates",
                                "templates create", "templates workbook", "templates from-sheets", "repair-stock",
                                "convert-reports", "make-retail-db", "make-templates"}) {
        EXPECT_EQ(runCli(std::string(command) + " --version"), (CliRun{0, "Tarvo-Import 2024.07.08\n"})) << command;
    }
}

TEST(Scripting, TheIposPasswordFromTheOptionAFileOrTheEnvironment) {
    test::TempDir dir;
    const fs::path file = dir.path() / "password";
    std::ofstream(file) << "rahasia\r\nsecond line\n";
    const struct {
        std::string option;
        std::string file;
        const char* environment;
        std::string expected;
    } cases[] = {
        {"given", "", "from-env", "given"},
        {"", file.string(), "from-env", "rahasia"},
        {"", "", "from-env", "from-env"},
        {"", "", nullptr, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(iposPassword(c.option, c.file, c.environment), c.expected) << c.expected;
    EXPECT_THROW(iposPassword("", (dir.path() / "none").string(), nullptr), std::runtime_error);

    const CliRun both = runCli("import --db " + dir.path().string() + " --from ipos --mdb x.mdb --password a "
                               "--password-file " + file.string());
    EXPECT_EQ(both.status, 2);
    EXPECT_TRUE(contains(both.output, "--password excludes --password-file")) << both.output;
}

}  // namespace
}  // namespace tarvo::cli
