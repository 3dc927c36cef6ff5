// The template editor window: its pages for the files present, the grid over each file, the
// context-menu commands, Zap, Pack and Filter with their dialogs and questions, the paste from
// the clipboard with the column chooser, cell editing, and its opening from the main window.

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <fstream>

#include "app/gui/win_import.h"
#include "app/gui/win_import_edit.h"
#include "templatetools/column_catalogue.h"
#include "templatetools/template_creation.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::gui {
namespace {

using test::settle;
using xbase::Value;

class WinImportEditTest : public ::testing::Test {
protected:
    void SetUp() override { xbase::applyStartupSettings(); }
    std::string folder() const { return dir.path().string() + "/"; }

    // A template made by "Create" with every column, holding `records` records coded K1, K2, ...
    void make(const char* file, int records) {
        const auto& page = *templatetools::findCataloguePage(file);
        ASSERT_EQ(templatetools::createTemplate(nullptr, folder(), page, std::vector<bool>(page.rows.size(), true)),
                  templatetools::CreateOutcome::Created);
        auto table = xbase::Table::open(dir.path() / file, {});
        const char* code = table->fieldPos("KODE") ? "KODE" : table->fieldPos("KODE_ITEM") ? "KODE_ITEM" : "NO_NOTA_C";
        for (int i = 1; i <= records; ++i) {
            table->append();
            table->fieldPut(code, Value("K" + std::to_string(i)));
        }
        ui.messages.clear();
    }
    QAction* menuItem(_WinImportEdit* page, const char* text) {
        for (QAction* action : page->MENUDBU->actions())
            if (action->text() == QString::fromLatin1(text)) return action;
        return nullptr;
    }
    static std::string cell(_WinImportEdit* page, int row, int column) {
        return page->model()->index(row, column).data().toString().toStdString();
    }
    static bool struckThrough(_WinImportEdit* page, int row) {
        return page->model()->index(row, 1).data(Qt::FontRole).value<QFont>().strikeOut();
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(WinImportEditTest, OpensOneGridPageForEachTemplateFilePresentInTabOrder) {
    make("VENDOR.DBF", 2);
    make("GRPSTK.DBF", 1);
    make("ITEM.DBF", 3);
    std::ofstream(dir.path() / "NOTES.DBF") << "not a template";
    WinImportEdit window(nullptr, folder());
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Edit file import table"));
    EXPECT_EQ(window.INFO->text(), QStringLiteral("Field TANGGAL -> YYYYMMDD"));
    ASSERT_EQ(window.TABCONTROL1->count(), 3);
    const std::vector<std::pair<QString, std::string>> tabs{
        {"GrpStk.dbf", "GRPSTK.DBF"}, {"Item.dbf", "ITEM.DBF"}, {"Vendor.dbf", "VENDOR.DBF"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window.TABCONTROL1->tabText(i), tabs[static_cast<size_t>(i)].first);
        auto* page = window.pages()[static_cast<size_t>(i)];
        EXPECT_EQ(page->CFILE(), folder() + tabs[static_cast<size_t>(i)].second);
        EXPECT_EQ(page->INFOTEXT->text().toStdString(), page->CFILE());
        EXPECT_EQ(page->LOKASIIMPORT(), folder());
    }
    EXPECT_EQ(window.TABCONTROL1->currentIndex(), 0);

    _WinImportEdit* item = window.editPage("ITEM.DBF");
    EXPECT_EQ(item->BBROWSER1->palette().color(QPalette::Base), QColor(255, 128, 128));
    TemplateTableModel* model = item->model();
    EXPECT_EQ(model->rowCount(), 3);
    EXPECT_EQ(model->columnCount(), 144);  // RECNO and the 143 fields
    EXPECT_EQ(model->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("RECNO"));
    EXPECT_EQ(model->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("JENIS"));
    EXPECT_EQ(cell(item, 2, 0), "3");
    EXPECT_EQ(cell(item, 2, 2), "K3");

    QStringList menu;
    for (QAction* action : item->MENUDBU->actions()) menu << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(menu, (QStringList{"Tambah Record", "Hapus/Recall Record", "Recall All", "-", "Paste From Clipboard"}));

    WinImportEdit empty(nullptr, (dir.path() / "none").string() + "/");
    EXPECT_EQ(empty.TABCONTROL1->count(), 0);
}

TEST_F(WinImportEditTest, DeletedRecordsStayVisibleUntilPackAndTheQuestionsGuardEveryWholeFileCommand) {
    make("PEMBEL.DBF", 3);
    WinImportEdit window(nullptr, folder());
    _WinImportEdit* page = window.editPage("PEMBEL.DBF");
    ASSERT_NE(page, nullptr);
    {
        auto table = xbase::Table::open(dir.path() / "PEMBEL.DBF", {});
        ASSERT_EQ(table->fieldPos("TGL_HAPUS"), 0);  // this template has no deletion date
    }
    page->BBROWSER1->setCurrentIndex(page->model()->index(1, 2));
    menuItem(page, "Hapus/Recall Record")->trigger();
    EXPECT_EQ(page->model()->rowCount(), 3);
    EXPECT_TRUE(struckThrough(page, 1));
    EXPECT_FALSE(struckThrough(page, 0));

    const auto before = test::fileContents(dir.path());
    page->BUTTONPACK_->click();   // declined
    page->BUTTONZAP_->click();    // declined
    menuItem(page, "Recall All")->trigger();  // declined
    ASSERT_EQ(ui.count("ask"), 3u);
    EXPECT_EQ(ui.messages[0].text, "Anda yakin untuk Pack Database (Hapus record yang tertanda Deleted) ?");
    EXPECT_EQ(ui.messages[1].text, "Anda yakin untuk Hapus Seluruh Record Database ?");
    EXPECT_EQ(ui.messages[2].text, "Anda yakin untuk recall/undelete semua record ?");
    EXPECT_EQ(test::fileContents(dir.path()), before);
    EXPECT_EQ(page->model()->rowCount(), 3);

    ui.replies = {ui::kReplyYes};
    menuItem(page, "Recall All")->trigger();
    EXPECT_FALSE(struckThrough(page, 1));
    page->BBROWSER1->setCurrentIndex(page->model()->index(0, 1));
    menuItem(page, "Hapus/Recall Record")->trigger();
    ui.replies = {ui::kReplyYes};
    page->BUTTONPACK_->click();
    EXPECT_EQ(page->model()->rowCount(), 2);
    EXPECT_EQ(cell(page, 0, 0), "1");
    EXPECT_EQ(xbase::Table::open(dir.path() / "PEMBEL.DBF", {})->recCount(), 2u);

    menuItem(page, "Tambah Record")->trigger();
    EXPECT_EQ(page->model()->rowCount(), 3);
    EXPECT_EQ(page->currentRecno(), 3u);
    ui.replies = {ui::kReplyYes};
    page->BUTTONZAP_->click();
    EXPECT_EQ(page->model()->rowCount(), 0);
    EXPECT_EQ(xbase::Table::open(dir.path() / "PEMBEL.DBF", {})->recCount(), 0u);
}

TEST_F(WinImportEditTest, PastesTheClipboardIntoTheChosenColumnFromTheCurrentRecord) {
    make("PEMBEL.DBF", 2);
    WinImportEdit window(nullptr, folder());
    _WinImportEdit* page = window.editPage("PEMBEL.DBF");
    page->BBROWSER1->setCurrentIndex(page->model()->index(0, 1));

    // More lines than records, CR LF and LF mixed, a last line without line end.
    QGuiApplication::clipboard()->setText(QStringLiteral("20100131\r\n20231231\n\n19991201\n20000229"));
    std::vector<std::string> fields;
    test::whenModalOpens(
        [&](QWidget* modal) {
            auto* chooser = qobject_cast<WinKolomPilih*>(modal);
            ASSERT_NE(chooser, nullptr);
            EXPECT_EQ(chooser->windowTitle(), QStringLiteral("Kolom"));
            for (int i = 0; i < chooser->BBROWSER1->count(); ++i) fields.push_back(chooser->BBROWSER1->item(i)->text().toStdString());
            chooser->BBROWSER1->setCurrentRow(1);  // TANGGAL
            chooser->BUTTONPILIH_->click();
        },
        [&] { menuItem(page, "Paste From Clipboard")->trigger(); });
    ASSERT_GE(fields.size(), 2u);
    EXPECT_EQ(fields[0], "DIVISI");
    EXPECT_EQ(fields[1], "TANGGAL");
    EXPECT_EQ(page->model()->rowCount(), 5);
    const std::vector<std::string> dates{"31/01/2010", "31/12/2023", "", "01/12/1999", "29/02/2000"};
    for (int row = 0; row < 5; ++row) EXPECT_EQ(cell(page, row, 2), dates[static_cast<size_t>(row)]) << row;
    EXPECT_EQ(page->currentRecno(), 5u);  // the last record written
    EXPECT_NE(std::find(ui.progressTexts.begin(), ui.progressTexts.end(), "Proses no. 5"), ui.progressTexts.end());

    // Cancelling the chooser pastes nothing.
    test::whenModalOpens([](QWidget* modal) { modal->close(); }, [&] { page->BROWSERPASTECLIPBOARD(); });
    EXPECT_EQ(page->model()->rowCount(), 5);
}

TEST_F(WinImportEditTest, FilterSetClearAndAnExpressionWithAnError) {
    make("DAERAH.DBF", 4);
    WinImportEdit window(nullptr, folder());
    _WinImportEdit* page = window.editPage("DAERAH.DBF");
    auto filterWith = [&](const std::function<void(WinFilter*)>& act) {
        test::whenModalOpens([&](QWidget* modal) { act(qobject_cast<WinFilter*>(modal)); }, [&] { page->BUTTONFILTER(); });
    };

    filterWith([](WinFilter* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Setting Filter"));
        dialog->FILTER->setText(QStringLiteral("  KODE >= \"K3\"  "));
        dialog->BUTTONSET_->click();
    });
    EXPECT_EQ(page->CFILTER(), "KODE >= \"K3\"");
    ASSERT_EQ(page->model()->rowCount(), 2);
    EXPECT_EQ(cell(page, 0, 0), "3");

    filterWith([](WinFilter* dialog) {
        EXPECT_EQ(dialog->FILTER->text(), QStringLiteral("KODE >= \"K3\""));  // the current filter is shown
        dialog->FILTER->setText(QStringLiteral("KODE = "));
        dialog->BUTTONSET_->click();
    });
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_NE(ui.messages.back().text.find("position"), std::string::npos) << ui.messages.back().text;
    EXPECT_EQ(page->CFILTER(), "KODE >= \"K3\"");
    EXPECT_EQ(page->model()->rowCount(), 2);

    filterWith([](WinFilter* dialog) { dialog->close(); });  // closed otherwise: nothing changes
    EXPECT_EQ(page->CFILTER(), "KODE >= \"K3\"");

    filterWith([](WinFilter* dialog) { dialog->BUTTONCLEAR_->click(); });
    EXPECT_EQ(page->CFILTER(), "");
    EXPECT_EQ(page->model()->rowCount(), 4);
}

TEST_F(WinImportEditTest, CellsAreEditedInPlaceWithinTheFieldsTypeAndWidth) {
    make("SALES.DBF", 1);
    WinImportEdit window(nullptr, folder());
    TemplateTableModel* model = window.editPage("SALES.DBF")->model();
    EXPECT_FALSE(model->flags(model->index(0, 0)) & Qt::ItemIsEditable);  // RECNO
    EXPECT_TRUE(model->flags(model->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_EQ(model->index(0, 1).data(TemplateTableModel::kMaxLengthRole).toInt(), 30);
    EXPECT_TRUE(model->setData(model->index(0, 2), QStringLiteral("Budi Santoso"), Qt::EditRole));
    EXPECT_EQ(model->index(0, 2).data().toString(), QStringLiteral("Budi Santoso"));
    EXPECT_FALSE(model->setData(model->index(0, 2), QString(31, QLatin1Char('x')), Qt::EditRole));
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_EQ(ui.messages.back().text, "Isi field NAMA maksimum 30 huruf.");
    auto table = xbase::Table::open(dir.path() / "SALES.DBF", {});
    table->goTo(1);
    EXPECT_EQ(table->fieldGet("NAMA").text().substr(0, 12), "Budi Santoso");
}

TEST_F(WinImportEditTest, TheMainWindowChecksTheFolderBeforeOpeningTheEditor) {
    WINIMPORT main;
    main.IMPORT->setText(QStringLiteral("  "));
    main.BUTTONEDITIMPORT();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Lokasi import belum diisi!");

    make("ITEM.DBF", 1);
    main.IMPORT->setText(QString::fromStdString(dir.path().string()));
    int pages = -1;
    test::whenModalOpens(
        [&](QWidget* modal) {
            if (auto* editor = qobject_cast<WinImportEdit*>(modal)) pages = static_cast<int>(editor->pages().size());
            modal->close();
        },
        [&] { main.BUTTONEDITIMPORT(); });
    EXPECT_EQ(pages, 1);
}

}  // namespace
}  // namespace tarvo::gui
