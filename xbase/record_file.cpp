#include "xbase/record_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "xbase/error.h"
#include "xbase/file_writes.h"

namespace tarvo::xbase {

namespace {
constexpr uint32_t kWindowBytes = 256 * 1024;

std::string systemText() { return std::strerror(errno); }
}  // namespace

RecordFile::RecordFile(const std::filesystem::path& path, bool readOnly, Lock lock) : path_(path) {
    fd_ = ::open(path.c_str(), (readOnly ? O_RDONLY : O_RDWR) | O_CLOEXEC);
    if (fd_ < 0) throw Error(path.string() + ": cannot open: " + systemText());
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        throw Error(path.string() + ": is a folder, not a table");
    }
    // flock locks belong to the open file description, so a second open of the same file
    // conflicts even within this process.
    int mode = (lock == Lock::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    if (::flock(fd_, mode) != 0) {
        bool busy = errno == EWOULDBLOCK;
        std::string reason = systemText();
        ::close(fd_);
        if (busy) throw FileInUseError(path.string() + ": file is in use by another program");
        throw Error(path.string() + ": cannot lock: " + reason);
    }
}

RecordFile::~RecordFile() {
    try {
        flush();
    } catch (const Error&) {
        // The table reports write failures on commit; closing must not throw.
    }
    ::close(fd_);
}

uint64_t RecordFile::size() const {
    struct stat st {};
    if (::fstat(fd_, &st) != 0) throw Error(path_.string() + ": cannot read size: " + systemText());
    return static_cast<uint64_t>(st.st_size);
}

void RecordFile::readAt(uint64_t offset, char* data, size_t length) const {
    while (length > 0) {
        ssize_t n = ::pread(fd_, data, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) throw Error(path_.string() + ": read error: " + systemText());
        if (n == 0) throw Error(path_.string() + ": unexpected end of file at offset " + std::to_string(offset));
        data += n;
        offset += static_cast<uint64_t>(n);
        length -= static_cast<size_t>(n);
    }
}

void RecordFile::writeAt(uint64_t offset, const char* data, size_t length) {
    while (length > 0) {
        ssize_t n = fileWrites().write(fd_, data, length, static_cast<off_t>(offset));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw Error(path_.string() + ": write error: " + systemText());
        data += n;
        offset += static_cast<uint64_t>(n);
        length -= static_cast<size_t>(n);
    }
}

void RecordFile::truncate(uint64_t length) {
    flush();
    discard();
    if (::ftruncate(fd_, static_cast<off_t>(length)) != 0)
        throw Error(path_.string() + ": cannot truncate: " + systemText());
}

void RecordFile::sync() {
    flush();
    if (::fdatasync(fd_) != 0) throw Error(path_.string() + ": cannot commit to disk: " + systemText());
}

namespace {
// Open-file-description locks conflict between any two opens of a file, even in one process,
// as the file locks of the opens themselves do; classic POSIX locks serve where they are missing.
#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
#else
constexpr int kSetLock = F_SETLK;
#endif

bool setByteLock(int fd, uint64_t offset, uint64_t length, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = static_cast<off_t>(offset);
    lock.l_len = static_cast<off_t>(length);
    return ::fcntl(fd, kSetLock, &lock) == 0;
}
}  // namespace

bool RecordFile::lockBytes(uint64_t offset, uint64_t length) { return setByteLock(fd_, offset, length, F_WRLCK); }

void RecordFile::unlockBytes(uint64_t offset, uint64_t length) { setByteLock(fd_, offset, length, F_UNLCK); }

void RecordFile::setLayout(uint32_t headerLength, uint32_t recordLength) {
    flush();
    discard();
    headerLength_ = headerLength;
    recordLength_ = std::max<uint32_t>(recordLength, 1);
    windowCapacity_ = std::max<uint32_t>(kWindowBytes / recordLength_, 1);
    window_.assign(static_cast<size_t>(windowCapacity_) * recordLength_, ' ');
}

uint64_t RecordFile::recordOffset(uint32_t recno) const {
    return headerLength_ + static_cast<uint64_t>(recno - 1) * recordLength_;
}

void RecordFile::loadWindow(uint32_t recno, uint32_t count) {
    flush();
    uint64_t offset = recordOffset(recno);
    const uint64_t fileSize = size();
    uint64_t available = fileSize > offset ? (fileSize - offset) / recordLength_ : 0;
    count = static_cast<uint32_t>(std::min<uint64_t>(count, available));
    if (count == 0) throw Error(path_.string() + ": record " + std::to_string(recno) + " is beyond the end of the file");
    readAt(offset, window_.data(), static_cast<size_t>(count) * recordLength_);
    windowFirst_ = recno;
    windowCount_ = count;
}

void RecordFile::readRecord(uint32_t recno, std::string& image) {
    if (windowFirst_ == 0 || recno < windowFirst_ || recno >= windowFirst_ + windowCount_) {
        // Reading on from the window's end is a sequential scan: fill a whole window.
        // Any other jump reads just the record, as index-order navigation does.
        bool sequential = windowFirst_ != 0 && recno == windowFirst_ + windowCount_;
        loadWindow(recno, sequential || recno == 1 ? windowCapacity_ : 1);
    }
    const char* slot = window_.data() + static_cast<size_t>(recno - windowFirst_) * recordLength_;
    image.assign(slot, recordLength_);
}

void RecordFile::writeRecord(uint32_t recno, std::string_view image) {
    bool inWindow = windowFirst_ != 0 && recno >= windowFirst_ && recno < windowFirst_ + windowCount_;
    bool extendsWindow = windowFirst_ != 0 && recno == windowFirst_ + windowCount_ && windowCount_ < windowCapacity_;
    if (!inWindow && !extendsWindow) {
        flush();
        windowFirst_ = recno;
        windowCount_ = 0;
        extendsWindow = true;
    }
    uint32_t slot = recno - windowFirst_;
    if (extendsWindow) ++windowCount_;
    std::memcpy(window_.data() + static_cast<size_t>(slot) * recordLength_, image.data(),
                std::min<size_t>(image.size(), recordLength_));
    if (dirtyEnd_ == dirtyFirst_) {
        dirtyFirst_ = slot;
        dirtyEnd_ = slot + 1;
    } else {
        dirtyFirst_ = std::min(dirtyFirst_, slot);
        dirtyEnd_ = std::max(dirtyEnd_, slot + 1);
    }
}

void RecordFile::flush() {
    if (dirtyEnd_ == dirtyFirst_) return;
    uint32_t first = dirtyFirst_;
    uint32_t end = dirtyEnd_;
    dirtyFirst_ = dirtyEnd_ = 0;
    writeAt(recordOffset(windowFirst_ + first), window_.data() + static_cast<size_t>(first) * recordLength_,
            static_cast<size_t>(end - first) * recordLength_);
}

void RecordFile::discard() {
    dirtyFirst_ = dirtyEnd_ = 0;
    windowFirst_ = 0;
    windowCount_ = 0;
}

}  // namespace tarvo::xbase
