#include "app/gui/single_instance.h"

#include <unistd.h>

#include <QLocalServer>
#include <QLocalSocket>
#include <QWidget>

namespace tarvo::gui {

namespace {

constexpr int kAnswerTimeoutMs = 2000;
constexpr char kRaise[] = "raise\n";

}  // namespace

SingleInstance::SingleInstance(const QString& windowTitle, QObject* parent)
    : QObject(parent),
      // One copy per user: the user's number keeps two users of one machine apart.
      socketName_(windowTitle + QStringLiteral(" (") + QString::number(getuid()) + QLatin1Char(')')) {}

bool SingleInstance::raiseRunningCopy() const {
    QLocalSocket socket;
    socket.connectToServer(socketName_);
    if (!socket.waitForConnected(kAnswerTimeoutMs)) return false;
    socket.write(kRaise);
    socket.waitForBytesWritten(kAnswerTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen(QWidget* window) {
    window_ = window;
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a copy that ended abnormally answers nobody: take its place.
    if (!server_->listen(socketName_)) {
        QLocalServer::removeServer(socketName_);
        if (!server_->listen(socketName_)) return false;
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            if (window_) {
                if (window_->isMinimized()) window_->showNormal();
                window_->raise();
                window_->activateWindow();
            }
            emit raiseRequested();
        }
    });
    return true;
}

}  // namespace tarvo::gui
