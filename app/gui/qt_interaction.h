#pragma once
// The desktop program's user interaction: the tool's message boxes as Qt message boxes, the
// progress window, and letting events through often enough to repaint without slowing the work.

#include <QElapsedTimer>
#include <QPointer>
#include <string>

#include "app/gui/win_process.h"
#include "ui/user_interaction.h"

class QWidget;

namespace tarvo::gui {

// The window behind an owner; nullptr when the owner is not a window.
QWidget* ownerWidget(ui::Owner owner);

class QtInteraction : public ui::UserInteraction {
public:
    // The shortest time between two passes of the event loop during long work: enough for a
    // smooth repaint, rare enough to cost nothing measurable.
    static constexpr int kEventIntervalMs = 40;

    QtInteraction();
    ~QtInteraction() override;

    int askEx(ui::Owner owner, const std::string& title, const std::string& text, int boxType,
              int defaultButton) override;
    void error(ui::Owner owner, const std::string& text) override;
    void warning(ui::Owner owner, const std::string& title, const std::string& text) override;
    void info(ui::Owner owner, const std::string& title, const std::string& text) override;

    void openProgress(ui::Owner owner) override;
    void closeProgress() override;
    void progressText(int line, const std::string& text) override;
    void progressBar(long position, long total) override;
    void letEventsThrough() override;
    // Shows "Batal" on the progress window; its question, on Yes, requests the stop.
    void offerStop(ui::Owner owner, const std::string& question) override;

    std::string chooseFolder(ui::Owner owner, const std::string& title, const std::string& start) override;
    std::string chooseFile(ui::Owner owner, const std::string& title, const std::string& filter) override;
    // WindowMDBConnection.
    std::optional<std::string> askPassword(ui::Owner owner, const std::string& title) override;

    // The open progress window, or nullptr.
    WinProcess* progressWindow() const { return progress_; }

private:
    // Puts the latest texts and bar position on the window.
    void showPending();
    void showPendingWhenDue();

    QPointer<WinProcess> progress_;
    std::string pendingLine1_, pendingLine2_;
    bool line1Pending_ = false, line2Pending_ = false;
    int pendingBar_ = -1;
    QElapsedTimer sinceShown_;
    QElapsedTimer sinceEvents_;
};

}  // namespace tarvo::gui
