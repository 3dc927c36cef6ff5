// Tags on Integer, Currency, Double and DateTime fields in the binary key forms FoxPro writes: a table
// and compound index built byte by byte from the published layouts, read, sought, updated, rebuilt and
// checked, each tag against the order a brute-force sort of the records gives.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/foreign_files.h"
#include "tests/support/test_support.h"
#include "xbase/cdx/cursor.h"
#include "xbase/cdx/keys.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"

namespace tarvo::xbase {
namespace {

namespace fs = std::filesystem;
using test::le32;

struct Row {
    int32_t id;
    double price;  // Currency: four decimals
    double rate;
    DateTime stamp;
};

const Date kTimeOnly{1899, 12, 30};  // the date of a DateTime that holds a time alone

const std::vector<Row> kRows = {
    {7, 12.5, -0.25, {Date{2024, 7, 8}, 13 * 3600000 + 30 * 60000}},
    {-3, 0, 1e6, {kTimeOnly, 8 * 3600000}},
    {250, -4.75, 3.5, {}},
    {0, 99999.9999, 0, {Date{2024, 7, 8}, 9 * 3600000 + 15 * 60000}},
    {INT32_MAX, 1, -1e-3, {Date{2023, 1, 1}, 0}},
};

std::string le64(int64_t v) { return le32(static_cast<uint32_t>(v)) + le32(static_cast<uint32_t>(v >> 32)); }

std::string recordImage(const Row& row) {
    char rate[8];
    std::memcpy(rate, &row.rate, sizeof rate);
    return " " + le32(static_cast<uint32_t>(row.id)) + le64(std::llround(row.price * 10000)) + std::string(rate, 8) +
           le32(static_cast<uint32_t>(row.stamp.date.julian())) + le32(static_cast<uint32_t>(row.stamp.milliseconds));
}

struct TagCase {
    const char* name;
    const char* expression;
    const char* forExpression;
    bool descending;
    uint16_t keyLength;
    std::function<std::string(const Row&)> key;  // the key bytes of a row
    std::function<bool(const Row&)> admitted;    // the FOR condition
};

const std::vector<TagCase>& tagCases() {
    static const std::vector<TagCase> cases = {
        {"ID", "ID", "", false, 4, [](const Row& r) { return cdxIntegerKey(r.id); }, [](const Row&) { return true; }},
        {"PRICE", "PRICE", "", false, 8, [](const Row& r) { return cdxNumericKey(r.price); },
         [](const Row&) { return true; }},
        {"RATE", "RATE", "", true, 8, [](const Row& r) { return cdxNumericKey(r.rate); }, [](const Row&) { return true; }},
        {"STAMP", "STAMP", "!EMPTY(STAMP)", false, 8,
         [](const Row& r) { return cdxNumericKey(r.stamp.julianDays()); }, [](const Row& r) { return !r.stamp.empty(); }},
        {"IDTIMES", "ID*10", "", false, 8, [](const Row& r) { return cdxNumericKey(r.id * 10.0); },
         [](const Row&) { return true; }},
    };
    return cases;
}

// The records of a tag in its order, by brute force: every admitted row's key sorted with its record.
std::vector<uint32_t> modelOrder(const TagCase& tag, const std::vector<Row>& rows) {
    std::vector<std::pair<std::string, uint32_t>> entries;
    for (size_t i = 0; i < rows.size(); ++i)
        if (tag.admitted(rows[i])) entries.emplace_back(tag.key(rows[i]), static_cast<uint32_t>(i + 1));
    std::sort(entries.begin(), entries.end());
    if (tag.descending) std::reverse(entries.begin(), entries.end());
    std::vector<uint32_t> order;
    for (const auto& entry : entries) order.push_back(entry.second);
    return order;
}

std::vector<std::pair<std::string, uint32_t>> sortedEntries(const TagCase& tag, const std::vector<Row>& rows) {
    std::vector<std::pair<std::string, uint32_t>> entries;
    for (size_t i = 0; i < rows.size(); ++i)
        if (tag.admitted(rows[i])) entries.emplace_back(tag.key(rows[i]), static_cast<uint32_t>(i + 1));
    std::sort(entries.begin(), entries.end());
    return entries;
}

std::vector<uint32_t> walkOrder(Table& table, const char* tag) {
    EXPECT_TRUE(table.setOrder(tag));
    std::vector<uint32_t> order;
    for (table.goTop(); !table.eof(); table.skip()) order.push_back(table.recNo());
    return order;
}

class BinaryKeyTagsTest : public ::testing::Test {
protected:
    void SetUp() override {
        applyStartupSettings();
        settings().deleted = false;
        path = dir.path() / "RATES.DBF";
        std::vector<std::string> records;
        for (const Row& row : kRows) records.push_back(recordImage(row));
        test::writeFile(path, test::dbfImage(0x30,
                                             {{"ID", 'I', 4}, {"PRICE", 'Y', 8, 4}, {"RATE", 'B', 8, 2}, {"STAMP", 'T', 8}},
                                             records, 0x03, true));
        std::vector<test::RawTag> tags;
        for (const TagCase& tag : tagCases())
            tags.push_back({tag.name, tag.expression, tag.forExpression, tag.keyLength, '\0', sortedEntries(tag, kRows),
                            tag.descending});
        test::writeFile(dir.path() / "RATES.CDX", test::cdxImage(tags));
    }

    std::unique_ptr<Table> open(bool writable) {
        return Table::open(path, OpenOptions{writable, !writable, Driver::DBFCDX});
    }

    void expectConsistent(Table& table, const std::vector<Row>& rows) {
        for (const TagCase& tag : tagCases()) {
            SCOPED_TRACE(tag.name);
            IndexOrder* order = table.order(tag.name);
            ASSERT_NE(order, nullptr);
            EXPECT_TRUE(order->usable()) << order->unusableReason();
            EXPECT_EQ(table.indexes()->check(*order), IndexProblems{});
            EXPECT_EQ(walkOrder(table, tag.name), modelOrder(tag, rows));
        }
    }

    test::TempDir dir;
    fs::path path;
};

TEST_F(BinaryKeyTagsTest, ReadsEachTagInItsOrder) {
    auto table = open(false);
    ASSERT_EQ(table->orderCount(), static_cast<int>(tagCases().size()));
    EXPECT_EQ(table->order("ID")->keyType(), 'I');
    EXPECT_EQ(table->order("STAMP")->keyType(), 'T');
    EXPECT_EQ(table->order("IDTIMES")->keyType(), 'N');
    expectConsistent(*table, kRows);
    table->goTo(2);
    EXPECT_EQ(table->fieldGet("STAMP").dateTime(), kRows[1].stamp);
    EXPECT_DOUBLE_EQ(table->fieldGet("PRICE").number(), 0);
}

TEST_F(BinaryKeyTagsTest, SeeksEveryKeyType) {
    auto table = open(false);
    struct Seek {
        const char* tag;
        Value key;
        bool soft;
        bool found;
        uint32_t recno;  // 0: at the end
    };
    const std::vector<Seek> seeks = {
        {"ID", Value(250), false, true, 3},
        {"ID", Value(-3), false, true, 2},
        {"ID", Value(251), false, false, 0},
        {"ID", Value(251), true, false, 5},
        {"PRICE", Value(-4.75), false, true, 3},
        {"PRICE", Value(50), true, false, 4},
        {"RATE", Value(3.5), false, true, 3},
        {"STAMP", Value(kRows[0].stamp), false, true, 1},
        {"STAMP", Value(Date{2024, 7, 8}), true, false, 4},  // a date seeks the first time of its day
        {"STAMP", Value(kRows[1].stamp), false, true, 2},
        {"IDTIMES", Value(70), false, true, 1},
    };
    for (const Seek& seek : seeks) {
        SCOPED_TRACE(std::string(seek.tag) + " " + std::to_string(seek.key.number()));
        ASSERT_TRUE(table->setOrder(seek.tag));
        EXPECT_EQ(table->seek(seek.key, seek.soft), seek.found);
        EXPECT_EQ(table->eof(), seek.recno == 0);
        if (seek.recno != 0) {
            EXPECT_EQ(table->recNo(), seek.recno);
        }
    }
    table->setOrder("ID");
    EXPECT_THROW(table->seek(Value(1.5), false), Error);
    EXPECT_THROW(table->seek(Value("7"), false), Error);
}

TEST_F(BinaryKeyTagsTest, WritesKeepEveryTagCurrent) {
    std::vector<Row> rows = kRows;
    {
        auto table = open(true);
        table->goTo(1);
        table->fieldPut("ID", Value(-100));
        table->fieldPut("PRICE", Value(-0.0001));
        rows[0].id = -100;
        rows[0].price = -0.0001;
        table->goTo(3);
        const DateTime noon{Date{2024, 7, 8}, 12 * 3600000};
        table->fieldPut("STAMP", Value(noon));
        rows[2].stamp = noon;
        table->append();
        const Row added{INT32_MIN, 3.25, -7, {kTimeOnly, 1}};
        table->fieldPut("ID", Value(added.id));
        table->fieldPut("PRICE", Value(added.price));
        table->fieldPut("RATE", Value(added.rate));
        table->fieldPut("STAMP", Value(added.stamp));
        rows.push_back(added);
        table->commit();
        expectConsistent(*table, rows);
    }
    auto reopened = open(false);
    for (const Row& row : rows) {
        reopened->setOrder("ID");
        EXPECT_TRUE(reopened->seek(Value(row.id), false)) << row.id;
    }
    reopened->setOrder("STAMP");
    EXPECT_TRUE(reopened->seek(Value(DateTime{kTimeOnly, 1}), false));
    EXPECT_EQ(reopened->recNo(), 6u);
}

TEST_F(BinaryKeyTagsTest, BuildingTheTagsGivesTheBytesOfTheHandMadeFile) {
    auto table = open(true);
    const fs::path built = dir.path() / "BUILT.CDX";
    for (const TagCase& tag : tagCases())
        table->createOrder(built, std::string(tag.name) + "2", tag.expression, tag.forExpression, tag.descending);
    for (const TagCase& tag : tagCases()) {
        SCOPED_TRACE(tag.name);
        CdxTag& original = table->order(tag.name)->tag();
        CdxTag& rebuilt = table->order(std::string(tag.name) + "2")->tag();
        EXPECT_EQ(rebuilt.info().keyLength, tag.keyLength);
        EXPECT_EQ(rebuilt.keyType(), original.keyType());
        std::vector<CdxEntry> a, b;
        CdxCursor first(original), second(rebuilt);
        for (bool on = first.first(); on; on = first.next()) a.push_back(first.entry());
        for (bool on = second.first(); on; on = second.next()) b.push_back(second.entry());
        EXPECT_EQ(a, b);
    }
}

TEST_F(BinaryKeyTagsTest, CheckFindsAnIntegerChangedBehindTheIndex) {
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const size_t headerLength = static_cast<uint8_t>(bytes[8]) | static_cast<uint8_t>(bytes[9]) << 8;
    const size_t recordLength = static_cast<uint8_t>(bytes[10]) | static_cast<uint8_t>(bytes[11]) << 8;
    bytes.replace(headerLength + 3 * recordLength + 1, 4, le32(5));  // record 4: ID 0 becomes 5
    test::writeFile(path, bytes);
    auto table = open(false);
    const IndexProblems problems = table->indexes()->check(*table->order("ID"));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_NE(problems[0].find("record 4 has a key that differs from its expression"), std::string::npos) << problems[0];
}

}  // namespace
}  // namespace tarvo::xbase
