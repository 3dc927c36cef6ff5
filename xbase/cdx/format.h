#pragma once
// Fixed facts of the compact compound index (CDX) format; its parts read and write numbers with
// the byte-order helpers included here.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "xbase/byte_order.h"

namespace tarvo::xbase::cdx {

constexpr uint32_t kPageSize = 512;
constexpr uint32_t kHeaderSize = 1024;  // a tag header takes two pages
constexpr uint32_t kNoPage = 0xFFFFFFFF;
constexpr uint16_t kMaxKeyLength = 240;
constexpr uint16_t kTagNameLength = 10;  // key length of the tag directory

// Every node starts with attributes, key count and the left and right sibling pointers.
constexpr size_t kNodeHeaderSize = 12;
constexpr size_t kLeafHeaderSize = 24;
constexpr size_t kLeafSpace = kPageSize - kLeafHeaderSize;      // entries plus compressed keys
constexpr size_t kInteriorSpace = kPageSize - kNodeHeaderSize;  // key + record number + child

constexpr uint16_t kAttrRoot = 0x01;
constexpr uint16_t kAttrLeaf = 0x02;

// Index option bits of a tag header.
constexpr uint8_t kOptionUnique = 0x01;
constexpr uint8_t kOptionFor = 0x08;
constexpr uint8_t kOptionCompact = 0x20;
constexpr uint8_t kOptionCompound = 0x40;
constexpr uint8_t kOptionDirectory = 0x80;

// A page that does not decode; the tag adds the file and tag names to the text.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "page 0x1A00", for messages.
inline std::string pageName(uint32_t offset) {
    char text[24];
    std::snprintf(text, sizeof text, "page 0x%X", offset);
    return text;
}

}  // namespace tarvo::xbase::cdx
