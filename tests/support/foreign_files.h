#pragma once
// Files of other xBase programs built byte by byte from the published layouts, for tests: DBF
// tables of any header version and compact compound indexes (CDX) whose tags fit in one leaf.

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace tarvo::test {

struct RawField {
    std::string name;
    char type;
    int length;
    int decimals = 0;
    uint8_t flags = 0;
};

std::string le16(uint32_t v);
std::string le32(uint32_t v);

// A DBF file image: header, descriptors, terminator, records (each with its deletion flag).
std::string dbfImage(uint8_t version, const std::vector<RawField>& fields, const std::vector<std::string>& records,
                     uint8_t languageDriver = 0, bool backlink = false);

struct RawTag {
    std::string name;
    std::string keyExpression;
    std::string forExpression;
    uint16_t keyLength = 0;
    char pad = ' ';  // the byte trailing counts stand for: blank for character keys, NUL for binary keys
    std::vector<std::pair<std::string, uint32_t>> entries;  // in ascending key order, with their records
    bool descending = false;
    bool unique = false;
};

// A CDX file image: the tag directory and each tag as a header and one root leaf, with 16-bit record
// numbers and 4-bit duplicate and trailing counts in 3-byte entries.
std::string cdxImage(const std::vector<RawTag>& tags);

void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace tarvo::test
