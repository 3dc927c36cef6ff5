#include "xbase/cdx/node_memory.h"

#include <algorithm>
#include <cstdlib>

#if defined(__linux__)
#include <sys/mman.h>
#endif

// Under AddressSanitizer every block is an allocation of its own, so that overruns between blocks are caught.
#if defined(__SANITIZE_ADDRESS__)
#define TARVO_OWN_BLOCKS 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TARVO_OWN_BLOCKS 1
#endif
#endif

namespace tarvo::xbase::cdx {

namespace {
#ifdef TARVO_OWN_BLOCKS
constexpr bool kChunks = false;
#else
constexpr bool kChunks = true;
#endif
constexpr size_t kStep = 16;                     // blocks are multiples of this
constexpr size_t kFirstChunk = size_t{64} << 10;  // chunks double from here ...
constexpr size_t kHugePage = size_t{2} << 20;     // ... to the size of a huge page
constexpr size_t kLargestBlock = size_t{256} << 10;  // larger blocks come from the general heap

size_t rounded(size_t bytes) { return (std::max<size_t>(bytes, 1) + kStep - 1) / kStep * kStep; }
}  // namespace

NodeMemory::~NodeMemory() { reset(); }

void NodeMemory::reset() noexcept {
    for (const Chunk& chunk : chunks_) std::free(chunk.bytes);
    chunks_.clear();
    free_.clear();
    used_ = 0;
}

void NodeMemory::addChunk(size_t atLeast) {
    size_t size = chunks_.empty() ? kFirstChunk : std::min(kHugePage, chunks_.back().size * 2);
    while (size < atLeast) size *= 2;  // a power of two, so it can be the alignment too
    void* bytes = std::aligned_alloc(std::min(size, kHugePage), size);
    if (!bytes) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (size >= kHugePage) ::madvise(bytes, size, MADV_HUGEPAGE);  // a hint: without huge pages all still works
#endif
    chunks_.push_back({static_cast<uint8_t*>(bytes), size});
    used_ = 0;
}

// A block of its own, in whole huge pages.
void* NodeMemory::largeBlock(size_t size) {
    const size_t whole = (size + kHugePage - 1) / kHugePage * kHugePage;
    void* bytes = std::aligned_alloc(kHugePage, whole);
    if (!bytes) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    ::madvise(bytes, whole, MADV_HUGEPAGE);
#endif
    return bytes;
}

void* NodeMemory::allocate(size_t bytes) {
    const size_t size = rounded(bytes);
    if (!kChunks) return ::operator new(size);
    if (size > kLargestBlock) return largeBlock(size);
    const size_t sizeClass = size / kStep;
    if (sizeClass < free_.size() && !free_[sizeClass].empty()) {
        void* block = free_[sizeClass].back();
        free_[sizeClass].pop_back();
        return block;
    }
    if (chunks_.empty() || chunks_.back().size - used_ < size) addChunk(size);
    void* block = chunks_.back().bytes + used_;
    used_ += size;
    return block;
}

void NodeMemory::deallocate(void* block, size_t bytes) noexcept {
    const size_t size = rounded(bytes);
    if (!kChunks) {
        ::operator delete(block);
        return;
    }
    if (size > kLargestBlock) {
        std::free(block);
        return;
    }
    const size_t sizeClass = size / kStep;
    try {
        if (sizeClass >= free_.size()) free_.resize(sizeClass + 1);
        free_[sizeClass].push_back(block);
    } catch (const std::bad_alloc&) {
        // Without room to note the block it stays unused until the tag goes.
    }
}

}  // namespace tarvo::xbase::cdx
