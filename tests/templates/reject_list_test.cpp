#include "importing/reject_list.h"
#include "templates/template_run.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>

#include "tests/support/scoped_environment.h"
#include "tests/support/test_support.h"

namespace tarvo::templates {
namespace {

namespace fs = std::filesystem;

// Records the bar positions as well.
class BarRecordingInteraction : public test::RecordingInteraction {
public:
    std::vector<long> bars;
    void progressBar(long position, long) override { bars.push_back(position); }
};

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeFile(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

const std::string kHeader = "KETERANGAN\tKODE\tNAMA\tREC\tKODE *2\tNAMA *2\tREC *2\r\n";

class RejectListTest : public ::testing::Test {
protected:
    BarRecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    test::TempDir dir;
    TemplateRun run{importing::defaultImportOptions(), dir.path().string(), nullptr};
};

TEST_F(RejectListTest, CodeDuplicatesComeFirstThenNameDuplicatesWithLineBreaksRemoved) {
    run.nameDuplicates.push_back({"A1", "Sabun\n", "B7", "SABUN", 4, 2});
    run.codeDuplicates.push_back({"X\r\n1", "Kopi", "X1", "Kopi\r", 3, 1});
    run.codeDuplicates.push_back({"Y2", "Teh", "Y2", "TEH MANIS", 12, 9});

    const std::vector<importing::RejectRow> rows = importing::rejectRows(run);

    const std::vector<importing::RejectRow> expected = {
        {"Kode Sama", "X1", "Kopi", 3, "X1", "Kopi", 1},
        {"Kode Sama", "Y2", "Teh", 12, "Y2", "TEH MANIS", 9},
        {"Nama Sama", "A1", "Sabun", 4, "B7", "SABUN", 2},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(ui.progressTexts, (std::vector<std::string>{"Kode sama, ketemu no. 1 / 2", "Kode sama, ketemu no. 2 / 2",
                                                          "Nama sama, ketemu no. 1 / 1"}));
    EXPECT_EQ(ui.bars, (std::vector<long>{50, 100, 100}));
}

// A run that refuses many items keeps its lists in a temporary file, not in memory: found
// interleaved, the entries come back in their order, code duplicates first, each line as written
// for a short list.
TEST_F(RejectListTest, AListOfManyRowsIsWrittenInTheOrderItWasFound) {
    const uint32_t count = 60000;  // several megabytes of entries
    for (uint32_t i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        if (i % 3) run.codeDuplicates.push_back({"K" + n, "Barang " + n, "K" + n, "BARANG " + n, i, i + 1});
        else run.nameDuplicates.push_back({"N" + n, "Nama " + n, "M" + n, "NAMA " + n, i, 7});
    }
    const importing::DuplicateList shared = run.codeDuplicates;  // copies share the entries
    EXPECT_EQ(shared.size(), run.codeDuplicates.size());

    ASSERT_TRUE(importing::writeRejectFile(run.codeDuplicates, run.nameDuplicates, dir.path() / "REJECT.TXT"));
    std::string expected = kHeader;
    for (uint32_t i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        if (i % 3)
            expected += "Kode Sama\tK" + n + "\tBarang " + n + "\t#" + n + "\tK" + n + "\tBARANG " + n + "\t#" +
                        std::to_string(i + 1) + "\r\n";
    }
    for (uint32_t i = 3; i <= count; i += 3) {
        const std::string n = std::to_string(i);
        expected += "Nama Sama\tN" + n + "\tNama " + n + "\t#" + n + "\tM" + n + "\tNAMA " + n + "\t#7\r\n";
    }
    EXPECT_TRUE(readFile(dir.path() / "REJECT.TXT") == expected);
    EXPECT_EQ(ui.progressTexts.back(), "Nama sama, ketemu no. 20000 / 20000");
}

TEST_F(RejectListTest, FileHoldsHeaderAndOneCrLfLinePerRowWithHashedRecordNumbers) {
    const std::vector<importing::RejectRow> rows = {
        {"Kode Sama", "X1", "Kopi Bubuk", 3, "X1", "KOPI", 1},
        {"Nama Sama", "A1", "Sabun Ñ", 40, "B7", "SABUN Ñ", 200},
    };
    ASSERT_TRUE(importing::writeRejectFile(rows, dir.path() / "REJECT.TXT"));
    EXPECT_EQ(readFile(dir.path() / "REJECT.TXT"),
              kHeader + "Kode Sama\tX1\tKopi Bubuk\t#3\tX1\tKOPI\t#1\r\n"
                        "Nama Sama\tA1\tSabun Ñ\t#40\tB7\tSABUN Ñ\t#200\r\n");
    EXPECT_EQ(ui.messages.size(), 0u);
}

TEST_F(RejectListTest, ExistingFileIsEmptiedFirstAndFoundIgnoringCase) {
    writeFile(dir.path() / "reject.txt", std::string(500, 'z'));
    ASSERT_TRUE(importing::writeRejectFile({{"Kode Sama", "K", "N", 1, "K", "N", 1}}, dir.path() / "REJECT.TXT"));
    EXPECT_EQ(readFile(dir.path() / "reject.txt"), kHeader + "Kode Sama\tK\tN\t#1\tK\tN\t#1\r\n");
    EXPECT_FALSE(fs::exists(dir.path() / "REJECT.TXT"));
}

TEST_F(RejectListTest, NoRowsLeaveThePreviousFileUntouched) {
    writeFile(dir.path() / "REJECT.TXT", "previous run");
    EXPECT_TRUE(importing::writeRejectFile(importing::rejectRows(run), dir.path() / "REJECT.TXT"));
    EXPECT_EQ(readFile(dir.path() / "REJECT.TXT"), "previous run");
    EXPECT_TRUE(ui.progressTexts.empty());
}

TEST_F(RejectListTest, UnwritableFolderGivesTheErrorBoxWithTheFullPath) {
    const fs::path notAFolder = dir.path() / "plain";
    writeFile(notAFolder, "x");
    EXPECT_FALSE(importing::writeRejectFile({{"Kode Sama", "K", "N", 1, "K", "N", 1}}, notAFolder / "REJECT.TXT"));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "error");
    EXPECT_EQ(ui.messages[0].text, "Gagal membuat file : " + (notAFolder / "REJECT.TXT").string());
}

TEST(ExecutableFolder, IsTheFolderHoldingThisTestProgram) {
    const fs::path folder = xbase::executableFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(fs::exists(folder / "templates_tests"));
}

using test::ScopedEnvironment;

// A program folder under a build tree (CMakeCache.txt above it) or an installed one.
struct ProgramFolders {
    test::TempDir dir;
    fs::path build = dir.path() / "build";
    fs::path buildProgram = build / "app";
    fs::path installed = dir.path() / "usr" / "bin";
    ProgramFolders() {
        fs::create_directories(buildProgram);
        fs::create_directories(installed);
        writeFile(build / "CMakeCache.txt", "# CMake cache\n");
    }
};

TEST(RejectFile, BesideTheProgramOnlyInItsBuildTree) {
    ProgramFolders folders;
    const ScopedEnvironment data("XDG_DATA_HOME", (folders.dir.path() / "data").c_str());
    EXPECT_TRUE(importing::runsFromBuildTree(folders.buildProgram));
    EXPECT_TRUE(importing::runsFromBuildTree(folders.build));
    EXPECT_FALSE(importing::runsFromBuildTree(folders.installed));
    EXPECT_TRUE(importing::runsFromBuildTree(xbase::executableFolder()));  // this test program
    EXPECT_EQ(importing::rejectFile("/srv/toko", folders.buildProgram), folders.buildProgram / "REJECT.TXT");
    EXPECT_FALSE(fs::exists(folders.dir.path() / "data"));
    // An installed program's folder is never used, even where it is writable (/usr/bin for root).
    EXPECT_EQ(importing::rejectFile("/srv/toko", folders.installed),
              folders.dir.path() / "data" / "tarvo-import" / "REJECT-toko.TXT");
    EXPECT_TRUE(fs::is_directory(folders.dir.path() / "data" / "tarvo-import"));
    EXPECT_TRUE(fs::is_empty(folders.installed));
}

TEST(RejectFile, OneFilePerShopNamedAfterItsFolder) {
    ProgramFolders folders;
    const ScopedEnvironment data("XDG_DATA_HOME", (folders.dir.path() / "data").c_str());
    const fs::path dataFolder = folders.dir.path() / "data" / "tarvo-import";
    const struct {
        fs::path shop;
        const char* file;
    } cases[] = {
        {"/srv/shops/TOKO1", "REJECT-TOKO1.TXT"},
        {"/srv/shops/toko 2/", "REJECT-toko 2.TXT"},
        {"/srv/shops/toko3/ST_DB/..", "REJECT-toko3.TXT"},
        {"/", "REJECT.TXT"},
    };
    for (const auto& c : cases) EXPECT_EQ(importing::rejectFile(c.shop, folders.installed), dataFolder / c.file) << c.shop;
    // A relative shop folder is named after the folder it means.
    EXPECT_EQ(importing::rejectFile(".", folders.installed),
              dataFolder / ("REJECT-" + fs::current_path().filename().string() + ".TXT"));
}

TEST(RejectFile, InTheUsersDataFolderWhenTheBuildTreesProgramFolderIsReadOnly) {
    if (::geteuid() == 0) GTEST_SKIP() << "the superuser writes in read-only folders";
    ProgramFolders folders;
    fs::permissions(folders.buildProgram, fs::perms::owner_read | fs::perms::owner_exec);
    const ScopedEnvironment data("XDG_DATA_HOME", (folders.dir.path() / "data").c_str());
    const fs::path file = importing::rejectFile("/srv/toko", folders.buildProgram);
    fs::permissions(folders.buildProgram, fs::perms::owner_all);
    EXPECT_EQ(file, folders.dir.path() / "data" / "tarvo-import" / "REJECT-toko.TXT");
}

TEST(RejectFile, FallsBackToXdgDataHomeOrTheHomeFolder) {
    ProgramFolders folders;
    // Unset, or not an absolute path, XDG_DATA_HOME means ~/.local/share.
    for (const char* xdg : {static_cast<const char*>(nullptr), "relative/data"}) {
        const ScopedEnvironment data("XDG_DATA_HOME", xdg);
        const ScopedEnvironment home("HOME", folders.dir.path().c_str());
        EXPECT_EQ(importing::rejectFile("/srv/toko", folders.installed),
                  folders.dir.path() / ".local" / "share" / "tarvo-import" / "REJECT-toko.TXT");
    }
}

}  // namespace
}  // namespace tarvo::templates
