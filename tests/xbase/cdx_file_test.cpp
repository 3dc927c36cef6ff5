// Compound index files we write: tags checked against an in-memory model through random inserts and
// erasures, reopening, tag management, cursors across changes, page reuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <random>
#include <set>
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
using Keys = std::vector<std::pair<std::string, uint32_t>>;

std::vector<CdxEntry> walk(CdxTag& tag, bool backwards = false) {
    std::vector<CdxEntry> out;
    CdxCursor cursor(tag);
    for (bool on = backwards ? cursor.last() : cursor.first(); on; on = backwards ? cursor.prev() : cursor.next())
        out.push_back(cursor.entry());
    return out;
}

// Short words over a small alphabet: many equal keys, shared prefixes and trailing blanks.
std::string textKey(std::mt19937& rng, size_t keyLength) {
    static const char* const kStarts[] = {"", "AB", "ABC", "B", "ZZZ"};
    std::string text = kStarts[rng() % 5];
    for (size_t n = rng() % 9; n > 0; --n) text.push_back(static_cast<char>('A' + rng() % 4));
    return cdxCharacterKey(text, keyLength);
}

std::string numberKey(std::mt19937& rng) {
    static const double kSpecial[] = {0.0, -0.0, -1e9, 1e9, 0.1, -0.1};
    if (rng() % 8 == 0) return cdxNumericKey(kSpecial[rng() % 6]);
    return cdxNumericKey(static_cast<int>(rng() % 1001) / 4.0 - 125);
}

std::string dateKey(std::mt19937& rng) {
    if (rng() % 8 == 0) return cdxDateKey(Date{});
    return cdxDateKey(Date::fromJulian(2450000 + static_cast<long>(rng() % 3000)));
}

// Integers with many repeats, zero, negatives and the extremes, whose sign bit the key flips.
std::string integerKey(std::mt19937& rng) {
    static const int32_t kSpecial[] = {0, -1, 1, INT32_MIN, INT32_MAX, 255, 256, -256};
    if (rng() % 8 == 0) return cdxIntegerKey(kSpecial[rng() % 8]);
    return cdxIntegerKey(static_cast<int32_t>(rng() % 2001) - 1000);
}

// Dates and times with repeats, the empty value and times on their own (the 30 December 1899 date).
std::string dateTimeKey(std::mt19937& rng) {
    if (rng() % 8 == 0) return cdxDateTimeKey(DateTime{});
    const long day = rng() % 5 == 0 ? Date{1899, 12, 30}.julian() : 2460000 + static_cast<long>(rng() % 30);
    return cdxDateTimeKey(DateTime{Date::fromJulian(day), static_cast<int32_t>(rng() % 48) * 1800000});
}

struct Config {
    const char* name;
    char keyType;
    uint16_t keyLength;
    bool descending;
    bool unique;
};

std::string randomKey(const Config& config, std::mt19937& rng) {
    switch (config.keyType) {
        case 'N':
            return numberKey(rng);
        case 'D':
            return dateKey(rng);
        case 'L':
            return cdxLogicalKey(rng() % 2 == 0);
        case 'I':
            return integerKey(rng);
        case 'T':
            return dateTimeKey(rng);
        default:
            return textKey(rng, config.keyLength);
    }
}

// The entries a tag must hold, in key order, and what the tag's operations must answer.
class Model {
public:
    explicit Model(const Config& config) : config_(config) {}

    bool insert(const std::string& key, uint32_t recno) {
        if (config_.unique && hasKey(key)) return false;
        return entries_.emplace(key, recno).second;
    }
    bool erase(const std::string& key, uint32_t recno) { return entries_.erase({key, recno}) > 0; }
    bool hasKey(const std::string& key) const {
        auto it = entries_.lower_bound({key, 0});
        return it != entries_.end() && it->first == key;
    }
    size_t size() const { return entries_.size(); }
    std::pair<std::string, uint32_t> nth(size_t i) const {
        return *std::next(entries_.begin(), static_cast<long>(i));
    }

    // The entries in the tag's order.
    std::vector<CdxEntry> ordered() const {
        std::vector<CdxEntry> out;
        for (const auto& [key, recno] : entries_) out.push_back({key, recno});
        if (config_.descending) std::reverse(out.begin(), out.end());
        return out;
    }

    // Where a seek must end: the found flag and the index in ordered(), or the size at the end.
    std::pair<bool, size_t> seek(const std::vector<CdxEntry>& order, const std::string& sought, bool last) const {
        auto head = [&](const CdxEntry& e) { return e.key.compare(0, sought.size(), sought); };
        std::optional<size_t> firstMatch, lastMatch;
        for (size_t i = 0; i < order.size(); ++i) {
            if (head(order[i]) == 0) {
                if (!firstMatch) firstMatch = i;
                lastMatch = i;
            }
        }
        if (firstMatch) return {true, last ? *lastMatch : *firstMatch};
        for (size_t i = 0; i < order.size(); ++i)
            if (config_.descending ? head(order[i]) < 0 : head(order[i]) > 0) return {false, i};
        return {false, order.size()};
    }

private:
    Config config_;
    std::set<std::pair<std::string, uint32_t>> entries_;
};

void expectSameAsModel(CdxTag& tag, const Model& model, const Config& config, std::mt19937& rng) {
    std::vector<CdxEntry> order = model.ordered();
    ASSERT_EQ(walk(tag), order);
    std::vector<CdxEntry> backwards = walk(tag, true);
    std::reverse(backwards.begin(), backwards.end());
    ASSERT_EQ(backwards, order);
    EXPECT_EQ(tag.keyCount(), order.size());

    CdxCursor cursor(tag);
    for (int i = 0; i < 40; ++i) {
        std::string sought = randomKey(config, rng);
        sought.resize(rng() % (sought.size() + 1));
        bool last = rng() % 2 == 0;
        auto [found, at] = model.seek(order, sought, last);
        ASSERT_EQ(cursor.seek(sought, last), found) << '"' << sought << '"' << last;
        ASSERT_EQ(cursor.atEnd(), at == order.size());
        if (at < order.size()) {
            ASSERT_EQ(cursor.entry(), order[at]);
        }
    }
    if (!order.empty()) {
        const CdxEntry& present = order[rng() % order.size()];
        EXPECT_TRUE(cursor.seekEntry(present.key, present.recno));
        EXPECT_EQ(cursor.entry(), present);
    }
}

class CdxModelTest : public ::testing::TestWithParam<Config> {
protected:
    test::TempDir dir_;
};

TEST_P(CdxModelTest, RandomChangesMatchTheModelAndSurviveReopening) {
    const Config& config = GetParam();
    std::mt19937 rng(20240708);
    Model model(config);
    const fs::path path = dir_.path() / "T.CDX";
    const CdxTagInfo info{"T", "KEYEXPR", "", config.keyLength, config.unique, config.descending};
    {
        Keys initial;
        for (int i = 0; i < 3000; ++i) initial.emplace_back(randomKey(config, rng), 1 + rng() % 20000);
        std::sort(initial.begin(), initial.end());
        initial.erase(std::unique(initial.begin(), initial.end()), initial.end());
        for (const auto& [key, recno] : initial) model.insert(key, recno);

        auto file = CdxFile::create(path);
        CdxTag& tag = file->addTag(info, config.keyType, initial);
        expectSameAsModel(tag, model, config, rng);
        for (int round = 0; round < 5; ++round) {
            for (int op = 0; op < 4000; ++op) {
                if (rng() % 3 != 0 || model.size() == 0) {
                    std::string key = randomKey(config, rng);
                    uint32_t recno = 1 + rng() % 20000;
                    ASSERT_EQ(tag.insert(key, recno), model.insert(key, recno));
                } else {
                    auto [key, recno] = model.nth(rng() % model.size());
                    if (rng() % 10 == 0) ++recno;
                    ASSERT_EQ(tag.erase(key, recno), model.erase(key, recno));
                }
            }
            expectSameAsModel(tag, model, config, rng);
            if (HasFatalFailure()) return;
        }
        // Emptying most of the tag merges and frees leaves.
        while (model.size() > 50) {
            auto [key, recno] = model.nth(rng() % model.size());
            ASSERT_TRUE(tag.erase(key, recno));
            model.erase(key, recno);
        }
        expectSameAsModel(tag, model, config, rng);
        EXPECT_EQ(file->verify(), std::vector<std::string>{});
        file->flush();
    }
    auto file = CdxFile::open(path, true);
    CdxTag& tag = *file->findTag("T");
    tag.setKeyType(config.keyType);
    EXPECT_EQ(tag.info().descending, config.descending);
    EXPECT_EQ(tag.info().unique, config.unique);
    expectSameAsModel(tag, model, config, rng);
    EXPECT_EQ(file->verify(), std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    KeyKinds, CdxModelTest,
    ::testing::Values(Config{"Text", 'C', 12, false, false}, Config{"TextDescending", 'C', 12, true, false},
                      Config{"LongTextUnique", 'C', 100, false, true},
                      Config{"LongestTextDescending", 'C', 240, true, false},
                      Config{"Number", 'N', 8, false, false}, Config{"NumberDescendingUnique", 'N', 8, true, true},
                      Config{"Date", 'D', 8, false, false}, Config{"Logical", 'L', 1, false, false},
                      Config{"Integer", 'I', 4, false, false}, Config{"IntegerDescendingUnique", 'I', 4, true, true},
                      Config{"DateTime", 'T', 8, false, false}, Config{"DateTimeDescending", 'T', 8, true, false}),
    [](const auto& param) { return std::string(param.param.name); });

class CdxFileTest : public ::testing::Test {
protected:
    fs::path path() const { return dir_.path() / "T.CDX"; }
    static CdxTagInfo textTag(const char* name, uint16_t keyLength = 10) { return {name, name, "", keyLength}; }
    static Keys numbered(const char* prefix, uint32_t count, uint16_t keyLength = 10) {
        Keys keys;
        for (uint32_t i = 1; i <= count; ++i)
            keys.emplace_back(cdxCharacterKey(prefix + std::to_string(i), keyLength), i);
        std::sort(keys.begin(), keys.end());
        return keys;
    }
    test::TempDir dir_;
};

TEST_F(CdxFileTest, TagsComeInCreationOrderAndReplacingKeepsThePlace) {
    {
        auto file = CdxFile::create(path());
        file->addTag(textTag("ZETA"), 'C', numbered("Z", 10));
        file->addTag(textTag("alpha"), 'C', numbered("A", 5000));
        file->addTag({"MID", "MID", "MID>0", 8, true, true}, 'N', {});
        file->flush();
    }
    const auto sizeBefore = fs::file_size(path());
    auto file = CdxFile::open(path(), false);
    auto names = [&] {
        std::vector<std::string> out;
        for (CdxTag* tag : file->tags()) out.push_back(tag->info().name);
        return out;
    };
    EXPECT_EQ(names(), (std::vector<std::string>{"ZETA", "ALPHA", "MID"}));
    const CdxTagInfo& mid = file->findTag("mid")->info();
    EXPECT_EQ(mid.forExpression, "MID>0");
    EXPECT_TRUE(mid.unique && mid.descending);

    file->addTag(textTag("ALPHA"), 'C', numbered("B", 5000));
    file->flush();
    EXPECT_EQ(names(), (std::vector<std::string>{"ZETA", "ALPHA", "MID"}));
    EXPECT_EQ(walk(*file->findTag("ALPHA")).front().key, cdxCharacterKey("B1", 10));
    EXPECT_EQ(file->findTag("ALPHA")->keyCount(), 5000u);
    EXPECT_LE(fs::file_size(path()), sizeBefore + 512) << "the new tree reuses the old tree's pages";
    EXPECT_EQ(file->verify(), std::vector<std::string>{});
}

TEST_F(CdxFileTest, FreedPagesAreReusedAcrossSessions) {
    const Keys keys = numbered("K", 20000);
    {
        auto file = CdxFile::create(path());
        CdxTag& tag = file->addTag(textTag("T"), 'C', {});
        for (const auto& [key, recno] : keys) tag.insert(key, recno);
        for (const auto& [key, recno] : keys) ASSERT_TRUE(tag.erase(key, recno));
        EXPECT_EQ(tag.keyCount(), 0u);
        EXPECT_TRUE(walk(tag).empty());
        file->flush();
    }
    const auto emptied = fs::file_size(path());
    auto file = CdxFile::open(path(), false);
    CdxTag& tag = *file->findTag("T");
    for (const auto& [key, recno] : keys) tag.insert(key, recno);
    file->flush();
    EXPECT_EQ(fs::file_size(path()), emptied);
    EXPECT_EQ(tag.keyCount(), 20000u);
    tag.clear();
    EXPECT_EQ(tag.keyCount(), 0u);
    EXPECT_TRUE(tag.insert(keys[7].first, 8));
    EXPECT_EQ(walk(tag), (std::vector<CdxEntry>{{keys[7].first, 8}}));
    EXPECT_EQ(file->verify(), std::vector<std::string>{});
}

TEST_F(CdxFileTest, CursorFindsItsPlaceAfterTheTagChanged) {
    auto file = CdxFile::create(path());
    CdxTag& tag = file->addTag(textTag("T"), 'C', numbered("K", 3000));
    CdxCursor cursor(tag);
    ASSERT_TRUE(cursor.seek("K1500"));
    CdxEntry here = cursor.entry();
    ASSERT_TRUE(tag.erase(here.key, here.recno));
    for (uint32_t i = 1; i <= 1000; ++i) tag.insert(cdxCharacterKey("K1500", 10), 5000 + i);  // splits its leaf
    ASSERT_TRUE(cursor.next());
    EXPECT_EQ(cursor.entry(), (CdxEntry{cdxCharacterKey("K1500", 10), 5001}));
    ASSERT_TRUE(cursor.prev());
    EXPECT_EQ(cursor.entry().key, cdxCharacterKey("K150", 10));
}

TEST_F(CdxFileTest, ARecordNumberNeedingWiderEntriesSplitsALeafAsOftenAsNeeded) {
    // 162 entries of three bytes fill one leaf; a record number needing six-byte entries in their middle
    // leaves no single split with both halves fitting a page.
    Keys keys;
    for (uint32_t i = 1; i <= 162; ++i) keys.emplace_back(cdxCharacterKey(i <= 81 ? "A" : "C", 240), i);
    auto file = CdxFile::create(path());
    CdxTag& tag = file->addTag(textTag("T", 240), 'C', keys);
    keys.emplace_back(cdxCharacterKey("B", 240), 0x7FFFFFFF);
    ASSERT_TRUE(tag.insert(keys.back().first, keys.back().second));
    std::sort(keys.begin(), keys.end());
    std::vector<CdxEntry> expected;
    for (const auto& [key, recno] : keys) expected.push_back({key, recno});
    EXPECT_EQ(walk(tag), expected);
    EXPECT_EQ(file->verify(), std::vector<std::string>{});
}

TEST_F(CdxFileTest, DescendingTagsSeekAndStepInTheirOrder) {
    auto file = CdxFile::create(path());
    Keys keys{{"A", 1}, {"B", 2}, {"B", 3}, {"D", 4}};
    CdxTag& tag = file->addTag({"T", "T", "", 1, false, true}, 'C', keys);
    CdxCursor cursor(tag);
    EXPECT_TRUE(cursor.seek("B"));
    EXPECT_EQ(cursor.entry(), (CdxEntry{"B", 3}));
    EXPECT_TRUE(cursor.seek("B", true));
    EXPECT_EQ(cursor.entry(), (CdxEntry{"B", 2}));
    EXPECT_FALSE(cursor.seek("C"));
    EXPECT_EQ(cursor.entry(), (CdxEntry{"B", 3}));
    EXPECT_TRUE(cursor.next());
    EXPECT_EQ(cursor.entry(), (CdxEntry{"B", 2}));
    EXPECT_FALSE(cursor.seek("0"));
    EXPECT_TRUE(cursor.atEnd());
}

TEST_F(CdxFileTest, RefusesWhatTheFormatCannotHold) {
    auto file = CdxFile::create(path());
    EXPECT_THROW(file->addTag(textTag("TOOLONGNAME1"), 'C', {}), Error);
    EXPECT_THROW(file->addTag(textTag("T", 241), 'C', {}), Error);
    EXPECT_THROW(file->addTag(textTag("T"), 'C', {{"B", 1}, {"A", 2}}), Error);     // wrong length
    EXPECT_THROW(file->addTag(textTag("T", 1), 'C', {{"B", 1}, {"A", 2}}), Error);  // unsorted
    EXPECT_THROW(file->addTag({"T", std::string(600, 'X'), "", 4}, 'C', {}), Error);
    EXPECT_TRUE(file->tags().empty());
    CdxTag& tag = file->addTag(textTag("T", 4), 'C', {});
    EXPECT_THROW(tag.insert("ABC", 1), Error);
    file->flush();
    auto readOnly = CdxFile::open(path(), true);
    EXPECT_THROW(readOnly->findTag("T")->insert("ABCD", 1), Error);
}

}  // namespace
}  // namespace tarvo::xbase
