#pragma once
// A compound index file (CDX) of the FoxPro family: a tag directory, whose keys are the tag names and whose
// record numbers are the offsets of the tag headers, and one B-tree per tag, all in 512-byte pages.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "xbase/cdx/page_file.h"
#include "xbase/cdx/tag.h"

namespace tarvo::xbase {

class CdxFile {
public:
    // Opens an existing file and reads its tag directory; throws Error naming the file when it is damaged.
    static std::unique_ptr<CdxFile> open(const std::filesystem::path& path, bool readOnly);
    // Creates (or empties) a compound file holding no tags.
    static std::unique_ptr<CdxFile> create(const std::filesystem::path& path);
    // Writes what is pending; call flush() to see write errors.
    ~CdxFile();
    CdxFile(const CdxFile&) = delete;
    CdxFile& operator=(const CdxFile&) = delete;

    const std::filesystem::path& path() const { return pages_.path(); }
    bool readOnly() const { return pages_.readOnly(); }

    // The tags in the order they were created (their headers' order in the file), the order in which
    // xBase engines number them.
    std::vector<CdxTag*> tags();
    // Case-insensitive; nullptr when there is no such tag.
    CdxTag* findTag(std::string_view name);
    // Adds the tag, or replaces the one of that name, built in bulk from keys sorted by (key, record number).
    // A unique tag keeps the first record of each key.
    CdxTag& addTag(const CdxTagInfo& info, char keyType,
                   const std::vector<std::pair<std::string, uint32_t>>& sortedKeys);
    // Writes every changed page and header; the file on disk is then consistent.
    void flush();
    // verify() of the tag directory and of every tag.
    std::vector<std::string> verify();

private:
    friend class CdxTag;

    explicit CdxFile(const std::filesystem::path& path, bool readOnly, bool create);
    [[noreturn]] void fail(const std::string& what) const;
    void loadTags();
    void loadFreeList();
    void writeFreeList();
    uint32_t end() const { return end_; }
    uint32_t allocatePage();
    uint32_t allocateHeader();
    void releasePage(uint32_t offset);

    cdx::PageFile pages_;
    std::unique_ptr<CdxTag> directory_;
    std::vector<std::unique_ptr<CdxTag>> tags_;  // by header offset
    std::vector<uint32_t> freePages_;
    bool freeListDirty_ = false;
    uint32_t end_ = 0;  // where the next new page goes; pages below may still wait in the caches
};

}  // namespace tarvo::xbase
