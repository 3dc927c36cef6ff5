#include "app/gui/qt_interaction.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>

#include "app/gui/gui_utilities.h"
#include "app/gui/window_mdb_connection.h"
#include "ui/stop_request.h"

namespace tarvo::gui {

namespace {

// While a box is up the pointer is the normal arrow, even in the middle of busy work.
class NormalPointer {
public:
    NormalPointer() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~NormalPointer() { QApplication::restoreOverrideCursor(); }
};

// A box over its owner; without one it blocks every window of the program.
void showBox(QMessageBox& box, QWidget* owner) {
    if (!owner) box.setWindowModality(Qt::ApplicationModal);
    NormalPointer pointer;
    box.exec();
}

int replyCode(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Yes: return ui::kReplyYes;
        case QMessageBox::No: return ui::kReplyNo;
        case QMessageBox::Ok: return ui::kReplyOk;
        case QMessageBox::Cancel: return ui::kReplyCancel;
        case QMessageBox::Abort: return ui::kReplyAbort;
        case QMessageBox::Retry: return ui::kReplyRetry;
        case QMessageBox::Ignore: return ui::kReplyIgnore;
        default: return ui::kReplyAbort;
    }
}

}  // namespace

QWidget* ownerWidget(ui::Owner owner) { return dynamic_cast<QWidget*>(owner); }

QtInteraction::QtInteraction() {
    sinceShown_.start();
    sinceEvents_.start();
}

QtInteraction::~QtInteraction() { closeProgress(); }

int QtInteraction::askEx(ui::Owner owner, const std::string& title, const std::string& text, int boxType,
                         int defaultButton) {
    showPending();
    QWidget* parent = ownerWidget(owner);
    QMessageBox box(QMessageBox::Question, qt(title), qt(text), QMessageBox::NoButton, parent);
    std::vector<QMessageBox::StandardButton> buttons{QMessageBox::Yes, QMessageBox::No};
    if (boxType == 3) buttons.push_back(QMessageBox::Cancel);
    for (QMessageBox::StandardButton button : buttons) box.addButton(button);
    size_t preselected = 0;
    if (defaultButton == 2) preselected = 1;
    if (defaultButton == 3 && buttons.size() == 3) preselected = 2;
    box.setDefaultButton(buttons[preselected]);
    box.setEscapeButton(buttons.back());
    showBox(box, parent);
    return replyCode(box.standardButton(box.clickedButton()));
}

void QtInteraction::error(ui::Owner owner, const std::string& text) {
    showPending();
    QWidget* parent = ownerWidget(owner);
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Error"), qt(text), QMessageBox::Ok, parent);
    showBox(box, parent);
}

void QtInteraction::warning(ui::Owner owner, const std::string& title, const std::string& text) {
    showPending();
    QWidget* parent = ownerWidget(owner);
    QMessageBox box(QMessageBox::Warning, qt(title), qt(text), QMessageBox::Ok, parent);
    showBox(box, parent);
}

void QtInteraction::info(ui::Owner owner, const std::string& title, const std::string& text) {
    showPending();
    QWidget* parent = ownerWidget(owner);
    QMessageBox box(QMessageBox::Information, qt(title), qt(text), QMessageBox::Ok, parent);
    showBox(box, parent);
}

void QtInteraction::openProgress(ui::Owner owner) {
    closeProgress();
    progress_ = new WinProcess(ownerWidget(owner));
    progress_->setAttribute(Qt::WA_DeleteOnClose);
    progress_->Show();
    QApplication::setOverrideCursor(Qt::BusyCursor);
    sinceShown_.restart();
    sinceEvents_.restart();
}

void QtInteraction::closeProgress() {
    if (!progress_) return;
    progress_->EndDialog();
    progress_->close();
    progress_ = nullptr;
    line1Pending_ = line2Pending_ = false;
    pendingBar_ = -1;
    QApplication::restoreOverrideCursor();
}

void QtInteraction::progressText(int line, const std::string& text) {
    if (!progress_) return;
    // Kept as it comes: most texts are replaced before the window shows them, so only the
    // shown ones are converted.
    if (line == 2) {
        pendingLine2_ = text;
        line2Pending_ = true;
    } else {
        pendingLine1_ = text;
        line1Pending_ = true;
    }
    showPendingWhenDue();
}

void QtInteraction::progressBar(long position, long total) {
    if (!progress_) return;
    // A zero total shows an empty bar rather than dividing by it.
    pendingBar_ = total > 0 ? static_cast<int>(100.0 * static_cast<double>(position) / static_cast<double>(total)) : 0;
    showPendingWhenDue();
}

void QtInteraction::letEventsThrough() {
    if (sinceEvents_.elapsed() < kEventIntervalMs) return;
    showPending();
    QApplication::processEvents();
    sinceEvents_.restart();
}

void QtInteraction::offerStop(ui::Owner owner, const std::string& question) {
    if (!progress_) return;
    progress_->setCancelConfirmation([this, owner, question] {
        if (askEx(owner, "Tarvo-Soft", question, 2, 2) != ui::kReplyYes) return false;
        ui::requestStop();
        progressText(2, "Membatalkan import ...");
        return true;
    });
    progress_->setSHOWBUTTONBATAL(true);
}

void QtInteraction::showPendingWhenDue() {
    if (sinceShown_.elapsed() >= kEventIntervalMs) showPending();
}

void QtInteraction::showPending() {
    sinceShown_.restart();
    if (!progress_) return;
    if (line1Pending_) progress_->ODCINFO1()->setText(qt(pendingLine1_));
    if (line2Pending_) progress_->ODCINFO2()->setText(qt(pendingLine2_));
    if (pendingBar_ >= 0) progress_->ODCPROGRESSBAR()->setValue(pendingBar_);
    line1Pending_ = line2Pending_ = false;
    pendingBar_ = -1;
}

std::string QtInteraction::chooseFolder(ui::Owner owner, const std::string& title, const std::string& start) {
    return VODIRECTORYPICKER(ownerWidget(owner), qt(title), qt(start)).toStdString();
}

std::string QtInteraction::chooseFile(ui::Owner owner, const std::string& title, const std::string& filter) {
    // "*.MDB" shown as it is, matched in any case: each letter becomes a class of both cases.
    QString pattern;
    for (const QChar c : qt(filter))
        pattern += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
    const QString nameFilter = qt(filter) + QStringLiteral(" (") + pattern + QStringLiteral(")");
    NormalPointer pointer;
    return QFileDialog::getOpenFileName(ownerWidget(owner), qt(title), QString(), nameFilter).toStdString();
}

std::optional<std::string> QtInteraction::askPassword(ui::Owner owner, const std::string&) {
    showPending();
    WindowMDBConnection dialog(ownerWidget(owner));
    NormalPointer pointer;
    if (dialog.exec() != 1) return std::nullopt;
    return dialog.CDBPASSWORD.toStdString();
}

}  // namespace tarvo::gui
