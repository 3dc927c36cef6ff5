#pragma once
// The 1024-byte header of one tag of a compound index; the file header is that of the tag directory.

#include <cstdint>
#include <string>

namespace tarvo::xbase::cdx {

constexpr size_t kExpressionPoolSize = 512;  // key expression, NUL, FOR expression, NUL

struct TagHeader {
    uint32_t root = 0;
    uint32_t freeList = 0;  // head of the free page list; kept in the tag directory's header
    uint32_t counter = 0;   // changed on every update, so other programs see the index changed
    uint16_t keyLength = 0;
    uint8_t options = 0;
    bool descending = false;
    std::string keyExpression;
    std::string forExpression;

    // Reads kHeaderSize bytes; throws FormatError when the key length is impossible.
    static TagHeader decode(const uint8_t* data);
    // Writes kHeaderSize bytes; the expressions must fit the pool.
    void encode(uint8_t* data) const;
    bool expressionsFit() const;
};

}  // namespace tarvo::xbase::cdx
