// Damaged compound indexes: every kind of damage gives an error or a verify() problem naming the file and
// tag; reading and changing them never crashes or hangs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "xbase/cdx/cursor.h"
#include "xbase/cdx/file.h"
#include "xbase/cdx/keys.h"
#include "xbase/error.h"

namespace tarvo::xbase {
namespace {

namespace fs = std::filesystem;

// Our writer's layout of a file with one tag: the tag header follows the directory's header and root.
constexpr uint32_t kTagHeader = 0x600;
constexpr uint32_t kFirstLeaf = 0xA00;
constexpr uint32_t kInteriorEntry = 10 + 8;  // key length 10

uint32_t le32(const std::string& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<uint8_t>(b[at + i]);
    return v;
}
void putLE32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<char>(v >> (8 * i));
}
void putBE32(std::string& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + 3 - i] = static_cast<char>(v >> (8 * i));
}
size_t root(const std::string& b) { return le32(b, kTagHeader); }
size_t rootEntry(const std::string& b, size_t i) { return root(b) + 12 + i * kInteriorEntry; }
size_t rootChild(const std::string& b, size_t i) { return rootEntry(b, i) + 14; }

struct Damage {
    const char* name;
    std::function<void(std::string&)> apply;
    bool openFails;
};

const Damage kDamages[] = {
    {"ChildOutsideTheFile", [](std::string& b) { putBE32(b, rootChild(b, 0), 0x7FFFFE00); }, false},
    {"ChildNotPageAligned", [](std::string& b) { putBE32(b, rootChild(b, 1), kFirstLeaf + 7); }, false},
    {"ChildLoopsToTheRoot", [](std::string& b) { putBE32(b, rootChild(b, 1), static_cast<uint32_t>(root(b))); },
     false},
    {"SeparatorsSwapped",
     [](std::string& b) {
         for (size_t i = 0; i < 10; ++i) std::swap(b[rootEntry(b, 0) + i], b[rootEntry(b, 1) + i]);
     },
     false},
    {"LeavesSwapped",
     [](std::string& b) {
         for (size_t i = 0; i < 4; ++i) std::swap(b[rootChild(b, 0) + i], b[rootChild(b, 1) + i]);
     },
     false},
    {"LeafSiblingLoop", [](std::string& b) { putLE32(b, kFirstLeaf + 8, kFirstLeaf); }, false},
    {"LeafKeyCountTooLarge", [](std::string& b) { b[kFirstLeaf + 2] = b[kFirstLeaf + 3] = '\xff'; }, false},
    {"LeafEntryWidthZero", [](std::string& b) { b[kFirstLeaf + 23] = 0; }, false},
    {"LeafBitWidthsTooWide", [](std::string& b) { b[kFirstLeaf + 20] = 40; }, false},
    {"InteriorKeyCountTooLarge", [](std::string& b) { b[root(b) + 2] = 100; }, false},
    {"RootOutsideTheFile", [](std::string& b) { putLE32(b, kTagHeader, 0x40000000); }, true},
    {"KeyLengthAbsurd", [](std::string& b) { b[kTagHeader + 13] = 1; }, true},
    {"TagHeaderOutsideTheFile", [](std::string& b) { b[0x419] = '\x7f'; }, true},
    {"Truncated", [](std::string& b) { b.resize(kFirstLeaf + 3 * 512); }, true},
    {"TooShort", [](std::string& b) { b.resize(100); }, true},
};

void PrintTo(const Damage& damage, std::ostream* out) { *out << damage.name; }

class CdxDamageTest : public ::testing::TestWithParam<Damage> {
protected:
    void SetUp() override {
        Keys keys;
        for (uint32_t i = 1; i <= 600; ++i) keys.emplace_back(cdxCharacterKey("K" + std::to_string(i), 10), i);
        std::sort(keys.begin(), keys.end());
        fs::path good = dir_.path() / "GOOD.CDX";
        auto file = CdxFile::create(good);
        file->addTag({"T", "T", "", 10}, 'C', keys);
        file->flush();
        std::ifstream in(good, std::ios::binary);
        bytes_.assign(std::istreambuf_iterator<char>(in), {});
        ASSERT_EQ(bytes_[root(bytes_)], 1) << "the tag's root is an interior node over leaves";
    }
    using Keys = std::vector<std::pair<std::string, uint32_t>>;
    test::TempDir dir_;
    std::string bytes_;
};

TEST_P(CdxDamageTest, IsReportedWithTheFileAndTagName) {
    const Damage& damage = GetParam();
    damage.apply(bytes_);
    const fs::path path = dir_.path() / "BAD.CDX";
    std::ofstream(path, std::ios::binary).write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));

    std::unique_ptr<CdxFile> file;
    try {
        file = CdxFile::open(path, true);
    } catch (const Error& e) {
        EXPECT_TRUE(damage.openFails) << e.what();
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        return;
    }
    ASSERT_FALSE(damage.openFails);
    CdxTag& tag = *file->findTag("T");
    try {
        CdxCursor cursor(tag);
        for (bool on = cursor.first(); on; on = cursor.next()) {
        }
        for (bool on = cursor.last(); on; on = cursor.prev()) {
        }
        cursor.seek("K599");
        cursor.seek("K1", true);
        tag.keyCount();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(path.string() + ": tag T: "), std::string::npos) << e.what();
    }
    std::vector<std::string> problems = tag.verify();
    EXPECT_FALSE(problems.empty());
    for (const std::string& problem : problems)
        EXPECT_NE(problem.find(path.string() + ": tag T: "), std::string::npos) << problem;

    // Changes either work or stop with an error; what is written back never overruns a page.
    file = CdxFile::open(path, false);
    CdxTag& writable = *file->findTag("T");
    for (uint32_t recno = 1; recno <= 600; ++recno) {
        try {
            writable.insert(cdxCharacterKey("K" + std::to_string(recno * 7), 10), 1000 + recno);
            writable.erase(cdxCharacterKey("K" + std::to_string(recno), 10), recno);
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
        }
    }
    try {
        file->flush();
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, CdxDamageTest, ::testing::ValuesIn(kDamages),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarvo::xbase
