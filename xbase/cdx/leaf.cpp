// Leaf compression of the compact index format.
#include <algorithm>
#include <bit>

#include "xbase/cdx/node.h"

namespace tarvo::xbase::cdx {

namespace {
// Common writers never pack an entry into fewer than three bytes.
constexpr unsigned kMinEntryBytes = 3;
constexpr unsigned kMaxEntryBytes = 8;

uint32_t lowMask(unsigned bits) { return bits >= 32 ? 0xFFFFFFFFu : (1u << bits) - 1; }

uint64_t word(const uint8_t* bytes) {
    uint64_t w;
    std::memcpy(&w, bytes, sizeof w);
    return w;
}

// How many bytes a and b share at their start, at most `limit`; compared a word at a time.
unsigned sharedPrefix(const uint8_t* a, const uint8_t* b, unsigned limit) {
    unsigned n = 0;
    for (; n + 8 <= limit; n += 8) {
        uint64_t differ = word(a + n) ^ word(b + n);
        if (differ == 0) continue;
        int bits = std::endian::native == std::endian::little ? std::countr_zero(differ) : std::countl_zero(differ);
        return n + static_cast<unsigned>(bits) / 8;
    }
    while (n < limit && a[n] == b[n]) ++n;
    return n;
}
}  // namespace

NodeCodec::NodeCodec(uint16_t keyLength, uint8_t pad)
    : keyLength_(keyLength), pad_(pad), countBits_(static_cast<unsigned>(std::bit_width(keyLength))) {}

NodeCodec::Layout NodeCodec::layout(uint32_t maxRecno, bool compact) const {
    unsigned recnoBits = std::max(1u, static_cast<unsigned>(std::bit_width(maxRecno)));
    unsigned bytes = (2 * countBits_ + recnoBits + 7) / 8;
    if (!compact) bytes = std::max(bytes, kMinEntryBytes);
    return {std::min(32u, bytes * 8 - 2 * countBits_), bytes};
}

unsigned NodeCodec::trailing(const uint8_t* key) const {
    const uint64_t padWord = 0x0101010101010101u * pad_;
    unsigned n = 0;
    while (n + 8 <= keyLength_ && word(key + keyLength_ - n - 8) == padWord) n += 8;
    while (n < keyLength_ && key[keyLength_ - 1 - n] == pad_) ++n;
    return n;
}

unsigned NodeCodec::storedBytes(const uint8_t* previous, const uint8_t* key) const {
    unsigned trail = trailing(key);
    unsigned dup = previous ? sharedPrefix(previous, key, keyLength_ - trail) : 0;
    return keyLength_ - dup - trail;
}

size_t NodeCodec::usedBytes(size_t count, uint32_t dataBytes, uint32_t maxRecno) const {
    return count * layout(maxRecno, false).entryBytes + dataBytes;
}

void NodeCodec::insert(Node& leaf, size_t pos, const uint8_t* key, uint32_t recno) const {
    const uint8_t* before = pos > 0 ? leaf.key(pos - 1) : nullptr;
    if (pos < leaf.count()) leaf.dataBytes -= storedBytes(before, leaf.key(pos));
    insertEntry(leaf, pos, key, recno, 0);
    leaf.dataBytes += storedBytes(pos > 0 ? leaf.key(pos - 1) : nullptr, leaf.key(pos));
    if (pos + 1 < leaf.count()) leaf.dataBytes += storedBytes(leaf.key(pos), leaf.key(pos + 1));
    leaf.maxRecno = std::max(leaf.maxRecno, recno);
}

void NodeCodec::erase(Node& leaf, size_t pos) const {
    const uint8_t* before = pos > 0 ? leaf.key(pos - 1) : nullptr;
    leaf.dataBytes -= storedBytes(before, leaf.key(pos));
    if (pos + 1 < leaf.count()) {
        leaf.dataBytes -= storedBytes(leaf.key(pos), leaf.key(pos + 1));
        leaf.dataBytes += storedBytes(before, leaf.key(pos + 1));
    }
    eraseEntry(leaf, pos);
}

void NodeCodec::recount(Node& leaf) const {
    leaf.dataBytes = 0;
    leaf.maxRecno = 0;
    for (size_t i = 0; i < leaf.count(); ++i) {
        leaf.dataBytes += storedBytes(i > 0 ? leaf.key(i - 1) : nullptr, leaf.key(i));
        leaf.maxRecno = std::max(leaf.maxRecno, leaf.recnos[i]);
    }
}

void NodeCodec::encode(const Node& leaf, bool root, uint8_t* page) const {
    std::vector<const uint8_t*> keys(leaf.count());
    for (size_t i = 0; i < leaf.count(); ++i) keys[i] = leaf.key(i);
    encode(keys.data(), leaf.recnos.data(), leaf.count(), leaf.left, leaf.right, root, page);
}

void NodeCodec::encode(const uint8_t* const* keys, const uint32_t* recnos, size_t count, uint32_t left,
                       uint32_t right, bool root, uint8_t* page) const {
    uint32_t dataBytes = 0;
    uint32_t maxRecno = 0;
    for (size_t i = 0; i < count; ++i) {
        dataBytes += storedBytes(i > 0 ? keys[i - 1] : nullptr, keys[i]);
        maxRecno = std::max(maxRecno, recnos[i]);
    }
    // A page read from another writer may only fit with the narrowest entries.
    Layout lay = layout(maxRecno, false);
    if (count * lay.entryBytes + dataBytes > kLeafSpace) lay = layout(maxRecno, true);
    size_t used = count * lay.entryBytes + dataBytes;
    if (used > kLeafSpace) throw FormatError("leaf entries do not fit one page");

    std::fill(page, page + kPageSize, 0);
    putLE16(page, static_cast<uint16_t>(kAttrLeaf | (root ? kAttrRoot : 0)));
    putLE16(page + 2, static_cast<uint16_t>(count));
    putLE32(page + 4, left);
    putLE32(page + 8, right);
    putLE16(page + 12, static_cast<uint16_t>(kLeafSpace - used));
    putLE32(page + 14, lowMask(lay.recnoBits));
    page[18] = static_cast<uint8_t>(lowMask(countBits_));
    page[19] = static_cast<uint8_t>(lowMask(countBits_));
    page[20] = static_cast<uint8_t>(lay.recnoBits);
    page[21] = static_cast<uint8_t>(countBits_);
    page[22] = static_cast<uint8_t>(countBits_);
    page[23] = static_cast<uint8_t>(lay.entryBytes);

    uint8_t* entry = page + kLeafHeaderSize;
    size_t keyAt = kPageSize;
    for (size_t i = 0; i < count; ++i) {
        const uint8_t* key = keys[i];
        unsigned trail = trailing(key);
        unsigned dup = i > 0 ? sharedPrefix(keys[i - 1], key, keyLength_ - trail) : 0;
        uint64_t packed =
            recnos[i] | uint64_t{dup} << lay.recnoBits | uint64_t{trail} << (lay.recnoBits + countBits_);
        for (unsigned b = 0; b < lay.entryBytes; ++b) entry[b] = static_cast<uint8_t>(packed >> (8 * b));
        entry += lay.entryBytes;
        unsigned length = keyLength_ - dup - trail;
        keyAt -= length;
        std::memcpy(page + keyAt, key + dup, length);
    }
}

void NodeCodec::decodeLeaf(const uint8_t* page, size_t count, Node& node) const {
    uint32_t recnoMask = getLE32(page + 14);
    unsigned dupMask = page[18], trailMask = page[19];
    unsigned recnoBits = page[20], dupBits = page[21], trailBits = page[22], bytes = page[23];
    if (bytes == 0 || bytes > kMaxEntryBytes || recnoBits > 32 || dupBits > 8 || trailBits > 8 ||
        recnoBits + dupBits + trailBits > bytes * 8 || recnoMask != lowMask(recnoBits) ||
        dupMask != lowMask(dupBits) || trailMask != lowMask(trailBits))
        throw FormatError("leaf bit widths do not fit its entries");
    size_t keysFloor = kLeafHeaderSize + count * bytes;
    if (keysFloor > kPageSize)
        throw FormatError("leaf key count " + std::to_string(count) + " does not fit a page");

    node.keys.resize(count * keyLength_);
    node.recnos.resize(count);
    const uint8_t* entry = page + kLeafHeaderSize;
    size_t keyAt = kPageSize;
    for (size_t i = 0; i < count; ++i, entry += bytes) {
        uint64_t packed = 0;
        for (unsigned b = 0; b < bytes; ++b) packed |= uint64_t{entry[b]} << (8 * b);
        uint32_t recno = static_cast<uint32_t>(packed & recnoMask);
        unsigned dup = static_cast<unsigned>(packed >> recnoBits) & dupMask;
        unsigned trail = static_cast<unsigned>(packed >> (recnoBits + dupBits)) & trailMask;
        if ((i == 0 && dup != 0) || dup + trail > keyLength_)
            throw FormatError("leaf entry " + std::to_string(i) + " has impossible byte counts");
        unsigned length = keyLength_ - dup - trail;
        if (keyAt < keysFloor + length) throw FormatError("leaf keys overlap its entries");
        keyAt -= length;
        uint8_t* key = node.key(i);
        if (dup) std::memcpy(key, node.key(i - 1), dup);
        std::memcpy(key + dup, page + keyAt, length);
        std::memset(key + dup + length, pad_, trail);
        node.recnos[i] = recno;
        if (i > 0 && compareEntries(node.key(i - 1), node.recnos[i - 1], key, recno, keyLength_) >= 0)
            throw FormatError("leaf keys out of order");
    }
    recount(node);
}

}  // namespace tarvo::xbase::cdx
