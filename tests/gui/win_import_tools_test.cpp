// The report converter and the stock repair from the main window: their buttons are visible and
// reachable from the keyboard, and each runs its command with the progress window.

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTest>
#include <fstream>

#include "app/gui/qt_interaction.h"
#include "app/gui/win_import.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_support.h"
#include "xbase/table.h"

namespace tarvo::gui {
namespace {

using test::settle;

// Records the opening and closing of the progress window too.
class ProgressRecordingInteraction : public test::RecordingInteraction {
public:
    int opened = 0;
    int closed = 0;
    void openProgress(ui::Owner) override { ++opened; }
    void closeProgress() override { ++closed; }
};

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// A stock table of three items of kinds 0, 2 and 0 in folder/ST_DB.
void writeStock(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "ST_DB");
    const auto path = folder / "ST_DB" / "S_STOCK.Q7T";
    xbase::Table::create(path, {{"ID", 'N', 10, 0}, {"JENIS", 'N', 1, 0}}, xbase::Driver::DBFCDX);
    auto table = xbase::Table::open(path, {true, false, xbase::Driver::DBFCDX});
    for (int kind : {0, 2, 0}) {
        table->append();
        table->fieldPut("ID", static_cast<double>(table->recNo()));
        table->fieldPut("JENIS", kind);
    }
}

std::vector<int> stockKinds(const std::filesystem::path& folder) {
    auto table = xbase::Table::open(folder / "ST_DB" / "S_STOCK.Q7T", {});
    std::vector<int> kinds;
    for (table->goTop(); !table->eof(); table->skip()) kinds.push_back(static_cast<int>(table->fieldGet("JENIS").number()));
    return kinds;
}

TEST(WinImportTools, TheButtonsAreVisibleAndInTheTabOrderBeforeTheDatabaseFolder) {
    WINIMPORT window;
    window.show();
    settle();
    for (QPushButton* button : {window.BUTTONCREATEDBF_, window.BUTTONPERBAIKIDATA_}) {
        EXPECT_TRUE(button->isVisible());
        EXPECT_TRUE(button->isEnabled());
        EXPECT_TRUE(button->focusPolicy() & Qt::TabFocus);
    }
    EXPECT_EQ(window.BUTTONCREATEDBF_->text().toStdString(), "Create DBF");
    EXPECT_EQ(window.BUTTONPERBAIKIDATA_->text().toStdString(), "Perbaiki Data");
    EXPECT_EQ(window.BUTTONCREATEDBF_->nextInFocusChain(), window.BUTTONPERBAIKIDATA_);
    // Shift+Tab from the database folder reaches the repair, then the converter.
    EXPECT_EQ(window.focusWidget(), window.LOKASI);
    QTest::keyClick(window.LOKASI, Qt::Key_Backtab);
    EXPECT_EQ(window.focusWidget(), window.BUTTONPERBAIKIDATA_);
    QTest::keyClick(window.BUTTONPERBAIKIDATA_, Qt::Key_Backtab);
    EXPECT_EQ(window.focusWidget(), window.BUTTONCREATEDBF_);
}

TEST(WinImportTools, CreateDbfFromTheKeyboardConvertsTheReportsOfTheChosenFolder) {
    ProgressRecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    test::TempDir dir;
    std::string itemLine(130, ' ');
    itemLine.replace(0, 3, "A-1");
    itemLine.replace(14, 5, "SABUN");
    itemLine.replace(77, 4, "2.50");
    itemLine.replace(93, 2, "10");
    writeFile(dir.path() / "ITEM.TXT", itemLine + "\r\n");
    writeFile(dir.path() / "CUST.TXT", "CUSTOMER LIST\r\n");

    WINIMPORT window;
    window.show();
    settle();
    ui.folderChoices = {dir.path().string()};
    window.BUTTONCREATEDBF_->setFocus();
    QTest::keyClick(window.BUTTONCREATEDBF_, Qt::Key_Space);

    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[0].kind, "folder");
    EXPECT_EQ(ui.messages[0].title, "Pilih Lokasi Data:");
    EXPECT_EQ(ui.messages[0].owner, static_cast<ui::Owner>(&window));
    EXPECT_EQ(ui.messages[1].kind, "info");
    EXPECT_EQ(ui.messages[1].text, "Create DBF selesai: 1 item ditulis ke ITEM.DBF, 0 pelanggan ditulis ke PELANG.DBF.");
    EXPECT_EQ(ui.opened, 1);
    EXPECT_EQ(ui.closed, 1);
    EXPECT_EQ(ui.progressTexts, (std::vector<std::string>{"Item, Read: 1", "Pelanggan, Read: 1"}));
    auto items = xbase::Table::open(dir.path() / "ITEM.DBF", {});
    ASSERT_EQ(items->recCount(), 1u);
    items->goTop();
    EXPECT_DOUBLE_EQ(items->fieldGet("SISA_NIL1").number(), 25.0);
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "PELANG.DBF"));
}

TEST(WinImportTools, PerbaikiDataRepairsTheStockOfTheDatabaseFolderAndSaysSo) {
    QtInteraction interaction;
    test::ScopedInteraction scoped{interaction};
    test::TempDir dir;
    writeStock(dir.path());

    WINIMPORT window;
    window.show();
    settle();
    window.LOKASI->setText(QString::fromStdString(dir.path().string()));
    // Every box as it opens: Yes to the question, the end box accepted.
    std::vector<std::string> boxes;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        boxes.push_back(box->windowTitle().toStdString() + ": " + box->text().toStdString());
        if (QAbstractButton* yes = box->button(QMessageBox::Yes)) yes->click();
        else box->accept();
    });
    poll.start();
    QTest::mouseClick(window.BUTTONPERBAIKIDATA_, Qt::LeftButton);
    poll.stop();

    EXPECT_EQ(boxes, (std::vector<std::string>{
                         "Tarvo-Soft: Perbaiki Data: semua item berjenis 0 di S_STOCK dijadikan jenis 1.\n"
                         "Data toko dicadangkan dulu dan bisa dikembalikan dengan Pulihkan Data. Lanjutkan?",
                         "Berhasil: Data berhasil diperbaiki.\n2 item diubah dari jenis 0 ke jenis 1."}));
    EXPECT_EQ(stockKinds(dir.path()), (std::vector<int>{1, 2, 1}));
    // The progress window is gone and the pointer is normal again.
    EXPECT_EQ(interaction.progressWindow(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(WinImportTools, PerbaikiDataWithoutADatabaseFolderShowsTheFolderMessage) {
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    test::TempDir dir;
    WINIMPORT window;
    window.LOKASI->setText(QString::fromStdString((dir.path() / "nowhere").string()));
    window.BUTTONPERBAIKIDATA();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "error");
    EXPECT_EQ(ui.messages[0].text.rfind("Sistem tidak menemukan Lokasi Data !", 0), 0u);
}

}  // namespace
}  // namespace tarvo::gui
