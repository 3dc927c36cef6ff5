// Stopping an import from the window: "Batal" on the progress window, its close box, or closing
// the main window asks first; on Yes the import stops at its next record, the shop is put back
// byte for byte, the window says so, and the next import runs freely.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <deque>
#include <functional>
#include <utility>

#include "app/gui/qt_interaction.h"
#include "app/gui/win_import.h"
#include "safety/backups.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_support.h"
#include "ui/stop_request.h"

namespace tarvo::gui {
namespace {

namespace fs = std::filesystem;

// The real progress window with scripted boxes: questions answered from a list (No when it is
// empty), every box kept.
class ScriptedQtInteraction : public QtInteraction {
public:
    std::vector<test::RecordedMessage> messages;
    std::deque<int> replies;
    std::string at;  // a progress text that sets off `act`, once
    std::function<void()> act;

    int askEx(ui::Owner owner, const std::string& title, const std::string& text, int, int) override {
        messages.push_back({"ask", title, text, owner});
        if (replies.empty()) return ui::kReplyNo;
        const int reply = replies.front();
        replies.pop_front();
        return reply;
    }
    void error(ui::Owner owner, const std::string& text) override { messages.push_back({"error", "", text, owner}); }
    void info(ui::Owner owner, const std::string& title, const std::string& text) override {
        messages.push_back({"info", title, text, owner});
    }
    void progressText(int line, const std::string& text) override {
        QtInteraction::progressText(line, text);
        if (act && text.find(at) != std::string::npos) std::exchange(act, nullptr)();
    }
};

class WinImportCancelTest : public ::testing::Test {
protected:
    ScriptedQtInteraction ui;
    test::ScopedInteraction scoped{ui};
    test::TempDir dir;
    WINIMPORT window;
    fs::path database;

    void SetUp() override {
        window.show();
        database = test::typeSampleShop(window, dir.path());
    }
    std::vector<std::string> shown() const {
        std::vector<std::string> texts;
        for (const test::RecordedMessage& m : ui.messages) texts.push_back(m.kind + ": " + m.text);
        return texts;
    }
};

TEST_F(WinImportCancelTest, AStopAskedForAndConfirmedPutsTheShopBack) {
    const struct {
        const char* name;
        std::function<void(WINIMPORT&, QtInteraction&)> stop;
    } cases[] = {
        {"Batal", [](WINIMPORT&, QtInteraction& qt) { qt.progressWindow()->OCCBUTTONBATAL()->click(); }},
        {"progress window closed", [](WINIMPORT&, QtInteraction& qt) { qt.progressWindow()->close(); }},
        {"main window closed", [](WINIMPORT& w, QtInteraction&) { w.close(); }},
    };
    const auto before = test::fileContents(database);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ui.messages.clear();
        ui.at = " 10 / 20";
        ui.act = [&] {
            ASSERT_NE(ui.progressWindow(), nullptr);
            EXPECT_TRUE(ui.progressWindow()->OCCBUTTONBATAL()->isVisible()) << "Batal is offered";
            ASSERT_TRUE(test::fileContents(database) != before) << "the stop comes after the shop changed";
            c.stop(window, ui);
        };
        // "Lanjutkan proses Import Data ?", then the stop's question.
        ui.replies = {ui::kReplyYes, ui::kReplyYes};
        window.BUTTONIMPORT();
        EXPECT_EQ(shown(), (std::vector<std::string>{
                               "ask: Lanjutkan proses Import Data ?",
                               "ask: Batalkan import? Data toko akan dikembalikan seperti sebelum import.",
                               "info: Import dibatalkan. Data toko sudah dikembalikan seperti sebelum import."}));
        EXPECT_TRUE(test::fileContents(database) == before);
        EXPECT_TRUE(window.isVisible());
        EXPECT_FALSE(window.importing());
    }
    EXPECT_FALSE(safety::interruptedImport(database));

    // No to the question lets the import go on to its end; the next import is free.
    ui.messages.clear();
    ui.at = " 10 / 20";
    ui.act = [&] { ui.progressWindow()->OCCBUTTONBATAL()->click(); };
    ui.replies = {ui::kReplyYes, ui::kReplyNo};
    test::whenModalOpens([](QWidget* modal) { modal->close(); }, [&] { window.BUTTONIMPORT(); });  // the reject window
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages.back().title, "Import selesai");
    EXPECT_TRUE(test::fileContents(database) != before);
}

}  // namespace
}  // namespace tarvo::gui
