#pragma once
// Whole numbers in the byte orders of the file formats: little-endian in table headers, index
// headers and memo headers, big-endian in FPT memo blocks and CDX node entries. The byte pointer
// may be of any one-byte type the callers hold (char, unsigned char, uint8_t).

#include <cstdint>

namespace tarvo::xbase {

template <typename Byte>
uint8_t byteAt(const Byte* p, int i) {
    static_assert(sizeof(Byte) == 1);
    return static_cast<uint8_t>(p[i]);
}

template <typename Byte>
uint16_t getLE16(const Byte* p) {
    return static_cast<uint16_t>(byteAt(p, 0) | byteAt(p, 1) << 8);
}

template <typename Byte>
uint32_t getLE32(const Byte* p) {
    return uint32_t(byteAt(p, 0)) | uint32_t(byteAt(p, 1)) << 8 | uint32_t(byteAt(p, 2)) << 16 |
           uint32_t(byteAt(p, 3)) << 24;
}

template <typename Byte>
int64_t getLE64(const Byte* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | byteAt(p, i);
    return static_cast<int64_t>(v);
}

template <typename Byte>
uint32_t getBE32(const Byte* p) {
    return uint32_t(byteAt(p, 0)) << 24 | uint32_t(byteAt(p, 1)) << 16 | uint32_t(byteAt(p, 2)) << 8 |
           uint32_t(byteAt(p, 3));
}

template <typename Byte>
void putLE16(Byte* p, uint16_t v) {
    static_assert(sizeof(Byte) == 1);
    p[0] = static_cast<Byte>(v);
    p[1] = static_cast<Byte>(v >> 8);
}

template <typename Byte>
void putLE32(Byte* p, uint32_t v) {
    static_assert(sizeof(Byte) == 1);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<Byte>(v >> (8 * i));
}

template <typename Byte>
void putBE32(Byte* p, uint32_t v) {
    static_assert(sizeof(Byte) == 1);
    for (int i = 0; i < 4; ++i) p[i] = static_cast<Byte>(v >> (24 - 8 * i));
}

}  // namespace tarvo::xbase
