// Making the template folder: missing parents, an existing folder left alone, the refusals of
// the folder text, and a folder that cannot be made, with and without retrying.

#include "templatetools/folder_creation.h"

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/test_support.h"

namespace tarvo::templatetools {
namespace {

namespace fs = std::filesystem;

class FolderCreationTest : public ::testing::Test {
protected:
    std::string at(const std::string& relative) const { return (dir.path() / relative).string(); }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(FolderCreationTest, MakesEveryMissingFolderAlongThePath) {
    for (const std::string tail : {"data/tmpl", "x/y/z/"}) {
        SCOPED_TRACE(tail);
        EXPECT_TRUE(VODIRMAKE(nullptr, at(tail), false));
        EXPECT_TRUE(fs::is_directory(at(tail)));
    }
    EXPECT_TRUE(VODIRMAKE(nullptr, "  " + at("trimmed") + "  ", false));
    EXPECT_TRUE(fs::is_directory(at("trimmed")));
    EXPECT_TRUE(fs::is_directory(at("data")));
    EXPECT_TRUE(fs::is_directory(at("x/y")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FolderCreationTest, AnExistingFolderIsLeftAloneWithoutAMessage) {
    fs::create_directories(at("keep"));
    std::ofstream(at("keep/ITEM.DBF")) << "x";
    EXPECT_TRUE(DIRMAKE_NOEXIST(nullptr, at("keep/"), true));
    EXPECT_TRUE(fs::exists(at("keep/ITEM.DBF")));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FolderCreationTest, ARelativePathIsRefused) {
    EXPECT_FALSE(VODIRMAKE(nullptr, "data/tmpl", true));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "[VODirMake] Failed creating directory data/tmpl !");
    EXPECT_FALSE(fs::exists("data"));
}

// A plain file where a folder should go makes the creation fail, for root as for anyone.
TEST_F(FolderCreationTest, AFolderThatCannotBeMadeIsReportedAndRetriedOnlyWhileTheUserWishes) {
    std::ofstream(at("blocked")) << "x";
    const std::string failed = "[VODirMake] Failed creating directory " + at("blocked") + " !";

    EXPECT_FALSE(VODIRMAKE(nullptr, at("blocked/tmpl"), false));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "error");
    EXPECT_EQ(ui.messages[0].text, failed);

    // Retrying: one box per failed attempt, each followed by the question; No ends it.
    ui.messages.clear();
    ui.replies = {ui::kReplyYes, ui::kReplyNo};
    EXPECT_FALSE(DIRMAKE_NOEXIST(nullptr, at("blocked/tmpl"), true));
    ASSERT_EQ(ui.messages.size(), 4u);
    for (int i : {0, 2}) EXPECT_EQ(ui.messages[i].text, failed);
    for (int i : {1, 3}) {
        EXPECT_EQ(ui.messages[i].kind, "ask");
        EXPECT_EQ(ui.messages[i].text, "Coba buat folder " + at("blocked") + " lagi?");
    }
}

// The user mends the cause before answering Yes: the next attempt succeeds.
TEST_F(FolderCreationTest, ARetryAfterTheCauseIsMendedSucceeds) {
    struct MendingInteraction : test::RecordingInteraction {
        fs::path blocker;
        int askEx(ui::Owner owner, const std::string& title, const std::string& text, int type, int def) override {
            fs::remove(blocker);
            RecordingInteraction::askEx(owner, title, text, type, def);
            return ui::kReplyYes;
        }
    } mending;
    mending.blocker = at("blocked");
    test::ScopedInteraction use(mending);
    std::ofstream(at("blocked")) << "x";
    EXPECT_TRUE(VODIRMAKE(nullptr, at("blocked/tmpl/"), true));
    EXPECT_TRUE(fs::is_directory(at("blocked/tmpl")));
    EXPECT_EQ(mending.count("error"), 1u);
    EXPECT_EQ(mending.count("ask"), 1u);
}

TEST_F(FolderCreationTest, TheFolderTextIsCheckedBeforeAnythingIsMade) {
    struct Case {
        std::string text;
        std::string folder;
        std::string message;
    };
    const std::vector<Case> cases{
        {"   ", "", "Lokasi import belum diisi!"},
        {"\\\\SERVER\\SHARE", "", "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!"},
        {"  " + at("new/tmpl") + " ", at("new/tmpl") + "/", ""},
        {at("new/tmpl") + "/", at("new/tmpl") + "/", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ui.messages.clear();
        EXPECT_EQ(createImportFolder(nullptr, c.text, true), c.folder);
        if (c.message.empty()) {
            EXPECT_TRUE(ui.messages.empty());
            EXPECT_TRUE(fs::is_directory(c.folder));
        } else {
            ASSERT_EQ(ui.messages.size(), 1u);
            EXPECT_EQ(ui.messages[0].text, c.message);
        }
    }
}

}  // namespace
}  // namespace tarvo::templatetools
