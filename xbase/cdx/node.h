#pragma once
// Decoded pages of a tag's B-tree and the codecs between them and the 512-byte page images.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "xbase/cdx/format.h"
#include "xbase/cdx/node_memory.h"

namespace tarvo::xbase::cdx {

// One page of a tag's tree. Interior entries hold the greatest key and record number of their child's
// subtree; leaf keys are kept expanded to the full key length.
struct Node {
    using Bytes = std::vector<uint8_t, NodeAllocator<uint8_t>>;
    using Numbers = std::vector<uint32_t, NodeAllocator<uint32_t>>;

    Node() = default;
    // A node whose arrays live in a tag's node memory.
    explicit Node(NodeMemory* memory)
        : keys(NodeAllocator<uint8_t>(memory)), recnos(NodeAllocator<uint32_t>(memory)),
          children(NodeAllocator<uint32_t>(memory)) {}

    uint32_t offset = 0;
    uint16_t keyLength = 0;
    bool leaf = true;
    bool dirty = false;
    uint32_t left = kNoPage;
    uint32_t right = kNoPage;
    Bytes keys;        // count() keys back to back
    Numbers recnos;
    Numbers children;  // interior nodes: the child page of each entry
    uint32_t dataBytes = 0;          // leaf: compressed key bytes the entries take on the page
    uint32_t maxRecno = 0;           // leaf: not below its greatest record number

    size_t count() const { return recnos.size(); }
    const uint8_t* key(size_t i) const { return keys.data() + i * keyLength; }
    uint8_t* key(size_t i) { return keys.data() + i * keyLength; }
};

// Gives a node made by makeNode() back to its tag's node memory.
struct NodeDeleter {
    NodeMemory* memory = nullptr;
    void operator()(Node* node) const noexcept {
        node->~Node();
        memory->deallocate(node, sizeof(Node));
    }
};
using NodePtr = std::unique_ptr<Node, NodeDeleter>;

// A node that lives, fields and arrays, in a tag's node memory.
inline NodePtr makeNode(NodeMemory& memory) {
    return NodePtr(new (memory.allocate(sizeof(Node))) Node(&memory), NodeDeleter{&memory});
}

// The decoded pages of one tag by offset: a slot for every page of the file, so finding a page is one index.
class NodeCache {
public:
    explicit NodeCache(NodeMemory& memory) : memory_(memory), slots_(NodeAllocator<NodePtr>(&memory)) {}
    Node* find(uint32_t offset) const {
        size_t slot = offset / kPageSize;
        return offset % kPageSize == 0 && slot < slots_.size() ? slots_[slot].get() : nullptr;
    }
    Node& add(NodePtr node);  // replaces any node cached at its offset
    void erase(uint32_t offset);
    // Drops every node; their memory goes back to the system, so rebuilding a tag again and again does not
    // pile up blocks of sizes no longer asked for.
    void clear() {
        slots_ = Slots(NodeAllocator<NodePtr>(&memory_));
        memory_.reset();
    }
    // Visits every cached node in file order.
    template <typename Visit>
    void forEach(Visit visit) {
        for (auto& node : slots_)
            if (node) visit(*node);
    }

private:
    using Slots = std::vector<NodePtr, NodeAllocator<NodePtr>>;
    NodeMemory& memory_;
    Slots slots_;
};

// Orders entries by key bytes, then record number.
inline int compareEntries(const uint8_t* a, uint32_t recnoA, const uint8_t* b, uint32_t recnoB, size_t keyLength) {
    int c = std::memcmp(a, b, keyLength);
    if (c != 0) return c;
    return recnoA < recnoB ? -1 : recnoA > recnoB ? 1 : 0;
}

// Entry moves shared by leaves and interior nodes (leaf sizes are the caller's to recount).
void insertEntry(Node& node, size_t pos, const uint8_t* key, uint32_t recno, uint32_t child);
void eraseEntry(Node& node, size_t pos);
void moveTail(Node& from, size_t start, Node& to);  // appends from's entries [start, end) to `to`
void setEntryKey(Node& node, size_t pos, const uint8_t* key, uint32_t recno);

// Interior nodes: fixed-size entries of key, record number and child page (both big-endian).
size_t interiorCapacity(uint16_t keyLength);
void encodeInterior(const Node& node, bool root, uint8_t* page);

// Reads the pages of one tag and compresses its leaves: each leaf key drops the bytes it shares with the
// previous key and its trailing pad bytes (blank for character keys, NUL otherwise).
class NodeCodec {
public:
    NodeCodec(uint16_t keyLength, uint8_t pad);

    uint16_t keyLength() const { return keyLength_; }
    // Bytes `key` takes on the page after `previous` (nullptr for the first key of a leaf).
    unsigned storedBytes(const uint8_t* previous, const uint8_t* key) const;
    // Page bytes the entries take in the layout written for them, and whether that fits one page.
    size_t usedBytes(size_t count, uint32_t dataBytes, uint32_t maxRecno) const;
    size_t usedBytes(const Node& leaf) const { return usedBytes(leaf.count(), leaf.dataBytes, leaf.maxRecno); }
    bool fits(size_t count, uint32_t dataBytes, uint32_t maxRecno) const {
        return usedBytes(count, dataBytes, maxRecno) <= kLeafSpace;
    }
    bool fits(const Node& leaf) const { return usedBytes(leaf) <= kLeafSpace; }

    void insert(Node& leaf, size_t pos, const uint8_t* key, uint32_t recno) const;
    void erase(Node& leaf, size_t pos) const;
    void recount(Node& leaf) const;  // recomputes dataBytes and maxRecno exactly

    void encode(const Node& leaf, bool root, uint8_t* page) const;
    void encode(const uint8_t* const* keys, const uint32_t* recnos, size_t count, uint32_t left, uint32_t right,
                bool root, uint8_t* page) const;

    // Decodes any page of the tag (leaf or interior); throws FormatError when it does not add up.
    void decode(const uint8_t* page, uint32_t fileSize, Node& node) const;

private:
    struct Layout {
        unsigned recnoBits;
        unsigned entryBytes;
    };
    Layout layout(uint32_t maxRecno, bool compact) const;
    unsigned trailing(const uint8_t* key) const;
    void decodeLeaf(const uint8_t* page, size_t count, Node& node) const;
    void decodeInterior(const uint8_t* page, size_t count, uint32_t fileSize, Node& node) const;

    uint16_t keyLength_;
    uint8_t pad_;
    unsigned countBits_;  // bits of the duplicate and of the trailing count
};

}  // namespace tarvo::xbase::cdx
