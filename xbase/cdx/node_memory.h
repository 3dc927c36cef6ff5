#pragma once
// Memory for the decoded pages of one tag. A large index keeps tens of megabytes of node arrays; taken from
// the general heap they are spread over thousands of 4 KB memory pages, each costing a fault when first
// touched, and a search down the tree crosses more pages than the processor keeps mapped. Here they are
// carved from large chunks, which the system may back with huge pages, and freed blocks are kept by size
// for the next ones; the few blocks larger than a chunk's share (the page slots of the cache) take whole
// huge pages of their own. The memory goes back to the system with the tag.

#include <cstddef>
#include <cstdint>
#include <new>
#include <type_traits>
#include <vector>

namespace tarvo::xbase::cdx {

class NodeMemory {
public:
    NodeMemory() = default;
    ~NodeMemory();
    NodeMemory(const NodeMemory&) = delete;
    NodeMemory& operator=(const NodeMemory&) = delete;

    void* allocate(size_t bytes);
    void deallocate(void* block, size_t bytes) noexcept;
    // Gives the chunks back to the system; only once every block is given back.
    void reset() noexcept;

private:
    struct Chunk {
        uint8_t* bytes;
        size_t size;
    };
    void addChunk(size_t atLeast);
    static void* largeBlock(size_t size);

    std::vector<Chunk> chunks_;
    size_t used_ = 0;                     // bytes taken from the last chunk
    std::vector<std::vector<void*>> free_;  // freed blocks by size class (16-byte steps)
};

// Allocates from a tag's node memory; without one (nodes outside a tag's cache), from the general heap.
template <typename T>
class NodeAllocator {
public:
    using value_type = T;
    using propagate_on_container_copy_assignment = std::true_type;
    using propagate_on_container_move_assignment = std::true_type;
    using propagate_on_container_swap = std::true_type;

    NodeAllocator() noexcept = default;
    explicit NodeAllocator(NodeMemory* memory) noexcept : memory_(memory) {}
    template <typename U>
    NodeAllocator(const NodeAllocator<U>& other) noexcept : memory_(other.memory()) {}

    T* allocate(size_t n) {
        const size_t bytes = n * sizeof(T);
        return static_cast<T*>(memory_ ? memory_->allocate(bytes) : ::operator new(bytes));
    }
    void deallocate(T* block, size_t n) noexcept {
        if (memory_)
            memory_->deallocate(block, n * sizeof(T));
        else
            ::operator delete(block);
    }

    NodeMemory* memory() const noexcept { return memory_; }
    friend bool operator==(const NodeAllocator& a, const NodeAllocator& b) noexcept { return a.memory_ == b.memory_; }

private:
    NodeMemory* memory_ = nullptr;
};

}  // namespace tarvo::xbase::cdx
