#include "templates/reject_list.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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
    TemplateRun run{defaultImportOptions(), dir.path().string(), nullptr};
};

TEST_F(RejectListTest, CodeDuplicatesComeFirstThenNameDuplicatesWithLineBreaksRemoved) {
    run.nameDuplicates.push_back({"A1", "Sabun\n", "B7", "SABUN", 4, 2});
    run.codeDuplicates.push_back({"X\r\n1", "Kopi", "X1", "Kopi\r", 3, 1});
    run.codeDuplicates.push_back({"Y2", "Teh", "Y2", "TEH MANIS", 12, 9});

    const std::vector<RejectRow> rows = rejectRows(run);

    const std::vector<RejectRow> expected = {
        {"Kode Sama", "X1", "Kopi", 3, "X1", "Kopi", 1},
        {"Kode Sama", "Y2", "Teh", 12, "Y2", "TEH MANIS", 9},
        {"Nama Sama", "A1", "Sabun", 4, "B7", "SABUN", 2},
    };
    EXPECT_EQ(rows, expected);
    EXPECT_EQ(ui.progressTexts, (std::vector<std::string>{"Kode sama, ketemu no. 1 / 2", "Kode sama, ketemu no. 2 / 2",
                                                          "Nama sama, ketemu no. 1 / 1"}));
    EXPECT_EQ(ui.bars, (std::vector<long>{50, 100, 100}));
}

TEST_F(RejectListTest, FileHoldsHeaderAndOneCrLfLinePerRowWithHashedRecordNumbers) {
    const std::vector<RejectRow> rows = {
        {"Kode Sama", "X1", "Kopi Bubuk", 3, "X1", "KOPI", 1},
        {"Nama Sama", "A1", "Sabun Ñ", 40, "B7", "SABUN Ñ", 200},
    };
    ASSERT_TRUE(writeRejectFile(rows, dir.path()));
    EXPECT_EQ(readFile(dir.path() / "REJECT.TXT"),
              kHeader + "Kode Sama\tX1\tKopi Bubuk\t#3\tX1\tKOPI\t#1\r\n"
                        "Nama Sama\tA1\tSabun Ñ\t#40\tB7\tSABUN Ñ\t#200\r\n");
    EXPECT_EQ(ui.messages.size(), 0u);
}

TEST_F(RejectListTest, ExistingFileIsEmptiedFirstAndFoundIgnoringCase) {
    writeFile(dir.path() / "reject.txt", std::string(500, 'z'));
    ASSERT_TRUE(writeRejectFile({{"Kode Sama", "K", "N", 1, "K", "N", 1}}, dir.path()));
    EXPECT_EQ(readFile(dir.path() / "reject.txt"), kHeader + "Kode Sama\tK\tN\t#1\tK\tN\t#1\r\n");
    EXPECT_FALSE(fs::exists(dir.path() / "REJECT.TXT"));
}

TEST_F(RejectListTest, NoRowsLeaveThePreviousFileUntouched) {
    writeFile(dir.path() / "REJECT.TXT", "previous run");
    EXPECT_TRUE(writeRejectFile(rejectRows(run), dir.path()));
    EXPECT_EQ(readFile(dir.path() / "REJECT.TXT"), "previous run");
    EXPECT_TRUE(ui.progressTexts.empty());
}

TEST_F(RejectListTest, UnwritableFolderGivesTheErrorBoxWithTheFullPath) {
    const fs::path notAFolder = dir.path() / "plain";
    writeFile(notAFolder, "x");
    EXPECT_FALSE(writeRejectFile({{"Kode Sama", "K", "N", 1, "K", "N", 1}}, notAFolder));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "error");
    EXPECT_EQ(ui.messages[0].text, "Gagal membuat file : " + (notAFolder / "REJECT.TXT").string());
}

TEST(ExecutableFolder, IsTheFolderHoldingThisTestProgram) {
    const fs::path folder = executableFolder();
    EXPECT_TRUE(folder.is_absolute());
    EXPECT_TRUE(fs::exists(folder / "templates_tests"));
}

}  // namespace
}  // namespace tarvo::templates
