#include "app/cli/terminal_interaction.h"

#include <unistd.h>

#include <chrono>
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
}  // namespace

TerminalInteraction::TerminalInteraction(bool answerYes) : answerYes_(answerYes), terminal_(::isatty(STDOUT_FILENO)) {}

TerminalInteraction::~TerminalInteraction() { endProgressLine(); }

void TerminalInteraction::endProgressLine() {
    if (progressShown_) std::fputs("\n", stdout);
    progressShown_ = false;
}

std::string TerminalInteraction::prompt(const std::string& question) {
    endProgressLine();
    std::fputs(terminalText(question).c_str(), stdout);
    std::fflush(stdout);
    std::string answer;
    if (!std::getline(std::cin, answer)) return {};
    return answer;
}

int TerminalInteraction::askEx(ui::Owner, const std::string& title, const std::string& text, int boxType, int) {
    if (answerYes_) return ui::kReplyYes;
    const bool withCancel = boxType == 3;
    std::string answer = prompt("[" + title + "] " + text + (withCancel ? " (y/n/c) " : " (y/n) "));
    if (answer == "y" || answer == "Y" || answer == "yes" || answer == "ya") return ui::kReplyYes;
    if (withCancel && (answer == "c" || answer == "C")) return ui::kReplyCancel;
    return ui::kReplyNo;
}

void TerminalInteraction::error(ui::Owner, const std::string& text) {
    endProgressLine();
    ++errors_;
    std::fprintf(stderr, "Error: %s\n", terminalText(text).c_str());
}

void TerminalInteraction::warning(ui::Owner, const std::string& title, const std::string& text) {
    endProgressLine();
    std::fprintf(stderr, "Warning [%s]: %s\n", title.c_str(), terminalText(text).c_str());
}

void TerminalInteraction::info(ui::Owner, const std::string& title, const std::string& text) {
    endProgressLine();
    std::printf("[%s] %s\n", title.c_str(), terminalText(text).c_str());
}

void TerminalInteraction::progressText(int line, const std::string& text) {
    // Only the first line carries the counter; on a terminal it updates in place, a few
    // times a second at most, so that printing does not slow the import down.
    if (line != 1 || !terminal_) return;
    static auto last = std::chrono::steady_clock::time_point{};
    auto now = std::chrono::steady_clock::now();
    if (now - last < std::chrono::milliseconds(100) && text.compare(0, 20, lastProgress_, 0, 20) == 0) return;
    last = now;
    lastProgress_ = text;
    std::printf("\r\033[K%s", text.c_str());
    std::fflush(stdout);
    progressShown_ = true;
}

void TerminalInteraction::progressBar(long, long) {}

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
