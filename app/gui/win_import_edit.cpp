#include "app/gui/win_import_edit.h"

#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>

#include "app/gui/dialog_units.h"
#include "app/gui/gui_utilities.h"
#include "retaildb/file_routines.h"
#include "xbase/blanks.h"
#include "xbase/error.h"
#include "xbase/file_names.h"

namespace tarvo::gui {

namespace {

constexpr int kPageWidth = 382;
constexpr int kPageHeight = 200;

QPushButton* button(QWidget* parent, const char* text, QRect rect) {
    auto* control = new QPushButton(QString::fromLatin1(text), parent);
    control->setGeometry(rect);
    control->setAutoDefault(false);
    return control;
}

}  // namespace

WinFilter::WinFilter(QWidget* owner) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Setting Filter"));
    setFont(dialogFont(QStringLiteral("Verdana"), 8));
    const DialogUnits du(font());
    setFixedSize(du.size(341, 41));
    FILTER = new QLineEdit(this);
    FILTER->setGeometry(du.rect(5, 4, 331, 13));
    BUTTONSET_ = button(this, "Set Filter", du.rect(5, 21, 80, 15));
    BUTTONCLEAR_ = button(this, "Clear Filter", du.rect(90, 21, 80, 15));
    connect(BUTTONSET_, &QPushButton::clicked, this, &WinFilter::BUTTONSET);
    connect(BUTTONCLEAR_, &QPushButton::clicked, this, &WinFilter::BUTTONCLEAR);
}

void WinFilter::setCFILTER(const std::string& filter) {
    filter_ = filter;
    FILTER->setText(qt(filter));
}

void WinFilter::BUTTONSET() {
    filter_ = std::string(xbase::trimmed(FILTER->text().toStdString()));
    done(1);
}

void WinFilter::BUTTONCLEAR() {
    filter_.clear();
    done(1);
}

WinKolomPilih::WinKolomPilih(QWidget* owner, const xbase::Table& table) : QDialog(owner) {
    setWindowTitle(QStringLiteral("Kolom"));
    setFont(dialogFont(QStringLiteral("Verdana"), 8));
    const DialogUnits du(font());
    setFixedSize(du.size(115, 250));
    BBROWSER1 = new QListWidget(this);
    BBROWSER1->setGeometry(du.rect(2, 4, 110, 224));
    for (const xbase::FieldInfo& field : table.structure()) BBROWSER1->addItem(qt(field.name.substr(0, 10)));
    BBROWSER1->setCurrentRow(0);
    BUTTONPILIH_ = button(this, "Pilih", du.rect(2, 231, 110, 15));
    connect(BUTTONPILIH_, &QPushButton::clicked, this, &WinKolomPilih::BUTTONPILIH);
    connect(BBROWSER1, &QListWidget::itemDoubleClicked, this, &WinKolomPilih::BUTTONPILIH);
}

void WinKolomPilih::BUTTONPILIH() {
    if (QListWidgetItem* item = BBROWSER1->currentItem()) chosen_ = item->text().toStdString();
    done(1);
}

_WinImportEdit::_WinImportEdit(WinImportEdit* owner, const templatetools::EditorPage& page, const std::string& path)
    : QWidget(nullptr), owner_(owner), page_(page), file_(path) {
    setObjectName(qt(page.pageClass));
    const DialogUnits du(owner->font());
    resize(du.size(kPageWidth, kPageHeight));
    INFOTEXT = new QLabel(qt(path), this);
    INFOTEXT->setAlignment(Qt::AlignCenter);
    INFOTEXT->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    BUTTONZAP_ = button(this, "Zap", du.rect(2, 2, 27, 15));
    BUTTONPACK_ = button(this, "Pack", du.rect(29, 2, 26, 15));
    BUTTONFILTER_ = button(this, "Filter", du.rect(56, 2, 26, 15));

    BBROWSER1 = new QTableView(this);
    BBROWSER1->setFont(dialogFont(QStringLiteral("Tahoma"), 8));
    BBROWSER1->horizontalHeader()->setFont(dialogFont(QStringLiteral("Verdana"), 8));
    BBROWSER1->verticalHeader()->hide();
    BBROWSER1->verticalHeader()->setDefaultSectionSize(QFontMetrics(BBROWSER1->font()).height() + 6);
    BBROWSER1->setSelectionBehavior(QAbstractItemView::SelectItems);
    BBROWSER1->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                               QAbstractItemView::AnyKeyPressed);
    BBROWSER1->setItemDelegate(new FieldWidthDelegate(BBROWSER1));
    QPalette palette = BBROWSER1->palette();
    palette.setColor(QPalette::Base, QColor(page.grid.red, page.grid.green, page.grid.blue));
    BBROWSER1->setPalette(palette);

    MENUDBU = new QMenu(QStringLiteral("DBU"), this);
    connect(MENUDBU->addAction(QStringLiteral("Tambah Record")), &QAction::triggered, this, &_WinImportEdit::BROWSERTAMBAH);
    connect(MENUDBU->addAction(QStringLiteral("Hapus/Recall Record")), &QAction::triggered, this, &_WinImportEdit::BROWSERHAPUS);
    connect(MENUDBU->addAction(QStringLiteral("Recall All")), &QAction::triggered, this, &_WinImportEdit::BROWSERRECALLALL);
    MENUDBU->addSeparator();
    connect(MENUDBU->addAction(QStringLiteral("Paste From Clipboard")), &QAction::triggered, this,
            &_WinImportEdit::BROWSERPASTECLIPBOARD);
    BBROWSER1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(BBROWSER1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { MENUDBU->popup(BBROWSER1->viewport()->mapToGlobal(at)); });

    connect(BUTTONZAP_, &QPushButton::clicked, this, &_WinImportEdit::BUTTONZAP);
    connect(BUTTONPACK_, &QPushButton::clicked, this, &_WinImportEdit::BUTTONPACK);
    connect(BUTTONFILTER_, &QPushButton::clicked, this, &_WinImportEdit::BUTTONFILTER);
    OPENFILE();
}

_WinImportEdit::~_WinImportEdit() = default;

std::string _WinImportEdit::LOKASIIMPORT() const { return owner_->CLOKASIIMP(); }

void _WinImportEdit::OPENFILE() {
    if (!model_) {
        model_ = new TemplateTableModel(file_, this);
        BBROWSER1->setModel(model_);
    } else {
        model_->reload();
    }
    // The record-number column first, narrow; the fields as wide as their values allow.
    const QFontMetrics metrics(BBROWSER1->font());
    BBROWSER1->setColumnWidth(0, metrics.horizontalAdvance(QStringLiteral("0000000")) + 8);
    if (xbase::Table* table = file_.table()) {
        for (int field = 1; field <= table->fieldCount(); ++field) {
            const int characters = std::clamp(std::max<int>(table->field(field).length, table->field(field).name.size()), 4, 40);
            BBROWSER1->setColumnWidth(field, metrics.averageCharWidth() * characters + 12);
        }
    }
}

uint32_t _WinImportEdit::currentRecno() const {
    const QModelIndex current = BBROWSER1->currentIndex();
    return current.isValid() ? model_->recnoAt(current.row()) : 0;
}

void _WinImportEdit::goToRecno(uint32_t recno) {
    const int row = model_->rowOf(recno);
    if (row < 0) return;
    const int column = std::max(BBROWSER1->currentIndex().column(), 0);
    BBROWSER1->setCurrentIndex(model_->index(row, column));
    BBROWSER1->scrollTo(model_->index(row, column));
}

void _WinImportEdit::BROWSERTAMBAH() {
    goToRecno(model_->appendRecord());
}

void _WinImportEdit::BROWSERHAPUS() {
    const uint32_t recno = currentRecno();
    if (recno == 0) return;
    if (file_.BROWSERHAPUS(this, recno)) model_->recordChanged(recno);
}

void _WinImportEdit::BROWSERRECALLALL() {
    if (!file_.BROWSERRECALLALL(this)) return;
    model_->reload();
    if (model_->rowCount() > 0) BBROWSER1->setCurrentIndex(model_->index(0, 0));
}

void _WinImportEdit::BUTTONZAP() {
    const bool done = file_.BUTTONZAP(this);
    OPENFILE();
    (void)done;
}

void _WinImportEdit::BUTTONPACK() {
    const bool done = file_.BUTTONPACK(this);
    OPENFILE();
    (void)done;
}

void _WinImportEdit::BUTTONFILTER() {
    WinFilter dialog(this);
    dialog.setCFILTER(file_.CFILTER());
    if (dialog.exec() != 1) return;
    file_.setFilter(this, dialog.CFILTER());
    model_->reload();
    if (model_->rowCount() > 0) BBROWSER1->setCurrentIndex(model_->index(0, 0));
}

void _WinImportEdit::BROWSERPASTECLIPBOARD() {
    if (!file_.table()) return;
    WinKolomPilih chooser(this, *file_.table());
    if (chooser.exec() != 1) return;
    const std::string field(xbase::trimmed(chooser.CFIELDPILIH()));
    if (field.empty()) return;
    pasteText(field, VOCLIPBOARDGET().toStdString());
}

void _WinImportEdit::pasteText(const std::string& field, const std::string& text) {
    ui::UserInteraction& ui = ui::interaction();
    ui.openProgress(this);
    ui.progressText(1, "Getting data from clipboard...");
    const uint32_t start = currentRecno();
    uint32_t back = start;
    model_->changeAll([&] { back = file_.pasteColumn(this, field, text, start); });
    goToRecno(back);
    ui.closeProgress();
}

void _WinImportEdit::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const DialogUnits du(owner_->font());
    INFOTEXT->setGeometry(du.x(85), 0, width() - du.x(85), du.y(19));
    BBROWSER1->setGeometry(0, du.y(19), width(), height() - du.y(19));
}

WinImportEdit::WinImportEdit(QWidget* owner, const std::string& folder) : QDialog(owner), folder_(folder) {
    setWindowTitle(QStringLiteral("Edit file import table"));
    setWindowIcon(QApplication::windowIcon());
    setFont(dialogFont(QStringLiteral("Verdana"), 8));
    setModal(true);
    setSizeGripEnabled(true);
    const DialogUnits du(font());
    resize(du.size(392, 221));
    TABCONTROL1 = new QTabWidget(this);
    INFO = new QLabel(QStringLiteral("Field TANGGAL -> YYYYMMDD"), this);
    INFO->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    INFO->setMinimumWidth(du.x(117));
    // At the top right, beside the tabs rather than over them.
    TABCONTROL1->setCornerWidget(INFO, Qt::TopRightCorner);
    _WinImportEdit* first = nullptr;
    for (const templatetools::EditorPage& page : templatetools::editorPages()) {
        const std::string path = xbase::findIgnoringCase(folder, page.fileName).string();
        if (!retaildb::VOFILE(path)) continue;
        _WinImportEdit* tab = nullptr;
        try {
            tab = new _WinImportEdit(this, page, path);
        } catch (const xbase::Error& e) {
            // A file that cannot be opened gets no page; the others stay usable.
            ui::BOXERROR(this, e.what());
            continue;
        }
        TABCONTROL1->addTab(tab, qt(page.tabCaption));
        pages_.push_back(tab);
        if (!first) first = tab;
    }
    if (first) TABCONTROL1->setCurrentWidget(first);
}

_WinImportEdit* WinImportEdit::editPage(const std::string& fileName) const {
    for (_WinImportEdit* page : pages_)
        if (page->page().fileName == fileName) return page;
    return nullptr;
}

void WinImportEdit::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const DialogUnits du(font());
    TABCONTROL1->setGeometry(0, du.y(2), width(), height() - du.y(2));
}

}  // namespace tarvo::gui
