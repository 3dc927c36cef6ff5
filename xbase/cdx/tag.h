#pragma once
// One tag of a compound index: a B-tree of interior nodes and compressed leaves over raw keys of a fixed
// length, each with its record number. Keys are kept in ascending order of (key bytes, record number);
// descending tags are the same tree read from the other end.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx/header.h"
#include "xbase/cdx/node.h"

namespace tarvo::xbase {

class CdxFile;
class CdxCursor;

// Key types: 'C' character, 'N' numeric (numeric, float, double and currency values), 'D' date,
// 'L' logical, 'I' an Integer field alone (4 bytes), 'T' date and time.
inline bool knownCdxKeyType(char type) {
    return type == 'C' || type == 'N' || type == 'D' || type == 'L' || type == 'I' || type == 'T';
}

struct CdxTagInfo {
    std::string name;
    std::string keyExpression;
    std::string forExpression;
    uint16_t keyLength = 0;
    bool unique = false;
    bool descending = false;
};

// One key of a tag and the record it belongs to.
struct CdxEntry {
    std::string key;
    uint32_t recno = 0;
    bool operator==(const CdxEntry&) const = default;
};

class CdxTag {
public:
    CdxTag(CdxFile& file, uint32_t headerOffset, std::string name, const cdx::TagHeader& header);
    CdxTag(const CdxTag&) = delete;
    CdxTag& operator=(const CdxTag&) = delete;

    const CdxTagInfo& info() const { return info_; }
    char keyType() const { return keyType_; }
    // The type of the keys (see knownCdxKeyType): it decides the pad byte leaf compression drops (blank for
    // character keys, NUL otherwise). The file does not record it: set it after opening, before use.
    void setKeyType(char type);

    // Adds an entry; the key must be exactly keyLength bytes. Returns false, changing nothing, when the entry
    // is there already or, in a unique tag, its key is.
    bool insert(std::string_view key, uint32_t recno);
    // Removes an entry; false when it is not there.
    bool erase(std::string_view key, uint32_t recno);
    // Removes every entry.
    void clear();
    uint32_t keyCount();
    // Checks the whole tree; returns the problems found, each naming the file and tag (empty when sound).
    std::vector<std::string> verify();

private:
    friend class CdxFile;
    friend class CdxCursor;

    // An entry's place: the leaf page and the index in it.
    struct Position {
        uint32_t leaf = cdx::kNoPage;
        size_t index = 0;
        bool valid() const { return leaf != cdx::kNoPage; }
    };
    // What a search compares entries with: the first `length` key bytes, then the record number if asked.
    struct Probe {
        const uint8_t* key;
        size_t length;
        uint32_t recno;
        bool withRecno;
    };
    // One interior node on the way down and the entry taken.
    struct Step {
        cdx::Node* node;
        size_t index;
    };

    [[noreturn]] void fail(const std::string& what) const;
    std::string problem(const std::string& what) const;
    size_t maxDepth() const;
    void checkDepth(size_t depth) const;
    void requireWritable() const;
    const uint8_t* checkedKey(std::string_view key) const;

    // Reading the tree.
    cdx::Node& node(uint32_t offset);
    cdx::Node& leafNode(uint32_t offset);
    int compare(const uint8_t* key, uint32_t recno, const Probe& probe) const;
    size_t firstAtLeast(const cdx::Node& node, const Probe& probe, bool strict) const;
    // The leaf that holds the first entry >= probe (> when strict); nullptr when every entry is smaller,
    // unless `clamp`, which then takes the rightmost path. Records the interior steps in `path`.
    cdx::Node* descend(const Probe& probe, bool strict, std::vector<Step>* path, bool clamp);
    Position lowerBound(const Probe& probe, bool strict);
    Position edge(bool first);
    bool forward(Position& pos);
    bool backward(Position& pos);
    bool enterSibling(const cdx::Node& from, const uint8_t* key, uint32_t recno, bool right, Position& pos);
    CdxEntry entryAt(const Position& pos);
    void readEntry(const Position& pos, CdxEntry& entry);  // into an entry whose key buffer is reused
    // Every page of the tree, root first, each reached once; throws on loops and pages outside the file.
    std::vector<uint32_t> treePages();

    // Changing the tree.
    cdx::Node& newNode(bool leaf);
    void release(uint32_t offset);
    void touch();
    void updateSeparators(std::vector<Step>& path, const cdx::Node& child);
    // Where a leaf splits, with the compressed key bytes and greatest record number of each part.
    struct LeafSplit {
        size_t at;
        uint32_t leftData, leftMaxRecno;
        uint32_t rightData, rightMaxRecno;
    };
    void splitLeaf(std::vector<Step>& path, cdx::Node* leaf, bool appending);
    LeafSplit leafSplitPoint(const cdx::Node& leaf, bool appending);
    void addToParent(std::vector<Step>& path, cdx::Node& left, cdx::Node& right);
    bool shiftToNeighbour(const std::vector<Step>& path, cdx::Node& full);
    void removeNode(std::vector<Step>& path, cdx::Node& node);
    void mergeSmallLeaf(std::vector<Step>& path, cdx::Node& leaf);
    void collapseRoot();
    void unlink(const cdx::Node& node);
    void startEmpty();
    void releaseTree();
    // Checks the keys of a new tag: length, order (throws FormatError); a unique tag keeps each key's first.
    static void collectKeys(const std::vector<std::pair<std::string, uint32_t>>& sortedKeys, uint16_t keyLength,
                            bool unique, std::vector<const uint8_t*>& keys, std::vector<uint32_t>& recnos);
    void build(const std::vector<const uint8_t*>& keys, const std::vector<uint32_t>& recnos);

    // Writing back.
    void writeNode(cdx::Node& n);  // a changed node to its page
    void flush();                  // every changed node, then the header
    void evict();
    void reset(std::string name, const cdx::TagHeader& header);

    CdxFile& file_;
    uint32_t headerOffset_;
    CdxTagInfo info_;
    cdx::TagHeader header_;
    char keyType_ = 'C';
    cdx::NodeCodec codec_;
    cdx::NodeMemory memory_;  // before nodes_, which gives its arrays back to it
    cdx::NodeCache nodes_;
    bool headerDirty_ = false;
    bool changed_ = false;  // since the last flush
    uint64_t version_ = 0;  // counts changes, so cursors know to find their entry again
    // Reused by each change, so changes allocate nothing: the path down the tree, and per-entry sums of a split.
    std::vector<Step> path_;
    std::vector<uint32_t> splitCosts_;
    std::vector<uint32_t> splitMaxRecnos_;
};

}  // namespace tarvo::xbase
