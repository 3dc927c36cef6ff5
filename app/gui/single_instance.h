#pragma once
// One copy of the program per window title: the running copy listens on a local socket named
// after its title; a later start finds it there, asks it to raise its window, and ends.

#include <QObject>
#include <QPointer>
#include <QString>

class QLocalServer;
class QWidget;

namespace tarvo::gui {

class SingleInstance : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(const QString& windowTitle, QObject* parent = nullptr);

    // True when a copy with this title runs; it has been asked to raise its window.
    bool raiseRunningCopy() const;
    // Answers later starts by raising the window. False when the socket could not be opened
    // (the program then runs without the check).
    bool listen(QWidget* window);

signals:
    void raiseRequested();

private:
    QString socketName_;
    QLocalServer* server_ = nullptr;
    QPointer<QWidget> window_;
};

}  // namespace tarvo::gui
