#pragma once
// Shared helpers of the test suites: a user interaction that records every message and answers
// questions from a script, its installation for one test, and temporary folders.

#include <cstddef>
#include <deque>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "ui/user_interaction.h"

namespace tarvo::test {

// One message shown to the user.
struct RecordedMessage {
    std::string kind;  // "ask", "error", "warning", "info", or "folder" (the picker; text: its start)
    std::string title; // empty for error boxes, which have the standard caption
    std::string text;
    ui::Owner owner = nullptr;
};

// Records every box and progress text; questions take their replies from `replies` (No when it is
// empty), the pickers and the password prompt from their queues (empty, i.e. cancelled, when empty).
class RecordingInteraction : public ui::UserInteraction {
public:
    std::vector<RecordedMessage> messages;
    std::deque<int> replies;
    std::vector<std::string> progressTexts;
    std::deque<std::string> folderChoices;
    std::deque<std::string> fileChoices;
    std::deque<std::optional<std::string>> passwords;  // nullopt: the prompt was closed

    // How many messages of this kind were shown.
    std::size_t count(std::string_view kind) const;

    int askEx(ui::Owner owner, const std::string& title, const std::string& text, int boxType,
              int defaultButton) override;
    void error(ui::Owner owner, const std::string& text) override;
    void warning(ui::Owner owner, const std::string& title, const std::string& text) override;
    void info(ui::Owner owner, const std::string& title, const std::string& text) override;
    void progressText(int line, const std::string& text) override;
    void progressBar(long position, long total) override;
    void letEventsThrough() override;
    std::string chooseFolder(ui::Owner owner, const std::string& title, const std::string& start) override;
    std::string chooseFile(ui::Owner owner, const std::string& title, const std::string& filter) override;
    std::optional<std::string> askPassword(ui::Owner owner, const std::string& title) override;
};

// Installs an interaction for its lifetime; the silent default comes back afterwards.
class ScopedInteraction {
public:
    explicit ScopedInteraction(ui::UserInteraction& interaction);
    ~ScopedInteraction();
    ScopedInteraction(const ScopedInteraction&) = delete;
    ScopedInteraction& operator=(const ScopedInteraction&) = delete;
};

// Every file of the folder (not its subfolders) by name, with its bytes.
std::map<std::string, std::string> fileContents(const std::filesystem::path& folder);

// A new, empty folder under the system's temporary folder, removed with its contents afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace tarvo::test
