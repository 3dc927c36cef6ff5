#include "xbase/cdx/node.h"

#include <algorithm>

namespace tarvo::xbase::cdx {

Node& NodeCache::add(NodePtr node) {
    size_t slot = node->offset / kPageSize;
    if (slot >= slots_.size()) slots_.resize(std::max(slot + 1, slots_.size() * 2));
    slots_[slot] = std::move(node);
    return *slots_[slot];
}

void NodeCache::erase(uint32_t offset) {
    size_t slot = offset / kPageSize;
    if (slot < slots_.size()) slots_[slot].reset();
}

void insertEntry(Node& node, size_t pos, const uint8_t* key, uint32_t recno, uint32_t child) {
    node.keys.insert(node.keys.begin() + static_cast<ptrdiff_t>(pos * node.keyLength), key, key + node.keyLength);
    node.recnos.insert(node.recnos.begin() + static_cast<ptrdiff_t>(pos), recno);
    if (!node.leaf) node.children.insert(node.children.begin() + static_cast<ptrdiff_t>(pos), child);
}

void eraseEntry(Node& node, size_t pos) {
    auto keyAt = node.keys.begin() + static_cast<ptrdiff_t>(pos * node.keyLength);
    node.keys.erase(keyAt, keyAt + node.keyLength);
    node.recnos.erase(node.recnos.begin() + static_cast<ptrdiff_t>(pos));
    if (!node.leaf) node.children.erase(node.children.begin() + static_cast<ptrdiff_t>(pos));
}

void moveTail(Node& from, size_t start, Node& to) {
    auto keyAt = from.keys.begin() + static_cast<ptrdiff_t>(start * from.keyLength);
    to.keys.insert(to.keys.end(), keyAt, from.keys.end());
    from.keys.erase(keyAt, from.keys.end());
    auto recnoAt = from.recnos.begin() + static_cast<ptrdiff_t>(start);
    to.recnos.insert(to.recnos.end(), recnoAt, from.recnos.end());
    from.recnos.erase(recnoAt, from.recnos.end());
    if (!from.leaf) {
        auto childAt = from.children.begin() + static_cast<ptrdiff_t>(start);
        to.children.insert(to.children.end(), childAt, from.children.end());
        from.children.erase(childAt, from.children.end());
    }
}

void setEntryKey(Node& node, size_t pos, const uint8_t* key, uint32_t recno) {
    std::memcpy(node.key(pos), key, node.keyLength);
    node.recnos[pos] = recno;
}

size_t interiorCapacity(uint16_t keyLength) { return kInteriorSpace / (keyLength + 8u); }

void encodeInterior(const Node& node, bool root, uint8_t* page) {
    // A change that stopped half way on a damaged file can leave a node overfull.
    if (node.count() > interiorCapacity(node.keyLength)) throw FormatError("interior keys do not fit one page");
    std::memset(page, 0, kPageSize);
    putLE16(page, root ? kAttrRoot : 0);
    putLE16(page + 2, static_cast<uint16_t>(node.count()));
    putLE32(page + 4, node.left);
    putLE32(page + 8, node.right);
    uint8_t* out = page + kNodeHeaderSize;
    for (size_t i = 0; i < node.count(); ++i) {
        std::memcpy(out, node.key(i), node.keyLength);
        putBE32(out + node.keyLength, node.recnos[i]);
        putBE32(out + node.keyLength + 4, node.children[i]);
        out += node.keyLength + 8;
    }
}

void NodeCodec::decode(const uint8_t* page, uint32_t fileSize, Node& node) const {
    // Only the root and leaf bits tell how to read a node; Visual FoxPro sets others (0x04) that
    // say nothing about its layout, so they are passed over.
    uint16_t attributes = getLE16(page);
    node.keyLength = keyLength_;
    node.leaf = (attributes & kAttrLeaf) != 0;
    node.dirty = false;
    node.left = getLE32(page + 4);
    node.right = getLE32(page + 8);
    node.keys.clear();
    node.recnos.clear();
    node.children.clear();
    size_t count = getLE16(page + 2);
    if (node.leaf)
        decodeLeaf(page, count, node);
    else
        decodeInterior(page, count, fileSize, node);
}

void NodeCodec::decodeInterior(const uint8_t* page, size_t count, uint32_t fileSize, Node& node) const {
    if (count == 0) throw FormatError("interior node without keys");
    if (count > interiorCapacity(keyLength_))
        throw FormatError("interior key count " + std::to_string(count) + " does not fit a page");
    node.keys.assign(count * keyLength_, 0);
    node.recnos.resize(count);
    node.children.resize(count);
    const uint8_t* in = page + kNodeHeaderSize;
    for (size_t i = 0; i < count; ++i, in += keyLength_ + 8u) {
        std::memcpy(node.key(i), in, keyLength_);
        node.recnos[i] = getBE32(in + keyLength_);
        uint32_t child = getBE32(in + keyLength_ + 4);
        if (child == 0 || child % kPageSize != 0 || child > fileSize || fileSize - child < kPageSize)
            throw FormatError("child pointer " + std::to_string(child) + " outside the file");
        node.children[i] = child;
        if (i > 0 &&
            compareEntries(node.key(i - 1), node.recnos[i - 1], node.key(i), node.recnos[i], keyLength_) >= 0)
            throw FormatError("interior keys out of order");
    }
}

}  // namespace tarvo::xbase::cdx
