#include "tests/support/test_support.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

namespace tarvo::test {

namespace {

std::string takeFront(std::deque<std::string>& queue) {
    if (queue.empty()) return {};
    std::string front = std::move(queue.front());
    queue.pop_front();
    return front;
}

}  // namespace

std::size_t RecordingInteraction::count(std::string_view kind) const {
    return static_cast<std::size_t>(
        std::count_if(messages.begin(), messages.end(), [&](const RecordedMessage& m) { return m.kind == kind; }));
}

int RecordingInteraction::askEx(ui::Owner owner, const std::string& title, const std::string& text, int, int) {
    messages.push_back({"ask", title, text, owner});
    if (replies.empty()) return ui::kReplyNo;
    const int reply = replies.front();
    replies.pop_front();
    return reply;
}

void RecordingInteraction::error(ui::Owner owner, const std::string& text) {
    messages.push_back({"error", "", text, owner});
}

void RecordingInteraction::warning(ui::Owner owner, const std::string& title, const std::string& text) {
    messages.push_back({"warning", title, text, owner});
}

void RecordingInteraction::info(ui::Owner owner, const std::string& title, const std::string& text) {
    messages.push_back({"info", title, text, owner});
}

void RecordingInteraction::progressText(int, const std::string& text) { progressTexts.push_back(text); }

void RecordingInteraction::progressBar(long, long) {}

void RecordingInteraction::letEventsThrough() {}

std::string RecordingInteraction::chooseFolder(ui::Owner owner, const std::string& title, const std::string& start) {
    messages.push_back({"folder", title, start, owner});
    return takeFront(folderChoices);
}

std::string RecordingInteraction::chooseFile(ui::Owner, const std::string&, const std::string&) {
    return takeFront(fileChoices);
}

std::optional<std::string> RecordingInteraction::askPassword(ui::Owner, const std::string&) {
    if (passwords.empty()) return std::nullopt;
    std::optional<std::string> password = std::move(passwords.front());
    passwords.pop_front();
    return password;
}

ScopedInteraction::ScopedInteraction(ui::UserInteraction& interaction) { ui::setInteraction(&interaction); }

ScopedInteraction::~ScopedInteraction() { ui::setInteraction(nullptr); }

std::map<std::string, std::string> fileContents(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        files[entry.path().filename().string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return files;
}

TempDir::TempDir() {
    std::random_device entropy;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = base / ("tarvo-test-" + std::to_string(entropy()));
        if (std::filesystem::create_directory(candidate)) {
            path_ = std::move(candidate);
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder in " + base.string());
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace tarvo::test
