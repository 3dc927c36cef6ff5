// The duplicate rule of the iPOS item import against items already in S_STOCK: the code in any of
// the five code tags, the name renamed with the code when it alone is taken.

#include <gtest/gtest.h>

#include "importers/ipos/item_duplicates.h"
#include "tests/importers/importer_fixture.h"
#include "tests/templates/retail_import_fixture.h"
#include "xbase/work_areas.h"

namespace tarvo::importers::ipos {
namespace {

importing::DuplicateEntry firstOf(const importing::DuplicateList& list) {
    std::vector<importing::DuplicateEntry> all;
    list.forEach([&all](const importing::DuplicateEntry& entry) { all.push_back(entry); });
    return all.at(0);
}

class IposItemDuplicatesTest : public test::RetailImportTest {
protected:
    void SetUp() override {
        test::RetailImportTest::SetUp();
        // Item 1 has a different code in each code field; items 2 and 3 have names only.
        addStock({{"KODE_C", "A1"}, {"KODE_C_2", "B2"}, {"KODE_C_3", "C3"}, {"KODE_C_4", "D4"}, {"KODE_C_5", "E5"},
                  {"NAMA", "Kopi"}});
        addStock({{"KODE_C", "Z1"}, {"NAMA", "Teh X9"}});
        addStock({{"KODE_C", "Z2"}, {"NAMA", "TEH"}});
    }

    void addStock(const std::vector<std::pair<const char*, const char*>>& fields) {
        xbase::Table* stock = xbase::workAreas().find("S_STOCK");
        stock->append();
        stock->fieldPut("ID", xbase::Value(stock->recCount()));
        for (const auto& [field, value] : fields) stock->fieldPut(field, xbase::Value(value));
    }
};

TEST_F(IposItemDuplicatesTest, FindsCodesInEveryTagAndRenamesATakenName) {
    struct Case {
        const char* code;
        const char* name;
        bool allowCodes, allowNames;
        bool duplicate;
        const char* importedName;
        size_t codeEntries, nameEntries;
    };
    const Case cases[] = {
        {"A1", "Susu", false, false, true, "Susu", 1, 0},   {"C3", "Susu", false, false, true, "Susu", 1, 0},
        {"E5", "Susu", false, false, true, "Susu", 1, 0},   {"C3", "Susu", true, false, false, "Susu", 0, 0},
        {"Q", "Kopi", false, false, false, "Kopi Q", 0, 0}, {"Q", "Teh", false, false, false, "Teh Q", 0, 0},
        {"X9", "Teh", false, false, true, "Teh", 0, 1},     {"X9", "Teh", false, true, false, "Teh", 0, 0},
        {"D4", "Teh", false, false, true, "Teh D4", 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + " " + c.name);
        auto run = makeRun(test::optionsFor(importing::StockMode::None, c.allowCodes, c.allowNames));
        importing::StockSearch search;
        std::string name = c.name;
        EXPECT_EQ(isDuplicateIposItem(*run, search, c.code, name, 7), c.duplicate);
        EXPECT_EQ(name, c.importedName);
        ASSERT_EQ(run->codeDuplicates.size(), c.codeEntries);
        ASSERT_EQ(run->nameDuplicates.size(), c.nameEntries);
        if (c.codeEntries) {
            const importing::DuplicateEntry entry = firstOf(run->codeDuplicates);
            EXPECT_EQ(entry.newCode, c.code);
            EXPECT_EQ(entry.newName, c.name);
            EXPECT_EQ(entry.existingCode, "A1");
            EXPECT_EQ(entry.existingName, "Kopi");
            EXPECT_EQ(entry.templateRecno, 7u);
            EXPECT_EQ(entry.stockRecno, 1u);
        }
        if (c.nameEntries) {
            const importing::DuplicateEntry entry = firstOf(run->nameDuplicates);
            EXPECT_EQ(entry.newName, "Teh X9");
            EXPECT_EQ(entry.existingName, "Teh X9");
            EXPECT_EQ(entry.stockRecno, 2u);
        }
    }
}

}  // namespace
}  // namespace tarvo::importers::ipos
