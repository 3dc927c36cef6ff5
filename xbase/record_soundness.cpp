#include "xbase/record_soundness.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "xbase/error.h"

namespace tarvo::xbase {

namespace {

constexpr size_t kBlockBytes = 1 << 20;

// The file read without a lock of its own: the table's open holds the file's locks.
class PlainFile {
public:
    explicit PlainFile(const std::filesystem::path& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        if (fd_ < 0) throw Error(path.string() + ": cannot be read");
    }
    ~PlainFile() { ::close(fd_); }
    PlainFile(const PlainFile&) = delete;
    PlainFile& operator=(const PlainFile&) = delete;
    bool readAt(uint64_t offset, char* data, size_t length) const {
        size_t done = 0;
        while (done < length) {
            const ssize_t n = ::pread(fd_, data + done, length - done, static_cast<off_t>(offset + done));
            if (n <= 0) return false;
            done += static_cast<size_t>(n);
        }
        return true;
    }

private:
    int fd_;
};

std::string flagText(unsigned char flag) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", flag);
    return text;
}

}  // namespace

void checkRecordsAreRecords(const Table& table) {
    const uint32_t count = table.recCount();
    const size_t length = table.recordLength();
    if (count == 0 || length == 0) return;
    const PlainFile file(table.path());
    const uint32_t perBlock = static_cast<uint32_t>(std::max<size_t>(1, kBlockBytes / length));
    std::vector<char> block(static_cast<size_t>(std::min(perBlock, count)) * length);
    for (uint32_t first = 0; first < count; first += perBlock) {
        const uint32_t records = std::min(perBlock, count - first);
        if (!file.readAt(table.headerLength() + uint64_t(first) * length, block.data(), records * length))
            throw Error(table.path().string() + ": the records end before the header's count of " +
                        std::to_string(count));
        for (uint32_t i = 0; i < records; ++i) {
            const char flag = block[i * length];
            if (flag == ' ' || flag == '*') continue;
            throw Error(table.path().string() + ": record " + std::to_string(first + i + 1) +
                        " is not a record (its deletion flag is " + flagText(static_cast<unsigned char>(flag)) +
                        ", neither blank nor '*')");
        }
    }
}

}  // namespace tarvo::xbase
