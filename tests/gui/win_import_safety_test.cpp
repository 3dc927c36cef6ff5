// The window's side of the safety net: the summary at the end of every import, the dry run
// check box, the restore command with its list of backups, the offer to restore after an
// interrupted import, and Escape that asks before it throws away what was filled in.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <fstream>

#include "app/gui/win_choose_backup.h"
#include "app/gui/win_import.h"
#include "safety/backups.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_support.h"

namespace tarvo::gui {
namespace {

namespace fs = std::filesystem;

class WinImportSafetyTest : public ::testing::Test {
protected:
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    test::TempDir dir;
    WINIMPORT window;
    fs::path database;

    void SetUp() override {
        window.show();
        database = test::typeSampleShop(window, dir.path());
    }
    // The import, closing a reject window should one open.
    void importFromTheWindow() {
        test::whenModalOpens([](QWidget* modal) { modal->close(); }, [&] { window.BUTTONIMPORT(); });
    }
    const test::RecordedMessage* lastInfo() const {
        for (auto it = ui.messages.rbegin(); it != ui.messages.rend(); ++it)
            if (it->kind == "info") return &*it;
        return nullptr;
    }
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(WinImportSafetyTest, EveryImportEndsWithWhatItDid) {
    ui.replies = {ui::kReplyYes};
    importFromTheWindow();
    EXPECT_EQ(ui.count("error"), 0u);
    const test::RecordedMessage* info = lastInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->title, "Import selesai");
    EXPECT_TRUE(contains(info->text, "Record yang ditulis:\n")) << info->text;
    EXPECT_TRUE(contains(info->text, "\n  S_STOCK    ")) << info->text;
    EXPECT_TRUE(contains(info->text, "Duplikat: ")) << info->text;
    EXPECT_TRUE(contains(info->text, "Cadangan sebelum import: " + (dir.path() / "TARVO-BACKUP").string()))
        << info->text;
}

TEST_F(WinImportSafetyTest, DryRunCheckBoxLeavesTheShopAsItIs) {
    const auto before = test::fileContents(database);
    window.PERIKSASAJA->setChecked(true);
    ui.replies = {ui::kReplyYes};
    importFromTheWindow();
    EXPECT_TRUE(test::fileContents(database) == before);
    const test::RecordedMessage* info = lastInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(contains(info->text, "Periksa saja: import dijalankan pada salinan sementara")) << info->text;
    EXPECT_TRUE(contains(info->text, "\n  S_STOCK    20\n")) << info->text;
}

TEST_F(WinImportSafetyTest, RestoreButtonListsTheBackupsAndPutsTheChosenOneBack) {
    const auto before = test::fileContents(database);
    ui.replies = {ui::kReplyYes};
    importFromTheWindow();
    const auto afterFirst = test::fileContents(database);
    ASSERT_TRUE(afterFirst != before);
    ui.replies = {ui::kReplyYes};
    importFromTheWindow();
    const std::vector<safety::Backup> backups = safety::listBackups(database);
    ASSERT_EQ(backups.size(), 2u);

    // The list: newest first, each with when, what took it, its state and size; the older one chosen.
    std::vector<std::vector<std::string>> rows;
    ui.messages.clear();
    ui.replies = {ui::kReplyYes};
    test::whenModalOpens(
        [&](QWidget* modal) {
            auto* chooser = qobject_cast<WinChooseBackup*>(modal);
            ASSERT_NE(chooser, nullptr);
            QTreeWidget* list = chooser->list();
            for (int row = 0; row < list->topLevelItemCount(); ++row) {
                std::vector<std::string>& texts = rows.emplace_back();
                for (int column = 0; column < list->columnCount(); ++column)
                    texts.push_back(list->topLevelItem(row)->text(column).toStdString());
            }
            EXPECT_EQ(chooser->chosenStamp(), backups[0].stamp) << "the newest is chosen to begin with";
            list->setCurrentItem(list->topLevelItem(1));
            chooser->accept();
        },
        [&] { window.BUTTONPULIHKAN_->click(); });
    ASSERT_EQ(rows.size(), 2u);
    for (size_t row = 0; row < rows.size(); ++row) {
        const safety::BackupListing listing = safety::backupListing(database, backups[row]);
        EXPECT_EQ(rows[row], (std::vector<std::string>{backups[row].stamp, listing.taken, listing.madeBy, "done",
                                                       listing.size}));
        EXPECT_EQ(listing.madeBy, "import: window, templates: " + (dir.path() / "templates").string());
    }
    ASSERT_GE(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, "ask");
    EXPECT_TRUE(contains(ui.messages[0].text, "Kembalikan data dari cadangan " + backups[1].stamp))
        << ui.messages[0].text;
    EXPECT_EQ(ui.messages[1].text, "Data toko sudah dikembalikan dari cadangan.");
    EXPECT_TRUE(test::fileContents(database) == before);
}

TEST_F(WinImportSafetyTest, EscapeAsksBeforeClosingAFilledInWindow) {
    // LOKASI and IMPORT are filled in: No keeps the window open, Yes closes it.
    ui.replies = {ui::kReplyNo};
    QTest::keyClick(&window, Qt::Key_Escape);
    ASSERT_EQ(ui.count("ask"), 1u);
    EXPECT_EQ(ui.messages[0].text, "Tutup Tarvo-Import? Isian di jendela ini akan hilang.");
    EXPECT_TRUE(window.isVisible());
    ui.replies = {ui::kReplyYes};
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());

    // A window with nothing filled in closes at once, as before.
    WINIMPORT fresh;
    fresh.show();
    ui.messages.clear();
    QTest::keyClick(&fresh, Qt::Key_Escape);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_FALSE(fresh.isVisible());
}

class InterruptedImportWindowTest : public WinImportSafetyTest {
protected:
    void SetUp() override {
        WinImportSafetyTest::SetUp();
        before = test::fileContents(database);
        safety::createBackup(database, "window");  // stays "running": its import died
        fs::remove(database / "S_STOCK.CDX");
        std::ofstream(database / "S_STOCK.Q7T", std::ios::app) << "half";
        window.LOKASI->clear();
    }
    std::map<std::string, std::string> before;
};

TEST_F(InterruptedImportWindowTest, NamingTheFolderOffersTheRestore) {
    ui.replies = {ui::kReplyYes};
    window.LOKASI->setText(QString::fromStdString(dir.path().string()));
    window.CHECKINTERRUPTED();
    ASSERT_GE(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "ask");
    EXPECT_TRUE(contains(ui.messages[0].text, "Import terakhir ke Lokasi Data ini terputus sebelum selesai"))
        << ui.messages[0].text;
    EXPECT_TRUE(test::fileContents(database) == before);
    window.CHECKINTERRUPTED();  // asked once per folder
    EXPECT_EQ(ui.count("ask"), 1u);
}

TEST_F(InterruptedImportWindowTest, TheImportAsksFirstAndCancelChangesNothing) {
    window.LOKASI->setText(QString::fromStdString(dir.path().string()));
    const auto damaged = test::fileContents(database);
    ui.replies = {ui::kReplyYes, ui::kReplyCancel};
    importFromTheWindow();
    ASSERT_EQ(ui.count("ask"), 2u);
    EXPECT_TRUE(contains(ui.messages[1].text, "Ya: kembalikan, lalu import.")) << ui.messages[1].text;
    EXPECT_TRUE(test::fileContents(database) == damaged);
    EXPECT_EQ(window.focusWidget(), window.LOKASI);

    ui.messages.clear();
    ui.replies = {ui::kReplyYes, ui::kReplyYes};  // restore, then import
    importFromTheWindow();
    EXPECT_EQ(ui.count("error"), 0u);
    ASSERT_NE(lastInfo(), nullptr);
    EXPECT_EQ(lastInfo()->title, "Import selesai");
    ASSERT_EQ(safety::listBackups(database).size(), 2u);
    EXPECT_FALSE(safety::listBackups(database)[1].manifest.interrupted()) << "put back before the import";
}

}  // namespace
}  // namespace tarvo::gui
