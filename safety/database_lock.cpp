#include "safety/database_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "safety/durable_files.h"
#include "safety/safety_error.h"

namespace tarvo::safety {

std::filesystem::path DatabaseLock::lockFile(const std::filesystem::path& database) {
    std::filesystem::path folder = database;
    if (!folder.has_filename()) folder = folder.parent_path();
    return folder.parent_path() / "TARVO-IMPORT.LCK";
}

DatabaseLock::DatabaseLock(const std::filesystem::path& database) {
    const std::filesystem::path file = lockFile(database);
    fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd_ >= 0) {
        // A new lock file is the shop's, like ST_DB, so that whoever may import there can take it.
        try {
            applyOwnership(file, ownershipOf(database).forFile());
        } catch (const SafetyError& e) {
            ::close(fd_);
            throw SafetyError(std::string("Kunci Lokasi Data tidak bisa dibuat : ") + e.what());
        }
    } else if (errno == EEXIST) {
        fd_ = ::open(file.c_str(), O_RDWR | O_CLOEXEC);
    }
    if (fd_ < 0)
        throw SafetyError("Kunci Lokasi Data tidak bisa dibuat : " + file.string() + " ( " + std::strerror(errno) + " )");
    if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
        const bool busy = errno == EWOULDBLOCK;
        const std::string reason = std::strerror(errno);
        ::close(fd_);
        fd_ = -1;
        if (busy)
            throw SafetyError("Lokasi Data sedang dipakai oleh proses Tarvo-Import lain ( " + database.string() +
                              " ). Tunggu sampai proses itu selesai.");
        throw SafetyError("Kunci Lokasi Data tidak bisa dipasang : " + file.string() + " ( " + reason + " )");
    }
    // The holder's process number, for whoever wonders who holds it.
    const std::string pid = std::to_string(::getpid()) + "\n";
    if (::ftruncate(fd_, 0) == 0 && ::pwrite(fd_, pid.data(), pid.size(), 0) < 0) {
        // Informational only.
    }
}

DatabaseLock::~DatabaseLock() {
    if (fd_ >= 0) ::close(fd_);  // closing the descriptor releases the lock
}

}  // namespace tarvo::safety
