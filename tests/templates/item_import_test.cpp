// The item side of the template import on the sample retail database: item groups, items with
// their codes, units, prices and references, duplicates, links, unit sets and the templates that
// add to items, checked field by field.

#include "templates/item_import.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "importing/import_options.h"
#include "tests/templates/retail_import_fixture.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {
namespace {

using test::ExpectedFields;
using test::TemplateValues;
using xbase::FieldInfo;
using xbase::Value;

class ItemImportTest : public test::RetailImportTest {
protected:
    std::unique_ptr<TemplateRun> importWith(const importing::ImportOptions& options = {}) {
        auto run = makeRun(options);
        run->vendorCodes.add("V1");
        run->vendorCodes.add("V2");
        run->vendorNames.add("VENDOR ONE");
        run->vendorNames.add("VENDOR TWO");
        run->priceGroups.add("GROSIR");
        run->priceGroups.add("ECER");
        importItems(*run);
        return run;
    }

    // KODE_C of every S_STOCK record in order.
    std::vector<std::string> stockCodes() {
        auto stock = retailTable("S_STOCK");
        std::vector<std::string> codes;
        for (stock->goTop(); !stock->eof(); stock->skip()) {
            std::string code = stock->fieldGet("KODE_C").text();
            codes.push_back(code.erase(code.find_last_not_of(' ') + 1));
        }
        return codes;
    }
};

TEST_F(ItemImportTest, FullRowFillsEveryItemField) {
    addTemplate("GRPSTK", {{{"KODE", "g0"}, {"NAMA", "Buah"}}, {{"KODE", "g1"}, {"NAMA", " sayur "}}});
    addTemplate("ITEM", {{{"JENIS", 0},         {"KODE", "ab-1\n"},     {"KODE_2", "b2x"},
                          {"KODE_3", ""},       {"KODE_4", "D4"},       {"KODE2", " 8991234 "},
                          {"NAMA", "  Apel Fuji\r"}, {"NAMAEX1", " Merah "}, {"NAMA2", ""},
                          {"KODE_VEN", "v2"},   {"NAMA_VEN", "Vendor One"}, {"KODE_GRP1", " G1"},
                          {"KODE_GRP2", "G1"},  {"EXT_INFO_1", " info "}, {"QUAN_PICT", 2},
                          {"SAT_1", "pcs"},     {"SAT_2", "lsn"},       {"SAT_2_KONV", 12},
                          {"SAT_3", "dus"},     {"SAT_3_KONV", 144},    {"MIN_STOCK", 5},
                          {"MIN_STK_ST", 2},    {"H_BELI", 1000},       {"H_BL_SAT", 4},
                          {"DISC_BL_P", 2.5},   {"MU_JUAL1", 3},        {"H_JUAL1", 1500},
                          {"H_JUAL2", 1400},    {"H_JL2_PER", 12},      {"H_JL2_SAT", 2},
                          {"H_JL4_PER", 6},     {"DISC1_J_01", 5.5},    {"DISC3_J_05", 1.25},
                          {"H_MINJUAL", 900},   {"H_MJL_SAT", 3},       {"VOL_METER", 1.5},
                          {"CATATAN", " catatan "}}});
    importWith();

    expectRecord("S_STOCK", 1,
                 {{"ID", Value(1)}, {"INPUT_OLEH", Value(-1)}, {"HIDE", Value(false)}, {"NAMA", Value("Apel Fuji")},
                  {"NAMAEX1", Value("Merah")}, {"NAMAEX2", Value("")}, {"NAMA_2", Value("  Apel Fuji\r")},
                  {"JENIS", Value(0)}, {"GROUP_STK", Value(2)}, {"GROUP_ST2", Value(0)}, {"GROUP_ST3", Value(0)},
                  {"EXT_INFO_1", Value("info")}, {"EXT_INFO_2", Value("")}, {"VENDOR", Value(2)},
                  {"KODE_N", Value(0)}, {"KODE_C", Value("AB-1")}, {"KODE_C_2", Value("b2x")},
                  {"KODE_C_3", Value("b2x")}, {"KODE_C_4", Value("b2x")}, {"KODE_C_5", Value("b2x")},
                  {"QUAN_PICT", Value("999,999.99")}, {"BARCODE", Value("8991234")}, {"SERIAL_ID", Value(0)},
                  {"SERIAL_2", Value(false)}, {"EXPIRED", Value(false)}, {"NON_PAJAK", Value(false)},
                  {"TNP_HARGA", Value(false)}, {"TIPE_SATU", Value(1)}, {"SAT_K_01", Value(1)},
                  {"SAT_K_02", Value(12)}, {"SAT_K_03", Value(144)}, {"SAT_K_04", Value(0)}, {"SAT_K_10", Value(0)},
                  {"SAT_ECR", Value(1)}, {"SAT_OUT", Value(2)}, {"SAT_OUT_2", Value(1)}, {"SAT_OUT_D", Value(2)},
                  {"KURS_JUAL", Value(1)}, {"MU_H_BELI", Value(1)}, {"MU_H_J_01", Value(3)}, {"MU_H_J_05", Value(3)},
                  {"MU_H_MIN", Value(1)}, {"HARGA_BELI", Value(1000)}, {"HARGA_J_01", Value(1500)},
                  {"HARGA_J_02", Value(1400)}, {"HARGA_J_05", Value(1400)}, {"HARGA_MIN", Value(900)},
                  {"JML_BELI", Value(1)}, {"JML_J_01", Value(1)}, {"JML_J_02", Value(12)}, {"JML_J_03", Value(12)},
                  {"JML_J_04", Value(6)}, {"JML_J_05", Value(6)}, {"JML_MIN", Value(1)}, {"SAT_BELI", Value(1)},
                  {"SAT_J_01", Value(1)}, {"SAT_J_02", Value(2)}, {"SAT_J_05", Value(2)}, {"SAT_MIN", Value(3)},
                  {"MIN_STOCK", Value(5)}, {"MIN_STK_ST", Value(2)}, {"DISC_BL_P", Value(2.5)},
                  {"DISC1_J_01", Value(5.5)}, {"DISC2_J_01", Value(0)}, {"DISC3_J_05", Value(1.25)},
                  {"VOL_METER", Value(1.5)}, {"VOL_LITER", Value(0)}, {"VOL_MTRSAT", Value(1)},
                  {"VOL_LTRSAT", Value(1)}, {"MAX_STOCK", Value(0)}, {"MIN_JUAL", Value(0)},
                  {"MAX_STK_ST", Value(1)}, {"MIN_JL_ST", Value(1)}, {"HAR_J_01_P", Value(0)},
                  {"HAR_MIN_P", Value(0)}, {"SAT_DEF", Value(1)}, {"CATATAN", Value("catatan")},
                  {"ITM_PURCOR", Value(true)}, {"ITM_STKKLR", Value(true)}, {"GUDANG_01", Value(true)},
                  {"GUDANG_06", Value(true)}, {"DBF_VLD", Value("MTST")}});
    expectRecord("S_SATUAN", 1,
                 {{"SATUAN_VAL", Value(1)}, {"SATUAN_TXT", Value("PCS.LSN.DU")}, {"SAT_01_TXT", Value("PCS")},
                  {"SAT_02_TXT", Value("LSN")}, {"SAT_03_TXT", Value("DUS")}, {"SAT_04_TXT", Value("")},
                  {"SAT_01_VAL", Value(1)}, {"SAT_02_VAL", Value(2)}, {"SAT_03_VAL", Value(3)}, {"SAT_04_VAL", Value(0)},
                  {"SAT_01_SAT", Value(1)}, {"SAT_02_SAT", Value(12)}, {"SAT_03_SAT", Value(144)},
                  {"SAT_04_SAT", Value(0)}, {"SAT_10_SAT", Value(0)}});
    EXPECT_EQ(lastIdentifier(15), 1);
    EXPECT_EQ(lastIdentifier(9), 2);
    EXPECT_EQ(ui.progressTexts.back(), "Item Proses no. 1 / 1");
}

TEST_F(ItemImportTest, TemplateWithOnlyCodeAndNameGivesTheDefaults) {
    addPlainTemplate("ITEM", {{"KODE", 'C', 20, 0}, {"NAMA", 'C', 100, 0}}, {{{"KODE", "k1"}, {"NAMA", "Kopi"}}});
    importWith();
    expectRecord("S_STOCK", 1,
                 {{"KODE_C", Value("K1")}, {"KODE_C_5", Value("K1")}, {"NAMA_2", Value("Kopi")}, {"JENIS", Value(0)},
                  {"VENDOR", Value(0)}, {"GROUP_STK", Value(0)}, {"QUAN_PICT", Value("999,999")},
                  {"BARCODE", Value("")}, {"TIPE_SATU", Value(1)}, {"SAT_K_02", Value(0)}, {"SAT_OUT", Value(1)},
                  {"MU_H_BELI", Value(1)}, {"MU_H_J_01", Value(1)}, {"MU_H_J_05", Value(1)},
                  {"HARGA_J_01", Value(0)}, {"HARGA_J_05", Value(0)}, {"JML_J_01", Value(1)}, {"JML_J_05", Value(1)},
                  {"SAT_J_01", Value(1)}, {"SAT_J_05", Value(1)}, {"SAT_BELI", Value(1)}, {"JML_MIN", Value(1)},
                  {"MIN_STK_ST", Value(1)}, {"CATATAN", Value("")}});
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("PCS")}, {"SAT_01_TXT", Value("PCS")}, {"SAT_02_VAL", Value(0)}});
}

// Levels 2-5 take quantity and unit from their columns only when the template has that level's
// price column; otherwise they repeat the level before.
TEST_F(ItemImportTest, PriceLevelWithoutPriceColumnRepeatsQuantityAndUnit) {
    addTemplate("ITEM",
                {{{"KODE", "A"}, {"NAMA", "A"}, {"H_JL2_PER", 12}, {"H_JL2_SAT", 2}, {"H_JL3_PER", 6},
                  {"H_JL3_SAT", 3}, {"H_JL4_PER", 4}, {"H_JL4_SAT", 1}, {"MU_JUAL2", 2}, {"MU_JUAL3", 3}}},
                {{"H_JUAL3", std::nullopt}});
    importWith();
    expectRecord("S_STOCK", 1,
                 {{"JML_J_02", Value(12)}, {"SAT_J_02", Value(2)}, {"JML_J_03", Value(12)}, {"SAT_J_03", Value(2)},
                  {"JML_J_04", Value(4)}, {"SAT_J_04", Value(1)}, {"JML_J_05", Value(4)}, {"MU_H_J_01", Value(1)},
                  {"MU_H_J_02", Value(2)}, {"MU_H_J_03", Value(3)}, {"MU_H_J_04", Value(3)}});
}

TEST_F(ItemImportTest, UnitSetsAreSharedByKeyInOrderOfFirstUse) {
    addTemplate("ITEM", {
                            {{"KODE", "1"}, {"NAMA", "a"}, {"SAT_1", "pcs"}, {"SAT_2", "lusin"}, {"SAT_2_KONV", 12}},
                            {{"KODE", "2"}, {"NAMA", "b"}, {"SAT_1", "PCS"}, {"SAT_2", "LUSIN"}, {"SAT_2_KONV", 10}},
                            {{"KODE", "3"}, {"NAMA", "c"}, {"SAT_1", " "}, {"SAT_2", "BOX"}, {"SAT_2_KONV", 5}},
                            {{"KODE", "4"}, {"NAMA", "d"}, {"SAT_1", "kg"}, {"SAT_2_KONV", 5}, {"SAT_3", "X"},
                             {"SAT_3_KONV", 3}},
                            {{"KODE", "5"}, {"NAMA", "e"}, {"SAT_1", "kg"}, {"SAT_2", "ons"}, {"SAT_2_KONV", 0}},
                            {{"KODE", "6"}, {"NAMA", ""}, {"SAT_1", "box"}},
                            {{"KODE", "7"}, {"NAMA", "g"}, {"SAT_1", "btl"}, {"SAT_2", "krat"}, {"SAT_2_KONV", 24},
                             {"SAT_3", "palet"}, {"SAT_3_KONV", 480}},
                        });
    importWith();

    // Item: unit-set number and factor of unit 2.
    const std::vector<std::pair<int, double>> items = {{1, 12}, {1, 10}, {2, 0}, {3, 0}, {3, 0}, {5, 24}};
    for (uint32_t recno = 1; recno <= items.size(); ++recno)
        expectRecord("S_STOCK", recno,
                     {{"TIPE_SATU", Value(items[recno - 1].first)}, {"SAT_K_02", Value(items[recno - 1].second)}});
    // The refused row 6 still brought its unit set.
    const std::vector<ExpectedFields> sets = {
        {{"SATUAN_TXT", Value("PCS.LUSIN")}, {"SAT_02_TXT", Value("LUSIN")}, {"SAT_02_SAT", Value(12)}},
        {{"SATUAN_TXT", Value("PCS")}, {"SAT_02_TXT", Value("")}, {"SAT_02_VAL", Value(0)}},
        {{"SATUAN_TXT", Value("KG")}, {"SAT_02_TXT", Value("")}, {"SAT_03_TXT", Value("")}},
        {{"SATUAN_TXT", Value("BOX")}, {"SAT_01_TXT", Value("BOX")}},
        {{"SATUAN_TXT", Value("BTL.KRAT.P")}, {"SAT_03_TXT", Value("PALET")}, {"SAT_03_VAL", Value(3)},
         {"SAT_03_SAT", Value(480)}},
    };
    ASSERT_EQ(recordCount("S_SATUAN"), sets.size());
    for (uint32_t recno = 1; recno <= sets.size(); ++recno) {
        expectRecord("S_SATUAN", recno, sets[recno - 1]);
        expectRecord("S_SATUAN", recno, {{"SATUAN_VAL", Value(recno)}});
    }
}

TEST_F(ItemImportTest, WithoutFirstUnitColumnTheFirstUnitIsPcsAndFurtherUnitsCount) {
    addTemplate("ITEM", {{{"KODE", "1"}, {"NAMA", "a"}, {"SAT_2", "lusin"}, {"SAT_2_KONV", 12}}}, {{"SAT_1", std::nullopt}});
    importWith();
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("PCS.LUSIN")}, {"SAT_01_TXT", Value("PCS")}});
}

// A duplicate-list entry: new code, new name, existing code, existing name, template row, S_STOCK record.
using Entry = std::tuple<std::string, std::string, std::string, std::string, uint32_t, uint32_t>;

std::vector<Entry> entries(const importing::DuplicateList& list) {
    std::vector<Entry> out;
    list.forEach([&out](const importing::DuplicateEntry& e) {
        out.emplace_back(e.newCode, e.newName, e.existingCode, e.existingName, e.templateRecno, e.stockRecno);
    });
    return out;
}

struct DuplicateCase {
    bool codesMayRepeat;
    bool namesMayRepeat;
    std::vector<std::string> imported;
    std::vector<Entry> byCode;
    std::vector<Entry> byName;
};

class ItemDuplicateTest : public ItemImportTest, public ::testing::WithParamInterface<DuplicateCase> {};

TEST_P(ItemDuplicateTest, DuplicatesAreRefusedAndListedPerOption) {
    addTemplate("ITEM", {
                            {{"KODE", "A1"}, {"NAMA", "Apel"}, {"KODE_2", "A1-B"}},
                            {{"KODE", "a1"}, {"NAMA", "Anggur"}},                     // first code again, upper-cased
                            {{"KODE", "B1"}, {"NAMA", "Belimbing"}, {"KODE_2", "a1-b"}},  // second code again
                            {{"KODE", "C1"}, {"NAMA", "Cermai"}, {"KODE_2", "A1"}},   // another's first code
                            {{"KODE", "D1"}, {"NAMA", "Apel"}},                       // name again
                            {{"KODE", "E1"}, {"NAMA", "Apel"}, {"NAMAEX1", "Merah"}}, // other extension
                            {{"KODE", "A1"}, {"NAMA", "apel"}},                       // code and name again
                        });
    importing::ImportOptions options;
    options.allowDuplicateCodes = GetParam().codesMayRepeat;
    options.allowDuplicateNames = GetParam().namesMayRepeat;
    auto run = importWith(options);
    EXPECT_EQ(stockCodes(), GetParam().imported);
    EXPECT_EQ(entries(run->codeDuplicates), GetParam().byCode);
    EXPECT_EQ(entries(run->nameDuplicates), GetParam().byName);
    EXPECT_EQ(lastIdentifier(15), GetParam().imported.size());
    EXPECT_EQ(run->skipped["ITEM"], 7 - GetParam().imported.size());
}

INSTANTIATE_TEST_SUITE_P(
    Options, ItemDuplicateTest,
    ::testing::Values(
        DuplicateCase{false,
                      false,
                      {"A1", "E1"},
                      {{"A1", "Anggur", "A1", "Apel", 2, 1},
                       {"a1-b", "Belimbing", "A1", "Apel", 3, 1},
                       {"A1", "Cermai", "A1", "Apel", 4, 1},
                       {"A1", "apel", "A1", "Apel", 7, 1}},
                      {{"D1", "Apel", "A1", "Apel", 5, 1}, {"A1", "apel", "A1", "Apel", 7, 1}}},
        DuplicateCase{true,
                      false,
                      {"A1", "A1", "B1", "C1", "E1"},
                      {},
                      {{"D1", "Apel", "A1", "Apel", 5, 1}, {"A1", "apel", "A1", "Apel", 7, 1}}},
        DuplicateCase{false,
                      true,
                      {"A1", "D1", "E1"},
                      {{"A1", "Anggur", "A1", "Apel", 2, 1},
                       {"a1-b", "Belimbing", "A1", "Apel", 3, 1},
                       {"A1", "Cermai", "A1", "Apel", 4, 1},
                       {"A1", "apel", "A1", "Apel", 7, 1}},
                      {}},
        DuplicateCase{true, true, {"A1", "A1", "B1", "C1", "D1", "E1", "A1"}, {}, {}}));

struct GroupFilesCase {
    bool first, second, third;
    std::vector<uint32_t> records;  // in S_GRPSTK, S_GRPST2, S_GRPST3
};

class ItemGroupTest : public ItemImportTest, public ::testing::WithParamInterface<GroupFilesCase> {};

TEST_P(ItemGroupTest, SecondGroupingNeedsTheFirstAndThirdNeedsBoth) {
    const std::vector<TemplateValues> groups = {{{"KODE", "g1"}, {"NAMA", " Buah "}},
                                                {{"KODE", " G1"}, {"NAMA", "Lagi"}},
                                                {{"KODE", "g2"}, {"NAMA", ""}},
                                                {{"KODE", "g3"}, {"NAMA", "sayur"}}};
    const GroupFilesCase& files = GetParam();
    if (files.first) addTemplate("GRPSTK", groups);
    if (files.second) addTemplate("GRPST2", groups);
    if (files.third) addTemplate("GRPST3", groups);
    addTemplate("ITEM", {{{"KODE", "A"}, {"NAMA", "A"}, {"KODE_GRP1", "g3"}, {"KODE_GRP2", "G3"}, {"KODE_GRP3", "g1"}}});
    importWith();

    const char* targets[] = {"S_GRPSTK", "S_GRPST2", "S_GRPST3"};
    const char* references[] = {"GROUP_STK", "GROUP_ST2", "GROUP_ST3"};
    const uint32_t expectedReference[] = {2, 2, 1};
    for (int i = 0; i < 3; ++i) {
        const uint32_t records = files.records[i];
        EXPECT_EQ(recordCount(targets[i]), records) << targets[i];
        EXPECT_EQ(lastIdentifier(9 + i), records) << targets[i];
        if (records > 0) expectRecord(targets[i], 2, {{"ID", Value(2)}, {"NAMA", Value("SAYUR")}});
        expectRecord("S_STOCK", 1, {{references[i], Value(records > 0 ? expectedReference[i] : 0)}});
    }
}

INSTANTIATE_TEST_SUITE_P(Files, ItemGroupTest,
                         ::testing::Values(GroupFilesCase{true, true, true, {2, 2, 2}},
                                           GroupFilesCase{false, true, true, {0, 0, 0}},
                                           GroupFilesCase{true, false, true, {2, 0, 0}},
                                           GroupFilesCase{true, true, false, {2, 2, 0}}));

TEST_F(ItemImportTest, LinksOfKindTwoItemsNameImportedItemsByFirstCode) {
    addTemplate("ITEM", {
                            {{"KODE", "BASE"}, {"NAMA", "1"}},
                            {{"KODE", "PACK"}, {"NAMA", "2"}, {"JENIS", 2}, {"LINK_KODE", " base "}, {"LINK_JML", 6},
                             {"LINK_SAT", 2}},
                            {{"KODE", "NOLINK"}, {"NAMA", "3"}, {"JENIS", 2}, {"LINK_KODE", "none"}},
                            {{"KODE", "ODD"}, {"NAMA", "4"}, {"JENIS", 2}, {"LINK_KODE", "PACK"}, {"LINK_SAT", 7}},
                            {{"KODE", "KIND1"}, {"NAMA", "5"}, {"JENIS", 1}, {"LINK_KODE", "BASE"}},
                            {{"KODE", "KIND9"}, {"NAMA", "6"}, {"JENIS", 9}, {"LINK_KODE", "BASE"}},
                            {{"KODE", "EARLY"}, {"NAMA", "7"}, {"JENIS", 2}, {"LINK_KODE", "late"}},
                            {{"KODE", "LATE"}, {"NAMA", "8"}},
                        });
    importWith();
    expectRecord("S_STOCK", 5, {{"JENIS", Value(1)}});
    expectRecord("S_STOCK", 6, {{"JENIS", Value(0)}});
    const std::vector<ExpectedFields> links = {
        {{"STOCK_ID", Value(2)}, {"STOCK_ID2", Value(1)}, {"JUMLAH", Value(6)}, {"SATUAN", Value(2)}, {"HPP", Value(100)}},
        {{"STOCK_ID", Value(4)}, {"STOCK_ID2", Value(2)}, {"JUMLAH", Value(0)}, {"SATUAN", Value(1)}, {"HPP", Value(100)}},
        {{"STOCK_ID", Value(7)}, {"STOCK_ID2", Value(8)}, {"JUMLAH", Value(0)}, {"SATUAN", Value(1)}},
    };
    ASSERT_EQ(recordCount("S_STKEOU"), links.size());
    for (uint32_t recno = 1; recno <= links.size(); ++recno) expectRecord("S_STKEOU", recno, links[recno - 1]);
}

TEST_F(ItemImportTest, LinkQuantityIsOneWithoutTheColumn) {
    addTemplate("ITEM",
                {{{"KODE", "BASE"}, {"NAMA", "1"}}, {{"KODE", "PACK"}, {"NAMA", "2"}, {"JENIS", 2}, {"LINK_KODE", "BASE"}}},
                {{"LINK_JML", std::nullopt}});
    importWith();
    expectRecord("S_STKEOU", 1, {{"STOCK_ID", Value(2)}, {"JUMLAH", Value(1)}});
}

TEST_F(ItemImportTest, InformationNamesAndGroupPricesAttachToItemsFoundByFirstCode) {
    addTemplate("ITEM", {{{"KODE", "A1"}, {"NAMA", "Apel"}}, {{"KODE", "B1"}, {"NAMA", "Beras"}}});
    addTemplate("ITMINF",
                {{{"KODE_ITEM", "b1 "}, {"INFO_1", " first"}, {"INFO_2", "second"}},
                 {{"KODE_ITEM", "ZZ"}, {"INFO_1", "x"}},
                 {{"KODE_ITEM", "A1"}, {"INFO_1", " "}}},
                {{"INFO_4", std::nullopt}});
    addTemplate("ITMNAM", {{{"KODE_ITEM", "a1"}, {"NAMA", " Alias"}},
                           {{"KODE_ITEM", "A1"}, {"NAMA", ""}},
                           {{"KODE_ITEM", "Q"}, {"NAMA", "n"}}});
    addTemplate("STKHJL", {{{"KODE_ITEM", "A1"}, {"KODE_GRP", " ecer"}, {"MU_JUAL1", 2}, {"H_JUAL1", 900},
                            {"H_JUAL2", 850}, {"H_JL2_PER", 12}, {"H_JL2_SAT", 2}, {"DISC1_J_01", 3}},
                           {{"KODE_ITEM", "B1"}, {"KODE_GRP", "NONE"}},
                           {{"KODE_ITEM", "ZZ"}, {"KODE_GRP", "GROSIR"}}});
    auto run = importWith();

    ASSERT_EQ(recordCount("S_STKINF"), 1u);
    expectRecord("S_STKINF", 1,
                 {{"STOCK_ID", Value(2)}, {"INFO_1", Value(" first")}, {"INFO_2", Value("second")},
                  {"INFO_3", Value("")}, {"INFO_4", Value("")}});
    ASSERT_EQ(recordCount("S_STKNAM"), 1u);
    expectRecord("S_STKNAM", 1, {{"STOCK_ID", Value(1)}, {"NAMA", Value(" Alias")}});
    ASSERT_EQ(recordCount("S_STKHJL"), 1u);
    expectRecord("S_STKHJL", 1,
                 {{"STOCK_ID", Value(1)}, {"GRPHJL_ID", Value(2)}, {"MU_H_J_01", Value(2)}, {"MU_H_J_05", Value(2)},
                  {"HARGA_J_01", Value(900)}, {"HARGA_J_02", Value(850)}, {"HARGA_J_05", Value(850)},
                  {"JML_J_01", Value(1)}, {"JML_J_02", Value(12)}, {"JML_J_05", Value(12)}, {"SAT_J_01", Value(1)},
                  {"SAT_J_02", Value(2)}, {"SAT_J_05", Value(2)}, {"DISC1_J_01", Value(3)}, {"DISC2_J_01", Value(0)}});
    for (const char* target : {"S_STKINF", "S_STKNAM", "S_STKHJL", "S_PEMBED", "S_STOCK", "S_SATUAN"})
        EXPECT_EQ(xbase::workAreas().find(target), nullptr) << target << " left open";
    EXPECT_EQ(run->skipped["ITMINF"], 2u);
    for (const char* text : {"Sub Info Item Proses no. 3 / 3", "Item Alias Name Proses no. 3 / 3",
                             "Item Kelompok Harga Jual Proses no. 3 / 3"})
        EXPECT_NE(std::find(ui.progressTexts.begin(), ui.progressTexts.end(), text), ui.progressTexts.end()) << text;
}

}  // namespace
}  // namespace tarvo::templates
