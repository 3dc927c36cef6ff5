// The spreadsheet buttons of the information window: the workbook written from the window, a
// filled CSV folder read into the window's template folder, and the copyable problem list that
// leaves the folder as it was.

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <fstream>

#include "app/gui/win_import_info.h"
#include "app/gui/win_import_sheets.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_support.h"
#include "tests/support/xlsx_parts.h"
#include "xbase/table.h"

namespace tarvo::gui {
namespace {

namespace fs = std::filesystem;

class WinImportSheetsTest : public ::testing::Test {
protected:
    std::string folder() const { return (dir.path() / "templates").string() + "/"; }
    void SetUp() override { fs::create_directories(dir.path() / "templates"); }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(WinImportSheetsTest, TheWorkbookButtonWritesEveryPage) {
    WinImportInfo window(nullptr, folder());
    WinImportSheets* sheets = window.OSHEETS;
    ASSERT_NE(sheets, nullptr);
    EXPECT_EQ(sheets->BUTTONWORKBOOK->text(), QStringLiteral("Buat &Workbook Excel..."));
    const fs::path book = dir.path() / "isi.xlsx";
    sheets->chooseWorkbookFile = [&] { return book.string(); };
    sheets->BUTTONWORKBOOK->click();
    ASSERT_EQ(ui.count("info"), 1u);
    EXPECT_EQ(ui.messages[0].title, "Berhasil");
    EXPECT_EQ(ui.messages[0].text, "File : " + book.string() + " berhasil dibuat !");
    const std::string workbook = test::readPart(book, "xl/workbook.xml");
    EXPECT_NE(workbook.find("name=\"STKHJL\""), std::string::npos);

    sheets->chooseWorkbookFile = [&] { return (dir.path() / "none" / "isi.xlsx").string(); };
    sheets->BUTTONWORKBOOK->click();
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_EQ(ui.messages[1].text.rfind("File : " + (dir.path() / "none" / "isi.xlsx").string() + " gagal dibuat !", 0), 0u);

    sheets->chooseWorkbookFile = [] { return std::string(); };  // cancelled
    sheets->BUTTONWORKBOOK->click();
    EXPECT_EQ(ui.messages.size(), 2u);
}

TEST_F(WinImportSheetsTest, CsvFilesBecomeTemplatesOrAListThatCanBeCopied) {
    WinImportInfo window(nullptr, folder());
    WinImportSheets* sheets = window.OSHEETS;
    const fs::path csv = dir.path() / "csv";
    fs::create_directories(csv);
    std::ofstream(csv / "ITEM.csv") << "KODE;NAMA;H_BELI\nA1;Apel;1,5\nA2;;x\n";
    std::ofstream(csv / "SALES.csv") << "KODE,NAMA\nS1,Budi\n";
    std::ofstream(dir.path() / "templates" / "SALES.DBF") << "old";
    sheets->chooseSource = [&] { return (csv / "ITEM.csv").string(); };
    std::vector<std::string> shown;
    QString heading;
    sheets->showList = [&](const QString&, const QString& head, const std::vector<std::string>& lines) {
        heading = head;
        shown = lines;
    };
    const auto before = test::fileContents(dir.path() / "templates");
    sheets->BUTTONFROMSHEETS->click();
    EXPECT_EQ(heading, QStringLiteral("Tidak ada file template yang ditulis. Perbaiki isian berikut, lalu coba lagi:"));
    EXPECT_EQ(shown, (std::vector<std::string>{"ITEM row 3, column NAMA (B): mandatory value empty",
                                               "ITEM row 3, column H_BELI (C), value \"x\": not a number"}));
    EXPECT_EQ(test::fileContents(dir.path() / "templates"), before);

    std::ofstream(csv / "ITEM.csv") << "KODE;NAMA;H_BELI\nA1;Apel;1,5\n";
    ui.replies.push_back(ui::kReplyYes);  // SALES.DBF is replaced
    shown.clear();
    sheets->BUTTONFROMSHEETS->click();
    ASSERT_EQ(ui.count("ask"), 1u);
    ASSERT_EQ(ui.count("info"), 1u);
    EXPECT_EQ(ui.messages.back().text, "File template berhasil dibuat :\r\n" + folder() + "ITEM.DBF: 1 baris, 3 kolom\r\n" +
                                           folder() + "SALES.DBF: 1 baris, 2 kolom");
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(xbase::Table::open(dir.path() / "templates" / "SALES.DBF", {})->recCount(), 1u);
}

TEST_F(WinImportSheetsTest, OverLongTextsMayBeCutAfterAQuestion) {
    WinImportInfo window(nullptr, folder());
    WinImportSheets* sheets = window.OSHEETS;
    const fs::path csv = dir.path() / "csv";
    fs::create_directories(csv);
    std::ofstream(csv / "SALES.csv") << "KODE,NAMA\nS1,Budi Santoso Wijaya Kusuma Negara Raya\n";
    sheets->chooseSource = [&] { return (csv / "SALES.csv").string(); };
    std::vector<std::string> shown;
    sheets->showList = [&](const QString&, const QString&, const std::vector<std::string>& lines) { shown = lines; };

    sheets->BUTTONFROMSHEETS->click();  // declined: the list of the refusal
    ASSERT_EQ(ui.count("ask"), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "1 isian lebih panjang dari lebar kolomnya. Potong isian itu sesuai lebar kolom dan buat file templatenya?");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_FALSE(fs::exists(dir.path() / "templates" / "SALES.DBF"));

    ui.replies.push_back(ui::kReplyYes);
    sheets->BUTTONFROMSHEETS->click();  // cut, with the warning listed
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].rfind("warning: SALES row 2, column NAMA (B)", 0), 0u);
    auto table = xbase::Table::open(dir.path() / "templates" / "SALES.DBF", {});
    EXPECT_EQ(table->fieldGet("NAMA").text(), "Budi Santoso Wijaya Kusuma Neg");
}

TEST_F(WinImportSheetsTest, TheListWindowCopiesItsLines) {
    WinSheetProblems list(nullptr, "Tarvo-Import", "Judul", {"satu", "dua"});
    EXPECT_EQ(list.LIST->toPlainText(), QStringLiteral("satu\ndua\n"));
    EXPECT_TRUE(list.LIST->isReadOnly());
    list.BUTTONCOPY->click();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("satu\ndua\n"));
}

}  // namespace
}  // namespace tarvo::gui
