#include "app/gui/win_import_reject.h"

#include <QLabel>
#include <QTreeWidget>

#include "app/gui/dialog_units.h"
#include "app/gui/gui_utilities.h"
#include "app/gui/list_view.h"

namespace tarvo::gui {

WinImportReject::WinImportReject(QWidget* owner, const std::filesystem::path& rejectFile)
    : QDialog(owner), file_(rejectFile, this) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                   Qt::WindowCloseButtonHint);
    const QFont font = dialogFont(QStringLiteral("MS Shell Dlg"), 8);
    setFont(font);
    const DialogUnits du(font);
    resize(du.size(392, 222));
    setWindowTitle(QStringLiteral("Record yang ditolak"));

    // Beside the program the file needs no path; elsewhere (the user's data folder of an installed
    // program) the text names the file in full. The tip always does.
    const QString file = qt(file_.path().string());
    const bool besideProgram = file_.path().parent_path() == xbase::executableFolder();
    info_ = new QLabel(QStringLiteral("Record yang ditolak... (Dapat dicek di file %1)")
                           .arg(besideProgram ? QStringLiteral("Reject.txt") : file),
                       this);
    info_->setToolTip(file);
    info_->setGeometry(du.rect(2, 2, 387, 15));
    info_->setAlignment(Qt::AlignCenter);
    info_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    info_->setFont(dialogFont(QStringLiteral("Verdana"), 8));
    info_->setAutoFillBackground(true);
    QPalette palette = info_->palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0xF2, 0xCC));
    palette.setColor(QPalette::WindowText, QColor(0x80, 0x00, 0x00));
    info_->setPalette(palette);

    list_ = newReportList(this);
    list_->setGeometry(du.rect(2, 17, 387, 204));
    POSTINIT();
}

void WinImportReject::POSTINIT() {
    NEWLVCOLUMN(list_, QStringLiteral("KETERANGAN"), QStringLiteral("Keterangan"), 10, 1);
    NEWLVCOLUMN(list_, QStringLiteral("KODE1"), QStringLiteral("Kode"), 13, 1);
    NEWLVCOLUMN(list_, QStringLiteral("NAMA1"), QStringLiteral("Nama"), 15, 1);
    NEWLVCOLUMN(list_, QStringLiteral("RECNO1"), QStringLiteral("#Rec"), 5, 3);
    NEWLVCOLUMN(list_, QStringLiteral("KODE2"), QStringLiteral("Kode (Data)"), 13, 1);
    NEWLVCOLUMN(list_, QStringLiteral("NAMA2"), QStringLiteral("Nama (Data)"), 15, 1);
    NEWLVCOLUMN(list_, QStringLiteral("RECNO2"), QStringLiteral("#Rec"), 5, 3);
}

void WinImportReject::KODESAMA(const importing::DuplicateList& entries) {
    load(entries, importing::kCodeDuplicateCaption);
}

void WinImportReject::NAMASAMA(const importing::DuplicateList& entries) {
    load(entries, importing::kNameDuplicateCaption);
}

void WinImportReject::load(const importing::DuplicateList& entries, const char* caption) {
    importing::loadRejectList(entries, caption, [this](const importing::RejectRow& row) {
        auto* item = new QTreeWidgetItem(list_);
        setLvText(item, list_, QStringLiteral("KETERANGAN"), qt(row.caption));
        setLvText(item, list_, QStringLiteral("KODE1"), qt(row.newCode));
        setLvText(item, list_, QStringLiteral("KODE2"), qt(row.existingCode));
        setLvText(item, list_, QStringLiteral("NAMA1"), qt(row.newName));
        setLvText(item, list_, QStringLiteral("NAMA2"), qt(row.existingName));
        setLvText(item, list_, QStringLiteral("RECNO1"), QString::number(row.templateRecno));
        setLvText(item, list_, QStringLiteral("RECNO2"), QString::number(row.stockRecno));
        file_.write(row);
    });
}

void WinImportReject::SHOW() {
    file_.close();
    exec();
}

void WinImportReject::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    // The info line keeps its height and follows the width; the list takes the rest.
    const int margin = info_->x();
    info_->resize(width() - 2 * margin, info_->height());
    list_->setGeometry(margin, list_->y(), width() - 2 * margin, height() - list_->y() - margin);
}

}  // namespace tarvo::gui
