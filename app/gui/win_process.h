#pragma once
// WinProcess: the small modeless window long work shows: two status lines, a percentage bar and
// a cancel button that is hidden until the caller offers cancelling.

#include <QDialog>
#include <functional>

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
    // "Batal": with a confirmation, counts only when it answers true; the button is then disabled.
    void BUTTONBATAL();
    // The question a click on "Batal" (or on the close box, or Escape, while the button is
    // offered) asks first; it returns whether to cancel.
    void setCancelConfirmation(std::function<bool()> confirm) { confirm_ = std::move(confirm); }
    // The window is never run modally: EXECMODAL shows nothing and returns at once.
    int exec() override { return 0; }
    void EndDialog();

protected:
    // While "Batal" is offered, closing the window means "Batal": the work is not left running
    // behind a hidden window.
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    bool cancelOffered() const;

    void POSTINIT();

    QLabel* info1_;
    QLabel* info2_;
    QProgressBar* bar_;
    QPushButton* batal_;
    bool cancelled_ = false;
    bool ending_ = false;
    std::function<bool()> confirm_;
};

}  // namespace tarvo::gui
