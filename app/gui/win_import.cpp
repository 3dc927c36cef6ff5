#include "app/gui/win_import.h"

#include <algorithm>
#include <vector>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "app/core/data_files.h"
#include "app/core/version.h"
#include "app/gui/dialog_units.h"
#include "app/gui/gui_utilities.h"
#include "app/gui/win_choose_backup.h"
#include "app/gui/win_import_edit.h"
#include "app/gui/win_import_info.h"
#include "app/gui/win_import_reject.h"
#include "converters/report_converter.h"
#include "converters/stock_repair.h"
#include "importers/application_sources.h"
#include "importing/import_summary.h"
#include "importing/reject_list.h"
#include "retaildb/retail_database.h"
#include "safety/restore.h"
#include "templates/template_import.h"
#include "templatetools/folder_creation.h"
#include "ui/stop_request.h"
#include "xbase/dates.h"

namespace tarvo::gui {

namespace {

constexpr const char* kDatePicture = "99/99/9999";

void selectValue(QComboBox* list, int value) { list->setCurrentIndex(list->findData(value)); }

}  // namespace

WINIMPORT::WINIMPORT(QWidget* parent) : QDialog(parent) {
    INIT();
    POSTINIT();
}

WINIMPORT::~WINIMPORT() = default;

void WINIMPORT::INIT() {
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("Tarvo-Import"));
    setFont(dialogFont(QStringLiteral("Verdana"), 8));
    const DialogUnits du(font());
    setFixedSize(du.size(347, 300));

    auto groupBox = [&](const QString& text, QRect rect) {
        auto* box = new QGroupBox(text, this);
        box->setGeometry(rect);
        return box;
    };
    auto label = [&](const QString& text, QRect rect, Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
        auto* control = new QLabel(text, this);
        control->setGeometry(rect);
        control->setAlignment(alignment);
        return control;
    };
    auto button = [&](const QString& text, QRect rect) {
        auto* control = new QPushButton(text, this);
        control->setGeometry(rect);
        control->setAutoDefault(false);
        return control;
    };
    auto field = [&](QRect rect) {
        auto* control = new QLineEdit(this);
        control->setGeometry(rect);
        return control;
    };
    auto dateField = [&](QRect rect) {
        QLineEdit* control = field(rect);
        control->setInputMask(QString::fromLatin1(kDatePicture));
        return control;
    };
    auto radio = [&](int id, const QString& text, QRect rect, QButtonGroup* group) {
        auto* control = new NotifyingRadioButton(id, text, this);
        control->setGeometry(rect);
        group->addButton(control, id);
        return control;
    };
    auto checkBox = [&](const QString& text, QRect rect) {
        auto* control = new QCheckBox(text, this);
        control->setGeometry(rect);
        return control;
    };
    auto dropDown = [&](QRect rect) {
        auto* control = new QComboBox(this);
        // The rectangle's height is that of the opened list; the closed box keeps its own.
        control->setGeometry(rect.x(), rect.y(), rect.width(), control->sizeHint().height());
        return control;
    };

    stockGroup_ = new QButtonGroup(this);
    sourceGroup_ = new QButtonGroup(this);

    // The controls in resource order, which is also the tab order.
    groupBox({}, du.rect(2, 0, 343, 118));
    GROUPBOX2 = groupBox(QStringLiteral(" Lokasi Import Data :"), du.rect(2, 123, 343, 115));
    GROUPBOX3 = groupBox({}, du.rect(2, 236, 343, 44));
    LOKASITEXT = label(QStringLiteral("Lokasi Data (ST_DB) :"), du.rect(11, 12, 80, 12));
    AKHIRTUTUPTEXT = label(QStringLiteral("Isi Tanggal Tutup Hari :"), du.rect(102, 41, 83, 13));
    AKHIRBUKATEXT = label(QStringLiteral("Isi Tanggal Akhir Stock :"), du.rect(102, 68, 83, 13));
    TGLHITUNGPOINTTEXT = label(QStringLiteral("Tanggal HItung Point :"), du.rect(196, 98, 85, 12),
                               Qt::AlignRight | Qt::AlignTop);
    IMPORTDRIVERTEXT = label(QStringLiteral("Import Data DBF dengan driver :"), du.rect(11, 216, 112, 12));
    // The report converter and the stock repair, offered where the resource places them.
    BUTTONCREATEDBF_ = button(QStringLiteral("Create DBF"), du.rect(11, 44, 64, 27));
    BUTTONPERBAIKIDATA_ = button(QStringLiteral("Perbaiki Data"), du.rect(11, 71, 64, 27));
    LOKASI = field(du.rect(91, 12, 226, 12));
    BROWSELOKASI_ = button(QStringLiteral("<B>"), du.rect(320, 12, 16, 12));
    groupBox({}, du.rect(6, 150, 58, 56))->setVisible(false);
    RBSISATUTUP = radio(kRbSisaTutup, QStringLiteral("Import Sisa Stock dan lakukan Tutup Hari"), du.rect(91, 29, 153, 12),
                        stockGroup_);
    AKHIRTUTUP = dateField(du.rect(187, 41, 50, 13));
    RBSISABUKA = radio(kRbSisaBuka, QStringLiteral("Import Sisa Stock, tetapi user masih bisa mengubah sisa awal"),
                       du.rect(91, 56, 219, 12), stockGroup_);
    AKHIRBUKA = dateField(du.rect(187, 68, 50, 13));
    RBSISATIADA = radio(kRbSisaTiada, QStringLiteral("Tidak perlu import Sisa Stock"), du.rect(91, 83, 119, 13),
                        stockGroup_);
    TGLHITUNGPOINT = dateField(du.rect(283, 98, 50, 12));
    IMPORT = field(du.rect(11, 137, 306, 13));
    BROWSEIMPORT_ = button(QStringLiteral("<B>"), du.rect(320, 137, 16, 13));
    groupBox({}, du.rect(84, 46, 19, 84))->setVisible(false);
    RBIMPORT1 = radio(kRbImport1, QStringLiteral("Dari File Database (Vendor.dbf Pelang.dbf Item.dbf) : "),
                      du.rect(11, 157, 192, 12), sourceGroup_);
    BUTTONCREATEIMPORT_ = button(QStringLiteral("Create/Buat Filenya"), du.rect(205, 157, 131, 15));
    BUTTONEDITIMPORT_ = button(QStringLiteral("Edit Filenya"), du.rect(205, 172, 131, 15));
    RBIMPORT2 = radio(kRbImport2, QStringLiteral("Dari File Database Aplikasi :"), du.rect(11, 192, 107, 12),
                      sourceGroup_);
    IMPORT2LIST = dropDown(du.rect(118, 192, 218, 120));
    IMPORTDRIVER = dropDown(du.rect(125, 216, 211, 71));
    KODESAMA = checkBox(QStringLiteral("Kode barang boleh sama"), du.rect(11, 248, 101, 11));
    NAMASAMA = checkBox(QStringLiteral("Nama barang boleh sama"), du.rect(11, 260, 101, 12));
    SALES2PELANGGAN = checkBox(QStringLiteral("Import Sales jadi Pelanggan"), du.rect(123, 248, 112, 11));
    SALES2PELANGGAN->setEnabled(false);
    HITUNGKOMISI2ADJ1 = checkBox(QStringLiteral("Hitung Komisi Sales > Adj1"), du.rect(237, 248, 103, 11));
    HITUNGKOMISI2ADJ1->setEnabled(false);
    IMPORTPENJUALANASCASH = checkBox(QStringLiteral("Import Penjualan Sbg Penj Cash"), du.rect(123, 260, 126, 12));
    IMPORTPENJUALANASCASH->setEnabled(false);
    BUTTONIMPORT_ = button(QStringLiteral("I&mport"), du.rect(2, 283, 171, 14));
    BUTTONTUTUP_ = button(QStringLiteral("&Tutup"), du.rect(173, 283, 172, 14));
    PERIKSASAJA = checkBox(QStringLiteral("Periksa saja"), du.rect(255, 260, 85, 12));
    PERIKSASAJA->setToolTip(QStringLiteral("Import ke salinan sementara: data toko tidak diubah"));
    BUTTONPULIHKAN_ = button(QStringLiteral("Pulihkan Data"), du.rect(11, 100, 64, 13));
    BUTTONPULIHKAN_->setToolTip(QStringLiteral("Kembalikan data dari cadangan sebelum import"));

    connect(BUTTONCREATEDBF_, &QPushButton::clicked, this, &WINIMPORT::BUTTONCREATEDBF);
    connect(BUTTONPERBAIKIDATA_, &QPushButton::clicked, this, &WINIMPORT::BUTTONPERBAIKIDATA);
    connect(BROWSELOKASI_, &QPushButton::clicked, this, &WINIMPORT::BROWSELOKASI);
    connect(BROWSEIMPORT_, &QPushButton::clicked, this, &WINIMPORT::BROWSEIMPORT);
    connect(BUTTONCREATEIMPORT_, &QPushButton::clicked, this, &WINIMPORT::BUTTONCREATEIMPORT);
    connect(BUTTONEDITIMPORT_, &QPushButton::clicked, this, &WINIMPORT::BUTTONEDITIMPORT);
    connect(BUTTONIMPORT_, &QPushButton::clicked, this, &WINIMPORT::BUTTONIMPORT);
    connect(BUTTONTUTUP_, &QPushButton::clicked, this, &WINIMPORT::BUTTONTUTUP);
    connect(IMPORT2LIST, &QComboBox::activated, this, &WINIMPORT::LISTBOXSELECT);
    connect(BUTTONPULIHKAN_, &QPushButton::clicked, this, &WINIMPORT::BUTTONPULIHKAN);
    connect(LOKASI, &QLineEdit::editingFinished, this, &WINIMPORT::CHECKINTERRUPTED);
}

void WINIMPORT::POSTINIT() {
    background_.load(QString::fromStdString(app::dataFile("back.tvs").string()), "BMP");
    setWindowTitle(qt(app::windowTitle()));
    if (const QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    IMPORTDRIVER->addItem(QStringLiteral("DBFNTX - Clipper Database (.DBF and .DBT)"), int(kDriverNtx));
    IMPORTDRIVER->addItem(QStringLiteral("DBFMDX - DBase Database (.DBF and .DBT)"), int(kDriverMdx));
    IMPORTDRIVER->addItem(QStringLiteral("DBFCDX - FoxPro Database (.DBF and .FPT)"), int(kDriverCdx));
    selectValue(IMPORTDRIVER, kDriverNtx);

    // A sorted list: the entries by their texts, ignoring case.
    std::vector<std::pair<QString, int>> applications;
    for (const importers::SourceApplication& application : importers::sourceApplications())
        applications.emplace_back(qt(std::string(application.windowText)), application.value);
    std::sort(applications.begin(), applications.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto& [text, value] : applications) IMPORT2LIST->addItem(text, value);
    selectValue(IMPORT2LIST, importers::kIntegratedSystem);

    LOKASI->clear();
    const importing::ImportOptions defaults = importing::defaultImportOptions();
    AKHIRTUTUP->setText(qt(xbase::DToC(defaults.closingDate)));
    AKHIRBUKA->setText(qt(xbase::DToC(defaults.openDate)));
    TGLHITUNGPOINT->clear();
    IMPORT->clear();
    RBSISATIADA->setChecked(true);
    RBIMPORT1->setChecked(true);
    CHECKSTATE();
    LOKASI->setFocus();
    ready_ = true;
}

int WINIMPORT::import2Value() const { return IMPORT2LIST->currentData().toInt(); }

void WINIMPORT::CHECKSTATE() {
    const bool templates = RBIMPORT1->isChecked();
    const bool application = RBIMPORT2->isChecked();
    AKHIRTUTUPTEXT->setEnabled(RBSISATUTUP->isChecked());
    AKHIRTUTUP->setEnabled(RBSISATUTUP->isChecked());
    AKHIRBUKATEXT->setEnabled(RBSISABUKA->isChecked());
    AKHIRBUKA->setEnabled(RBSISABUKA->isChecked());
    IMPORT2LIST->setEnabled(application);
    IMPORT->setEnabled(templates || application);
    BROWSEIMPORT_->setEnabled(templates || application);
    BUTTONCREATEIMPORT_->setEnabled(templates);
    BUTTONEDITIMPORT_->setEnabled(templates);
    const bool ipos = application && import2Value() == importers::kIpos;
    SALES2PELANGGAN->setEnabled(ipos);
    HITUNGKOMISI2ADJ1->setEnabled(ipos);
    IMPORTPENJUALANASCASH->setEnabled(ipos);
}

void WINIMPORT::CHECKDRIVER() {
    const importers::SourceApplication* application = importers::sourceApplication(import2Value());
    if (!application) return;
    switch (application->presetDriver) {
        case xbase::Driver::DBFNTX: selectValue(IMPORTDRIVER, kDriverNtx); break;
        case xbase::Driver::DBFMDX: selectValue(IMPORTDRIVER, kDriverMdx); break;
        case xbase::Driver::DBFCDX: selectValue(IMPORTDRIVER, kDriverCdx); break;
    }
}

std::string WINIMPORT::DBFDRIVER() const {
    switch (IMPORTDRIVER->currentData().toInt()) {
        case kDriverCdx: return "DBFCDX";
        case kDriverMdx: return "DBFMDX";
        default: return "DBFNTX";
    }
}

importing::ImportOptions WINIMPORT::importOptions() const {
    importing::ImportOptions options;
    if (RBSISATUTUP->isChecked()) options.stockMode = importing::StockMode::CloseDay;
    else if (RBSISABUKA->isChecked()) options.stockMode = importing::StockMode::Open;
    else options.stockMode = importing::StockMode::None;
    options.closingDate = xbase::CToD(AKHIRTUTUP->text().toStdString());
    options.openDate = xbase::CToD(AKHIRBUKA->text().toStdString());
    options.pointsDate = xbase::CToD(TGLHITUNGPOINT->text().toStdString());
    options.allowDuplicateCodes = KODESAMA->isChecked();
    options.allowDuplicateNames = NAMASAMA->isChecked();
    options.tableDriver = xbase::driverFromName(DBFDRIVER()).value_or(xbase::Driver::DBFNTX);
    return options;
}

bool WINIMPORT::datesChecked() {
    struct DateField {
        QLineEdit* field;
        const char* name;
        bool needed;
    };
    const DateField fields[] = {
        {AKHIRTUTUP, "Tanggal Tutup Hari", RBSISATUTUP->isChecked()},
        {AKHIRBUKA, "Tanggal Akhir Stock", RBSISABUKA->isChecked()},
        {TGLHITUNGPOINT, "Tanggal Hitung Point", false},
    };
    for (const DateField& date : fields) {
        // A field the chosen mode does not use is not read.
        if (!date.field->isEnabled()) continue;
        const std::string text = date.field->text().toStdString();
        const std::optional<xbase::Date> typed = importing::typedDate(text);
        std::string problem;
        if (!typed) problem = std::string(date.name) + " tidak valid ( " + text + " )! Isi dengan format DD/MM/YYYY.";
        else if (typed->empty() && date.needed) problem = std::string(date.name) + " belum diisi!";
        if (problem.empty()) continue;
        ui::BOXERROR(this, problem);
        date.field->setFocus();
        return false;
    }
    return true;
}

bool WINIMPORT::event(QEvent* event) {
    if (ready_ && event->type() == CheckStateNotification::kType) {
        const int id = static_cast<CheckStateNotification*>(event)->controlId();
        // The first button of each group hears of every change in its group.
        if (id == kRbSisaTutup || id == kRbImport1) CHECKSTATE();
        if (id == kRbImport2 && RBIMPORT2->isChecked()) CHECKDRIVER();
        return true;
    }
    return QDialog::event(event);
}

bool WINIMPORT::fieldsFilledIn() const {
    const importing::ImportOptions defaults = importing::defaultImportOptions();
    auto typed = [](const QLineEdit* field) { return !field->text().trimmed().isEmpty(); };
    return typed(LOKASI) || typed(IMPORT) || importing::typedDate(TGLHITUNGPOINT->text().toStdString()) != xbase::Date{} ||
           AKHIRTUTUP->text() != qt(xbase::DToC(defaults.closingDate)) ||
           AKHIRBUKA->text() != qt(xbase::DToC(defaults.openDate));
}

void WINIMPORT::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && fieldsFilledIn()) {
        if (ui::BOXASK(this, "Tarvo-Soft", "Tutup Tarvo-Import? Isian di jendela ini akan hilang.", 2)) reject();
        return;
    }
    QDialog::keyPressEvent(event);
}

void WINIMPORT::paintEvent(QPaintEvent* event) {
    if (background_.isNull()) {
        QDialog::paintEvent(event);
        return;
    }
    QPainter painter(this);
    DRAWSTRETCHBITMAP(this, painter, background_);
}

void WINIMPORT::LISTBOXSELECT() {
    CHECKDRIVER();
    CHECKSTATE();
}

void WINIMPORT::BROWSELOKASI() {
    const std::string folder =
        ui::interaction().chooseFolder(this, "Pilih Lokasi Data:", LOKASI->text().toStdString());
    // A cancelled picker keeps what the user had typed.
    if (!folder.empty()) LOKASI->setText(qt(folder));
    LOKASI->setFocus();
}

void WINIMPORT::BROWSEIMPORT() {
    const char* title = RBIMPORT1->isChecked() ? "Pilih Lokasi Import DBF:" : "Pilih Lokasi Data Aplikasi:";
    const std::string folder = ui::interaction().chooseFolder(this, title, IMPORT->text().toStdString());
    if (!folder.empty()) IMPORT->setText(qt(folder));
    IMPORT->setFocus();
}

void WINIMPORT::BUTTONIMPORT() {
    if (importing_) return;  // a click let through while an import runs
    if (!datesChecked()) return;
    std::unique_ptr<importing::ImportSource> source;
    if (RBIMPORT1->isChecked()) source = templates::templateSource();
    else if (RBIMPORT2->isChecked()) source = importers::BUTTONIMPORT2(import2Value(), iposChoices());
    if (source) runImport(*source);
}

importers::ipos::IposChoices WINIMPORT::iposChoices() const {
    importers::ipos::IposChoices choices;
    choices.salesAsCustomers = SALES2PELANGGAN->isChecked();
    choices.commissionToAdj1 = HITUNGKOMISI2ADJ1->isChecked();
    choices.salesAsCash = IMPORTPENJUALANASCASH->isChecked();
    choices.connectionString = iposConnectionString;
    return choices;
}

void WINIMPORT::runImport(importing::ImportSource& source) {
    importing::ImportRequest request;
    request.databaseFolder = LOKASI->text().toStdString();
    request.importFolder = IMPORT->text().toStdString();
    request.options = importOptions();
    request.rejectFile = importing::rejectFile(request.databaseFolder);
    request.showRejects = [this, file = request.rejectFile](const importing::DuplicateList& codes,
                                                           const importing::DuplicateList& names) {
        WinImportReject reject(this, file);
        reject.KODESAMA(codes);
        reject.NAMASAMA(names);
        reject.SHOW();
    };
    request.safety.dryRun = PERIKSASAJA->isChecked();
    request.safety.onInterrupted = safety::OnInterrupted::Ask;
    const QString sourceName = RBIMPORT1->isChecked() ? QStringLiteral("templates") : IMPORT2LIST->currentText();
    request.safety.description = "window, " + sourceName.toStdString() + ": " + request.importFolder;
    // The question about an interrupted import comes with the import now.
    interruptedAsked_ = LOKASI->text().toStdString();
    importing::ImportOutcome outcome;
    importing_ = true;
    try {
        outcome = importing::runImport(this, request, source);
    } catch (const std::exception& e) {
        // Nothing may escape into the event loop: the user gets the reason instead.
        importing_ = false;
        ui::interaction().closeProgress();
        ui::BOXERROR(this, std::string("Import gagal: ") + e.what());
        return;
    }
    importing_ = false;
    using importing::Refusal;
    if (outcome.refusal == Refusal::ImportFolder) IMPORT->setFocus();
    if (outcome.refusal != Refusal::None && outcome.refusal != Refusal::ImportFolder &&
        outcome.refusal != Refusal::Source)
        LOKASI->setFocus();
    // A failed or stopped import has said what became of the shop; a finished one says what it did,
    // as the command line prints it.
    if (outcome.status != importing::ImportStatus::Done) return;
    ui::BOXINFO(this, "Import selesai", importing::importSummary(outcome, importing::SummaryLanguage::Indonesian));
}

void WINIMPORT::BUTTONPULIHKAN() {
    const std::string database = retaildb::LOKASIDATAEX(this, LOKASI->text().toStdString());
    if (database.empty()) {
        LOKASI->setFocus();
        return;
    }
    const std::vector<safety::Backup> backups = safety::listBackups(database);
    if (backups.empty()) {
        ui::BOXERROR(this, "Tidak ada cadangan data untuk " + safety::databaseIdentity(database));
        return;
    }
    WinChooseBackup chooser(this, database, backups);
    if (chooser.exec() != QDialog::Accepted || chooser.chosenStamp().empty()) return;
    if (safety::restoreDatabase(this, database, chooser.chosenStamp()))
        ui::BOXINFO(this, "Tarvo-Import", "Data toko sudah dikembalikan dari cadangan.");
}

void WINIMPORT::CHECKINTERRUPTED() {
    const std::string text = LOKASI->text().toStdString();
    if (text.empty() || text == interruptedAsked_) return;
    const std::string folder = retaildb::databaseFolderOf(text);
    if (text.front() == '\\' || !retaildb::DIREXIST(folder)) return;
    const std::optional<safety::Backup> interrupted = safety::interruptedImport(folder);
    if (!interrupted) return;
    interruptedAsked_ = text;
    const std::string question = "Import terakhir ke Lokasi Data ini terputus sebelum selesai ( " +
                                 interrupted->manifest.started + " ).\nKembalikan data dari cadangannya sekarang?";
    if (!ui::BOXASK(this, "Tarvo-Soft", question, 1)) return;
    if (safety::restoreDatabase(this, folder, interrupted->stamp, false))
        ui::BOXINFO(this, "Tarvo-Import", "Data toko sudah dikembalikan dari cadangan.");
}

void WINIMPORT::BUTTONEDITIMPORT() {
    const std::string folder = importing::checkedImportFolder(this, IMPORT->text().toStdString());
    if (folder.empty()) return;
    WinImportEdit editor(this, folder);
    editor.exec();
}

void WINIMPORT::BUTTONCREATEIMPORT() {
    const std::string folder = templatetools::createImportFolder(this, IMPORT->text().toStdString(), true);
    if (folder.empty()) return;
    WinImportInfo info(this, folder);
    info.exec();
}

void WINIMPORT::BUTTONCREATEDBF() {
    runCommand([this] { converters::BUTTONCREATEDBF(this); });
}

void WINIMPORT::BUTTONPERBAIKIDATA() {
    runCommand([this] { converters::BUTTONPERBAIKIDATA(this, LOKASI->text().toStdString()); });
}

void WINIMPORT::runCommand(const std::function<void()>& command) {
    try {
        command();
    } catch (const std::exception& e) {
        // Nothing may escape into the event loop: the user gets the reason instead.
        ui::interaction().closeProgress();
        ui::BOXERROR(this, std::string("Proses gagal: ") + e.what());
    }
}

void WINIMPORT::BUTTONTUTUP() { done(QDialog::Accepted); }

void WINIMPORT::done(int result) {
    if (importing_) {
        if (ui::BOXASK(this, "Tarvo-Soft", ui::kStopImportQuestion, 2)) ui::requestStop();
        return;
    }
    // CLOSE: the background picture is released with the window.
    background_ = QImage();
    QDialog::done(result);
}

}  // namespace tarvo::gui
