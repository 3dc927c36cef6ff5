#include "app/gui/win_import_info.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>

#include "app/gui/dialog_units.h"
#include "app/gui/gui_utilities.h"
#include "app/gui/list_view.h"
#include "app/gui/win_import_sheets.h"
#include "templatetools/template_creation.h"

namespace tarvo::gui {

namespace {

using templatetools::CataloguePage;

QColor colour(const templatetools::Rgb& rgb) { return QColor(rgb.red, rgb.green, rgb.blue); }

// Page layout in dialog units; the page grows and shrinks with the tab window.
constexpr int kPageWidth = 382;
constexpr int kPageHeight = 200;
// The strip below the tabs that holds the spreadsheet buttons, in dialog units.
constexpr int kSheetsStrip = 18;

const char* const kExplanation =
    "Ini adalah format file-file table (DBF) yang dibutuhkan untuk bisa import data ke aplikasi Tarvo-Akuntansi 2008\r\n"
    "\r\n"
    "File table yang wajib ada adalah file: Item.dbf yang berupa table daftar nama barang/item.\r\n"
    "\r\n"
    "Field-field Mata Uang disingkat menjadi MU (contoh MU_HBELI : Mata Uang Harga Beli) diisi dengan angka.\r\n"
    "Angka 1 menunjukkan bahwa ini adalah Mata Uang Dasar (biasanya Mata Uang Rupiah).\r\n"
    "Mata Uang Dasar adalah mata uang yg menjadi dasar pelaporan nilai persediaan dan laba rugi,\r\n"
    "kemudian angka 2, 3, dstnya adalah mata uang asing / mata uang lainnya.";

// QLabel breaks lines at "\n"; the explanation keeps its CR LF in the text it is given.
QString shownText(const char* text) { return QString::fromUtf8(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")); }

}  // namespace

void InfoListView::mousePressEvent(QMouseEvent* event) {
    QTreeWidget::mousePressEvent(event);
    // A press beside every row leaves no row selected, as the press itself already shows.
    if (!indexAt(event->position().toPoint()).isValid()) clearSelection();
    emit mouseButtonDown();
}

void InfoListView::keyPressEvent(QKeyEvent* event) {
    QTreeWidget::keyPressEvent(event);
    // Posted, not sent: the page reads the selection once the key has been fully handled.
    if (QWidget* page = parentWidget()) QCoreApplication::postEvent(page, new QEvent(_WinImportInfo::kShowKeteranganEvent));
}

_WinImportInfo::_WinImportInfo(WinImportInfo* owner, const CataloguePage& page)
    : QWidget(nullptr), CFILENAME(page.fileName), owner_(owner), page_(page) {
    setObjectName(qt(page.pageClass));
    const DialogUnits du(owner->font());
    resize(du.size(kPageWidth, kPageHeight));
    const QFont verdana = dialogFont(QStringLiteral("Verdana"), 8);

    BUTTONCREATE_ = new QPushButton(QStringLiteral("Create"), this);
    BUTTONCREATE_->setAutoDefault(false);
    ODCINFOTEXT = new QLabel(this);
    ODCINFOTEXT->setAlignment(Qt::AlignCenter);
    ODCINFOTEXT->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    ODCINFOTEXT->setWordWrap(true);
    LISTVIEW1 = new InfoListView(this);
    KETERANGAN = new QLabel(this);
    KETERANGAN->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    KETERANGAN->setWordWrap(true);
    KETERANGAN->setTextInteractionFlags(Qt::TextSelectableByMouse);
    INFOTEXT1 = new QLabel(QStringLiteral("Jika WAJIB DIISI tanda '*' berarti field/kolom ini tidak boleh kosong."), this);
    INFOTEXT2 = new QLabel(QStringLiteral("Jika WAJIB DIISI tidak ada tanda '*' berarti field/kolom ini boleh tidak ada."), this);
    for (QWidget* control : std::initializer_list<QWidget*>{ODCINFOTEXT, KETERANGAN, INFOTEXT1, INFOTEXT2, LISTVIEW1})
        control->setFont(verdana);

    // Base post-initialisation: check boxes, whole rows, the seven columns.
    setReportStyle(LISTVIEW1);
    LISTVIEW1->setSelectionMode(QAbstractItemView::SingleSelection);
    NEWLVCOLUMN(LISTVIEW1, QStringLiteral("NAMAFIELD"), QStringLiteral("NAMA FIELD"), 10, 1);
    NEWLVCOLUMN(LISTVIEW1, QStringLiteral("TIPE"), QStringLiteral("TIPE"), 5, 2);
    NEWLVCOLUMN(LISTVIEW1, QStringLiteral("LEN"), QStringLiteral("LEN"), 5, 3);
    NEWLVCOLUMN(LISTVIEW1, QStringLiteral("DECIMAL"), QStringLiteral("DEC"), 5, 3);
    NEWLVCOLUMN(LISTVIEW1, QStringLiteral("WAJIB"), QStringLiteral("WAJIB DIISI"), 10, 2);
    NEWLVCOLUMN(LISTVIEW1, QStringLiteral("DEFAULT"), QStringLiteral("DEFAULT"), 10, 1);
    NEWLVCOLUMN(LISTVIEW1, QStringLiteral("KETERANGAN"), QStringLiteral("Keterangan"), 200, 1);
    // The check box shares the first column with the field name: room for both.
    const int indicator = LISTVIEW1->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, LISTVIEW1) +
                          LISTVIEW1->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, LISTVIEW1);
    LISTVIEW1->setColumnWidth(0, LISTVIEW1->columnWidth(0) + indicator);

    // The page's own post-initialisation: title, colours, rows.
    ODCINFOTEXT->setText(qt(page.title));
    QPalette palette = LISTVIEW1->palette();
    palette.setColor(QPalette::Base, colour(page.background));
    palette.setColor(QPalette::AlternateBase, colour(page.background));
    LISTVIEW1->setPalette(palette);
    if (page.pageClass == "WINIMPORTINFO1") {
        ODCINFOTEXT->setAutoFillBackground(true);
        QPalette title = ODCINFOTEXT->palette();
        title.setColor(QPalette::Window, colour(page.background));
        ODCINFOTEXT->setPalette(title);
    }
    for (const templatetools::CatalogueRow& row : page.rows)
        LVADD(row.field, row.type, row.length, row.decimals, row.mandatory, row.shownDefault(), row.description);

    connect(BUTTONCREATE_, &QPushButton::clicked, this, &_WinImportInfo::BUTTONCREATE);
    connect(LISTVIEW1, &InfoListView::mouseButtonDown, this, &_WinImportInfo::SHOWKETERANGAN);
}

std::string _WinImportInfo::LOKASIIMPORT() const { return owner_->CLOKASIIMP(); }

void _WinImportInfo::LVADD(const std::string& field, char type, int length, int decimals, bool mandatory,
                           const std::string& defaultValue, const std::string& description) {
    auto* item = new QTreeWidgetItem();
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(0, Qt::Unchecked);
    const QBrush textBackground(colour(page_.textBackground));
    const std::vector<std::pair<const char*, QString>> values{
        {"NAMAFIELD", qt(field)},
        {"TIPE", QString(QChar::fromLatin1(type))},
        {"LEN", QString::number(length)},
        {"DECIMAL", QString::number(decimals)},
        {"WAJIB", mandatory ? QStringLiteral("*") : QStringLiteral(" ")},
        {"DEFAULT", qt(defaultValue)},
        {"KETERANGAN", qt(description)},
    };
    for (const auto& [name, text] : values) setLvText(item, LISTVIEW1, QString::fromLatin1(name), text);
    for (int column = 0; column < LISTVIEW1->columnCount(); ++column) item->setBackground(column, textBackground);
    LISTVIEW1->addTopLevelItem(item);
}

void _WinImportInfo::SHOWKETERANGAN() {
    const QList<QTreeWidgetItem*> selected = LISTVIEW1->selectedItems();
    if (selected.isEmpty()) {
        KETERANGAN->clear();
        return;
    }
    KETERANGAN->setText(selected.front()->text(lvColumnIndex(LISTVIEW1, QStringLiteral("KETERANGAN"))));
}

void _WinImportInfo::BUTTONCREATE() {
    QWidget* window = owner_;
    const QCursor previous = window->cursor();
    window->setCursor(Qt::BusyCursor);
    std::vector<bool> ticked;
    for (int i = 0; i < LISTVIEW1->topLevelItemCount(); ++i)
        ticked.push_back(LISTVIEW1->topLevelItem(i)->checkState(0) == Qt::Checked);
    templatetools::createTemplate(owner_, LOKASIIMPORT(), page_, ticked);
    window->setCursor(previous);
}

bool _WinImportInfo::event(QEvent* event) {
    if (event->type() == kShowKeteranganEvent) SHOWKETERANGAN();
    return QWidget::event(event);
}

void _WinImportInfo::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const DialogUnits du(owner_->font());
    const int dw = width() - du.x(kPageWidth);
    const int dh = height() - du.y(kPageHeight);
    auto place = [&](QWidget* control, QRect rect, bool growWidth, bool growHeight, bool followBottom) {
        rect.setWidth(rect.width() + (growWidth ? dw : 0));
        rect.setHeight(rect.height() + (growHeight ? dh : 0));
        if (followBottom) rect.moveTop(rect.top() + dh);
        control->setGeometry(rect);
    };
    place(BUTTONCREATE_, du.rect(0, 2, 60, 15), false, false, false);
    place(ODCINFOTEXT, du.rect(60, 0, 322, 19), true, false, false);
    place(LISTVIEW1, du.rect(0, 19, 382, 113), true, true, false);
    place(KETERANGAN, du.rect(0, 132, 382, 37), true, false, true);
    place(INFOTEXT1, du.rect(0, 169, 382, 15), true, false, true);
    place(INFOTEXT2, du.rect(0, 184, 382, 15), true, false, true);
}

WinImportInfo0::WinImportInfo0(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("WinImportInfo0"));
    const DialogUnits du(parent ? parent->font() : font());
    auto label = [&](const char* text, QRect rect) {
        auto* control = new QLabel(QString::fromUtf8(text), this);
        control->setGeometry(rect);
        control->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return control;
    };
    INFOTEXT = label("", du.rect(5, 4, 373, 89));
    INFOTEXT->setWordWrap(true);
    INFOTEXT->setText(shownText(kExplanation));
    QLabel* heading = label("PENJELASAN MENGENAI KOLOM :", du.rect(10, 95, 200, 9));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    // Each column name on the line of its explanation; the continuations follow on their own lines.
    const std::vector<std::pair<const char*, const char*>> lines{
        {"NAMA FIELD", "= NAMA KOLOM"},
        {"TIPE", "= JENIS DATA,"},
        {"", "jika 'C' artinya boleh semua huruf A-Z, a-z, 0-9"},
        {"", "jika 'N' artinya untuk jenis data nilai/value"},
        {"LEN", "= LEBAR DATA, jika angka 10, artinya tidak boleh melebihi 10 huruf/angka"},
        {"DEC", "= DECIMAL,"},
        {"", "jika TIPE 'N' ini utk menunjukkan angka desimal yg dibolehkan,"},
        {"", "misalkan angka 2, artinya nilai 950.78235 (hny diterima 950.78)"},
        {"WAJIB DIISI", "(cukup jelas), untuk field/kolom yang tidak wajib diisi, maka boleh tidak ada"},
        {"DEFAULT", "= NILAI YANG AKAN DIISI APABILA FIELD/KOLOM INI TIDAK ADA"},
        {"KETERANGAN", "= PENJELASAN YANG LEBIH RINCI"},
    };
    int y = 105;
    for (const auto& [name, explanation] : lines) {
        if (*name) label(name, du.rect(10, y, 55, 8));
        label(explanation, du.rect(*name ? 65 : 75, y, 310, 8));
        y += 8;
    }
}

WinImportInfo::WinImportInfo(QWidget* owner, const std::string& folder) : QDialog(owner), folder_(folder) {
    setWindowTitle(QStringLiteral("Informasi file import table"));
    setWindowIcon(QApplication::windowIcon());
    setFont(dialogFont(QStringLiteral("Verdana"), 8));
    setModal(true);
    const DialogUnits du(font());
    resize(du.size(392, 221 + kSheetsStrip));
    ODCTABCONTROL1 = new QTabWidget(this);
    ODCTABCONTROL1->setGeometry(du.rect(0, 2, 392, 219));
    OSHEETS = new WinImportSheets(this);
    OSHEETS->setGeometry(du.rect(4, 222, 384, kSheetsStrip - 3));
    OTPWINIMPORTINFO0 = new WinImportInfo0(this);
    ODCTABCONTROL1->addTab(OTPWINIMPORTINFO0, QStringLiteral("Penjelasan"));
    ODCTABCONTROL1->setCurrentIndex(0);
    for (const CataloguePage& page : templatetools::catalogue()) {
        auto* tab = new _WinImportInfo(this, page);
        ODCTABCONTROL1->addTab(tab, qt(page.tabCaption));
        pages_.push_back(tab);
    }
    ODCTABCONTROL1->setCurrentIndex(0);
}

_WinImportInfo* WinImportInfo::templatePage(const std::string& fileName) const {
    for (_WinImportInfo* page : pages_)
        if (page->CFILENAME == fileName) return page;
    return nullptr;
}

void WinImportInfo::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const DialogUnits du(font());
    ODCTABCONTROL1->setGeometry(0, du.y(2), width(), height() - du.y(2 + kSheetsStrip));
    OSHEETS->setGeometry(du.x(4), height() - du.y(kSheetsStrip - 1), width() - du.x(8), du.y(kSheetsStrip - 3));
}

}  // namespace tarvo::gui
