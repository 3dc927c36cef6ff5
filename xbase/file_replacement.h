#pragma once
// New files put in the place of old ones so that a crash at any moment leaves each file either the
// old one or the new one. The new files are written in a work folder ".tarvo-work-<process>"
// inside the target folder (the same file system), flushed to disk, and each is then renamed over
// its old file: no file is deleted first. A work folder whose process has ended (a run that was
// killed) is removed when the next replacement in that folder begins.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tarvo::xbase {

class FileReplacement {
public:
    enum class MissingFolder { Make, Refuse };

    // Makes the folder when it is missing (or refuses it), removes work folders of ended
    // processes and makes this process's own. Throws Error naming the folder.
    explicit FileReplacement(const std::filesystem::path& folder, MissingFolder missing = MissingFolder::Make);
    // Removes the work folder with whatever is left in it, and the folder when this replacement
    // made it and nothing was put there.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Where the new files are written (an absolute path).
    const std::filesystem::path& workFolder() const { return work_; }

    // Flushes the named tables of the work folder (and their memo and index files there) to
    // disk, then renames each over the folder's table of that name; `beforeRename` hears each name
    // first. The old table's entries under another case of the name, and its memo and index
    // files that the new table does not bring, are removed after its rename; the folder's entries
    // are flushed at the end. Throws Error naming the file.
    void commit(const std::vector<std::string>& tables,
                const std::function<void(const std::string&)>& beforeRename = {});

private:
    std::filesystem::path folder_;
    std::filesystem::path work_;
    bool madeFolder_ = false;
};

}  // namespace tarvo::xbase
