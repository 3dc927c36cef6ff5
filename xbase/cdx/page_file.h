#pragma once
// The bytes of an index file: reads and writes at page offsets, with errors naming the file. Writes that
// continue one another are gathered and reach the file together, so flushing pages in file order costs a
// few large writes instead of one seek and write per page.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace tarvo::xbase::cdx {

class PageFile {
public:
    PageFile(const std::filesystem::path& path, bool readOnly, bool create);
    ~PageFile();  // writes what is gathered; call flush() to see write errors
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    const std::filesystem::path& path() const { return path_; }
    bool readOnly() const { return readOnly_; }
    uint32_t size() const { return size_; }
    // Whether `length` bytes at the page-aligned `offset` lie inside the file.
    bool holds(uint32_t offset, size_t length) const;

    void read(uint32_t offset, uint8_t* out, size_t length);
    void write(uint32_t offset, const uint8_t* data, size_t length);
    void flush();

private:
    [[noreturn]] void fail(const std::string& what) const;
    void writeGathered();

    std::filesystem::path path_;
    bool readOnly_;
    std::fstream stream_;
    uint32_t size_ = 0;
    std::vector<uint8_t> gathered_;  // bytes written from gatheredAt_ on, not in the file yet
    uint32_t gatheredAt_ = 0;
};

}  // namespace tarvo::xbase::cdx
