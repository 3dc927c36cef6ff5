#pragma once
// The data file of a table: positioned reads and writes, the operating-system lock of an
// open, and a record window that makes sequential reads and appends cost one system call
// per many records.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::xbase {

class RecordFile {
public:
    enum class Lock { Shared, Exclusive };

    // Opens the file and takes its lock; throws Error when the file is missing or already
    // held by another open (of this process or another) that conflicts with the lock.
    RecordFile(const std::filesystem::path& path, bool readOnly, Lock lock);
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    uint64_t size() const;
    void readAt(uint64_t offset, char* data, size_t length) const;  // throws when short
    void writeAt(uint64_t offset, const char* data, size_t length);
    void truncate(uint64_t length);
    void sync();
    // A lock of `length` bytes from the offset, taken without waiting; false when another open
    // of the file (of this process or another) holds any of them. Offsets beyond the data are
    // fine: record locks live in a region no record reaches.
    bool lockBytes(uint64_t offset, uint64_t length);
    void unlockBytes(uint64_t offset, uint64_t length);

    // Record access through the window; records are numbered from 1.
    void setLayout(uint32_t headerLength, uint32_t recordLength);
    void readRecord(uint32_t recno, std::string& image);
    void writeRecord(uint32_t recno, std::string_view image);
    void flush();      // writes the window's changed records
    void discard();    // forgets the window (after zap, pack or truncation)

private:
    uint64_t recordOffset(uint32_t recno) const;
    void loadWindow(uint32_t recno, uint32_t count);

    std::filesystem::path path_;
    int fd_ = -1;
    uint32_t headerLength_ = 0;
    uint32_t recordLength_ = 1;
    uint32_t windowCapacity_ = 1;     // records the window can hold
    uint32_t windowFirst_ = 0;        // record number of the window's first record (0: empty)
    uint32_t windowCount_ = 0;
    uint32_t dirtyFirst_ = 0;         // changed records: [dirtyFirst_, dirtyEnd_) as window slots
    uint32_t dirtyEnd_ = 0;
    std::vector<char> window_;
};

}  // namespace tarvo::xbase
