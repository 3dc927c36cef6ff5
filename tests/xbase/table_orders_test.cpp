// Index orders on tables: navigation, seeks and key counts agree with a brute-force scan of the
// records through appends, field writes, deletes, recalls, packs and zaps, and after reopening.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "tests/support/fixture_files.h"
#include "tests/support/test_support.h"
#include "xbase/cdx/keys.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"

namespace tarvo::xbase {
namespace {

using test::TempDir;

struct TagModel {
    const char* name;
    const char* key;
    const char* condition;
    bool descending;
};

// Key bytes and FOR condition of each tag, computed from field values the way the model sees them.
const std::vector<TagModel> kTags = {
    {"KODE", "UPPER(KODE)", "", false},
    {"QTY", "QTY", "QTY>0", false},
    {"TGL", "TGL", "", true},
    {"KODEQTY", "KODE+STR(QTY,6)", "!AKTIF", true},
};

struct Row {
    std::string kode;
    int qty = 0;
    Date tgl;
    bool aktif = false;
    bool deleted = false;
};

std::optional<std::string> modelKey(const Row& r, size_t tag) {
    auto upper = [](std::string s) {
        for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return s;
    };
    std::string padded = r.kode + std::string(8 - r.kode.size(), ' ');
    char qty[8];
    std::snprintf(qty, sizeof qty, "%6d", r.qty);
    switch (tag) {
        case 0: return upper(padded);
        case 1: if (r.qty <= 0) return std::nullopt; return cdxNumericKey(r.qty);
        case 2: return cdxDateKey(r.tgl);
        default: if (r.aktif) return std::nullopt; return padded + qty;
    }
}

class TableOrdersTest : public ::testing::Test {
protected:
    void SetUp() override {
        applyStartupSettings();
        path = dir.path() / "ITEM.DBF";
        Table::create(path, {{"KODE", 'C', 8, 0}, {"QTY", 'N', 6, 0}, {"TGL", 'D', 8, 0}, {"AKTIF", 'L', 1, 0}},
                      Driver::DBFCDX);
        table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
        for (const auto& t : kTags) table->createOrder(dir.path() / "ITEM.CDX", t.name, t.key, t.condition, t.descending);
    }

    Row randomRow() {
        static const char* kCodes[] = {"a1", "A1", "b", "B22", "c", "zz", "Zz9", "m", ""};
        Row r;
        r.kode = kCodes[rng() % 9];
        r.qty = static_cast<int>(rng() % 7) - 2;
        r.tgl = rng() % 5 == 0 ? Date{} : Date{2020 + static_cast<int>(rng() % 3), 1 + static_cast<int>(rng() % 2), 1};
        r.aktif = rng() % 2;
        return r;
    }
    void write(const Row& r) {
        table->fieldPut("KODE", Value(r.kode));
        table->fieldPut("QTY", Value(r.qty));
        table->fieldPut("TGL", Value(r.tgl));
        table->fieldPut("AKTIF", Value(r.aktif));
    }

    // The records a tag shows, in its order, by brute force.
    std::vector<uint32_t> expectedOrder(size_t tag) const {
        std::vector<std::pair<std::string, uint32_t>> keyed;
        for (uint32_t i = 0; i < rows.size(); ++i) {
            auto key = modelKey(rows[i], tag);
            if (key && !(settings().deleted && rows[i].deleted)) keyed.emplace_back(*key, i + 1);
        }
        std::sort(keyed.begin(), keyed.end());
        if (kTags[tag].descending) std::reverse(keyed.begin(), keyed.end());
        std::vector<uint32_t> out;
        for (auto& k : keyed) out.push_back(k.second);
        return out;
    }
    uint32_t expectedKeyCount(size_t tag) const {
        return static_cast<uint32_t>(std::count_if(rows.begin(), rows.end(), [&](const Row& r) { return modelKey(r, tag).has_value(); }));
    }

    void checkAgainstModel() {
        for (size_t tag = 0; tag < kTags.size(); ++tag) {
            SCOPED_TRACE(kTags[tag].name);
            ASSERT_TRUE(table->setOrder(kTags[tag].name));
            std::vector<uint32_t> expected = expectedOrder(tag);
            std::vector<uint32_t> forward, backward;
            for (table->goTop(); !table->eof(); table->skip()) forward.push_back(table->recNo());
            for (table->goBottom(); !table->bof() && !table->eof(); table->skip(-1)) backward.push_back(table->recNo());
            std::reverse(backward.begin(), backward.end());
            EXPECT_EQ(forward, expected);
            EXPECT_EQ(backward, expected);
            EXPECT_EQ(table->keyCount(), expectedKeyCount(tag));
            EXPECT_TRUE(table->indexes()->check(*table->controllingOrder()).empty());
            if (tag == 0) checkSeeks(expected);
        }
        table->setOrder(0);
    }

    void checkSeeks(const std::vector<uint32_t>& visible) {
        for (const char* prefix : {"A", "A1", "B2", "C", "D", "ZZ9", "Y", "", "M       "}) {
            std::string sought = prefix;
            auto keyOf = [&](uint32_t recno) { return *modelKey(rows[recno - 1], 0); };
            auto firstHit = std::find_if(visible.begin(), visible.end(), [&](uint32_t r) { return keyOf(r).rfind(sought, 0) == 0; });
            auto lastHit = std::find_if(visible.rbegin(), visible.rend(), [&](uint32_t r) { return keyOf(r).rfind(sought, 0) == 0; });
            auto softHit = std::find_if(visible.begin(), visible.end(), [&](uint32_t r) { return keyOf(r).substr(0, sought.size()) >= sought; });
            SCOPED_TRACE("seek '" + sought + "'");
            bool found = table->seek(Value(sought), false, false);
            EXPECT_EQ(found, firstHit != visible.end());
            EXPECT_EQ(table->recNo(), found ? *firstHit : table->recCount() + 1);
            EXPECT_EQ(table->found(), found);
            if (found) {
                EXPECT_TRUE(table->seek(Value(sought), false, true));
                EXPECT_EQ(table->recNo(), *lastHit);
            } else {
                EXPECT_TRUE(table->eof());
                table->seek(Value(sought), true, false);
                EXPECT_EQ(table->recNo(), softHit == visible.end() ? table->recCount() + 1 : *softHit);
            }
        }
    }

    TempDir dir;
    std::filesystem::path path;
    std::unique_ptr<Table> table;
    std::vector<Row> rows;
    std::mt19937 rng{20240708};
};

TEST_F(TableOrdersTest, AgreesWithBruteForceThroughChangesAndReopen) {
    for (int round = 0; round < 12; ++round) {
        for (int i = 0; i < 120; ++i) {
            int op = static_cast<int>(rng() % 10);
            if (op < 5 || rows.empty()) {
                rows.push_back(randomRow());
                table->append();
                write(rows.back());
                continue;
            }
            uint32_t recno = 1 + rng() % rows.size();
            table->goTo(recno);
            if (op < 8) {
                rows[recno - 1] = Row{randomRow().kode, randomRow().qty, rows[recno - 1].tgl, !rows[recno - 1].aktif,
                                      rows[recno - 1].deleted};
                write(rows[recno - 1]);
            } else if (op == 8) {
                table->deleteRecord();
                rows[recno - 1].deleted = true;
            } else {
                table->recall();
                rows[recno - 1].deleted = false;
            }
        }
        checkAgainstModel();
        settings().deleted = false;
        checkAgainstModel();
        settings().deleted = true;
        if (round == 5) {
            table->pack();
            std::erase_if(rows, [](const Row& r) { return r.deleted; });
            checkAgainstModel();
        }
    }
    table.reset();
    table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
    ASSERT_EQ(table->orderCount(), 4);
    checkAgainstModel();
    table->zap();
    rows.clear();
    checkAgainstModel();
}

TEST_F(TableOrdersTest, OrdersAreSelectedByNameOrNumber) {
    EXPECT_TRUE(table->setOrder("qty"));
    EXPECT_EQ(table->controllingOrder()->name(), "QTY");
    EXPECT_TRUE(table->setOrder(3));
    EXPECT_EQ(table->controllingOrder()->name(), "TGL");
    EXPECT_FALSE(table->setOrder("NOPE"));
    EXPECT_EQ(table->controllingOrder()->name(), "TGL");
    EXPECT_FALSE(table->setOrder(9));
    EXPECT_TRUE(table->setOrder(0));
    EXPECT_EQ(table->controllingOrder(), nullptr);
    EXPECT_FALSE(table->seek(Value("A"), false));  // no order: nothing to seek in
    EXPECT_TRUE(table->eof());
}

TEST_F(TableOrdersTest, FilterExpressionHidesRecords) {
    for (int qty : {5, -1, 7, 0}) {
        table->append();
        table->fieldPut("QTY", Value(qty));
    }
    table->setOrder("QTY");
    table->setFilterExpression("QTY > 5");
    std::vector<uint32_t> shown;
    for (table->goTop(); !table->eof(); table->skip()) shown.push_back(table->recNo());
    EXPECT_EQ(shown, std::vector<uint32_t>{3});
    EXPECT_THROW(table->setFilterExpression("QTY +"), ExpressionError);
    EXPECT_THROW(table->setFilterExpression("QTY"), ExpressionError);  // not logical
    table->clearFilter();
    table->goTop();
    EXPECT_EQ(table->recNo(), 1u);
}

TEST_F(TableOrdersTest, WrongTagDefinitionsAreRefusedWithFileAndTag) {
    try {
        table->createOrder(dir.path() / "ITEM.CDX", "BAD", "UPPER(NOFIELD)");
        FAIL() << "created a tag over an unknown field";
    } catch (const Error& e) {
        std::string text = e.what();
        EXPECT_NE(text.find("ITEM.CDX"), std::string::npos) << text;
        EXPECT_NE(text.find("BAD"), std::string::npos) << text;
        EXPECT_NE(text.find("NOFIELD"), std::string::npos) << text;
    }
    EXPECT_EQ(table->orderCount(), 4);
}

// Other xBase programs open a structural index only when header byte 28 marks it; a separate
// index file leaves the mark alone.
TEST_F(TableOrdersTest, StructuralIndexIsMarkedInTheHeader) {
    auto headerFlags = [&](const std::filesystem::path& file) {
        return test::fileContents(dir.path()).at(file.filename().string()).at(28);
    };
    EXPECT_TRUE(table->marksStructuralIndex());
    EXPECT_EQ(headerFlags(path), 0x01);

    const std::filesystem::path other = dir.path() / "OTHER.DBF";
    Table::create(other, {{"KODE", 'C', 8, 0}}, Driver::DBFCDX);
    auto separate = Table::open(other, OpenOptions{true, false, Driver::DBFCDX});
    separate->createOrder(dir.path() / "EXTRA.CDX", "KODE", "KODE");
    EXPECT_FALSE(separate->marksStructuralIndex());
    separate->createOrder(separate->structuralIndexPath(), "KODE", "KODE");
    separate.reset();
    EXPECT_EQ(headerFlags(other), 0x01);
    EXPECT_TRUE(Table::open(other, OpenOptions{false, true, Driver::DBFCDX})->marksStructuralIndex());
}

TEST(ForeignIndexTest, FixtureIndexesOpenWithTheirTables) {
    TARVO_SKIP_WITHOUT_FIXTURE(test::foreignTable("vfp"));
    applyStartupSettings();
    for (const char* kind : {"foxpro2", "vfp"}) {
        SCOPED_TRACE(kind);
        auto t = Table::open(test::foreignTable(kind),
                             OpenOptions{false, true, Driver::DBFCDX});
        ASSERT_EQ(t->orderCount(), 2);
        ASSERT_TRUE(t->setOrder("NAME"));
        EXPECT_EQ(t->keyCount(), 5u);
        std::vector<std::string> names;
        for (t->goTop(); !t->eof(); t->skip()) names.push_back(t->fieldGet("NAME").text().substr(0, 5));
        EXPECT_EQ(names, (std::vector<std::string>{"apple", "Mango", "Widge", "Zebra"}));
        EXPECT_TRUE(t->seek(Value("MAN"), false));
        EXPECT_EQ(t->recNo(), 5u);
        EXPECT_FALSE(t->seek(Value("BANANA"), false));  // deleted
        ASSERT_TRUE(t->setOrder("PRICE"));
        EXPECT_EQ(t->keyCount(), 4u);
        EXPECT_TRUE(t->seek(Value(-7.10), false));
        EXPECT_EQ(t->recNo(), 5u);
        EXPECT_FALSE(t->seek(Value(3.25), false));  // QTY 0: left out by the FOR condition
        for (const auto& order : t->indexes()->orders()) EXPECT_TRUE(t->indexes()->check(*order).empty());
    }
}

}  // namespace
}  // namespace tarvo::xbase
