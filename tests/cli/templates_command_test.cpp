// The template commands of tarvo-import-cli: the catalogue listing and "create", run as a user
// runs them.

#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::cli {
namespace {

size_t lineCount(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

std::vector<xbase::FieldInfo> structureOf(const std::filesystem::path& path) {
    return xbase::Table::open(path, {})->structure();
}

TEST(TemplatesCommand, ColumnsListsOneFileOrTheWholeCatalogue) {
    CliRun sales = runCli("templates columns sales.dbf");
    EXPECT_EQ(sales.status, 0);
    EXPECT_EQ(sales.output,
              "KODE\tC\t30\t0\t*\t-\tKode Sales\n"
              "NAMA\tC\t30\t0\t*\t-\tNama Sales\n"
              "ALAMAT\tC\t100\t0\t-\t-\tAlamat Sales\n"
              "TELEPON\tC\t20\t0\t-\t-\tNo Telepon Sales\n"
              "CATATAN\tC\t30\t0\t-\t-\tCatatan / Remarks\n");

    CliRun item = runCli("templates columns ITEM");
    EXPECT_EQ(lineCount(item.output), 143u);
    EXPECT_NE(item.output.find("SAT_1\tC\t5\t0\t-\tPCS\tNama Satuan (UOM) Terkecil Barang (mis: PCS)"), std::string::npos);

    CliRun all = runCli("templates columns");
    EXPECT_EQ(all.status, 0);
    EXPECT_EQ(all.output.rfind("== GRPSTK.DBF: File Table : GrpStk.dbf   (berisi kelompok ke-1 barang/item) (boleh tidak ada)\n"
                               "KODE\tC\t40\t0\t*\t-\tKode Group / Kelompok\n",
                               0),
              0u);
    // Eighteen headings, a blank line between pages, 311 rows.
    EXPECT_EQ(lineCount(all.output), 18u + 17u + 311u);

    CliRun unknown = runCli("templates columns STOCK.DBF");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.output.find("unknown template file 'STOCK.DBF'; the files are: GRPSTK.DBF"), std::string::npos);
}

TEST(TemplatesCommand, CreateWritesTheChosenColumnsAndAsksBeforeReplacingAFilledFile) {
    xbase::applyStartupSettings();
    test::TempDir dir;
    const std::filesystem::path folder = dir.path() / "new" / "tmpl";

    CliRun some = runCli("templates create " + folder.string() + " sales --columns catatan,ALAMAT");
    EXPECT_EQ(some.status, 0) << some.output;
    EXPECT_EQ(some.output, "[Berhasil] File : " + folder.string() + "/SALES.DBF berhasil dibuat !\n");
    EXPECT_EQ(structureOf(folder / "SALES.DBF"), (std::vector<xbase::FieldInfo>{
                                                     {"KODE", 'C', 30, 0}, {"NAMA", 'C', 30, 0},
                                                     {"ALAMAT", 'C', 100, 0}, {"CATATAN", 'C', 30, 0}}));

    EXPECT_EQ(runCli("templates create " + folder.string() + " SALES.DBF --all").status, 0);
    EXPECT_EQ(structureOf(folder / "SALES.DBF").size(), 5u);
    {
        auto table = xbase::Table::open(folder / "SALES.DBF", {});
        table->append();
    }
    const auto before = test::fileContents(folder);
    CliRun declined = runCli("templates create " + folder.string() + " SALES.DBF < /dev/null");
    EXPECT_EQ(declined.status, 1);
    EXPECT_NE(declined.output.find("sudah ada dan berisi 1 record. Ganti?"), std::string::npos) << declined.output;
    EXPECT_NE(declined.output.find("File kept; nothing was written."), std::string::npos);
    EXPECT_EQ(test::fileContents(folder), before);

    EXPECT_EQ(runCli("templates create " + folder.string() + " SALES.DBF --yes").status, 0);
    EXPECT_EQ(structureOf(folder / "SALES.DBF").size(), 2u);
}

// --json: what was made, or why not; --quiet keeps the success box off the terminal.
TEST(TemplatesCommand, CreateWritesItsOutcomeAsJson) {
    test::TempDir dir;
    const std::filesystem::path folder = dir.path() / "tmpl";
    const std::string json = (dir.path() / "outcome.json").string();
    const auto outcome = [&json] {
        std::ifstream in(json);
        return nlohmann::json::parse(in);
    };
    EXPECT_EQ(runCli("templates create " + folder.string() + " ITEM --all --quiet --json " + json), (CliRun{0, ""}));
    nlohmann::json done = outcome();
    EXPECT_EQ(done["command"], "templates create");
    EXPECT_EQ(done["status"], "done");
    EXPECT_EQ(done["exit_status"], 0);
    EXPECT_EQ(done["details"]["file"], (folder / "ITEM.DBF").string());
    ASSERT_EQ(done["messages"].size(), 1u);
    EXPECT_EQ(done["messages"][0]["kind"], "info");
    EXPECT_EQ(done["messages"][0]["title"], "Berhasil");

    EXPECT_EQ(runCli("templates create '  ' ITEM --json " + json).status, 1);
    nlohmann::json refused = outcome();
    EXPECT_EQ(refused["status"], "refused");
    EXPECT_EQ(refused["exit_status"], 1);
    EXPECT_EQ(refused["messages"][0]["text"], "Lokasi import belum diisi!");
    EXPECT_FALSE(refused["details"].contains("file"));
}

TEST(TemplatesCommand, CreateRefusesBadArgumentsBeforeWritingAnything) {
    test::TempDir dir;
    const std::string folder = dir.path().string();
    struct Case {
        std::string arguments;
        int status;
        std::string message;
    };
    const std::vector<Case> cases{
        {"create " + folder + " STOCK.DBF", 2, "unknown template file 'STOCK.DBF'"},
        {"create " + folder + " ITEM.DBF --columns KODE_2,KOTA,X", 2, "ITEM.DBF has no column KOTA, X"},
        {"create " + folder + " ITEM.DBF --all --columns KODE_2", 2, "--columns excludes --all"},
        {"create " + folder + " ITEM.DBF --colour", 2, "The following argument was not expected: --colour"},
        {"create '  ' ITEM.DBF", 1, "Error: Lokasi import belum diisi!"},
        {"create '\\\\SERVER\\SHARE' ITEM.DBF", 1, "Error: Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!"},
        {"create " + folder + "/new PEMBEL.DBF", 1,
         "Error: Belum ada kolom yang dipilih! File : " + folder + "/new/PEMBEL.DBF tidak dibuat."},
        {"frobnicate", 2, "unknown command 'frobnicate'"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        CliRun run = runCli("templates " + c.arguments);
        EXPECT_EQ(run.status, c.status);
        EXPECT_NE(run.output.find(c.message), std::string::npos) << run.output;
    }
    EXPECT_TRUE(test::fileContents(dir.path()).empty());
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "new"));
}

}  // namespace
}  // namespace tarvo::cli
