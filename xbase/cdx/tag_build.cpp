// Building a tag in bulk from sorted keys: full leaves written in key order, then the levels above.
#include <algorithm>

#include "xbase/cdx/file.h"
#include "xbase/cdx/tag.h"

namespace tarvo::xbase {

using namespace cdx;

namespace {
// The greatest entry of each node of one level, which the level above holds.
struct Level {
    std::vector<const uint8_t*> keys;
    std::vector<uint32_t> recnos;
    std::vector<uint32_t> pages;

    void add(const uint8_t* key, uint32_t recno, uint32_t page) {
        keys.push_back(key);
        recnos.push_back(recno);
        pages.push_back(page);
    }
};
}  // namespace

void CdxTag::collectKeys(const std::vector<std::pair<std::string, uint32_t>>& sortedKeys, uint16_t keyLength,
                         bool unique, std::vector<const uint8_t*>& keys, std::vector<uint32_t>& recnos) {
    keys.reserve(sortedKeys.size());
    recnos.reserve(sortedKeys.size());
    for (const auto& [key, recno] : sortedKeys) {
        if (key.size() != keyLength)
            throw FormatError("key of " + std::to_string(key.size()) + " bytes where the key length is " +
                              std::to_string(keyLength));
        const auto* bytes = reinterpret_cast<const uint8_t*>(key.data());
        if (!keys.empty()) {
            if (compareEntries(keys.back(), recnos.back(), bytes, recno, keyLength) >= 0)
                throw FormatError("the keys given for the tag are not sorted");
            if (unique && std::memcmp(keys.back(), bytes, keyLength) == 0) continue;
        }
        keys.push_back(bytes);
        recnos.push_back(recno);
    }
}

void CdxTag::build(const std::vector<const uint8_t*>& keys, const std::vector<uint32_t>& recnos) {
    const uint16_t keyLength = info_.keyLength;
    nodes_.clear();

    uint8_t page[kPageSize];
    Level level;
    const size_t n = keys.size();
    size_t start = 0;
    uint32_t offset = file_.allocatePage();
    uint32_t left = kNoPage;
    for (;;) {
        size_t end = start;
        uint32_t dataBytes = 0, maxRecno = 0;
        while (end < n) {
            uint32_t bytes = codec_.storedBytes(end > start ? keys[end - 1] : nullptr, keys[end]);
            uint32_t widest = std::max(maxRecno, recnos[end]);
            if (!codec_.fits(end - start + 1, dataBytes + bytes, widest)) break;
            dataBytes += bytes;
            maxRecno = widest;
            ++end;
        }
        bool more = end < n;
        uint32_t right = more ? file_.allocatePage() : kNoPage;
        codec_.encode(keys.data() + start, recnos.data() + start, end - start, left, right, start == 0 && !more,
                      page);
        file_.pages_.write(offset, page, kPageSize);
        if (end > start) level.add(keys[end - 1], recnos[end - 1], offset);
        if (!more) break;
        left = offset;
        offset = right;
        start = end;
    }
    header_.root = offset;  // an empty tag keeps its empty leaf as root

    const size_t capacity = interiorCapacity(keyLength);
    while (level.pages.size() > 1) {
        const size_t count = level.pages.size();
        const size_t nodeCount = (count + capacity - 1) / capacity;
        std::vector<uint32_t> pages(nodeCount);
        for (uint32_t& p : pages) p = file_.allocatePage();
        Level upper;
        size_t at = 0;
        for (size_t j = 0; j < nodeCount; ++j) {
            size_t take = count / nodeCount + (j < count % nodeCount ? 1 : 0);
            Node interior;
            interior.keyLength = keyLength;
            interior.leaf = false;
            interior.left = j > 0 ? pages[j - 1] : kNoPage;
            interior.right = j + 1 < nodeCount ? pages[j + 1] : kNoPage;
            for (size_t i = at; i < at + take; ++i)
                insertEntry(interior, interior.count(), level.keys[i], level.recnos[i], level.pages[i]);
            encodeInterior(interior, nodeCount == 1, page);
            file_.pages_.write(pages[j], page, kPageSize);
            upper.add(level.keys[at + take - 1], level.recnos[at + take - 1], pages[j]);
            at += take;
        }
        level = std::move(upper);
        header_.root = level.pages.front();
    }
    headerDirty_ = true;
    touch();
}

}  // namespace tarvo::xbase
