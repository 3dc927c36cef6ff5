#include "xbase/cdx/page_file.h"

#include <limits>
#include <system_error>

#include "xbase/cdx/format.h"
#include "xbase/error.h"

namespace tarvo::xbase::cdx {

namespace {
// Gathered writes go out at this size at the latest.
constexpr size_t kMaxGathered = size_t{1} << 20;
}  // namespace

PageFile::PageFile(const std::filesystem::path& path, bool readOnly, bool create)
    : path_(path), readOnly_(readOnly) {
    auto mode = std::ios::in | std::ios::binary;
    if (!readOnly) mode |= std::ios::out;
    if (create) mode |= std::ios::trunc;
    stream_.open(path, mode);
    if (!stream_) fail(create ? "cannot create the index file" : "cannot open the index file");
    std::error_code ec;
    uintmax_t bytes = create ? 0 : std::filesystem::file_size(path, ec);
    if (ec) fail("cannot read the size of the index file");
    if (bytes > std::numeric_limits<uint32_t>::max() - kHeaderSize) fail("index file too large");
    size_ = static_cast<uint32_t>(bytes);
}

PageFile::~PageFile() {
    try {
        writeGathered();
    } catch (const Error&) {
        // A destructor cannot report; callers that care call flush() first.
    }
}

bool PageFile::holds(uint32_t offset, size_t length) const {
    return offset % kPageSize == 0 && offset <= size_ && size_ - offset >= length;
}

void PageFile::read(uint32_t offset, uint8_t* out, size_t length) {
    if (!holds(offset, length)) fail("page " + std::to_string(offset) + " lies outside the file (truncated?)");
    writeGathered();
    stream_.clear();
    stream_.seekg(offset);
    stream_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(length));
    if (static_cast<size_t>(stream_.gcount()) != length) fail("cannot read page " + std::to_string(offset));
}

void PageFile::write(uint32_t offset, const uint8_t* data, size_t length) {
    if (readOnly_) fail("the index file is open read-only");
    if (offset > std::numeric_limits<uint32_t>::max() - kHeaderSize) fail("index file too large");
    if (!gathered_.empty() && offset != gatheredAt_ + gathered_.size()) writeGathered();
    if (gathered_.empty()) gatheredAt_ = offset;
    gathered_.insert(gathered_.end(), data, data + length);
    if (offset + length > size_) size_ = static_cast<uint32_t>(offset + length);
    if (gathered_.size() >= kMaxGathered) writeGathered();
}

void PageFile::writeGathered() {
    if (gathered_.empty()) return;
    const uint32_t at = gatheredAt_;
    stream_.clear();
    stream_.seekp(at);
    stream_.write(reinterpret_cast<const char*>(gathered_.data()), static_cast<std::streamsize>(gathered_.size()));
    gathered_.clear();
    if (!stream_) fail("cannot write page " + std::to_string(at));
}

void PageFile::flush() {
    if (readOnly_) return;
    writeGathered();
    stream_.flush();
    if (!stream_) fail("cannot write the index file");
}

void PageFile::fail(const std::string& what) const { throw Error(path_.string() + ": " + what); }

}  // namespace tarvo::xbase::cdx
