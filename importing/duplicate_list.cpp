#include "importing/duplicate_list.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace tarvo::importing {

namespace {

constexpr size_t kPendingBytes = 1 << 20;

void putNumber(std::string& out, uint32_t number) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(number >> (8 * i)));
}

void putText(std::string& out, const std::string& text) {
    putNumber(out, static_cast<uint32_t>(text.size()));
    out += text;
}

[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error("temporary file of the duplicate list: " + what + " (" + std::strerror(errno) + ")");
}

}  // namespace

// The entries' bytes: those in the file (unlinked as soon as it is made, so it goes with the
// process), then those not yet written.
struct DuplicateList::Spool {
    int fd = -1;
    uint64_t written = 0;
    std::string pending;
    size_t count = 0;

    Spool() = default;
    Spool(const Spool&) = delete;
    Spool& operator=(const Spool&) = delete;
    ~Spool() {
        if (fd >= 0) ::close(fd);
    }

    void spill() {
        if (fd < 0) {
            std::string name = (std::filesystem::temp_directory_path() / "tarvo-duplicates-XXXXXX").string();
            fd = ::mkstemp(name.data());
            if (fd < 0) fail("cannot be created");
            ::unlink(name.c_str());
        }
        for (size_t done = 0; done < pending.size();) {
            const ssize_t n = ::pwrite(fd, pending.data() + done, pending.size() - done, static_cast<off_t>(written + done));
            if (n <= 0) fail("cannot be written");
            done += static_cast<size_t>(n);
        }
        written += pending.size();
        pending.clear();
    }
};

namespace {

// Reads the spool's bytes in order: the file's in blocks, then the pending ones.
class SpoolReader {
public:
    SpoolReader(int fd, uint64_t fileBytes, std::string_view pending)
        : fd_(fd), fileBytes_(fileBytes), pending_(pending) {}

    uint32_t number() {
        const std::string_view bytes = take(4);
        uint32_t n = 0;
        for (int i = 0; i < 4; ++i) n |= uint32_t(static_cast<unsigned char>(bytes[i])) << (8 * i);
        return n;
    }
    std::string text() {
        const uint32_t length = number();
        return std::string(take(length));
    }

private:
    std::string_view take(size_t length) {
        while (buffer_.size() - at_ < length) {
            buffer_.erase(0, at_);
            at_ = 0;
            if (read_ < fileBytes_) {
                const size_t chunk = static_cast<size_t>(std::min<uint64_t>(kPendingBytes, fileBytes_ - read_));
                const size_t old = buffer_.size();
                buffer_.resize(old + chunk);
                const ssize_t n = ::pread(fd_, buffer_.data() + old, chunk, static_cast<off_t>(read_));
                if (n <= 0) fail("cannot be read");
                buffer_.resize(old + static_cast<size_t>(n));
                read_ += static_cast<uint64_t>(n);
            } else if (!pendingTaken_) {
                buffer_ += pending_;
                pendingTaken_ = true;
            } else {
                throw std::runtime_error("temporary file of the duplicate list: ends early");
            }
        }
        const std::string_view bytes = std::string_view(buffer_).substr(at_, length);
        at_ += length;
        return bytes;
    }

    int fd_;
    uint64_t fileBytes_;
    std::string_view pending_;
    uint64_t read_ = 0;
    bool pendingTaken_ = false;
    std::string buffer_;
    size_t at_ = 0;
};

}  // namespace

DuplicateList::DuplicateList(std::initializer_list<DuplicateEntry> entries) {
    for (const DuplicateEntry& entry : entries) push_back(entry);
}

void DuplicateList::push_back(const DuplicateEntry& entry) {
    if (!spool_) spool_ = std::make_shared<Spool>();
    std::string& out = spool_->pending;
    putText(out, entry.newCode);
    putText(out, entry.newName);
    putText(out, entry.existingCode);
    putText(out, entry.existingName);
    putNumber(out, entry.templateRecno);
    putNumber(out, entry.stockRecno);
    ++spool_->count;
    if (out.size() >= kPendingBytes) spool_->spill();
}

size_t DuplicateList::size() const { return spool_ ? spool_->count : 0; }

void DuplicateList::forEach(const std::function<void(const DuplicateEntry&)>& visit) const {
    if (!spool_) return;
    SpoolReader reader(spool_->fd, spool_->written, spool_->pending);
    DuplicateEntry entry;
    for (size_t i = 0; i < spool_->count; ++i) {
        entry.newCode = reader.text();
        entry.newName = reader.text();
        entry.existingCode = reader.text();
        entry.existingName = reader.text();
        entry.templateRecno = reader.number();
        entry.stockRecno = reader.number();
        visit(entry);
    }
}

}  // namespace tarvo::importing
