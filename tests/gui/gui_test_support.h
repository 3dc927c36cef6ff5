#pragma once
// Helpers of the GUI tests: letting posted events run, and acting on the modal window that a
// call is about to open.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

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

}  // namespace tarvo::test
