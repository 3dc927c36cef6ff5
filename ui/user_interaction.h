#pragma once
// The one interface through which the engine talks to the user. The desktop program implements it
// with real dialogs, the command line on the terminal, tests with a recording double.

#include <optional>
#include <string>

namespace tarvo::ui {

// A window that message boxes can belong to. A null owner means the box belongs to no window.
class OwnerWindow {
public:
    virtual ~OwnerWindow() = default;
};
using Owner = OwnerWindow*;

// Reply codes of a question box.
enum ReplyCode : int {
    kReplyAbort = 0,
    kReplyCancel = 1,
    kReplyIgnore = 2,
    kReplyNo = 3,
    kReplyOk = 4,
    kReplyRetry = 5,
    kReplyYes = 6,
};

class UserInteraction {
public:
    virtual ~UserInteraction() = default;

    // Question box: boxType 3 shows Yes, No and Cancel, any other type Yes and No.
    // defaultButton 2 (or 3 with three buttons) preselects that button, otherwise the first.
    virtual int askEx(Owner owner, const std::string& title, const std::string& text, int boxType,
                      int defaultButton) = 0;
    virtual void error(Owner owner, const std::string& text) = 0;
    virtual void warning(Owner owner, const std::string& title, const std::string& text) = 0;
    virtual void info(Owner owner, const std::string& title, const std::string& text) = 0;

    // The progress window of long work: opened on the owner before the work, closed after it.
    // Front ends without such a window keep the defaults.
    virtual void openProgress(Owner owner) { (void)owner; }
    virtual void closeProgress() {}
    // Progress of long work: caption lines and a bar position out of a total.
    virtual void progressText(int line, const std::string& text) = 0;
    virtual void progressBar(long position, long total) = 0;
    // Lets pending window events through (repaint, the cancel button).
    virtual void letEventsThrough() = 0;
    // Offers stopping the work under way: the open progress window shows its cancel button, which
    // asks the question and on Yes requests the stop (ui/stop_request.h). Front ends without such a
    // window keep the default.
    virtual void offerStop(Owner owner, const std::string& question) {
        (void)owner;
        (void)question;
    }

    // Pickers; an empty result means the user cancelled. The file picker's filter is a pattern
    // such as "*.MDB", matched without regard to case.
    virtual std::string chooseFolder(Owner owner, const std::string& title, const std::string& start) = 0;
    virtual std::string chooseFile(Owner owner, const std::string& title, const std::string& filter) = 0;
    // A database password; nullopt when the user closed the prompt without confirming it (an
    // empty password is a password).
    virtual std::optional<std::string> askPassword(Owner owner, const std::string& title) = 0;
};

// Shows nothing and declines every question: the engine's interaction until a front end installs
// its own, and a base for interactions that answer or show only part of it.
class SilentInteraction : public UserInteraction {
public:
    int askEx(Owner owner, const std::string& title, const std::string& text, int boxType,
              int defaultButton) override;
    void error(Owner owner, const std::string& text) override;
    void warning(Owner owner, const std::string& title, const std::string& text) override;
    void info(Owner owner, const std::string& title, const std::string& text) override;
    void progressText(int line, const std::string& text) override;
    void progressBar(long position, long total) override;
    void letEventsThrough() override;
    std::string chooseFolder(Owner owner, const std::string& title, const std::string& start) override;
    std::string chooseFile(Owner owner, const std::string& title, const std::string& filter) override;
    std::optional<std::string> askPassword(Owner owner, const std::string& title) override;
};

// The interaction the engine uses; the front end installs its own at start-up.
UserInteraction& interaction();
// Installs an interaction (not owned); nullptr restores the silent default that answers No.
void setInteraction(UserInteraction* interaction);

// The message boxes of the tool, through the installed interaction.
int BOXASKEX(Owner owner, const std::string& title, const std::string& text, int boxType, int defaultButton);
bool BOXASK(Owner owner, const std::string& title, const std::string& text, int defaultButton);
void BOXERROR(Owner owner, const std::string& text);
void BOXWARNING(Owner owner, const std::string& title, const std::string& text);
void BOXINFO(Owner owner, const std::string& title, const std::string& text);

}  // namespace tarvo::ui
