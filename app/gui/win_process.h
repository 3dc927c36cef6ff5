#pragma once
// WinProcess: the small modeless window long work shows: two status lines, a percentage bar and
// a cancel button that is hidden until the caller offers cancelling.

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace tarvo::gui {

class WinProcess : public QDialog {
    Q_OBJECT

public:
    explicit WinProcess(QWidget* owner);

    QLabel* ODCINFO1() const { return info1_; }
    QLabel* ODCINFO2() const { return info2_; }
    QProgressBar* ODCPROGRESSBAR() const { return bar_; }
    QPushButton* OCCBUTTONBATAL() const { return batal_; }
    // True once "Batal" was pressed; the caller reads it between records and stops by itself.
    bool LPROSESBATAL() const { return cancelled_; }

    // Shows the window modelessly and paints it at once.
    void Show();
    // TRUE grows the window by the button's height and 5 pixels and shows the enabled button;
    // FALSE changes nothing. Returns the value.
    bool setSHOWBUTTONBATAL(bool show);
    void BUTTONBATAL();
    // The window is never run modally: EXECMODAL shows nothing and returns at once.
    int exec() override { return 0; }
    void EndDialog();

private:
    void POSTINIT();

    QLabel* info1_;
    QLabel* info2_;
    QProgressBar* bar_;
    QPushButton* batal_;
    bool cancelled_ = false;
};

}  // namespace tarvo::gui
