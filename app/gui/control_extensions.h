#pragma once
// The xBase run-time's extended radio button and check box (_RADIOBUTTON, _CHECKBOX): every
// setting of the check state, by the user or by the program, posts one notification to the owner
// window, even when the state does not change; and the control can be made read-only.

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <type_traits>

#include "app/gui/gui_utilities.h"

namespace tarvo::gui {

// Message 0x9065, posted to the owner window with the control's number.
class CheckStateNotification : public QEvent {
public:
    static constexpr QEvent::Type kType = static_cast<QEvent::Type>(0x9065);
    explicit CheckStateNotification(int controlId) : QEvent(kType), controlId_(controlId) {}
    int controlId() const { return controlId_; }

private:
    int controlId_;
};

template <class Button>
class StateNotifyingButton : public Button {
    static_assert(std::is_base_of_v<QAbstractButton, Button>);

public:
    StateNotifyingButton(int controlId, const QString& text, QWidget* owner) : Button(text, owner), controlId_(controlId) {}

    int controlId() const { return controlId_; }
    // 0 cleared, 1 set, 2 indeterminate.
    int checkState() const {
        if constexpr (std::is_base_of_v<QCheckBox, Button>) return static_cast<int>(Button::checkState()) == Qt::PartiallyChecked ? 2 : Button::isChecked();
        return Button::isChecked() ? 1 : 0;
    }
    // Whether the last setting of the state changed it.
    bool valueChanged() const { return valueChanged_; }

    bool READONLY() const { return readOnly_; }
    // Read-only: the user cannot change the state (the program still can). The tab stop the
    // control had before it first became read-only comes back when it becomes editable.
    void setREADONLY(bool readOnly) {
        if (!readOnly_) savedTabStop_ = VOHASSTYLE(this, kStyleTabStop);
        readOnly_ = readOnly;
        setTabStop(!readOnly && savedTabStop_);
    }
    // As setREADONLY, but the tab stop follows the flag whatever was saved.
    void setREADONLYTABSTOP(bool readOnly) {
        setREADONLY(readOnly);
        setTabStop(!readOnly);
    }

protected:
    // The program set the state (also when the group clears the previous button).
    void checkStateSet() override {
        Button::checkStateSet();
        if (!quiet_) stateSet(checkState());
    }
    // A click sets the state of every button of its group, the clicked one on, as auto radio
    // buttons do; each of them notifies once.
    void nextCheckState() override {
        // The group may pass the change on to the previous button; the outer click notifies it.
        if (quiet_) {
            Button::nextCheckState();
            return;
        }
        const QList<QAbstractButton*> members = groupMembers();
        for (QAbstractButton* member : members) quiet(member, true);
        Button::nextCheckState();
        for (QAbstractButton* member : members) {
            quiet(member, false);
            if (auto* button = dynamic_cast<StateNotifyingButton*>(member)) button->stateSet(button->checkState());
        }
    }

    void mousePressEvent(QMouseEvent* event) override {
        if (refuseUser(event->button() == Qt::LeftButton)) return;
        Button::mousePressEvent(event);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override {
        if (refuseUser(event->button() == Qt::LeftButton)) return;
        Button::mouseDoubleClickEvent(event);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (refuseUser(true)) return;
        Button::keyPressEvent(event);
    }

private:
    void stateSet(int state) {
        valueChanged_ = state != lastState_;
        lastState_ = state;
        if (QWidget* owner = this->window()) QCoreApplication::postEvent(owner, new CheckStateNotification(controlId_));
    }

    // A read-only control takes the focus and keeps its state.
    bool refuseUser(bool relevant) {
        if (!relevant || !readOnly_) return false;
        this->setFocus(Qt::MouseFocusReason);
        return true;
    }

    void setTabStop(bool on) {
        const Qt::FocusPolicy policy = this->focusPolicy();
        this->setFocusPolicy(static_cast<Qt::FocusPolicy>(on ? (policy | Qt::TabFocus) : (policy & ~Qt::TabFocus)));
    }

    QList<QAbstractButton*> groupMembers() {
        if (QButtonGroup* group = this->group(); group && group->exclusive()) return group->buttons();
        return {this};
    }

    static void quiet(QAbstractButton* member, bool on) {
        if (auto* button = dynamic_cast<StateNotifyingButton*>(member)) button->quiet_ = on;
    }

    int controlId_;
    bool readOnly_ = false;
    bool savedTabStop_ = false;
    int lastState_ = 0;
    bool valueChanged_ = false;
    bool quiet_ = false;
};

// _RADIOBUTTON. Group the buttons with an exclusive QButtonGroup.
class NotifyingRadioButton : public StateNotifyingButton<QRadioButton> {
public:
    using StateNotifyingButton::StateNotifyingButton;
    bool PRESSED() const { return isChecked(); }
};

// _CHECKBOX, which also knows whether it has the focus.
class NotifyingCheckBox : public StateNotifyingButton<QCheckBox> {
public:
    using StateNotifyingButton::StateNotifyingButton;
    bool CHECKED() const { return checkState() == 1; }
    bool hasFocusFlag() const { return hasFocus_; }

protected:
    // FOCUSCHANGE
    void focusInEvent(QFocusEvent* event) override {
        QCheckBox::focusInEvent(event);
        hasFocus_ = true;
    }
    void focusOutEvent(QFocusEvent* event) override {
        QCheckBox::focusOutEvent(event);
        hasFocus_ = false;
    }

private:
    bool hasFocus_ = false;
};

}  // namespace tarvo::gui
