// Compound indexes written by another xBase engine: tags, key order, seeks, and our writer reproducing them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/support/fixture_files.h"
#include "tests/support/test_support.h"
#include "xbase/cdx/cursor.h"
#include "xbase/cdx/file.h"
#include "xbase/cdx/keys.h"

namespace tarvo::xbase {
namespace {

namespace fs = std::filesystem;

std::vector<CdxEntry> walk(CdxTag& tag, bool backwards = false) {
    std::vector<CdxEntry> out;
    CdxCursor cursor(tag);
    for (bool on = backwards ? cursor.last() : cursor.first(); on; on = backwards ? cursor.prev() : cursor.next())
        out.push_back(cursor.entry());
    return out;
}

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

CdxEntry name(const char* text, uint32_t recno) { return {cdxCharacterKey(text, 20), recno}; }
CdxEntry price(double value, uint32_t recno) { return {cdxNumericKey(value), recno}; }

const std::vector<CdxEntry> kNames{name("APPLE", 2), name("BANANA", 4), name("MANGO", 5), name("WIDGET", 1),
                                   name("ZEBRA CROSSING", 3)};
const std::vector<CdxEntry> kPrices{price(-7.1, 5), price(0.99, 4), price(12.5, 1), price(150, 3)};

class CdxFixtureTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override { TARVO_SKIP_WITHOUT_FIXTURE(fixture()); }
    fs::path fixture() const { return test::fixturePath(std::string("cdx/") + GetParam() + "/TEST.CDX"); }

    std::unique_ptr<CdxFile> openFixture(const fs::path& path, bool readOnly) {
        auto file = CdxFile::open(path, readOnly);
        file->findTag("PRICE")->setKeyType('N');
        return file;
    }
    test::TempDir dir_;
};

TEST_P(CdxFixtureTest, ListsTheTagsWithTheirDefinitions) {
    auto file = CdxFile::open(fixture(), true);
    std::vector<CdxTag*> tags = file->tags();
    ASSERT_EQ(tags.size(), 2u);
    struct Expected {
        const char* name;
        const char* key;
        const char* forClause;
        uint16_t keyLength;
    };
    const Expected expected[] = {{"NAME", "UPPER(NAME)", "", 20}, {"PRICE", "PRICE", "QTY>0", 8}};
    for (size_t i = 0; i < 2; ++i) {
        const CdxTagInfo& info = tags[i]->info();
        EXPECT_EQ(info.name, expected[i].name);
        EXPECT_EQ(info.keyExpression, expected[i].key);
        EXPECT_EQ(info.forExpression, expected[i].forClause);
        EXPECT_EQ(info.keyLength, expected[i].keyLength);
        EXPECT_FALSE(info.unique);
        EXPECT_FALSE(info.descending);
    }
    EXPECT_EQ(file->findTag("price"), tags[1]);
    EXPECT_EQ(file->findTag("QTY"), nullptr);
    EXPECT_TRUE(file->verify().empty());
}

TEST_P(CdxFixtureTest, WalksTheKeysInOrderBothWays) {
    auto file = openFixture(fixture(), true);
    CdxTag& names = *file->findTag("NAME");
    CdxTag& prices = *file->findTag("PRICE");
    EXPECT_EQ(walk(names), kNames);
    EXPECT_EQ(walk(prices), kPrices);
    EXPECT_EQ(walk(prices, true), std::vector<CdxEntry>(kPrices.rbegin(), kPrices.rend()));
    EXPECT_EQ(names.keyCount(), 5u);
    EXPECT_EQ(prices.keyCount(), 4u);
}

TEST_P(CdxFixtureTest, SeeksExactPrefixAndSoft) {
    auto file = openFixture(fixture(), true);
    CdxCursor names(*file->findTag("NAME"));
    struct Case {
        std::string key;
        bool found;
        uint32_t recno;  // 0: at the end
    };
    for (const Case& c : {Case{"MAN", true, 5}, Case{"B", true, 4}, Case{cdxCharacterKey("WIDGET", 20), true, 1},
                          Case{"C", false, 5}, Case{"APPLEZ", false, 4}, Case{"ZZ", false, 0}}) {
        EXPECT_EQ(names.seek(c.key), c.found) << c.key;
        EXPECT_EQ(names.atEnd() ? 0 : names.entry().recno, c.recno) << c.key;
    }
    CdxCursor prices(*file->findTag("PRICE"));
    EXPECT_TRUE(prices.seek(cdxNumericKey(12.5)));
    EXPECT_EQ(prices.entry().recno, 1u);
    EXPECT_FALSE(prices.seek(cdxNumericKey(100)));
    EXPECT_EQ(prices.entry().recno, 3u);
    EXPECT_FALSE(prices.seek(cdxNumericKey(-100)));
    EXPECT_EQ(prices.entry().recno, 5u);
}

TEST_P(CdxFixtureTest, WritingTheSameTagsReproducesTheFileByteForByte) {
    auto foreign = openFixture(fixture(), true);
    fs::path ours = dir_.path() / "OURS.CDX";
    {
        auto file = CdxFile::create(ours);
        for (CdxTag* tag : foreign->tags()) {
            std::vector<std::pair<std::string, uint32_t>> keys;
            for (const CdxEntry& e : walk(*tag)) keys.emplace_back(e.key, e.recno);
            file->addTag(tag->info(), tag->keyType(), keys);
        }
        file->flush();
    }
    std::string expected = bytesOf(fixture()), written = bytesOf(ours);
    ASSERT_EQ(written.size(), expected.size());
    // Only the update counters of the headers and the other writer's signature in the file header differ.
    for (size_t header : {0x0, 0x600, 0xC00}) {
        for (size_t i = header + 8; i < header + 12; ++i) written[i] = expected[i];
    }
    for (size_t i = 20; i < 24; ++i) written[i] = expected[i];
    EXPECT_TRUE(written == expected);
}

TEST_P(CdxFixtureTest, UpdatesAForeignFileInPlace) {
    fs::path copy = dir_.path() / "TEST.CDX";
    fs::copy_file(fixture(), copy);
    {
        auto file = openFixture(copy, false);
        CdxTag& names = *file->findTag("NAME");
        EXPECT_TRUE(names.insert(cdxCharacterKey("APRICOT", 20), 6));
        EXPECT_TRUE(names.erase(cdxCharacterKey("BANANA", 20), 4));
        EXPECT_FALSE(names.erase(cdxCharacterKey("BANANA", 20), 4));
        EXPECT_TRUE(file->findTag("PRICE")->insert(cdxNumericKey(0), 6));
        file->flush();
    }
    auto file = openFixture(copy, true);
    EXPECT_EQ(walk(*file->findTag("NAME")),
              (std::vector<CdxEntry>{name("APPLE", 2), name("APRICOT", 6), name("MANGO", 5), name("WIDGET", 1),
                                     name("ZEBRA CROSSING", 3)}));
    EXPECT_EQ(walk(*file->findTag("PRICE")),
              (std::vector<CdxEntry>{price(-7.1, 5), price(0, 6), price(0.99, 4), price(12.5, 1), price(150, 3)}));
    EXPECT_TRUE(file->verify().empty());
}

INSTANTIATE_TEST_SUITE_P(ForeignEngines, CdxFixtureTest, ::testing::Values("foxpro2", "vfp"));

}  // namespace
}  // namespace tarvo::xbase
