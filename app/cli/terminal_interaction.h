#pragma once
// The user interaction of the command line: boxes become lines on the terminal, questions are
// asked on it (or answered Yes at once with --yes), progress is one updating line.

#include <string>

#include "ui/user_interaction.h"

namespace tarvo::cli {

class TerminalInteraction final : public ui::UserInteraction {
public:
    explicit TerminalInteraction(bool answerYes);
    ~TerminalInteraction() override;

    int askEx(ui::Owner owner, const std::string& title, const std::string& text, int boxType,
              int defaultButton) override;
    void error(ui::Owner owner, const std::string& text) override;
    void warning(ui::Owner owner, const std::string& title, const std::string& text) override;
    void info(ui::Owner owner, const std::string& title, const std::string& text) override;
    void progressText(int line, const std::string& text) override;
    void progressBar(long position, long total) override;
    void letEventsThrough() override {}
    std::string chooseFolder(ui::Owner owner, const std::string& title, const std::string& start) override;
    std::string chooseFile(ui::Owner owner, const std::string& title, const std::string& filter) override;
    std::optional<std::string> askPassword(ui::Owner owner, const std::string& title) override;

    int errorCount() const { return errors_; }

private:
    void endProgressLine();
    std::string prompt(const std::string& question);

    bool answerYes_;
    bool terminal_;
    bool progressShown_ = false;
    std::string lastProgress_;
    int errors_ = 0;
};

}  // namespace tarvo::cli
