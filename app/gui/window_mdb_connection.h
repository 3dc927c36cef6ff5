#pragma once
// WindowMDBConnection: asks for the password of an Access database. Ok keeps the typed password
// (trimmed) in CDBPASSWORD and ends the dialog with result 1; closing it any other way leaves a
// result other than 1.

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tarvo::gui {

class WindowMDBConnection : public QDialog {
    Q_OBJECT

public:
    explicit WindowMDBConnection(QWidget* owner);

    void BUTTONOK();

    QString CDBPASSWORD;
    QLabel* DBPASSWORDTEXT = nullptr;
    QLineEdit* DBPASSWORD = nullptr;
    QPushButton* BUTTONOK_ = nullptr;

private:
    void POSTINIT();
};

}  // namespace tarvo::gui
