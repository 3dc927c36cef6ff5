#include "xbase/cdx/header.h"

#include <algorithm>
#include <cstring>

#include "xbase/cdx/format.h"

namespace tarvo::xbase::cdx {

namespace {
constexpr size_t kRootAt = 0, kFreeListAt = 4, kCounterAt = 8, kKeyLengthAt = 12, kOptionsAt = 14,
                 kSignatureAt = 15, kHeaderLengthAt = 16, kPageLengthAt = 18, kDescendingAt = 502,
                 kForPositionAt = 504, kForLengthAt = 506, kKeyPositionAt = 508, kKeyLengthPoolAt = 510,
                 kPoolAt = 512;

std::string textAt(const uint8_t* pool, size_t from) {
    if (from >= kExpressionPoolSize) return {};
    const char* start = reinterpret_cast<const char*>(pool + from);
    return std::string(start, strnlen(start, kExpressionPoolSize - from));
}
}  // namespace

TagHeader TagHeader::decode(const uint8_t* data) {
    TagHeader h;
    h.root = getLE32(data + kRootAt);
    h.freeList = getLE32(data + kFreeListAt);
    h.counter = getLE32(data + kCounterAt);
    h.keyLength = getLE16(data + kKeyLengthAt);
    h.options = data[kOptionsAt];
    h.descending = getLE16(data + kDescendingAt) != 0;
    if (h.keyLength == 0 || h.keyLength > kMaxKeyLength)
        throw FormatError("impossible key length " + std::to_string(h.keyLength));
    // The FOR expression follows the key expression's terminating NUL.
    const uint8_t* pool = data + kPoolAt;
    h.keyExpression = textAt(pool, 0);
    if ((h.options & kOptionFor) || getLE16(data + kForLengthAt) > 1)
        h.forExpression = textAt(pool, h.keyExpression.size() + 1);
    return h;
}

bool TagHeader::expressionsFit() const {
    return keyExpression.size() + 1 + forExpression.size() + 1 <= kExpressionPoolSize &&
           keyExpression.find('\0') == std::string::npos && forExpression.find('\0') == std::string::npos;
}

void TagHeader::encode(uint8_t* data) const {
    std::fill(data, data + kHeaderSize, 0);
    putLE32(data + kRootAt, root);
    putLE32(data + kFreeListAt, freeList);
    putLE32(data + kCounterAt, counter);
    putLE16(data + kKeyLengthAt, keyLength);
    data[kOptionsAt] = options;
    data[kSignatureAt] = 1;
    putLE16(data + kHeaderLengthAt, static_cast<uint16_t>(kHeaderSize));
    putLE16(data + kPageLengthAt, static_cast<uint16_t>(kPageSize));
    putLE16(data + kDescendingAt, descending ? 1 : 0);
    auto keyPool = static_cast<uint16_t>(keyExpression.size() + 1);
    putLE16(data + kForPositionAt, keyPool);
    putLE16(data + kForLengthAt, static_cast<uint16_t>(forExpression.size() + 1));
    putLE16(data + kKeyPositionAt, 0);
    putLE16(data + kKeyLengthPoolAt, keyPool);
    std::memcpy(data + kPoolAt, keyExpression.data(), keyExpression.size());
    std::memcpy(data + kPoolAt + keyPool, forExpression.data(), forExpression.size());
}

}  // namespace tarvo::xbase::cdx
