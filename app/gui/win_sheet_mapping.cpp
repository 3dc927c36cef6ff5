#include "app/gui/win_sheet_mapping.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/gui/gui_utilities.h"
#include "app/gui/win_import_info.h"
#include "app/gui/win_import_sheets.h"
#include "sheets/cell_conversion.h"
#include "templatetools/column_catalogue.h"
#include "templatetools/mapping_preview.h"
#include "templatetools/templates_from_sheets.h"
#include "ui/user_interaction.h"

namespace tarvo::gui {

namespace {

// Values shown under "Isi pertama".
constexpr size_t kFirstValues = 3;

enum ColumnsColumn { kLetter, kHeader, kFirstValuesColumn, kField };

}  // namespace

WinSheetMapping::WinSheetMapping(WinImportInfo* owner, std::string source, std::string folder,
                                 std::vector<templatetools::SheetHead> heads, templatetools::ColumnMapping mapping)
    : QDialog(owner), owner_(owner), source_(std::move(source)), folder_(std::move(folder)), heads_(std::move(heads)) {
    // One entry per sheet, in the source's order: the given one, or the proposal.
    for (const templatetools::SheetHead& head : heads_) {
        const templatetools::MappingSheet* given = mapping.find(head.name);
        mapping_.sheets.push_back(given ? *given : templatetools::mappingOf(templatetools::proposeSheet(head.name, head.rows)));
    }
    setWindowTitle(QStringLiteral("Cocokkan Kolom - ") + qt(source_));
    setModal(true);
    resize(900, 640);

    SHEET = new QComboBox(this);
    for (const templatetools::SheetHead& head : heads_) SHEET->addItem(qt(head.name));
    TEMPLATE = new QComboBox(this);
    TEMPLATE->addItem(QStringLiteral("(tidak dipakai)"), QString());
    for (const templatetools::CataloguePage& page : templatetools::catalogue()) {
        TEMPLATE->addItem(qt(page.fileName), qt(page.templateName()));
        TEMPLATE->setItemData(TEMPLATE->count() - 1, qt(page.title), Qt::ToolTipRole);
    }
    HEADERROW = new QSpinBox(this);
    HEADERROW->setRange(1, 1000000);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&Sheet:"), SHEET);
    form->addRow(QStringLiteral("&Template:"), TEMPLATE);
    form->addRow(QStringLiteral("Baris &judul kolom:"), HEADERROW);

    COLUMNS = new QTableWidget(0, 4, this);
    COLUMNS->setHorizontalHeaderLabels({QStringLiteral("Kolom"), QStringLiteral("Judul"), QStringLiteral("Isi pertama"),
                                        QStringLiteral("Kolom template")});
    COLUMNS->horizontalHeader()->setSectionResizeMode(kFirstValuesColumn, QHeaderView::Stretch);
    COLUMNS->verticalHeader()->hide();
    COLUMNS->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MISSING = new QLabel(this);
    MISSING->setWordWrap(true);
    PREVIEW = new QTableWidget(this);
    PREVIEW->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PROBLEMS = new QLabel(this);
    PROBLEMS->setWordWrap(true);
    PROBLEMS->setTextInteractionFlags(Qt::TextSelectableByMouse);
    PROBLEMS->setStyleSheet(QStringLiteral("color: #c00000"));

    BUTTONSAVE = new QPushButton(QStringLiteral("&Simpan"), this);
    BUTTONSAVE->setToolTip(QStringLiteral("Simpan pemetaan kolom di samping workbook, untuk dipakai lagi"));
    BUTTONCHECK = new QPushButton(QStringLiteral("&Periksa"), this);
    BUTTONCHECK->setToolTip(QStringLiteral("Periksa semua isian tanpa menulis file template"));
    BUTTONREAD = new QPushButton(QStringLiteral("&Ambil"), this);
    BUTTONREAD->setToolTip(QStringLiteral("Buat file template dari workbook dengan pemetaan ini"));
    BUTTONCANCEL = new QPushButton(QStringLiteral("&Batal"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(BUTTONSAVE);
    buttons->addWidget(BUTTONCHECK);
    buttons->addStretch();
    buttons->addWidget(BUTTONREAD);
    buttons->addWidget(BUTTONCANCEL);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(COLUMNS, 3);
    layout->addWidget(MISSING);
    layout->addWidget(new QLabel(QStringLiteral("Contoh hasil (baris pertama):"), this));
    layout->addWidget(PREVIEW, 2);
    layout->addWidget(PROBLEMS);
    layout->addLayout(buttons);

    showList = [this](const QString& title, const QString& heading, const std::vector<std::string>& lines) {
        WinSheetProblems(this, title, heading, lines).exec();
    };
    connect(SHEET, &QComboBox::currentIndexChanged, this, [this] { showSheet(); });
    connect(TEMPLATE, &QComboBox::currentIndexChanged, this, [this] {
        if (filling_) return;
        current().templateName = TEMPLATE->currentData().toString().toStdString();
        proposeColumns();
    });
    connect(HEADERROW, &QSpinBox::valueChanged, this, [this](int row) {
        if (filling_) return;
        current().headerRow = row;
        proposeColumns();
    });
    connect(BUTTONSAVE, &QPushButton::clicked, this, &WinSheetMapping::save);
    connect(BUTTONCHECK, &QPushButton::clicked, this, &WinSheetMapping::check);
    connect(BUTTONREAD, &QPushButton::clicked, this, &QDialog::accept);
    connect(BUTTONCANCEL, &QPushButton::clicked, this, &QDialog::reject);
    showSheet();
}

templatetools::MappingSheet& WinSheetMapping::current() { return mapping_.sheets[static_cast<size_t>(std::max(0, SHEET->currentIndex()))]; }

const templatetools::SheetHead& WinSheetMapping::currentHead() const {
    return heads_[static_cast<size_t>(std::max(0, SHEET->currentIndex()))];
}

QComboBox* WinSheetMapping::fieldBox(int row) const { return qobject_cast<QComboBox*>(COLUMNS->cellWidget(row, kField)); }

void WinSheetMapping::showSheet() {
    if (heads_.empty()) return;
    filling_ = true;
    const templatetools::MappingSheet& sheet = current();
    const templatetools::SheetHead& head = currentHead();
    TEMPLATE->setCurrentIndex(std::max(0, TEMPLATE->findData(qt(sheet.templateName))));
    HEADERROW->setValue(static_cast<int>(sheet.headerRow));
    const templatetools::CataloguePage* page =
        sheet.templateName.empty() ? nullptr : templatetools::findCataloguePage(sheet.templateName);

    COLUMNS->setRowCount(static_cast<int>(sheet.columns.size()));
    for (int r = 0; r < COLUMNS->rowCount(); ++r) {
        const templatetools::MappingColumn& column = sheet.columns[static_cast<size_t>(r)];
        int at = -1;
        long unused = 0;
        sheets::parseCellReference(column.letter + "1", at, unused);
        std::string values;
        size_t count = 0;
        for (const sheets::Row& row : head.rows) {
            if (row.number <= sheet.headerRow || count == kFirstValues) continue;
            const sheets::Cell* cell = at >= 0 ? row.cell(at) : nullptr;
            if (!cell) continue;
            values += (count++ ? ", " : "") + sheets::cellText(*cell);
        }
        COLUMNS->setItem(r, kLetter, new QTableWidgetItem(qt(column.letter)));
        COLUMNS->setItem(r, kHeader, new QTableWidgetItem(qt(column.header)));
        COLUMNS->setItem(r, kFirstValuesColumn, new QTableWidgetItem(qt(values)));
        auto* box = new QComboBox(COLUMNS);
        box->addItem(QStringLiteral("(dilewati)"), QString());
        if (page)
            for (const templatetools::CatalogueRow& row : page->rows) {
                box->addItem(qt(row.field) + (row.mandatory ? QStringLiteral(" *") : QString()), qt(row.field));
                box->setItemData(box->count() - 1, qt(row.description), Qt::ToolTipRole);
            }
        box->setCurrentIndex(std::max(0, box->findData(qt(column.field))));
        box->setToolTip(box->itemData(box->currentIndex(), Qt::ToolTipRole).toString());
        box->setEnabled(page != nullptr);
        connect(box, &QComboBox::currentIndexChanged, this, [this, r] { fieldChosen(r); });
        COLUMNS->setCellWidget(r, kField, box);
    }
    COLUMNS->resizeColumnToContents(kLetter);
    COLUMNS->resizeColumnToContents(kHeader);
    COLUMNS->setColumnWidth(kField, 160);
    filling_ = false;
    showPreview();
}

void WinSheetMapping::proposeColumns() {
    templatetools::MappingSheet& sheet = current();
    const templatetools::SheetHead& head = currentHead();
    templatetools::SheetProposal proposal;
    proposal.sheet = sheet.sheet;
    proposal.headerRow = sheet.headerRow;
    proposal.page = sheet.templateName.empty() ? nullptr : templatetools::findCataloguePage(sheet.templateName);
    for (const sheets::Row& row : head.rows) {
        if (row.number != sheet.headerRow) continue;
        if (proposal.page) {
            proposal.columns = templatetools::matchColumns(row, *proposal.page);
        } else {
            for (const sheets::Cell& cell : row.cells)
                if (!sheets::cellText(cell).empty()) proposal.columns.push_back({cell.column, sheets::cellText(cell), "", {}});
        }
    }
    sheet = templatetools::mappingOf(proposal);
    showSheet();
}

void WinSheetMapping::fieldChosen(int row) {
    if (filling_) return;
    templatetools::MappingSheet& sheet = current();
    const std::string field = fieldBox(row)->currentData().toString().toStdString();
    sheet.columns[static_cast<size_t>(row)].field = field;
    fieldBox(row)->setToolTip(fieldBox(row)->itemData(fieldBox(row)->currentIndex(), Qt::ToolTipRole).toString());
    // A template column goes to one sheet column: the one it was given to before lets it go.
    filling_ = true;
    for (int r = 0; r < COLUMNS->rowCount(); ++r)
        if (r != row && !field.empty() && sheet.columns[static_cast<size_t>(r)].field == field) {
            sheet.columns[static_cast<size_t>(r)].field.clear();
            fieldBox(r)->setCurrentIndex(0);
        }
    filling_ = false;
    showPreview();
}

void WinSheetMapping::showPreview() {
    const templatetools::SheetPreview preview = templatetools::previewSheet(currentHead(), current());
    PREVIEW->clear();
    PREVIEW->setColumnCount(static_cast<int>(preview.fields.size()));
    PREVIEW->setRowCount(static_cast<int>(preview.rows.size()));
    QStringList fields, rows;
    for (const std::string& field : preview.fields) fields << qt(field);
    for (const long row : preview.rows) rows << QString::number(row);
    PREVIEW->setHorizontalHeaderLabels(fields);
    PREVIEW->setVerticalHeaderLabels(rows);
    QStringList problems;
    for (size_t r = 0; r < preview.cells.size(); ++r)
        for (size_t c = 0; c < preview.cells[r].size(); ++c) {
            const templatetools::PreviewCell& cell = preview.cells[r][c];
            auto* item = new QTableWidgetItem(qt(cell.text));
            if (!cell.problem.empty()) {
                item->setBackground(QColor(255, 176, 176));
                item->setToolTip(qt(cell.problem));
                problems << qt(cell.problem);
            }
            PREVIEW->setItem(static_cast<int>(r), static_cast<int>(c), item);
        }
    PREVIEW->resizeColumnsToContents();
    PROBLEMS->setText(problems.join('\n'));
    if (current().templateName.empty()) {
        MISSING->setText(QStringLiteral("Sheet ini tidak dipakai."));
        MISSING->setStyleSheet(QString());
    } else if (preview.missingMandatory.empty()) {
        MISSING->setText(QStringLiteral("Semua kolom wajib sudah ada."));
        MISSING->setStyleSheet(QString());
    } else {
        QString names;
        for (const std::string& field : preview.missingMandatory) names += (names.isEmpty() ? "" : ", ") + qt(field);
        MISSING->setText(QStringLiteral("Kolom wajib belum dipilih: ") + names);
        MISSING->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold"));
    }
}

void WinSheetMapping::save() {
    const std::string file = templatetools::defaultMappingFile(source_).string();
    try {
        templatetools::writeMappingFile(file, mapping_);
    } catch (const templatetools::MappingError& e) {
        ui::BOXERROR(owner_, e.what());
        return;
    }
    ui::BOXINFO(owner_, "Berhasil", "Pemetaan kolom disimpan : " + file);
}

void WinSheetMapping::check() {
    ui::interaction().openProgress(owner_);
    const sheets::SheetsToTablesOutcome outcome = templatetools::templatesFromSheets(owner_, source_, folder_, {}, &mapping_, true);
    ui::interaction().closeProgress();
    std::vector<std::string> lines;
    if (outcome.status == sheets::SheetsToTablesOutcome::Status::Checked)
        for (const auto& table : outcome.tables)
            lines.push_back(table.name + ": " + std::to_string(table.rows) + " baris, " + std::to_string(table.columns.size()) + " kolom");
    const std::vector<std::string> problems = outcome.problems.lines();
    lines.insert(lines.end(), problems.begin(), problems.end());
    lines.insert(lines.end(), outcome.notes.begin(), outcome.notes.end());
    showList(QStringLiteral("Periksa"),
             outcome.status == sheets::SheetsToTablesOutcome::Status::Checked
                 ? QStringLiteral("Semua isian lolos pemeriksaan. Belum ada file yang ditulis.")
                 : QStringLiteral("Isian berikut perlu diperbaiki. Belum ada file yang ditulis:"),
             lines);
}

}  // namespace tarvo::gui
