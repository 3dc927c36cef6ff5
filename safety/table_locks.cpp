#include "safety/table_locks.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "safety/safety_error.h"

namespace tarvo::safety {

std::string heldTableMessage(const std::filesystem::path& file) {
    return "[VOOpen] File is in use by another program : " + file.string() + " ! Data toko tidak diubah.";
}

TableLocks::TableLocks(const std::filesystem::path& database, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        const std::filesystem::path file = database / name;
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            const std::string reason = std::strerror(errno);
            release();
            throw SafetyError(file.string() + ": cannot open: " + reason);
        }
        descriptors_.push_back(fd);
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            const std::string reason = std::strerror(errno);
            release();
            throw SafetyError(held ? heldTableMessage(file) : file.string() + ": cannot lock: " + reason);
        }
    }
}

TableLocks::~TableLocks() { release(); }

void TableLocks::release() {
    for (int fd : descriptors_) ::close(fd);  // closing releases the lock
    descriptors_.clear();
}

}  // namespace tarvo::safety
