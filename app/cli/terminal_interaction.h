#pragma once
// The user interaction of the command line: boxes become lines on the standard error stream,
// questions are asked there (or answered Yes at once with --yes; refused at once when the
// standard input is no terminal to answer on), progress is one line redrawn in place when the
// error stream is a terminal. Standard output stays free for results. Every message shown is
// kept for the command's outcome.

#include <memory>
#include <string>
#include <vector>

#include "app/cli/command_outcome.h"
#include "app/cli/progress_line.h"
#include "ui/user_interaction.h"

namespace tarvo::cli {

class TerminalInteraction final : public ui::UserInteraction {
public:
    // `quiet`: no progress and no information lines; errors and warnings still go to stderr.
    explicit TerminalInteraction(bool answerYes, bool quiet = false);
    ~TerminalInteraction() override;

    int askEx(ui::Owner owner, const std::string& title, const std::string& text, int boxType,
              int defaultButton) override;
    void error(ui::Owner owner, const std::string& text) override;
    void warning(ui::Owner owner, const std::string& title, const std::string& text) override;
    void info(ui::Owner owner, const std::string& title, const std::string& text) override;
    void closeProgress() override;
    void progressText(int line, const std::string& text) override;
    void progressBar(long position, long total) override;
    void letEventsThrough() override {}
    std::string chooseFolder(ui::Owner owner, const std::string& title, const std::string& start) override;
    std::string chooseFile(ui::Owner owner, const std::string& title, const std::string& filter) override;
    std::optional<std::string> askPassword(ui::Owner owner, const std::string& title) override;

    int errorCount() const { return errors_; }
    const std::vector<OutcomeMessage>& messages() const { return messages_; }

private:
    void endProgressLine();
    std::string prompt(const std::string& question);

    bool answerYes_;
    bool quiet_;
    std::unique_ptr<ProgressLine> progress_;  // none when the output is no terminal, or quiet
    std::vector<OutcomeMessage> messages_;
    int errors_ = 0;
};

}  // namespace tarvo::cli
