#include "xbase/file_replacement.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "xbase/error.h"
#include "xbase/file_names.h"

namespace tarvo::xbase {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kWorkPrefix = ".tarvo-work-";
// The name earlier versions gave the work folders of templates made from sheets.
constexpr std::string_view kEarlierWorkPrefix = ".tarvo-sheets-";

// Flushes a file's data, or a folder's entries, to disk.
void flushToDisk(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::fsync(fd) == 0;
    if (fd >= 0) ::close(fd);
    if (!flushed) throw Error(path.string() + ": cannot flush to disk");
}

// The process a work folder belongs to, or 0 when the name is no work folder's.
long workFolderProcess(const std::string& name) {
    for (const std::string_view prefix : {kWorkPrefix, kEarlierWorkPrefix})
        if (name.starts_with(prefix)) return std::atol(name.c_str() + prefix.size());
    return 0;
}

// Work folders of runs that ended before cleaning up: their process is gone.
void removeEndedWorkFolders(const fs::path& folder) {
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(folder, error)) {
        const long pid = workFolderProcess(entry.path().filename().string());
        if (pid <= 0) continue;
        const bool alive = ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
        if (!alive) fs::remove_all(entry.path(), error);
    }
}

// The memo and index files that belong to a table.
std::vector<std::string> companionNames(const std::string& table) {
    const std::string stem = fs::path(table).stem().string();
    return {stem + ".FPT", stem + ".DBT", stem + ".CDX"};
}

void renameOver(const fs::path& from, const fs::path& to) {
    std::error_code error;
    fs::rename(from, to, error);
    if (error) throw Error(to.string() + ": cannot replace (" + error.message() + ")");
}

void removeFile(const fs::path& file) {
    std::error_code error;
    fs::remove(file, error);
    if (error) throw Error(file.string() + ": cannot remove (" + error.message() + ")");
}

}  // namespace

FileReplacement::FileReplacement(const fs::path& folder, MissingFolder missing)
    : folder_(fs::absolute(folder).lexically_normal()) {
    if (!folder_.has_filename()) folder_ = folder_.parent_path();  // "/shop/" names the folder "/shop"
    std::error_code error;
    madeFolder_ = !fs::exists(folder_, error);
    if (madeFolder_ && missing == MissingFolder::Refuse) throw Error(folder_.string() + ": no such folder");
    fs::create_directories(folder_, error);
    if (error) throw Error(folder_.string() + ": cannot create the folder (" + error.message() + ")");
    removeEndedWorkFolders(folder_);
    work_ = folder_ / (std::string(kWorkPrefix) + std::to_string(::getpid()));
    fs::remove_all(work_, error);
    fs::create_directory(work_, error);
    if (error) throw Error(folder_.string() + ": cannot write in the folder (" + error.message() + ")");
}

FileReplacement::~FileReplacement() {
    std::error_code error;
    fs::remove_all(work_, error);
    if (madeFolder_ && fs::is_empty(folder_, error)) fs::remove(folder_, error);
}

void FileReplacement::commit(const std::vector<std::string>& tables,
                             const std::function<void(const std::string&)>& beforeRename) {
    auto staged = [&](const std::string& name) { return fs::exists(work_ / name); };
    for (const std::string& table : tables) {
        flushToDisk(work_ / table);
        for (const std::string& companion : companionNames(table))
            if (staged(companion)) flushToDisk(work_ / companion);
    }
    for (const std::string& table : tables) {
        if (beforeRename) beforeRename(table);
        std::vector<std::string> brought;
        for (const std::string& companion : companionNames(table))
            if (staged(companion)) brought.push_back(companion);
        for (const std::string& name : brought) renameOver(work_ / name, folder_ / name);
        renameOver(work_ / table, folder_ / table);
        madeFolder_ = false;
        for (const fs::path& other : allIgnoringCase(folder_, table))
            if (other.filename() != table) removeFile(other);
        for (const std::string& companion : companionNames(table))
            for (const fs::path& old : allIgnoringCase(folder_, companion))
                if (old.filename() != companion || !std::count(brought.begin(), brought.end(), companion)) removeFile(old);
    }
    flushToDisk(folder_);
}

}  // namespace tarvo::xbase
