#include "templates/template_layouts.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvo::templates {
namespace {

TEST(TemplateLayouts, EveryTemplateHasItsColumnCountWithoutRepeats) {
    const std::vector<std::pair<std::string, size_t>> counts = {
        {"GRPSTK", 2}, {"GRPST2", 2},  {"GRPST3", 2},  {"GRPHJL", 2},  {"ITEM", 142}, {"ITMINF", 5},
        {"ITMNAM", 2}, {"STKHJL", 37}, {"VENDOR", 22}, {"DAERAH", 2},  {"DAERA2", 2}, {"GRPPEL", 2},
        {"GRPPE2", 2}, {"SALES", 5},   {"PELANG", 40}, {"PELEXT", 9},  {"PEMBEL", 11}, {"PENJUA", 13},
    };
    ASSERT_EQ(templates().size(), counts.size());
    for (size_t i = 0; i < counts.size(); ++i) {
        const auto& [name, count] = counts[i];
        EXPECT_EQ(templates()[i].name, name);
        const auto layout = templateLayout(name);
        EXPECT_EQ(layout.size(), count) << name;
        std::set<std::string> names;
        for (const auto& column : layout) names.insert(column.CFIELD);
        EXPECT_EQ(names.size(), layout.size()) << name;
    }
    EXPECT_TRUE(templateLayout("NOSUCH").empty());
}

std::string describe(const DBSTRUCTTABLE& c) {
    return c.CFIELD + " " + c.CTYPE + " " + std::to_string(c.WLEN) + "," + std::to_string(c.WDEC) +
           (c.LWAJIB ? " must" : " may") + (c.LMAXLEN ? " hard" : " soft");
}

TEST(TemplateLayouts, RangesAndSharedPriceColumnsExpandInOrder) {
    const auto item = templateLayout("ITEM");
    EXPECT_EQ(describe(item[0]), "JENIS N 1,0 may soft");
    EXPECT_EQ(describe(item[1]), "KODE C 20,0 must hard");
    EXPECT_EQ(describe(item[2]), "KODE_2 C 20,0 may soft");
    EXPECT_EQ(describe(item[5]), "KODE_5 C 20,0 may soft");
    EXPECT_EQ(describe(item[7]), "NAMA C 100,0 must soft");
    EXPECT_EQ(describe(item[23]), "SAT_5 C 5,0 may soft");
    EXPECT_EQ(describe(item[35]), "MU_JUAL1 N 1,0 may soft");
    EXPECT_EQ(describe(item[69]), "DISC3_J_05 N 6,2 may soft");
    EXPECT_EQ(describe(item[78]), "LINK_KODE C 20,0 may hard");
    EXPECT_EQ(describe(item[82]), "SISA_STK1 N 14,4 may soft");
    EXPECT_EQ(describe(item[111]), "SISA_STK30 N 14,4 may soft");
    EXPECT_EQ(describe(item[141]), "SISA_NIL30 N 14,2 may soft");

    const auto prices = templateLayout("STKHJL");
    EXPECT_EQ(describe(prices[1]), "KODE_GRP C 40,0 must hard");
    EXPECT_EQ(describe(prices[2]), "MU_JUAL1 N 1,0 may soft");
    EXPECT_EQ(describe(prices[36]), "DISC3_J_05 N 6,2 may soft");

    EXPECT_EQ(describe(templateLayout("PELEXT")[8]), "INFO_8 C 30,0 may soft");
    EXPECT_EQ(describe(templateLayout("PELANG")[24]), "TGL_LAHIR D 8,0 may soft");
    EXPECT_EQ(describe(templateLayout("GRPHJL")[1]), "NAMA C 30,0 must soft");
}

TEST(TemplateLayouts, TargetsProgressTextsAndLeftoverIndexes) {
    ASSERT_NE(findTemplate("SALES"), nullptr);
    EXPECT_EQ(findTemplate("SALES")->targetTable, "S_KARYAW");
    EXPECT_EQ(findTemplate("ITEM")->progressText, "Item Proses no. ");
    EXPECT_EQ(findTemplate("GRPPE2")->progressText, "Grouping Pelanggan *2 Proses no. ");
    EXPECT_EQ(findTemplate("NOSUCH"), nullptr);
    EXPECT_EQ(templatesWithLeftoverIndex(),
              (std::vector<std::string>{"DAERAH", "DAERA2", "GRPSTK", "GRPST2", "GRPST3", "GRPHJL", "ITEM", "STKHJL",
                                        "VENDOR", "GRPPEL", "GRPPE2", "PELANG", "PENJUA"}));
}

}  // namespace
}  // namespace tarvo::templates
