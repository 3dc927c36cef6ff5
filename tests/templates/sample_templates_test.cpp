// The sample template set: it passes the structure check, holds the requested numbers of
// importable rows with consistent references, and is the same for the same seed.

#include "sampledata/templates.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>

#include "importing/code_list.h"
#include "templates/structure_check.h"
#include "templates/template_files.h"
#include "templates/template_layouts.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {
namespace {

namespace fs = std::filesystem;

class SampleTemplatesTest : public ::testing::Test {
protected:
    void SetUp() override { xbase::applyStartupSettings(); }
    void TearDown() override { xbase::workAreas().closeAll(); }

    // Writes the set and opens and checks it as an import does.
    sampledata::SampleTemplateSummary makeAndCheck(const sampledata::SampleTemplateOptions& options) {
        sampledata::SampleTemplateSummary summary = sampledata::makeSampleTemplates(dir.path(), options);
        EXPECT_TRUE(openTemplates(run));
        EXPECT_TRUE(BUTTONIMPORT1PRE(run));
        EXPECT_EQ(run.CFIELDOVER, "");
        EXPECT_TRUE(ui.messages.empty());
        return summary;
    }

    // Calls visit on every row that is not deleted, in physical order.
    template <class Visit>
    void eachRow(const std::string& alias, Visit visit) {
        xbase::Table* table = xbase::workAreas().find(alias);
        ASSERT_NE(table, nullptr) << alias;
        for (table->goTop(); !table->eof(); table->skip()) visit(*table);
    }
    std::string code(const xbase::Table& table, const std::string& column) {
        return importing::normaliseCode(table.fieldGet(column).text());
    }
    std::set<std::string> codes(const std::string& alias, const std::string& column = "KODE") {
        std::set<std::string> out;
        eachRow(alias, [&](const xbase::Table& t) { out.insert(code(t, column)); });
        out.erase("");
        return out;
    }
    uint32_t deletedRows(const std::string& alias) {
        uint32_t deleted = 0;
        xbase::workAreas().find(alias)->scanRecords([&](uint32_t, std::string_view image) { deleted += image[0] == '*'; });
        return deleted;
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    TemplateRun run{importing::defaultImportOptions(), dir.path().string() + "/", nullptr};
};

TEST_F(SampleTemplatesTest, EveryTemplateIsWrittenAndPassesTheStructureCheck) {
    const sampledata::SampleTemplateSummary summary = makeAndCheck({.items = 120, .customers = 40, .vendors = 8, .seed = 3});
    for (const TemplateInfo& info : templates()) {
        EXPECT_TRUE(fs::exists(dir.path() / (info.name + ".DBF"))) << info.name;
        EXPECT_TRUE(run.templateOpen(info.name)) << info.name;
        EXPECT_EQ(summary.rows.at(info.name), xbase::workAreas().find(info.name)->recCount()) << info.name;
    }
}

// Accepts item rows as the import's duplicate tests do: every code and the name with its
// extension must be new.
TEST_F(SampleTemplatesTest, HoldsTheRequestedItemsCustomersAndVendorsBesidesTheDeliberateFaults) {
    const sampledata::SampleTemplateSummary summary = makeAndCheck({.items = 500, .customers = 90, .vendors = 14, .seed = 11});

    std::set<std::string> itemCodes, itemNames;
    uint32_t items = 0, codeRepeats = 0, nameRepeats = 0, blank = 0, codeCount = 0;
    eachRow("ITEM", [&](const xbase::Table& t) {
        std::vector<std::string> rowCodes = {code(t, "KODE")};
        for (const char* column : {"KODE_2", "KODE_3", "KODE_4", "KODE_5"})
            if (!code(t, column).empty()) rowCodes.push_back(code(t, column));
        const std::string name = importing::normaliseCode(t.fieldGet("NAMA").text()) + "|" + importing::normaliseCode(t.fieldGet("NAMAEX1").text());
        if (rowCodes[0].empty() || name == "|") {
            ++blank;
            return;
        }
        bool codeSeen = false;
        for (const std::string& c : rowCodes) codeSeen = codeSeen || itemCodes.count(c);
        const bool nameSeen = itemNames.count(name) > 0;
        codeRepeats += codeSeen;
        nameRepeats += nameSeen;
        if (codeSeen || nameSeen) return;
        ++items;
        codeCount += static_cast<uint32_t>(rowCodes.size());
        itemCodes.insert(rowCodes.begin(), rowCodes.end());
        itemNames.insert(name);
    });
    EXPECT_EQ(items, 500u);
    EXPECT_EQ(codeRepeats, 2u);
    EXPECT_EQ(nameRepeats, 1u);
    EXPECT_EQ(blank, 2u);
    EXPECT_EQ(deletedRows("ITEM"), 2u);
    EXPECT_EQ(summary.codeDuplicates, 2u);
    EXPECT_EQ(summary.nameDuplicates, 1u);
    EXPECT_NEAR(codeCount / 500.0, 3.0, 0.3);  // one to five codes each

    uint32_t customers = 0;
    eachRow("PELANG", [&](const xbase::Table& t) { customers += !code(t, "NAMA").empty(); });
    EXPECT_EQ(customers, 90u);
    EXPECT_EQ(deletedRows("PELANG"), 1u);
    EXPECT_EQ(codes("PELANG").size(), 90u);
    EXPECT_EQ(codes("VENDOR").size(), 14u);
    EXPECT_EQ(xbase::workAreas().find("VENDOR")->recCount(), 16u);  // a repeated code and a blank row

    for (const auto& [name, count] : std::map<std::string, uint32_t>{{"ITEM", 500}, {"PELANG", 90}, {"VENDOR", 14}})
        EXPECT_EQ(summary.accepted.at(name), count) << name;
}

TEST_F(SampleTemplatesTest, ReferencesNameCodesOfTheTemplatesTheyBelongTo) {
    makeAndCheck({.items = 400, .customers = 120, .vendors = 10, .seed = 5});
    struct Reference {
        std::string alias, column, target, targetColumn;
    };
    const std::vector<Reference> references = {
        {"ITEM", "KODE_VEN", "VENDOR", "KODE"},     {"ITEM", "KODE_GRP1", "GRPSTK", "KODE"},
        {"ITEM", "KODE_GRP2", "GRPST2", "KODE"},    {"ITEM", "KODE_GRP3", "GRPST3", "KODE"},
        {"ITEM", "LINK_KODE", "ITEM", "KODE"},      {"ITMINF", "KODE_ITEM", "ITEM", "KODE"},
        {"ITMNAM", "KODE_ITEM", "ITEM", "KODE"},    {"STKHJL", "KODE_ITEM", "ITEM", "KODE"},
        {"STKHJL", "KODE_GRP", "GRPHJL", "KODE"},   {"VENDOR", "KODE_DAE", "DAERAH", "KODE"},
        {"PELANG", "KODE_GRP", "GRPPEL", "KODE"},   {"PELANG", "KODE_GR2", "GRPPE2", "KODE"},
        {"PELANG", "KODE_DAE", "DAERAH", "KODE"},   {"PELANG", "KODE_DA2", "DAERA2", "KODE"},
        {"PELANG", "KODE_SALES", "SALES", "KODE"},  {"PELANG", "KODE_HJL", "GRPHJL", "KODE"},
        {"PELEXT", "KODE_PEL", "PELANG", "KODE"},   {"PEMBEL", "KODE_VEN", "VENDOR", "KODE"},
        {"PENJUA", "KODE_PEL", "PELANG", "KODE"},   {"PENJUA", "KODE_SALES", "SALES", "KODE"},
    };
    for (const Reference& r : references) {
        const std::set<std::string> used = codes(r.alias, r.column);
        const std::set<std::string> known = codes(r.target, r.targetColumn);
        EXPECT_FALSE(used.empty()) << r.alias << "." << r.column;
        for (const std::string& c : used) EXPECT_TRUE(known.count(c)) << r.alias << "." << r.column << " " << c;
    }
}

TEST_F(SampleTemplatesTest, OpeningStockFillsTheRequestedWarehousesOfStockItemsOnly) {
    makeAndCheck({.items = 300, .customers = 10, .vendors = 3, .seed = 9, .warehouses = 4});
    uint32_t stocked = 0, otherKinds = 0, linked = 0;
    eachRow("ITEM", [&](const xbase::Table& t) {
        double quantity = 0;
        for (int w = 1; w <= 30; ++w) {
            const double q = t.fieldGet("SISA_STK" + std::to_string(w)).number();
            if (w > 4) {
                EXPECT_EQ(q, 0) << "SISA_STK" << w;
            }
            quantity += q;
            if (q != 0) {
                EXPECT_GT(t.fieldGet("SISA_NIL" + std::to_string(w)).number(), 0);
            }
        }
        const int kind = static_cast<int>(t.fieldGet("JENIS").number());
        if (kind != 0) {
            ++otherKinds;
            EXPECT_EQ(quantity, 0);
        }
        if (kind == 2) linked += !code(t, "LINK_KODE").empty();
        stocked += quantity > 0;
    });
    EXPECT_GT(stocked, 250u);
    EXPECT_GT(otherKinds, 0u);
    EXPECT_GT(linked, 0u);
}

TEST_F(SampleTemplatesTest, AFixedCodeCountGivesEveryRegularItemThatManyCodes) {
    makeAndCheck({.items = 200, .customers = 10, .vendors = 3, .seed = 4, .codesPerItem = 3});
    std::map<size_t, uint32_t> itemsByCodes;
    std::set<std::string> seen;
    eachRow("ITEM", [&](const xbase::Table& t) {
        // Regular items only: not the blank rows, the faults with codes of their own (DBL...)
        // nor the one repeating an item's code.
        const std::string first = code(t, "KODE");
        if (!first.starts_with("BRG") || !seen.insert(first).second) return;
        size_t codeCount = 0;
        for (const char* column : {"KODE", "KODE_2", "KODE_3", "KODE_4", "KODE_5"}) codeCount += !code(t, column).empty();
        ++itemsByCodes[codeCount];
    });
    EXPECT_EQ(itemsByCodes, (std::map<size_t, uint32_t>{{3, 200}}));
}

TEST_F(SampleTemplatesTest, EmptyCountsStillGiveEveryTemplate) {
    const sampledata::SampleTemplateSummary summary = makeAndCheck({.items = 0, .customers = 0, .vendors = 0});
    EXPECT_EQ(summary.rows.size(), templates().size());
    for (const char* name : {"ITEM", "PELANG", "VENDOR", "PENJUA", "ITMINF"}) EXPECT_EQ(summary.accepted.at(name), 0u);
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The bytes of a template without the date of last update (header bytes 1 to 3).
std::string withoutDate(std::string bytes) {
    if (bytes.size() > 3) bytes.replace(1, 3, "   ");
    return bytes;
}

TEST(SampleTemplates, TheSameSeedGivesTheSameFilesAnotherSeedOthers) {
    test::TempDir first, second, third;
    const sampledata::SampleTemplateOptions options{.items = 250, .customers = 50, .vendors = 9, .seed = 42};
    sampledata::makeSampleTemplates(first.path(), options);
    sampledata::makeSampleTemplates(second.path(), options);
    sampledata::makeSampleTemplates(third.path(), {.items = 250, .customers = 50, .vendors = 9, .seed = 43});
    for (const TemplateInfo& info : templates()) {
        const std::string file = info.name + ".DBF";
        EXPECT_EQ(withoutDate(readFile(first.path() / file)), withoutDate(readFile(second.path() / file))) << file;
    }
    for (const char* file : {"ITEM.DBF", "PELANG.DBF", "VENDOR.DBF"})
        EXPECT_NE(withoutDate(readFile(first.path() / file)), withoutDate(readFile(third.path() / file))) << file;
}

}  // namespace
}  // namespace tarvo::templates
