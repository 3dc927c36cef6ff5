#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "ui/user_interaction.h"

namespace tarvo::test {
namespace {

TEST(RecordingInteractionTest, RecordsBoxesAndAnswersFromTheScript) {
    RecordingInteraction recorder;
    recorder.replies = {ui::kReplyYes};
    {
        ScopedInteraction scope(recorder);
        EXPECT_TRUE(ui::BOXASK(nullptr, "Title", "Question?", 2));
        EXPECT_FALSE(ui::BOXASK(nullptr, "Title", "Again?", 2));
        ui::BOXERROR(nullptr, "Broken");
        ui::BOXWARNING(nullptr, "Careful", "Warned");
        ui::BOXINFO(nullptr, "Done", "Finished");
        ui::interaction().progressText(1, "Working");
    }
    ASSERT_EQ(recorder.messages.size(), 5u);
    EXPECT_EQ(recorder.messages[0].kind, "ask");
    EXPECT_EQ(recorder.messages[1].text, "Again?");
    EXPECT_EQ(recorder.messages[2].kind, "error");
    EXPECT_EQ(recorder.messages[2].text, "Broken");
    EXPECT_EQ(recorder.messages[3].title, "Careful");
    EXPECT_EQ(recorder.count("info"), 1u);
    EXPECT_EQ(recorder.progressTexts, std::vector<std::string>{"Working"});

    ui::BOXINFO(nullptr, "After", "Not recorded");
    EXPECT_EQ(recorder.messages.size(), 5u);
}

TEST(TempDirTest, CreatesAnEmptyFolderAndRemovesIt) {
    std::filesystem::path kept;
    {
        TempDir first;
        TempDir second;
        kept = first.path();
        EXPECT_TRUE(std::filesystem::is_directory(kept));
        EXPECT_NE(first.path(), second.path());
        std::filesystem::create_directory(kept / "sub");
    }
    EXPECT_FALSE(std::filesystem::exists(kept));
}

}  // namespace
}  // namespace tarvo::test
