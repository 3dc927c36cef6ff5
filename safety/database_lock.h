#pragma once
// One import, restore or dry run at a time per retail database: a lock file beside ST_DB, held
// with an operating-system lock for the whole run. The lock dies with its process, so a crashed
// run leaves nothing that blocks the next one.

#include <filesystem>
#include <memory>

namespace tarvo::safety {

class DatabaseLock {
public:
    // Takes the lock of the database folder (the ST_DB folder); throws SafetyError naming the
    // folder when another run holds it or the lock file cannot be made.
    explicit DatabaseLock(const std::filesystem::path& database);
    ~DatabaseLock();
    DatabaseLock(const DatabaseLock&) = delete;
    DatabaseLock& operator=(const DatabaseLock&) = delete;

    // The lock file: TARVO-IMPORT.LCK in the folder that holds ST_DB.
    static std::filesystem::path lockFile(const std::filesystem::path& database);

private:
    int fd_ = -1;
};

}  // namespace tarvo::safety
