// The command-line import on a sample shop and sample templates, as a consultant runs it.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

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
    // Not a terminal: no progress line, only the messages and the summary.
    EXPECT_FALSE(contains(import.output, "\r")) << import.output;
    EXPECT_FALSE(contains(import.output, "Proses no.")) << import.output;

    const CliRun check = runCli("dbf check " + table("S_SATUAN"));
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_TRUE(contains(check.output, "All tags are consistent.")) << check.output;
}

// On a terminal (a pseudo-terminal made by script(1)) the progress is one line redrawn in place
// with its bar and percentage; --quiet leaves it out.
TEST_F(ImportCommandTest, ProgressLineOnATerminal) {
    const auto onTerminal = [this](const std::string& options) {
        return runProgram("script", "-qec \"" + std::string(TARVO_CLI) + " " + importArguments() + " --yes" + options +
                                        "\" /dev/null");
    };
    const CliRun shown = onTerminal("");
    ASSERT_EQ(shown.status, 0) << shown.output;
    EXPECT_TRUE(contains(shown.output, "\r\033[KCek struktur file table : ")) << shown.output;
    EXPECT_TRUE(contains(shown.output, "] 100%")) << shown.output;
    EXPECT_TRUE(contains(shown.output, "Records written:")) << shown.output;
    const CliRun quiet = onTerminal(" --quiet");
    ASSERT_EQ(quiet.status, 0) << quiet.output;
    EXPECT_FALSE(contains(quiet.output, "\033[K")) << quiet.output;
    EXPECT_FALSE(contains(quiet.output, "Records written:")) << quiet.output;
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

    // Answered No on a terminal (a pseudo-terminal made by script(1), fed from the file).
    std::ofstream(dir.path() / "answer") << "n\n";
    const CliRun declined = runProgram("script", "-qec \"" + std::string(TARVO_CLI) + " " + importArguments() +
                                                     "\" /dev/null < " + (dir.path() / "answer").string());
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

using nlohmann::json;

json readJson(const std::filesystem::path& file) {
    std::ifstream in(file);
    return json::parse(in, nullptr, /*allow_exceptions=*/false);
}

// The "  NAME   count" lines of the summary under a heading, as the JSON would hold them.
json summaryCounts(const std::string& output, const std::string& heading) {
    json counts = json::object();
    const size_t at = output.find(heading + "\n");
    if (at == std::string::npos) return counts;
    std::istringstream lines(output.substr(at + heading.size() + 1));
    std::string line;
    while (std::getline(lines, line) && line.starts_with("  ")) {
        std::istringstream words(line);
        std::string name;
        unsigned count = 0;
        words >> name >> count;
        counts[name] = count;
    }
    return counts;
}

// The JSON outcome agrees with the summary and with the reject file, field by field. The program
// runs from a folder of its own, as installed, so the reject file goes to the user's data folder,
// named after the shop.
TEST_F(ImportCommandTest, JsonOutcomeHoldsWhatTheSummaryAndTheRejectListSay) {
    const std::filesystem::path program = dir.path() / "bin" / "tarvo-import-cli";
    std::filesystem::create_directory(dir.path() / "bin");
    std::filesystem::copy_file(TARVO_CLI, program);
    const std::filesystem::path file = dir.path() / "outcome.json";
    const CliRun import = runProgram("env XDG_DATA_HOME=" + (dir.path() / "data").string() + " " + program.string(),
                                     importArguments() + " --yes --json " + file.string());
    ASSERT_EQ(import.status, 0) << import.output;
    const json outcome = readJson(file);
    ASSERT_TRUE(outcome.is_object()) << import.output;

    EXPECT_EQ(outcome["program"], "Tarvo-Import 2024.07.08");
    EXPECT_EQ(outcome["command"], "import");
    EXPECT_EQ(outcome["status"], "done");
    EXPECT_EQ(outcome["exit_status"], 0);
    EXPECT_EQ(outcome["messages"], json::array());
    EXPECT_EQ(outcome["written"], summaryCounts(import.output, "Records written:"));
    EXPECT_EQ(outcome["written"]["S_STOCK"], 30);
    EXPECT_EQ(outcome["written"]["S_PELANG"], 8);
    EXPECT_EQ(outcome["skipped"], summaryCounts(import.output, "Rows skipped:"));
    EXPECT_FALSE(outcome["skipped"].empty());
    ASSERT_TRUE(outcome["backup"].is_string());
    EXPECT_NE(outcome["backup"].get<std::string>().find("/TARVO-BACKUP/"), std::string::npos);
    EXPECT_EQ(outcome["details"], json::object());

    const std::filesystem::path rejectFile = dir.path() / "data" / "tarvo-import" / "REJECT-shop.TXT";
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "bin" / "REJECT.TXT"));
    EXPECT_EQ(outcome["reject_file"], rejectFile.string());
    EXPECT_TRUE(contains(import.output, "Reject list: " + rejectFile.string() + "\n")) << import.output;
    // One duplicate a line of REJECT.TXT, after its header, with the same texts and record numbers.
    std::ifstream reject(rejectFile);
    std::string line;
    std::getline(reject, line);
    size_t byCode = 0, byName = 0;
    for (const json& duplicate : outcome["duplicates"]) {
        ASSERT_TRUE(std::getline(reject, line));
        const bool code = duplicate["reason"] == "code";
        (code ? byCode : byName) += 1;
        EXPECT_EQ(line, std::string(code ? "Kode Sama" : "Nama Sama") + "\t" + duplicate["code"].get<std::string>() +
                            "\t" + duplicate["name"].get<std::string>() + "\t#" +
                            std::to_string(duplicate["template_record"].get<int>()) + "\t" +
                            duplicate["existing_code"].get<std::string>() + "\t" +
                            duplicate["existing_name"].get<std::string>() + "\t#" +
                            std::to_string(duplicate["existing_record"].get<int>()) + "\r");
        EXPECT_GT(duplicate["template_record"], 0);
        EXPECT_GT(duplicate["existing_record"], 0);
    }
    EXPECT_FALSE(std::getline(reject, line)) << "a line of REJECT.TXT missing from the JSON: " << line;
    EXPECT_GT(byCode + byName, 0u);
    EXPECT_TRUE(contains(import.output, "Duplicates: " + std::to_string(byCode) + " by code, " +
                                            std::to_string(byName) + " by name\n"))
        << import.output;
}

// --reject-file puts the list where the script wants it, a path relative to the working folder
// included; the summary and the JSON name it in full.
TEST_F(ImportCommandTest, RejectFileOptionTakesARelativePath) {
    std::filesystem::create_directory(dir.path() / "lists");
    const std::filesystem::path rejectFile = dir.path() / "lists" / "toko.txt";
    const CliRun import = runProgram("cd " + dir.path().string() + " && " + std::string(TARVO_CLI),
                                     importArguments() + " --yes --reject-file lists/toko.txt --json out.json");
    ASSERT_EQ(import.status, 0) << import.output;
    EXPECT_TRUE(contains(import.output, "Reject list: " + rejectFile.string() + "\n")) << import.output;
    EXPECT_EQ(readJson(dir.path() / "out.json")["reject_file"], rejectFile.string());
    std::ifstream reject(rejectFile);
    std::string header;
    std::getline(reject, header);
    EXPECT_EQ(header, "KETERANGAN\tKODE\tNAMA\tREC\tKODE *2\tNAMA *2\tREC *2\r");
    // A folder that does not exist is refused before the import.
    const CliRun refused = runCli(importArguments() + " --yes --reject-file " + (dir.path() / "none" / "r.txt").string());
    EXPECT_EQ(refused.status, 2) << refused.output;
    EXPECT_TRUE(contains(refused.output, "error: --reject-file: no folder")) << refused.output;
}

TEST_F(ImportCommandTest, JsonOutcomeOfARefusedAndOfADeclinedImport) {
    const std::filesystem::path file = dir.path() / "outcome.json";
    const std::string noShop = (dir.path() / "lain").string();
    EXPECT_EQ(runCli("import --db " + noShop + " --templates " + templates + " --yes --json " + file.string()).status, 1);
    json outcome = readJson(file);
    EXPECT_EQ(outcome["status"], "refused");
    EXPECT_EQ(outcome["exit_status"], 1);
    EXPECT_EQ(outcome["details"]["refusal"], "database");
    EXPECT_EQ(outcome["written"], json::object());
    EXPECT_EQ(outcome["reject_file"], nullptr);
    ASSERT_EQ(outcome["messages"].size(), 1u);
    EXPECT_EQ(outcome["messages"][0]["kind"], "error");
    EXPECT_EQ(outcome["messages"][0]["text"], "Sistem tidak menemukan Lokasi Data ! ( " + noShop + "/ST_DB/ )");

    // Without --yes and without a terminal to answer on, the question is refused at once.
    std::ofstream(dir.path() / "answer") << "y\n";
    EXPECT_EQ(runCli(importArguments() + " --json " + file.string() + " < " + (dir.path() / "answer").string()).status,
              1);
    outcome = readJson(file);
    EXPECT_EQ(outcome["status"], "declined");
    ASSERT_EQ(outcome["messages"].size(), 1u);
    EXPECT_EQ(outcome["messages"][0]["text"],
              "[Tarvo-Soft] Lanjutkan proses Import Data ? (no terminal to answer on; use --yes to answer Yes)");
}

TEST_F(ImportCommandTest, QuietPrintsNothingOnSuccessAndTheErrorsOnRefusal) {
    EXPECT_EQ(runCli(importArguments() + " --yes --quiet"), (CliRun{0, ""}));
    const CliRun refused = runCli("import --db " + (dir.path() / "lain").string() + " --templates " + templates +
                                  " --yes -q");
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.output, "Error: Sistem tidak menemukan Lokasi Data !")) << refused.output;
}

// A JSON file that could not be written is refused before the import touches anything.
TEST_F(ImportCommandTest, JsonFileInAMissingFolderIsAUsageError) {
    const std::string before = runCli("dbf dump " + table("S_KONTRO")).output;
    const CliRun import = runCli(importArguments() + " --yes --json " + (dir.path() / "none" / "out.json").string());
    EXPECT_EQ(import.status, 2);
    EXPECT_TRUE(contains(import.output, "error: --json: no folder '" + (dir.path() / "none").string() + "'"))
        << import.output;
    EXPECT_FALSE(contains(import.output, "Records written")) << import.output;
    EXPECT_EQ(runCli("dbf dump " + table("S_KONTRO")).output, before);
}

}  // namespace
}  // namespace tarvo::cli
