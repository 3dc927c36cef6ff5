// The window's side of the safety net: the summary at the end of every import, the dry run
// check box, the restore command, and the offer to restore after an interrupted import.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <fstream>

#include "app/gui/win_import.h"
#include "sampledata/retail_db.h"
#include "safety/backups.h"
#include "sampledata/templates.h"
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
        sampledata::makeSampleRetailDatabase(dir.path());
        database = dir.path() / "ST_DB";
        // Without duplicates, so that no reject window opens.
        sampledata::makeSampleTemplates(dir.path() / "templates", {.items = 20, .customers = 5, .vendors = 3, .codesPerItem = 1});
        window.LOKASI->setText(QString::fromStdString(dir.path().string()));
        window.IMPORT->setText(QString::fromStdString((dir.path() / "templates").string()));
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

TEST_F(WinImportSafetyTest, RestoreButtonPutsTheLastBackupBack) {
    const auto before = test::fileContents(database);
    ui.replies = {ui::kReplyYes};
    importFromTheWindow();
    ASSERT_TRUE(test::fileContents(database) != before);
    ui.messages.clear();
    ui.replies = {ui::kReplyYes};
    window.BUTTONPULIHKAN_->click();
    ASSERT_GE(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, "ask");
    EXPECT_TRUE(contains(ui.messages[0].text, "Kembalikan data dari cadangan ")) << ui.messages[0].text;
    EXPECT_EQ(ui.messages[1].text, "Data toko sudah dikembalikan dari cadangan.");
    EXPECT_TRUE(test::fileContents(database) == before);
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
