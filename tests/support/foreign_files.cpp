#include "tests/support/foreign_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

namespace tarvo::test {

namespace {

constexpr size_t kPage = 512;
constexpr size_t kTagHeader = 1024;
constexpr size_t kLeafHeader = 24;
constexpr unsigned kRecnoBits = 16, kCountBits = 4, kEntryBytes = 3;

void put(std::string& out, size_t at, const std::string& bytes) { out.replace(at, bytes.size(), bytes); }

// A tag header: root, free list, key length, options, signature, direction, expression pool.
std::string tagHeader(uint32_t root, const RawTag& tag, bool directory) {
    std::string out(kTagHeader, '\0');
    put(out, 0, le32(root));
    put(out, 4, le32(0xFFFFFFFF));
    put(out, 12, le16(tag.keyLength));
    out[14] = static_cast<char>(0x60 | (directory ? 0x80 : 0) | (tag.unique ? 0x01 : 0) |
                                (tag.forExpression.empty() ? 0 : 0x08));
    out[15] = 1;
    put(out, 502, le16(tag.descending ? 1 : 0));
    put(out, 506, le16(static_cast<uint32_t>(tag.forExpression.size() + 1)));
    put(out, 510, le16(static_cast<uint32_t>(tag.keyExpression.size() + 1)));
    put(out, 512, tag.keyExpression);
    put(out, 512 + tag.keyExpression.size() + 1, tag.forExpression);
    return out;
}

// A root leaf: entries packed after the header, each key's bytes (less the bytes it shares with the
// key before it and its trailing pad bytes) packed from the end of the page backwards.
std::string rootLeaf(const RawTag& tag) {
    std::string out(kPage, '\0');
    put(out, 0, le16(3));  // root and leaf
    put(out, 2, le16(static_cast<uint32_t>(tag.entries.size())));
    put(out, 4, le32(0xFFFFFFFF));
    put(out, 8, le32(0xFFFFFFFF));
    put(out, 14, le32((1u << kRecnoBits) - 1));
    out[18] = static_cast<char>((1u << kCountBits) - 1);
    out[19] = static_cast<char>((1u << kCountBits) - 1);
    out[20] = static_cast<char>(kRecnoBits);
    out[21] = static_cast<char>(kCountBits);
    out[22] = static_cast<char>(kCountBits);
    out[23] = static_cast<char>(kEntryBytes);
    size_t keysAt = kPage;
    std::string previous;
    for (size_t i = 0; i < tag.entries.size(); ++i) {
        const auto& [key, recno] = tag.entries[i];
        EXPECT_EQ(key.size(), tag.keyLength) << "key of the wrong length in the test";
        size_t trail = 0;
        while (trail < key.size() && key[key.size() - 1 - trail] == tag.pad) ++trail;
        size_t dup = 0;
        while (i > 0 && dup < key.size() - trail && key[dup] == previous[dup]) ++dup;
        const std::string stored = key.substr(dup, key.size() - trail - dup);
        keysAt -= stored.size();
        put(out, keysAt, stored);
        const uint32_t entry = recno | static_cast<uint32_t>(dup) << kRecnoBits |
                               static_cast<uint32_t>(trail) << (kRecnoBits + kCountBits);
        for (unsigned b = 0; b < kEntryBytes; ++b)
            out[kLeafHeader + i * kEntryBytes + b] = static_cast<char>(entry >> (8 * b));
        previous = key;
    }
    const size_t used = kLeafHeader + tag.entries.size() * kEntryBytes;
    EXPECT_LE(used, keysAt) << "the tag does not fit in one leaf";
    put(out, 12, le16(static_cast<uint32_t>(keysAt - used)));
    return out;
}

}  // namespace

std::string le16(uint32_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string le32(uint32_t v) { return le16(v) + le16(v >> 16); }

std::string dbfImage(uint8_t version, const std::vector<RawField>& fields, const std::vector<std::string>& records,
                     uint8_t languageDriver, bool backlink) {
    uint32_t recordLength = 1;
    for (const auto& f : fields) recordLength += static_cast<uint32_t>(f.length);
    uint32_t headerLength = 32 + 32 * static_cast<uint32_t>(fields.size()) + 1 + (backlink ? 263 : 0);
    std::string out;
    out += static_cast<char>(version);
    out += std::string("\x7C\x07\x08", 3);  // last update 08/07/2024
    out += le32(static_cast<uint32_t>(records.size())) + le16(headerLength) + le16(recordLength);
    out += std::string(16, '\0');
    out += '\0';
    out += static_cast<char>(languageDriver);
    out += std::string(2, '\0');
    uint32_t offset = 1;
    for (const auto& f : fields) {
        std::string d(32, '\0');
        d.replace(0, f.name.size(), f.name);
        d[11] = f.type;
        d.replace(12, 4, le32(offset));
        d[16] = static_cast<char>(f.length);
        d[17] = static_cast<char>(f.decimals);
        d[18] = static_cast<char>(f.flags);
        out += d;
        offset += static_cast<uint32_t>(f.length);
    }
    out += '\x0D';
    if (backlink) out += std::string(263, '\0');
    for (const auto& r : records) {
        EXPECT_EQ(r.size(), recordLength) << "record image of the wrong length in the test";
        out += r;
    }
    out += '\x1A';
    return out;
}

std::string cdxImage(const std::vector<RawTag>& tags) {
    // Directory header and leaf, then each tag's header and leaf.
    RawTag directory;
    directory.keyLength = 10;
    std::vector<std::string> parts;
    for (size_t i = 0; i < tags.size(); ++i) {
        const uint32_t header = static_cast<uint32_t>(kTagHeader + kPage + i * (kTagHeader + kPage));
        std::string name = tags[i].name;
        name.resize(10, ' ');
        directory.entries.emplace_back(name, header);
        parts.push_back(tagHeader(header + kTagHeader, tags[i], false) + rootLeaf(tags[i]));
    }
    std::sort(directory.entries.begin(), directory.entries.end());
    std::string out = tagHeader(kTagHeader, directory, true) + rootLeaf(directory);
    for (const std::string& part : parts) out += part;
    return out;
}

void writeFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tarvo::test
