#include "app/gui/window_mdb_connection.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/gui/dialog_units.h"

namespace tarvo::gui {

WindowMDBConnection::WindowMDBConnection(QWidget* owner) : QDialog(owner) {
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    const QFont font = dialogFont(QStringLiteral("MS Shell Dlg"), 8);
    setFont(font);
    const DialogUnits du(font);
    setFixedSize(du.size(159, 62));
    setWindowTitle(QStringLiteral("Connection String MDB File (Access File)"));

    auto* frame = new QGroupBox(this);
    frame->setGeometry(du.rect(4, 2, 151, 36));
    DBPASSWORDTEXT = new QLabel(QStringLiteral("DB Pasword :"), this);
    DBPASSWORDTEXT->setGeometry(du.rect(10, 15, 45, 12));
    DBPASSWORD = new QLineEdit(this);
    DBPASSWORD->setGeometry(du.rect(56, 13, 93, 14));
    DBPASSWORD->setEchoMode(QLineEdit::Password);
    QFont system = dialogFont(QStringLiteral("System"), 10);
    system.setBold(true);
    DBPASSWORD->setFont(system);
    BUTTONOK_ = new QPushButton(QStringLiteral("Ok"), this);
    BUTTONOK_->setGeometry(du.rect(54, 42, 50, 15));
    QFont tahoma = dialogFont(QStringLiteral("Tahoma"), 8);
    tahoma.setBold(true);
    BUTTONOK_->setFont(tahoma);
    BUTTONOK_->setDefault(true);
    connect(BUTTONOK_, &QPushButton::clicked, this, &WindowMDBConnection::BUTTONOK);
    POSTINIT();
}

void WindowMDBConnection::POSTINIT() {
    CDBPASSWORD.clear();
    DBPASSWORD->clear();
    DBPASSWORD->setFocus();
}

void WindowMDBConnection::BUTTONOK() {
    CDBPASSWORD = DBPASSWORD->text().trimmed();
    done(1);
}

}  // namespace tarvo::gui
