#include "app/cli/terminal_interaction.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>

namespace tarvo::cli {

namespace {
// The message texts use CR LF line breaks as the boxes show them; the terminal wants LF.
std::string terminalText(std::string text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i)
        if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) out += text[i];
    return out;
}

int terminalColumns() {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
    return 80;
}

void toStderr(std::string_view text) {
    std::fwrite(text.data(), 1, text.size(), stderr);
    std::fflush(stderr);
}
}  // namespace

TerminalInteraction::TerminalInteraction(bool answerYes, bool quiet) : answerYes_(answerYes), quiet_(quiet) {
    if (!quiet && ::isatty(STDERR_FILENO)) progress_ = std::make_unique<ProgressLine>(toStderr, terminalColumns());
}

TerminalInteraction::~TerminalInteraction() { endProgressLine(); }

void TerminalInteraction::endProgressLine() {
    if (progress_) progress_->finish();
}

std::string TerminalInteraction::prompt(const std::string& question) {
    endProgressLine();
    std::fputs(terminalText(question).c_str(), stderr);
    std::fflush(stderr);
    std::string answer;
    if (!std::getline(std::cin, answer)) return {};
    return answer;
}

int TerminalInteraction::askEx(ui::Owner, const std::string& title, const std::string& text, int boxType, int) {
    if (answerYes_) return ui::kReplyYes;
    const bool withCancel = boxType == 3;
    if (!::isatty(STDIN_FILENO)) {
        // A script has nobody to answer: refused at once, before anything is changed.
        error(nullptr, "[" + title + "] " + text + " (no terminal to answer on; use --yes to answer Yes)");
        return withCancel ? ui::kReplyCancel : ui::kReplyNo;
    }
    std::string answer = prompt("[" + title + "] " + text + (withCancel ? " (y/n/c) " : " (y/n) "));
    if (answer == "y" || answer == "Y" || answer == "yes" || answer == "ya") return ui::kReplyYes;
    if (withCancel && (answer == "c" || answer == "C")) return ui::kReplyCancel;
    return ui::kReplyNo;
}

void TerminalInteraction::error(ui::Owner, const std::string& text) {
    endProgressLine();
    ++errors_;
    messages_.push_back({"error", "", terminalText(text)});
    std::fprintf(stderr, "Error: %s\n", messages_.back().text.c_str());
}

void TerminalInteraction::warning(ui::Owner, const std::string& title, const std::string& text) {
    endProgressLine();
    messages_.push_back({"warning", title, terminalText(text)});
    std::fprintf(stderr, "Warning [%s]: %s\n", title.c_str(), messages_.back().text.c_str());
}

void TerminalInteraction::info(ui::Owner, const std::string& title, const std::string& text) {
    messages_.push_back({"info", title, terminalText(text)});
    if (quiet_) return;
    endProgressLine();
    std::fprintf(stderr, "[%s] %s\n", title.c_str(), messages_.back().text.c_str());
}

void TerminalInteraction::closeProgress() { endProgressLine(); }

void TerminalInteraction::progressText(int line, const std::string& text) {
    // Only the first line carries the counter.
    if (line == 1 && progress_) progress_->text(text);
}

void TerminalInteraction::progressBar(long position, long total) {
    if (progress_) progress_->bar(position, total);
}

std::string TerminalInteraction::chooseFolder(ui::Owner, const std::string& title, const std::string&) {
    return prompt(title + ": ");
}

std::string TerminalInteraction::chooseFile(ui::Owner, const std::string& title, const std::string&) {
    return prompt(title + ": ");
}

std::optional<std::string> TerminalInteraction::askPassword(ui::Owner, const std::string& title) {
    return prompt(title + ": ");
}

}  // namespace tarvo::cli
