// Node memory: blocks in use never overlap and keep their bytes while others come and go, whatever their
// sizes (from a few bytes to past the largest block carved from chunks).
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

#include "xbase/cdx/node_memory.h"

namespace tarvo::xbase::cdx {
namespace {

TEST(CdxNodeMemoryTest, BlocksInUseNeverOverlapAndKeepTheirBytes) {
    struct Block {
        uint8_t* bytes;
        size_t size;
        uint8_t fill;
    };
    auto intact = [](const Block& block) {
        for (size_t i = 0; i < block.size; ++i)
            if (block.bytes[i] != block.fill) return false;
        return true;
    };
    NodeMemory memory;
    std::mt19937 rng(11);
    std::vector<Block> blocks;
    for (int step = 0; step < 6000; ++step) {
        if (blocks.empty() || rng() % 3 != 0) {
            // Mostly node-sized blocks; some larger than a first chunk, some past the largest carved block.
            const size_t kind = rng() % 100;
            const size_t size = kind == 0 ? 200000 + rng() % 200000 : kind == 1 ? 70000 + rng() % 60000 : 1 + rng() % 3000;
            Block block{static_cast<uint8_t*>(memory.allocate(size)), size, static_cast<uint8_t>(rng())};
            std::memset(block.bytes, block.fill, size);
            blocks.push_back(block);
        } else {
            const size_t at = rng() % blocks.size();
            ASSERT_TRUE(intact(blocks[at])) << "block of " << blocks[at].size << " bytes overwritten";
            memory.deallocate(blocks[at].bytes, blocks[at].size);
            blocks.erase(blocks.begin() + static_cast<long>(at));
        }
    }
    for (const Block& block : blocks) {
        ASSERT_TRUE(intact(block)) << "block of " << block.size << " bytes overwritten";
        memory.deallocate(block.bytes, block.size);
    }
}

}  // namespace
}  // namespace tarvo::xbase::cdx
