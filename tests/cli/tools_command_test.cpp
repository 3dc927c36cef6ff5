// The report converter and the stock repair from the command line: what they print and their
// exit status.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"
#include "xbase/table.h"

namespace tarvo::cli {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

nlohmann::json readJson(const std::filesystem::path& file) {
    std::ifstream in(file);
    return nlohmann::json::parse(in, nullptr, /*allow_exceptions=*/false);
}

TEST(ConvertReportsCommand, PrintsTheLinesReadAndTheRecordsWritten) {
    test::TempDir dir;
    std::string item(130, ' ');
    item.replace(0, 3, "A-1");
    item.replace(14, 5, "SABUN");
    writeFile(dir.path() / "ITEM.TXT", "ITEM LIST\r\n" + item + "\r\n" + item + "\r\n");
    std::string customer(140, ' ');
    customer.replace(0, 5, "00001");
    customer.replace(6, 2, "C1");
    writeFile(dir.path() / "CUST.TXT", customer + "\r\n   JL. MAWAR\r\n");

    const CliRun run = runCli("convert-reports " + dir.path().string());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output, "ITEM.TXT: 3 lines read, 2 records written to ITEM.DBF\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "CUST.TXT: 1 lines read, 1 records written to PELANG.DBF\n")) << run.output;
    EXPECT_EQ(xbase::Table::open(dir.path() / "ITEM.DBF", {})->recCount(), 2u);

    EXPECT_TRUE(contains(run.output, "Create DBF selesai: 2 item ditulis ke ITEM.DBF, 1 pelanggan ditulis ke PELANG.DBF."))
        << run.output;

    // Filled templates are replaced only after a question: no answer keeps them as they are.
    const auto filled = test::fileContents(dir.path());
    const CliRun declined = runCli("convert-reports " + dir.path().string() + " < /dev/null");
    EXPECT_EQ(declined.status, 1) << declined.output;
    EXPECT_TRUE(contains(declined.output, dir.path().string() + "/ITEM.DBF sudah ada dan berisi 2 record. Ganti?"))
        << declined.output;
    EXPECT_EQ(test::fileContents(dir.path()), filled);

    // The same as JSON, quietly, replacing them with --yes; the old ones are kept as .bak.
    const std::filesystem::path json = dir.path() / "outcome.json";
    EXPECT_EQ(runCli("convert-reports " + dir.path().string() + " --yes --quiet --json " + json.string()),
              (CliRun{0, ""}));
    EXPECT_EQ(test::fileContents(dir.path())["ITEM.DBF.bak"], filled.at("ITEM.DBF"));
    EXPECT_EQ(test::fileContents(dir.path())["PELANG.DBF.bak"], filled.at("PELANG.DBF"));
    const nlohmann::json outcome = readJson(json);
    EXPECT_EQ(outcome["command"], "convert-reports");
    EXPECT_EQ(outcome["status"], "done");
    EXPECT_EQ(outcome["written"], (nlohmann::json{{"ITEM", 2}, {"PELANG", 1}}));
    EXPECT_EQ(outcome["details"], (nlohmann::json{{"item_lines", 3}, {"customer_lines", 1}}));
}

TEST(ConvertReportsCommand, AFolderWithoutReportsIsRefused) {
    test::TempDir dir;
    const CliRun run = runCli("convert-reports " + dir.path().string());
    EXPECT_EQ(run.status, 1) << run.output;
    EXPECT_TRUE(contains(run.output, "Error: Missing file: " + dir.path().string() + "/ITEM.TXT\n")) << run.output;
    EXPECT_TRUE(contains(run.output, "Conversion stopped.")) << run.output;
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));

    test::TempDir out;
    const std::filesystem::path json = out.path() / "outcome.json";
    EXPECT_EQ(runCli("convert-reports " + dir.path().string() + " --json " + json.string()).status, 1);
    const nlohmann::json outcome = readJson(json);
    EXPECT_EQ(outcome["status"], "refused");
    EXPECT_EQ(outcome["exit_status"], 1);
    EXPECT_EQ(outcome["written"], nlohmann::json::object());
    ASSERT_EQ(outcome["messages"].size(), 1u);
    EXPECT_EQ(outcome["messages"][0]["text"], "Missing file: " + dir.path().string() + "/ITEM.TXT");
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(RepairStockCommand, PrintsTheRecordsChanged) {
    test::TempDir dir;
    std::filesystem::create_directory(dir.path() / "ST_DB");
    const auto path = dir.path() / "ST_DB" / "S_STOCK.Q7T";
    xbase::Table::create(path, {{"ID", 'N', 10, 0}, {"JENIS", 'N', 1, 0}}, xbase::Driver::DBFCDX);
    {
        auto table = xbase::Table::open(path, {true, false, xbase::Driver::DBFCDX});
        for (int kind : {0, 1, 0}) {
            table->append();
            table->fieldPut("JENIS", kind);
        }
    }
    const CliRun declined = runCli("repair-stock --db " + dir.path().string() + " < /dev/null");
    EXPECT_EQ(declined.status, 1) << declined.output;
    EXPECT_TRUE(contains(declined.output, "Perbaiki Data: semua item berjenis 0 di S_STOCK dijadikan jenis 1."))
        << declined.output;
    EXPECT_TRUE(contains(declined.output, "Repair not done; S_STOCK is as it was.")) << declined.output;
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "TARVO-BACKUP"));

    const CliRun run = runCli("repair-stock --db " + dir.path().string() + " --yes");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(contains(run.output, "[Berhasil] Data berhasil diperbaiki.\n2 item diubah dari jenis 0 ke jenis 1.\n"))
        << run.output;
    EXPECT_TRUE(contains(run.output, "S_STOCK: 3 records read, 2 changed from kind 0 to kind 1\n")) << run.output;

    const std::filesystem::path json = dir.path() / "outcome.json";
    EXPECT_EQ(runCli("repair-stock --db " + dir.path().string() + " --yes -q --json " + json.string()), (CliRun{0, ""}));
    const nlohmann::json outcome = readJson(json);
    EXPECT_EQ(outcome["command"], "repair-stock");
    EXPECT_EQ(outcome["status"], "done");
    EXPECT_EQ(outcome["written"], (nlohmann::json{{"S_STOCK", 0}}));  // the second run finds nothing of kind 0
    EXPECT_EQ(outcome["details"], (nlohmann::json{{"records", 3}, {"changed", 0}}));
    ASSERT_EQ(outcome["messages"].size(), 1u);
    EXPECT_EQ(outcome["messages"][0]["text"], "Data berhasil diperbaiki.\n0 item diubah dari jenis 0 ke jenis 1.");
    // Each run took a backup of its own, listed as a repair.
    const std::string backups = runCli("backups --db " + dir.path().string()).output;
    EXPECT_EQ(std::count(backups.begin(), backups.end(), '\n') - 1, 2) << backups;
    EXPECT_TRUE(contains(backups, "repair")) << backups;
}

TEST(RepairStockCommand, RefusalsAndUsage) {
    test::TempDir dir;
    const struct {
        std::string arguments;
        int status;
        std::string output;
    } cases[] = {
        {"repair-stock --db " + dir.path().string() + " --yes", 1,
         "Error: Sistem tidak menemukan Lokasi Data ! ( " + dir.path().string() + "/ST_DB/ )\n"},
        {"repair-stock", 2, "--db is required\nUsage: tarvo-import-cli repair-stock"},
        {"repair-stock " + dir.path().string(), 2, "Usage: tarvo-import-cli repair-stock"},
        {"convert-reports", 2, "FOLDER is required\nUsage: tarvo-import-cli convert-reports"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments << "\n" << run.output;
        EXPECT_TRUE(contains(run.output, c.output)) << c.arguments << "\n" << run.output;
    }
}

}  // namespace
}  // namespace tarvo::cli
