// The template information window: pages and rows from the catalogue, the description that
// follows the selection by mouse and by arrow key, "Create" from a page, the layout on resizing,
// and its opening from the main window with the folder rules.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

#include "app/gui/dialog_units.h"
#include "app/gui/list_view.h"
#include "app/gui/win_import.h"
#include "app/gui/win_import_info.h"
#include "retaildb/file_routines.h"
#include "templatetools/column_catalogue.h"
#include "templatetools/template_creation.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_support.h"
#include "xbase/table.h"

namespace tarvo::gui {
namespace {

using templatetools::catalogue;
using templatetools::CataloguePage;
using test::settle;

std::string text(const QLabel* label) { return label->text().toStdString(); }
std::string cell(const QTreeWidget* list, int row, const char* column) {
    return list->topLevelItem(row)->text(lvColumnIndex(list, QString::fromLatin1(column))).toStdString();
}

class WinImportInfoTest : public ::testing::Test {
protected:
    std::string folder() const { return dir.path().string() + "/"; }
    // Shows the window on the page of a template file.
    _WinImportInfo* showPage(WinImportInfo& window, const char* file) {
        _WinImportInfo* page = window.templatePage(file);
        window.ODCTABCONTROL1->setCurrentWidget(page);
        window.show();
        settle();
        return page;
    }
    void clickRow(_WinImportInfo* page, int row) {
        QTreeWidget* list = page->LISTVIEW1;
        const QRect rect = list->visualItemRect(list->topLevelItem(row));
        // Inside the visible part of the row: the row is as wide as all its columns.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(40, rect.center().y()));
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(WinImportInfoTest, ShowsTheExplanationPageFirstAndEveryCataloguePageInTabOrder) {
    WinImportInfo window(nullptr, folder());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Informasi file import table"));
    EXPECT_TRUE(window.isModal());
    EXPECT_EQ(window.CLOKASIIMP(), folder());
    QTabWidget* tabs = window.ODCTABCONTROL1;
    ASSERT_EQ(tabs->count(), 19);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->tabText(0), QStringLiteral("Penjelasan"));
    EXPECT_EQ(text(window.OTPWINIMPORTINFO0->INFOTEXT).rfind("Ini adalah format file-file table (DBF) yang dibutuhkan", 0), 0u);
    EXPECT_NE(text(window.OTPWINIMPORTINFO0->INFOTEXT).find("\n\nFile table yang wajib ada adalah file: Item.dbf"),
              std::string::npos);

    for (size_t p = 0; p < catalogue().size(); ++p) {
        const CataloguePage& expected = catalogue()[p];
        SCOPED_TRACE(expected.fileName);
        auto* page = qobject_cast<_WinImportInfo*>(tabs->widget(static_cast<int>(p) + 1));
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(tabs->tabText(static_cast<int>(p) + 1).toStdString(), expected.tabCaption);
        EXPECT_EQ(page->CFILENAME, expected.fileName);
        EXPECT_EQ(page->objectName().toStdString(), expected.pageClass);
        EXPECT_EQ(page->LOKASIIMPORT(), folder());
        EXPECT_EQ(text(page->ODCINFOTEXT), expected.title);
        EXPECT_EQ(text(page->INFOTEXT1), "Jika WAJIB DIISI tanda '*' berarti field/kolom ini tidak boleh kosong.");
        EXPECT_EQ(text(page->INFOTEXT2), "Jika WAJIB DIISI tidak ada tanda '*' berarti field/kolom ini boleh tidak ada.");
        EXPECT_EQ(text(page->KETERANGAN), "");
        EXPECT_EQ(page->BUTTONCREATE_->text(), QStringLiteral("Create"));

        const QTreeWidget* list = page->LISTVIEW1;
        ASSERT_EQ(list->columnCount(), 7);
        const QStringList captions{"NAMA FIELD", "TIPE", "LEN", "DEC", "WAJIB DIISI", "DEFAULT", "Keterangan"};
        for (int c = 0; c < 7; ++c) EXPECT_EQ(list->headerItem()->text(c), captions[c]);
        EXPECT_EQ(list->palette().color(QPalette::Base),
                  QColor(expected.background.red, expected.background.green, expected.background.blue));
        ASSERT_EQ(list->topLevelItemCount(), static_cast<int>(expected.rows.size()));
        for (size_t r = 0; r < expected.rows.size(); ++r) {
            const auto& row = expected.rows[r];
            const int i = static_cast<int>(r);
            EXPECT_EQ(cell(list, i, "NAMAFIELD"), row.field);
            EXPECT_EQ(cell(list, i, "TIPE"), std::string(1, row.type));
            EXPECT_EQ(cell(list, i, "LEN"), std::to_string(row.length));
            EXPECT_EQ(cell(list, i, "DECIMAL"), std::to_string(row.decimals));
            EXPECT_EQ(cell(list, i, "WAJIB"), row.mandatory ? "*" : " ");
            EXPECT_EQ(cell(list, i, "DEFAULT"), row.defaultValue.empty() ? " " : row.defaultValue);
            EXPECT_EQ(cell(list, i, "KETERANGAN"), row.description);
            EXPECT_EQ(list->topLevelItem(i)->checkState(0), Qt::Unchecked);
            EXPECT_EQ(list->topLevelItem(i)->background(0).color(),
                      QColor(expected.textBackground.red, expected.textBackground.green, expected.textBackground.blue));
        }
    }
    // The item page ends with the sixty warehouse rows.
    const QTreeWidget* items = window.templatePage("ITEM.DBF")->LISTVIEW1;
    EXPECT_EQ(cell(items, 142, "NAMAFIELD"), "SISA_NIL30");
    EXPECT_EQ(cell(items, 102, "NAMAFIELD"), "SISA_NIL10");
}

TEST_F(WinImportInfoTest, TheDescriptionFollowsTheRowSelectedByMouseAndAfterEachArrowKey) {
    WinImportInfo window(nullptr, folder());
    _WinImportInfo* page = showPage(window, "ITEM.DBF");
    const auto& rows = page->page().rows;

    clickRow(page, 3);
    EXPECT_EQ(text(page->KETERANGAN), rows[3].description);

    QTest::keyClick(page->LISTVIEW1, Qt::Key_Down);
    settle();
    EXPECT_EQ(text(page->KETERANGAN), rows[4].description);  // the row after the move, not before
    QTest::keyClick(page->LISTVIEW1, Qt::Key_Up);
    QTest::keyClick(page->LISTVIEW1, Qt::Key_Up);
    settle();
    EXPECT_EQ(text(page->KETERANGAN), rows[2].description);
    QTest::keyClick(page->LISTVIEW1, Qt::Key_End);
    settle();
    EXPECT_EQ(text(page->KETERANGAN), "Nilai Akhir Barang (Gudang ke-30)");

    // A click on the empty part of a short list leaves no row selected and empties the box.
    _WinImportInfo* groups = showPage(window, "GRPSTK.DBF");
    clickRow(groups, 1);
    EXPECT_EQ(text(groups->KETERANGAN), "Nama Group / Kelompok");
    QTest::mouseClick(groups->LISTVIEW1->viewport(), Qt::LeftButton, {},
                      QPoint(10, groups->LISTVIEW1->viewport()->height() - 5));
    EXPECT_TRUE(groups->LISTVIEW1->selectedItems().isEmpty());
    EXPECT_EQ(text(groups->KETERANGAN), "");
}

TEST_F(WinImportInfoTest, CreateWritesTheMandatoryAndTickedColumnsAndKeepsAFilledFileWhenDeclined) {
    WinImportInfo window(nullptr, folder());
    _WinImportInfo* page = showPage(window, "SALES.DBF");

    page->BUTTONCREATE_->click();
    EXPECT_EQ(xbase::Table::open(dir.path() / "SALES.DBF", {})->structure(),
              (std::vector<xbase::FieldInfo>{{"KODE", 'C', 30, 0}, {"NAMA", 'C', 30, 0}}));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].title, "Berhasil");
    EXPECT_EQ(ui.messages[0].text, "File : " + folder() + "SALES.DBF berhasil dibuat !");
    EXPECT_EQ(ui.messages[0].owner, static_cast<ui::Owner>(&window));
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);

    // Ticks in any order give the list order; the ticks stay for the next "Create".
    page->LISTVIEW1->topLevelItem(4)->setCheckState(0, Qt::Checked);
    page->LISTVIEW1->topLevelItem(2)->setCheckState(0, Qt::Checked);
    page->BUTTONCREATE_->click();
    EXPECT_EQ(xbase::Table::open(dir.path() / "SALES.DBF", {})->structure(),
              (std::vector<xbase::FieldInfo>{
                  {"KODE", 'C', 30, 0}, {"NAMA", 'C', 30, 0}, {"ALAMAT", 'C', 100, 0}, {"CATATAN", 'C', 30, 0}}));

    xbase::Table::open(dir.path() / "SALES.DBF", {})->append();
    const auto before = test::fileContents(dir.path());
    ui.messages.clear();
    page->BUTTONCREATE_->click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "ask");
    EXPECT_EQ(ui.messages[0].text, "File " + folder() + "SALES.DBF sudah ada dan berisi 1 record. Ganti?");
    EXPECT_EQ(test::fileContents(dir.path()), before);
}

// A page that gives no column (PEMBEL has none mandatory) says so on "Create", before any question
// about the filled file there, and writes nothing.
TEST_F(WinImportInfoTest, CreateWithoutAColumnSaysSoAndWritesNothing) {
    ASSERT_TRUE(retaildb::VOCreate(nullptr, folder() + "PEMBEL.DBF", {retaildb::structureField("NO", "C", 5, 0)}));
    xbase::Table::open(dir.path() / "PEMBEL.DBF", {})->append();
    const auto before = test::fileContents(dir.path());
    WinImportInfo window(nullptr, folder());
    _WinImportInfo* page = showPage(window, "PEMBEL.DBF");
    page->BUTTONCREATE_->click();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "error");
    EXPECT_EQ(ui.messages[0].text, templatetools::noColumnsMessage(folder() + "PEMBEL.DBF"));
    EXPECT_EQ(test::fileContents(dir.path()), before);
}

TEST_F(WinImportInfoTest, ThePageLayoutFollowsResizing) {
    WinImportInfo window(nullptr, folder());
    _WinImportInfo* page = showPage(window, "ITEM.DBF");
    const QRect list = page->LISTVIEW1->geometry();
    const QRect title = page->ODCINFOTEXT->geometry();
    const QRect description = page->KETERANGAN->geometry();
    const QRect line2 = page->INFOTEXT2->geometry();
    const QRect button = page->BUTTONCREATE_->geometry();
    window.resize(window.width() + 100, window.height() + 60);
    settle();
    const int dw = page->width() - (list.width());
    EXPECT_GT(dw, 0);
    EXPECT_EQ(page->LISTVIEW1->geometry().width(), list.width() + dw);
    EXPECT_EQ(page->LISTVIEW1->geometry().height(), list.height() + 60);
    EXPECT_EQ(page->ODCINFOTEXT->geometry(), title.adjusted(0, 0, dw, 0));
    EXPECT_EQ(page->KETERANGAN->geometry(), description.adjusted(0, 60, dw, 60));
    EXPECT_EQ(page->INFOTEXT2->geometry(), line2.adjusted(0, 60, dw, 60));
    EXPECT_EQ(page->BUTTONCREATE_->geometry(), button);
    EXPECT_EQ(page->height() - page->INFOTEXT2->geometry().bottom(), page->height() - 60 - line2.bottom());
}

TEST_F(WinImportInfoTest, TheMainWindowChecksAndMakesTheFolderBeforeOpeningTheWindow) {
    WINIMPORT main;
    struct Case {
        std::string typed;
        std::string error;
    };
    const std::vector<Case> refused{
        {"   ", "Lokasi import belum diisi!"},
        {"\\\\SERVER\\SHARE\\TMPL", "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!"},
    };
    for (const Case& c : refused) {
        ui.messages.clear();
        main.IMPORT->setText(QString::fromStdString(c.typed));
        main.BUTTONCREATEIMPORT();
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, c.error);
    }

    ui.messages.clear();
    const std::string typed = "  " + (dir.path() / "toko" / "tmpl").string() + " ";
    main.IMPORT->setText(QString::fromStdString(typed));
    std::string openedOn;
    test::whenModalOpens(
        [&](QWidget* modal) {
            if (auto* info = qobject_cast<WinImportInfo*>(modal)) openedOn = info->CLOKASIIMP();
            modal->close();
        },
        [&] { main.BUTTONCREATEIMPORT(); });
    EXPECT_EQ(openedOn, (dir.path() / "toko" / "tmpl").string() + "/");
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "toko" / "tmpl"));
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tarvo::gui
