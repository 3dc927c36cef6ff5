// "templates workbook" and "templates from-sheets" run as a user runs them: the workbook of the
// chosen pages, templates from CSV files, one line per problem and exit status 1 with nothing
// written, the question before replacing.

#include <gtest/gtest.h>

#include <fstream>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"
#include "tests/support/xlsx_parts.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::cli {
namespace {

namespace fs = std::filesystem;

TEST(TemplatesSheetsCommand, WorkbookOfChosenPages) {
    test::TempDir dir;
    const fs::path book = dir.path() / "isi.xlsx";
    const CliRun run = runCli("templates workbook " + book.string() + " --templates item.dbf,Vendor");
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "Workbook written: " + book.string() + " (2 sheets)\n");
    const std::string workbook = test::readPart(book, "xl/workbook.xml");
    EXPECT_NE(workbook.find("name=\"ITEM\""), std::string::npos);
    EXPECT_NE(workbook.find("name=\"VENDOR\""), std::string::npos);

    const CliRun unknown = runCli("templates workbook " + book.string() + " --templates ITEM,STOCK");
    EXPECT_EQ(unknown.status, 2);
    EXPECT_NE(unknown.output.find("unknown template 'STOCK'"), std::string::npos) << unknown.output;
    EXPECT_EQ(runCli("templates workbook").status, 2);
}

TEST(TemplatesSheetsCommand, FromSheetsWritesOrListsEveryProblem) {
    xbase::applyStartupSettings();
    test::TempDir dir;
    const fs::path csv = dir.path() / "csv";
    const fs::path out = dir.path() / "out";
    fs::create_directories(csv);
    std::ofstream(csv / "ITEM.csv") << "KODE;NAMA;H_BELI\nA1;Apel;1.250,5\nA2;;dua\n";
    std::ofstream(csv / "STOK.csv") << "X\n1\n";

    const CliRun refused = runCli("templates from-sheets " + csv.string() + " " + out.string());
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.output,
              "file STOK.csv passed over: no template of that name\n"
              "ITEM row 3, column NAMA (B): mandatory value empty\n"
              "ITEM row 3, column H_BELI (C), value \"dua\": not a number\n"
              "2 errors; nothing was written.\n");
    EXPECT_FALSE(fs::exists(out));

    std::ofstream(csv / "ITEM.csv") << "KODE;NAMA;H_BELI\nA1;Apel;1.250,5\nA2;Jeruk;2\n";
    const CliRun written = runCli("templates from-sheets " + csv.string() + " " + out.string());
    EXPECT_EQ(written.status, 0) << written.output;
    EXPECT_NE(written.output.find("ITEM.DBF: 2 rows, 3 columns\n"), std::string::npos);
    auto table = xbase::Table::open(out / "ITEM.DBF", {});
    EXPECT_EQ(table->recCount(), 2u);
    EXPECT_DOUBLE_EQ(table->fieldGet("H_BELI").number(), 1250.5);
    table.reset();

    const auto before = test::fileContents(out);
    const CliRun declined = runCli("templates from-sheets " + csv.string() + " " + out.string() + " </dev/null");
    EXPECT_EQ(declined.status, 1);
    EXPECT_NE(declined.output.find("File template berikut sudah ada dan akan diganti:"), std::string::npos);
    EXPECT_EQ(test::fileContents(out), before);
    EXPECT_EQ(runCli("templates from-sheets " + csv.string() + " " + out.string() + " --yes").status, 0);

    std::ofstream(csv / "ITEM.csv") << "KODE;NAMA\nA1;Apel Malang Super Manis Sekali Dari Kebun Sendiri Yang Luas Sekali Di Kaki Gunung Arjuno Jawa Timur Indonesia\n";
    const CliRun truncated = runCli("templates from-sheets " + csv.string() + " " + out.string() + " --truncate --yes");
    EXPECT_EQ(truncated.status, 0);
    EXPECT_NE(truncated.output.find("warning: ITEM row 2, column NAMA (B)"), std::string::npos);
}

TEST(TemplatesSheetsCommand, MapProposesAndFromSheetsUsesTheMapping) {
    xbase::applyStartupSettings();
    test::TempDir dir;
    const fs::path csv = dir.path() / "toko";
    fs::create_directories(csv);
    std::ofstream(csv / "Barang.csv") << "DAFTAR BARANG;;;\n;;;\nKode Barang;Nama Barang;Harga Jual;Rak\nA1;Apel;1.500;R1\n";

    const CliRun printed = runCli("templates map " + csv.string());
    EXPECT_EQ(printed.status, 0) << printed.output;
    EXPECT_NE(printed.output.find("\"template\": \"ITEM\""), std::string::npos) << printed.output;
    EXPECT_NE(printed.output.find("\"header_row\": 3"), std::string::npos) << printed.output;

    const fs::path map = dir.path() / "kolom.json";
    const CliRun written = runCli("templates map " + csv.string() + " --write " + map.string());
    EXPECT_EQ(written.status, 0) << written.output;
    EXPECT_EQ(written.output, "Column mapping written: " + map.string() + " (1 sheets)\n");

    const fs::path out = dir.path() / "out";
    const CliRun checked = runCli("templates from-sheets " + csv.string() + " " + out.string() + " --map " + map.string() + " --check");
    EXPECT_EQ(checked.status, 0) << checked.output;
    EXPECT_NE(checked.output.find("Every cell passed; nothing was written."), std::string::npos) << checked.output;
    EXPECT_FALSE(fs::exists(out));

    const CliRun read = runCli("templates from-sheets " + csv.string() + " " + out.string() + " --map " + map.string());
    EXPECT_EQ(read.status, 0) << read.output;
    EXPECT_EQ(read.output,
              "Barang column Kode Barang (A) read as KODE\n"
              "Barang column Nama Barang (B) read as NAMA\n"
              "Barang column Harga Jual (C) read as H_JUAL1\n"
              "Barang column Rak (D) passed over: no template column\n"
              "ITEM.DBF: 1 rows, 3 columns\n");
    EXPECT_EQ(xbase::Table::open(out / "ITEM.DBF", {})->fieldGet("H_JUAL1").number(), 1500);

    std::ofstream(map) << "{\"sheets\": [{\"sheet\": \"Barang\", \"template\": \"ITEM\", \"columns\": [{\"column\": \"A\", \"field\": \"KODEX\"}]}]}";
    const CliRun refused = runCli("templates from-sheets " + csv.string() + " " + out.string() + " --map " + map.string() + " --yes");
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.output, map.string() + ", sheet Barang: ITEM has no column KODEX\nNothing was written.\n");
}

// The new template takes the old one's place (and name case) with one rename, and work folders
// that ended runs left behind are cleared; a running run's folder stays.
TEST(TemplatesSheetsCommand, ReplacesEachTemplateAndClearsWorkFoldersOfEndedRuns) {
    xbase::applyStartupSettings();
    test::TempDir dir;
    const fs::path csv = dir.path() / "csv";
    const fs::path out = dir.path() / "out";
    fs::create_directories(csv);
    std::ofstream(csv / "ITEM.csv") << "KODE;NAMA\nA1;Apel\n";
    ASSERT_EQ(runCli("templates from-sheets " + csv.string() + " " + out.string()).status, 0);
    std::ofstream(out / "item.cdx") << "an index of the old table";
    const fs::path ended = out / ".tarvo-sheets-999999999";  // beyond any process number
    const fs::path running = out / ".tarvo-sheets-1";         // the init process: alive
    for (const fs::path& work : {ended, running}) {
        fs::create_directories(work);
        std::ofstream(work / "ITEM.DBF") << "half written";
    }

    std::ofstream(csv / "ITEM.csv") << "KODE;NAMA\nA1;Apel\nA2;Jeruk\n";
    const CliRun replaced = runCli("templates from-sheets " + csv.string() + " " + out.string() + " --yes");
    EXPECT_EQ(replaced.status, 0) << replaced.output;
    EXPECT_FALSE(fs::exists(ended));
    EXPECT_TRUE(fs::exists(running / "ITEM.DBF"));
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(out))
        if (entry.is_regular_file()) names.push_back(entry.path().filename().string());
    EXPECT_EQ(names, std::vector<std::string>{"ITEM.DBF"});
    EXPECT_EQ(xbase::Table::open(out / "ITEM.DBF", {})->recCount(), 2u);
}

// CSV text that is not UTF-8 is Windows-1252 unless --encoding names another code page; a
// character the template's code page cannot hold is a cell error, not a "?".
TEST(TemplatesSheetsCommand, CsvEncodings) {
    xbase::applyStartupSettings();
    test::TempDir dir;
    const fs::path csv = dir.path() / "csv";
    const fs::path out = dir.path() / "out";
    fs::create_directories(csv);
    struct Case {
        const char* name;
        std::string bytes;
        const char* options;
        const char* name2;  // NAMA as written, empty when refused
    };
    const std::vector<Case> cases = {
        {"Windows-1252", "KODE;NAMA\nA1;Caf\xE9 Susu Cr\xE8me \xF1\n", "", "Café Susu Crème ñ"},
        {"OEM 437 named", "KODE;NAMA\nA1;Caf\x82 Susu Cr\x8Ame \xA4\n", " --encoding 437", "Café Susu Crème ñ"},
        {"UTF-8, a character CP437 lacks", "KODE;NAMA\nA1;Harga \xE2\x82\xAC" "5\n", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        fs::remove_all(out);
        std::ofstream(csv / "ITEM.csv", std::ios::binary) << c.bytes;
        const CliRun run = runCli("templates from-sheets " + csv.string() + " " + out.string() + c.options);
        if (std::string(c.name2).empty()) {
            EXPECT_EQ(run.status, 1);
            EXPECT_NE(run.output.find("character \"€\" not in the table's code page (CP437)"), std::string::npos)
                << run.output;
            EXPECT_FALSE(fs::exists(out / "ITEM.DBF"));
            continue;
        }
        EXPECT_EQ(run.status, 0) << run.output;
        std::string written = xbase::Table::open(out / "ITEM.DBF", {})->fieldGet("NAMA").text();
        written.erase(written.find_last_not_of(' ') + 1);
        EXPECT_EQ(written, c.name2);
    }
    EXPECT_EQ(runCli("templates from-sheets " + csv.string() + " " + out.string() + " --encoding 9999").status, 2);
}

}  // namespace
}  // namespace tarvo::cli
