#pragma once
// Helpers of the GUI tests: letting posted events run, acting on the modal window that a call is
// about to open, and a sample shop typed into the main window.

#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "app/gui/win_import.h"
#include "sampledata/retail_db.h"
#include "sampledata/templates.h"

namespace tarvo::test {

// Delivers posted events (the buttons' notifications) and lets the windows update.
inline void settle() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// Calls `act` with the modal window as soon as one is open, while `run` (which opens it) runs.
inline void whenModalOpens(const std::function<void(QWidget*)>& act, const std::function<void()>& run) {
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&poll, &act] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            poll.stop();
            act(modal);
        }
    });
    poll.start();
    run();
}

// A sample retail database in folder and a small template folder beside it (without duplicates,
// so that no reject window opens), typed into the window's LOKASI and IMPORT. Returns ST_DB.
inline std::filesystem::path typeSampleShop(gui::WINIMPORT& window, const std::filesystem::path& folder) {
    sampledata::makeSampleRetailDatabase(folder);
    sampledata::makeSampleTemplates(folder / "templates", {.items = 20, .customers = 5, .vendors = 3, .codesPerItem = 1});
    window.LOKASI->setText(QString::fromStdString(folder.string()));
    window.IMPORT->setText(QString::fromStdString((folder / "templates").string()));
    return folder / "ST_DB";
}

}  // namespace tarvo::test
