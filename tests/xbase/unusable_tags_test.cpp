// Tags whose expressions do not fit the table (a field that lives in a database container, a function
// we do not know, a key length other than the expression's): the table opens, reads, and seeks through
// its other tags; writes that would leave such a tag stale are refused, naming the table and the tag,
// and leave the files as they were.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/foreign_files.h"
#include "tests/support/test_support.h"
#include "xbase/cdx/keys.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"

namespace tarvo::xbase {
namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kCodes = {"B2   ", "A1   ", "C3   "};

struct BadTag {
    const char* name;
    const char* expression;
    uint16_t keyLength;
    char pad;
    const char* reason;  // part of the unusable reason
    bool rebuildable;    // the expression evaluates: a reindex builds the tag anew
};

const BadTag kBadTags[] = {
    {"LongName", "CUSTOMERNAME", 10, ' ', "unknown field CUSTOMERNAME", false},
    {"UnknownFunction", "PROPER(KODE)", 5, ' ', "unknown function PROPER", false},
    {"KeyLength", "VAL(KODE)", 4, '\0', "key length 4 does not fit its expression", true},
};

class UnusableTagTest : public ::testing::TestWithParam<BadTag> {
protected:
    void SetUp() override {
        applyStartupSettings();
        path = dir.path() / "CUST.DBF";
        std::vector<std::string> records;
        for (const std::string& code : kCodes) records.push_back(" " + code);
        test::writeFile(path, test::dbfImage(0x30, {{"KODE", 'C', 5}}, records, 0x03, true));
        std::vector<std::pair<std::string, uint32_t>> codes;
        for (size_t i = 0; i < kCodes.size(); ++i) codes.emplace_back(kCodes[i], static_cast<uint32_t>(i + 1));
        std::sort(codes.begin(), codes.end());
        const BadTag& bad = GetParam();
        std::vector<std::pair<std::string, uint32_t>> badKeys;
        for (uint32_t recno = 1; recno <= kCodes.size(); ++recno)
            badKeys.emplace_back(std::string(bad.keyLength, bad.pad == ' ' ? 'X' : '\x80') + "", recno);
        for (auto& key : badKeys) key.first.back() = static_cast<char>('0' + key.second);
        test::writeFile(dir.path() / "CUST.CDX",
                        test::cdxImage({{"KODE", "KODE", "", 5, ' ', codes}, {"BAD", bad.expression, "", bad.keyLength,
                                                                            bad.pad, badKeys}}));
        before = test::fileContents(dir.path());
    }

    test::TempDir dir;
    fs::path path;
    std::map<std::string, std::string> before;
};

TEST_P(UnusableTagTest, TheTableOpensAndReadsThroughItsOtherTags) {
    auto table = Table::open(path, OpenOptions{false, true, Driver::DBFCDX});
    ASSERT_EQ(table->orderCount(), 2);
    const IndexOrder& bad = *table->order("BAD");
    EXPECT_FALSE(bad.usable());
    EXPECT_NE(bad.unusableReason().find(GetParam().reason), std::string::npos) << bad.unusableReason();
    EXPECT_TRUE(table->order("KODE")->usable());

    std::vector<std::string> physical;
    for (table->goTop(); !table->eof(); table->skip()) physical.push_back(table->fieldGet("KODE").text());
    EXPECT_EQ(physical, kCodes);
    ASSERT_TRUE(table->setOrder("KODE"));
    EXPECT_TRUE(table->seek(Value("C3"), false));
    EXPECT_EQ(table->recNo(), 3u);
    table->goTop();
    EXPECT_EQ(table->recNo(), 2u);  // A1

    EXPECT_EQ(table->indexes()->check(*table->order("KODE")), IndexProblems{});
    const IndexProblems problems = table->indexes()->check(*table->order("BAD"));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("tag BAD: cannot be used"), std::string::npos) << problems[0];
    try {
        table->setOrder("BAD");
        ADD_FAILURE() << "made an unusable tag the controlling order";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("tag BAD"), std::string::npos) << e.what();
    }
    EXPECT_EQ(table->controllingOrder(), table->order("KODE"));
}

TEST_P(UnusableTagTest, WritesAreRefusedNamingTheTableAndTheTag) {
    {
        auto table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
        table->goTo(1);
        const std::vector<std::pair<const char*, std::function<void()>>> writes = {
            {"append", [&] { table->append(); }},
            {"write a field", [&] { table->fieldPut("KODE", Value("Z9")); }},
            {"delete", [&] { table->deleteRecord(); }},
            {"recall", [&] { table->recall(); }},
            {"zap", [&] { table->zap(); }},
            {"pack", [&] { table->pack(); }},
        };
        for (const auto& [what, write] : writes) {
            SCOPED_TRACE(what);
            try {
                write();
                ADD_FAILURE() << "a write went through";
            } catch (const Error& e) {
                const std::string message = e.what();
                EXPECT_NE(message.find(path.string() + ": cannot " + what), std::string::npos) << message;
                EXPECT_NE(message.find("tag BAD of "), std::string::npos) << message;
                EXPECT_NE(message.find("cannot be kept up to date"), std::string::npos) << message;
            }
        }
    }
    EXPECT_TRUE(test::fileContents(dir.path()) == before) << "a refused write changed the files";
}

TEST_P(UnusableTagTest, AReindexBuildsTheTagWhenItsExpressionEvaluates) {
    auto table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
    if (!GetParam().rebuildable) {
        EXPECT_THROW(table->reindex(), Error);
        EXPECT_FALSE(table->order("BAD")->usable());
        table.reset();
        EXPECT_TRUE(test::fileContents(dir.path()) == before) << "a refused reindex changed the files";
        return;
    }
    table->reindex();
    ASSERT_TRUE(table->order("BAD")->usable());
    EXPECT_EQ(table->indexes()->check(*table->order("BAD")), IndexProblems{});
    table->append();  // writable again
}

TEST_P(UnusableTagTest, ReplacingTheTagMakesTheTableWritableAgain) {
    auto table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
    table->createOrder(table->structuralIndexPath(), "BAD", "Upper(KODE)");
    EXPECT_TRUE(table->order("BAD")->usable());
    table->append();
    table->fieldPut("KODE", Value("d4"));
    table->commit();
    for (int i = 1; i <= table->orderCount(); ++i)
        EXPECT_EQ(table->indexes()->check(*table->order(i)), IndexProblems{});
    ASSERT_TRUE(table->setOrder("BAD"));
    EXPECT_TRUE(table->seek(Value("D4"), false));
}

INSTANTIATE_TEST_SUITE_P(Reasons, UnusableTagTest, ::testing::ValuesIn(kBadTags),
                         [](const auto& param) { return std::string(param.param.name); });

}  // namespace
}  // namespace tarvo::xbase
