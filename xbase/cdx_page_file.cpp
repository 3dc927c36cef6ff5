#include "xbase/cdx_page_file.h"

#include <limits>
#include <system_error>

#include "xbase/cdx_format.h"
#include "xbase/error.h"

namespace tarvo::xbase::cdx {

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

bool PageFile::holds(uint32_t offset, size_t length) const {
    return offset % kPageSize == 0 && offset <= size_ && size_ - offset >= length;
}

void PageFile::read(uint32_t offset, uint8_t* out, size_t length) {
    if (!holds(offset, length)) fail("page " + std::to_string(offset) + " lies outside the file (truncated?)");
    stream_.clear();
    stream_.seekg(offset);
    stream_.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(length));
    if (static_cast<size_t>(stream_.gcount()) != length) fail("cannot read page " + std::to_string(offset));
}

void PageFile::write(uint32_t offset, const uint8_t* data, size_t length) {
    if (readOnly_) fail("the index file is open read-only");
    if (offset > std::numeric_limits<uint32_t>::max() - kHeaderSize) fail("index file too large");
    stream_.clear();
    stream_.seekp(offset);
    stream_.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length));
    if (!stream_) fail("cannot write page " + std::to_string(offset));
    if (offset + length > size_) size_ = static_cast<uint32_t>(offset + length);
}

void PageFile::flush() {
    if (readOnly_) return;
    stream_.flush();
    if (!stream_) fail("cannot write the index file");
}

void PageFile::fail(const std::string& what) const { throw Error(path_.string() + ": " + what); }

}  // namespace tarvo::xbase::cdx
