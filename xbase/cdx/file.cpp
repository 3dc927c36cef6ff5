#include "xbase/cdx/file.h"

#include <algorithm>
#include <cctype>
#include <unordered_set>

#include "xbase/cdx/keys.h"
#include "xbase/error.h"
#include "xbase/text_case.h"

namespace tarvo::xbase {

using namespace cdx;

namespace {
// Tag names are stored blank padded; some writers pad with NULs.
std::string nameFromKey(std::string_view key) {
    size_t end = key.find_last_not_of(std::string_view(" \0", 2));
    return std::string(key.substr(0, end == std::string_view::npos ? 0 : end + 1));
}

bool validTagName(const std::string& name) {
    if (name.empty() || name.size() > kTagNameLength || std::isdigit(static_cast<unsigned char>(name[0])))
        return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    });
}
}  // namespace

CdxFile::CdxFile(const std::filesystem::path& path, bool readOnly, bool create) : pages_(path, readOnly, create) {}

std::unique_ptr<CdxFile> CdxFile::open(const std::filesystem::path& path, bool readOnly) {
    std::unique_ptr<CdxFile> file(new CdxFile(path, readOnly, false));
    file->loadTags();
    if (!readOnly) file->loadFreeList();
    return file;
}

std::unique_ptr<CdxFile> CdxFile::create(const std::filesystem::path& path) {
    std::unique_ptr<CdxFile> file(new CdxFile(path, false, true));
    TagHeader header;
    header.keyLength = kTagNameLength;
    header.options = kOptionCompact | kOptionCompound | kOptionDirectory;
    file->end_ = kHeaderSize;
    file->directory_ = std::make_unique<CdxTag>(*file, 0, "", header);
    file->directory_->startEmpty();
    file->flush();
    return file;
}

CdxFile::~CdxFile() {
    try {
        flush();
    } catch (...) {
        // A destructor cannot report; callers that care call flush() first.
    }
}

void CdxFile::fail(const std::string& what) const { throw Error(path().string() + ": " + what); }

void CdxFile::loadTags() {
    if (pages_.size() < kHeaderSize) fail("too short for a compound index");
    end_ = (pages_.size() + kPageSize - 1) / kPageSize * kPageSize;
    uint8_t bytes[kHeaderSize];
    pages_.read(0, bytes, kHeaderSize);
    TagHeader header;
    try {
        header = TagHeader::decode(bytes);
    } catch (const FormatError& e) {
        fail(std::string("file header: ") + e.what());
    }
    if (!(header.options & kOptionCompound)) fail("not a compound index");
    directory_ = std::make_unique<CdxTag>(*this, 0, "", header);

    std::vector<CdxEntry> entries;
    for (CdxTag::Position pos = directory_->edge(true); pos.valid();) {
        entries.push_back(directory_->entryAt(pos));
        if (!directory_->forward(pos)) break;
    }
    std::unordered_set<uint32_t> headers;
    for (const CdxEntry& entry : entries) {
        std::string name = nameFromKey(entry.key);
        std::string where = "tag " + name + ": ";
        uint32_t offset = entry.recno;
        if (offset == 0 || !pages_.holds(offset, kHeaderSize))
            fail(where + "header " + pageName(offset) + " lies outside the file");
        if (!headers.insert(offset).second)
            fail(where + "header " + pageName(offset) + " belongs to another tag too");
        pages_.read(offset, bytes, kHeaderSize);
        try {
            header = TagHeader::decode(bytes);
        } catch (const FormatError& e) {
            fail(where + e.what());
        }
        if (header.root < kPageSize || !pages_.holds(header.root, kPageSize))
            fail(where + "root " + pageName(header.root) + " lies outside the file");
        tags_.push_back(std::make_unique<CdxTag>(*this, offset, name, header));
    }
    std::sort(tags_.begin(), tags_.end(),
              [](const auto& a, const auto& b) { return a->headerOffset_ < b->headerOffset_; });
}

// Free pages form a chain: each holds the offset of the next in its first four bytes, the file header the
// first; 0 (or -1) ends it.
void CdxFile::loadFreeList() {
    std::unordered_set<uint32_t> seen;
    for (uint32_t next = directory_->header_.freeList; next != 0 && next != kNoPage;) {
        if (!pages_.holds(next, kPageSize) || !seen.insert(next).second) fail("the list of free pages is damaged");
        freePages_.push_back(next);
        uint8_t link[4];
        pages_.read(next, link, sizeof link);
        next = getLE32(link);
    }
}

void CdxFile::writeFreeList() {
    uint8_t page[kPageSize] = {};
    for (size_t i = 0; i < freePages_.size(); ++i) {
        putLE32(page, i + 1 < freePages_.size() ? freePages_[i + 1] : 0);
        pages_.write(freePages_[i], page, kPageSize);
    }
    directory_->header_.freeList = freePages_.empty() ? 0 : freePages_.front();
    directory_->headerDirty_ = true;
}

uint32_t CdxFile::allocatePage() {
    if (!freePages_.empty()) {
        uint32_t offset = freePages_.back();
        freePages_.pop_back();
        freeListDirty_ = true;
        return offset;
    }
    if (end_ > UINT32_MAX - 2 * kHeaderSize) fail("index file full");
    uint32_t offset = end_;
    end_ += kPageSize;
    return offset;
}

uint32_t CdxFile::allocateHeader() {
    if (end_ > UINT32_MAX - 2 * kHeaderSize) fail("index file full");
    uint32_t offset = end_;
    end_ += kHeaderSize;
    return offset;
}

void CdxFile::releasePage(uint32_t offset) {
    freePages_.push_back(offset);
    freeListDirty_ = true;
}

std::vector<CdxTag*> CdxFile::tags() {
    std::vector<CdxTag*> out;
    for (auto& tag : tags_) out.push_back(tag.get());
    return out;
}

CdxTag* CdxFile::findTag(std::string_view name) {
    std::string wanted = asciiUpperCase(name);
    for (auto& tag : tags_)
        if (asciiUpperCase(tag->info().name) == wanted) return tag.get();
    return nullptr;
}

CdxTag& CdxFile::addTag(const CdxTagInfo& info, char keyType,
                        const std::vector<std::pair<std::string, uint32_t>>& sortedKeys) {
    if (readOnly()) fail("the index file is open read-only");
    std::string name = asciiUpperCase(info.name);
    if (!validTagName(name) || name.size() > directory_->info().keyLength)
        fail("invalid tag name \"" + info.name + "\"");
    std::string where = "tag " + name + ": ";
    if (!knownCdxKeyType(keyType))
        fail(where + "unknown key type '" + std::string(1, keyType) + "'");
    if (info.keyLength == 0 || info.keyLength > kMaxKeyLength)
        fail(where + "impossible key length " + std::to_string(info.keyLength));
    TagHeader header;
    header.keyLength = info.keyLength;
    header.options = kOptionCompact | kOptionCompound | (info.unique ? kOptionUnique : 0) |
                     (info.forExpression.empty() ? 0 : kOptionFor);
    header.descending = info.descending;
    header.keyExpression = info.keyExpression;
    header.forExpression = info.forExpression;
    if (!header.expressionsFit()) fail(where + "key and FOR expressions too long");
    std::vector<const uint8_t*> keys;
    std::vector<uint32_t> recnos;
    try {
        CdxTag::collectKeys(sortedKeys, info.keyLength, info.unique, keys, recnos);
    } catch (const FormatError& e) {
        fail(where + e.what());
    }

    CdxTag* tag = findTag(name);
    if (tag) {
        tag->releaseTree();
        header.counter = tag->header_.counter;
        tag->reset(name, header);
    } else {
        uint32_t offset = allocateHeader();
        directory_->insert(cdxCharacterKey(name, directory_->info().keyLength), offset);
        tags_.push_back(std::make_unique<CdxTag>(*this, offset, name, header));
        tag = tags_.back().get();
    }
    tag->setKeyType(keyType);
    tag->build(keys, recnos);
    return *tag;
}

void CdxFile::flush() {
    if (readOnly() || !directory_) return;
    // The changed pages of all tags in file order, so they reach the file in long runs.
    std::vector<std::pair<Node*, CdxTag*>> changed;
    auto gather = [&](CdxTag& tag) {
        tag.nodes_.forEach([&](Node& n) {
            if (n.dirty) changed.emplace_back(&n, &tag);
        });
    };
    gather(*directory_);
    for (auto& tag : tags_) gather(*tag);
    std::sort(changed.begin(), changed.end(), [](const auto& a, const auto& b) { return a.first->offset < b.first->offset; });
    for (auto [node, tag] : changed) tag->writeNode(*node);
    for (auto& tag : tags_) {
        if (tag->changed_) directory_->changed_ = true;
        tag->flush();
    }
    if (freeListDirty_) writeFreeList();
    freeListDirty_ = false;
    directory_->flush();
    pages_.flush();
}

std::vector<std::string> CdxFile::verify() {
    std::vector<std::string> problems = directory_->verify();
    for (auto& tag : tags_) {
        std::vector<std::string> more = tag->verify();
        problems.insert(problems.end(), more.begin(), more.end());
    }
    return problems;
}

}  // namespace tarvo::xbase
