// File tests, deletions with their messages, structure validation and table creation.

#include <gtest/gtest.h>

#include <fstream>

#include "retaildb/file_routines.h"
#include "retaildb/program_end.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::retaildb {
namespace {

using test::RecordingInteraction;
using test::ScopedInteraction;
using test::TempDir;

struct ProgramEnded {
    std::string reason;
};

void touch(const std::filesystem::path& path, const std::string& text = "x") { std::ofstream(path) << text; }

class FileRoutinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        setDeletionRetryPause([this](std::chrono::milliseconds wait) { pauses.push_back(wait); });
        setProgramEndHandler([](const std::string& reason) { throw ProgramEnded{reason}; });
    }
    void TearDown() override {
        setDeletionRetryPause(nullptr);
        setProgramEndHandler(nullptr);
    }
    std::vector<std::string> errors() const {
        std::vector<std::string> out;
        for (const auto& m : ui.messages)
            if (m.kind == "error") out.push_back(m.text);
        return out;
    }
    std::string p(const std::string& name) const { return (dir.path() / name).string(); }

    TempDir dir;
    RecordingInteraction ui;
    ScopedInteraction scoped{ui};
    std::vector<std::chrono::milliseconds> pauses;
};

TEST_F(FileRoutinesTest, FileTestsAndNames) {
    touch(dir.path() / "ITEM.DBF", "12345");
    std::filesystem::create_directory(dir.path() / "X.DBF");
    EXPECT_TRUE(VOFILE(p("ITEM.DBF")));
    EXPECT_TRUE(VOFILE("  " + p("ITEM.DBF") + "  "));
    EXPECT_FALSE(VOFILE(p("X.DBF")));  // a folder is not a file
    EXPECT_FALSE(VOFILE(p("NONE.DBF")));
    EXPECT_EQ(VOFILESIZE(p("ITEM.DBF")), 5u);
    touch(dir.path() / ".hidden.txt", "abc");
    EXPECT_EQ(VOFILESIZE(p(".hid*")), 3u);
    EXPECT_EQ(VORETFILENAME("/data/toko/ITEM.DBF"), "ITEM.DBF");
    EXPECT_EQ(VORETFILENAME("ITEM.DBF"), "ITEM.DBF");
}

// Files of /proc cannot be deleted, not even by root: a file that resists deletion.
const std::string kUndeletable = "/proc/self/status";

TEST_F(FileRoutinesTest, DeletionReportsFailureWithItsMessage) {
    touch(dir.path() / "A.CDX");
    EXPECT_TRUE(VOFErase(nullptr, p("A.CDX")));
    EXPECT_FALSE(VOFILE(p("A.CDX")));
    EXPECT_TRUE(VOFErase(nullptr, p("A.CDX")));  // nothing to delete
    EXPECT_TRUE(errors().empty());
    EXPECT_FALSE(VOFErase(nullptr, kUndeletable));
    EXPECT_EQ(errors(), std::vector<std::string>{"[VOFErase] Cannot delete file : " + kUndeletable + " !"});
}

TEST_F(FileRoutinesTest, DeletionWithRetriesEndsTheProgramAfterTwentyFailures) {
    touch(dir.path() / "A.CDX");
    EXPECT_TRUE(VOFERASEEX(nullptr, p("A.CDX")));
    EXPECT_TRUE(pauses.empty());
    try {
        VOFERASEEX(nullptr, kUndeletable);
        FAIL() << "the program should have ended";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.reason, "[VOFErase] Cannot delete file : " + kUndeletable + " !");
    }
    EXPECT_EQ(errors().size(), 20u);  // one box per attempt
    EXPECT_EQ(pauses, std::vector<std::chrono::milliseconds>(19, std::chrono::milliseconds(500)));
}

TEST_F(FileRoutinesTest, StructureValidationMessages) {
    const std::string t = "[ITEM.DBF]";
    auto field = structureField;
    struct Case {
        const char* name;
        StructureArray structure;
        std::string message;  // empty: valid
    };
    StructureElement notArray{false, {}};
    StructureElement three{true, {xbase::Value("A"), xbase::Value("C"), xbase::Value(1)}};
    const std::vector<Case> cases = {
        {"empty", {}, t + " Invalid Structure Info [Empty Structure] !"},
        {"not an array", {field("A", "C", 1, 0), notArray}, t + " Invalid Structure Info [Element is not an array] element no: 2 !"},
        {"three values", {three}, t + " Invalid Structure Info '3' element no: 1 !"},
        {"empty name", {field("", "C", 1, 0)}, t + " Invalid Field Name '' !"},
        {"long name", {field("ABCDEFGHIJK", "C", 1, 0)}, t + " Invalid Field Name 'ABCDEFGHIJK' !"},
        {"bad type", {field("A", "X", 1, 0)}, t + "[Field: A] Invalid FIELD Type 'X' !"},
        {"lower-case type", {field("A", "c", 1, 0)}, t + "[Field: A] Invalid FIELD Type 'c' !"},
        {"C 1025", {field("A", "C", 1025, 0)}, t + "[Field: A] [Type: C] Invalid FIELD Length '1025' !"},
        {"C 0", {field("A", "C", 0, 0)}, t + "[Field: A] [Type: C] Invalid FIELD Length '0' !"},
        {"N 20", {field("A", "N", 20, 0)}, t + "[Field: A] [Type: N] Invalid FIELD Length '20' !"},
        {"D 10", {field("A", "D", 10, 0)}, t + "[Field: A] [Type: D] Invalid FIELD Length '10' !"},
        {"L 2", {field("A", "L", 2, 0)}, t + "[Field: A] [Type: L] Invalid FIELD Length '2' !"},
        {"N 16 decimals", {field("A", "N", 19, 16)}, t + "[Field: A] [Type: N] Invalid Field Decimal '16' !"},
        {"C decimals", {field("A", "C", 5, 1)}, t + "[Field: A] [Type: C] Invalid Field Decimal '1' !"},
        {"duplicate", {field("A", "C", 1, 0), field("B", "N", 3, 0), field("A", "D", 8, 0)}, t + " Duplicate Field Name 'A' !"},
        {"first failure only", {field("", "X", 0, 9)}, t + " Invalid Field Name '' !"},
        {"prefix names", {field("KODE_2", "C", 1, 0), field("KODE", "C", 1, 0)}, ""},
        {"limits", {field("C", "C", 1024, 0), field("N", "N", 19, 15), field("M", "M", 0, 0), field("D", "D", 8, 0), field("L", "L", 1, 0)}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        EXPECT_EQ(VOVALIDDBSTRUCT(nullptr, "ITEM.DBF", c.structure), c.message.empty());
        EXPECT_EQ(errors(), c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    }
}

TEST_F(FileRoutinesTest, CreateReplacesTableAndCompanions) {
    auto folder = dir.path() / "DATA.2024";
    std::filesystem::create_directory(folder);
    touch(folder / "ITEM.DBF", "old");
    touch(folder / "ITEM.FPT", "old");
    touch(folder / "item.cdx", "old");  // companions are matched ignoring case
    const std::string path = (folder / "ITEM.DBF").string();
    ASSERT_TRUE(VOCreate(nullptr, path, {structureField("KODE", "C", 20, 0), structureField("MEMO", "M", 10, 0)}));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(std::filesystem::exists(folder / "item.cdx"));
    auto table = xbase::Table::open(path, xbase::OpenOptions{});
    EXPECT_EQ(table->fieldCount(), 2);
    EXPECT_EQ(table->recCount(), 0u);
    EXPECT_GT(std::filesystem::file_size(folder / "ITEM.FPT"), 3u);
}

TEST_F(FileRoutinesTest, RefusedCreationTouchesNothing) {
    touch(dir.path() / "ITEM.DBF", "old");
    const StructureArray good = {structureField("KODE", "C", 20, 0)};
    struct Case {
        std::string path;
        StructureArray structure;
        std::string message;
    };
    const std::vector<Case> cases = {
        {p("ITEM.DBF"), {structureField("KODE", "C", 2000, 0)}, "[ITEM.DBF][Field: KODE] [Type: C] Invalid FIELD Length '2000' !"},
        {"data/ITEM.DBF", good, "[VOCreate] Invalid File Name : data/ITEM.DBF !"},
        {"\\\\server\\share\\ITEM.DBF", good, "[VOCreate] Invalid File Name : \\\\server\\share\\ITEM.DBF !"},
        {p("MY ITEM.DBF"), good, "[VOCreate] Invalid File Name : " + p("MY ITEM.DBF") + " !"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        ui.messages.clear();
        EXPECT_FALSE(VOCreate(nullptr, c.path, c.structure));
        EXPECT_EQ(errors(), std::vector<std::string>{c.message});
    }
    std::ifstream in(dir.path() / "ITEM.DBF");
    std::string content;
    in >> content;
    EXPECT_EQ(content, "old");
}

TEST_F(FileRoutinesTest, FailedCreationLeavesNoFileBehind) {
    const std::string path = p("MISSING_FOLDER/ITEM.DBF");
    EXPECT_FALSE(VOCreate(nullptr, path, {structureField("KODE", "C", 20, 0)}));
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_EQ(errors()[0].rfind("[VOCreate:lRetCode] Failed creating file : " + path + " !\r\nDOS Error: ", 0), 0u);
    EXPECT_FALSE(VOFILE(path));
}

}  // namespace
}  // namespace tarvo::retaildb
