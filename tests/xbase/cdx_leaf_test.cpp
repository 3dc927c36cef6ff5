// Leaf compression: the compressed size kept while entries come and go matches the bytes each key
// takes after its neighbour, and leaves written to a page read back the same, for every key length the
// word-at-a-time comparisons meet (shorter than a word, word multiples and the longest keys).
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "xbase/cdx/format.h"
#include "xbase/cdx/node.h"

namespace tarvo::xbase::cdx {
namespace {

// Compressed key bytes of sorted keys, counted byte by byte: each key drops its trailing pad bytes and the
// bytes it shares with the key before it.
uint32_t referenceDataBytes(const std::vector<std::string>& keys, char pad) {
    uint32_t total = 0;
    for (size_t i = 0; i < keys.size(); ++i) {
        const std::string& key = keys[i];
        size_t trail = 0;
        while (trail < key.size() && key[key.size() - 1 - trail] == pad) ++trail;
        size_t dup = 0;
        while (i > 0 && dup < key.size() - trail && keys[i - 1][dup] == key[dup]) ++dup;
        total += static_cast<uint32_t>(key.size() - dup - trail);
    }
    return total;
}

// Keys over two letters followed by pad bytes: sorted neighbours share prefixes of every length and end in
// every number of pads.
std::vector<std::string> leafKeys(std::mt19937& rng, size_t keyLength, char pad, size_t count) {
    std::set<std::string> keys;
    while (keys.size() < count) {
        std::string key(keyLength, pad);
        for (size_t i = 0, letters = rng() % (keyLength + 1); i < letters; ++i) key[i] = "AB"[rng() % 2];
        keys.insert(key);
    }
    return {keys.begin(), keys.end()};
}

const uint8_t* bytesOf(const std::string& key) { return reinterpret_cast<const uint8_t*>(key.data()); }

TEST(CdxLeafTest, CompressedSizesMatchAndPagesReadBack) {
    std::mt19937 rng(1234);
    for (uint16_t keyLength : {1, 5, 8, 9, 16, 30, 150, 240}) {
        for (char pad : {' ', '\0'}) {
            SCOPED_TRACE(testing::Message() << "key length " << keyLength << ", pad " << int(pad));
            const NodeCodec codec(keyLength, static_cast<uint8_t>(pad));
            std::vector<std::string> keys = leafKeys(rng, keyLength, pad, keyLength == 1 ? 3 : 40);
            // Entries arrive in random order; the leaf keeps them sorted and its size current.
            std::vector<size_t> arrival(keys.size());
            for (size_t i = 0; i < arrival.size(); ++i) arrival[i] = i;
            std::shuffle(arrival.begin(), arrival.end(), rng);
            Node leaf;
            leaf.keyLength = keyLength;
            std::vector<std::string> held;
            for (size_t index : arrival) {
                const std::string& key = keys[index];
                auto at = std::lower_bound(held.begin(), held.end(), key);
                std::vector<std::string> grown = held;
                grown.insert(grown.begin() + (at - held.begin()), key);
                if (!codec.fits(grown.size(), referenceDataBytes(grown, pad), static_cast<uint32_t>(keys.size())))
                    continue;
                codec.insert(leaf, static_cast<size_t>(at - held.begin()), bytesOf(key), static_cast<uint32_t>(index + 1));
                held = std::move(grown);
                ASSERT_EQ(leaf.dataBytes, referenceDataBytes(held, pad));
            }
            ASSERT_GT(held.size(), 1u);
            while (held.size() > held.size() / 2 + 1) {  // erasing keeps the size current as well
                size_t at = rng() % held.size();
                codec.erase(leaf, at);
                held.erase(held.begin() + static_cast<long>(at));
                ASSERT_EQ(leaf.dataBytes, referenceDataBytes(held, pad));
            }

            uint8_t page[kPageSize];
            codec.encode(leaf, true, page);
            Node read;
            codec.decode(page, kPageSize * 4, read);
            EXPECT_EQ(read.keys, leaf.keys);
            EXPECT_EQ(read.recnos, leaf.recnos);
            EXPECT_EQ(read.dataBytes, leaf.dataBytes);
        }
    }
}

}  // namespace
}  // namespace tarvo::xbase::cdx
