// The main import window: its controls at start, the option rules and driver presets, the import
// command's refusals and a whole template import driven from the window.

#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>
#include <fstream>
#include <sstream>

#include "app/core/version.h"
#include "app/gui/dialog_units.h"
#include "app/gui/win_import.h"
#include "importers/application_sources.h"
#include "app/gui/win_import_reject.h"
#include "sampledata/ipos_database.h"
#include "sampledata/sources.h"
#include "sampledata/retail_db.h"
#include "importing/reject_list.h"
#include "sampledata/templates.h"
#include "tests/gui/gui_test_support.h"
#include "tests/support/fixture_files.h"
#include "tests/support/private_odbc.h"
#include "tests/support/test_support.h"
#include "xbase/dates.h"
#include "xbase/table.h"

namespace tarvo::gui {
namespace {

using test::settle;

std::string lastYearEnd() { return "31/12/" + std::to_string(xbase::today().year - 1); }

std::vector<std::string> comboTexts(const QComboBox* list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list->count(); ++i) texts.push_back(list->itemText(i).toStdString());
    return texts;
}

TEST(WinImport, StartsWithItsControlsInResourceOrderAndTheirInitialState) {
    WINIMPORT window;
    EXPECT_EQ(window.windowTitle().toStdString(), app::windowTitle());
    const DialogUnits du(window.font());
    EXPECT_EQ(window.size(), du.size(347, 300));
    EXPECT_TRUE(window.LREADY());

    // Texts, rectangles and the tab order of the visible, focusable controls.
    struct Control {
        QWidget* widget;
        const char* text;
        QRect rect;
    };
    const std::vector<Control> controls{
        {window.LOKASITEXT, "Lokasi Data (ST_DB) :", du.rect(11, 12, 80, 12)},
        {window.LOKASI, "", du.rect(91, 12, 226, 12)},
        {window.BROWSELOKASI_, "<B>", du.rect(320, 12, 16, 12)},
        {window.RBSISATUTUP, "Import Sisa Stock dan lakukan Tutup Hari", du.rect(91, 29, 153, 12)},
        {window.AKHIRTUTUP, nullptr, du.rect(187, 41, 50, 13)},
        {window.RBSISABUKA, "Import Sisa Stock, tetapi user masih bisa mengubah sisa awal", du.rect(91, 56, 219, 12)},
        {window.RBSISATIADA, "Tidak perlu import Sisa Stock", du.rect(91, 83, 119, 13)},
        {window.TGLHITUNGPOINTTEXT, "Tanggal HItung Point :", du.rect(196, 98, 85, 12)},
        {window.IMPORT, "", du.rect(11, 137, 306, 13)},
        {window.RBIMPORT1, "Dari File Database (Vendor.dbf Pelang.dbf Item.dbf) : ", du.rect(11, 157, 192, 12)},
        {window.BUTTONCREATEIMPORT_, "Create/Buat Filenya", du.rect(205, 157, 131, 15)},
        {window.BUTTONEDITIMPORT_, "Edit Filenya", du.rect(205, 172, 131, 15)},
        {window.RBIMPORT2, "Dari File Database Aplikasi :", du.rect(11, 192, 107, 12)},
        {window.KODESAMA, "Kode barang boleh sama", du.rect(11, 248, 101, 11)},
        {window.IMPORTPENJUALANASCASH, "Import Penjualan Sbg Penj Cash", du.rect(123, 260, 126, 12)},
        {window.BUTTONIMPORT_, "I&mport", du.rect(2, 283, 171, 14)},
        {window.BUTTONTUTUP_, "&Tutup", du.rect(173, 283, 172, 14)},
    };
    for (const Control& control : controls) {
        SCOPED_TRACE(control.widget->metaObject()->className() + std::string(" ") + (control.text ? control.text : ""));
        EXPECT_EQ(control.widget->geometry(), control.rect);
        if (!control.text) continue;
        QString text;
        if (auto* label = qobject_cast<QLabel*>(control.widget)) text = label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(control.widget)) text = button->text();
        if (auto* field = qobject_cast<QLineEdit*>(control.widget)) text = field->text();
        EXPECT_EQ(text.toStdString(), control.text);
    }
    EXPECT_EQ(window.GROUPBOX2->title().toStdString(), " Lokasi Import Data :");
    EXPECT_EQ(window.TGLHITUNGPOINTTEXT->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);

    const std::vector<QWidget*> tabOrder{window.LOKASI,      window.BROWSELOKASI_,  window.RBSISATUTUP,
                                         window.AKHIRTUTUP,  window.RBSISABUKA,     window.AKHIRBUKA,
                                         window.RBSISATIADA, window.TGLHITUNGPOINT, window.IMPORT,
                                         window.BROWSEIMPORT_, window.RBIMPORT1,    window.BUTTONCREATEIMPORT_,
                                         window.BUTTONEDITIMPORT_, window.RBIMPORT2, window.IMPORT2LIST,
                                         window.IMPORTDRIVER, window.KODESAMA,      window.NAMASAMA,
                                         window.SALES2PELANGGAN, window.HITUNGKOMISI2ADJ1,
                                         window.IMPORTPENJUALANASCASH, window.BUTTONIMPORT_, window.BUTTONTUTUP_};
    for (size_t i = 0; i + 1 < tabOrder.size(); ++i) {
        QWidget* next = tabOrder[i]->nextInFocusChain();
        while (next != tabOrder[i + 1] && next != tabOrder[0] && !(next->focusPolicy() & Qt::TabFocus))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, tabOrder[i + 1]) << "after control " << i;
    }

    // Initial values.
    EXPECT_FALSE(window.BUTTONCREATEDBF_->isHidden());
    EXPECT_FALSE(window.BUTTONPERBAIKIDATA_->isHidden());
    EXPECT_EQ(window.AKHIRTUTUP->text().toStdString(), lastYearEnd());
    EXPECT_EQ(window.AKHIRBUKA->text().toStdString(), lastYearEnd());
    EXPECT_EQ(window.AKHIRTUTUP->inputMask().left(10).toStdString(), "99/99/9999");
    EXPECT_TRUE(xbase::CToD(window.TGLHITUNGPOINT->text().toStdString()).empty());
    EXPECT_TRUE(window.RBSISATIADA->PRESSED());
    EXPECT_TRUE(window.RBIMPORT1->PRESSED());
    EXPECT_EQ(window.DBFDRIVER(), "DBFNTX");
    EXPECT_EQ(comboTexts(window.IMPORTDRIVER),
              (std::vector<std::string>{"DBFNTX - Clipper Database (.DBF and .DBT)",
                                        "DBFMDX - DBase Database (.DBF and .DBT)",
                                        "DBFCDX - FoxPro Database (.DBF and .FPT)"}));
    EXPECT_EQ(comboTexts(window.IMPORT2LIST),
              (std::vector<std::string>{"IAS (Medan) : (Database Ext: .DBF)",
                                        "iPOS 3.0 (Inspirasi)",
                                        "IS/Integrated System : (Database Ext: .DTA)",
                                        "Lindra Makmur - Tg. Batu"}));
    EXPECT_EQ(window.IMPORT2LIST->currentText().toStdString(), "IS/Integrated System : (Database Ext: .DTA)");
    EXPECT_EQ(window.focusWidget(), window.LOKASI);
}

TEST(WinImport, EveryTextFitsItsControl) {
    WINIMPORT window;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->isHidden()) continue;
        int needed = 0;
        if (qobject_cast<QLabel*>(widget) || qobject_cast<QRadioButton*>(widget) || qobject_cast<QCheckBox*>(widget))
            needed = widget->sizeHint().width();
        // A push button's size hint has a minimum width; its text and margins must fit.
        if (auto* button = qobject_cast<QPushButton*>(widget))
            needed = button->fontMetrics().horizontalAdvance(button->text().remove('&')) + 2;
        EXPECT_LE(needed, widget->width()) << widget->metaObject()->className() << " "
                                                                << widget->property("text").toString().toStdString();
    }
}

TEST(WinImport, TheOptionsComeFromTheControls) {
    WINIMPORT window;
    window.show();
    window.RBSISATUTUP->click();
    settle();
    window.AKHIRTUTUP->clear();
    window.AKHIRTUTUP->setFocus();
    QTest::keyClicks(window.AKHIRTUTUP, QStringLiteral("311269"));  // a two-digit year
    window.TGLHITUNGPOINT->setText(QStringLiteral("08/07/2024"));
    window.NAMASAMA->setChecked(true);
    window.IMPORTDRIVER->setCurrentIndex(window.IMPORTDRIVER->findData(int(WINIMPORT::kDriverCdx)));

    const importing::ImportOptions options = window.importOptions();
    EXPECT_EQ(options.stockMode, importing::StockMode::CloseDay);
    EXPECT_EQ(options.closingDate, (xbase::Date{2069, 12, 31}));
    EXPECT_EQ(options.pointsDate, (xbase::Date{2024, 7, 8}));
    EXPECT_FALSE(options.allowDuplicateCodes);
    EXPECT_TRUE(options.allowDuplicateNames);
    EXPECT_EQ(options.tableDriver, xbase::Driver::DBFCDX);
}

// Which of the controls the option rules switch are enabled.
struct EnabledState {
    bool closingDate, openDate, import2List, importFolder, templateButtons, applicationChecks;
    bool operator==(const EnabledState&) const = default;
};

EnabledState enabledState(const WINIMPORT& w) {
    const bool closing = w.AKHIRTUTUP->isEnabled();
    EXPECT_EQ(w.AKHIRTUTUPTEXT->isEnabled(), closing);
    const bool open = w.AKHIRBUKA->isEnabled();
    EXPECT_EQ(w.AKHIRBUKATEXT->isEnabled(), open);
    const bool folder = w.IMPORT->isEnabled();
    EXPECT_EQ(w.BROWSEIMPORT_->isEnabled(), folder);
    const bool buttons = w.BUTTONCREATEIMPORT_->isEnabled();
    EXPECT_EQ(w.BUTTONEDITIMPORT_->isEnabled(), buttons);
    const bool checks = w.SALES2PELANGGAN->isEnabled();
    EXPECT_EQ(w.HITUNGKOMISI2ADJ1->isEnabled(), checks);
    EXPECT_EQ(w.IMPORTPENJUALANASCASH->isEnabled(), checks);
    // Never switched by the rules.
    EXPECT_TRUE(w.TGLHITUNGPOINT->isEnabled());
    EXPECT_TRUE(w.KODESAMA->isEnabled());
    EXPECT_TRUE(w.NAMASAMA->isEnabled());
    return {closing, open, w.IMPORT2LIST->isEnabled(), folder, buttons, checks};
}

void chooseApplication(WINIMPORT& window, int value) {
    const int index = window.IMPORT2LIST->findData(value);
    window.IMPORT2LIST->setCurrentIndex(index);
    emit window.IMPORT2LIST->activated(index);
    settle();
}

TEST(WinImport, OptionRulesAndDriverPresetsFollowTheChoices) {
    WINIMPORT window;
    window.show();
    EXPECT_EQ(enabledState(window), (EnabledState{false, false, false, true, true, false}));

    window.RBSISABUKA->click();
    settle();
    EXPECT_EQ(enabledState(window), (EnabledState{false, true, false, true, true, false}));
    window.RBSISATUTUP->click();
    settle();
    EXPECT_EQ(enabledState(window), (EnabledState{true, false, false, true, true, false}));
    window.RBSISATIADA->click();
    settle();
    EXPECT_EQ(enabledState(window), (EnabledState{false, false, false, true, true, false}));

    // The other application: the list opens, the template buttons close, the driver follows the
    // list's start value (IS: DBFNTX).
    window.IMPORTDRIVER->setCurrentIndex(window.IMPORTDRIVER->findData(int(WINIMPORT::kDriverCdx)));
    window.RBIMPORT2->click();
    settle();
    EXPECT_EQ(enabledState(window), (EnabledState{false, false, true, true, false, false}));
    EXPECT_EQ(window.DBFDRIVER(), "DBFNTX");

    const struct {
        int value;
        const char* driver;
        bool applicationChecks;
    } presets[] = {{importers::kIpos, "DBFCDX", true},
                   {importers::kLindraMakmur, "DBFCDX", false},
                   {importers::kIntegratedSystem, "DBFNTX", false},
                   {importers::kIas, "DBFNTX", false}};
    for (const auto& preset : presets) {
        chooseApplication(window, preset.value);
        EXPECT_EQ(window.DBFDRIVER(), preset.driver) << preset.value;
        EXPECT_EQ(enabledState(window).applicationChecks, preset.applicationChecks) << preset.value;
    }

    // The user may change the driver; only a new choice presets it again.
    window.IMPORTDRIVER->setCurrentIndex(window.IMPORTDRIVER->findData(int(WINIMPORT::kDriverMdx)));
    window.RBSISABUKA->click();
    settle();
    EXPECT_EQ(window.DBFDRIVER(), "DBFMDX");

    window.RBIMPORT1->click();
    settle();
    EXPECT_EQ(enabledState(window), (EnabledState{false, true, false, true, true, false}));
}

// A window with a recording interaction that answers the questions as scripted.
class WinImportCommandTest : public ::testing::Test {
protected:
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    test::TempDir dir;
    WINIMPORT window;

    void SetUp() override { window.show(); }
};

TEST_F(WinImportCommandTest, FolderPickersStartAtTheFieldAndFillIt) {
    window.LOKASI->setText(QStringLiteral("/srv/toko"));
    ui.folderChoices = {"/srv/toko2", ""};
    window.BROWSELOKASI();
    EXPECT_EQ(window.LOKASI->text().toStdString(), "/srv/toko2");
    EXPECT_EQ(window.focusWidget(), window.LOKASI);
    window.BROWSEIMPORT();  // cancelled: the field keeps its text
    EXPECT_TRUE(window.IMPORT->text().isEmpty());
    EXPECT_EQ(window.focusWidget(), window.IMPORT);
    window.RBIMPORT2->click();
    settle();
    window.BROWSEIMPORT();
    ASSERT_EQ(ui.messages.size(), 3u);
    EXPECT_EQ(ui.messages[0].title, "Pilih Lokasi Data:");
    EXPECT_EQ(ui.messages[0].text, "/srv/toko");
    EXPECT_EQ(ui.messages[1].title, "Pilih Lokasi Import DBF:");
    EXPECT_EQ(ui.messages[2].title, "Pilih Lokasi Data Aplikasi:");
}

TEST_F(WinImportCommandTest, AnsweringNoChangesNothing) {
    ui.replies = {ui::kReplyNo};
    window.BUTTONIMPORT();
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, "ask");
    EXPECT_EQ(ui.messages[0].title, "Tarvo-Soft");
    EXPECT_EQ(ui.messages[0].text, "Lanjutkan proses Import Data ?");
    EXPECT_EQ(ui.messages[0].owner, static_cast<ui::Owner>(&window));
}

TEST_F(WinImportCommandTest, RefusalsShowTheirMessageAndPutTheFocusOnTheField) {
    sampledata::makeSampleRetailDatabase(dir.path());
    std::filesystem::create_directories(dir.path() / "templates");
    const struct {
        std::string database, folder, message;
        QLineEdit* WINIMPORT::*focus;
    } cases[] = {
        {dir.path().string(), "   ", "Lokasi import belum diisi!", &WINIMPORT::IMPORT},
        {dir.path().string(), "\\\\server\\share",
         "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!", &WINIMPORT::IMPORT},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.folder);
        ui.messages.clear();
        ui.replies = {ui::kReplyYes};
        window.LOKASI->setText(QString::fromStdString(c.database));
        window.IMPORT->setText(QString::fromStdString(c.folder));
        window.BROWSELOKASI_->setFocus();
        window.BUTTONIMPORT();
        ASSERT_GE(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[1].kind, "error");
        EXPECT_EQ(ui.messages[1].text, c.message);
        EXPECT_EQ(window.focusWidget(), window.*c.focus);
    }
}

TEST_F(WinImportCommandTest, ARefusedDatabaseFolderPutsTheFocusOnIt) {
    sampledata::makeSampleTemplates(dir.path() / "templates", {.items = 20, .customers = 5, .vendors = 3});
    ui.replies = {ui::kReplyYes};
    window.LOKASI->setText(QString::fromStdString((dir.path() / "nowhere").string()));
    window.IMPORT->setText(QString::fromStdString((dir.path() / "templates").string()));
    window.IMPORT->setFocus();
    window.BUTTONIMPORT();
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_EQ(window.focusWidget(), window.LOKASI);
}

TEST_F(WinImportCommandTest, TheIposEntryImportsWithItsThreeCheckBoxes) {
    test::usePrivateOdbcConfig();
    sampledata::makeSampleRetailDatabase(dir.path());
    sampledata::SampleShop shop;
    shop.items = 40;
    shop.invoices = 12;
    shop.cashSales = 5;
    sampledata::writeSampleShop(dir.path() / "ipos.db", shop);
    window.LOKASI->setText(QString::fromStdString(dir.path().string()));
    window.RBIMPORT2->click();
    settle();
    chooseApplication(window, importers::kIpos);
    window.SALES2PELANGGAN->setChecked(true);
    window.IMPORTPENJUALANASCASH->setChecked(true);
    window.iposConnectionString = test::sqliteConnection(dir.path() / "ipos.db");
    ui.replies = {ui::kReplyYes};
    window.BUTTONIMPORT();

    EXPECT_EQ(ui.count("error"), 0u) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(xbase::Table::open(dir.path() / "ST_DB" / "S_PELANG.Q7T", {})->recCount(), shop.salesmen);
    EXPECT_EQ(xbase::Table::open(dir.path() / "ST_DB" / "S_KARYAW.Q7T", {})->recCount(), 0u);
    auto sales = xbase::Table::open(dir.path() / "ST_DB" / "S_PENJUA.Q7T", {});
    ASSERT_EQ(sales->recCount(), shop.invoices + shop.cashSales);
    sales->goTo(1);
    EXPECT_EQ(sales->fieldGet("NO_MILIK").number(), 1);
    EXPECT_GT(sales->fieldGet("PELANG").number(), 0);
    sales->goTo(shop.invoices + 1);
    EXPECT_EQ(sales->fieldGet("NO_MILIK").number(), 4);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(WinImportCommandTest, TheIposEntryAsksForTheFileAndThePasswordBeforeTouchingTheDatabase) {
    test::usePrivateOdbcConfig();
    sampledata::makeSampleRetailDatabase(dir.path());
    const auto before = test::fileContents(dir.path() / "ST_DB");
    window.LOKASI->setText(QString::fromStdString(dir.path().string()));
    window.RBIMPORT2->click();
    settle();
    chooseApplication(window, importers::kIpos);
    struct Case {
        const char* what;
        std::string file;
        std::optional<std::string> password;
        const char* error;  // nullptr: ends silently
    };
    const Case cases[] = {
        {"file dialog cancelled", "", std::nullopt, nullptr},
        {"password dialog closed", test::nwindMdb().string(), std::nullopt, nullptr},
        {"an Access file that is no iPOS database", test::nwindMdb().string(), "rahasia",
         "Tabel TBLItemJenis tidak ditemukan di database!"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.file == test::nwindMdb().string() && !std::filesystem::exists(test::nwindMdb())) continue;
        ui.messages.clear();
        ui.replies = {ui::kReplyYes};
        ui.fileChoices = {c.file};
        ui.passwords = {c.password};
        window.BUTTONIMPORT();
        EXPECT_EQ(ui.count("error"), c.error ? 1u : 0u);
        if (c.error) {
            EXPECT_EQ(ui.messages.back().text, c.error);
            EXPECT_EQ(ui.messages.back().owner, static_cast<ui::Owner>(&window));
        }
        EXPECT_EQ(test::fileContents(dir.path() / "ST_DB"), before);
    }
}

std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST_F(WinImportCommandTest, ATemplateImportFromTheWindowWritesTheDatabaseAndShowsTheRejects) {
    sampledata::makeSampleRetailDatabase(dir.path());
    const sampledata::SampleTemplateSummary summary =
        sampledata::makeSampleTemplates(dir.path() / "templates", {.items = 60, .customers = 10, .vendors = 4});
    window.LOKASI->setText(QString::fromStdString(dir.path().string()));
    window.IMPORT->setText(QString::fromStdString((dir.path() / "templates").string()));
    window.RBSISABUKA->click();
    settle();
    ui.replies = {ui::kReplyYes};

    std::vector<std::vector<std::string>> rows;
    test::whenModalOpens(
        [&rows](QWidget* modal) {
            auto* reject = qobject_cast<WinImportReject*>(modal);
            ASSERT_NE(reject, nullptr);
            EXPECT_EQ(reject->windowTitle().toStdString(), "Record yang ditolak");
            EXPECT_EQ(reject->infoText()->text().toStdString(),
                      "Record yang ditolak... (Dapat dicek di file Reject.txt)");
            EXPECT_EQ(reject->infoText()->toolTip().toStdString(),
                      (xbase::executableFolder() / "REJECT.TXT").string());
            QTreeWidget* list = reject->LVREJECT();
            for (int i = 0; i < list->topLevelItemCount(); ++i) {
                std::vector<std::string> row;
                for (int column = 0; column < list->columnCount(); ++column)
                    row.push_back(list->topLevelItem(i)->text(column).toStdString());
                rows.push_back(row);
            }
            modal->close();
        },
        [&] { window.BUTTONIMPORT(); });

    EXPECT_EQ(ui.count("error"), 0u);
    ASSERT_EQ(rows.size(), summary.codeDuplicates + summary.nameDuplicates);
    EXPECT_EQ(rows.front()[0], "Kode Sama");
    EXPECT_EQ(rows.back()[0], "Nama Sama");
    const std::string file = fileText(xbase::executableFolder() / "REJECT.TXT");
    EXPECT_EQ(file.substr(0, file.find("\r\n")), "KETERANGAN\tKODE\tNAMA\tREC\tKODE *2\tNAMA *2\tREC *2");
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), static_cast<long>(rows.size() + 1));

    auto stock = xbase::Table::open(dir.path() / "ST_DB" / "S_STOCK.Q7T", {});
    EXPECT_EQ(stock->recCount(), summary.accepted.at("ITEM"));
    // The progress window is gone and the pointer is normal again.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// In a folder other than the program's (the user's data folder of an installed program) the reject
// window's text names the reject file in full; beside the program, see the whole import above.
TEST(WinImportReject, SaysWhereRejectTxtWent) {
    test::TempDir data;
    const std::string file = (data.path() / "REJECT-TOKO.TXT").string();
    WinImportReject reject(nullptr, file);
    EXPECT_EQ(reject.infoText()->text().toStdString(), "Record yang ditolak... (Dapat dicek di file " + file + ")");
    EXPECT_EQ(reject.infoText()->toolTip().toStdString(), file);
}

// Entries 1-3 of IMPORT2LIST: the folder picker fills the source folder, the import runs with the
// driver the entry presets, and its duplicates come up in the reject window.
TEST_F(WinImportCommandTest, AnotherApplicationsTablesAreImportedFromTheWindow) {
    const struct {
        int application;
        sampledata::SampleSourceKind kind;
        const char* name;
    } cases[] = {{importers::kLindraMakmur, sampledata::SampleSourceKind::Msbrg, "msbrg"},
                 {importers::kIntegratedSystem, sampledata::SampleSourceKind::Is, "is"},
                 {importers::kIas, sampledata::SampleSourceKind::Ias, "ias"}};
    window.RBIMPORT2->click();
    settle();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::filesystem::path shop = dir.path() / c.name;
        const std::filesystem::path source = dir.path() / (std::string(c.name) + "_source");
        sampledata::makeSampleRetailDatabase(shop);
        sampledata::makeSampleSource(c.kind, source, {.items = 80});
        window.LOKASI->setText(QString::fromStdString(shop.string()));
        chooseApplication(window, c.application);
        ui.messages.clear();
        ui.folderChoices = {source.string()};
        window.BROWSEIMPORT();
        EXPECT_EQ(window.IMPORT->text().toStdString(), source.string());
        ui.replies = {ui::kReplyYes};

        bool rejectsShown = false;
        test::whenModalOpens(
            [&rejectsShown](QWidget* modal) {
                rejectsShown = qobject_cast<WinImportReject*>(modal) != nullptr;
                modal->close();
            },
            [&] { window.BUTTONIMPORT(); });

        EXPECT_EQ(ui.count("error"), 0u) << (ui.messages.size() > 2 ? ui.messages[2].text : "");
        EXPECT_TRUE(rejectsShown);
        auto stock = xbase::Table::open(shop / "ST_DB" / "S_STOCK.Q7T", {});
        EXPECT_GT(stock->recCount(), 50u);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
}

}  // namespace
}  // namespace tarvo::gui
