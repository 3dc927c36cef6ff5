// The tool's message boxes as Qt shows them: buttons, default button, reply codes, owner and
// modality, captions.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app/gui/qt_interaction.h"
#include "tests/gui/gui_test_support.h"

namespace tarvo::gui {
namespace {

// An owner window for the boxes.
class OwnerDialog : public QDialog, public ui::OwnerWindow {};

// A plain object that is not a window.
class NotAWindow : public ui::OwnerWindow {};

class MessageBoxes : public ::testing::Test {
protected:
    QtInteraction interaction;
    void SetUp() override { ui::setInteraction(&interaction); }
    void TearDown() override { ui::setInteraction(nullptr); }
};

struct BoxSeen {
    std::string title, text, defaultButton;
    std::vector<std::string> buttons;
    QWidget* parent = nullptr;
    Qt::WindowModality modality = Qt::NonModal;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
};

// Records the box that opens and presses a button in it (nullptr: Enter on the default).
BoxSeen answer(const std::function<void()>& show, std::optional<QMessageBox::StandardButton> press) {
    BoxSeen seen;
    test::whenModalOpens(
        [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seen.title = box->windowTitle().toStdString();
            seen.text = box->text().toStdString();
            seen.icon = box->icon();
            seen.parent = box->parentWidget();
            seen.modality = box->windowModality();
            for (QAbstractButton* button : box->buttons()) seen.buttons.push_back(button->text().remove('&').toStdString());
            if (box->defaultButton()) seen.defaultButton = box->defaultButton()->text().remove('&').toStdString();
            if (press) box->button(*press)->click();
            else QTest::keyClick(box, Qt::Key_Return);
        },
        show);
    return seen;
}

TEST_F(MessageBoxes, AskWithTheSecondButtonAsDefaultAnswersNoOnEnter) {
    OwnerDialog owner;
    bool yes = true;
    const BoxSeen seen = answer([&] { yes = ui::BOXASK(&owner, "Tarvo-Soft", "Lanjutkan proses Import Data ?", 2); },
                                std::nullopt);
    EXPECT_FALSE(yes);
    EXPECT_EQ(seen.title, "Tarvo-Soft");
    EXPECT_EQ(seen.text, "Lanjutkan proses Import Data ?");
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_EQ(seen.buttons.size(), 2u);
    EXPECT_EQ(seen.defaultButton, "No");
    EXPECT_EQ(seen.parent, &owner);
}

TEST_F(MessageBoxes, ReplyCodesFollowTheButtonPressed) {
    const struct {
        int boxType, defaultButton;
        QMessageBox::StandardButton press;
        int reply;
        const char* preselected;
        size_t buttons;
    } cases[] = {
        {3, 3, QMessageBox::Cancel, ui::kReplyCancel, "Cancel", 3},
        {3, 1, QMessageBox::Yes, ui::kReplyYes, "Yes", 3},
        {3, 2, QMessageBox::No, ui::kReplyNo, "No", 3},
        {4, 1, QMessageBox::Yes, ui::kReplyYes, "Yes", 2},
        {4, 3, QMessageBox::No, ui::kReplyNo, "Yes", 2},  // no third button to preselect
    };
    for (const auto& c : cases) {
        int reply = -1;
        const BoxSeen seen = answer([&] { reply = ui::BOXASKEX(nullptr, "T", "Q", c.boxType, c.defaultButton); }, c.press);
        EXPECT_EQ(reply, c.reply) << c.boxType << "/" << c.defaultButton;
        EXPECT_EQ(seen.defaultButton, c.preselected) << c.boxType << "/" << c.defaultButton;
        EXPECT_EQ(seen.buttons.size(), c.buttons);
    }
}

TEST_F(MessageBoxes, ABoxWithoutAWindowAsOwnerBlocksTheWholeProgram) {
    NotAWindow notAWindow;
    const BoxSeen seen = answer([&] { ui::BOXASK(&notAWindow, "T", "Q", 1); }, QMessageBox::Yes);
    EXPECT_EQ(seen.parent, nullptr);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
}

TEST_F(MessageBoxes, ErrorWarningAndInformationBoxes) {
    OwnerDialog owner;
    BoxSeen seen = answer([&] { ui::BOXERROR(&owner, "Lokasi import belum diisi!"); }, QMessageBox::Ok);
    EXPECT_EQ(seen.title, "Error");
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.text, "Lokasi import belum diisi!");

    seen = answer([&] { ui::BOXWARNING(&owner, "Tarvo-Import", "over"); }, QMessageBox::Ok);
    EXPECT_EQ(seen.title, "Tarvo-Import");
    EXPECT_EQ(seen.icon, QMessageBox::Warning);

    seen = answer([&] { ui::BOXINFO(nullptr, "Info", "done"); }, QMessageBox::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Information);
    EXPECT_EQ(seen.modality, Qt::ApplicationModal);
}

}  // namespace
}  // namespace tarvo::gui
