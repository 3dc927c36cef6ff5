#include "app/gui/win_import_sheets.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <filesystem>

#include "app/gui/gui_utilities.h"
#include "app/gui/win_import_info.h"
#include "app/gui/win_sheet_mapping.h"
#include "sheets/sheet_rows.h"
#include "templatetools/mapping_proposal.h"
#include "templatetools/template_workbook.h"
#include "templatetools/templates_from_sheets.h"
#include "ui/user_interaction.h"
#include "xbase/file_names.h"

namespace tarvo::gui {

WinSheetProblems::WinSheetProblems(QWidget* owner, const QString& title, const QString& heading,
                                   const std::vector<std::string>& lines)
    : QDialog(owner) {
    setWindowTitle(title);
    setModal(true);
    resize(720, 360);
    auto* layout = new QVBoxLayout(this);
    HEADING = new QLabel(heading, this);
    HEADING->setWordWrap(true);
    LIST = new QPlainTextEdit(this);
    LIST->setReadOnly(true);
    LIST->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString text;
    for (const std::string& line : lines) text += qt(line) + '\n';
    LIST->setPlainText(text);
    auto* buttons = new QHBoxLayout;
    BUTTONCOPY = new QPushButton(QStringLiteral("&Salin"), this);
    BUTTONCLOSE = new QPushButton(QStringLiteral("&Tutup"), this);
    buttons->addStretch();
    buttons->addWidget(BUTTONCOPY);
    buttons->addWidget(BUTTONCLOSE);
    layout->addWidget(HEADING);
    layout->addWidget(LIST);
    layout->addLayout(buttons);
    connect(BUTTONCOPY, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(LIST->toPlainText()); });
    connect(BUTTONCLOSE, &QPushButton::clicked, this, &QDialog::accept);
}

WinImportSheets::WinImportSheets(WinImportInfo* owner) : QWidget(owner), owner_(owner) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    BUTTONWORKBOOK = new QPushButton(QStringLiteral("Buat &Workbook Excel..."), this);
    BUTTONWORKBOOK->setToolTip(QStringLiteral("Satu sheet per file template, untuk diisi di program spreadsheet"));
    BUTTONFROMSHEETS = new QPushButton(QStringLiteral("Ambil dari &Excel/CSV..."), this);
    BUTTONFROMSHEETS->setToolTip(
        QStringLiteral("Membuat file template dari workbook yang sudah diisi, atau dari file CSV (NAMA.csv) satu folder"));
    BUTTONMAPPING = new QPushButton(QStringLiteral("&Cocokkan Kolom..."), this);
    BUTTONMAPPING->setToolTip(
        QStringLiteral("Mencocokkan kolom spreadsheet sendiri (mis: Kode Barang, Harga Jual) dengan kolom file template"));
    layout->addWidget(BUTTONWORKBOOK);
    layout->addWidget(BUTTONFROMSHEETS);
    layout->addWidget(BUTTONMAPPING);
    layout->addStretch();
    connect(BUTTONWORKBOOK, &QPushButton::clicked, this, &WinImportSheets::BUTTONWORKBOOK_);
    connect(BUTTONFROMSHEETS, &QPushButton::clicked, this, &WinImportSheets::BUTTONFROMSHEETS_);
    connect(BUTTONMAPPING, &QPushButton::clicked, this, &WinImportSheets::BUTTONMAPPING_);

    chooseWorkbookFile = [this] {
        return QFileDialog::getSaveFileName(owner_, QStringLiteral("Simpan workbook"),
                                            qt(owner_->CLOKASIIMP() + "TEMPLATE.xlsx"),
                                            QStringLiteral("Workbook Excel (*.xlsx)"))
            .toStdString();
    };
    chooseSource = [this] {
        return ui::interaction().chooseFile(owner_, "Ambil dari workbook atau CSV",
                                            "Workbook atau CSV (*.xlsx *.csv *.XLSX *.CSV)");
    };
    showList = [this](const QString& title, const QString& heading, const std::vector<std::string>& lines) {
        WinSheetProblems(owner_, title, heading, lines).exec();
    };
    reviewMapping = [this](const std::string& source, templatetools::ColumnMapping& mapping) {
        WinSheetMapping dialog(owner_, source, owner_->CLOKASIIMP(), templatetools::readSheetHeads(source), mapping);
        if (dialog.exec() != QDialog::Accepted) return false;
        mapping = dialog.mapping();
        return true;
    };
}

void WinImportSheets::BUTTONWORKBOOK_() {
    const std::string file = chooseWorkbookFile();
    if (!file.empty()) writeWorkbook(file);
}

void WinImportSheets::BUTTONFROMSHEETS_() {
    const std::string source = chooseSource();
    if (!source.empty()) fromSheets(source);
}

void WinImportSheets::BUTTONMAPPING_() {
    const std::string source = chooseSource();
    if (!source.empty()) fromSheets(source, true);
}

void WinImportSheets::writeWorkbook(const std::string& file) {
    std::vector<std::string> unknown;
    try {
        templatetools::writeTemplateWorkbook(file, templatetools::pagesNamed({}, unknown));
    } catch (const sheets::SheetError& e) {
        ui::BOXERROR(owner_, "File : " + file + " gagal dibuat !\r\n" + e.what());
        return;
    }
    ui::BOXINFO(owner_, "Berhasil", "File : " + file + " berhasil dibuat !");
}

void WinImportSheets::fromSheets(const std::string& source, bool review) {
    namespace fs = std::filesystem;
    // A chosen CSV file stands for every CSV file of its folder.
    const fs::path path(source);
    const std::string from = xbase::equalsIgnoreCase(path.extension().string(), ".csv") ? path.parent_path().string() : source;
    templatetools::ColumnMapping mapping;
    try {
        std::error_code error;
        const bool kept = fs::is_regular_file(templatetools::defaultMappingFile(from), error);
        mapping = templatetools::mappingFor(from);
        if (!kept && !review)
            for (const templatetools::MappingSheet& sheet : mapping.sheets) review = review || !templatetools::needsNoReview(sheet);
        if (review && !reviewMapping(from, mapping)) return;
    } catch (const std::exception& e) {  // a kept mapping that does not fit, a source that is no workbook
        ui::BOXERROR(owner_, e.what());
        return;
    }
    auto run = [&](const sheets::ConversionOptions& options) {
        ui::interaction().openProgress(owner_);
        sheets::SheetsToTablesOutcome outcome =
            templatetools::templatesFromSheets(owner_, from, owner_->CLOKASIIMP(), options, &mapping);
        ui::interaction().closeProgress();
        return outcome;
    };
    sheets::SheetsToTablesOutcome outcome = run({});
    // Texts too long for their columns are the only problem: they may be cut instead, as warnings.
    if (outcome.status == sheets::SheetsToTablesOutcome::Status::Refused && outcome.problems.onlyErrorsOf(sheets::kTextTooLong) &&
        ui::BOXASK(owner_, "Tarvo-Import",
                   std::to_string(outcome.problems.errorCount()) +
                       " isian lebih panjang dari lebar kolomnya. Potong isian itu sesuai lebar kolom dan buat file templatenya?",
                   2))
        outcome = run({.truncate = true});

    std::vector<std::string> lines = outcome.problems.lines();
    switch (outcome.status) {
        case sheets::SheetsToTablesOutcome::Status::Declined:
        case sheets::SheetsToTablesOutcome::Status::Checked:  // not asked for here
            return;
        case sheets::SheetsToTablesOutcome::Status::Refused:
            lines.insert(lines.end(), outcome.notes.begin(), outcome.notes.end());
            showList(QStringLiteral("Tarvo-Import"),
                     QStringLiteral("Tidak ada file template yang ditulis. Perbaiki isian berikut, lalu coba lagi:"), lines);
            return;
        case sheets::SheetsToTablesOutcome::Status::Written: {
            std::vector<std::string> report;
            for (const auto& table : outcome.tables)
                report.push_back(owner_->CLOKASIIMP() + table.name + ": " + std::to_string(table.rows) + " baris, " +
                                 std::to_string(table.columns.size()) + " kolom");
            if (lines.empty() && outcome.notes.empty()) {
                std::string text = "File template berhasil dibuat :";
                for (const std::string& line : report) text += "\r\n" + line;
                ui::BOXINFO(owner_, "Berhasil", text);
                return;
            }
            report.insert(report.end(), outcome.notes.begin(), outcome.notes.end());
            report.insert(report.end(), lines.begin(), lines.end());
            showList(QStringLiteral("Berhasil"), QStringLiteral("File template berhasil dibuat. Catatan:"), report);
            return;
        }
    }
}

}  // namespace tarvo::gui
