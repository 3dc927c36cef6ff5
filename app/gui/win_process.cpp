#include "app/gui/win_process.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include "app/gui/dialog_units.h"

namespace tarvo::gui {

namespace {

QLabel* statusLine(QWidget* parent, const QRect& rect) {
    auto* line = new QLabel(QStringLiteral("..."), parent);
    line->setGeometry(rect);
    line->setAlignment(Qt::AlignCenter);
    line->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, QColor(0xFF, 0xFF, 0xE8));
    palette.setColor(QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    line->setPalette(palette);
    return line;
}

}  // namespace

WinProcess::WinProcess(QWidget* owner) : QDialog(owner) {
    const QFont font = dialogFont(QStringLiteral("MS Shell Dlg"), 8);
    setFont(font);
    const DialogUnits units(font);
    setWindowTitle(QStringLiteral("Dialog Window"));
    setFixedSize(units.size(263, 66));
    auto* frame = new QGroupBox(this);
    frame->setGeometry(units.rect(2, 0, 259, 64));
    info1_ = statusLine(this, units.rect(13, 14, 237, 15));
    info2_ = statusLine(this, units.rect(13, 29, 237, 15));
    bar_ = new QProgressBar(this);
    bar_->setGeometry(units.rect(13, 46, 237, 8));
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    batal_ = new QPushButton(QStringLiteral("Batal"), this);
    batal_->setGeometry(units.rect(2, 66, 259, 17));
    batal_->setVisible(false);
    batal_->setEnabled(false);
    connect(batal_, &QPushButton::clicked, this, &WinProcess::BUTTONBATAL);
    POSTINIT();
}

void WinProcess::POSTINIT() {
    setWindowTitle(QStringLiteral("TarvoSoft"));
    info1_->setText(QStringLiteral("TarvoSoft Indonesia"));
    cancelled_ = false;
    batal_->setText(QStringLiteral("Batal"));
}

void WinProcess::Show() {
    show();
    repaint();
}

bool WinProcess::setSHOWBUTTONBATAL(bool show) {
    if (show) {
        setFixedSize(width(), height() + batal_->height() + 5);
        batal_->setVisible(true);
        batal_->setEnabled(true);
    }
    return show;
}

void WinProcess::BUTTONBATAL() {
    if (cancelled_ || (confirm_ && !confirm_())) return;
    cancelled_ = true;
    if (confirm_) batal_->setEnabled(false);
}

bool WinProcess::cancelOffered() const { return !ending_ && batal_->isVisible() && batal_->isEnabled(); }

void WinProcess::closeEvent(QCloseEvent* event) {
    if (!cancelOffered()) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    BUTTONBATAL();
}

void WinProcess::reject() {
    if (cancelOffered()) BUTTONBATAL();
    else if (!batal_->isVisible()) QDialog::reject();
}

void WinProcess::EndDialog() {
    ending_ = true;
    done(0);
}

}  // namespace tarvo::gui
