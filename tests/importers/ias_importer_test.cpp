// The import from the DBF tables of IAS: regions of their own table, customers' tax numbers and
// addresses with the city, one unit per item, the seven-column opening stock and the minimum stock
// from the first of its possible columns.

#include <gtest/gtest.h>

#include "importers/application_sources.h"
#include "tests/importers/importer_fixture.h"

namespace tarvo::importers {
namespace {

using importing::StockMode;
using xbase::FieldInfo;
using xbase::Value;

std::vector<FieldInfo> partnerFields(bool withAlt1) {
    std::vector<FieldInfo> fields{{"KODE", 'C', 10, 0}, {"NAMA", 'C', 40, 0}, {"ALT", 'C', 40, 0}};
    if (withAlt1) fields.push_back({"ALT1", 'C', 40, 0});
    fields.insert(fields.end(), {{"KOTA", 'C', 20, 0}, {"TELP", 'C', 20, 0}, {"FAX", 'C', 20, 0},
                                 {"HUBUNG", 'C', 30, 0}, {"LKRD", 'N', 4, 0}, {"PLATFON", 'N', 14, 2}});
    return fields;
}

std::vector<FieldInfo> stockFields(const char* minimumStockColumn) {
    std::vector<FieldInfo> fields{{"K_BRG", 'C', 15, 0}, {"NAMA", 'C', 40, 0}, {"GOL", 'C', 5, 0},
                                  {"KEMAS", 'C', 5, 0}, {"HBELI", 'N', 12, 2}, {"HJUAL", 'N', 12, 2}};
    if (minimumStockColumn) fields.push_back({minimumStockColumn, 'N', 8, 0});
    for (const char* movement : {"STK", "MSK", "RMSK", "BNS", "KLR", "RKLR", "RSK"}) fields.push_back({movement, 'N', 10, 2});
    return fields;
}

// Regions JKT (JAKARTA) and JKTB (JAKARTA BARAT); vendors V1 and a repeat; customers with and
// without the taxable flag, one in an unknown region; items with the seven movements.
void writeShop(test::ImporterTest& t, bool withAlt1, const char* minimumStockColumn, bool withCustomers = true) {
    t.writeSource("GOL.DBF", {{"GOL", 'C', 5, 0}, {"KET", 'C', 30, 0}}, {{{"GOL", "A"}, {"KET", "Atk"}}});
    t.writeSource("WIL.DBF", {{"WIL", 'C', 5, 0}, {"KET", 'C', 30, 0}},
                  {{{"WIL", "jkt"}, {"KET", " Jakarta "}}, {{"WIL", "JKTB"}, {"KET", "Jakarta Barat"}},
                   {{"WIL", "JKT"}, {"KET", "lagi"}}, {{"WIL", ""}, {"KET", "kosong"}}});
    std::vector<FieldInfo> vendors = partnerFields(withAlt1);
    vendors.push_back({"AC_BANK", 'C', 20, 0});
    t.writeSource("SUP.DBF", vendors,
                  {{{"KODE", "V1"}, {"NAMA", "PT Satu"}, {"ALT", "Jl. A"}, {"ALT1", "Blok 2"}, {"KOTA", "Medan"},
                    {"TELP", "1"}, {"FAX", "2"}, {"HUBUNG", "Ani"}, {"AC_BANK", " 123 "}, {"LKRD", 30},
                    {"PLATFON", 1000}},
                   {{"KODE", "v1"}, {"NAMA", "PT Satu Lagi"}}});
    test::TemplateValues first{{"K_BRG", "k1"}, {"NAMA", "Map"}, {"GOL", "a"}, {"KEMAS", "lbr"}, {"HBELI", 100},
                               {"HJUAL", 120}, {"STK", 10}, {"MSK", 5}, {"RMSK", 1}, {"BNS", 1}, {"KLR", 3},
                               {"RKLR", 2}, {"RSK", 1}};
    if (minimumStockColumn) first[minimumStockColumn] = Value(4);
    t.writeSource("STOCK.DBF", stockFields(minimumStockColumn),
                  {first,
                   {{"K_BRG", "K2"}, {"NAMA", "Tinta"}, {"GOL", "Z"}, {"HBELI", 50}, {"HJUAL", 70}},
                   {{"*", true}, {"K_BRG", "K3"}, {"NAMA", "Hapus"}, {"KEMAS", "RIM"}},
                   {{"K_BRG", "K4"}, {"NAMA", ""}, {"KEMAS", "BOX"}}});
    if (!withCustomers) return;
    std::vector<FieldInfo> customers = partnerFields(withAlt1);
    customers.insert(customers.end(), {{"PKP", 'C', 1, 0}, {"NPWP", 'C', 20, 0}, {"WIL", 'C', 5, 0}});
    t.writeSource("CUS.DBF", customers,
                  {{{"KODE", "c1"}, {"NAMA", "Toko N"}, {"PKP", "N"}, {"NPWP", "01.1"}, {"ALT", "Jl. B"},
                    {"ALT1", "No. 5"}, {"KOTA", " Medan "}, {"WIL", "jkt"}, {"TELP", "3"}, {"FAX", "4"},
                    {"HUBUNG", "Budi"}, {"LKRD", 14}, {"PLATFON", 2000}},
                   {{"KODE", "c2"}, {"NAMA", "Toko Y"}, {"PKP", ""}, {"NPWP", " 02.2 "}, {"WIL", "JK"}},
                   {{"KODE", "c3"}, {"NAMA", "Toko B"}, {"PKP", "Y"}, {"NPWP", "03.3"}, {"WIL", "JKTB"}},
                   {{"KODE", ""}, {"NAMA", "Tanpa Kode"}}});
}

class IasImportTest : public test::ImporterTest {};

TEST_F(IasImportTest, WritesEveryTableFieldByField) {
    writeShop(*this, true, "MIN_STOK");
    const auto outcome = runImport(kIas, test::optionsFor(StockMode::CloseDay));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.size() > 1 ? ui.messages[1].text : "");

    ASSERT_EQ(recordCount("S_DAERAH"), 2u);
    expectRecord("S_DAERAH", 1, {{"ID", Value(1)}, {"DAERAH", Value("JAKARTA")}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_DAERAH", 2, {{"ID", Value(2)}, {"DAERAH", Value("JAKARTA BARAT")}});
    ASSERT_EQ(recordCount("S_PELANG"), 3u);
    expectRecord("S_PELANG", 1,
                 {{"ID", Value(1)}, {"KODE", Value("c1")}, {"NPWP", Value("")}, {"NAMA", Value("Toko N")},
                  {"ALAMAT", Value("Jl. B\r\nNo. 5, Medan")}, {"NPWP_ALAMA", Value("Jl. B\r\nNo. 5, Medan")},
                  {"DAERAH", Value(1)}, {"TELEPON", Value("3")}, {"FAX", Value("4")}, {"HUBUNGI", Value("Budi")},
                  {"TERM_CRD", Value(14)}, {"MAX_CRD", Value(2000)}, {"CATATAN", Value("")}, {"PJ_DN", Value(true)}});
    // An unknown region code gives no region, although JKT and JKTB begin with it.
    expectRecord("S_PELANG", 2, {{"NPWP", Value("02.2")}, {"DAERAH", Value(0)}, {"ALAMAT", Value("")}});
    expectRecord("S_PELANG", 3, {{"NPWP", Value("03.3")}, {"DAERAH", Value(2)}});
    ASSERT_EQ(recordCount("S_VENDOR"), 1u);
    expectRecord("S_VENDOR", 1, {{"ID", Value(1)}, {"NAMA", Value("PT Satu")}, {"NPWP", Value("")},
                                 {"ALAMAT", Value("Jl. A\r\nBlok 2, Medan")}, {"TELEPON", Value("1")},
                                 {"FAX", Value("2")}, {"HUBUNGI", Value("Ani")}, {"REKENING_1", Value("123")},
                                 {"TERM_CRD", Value(30)}, {"MAX_CRD", Value(1000)}, {"CATATAN", Value("")}});
    ASSERT_EQ(recordCount("S_STOCK"), 2u);
    expectRecord("S_STOCK", 1,
                 {{"ID", Value(1)}, {"KODE_C", Value("K1")}, {"NAMA", Value("Map")}, {"GROUP_STK", Value(1)},
                  {"VENDOR", Value(0)}, {"TIPE_SATU", Value(1)}, {"HARGA_BELI", Value(100)},
                  {"HARGA_J_01", Value(120)}, {"HARGA_J_05", Value(120)}, {"MIN_STOCK", Value(4)},
                  {"SAT_J_02", Value(1)}, {"SISA_STK01", Value(11)}, {"SISA_ST301", Value(11)},
                  {"SISA_NIL01", Value(1100)}});
    EXPECT_TRUE(blankField("S_STOCK", 1, "SISA_STK02"));
    expectRecord("S_STOCK", 2, {{"GROUP_STK", Value(0)}, {"TIPE_SATU", Value(2)}, {"SISA_STK01", Value(0)}});
    ASSERT_EQ(recordCount("S_SATUAN"), 3u);
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("LBR")}, {"SAT_01_TXT", Value("LBR")}});
    expectRecord("S_SATUAN", 2, {{"SATUAN_TXT", Value("PCS")}});
    expectRecord("S_SATUAN", 3, {{"SATUAN_TXT", Value("BOX")}});
    EXPECT_EQ(lastIdentifier(2), 2);
    EXPECT_EQ(lastIdentifier(9), 1);
    EXPECT_EQ(lastIdentifier(15), 2);
    EXPECT_EQ(lastIdentifier(17), 1);
    EXPECT_EQ(lastIdentifier(18), 3);
}

TEST_F(IasImportTest, OpenStockIsOneLineOfWarehouseOne) {
    writeShop(*this, true, "MINSTOK");
    ASSERT_EQ(runImport(kIas, test::optionsFor(StockMode::Open)).status, importing::ImportStatus::Done);
    ASSERT_EQ(recordCount("S_PEMBED"), 1u);
    expectRecord("S_PEMBED", 1, {{"STOCK_ID", Value(1)}, {"STOCK_GDG", Value(1)}, {"JUMLAH", Value(11)},
                                 {"HARGA", Value(1100)}});
}

// The minimum stock comes from the first of MINSTOK, MIN_STOK, STOKMIN the table has, else 0;
// without ALT1 the address is ALT and the city; without CUS.DBF there are no customers.
TEST_F(IasImportTest, OptionalColumnsAndTables) {
    struct Case {
        const char* minimumStockColumn;
        double minimumStock;
    };
    for (const Case& c : {Case{"minstok", 4}, Case{"STOKMIN", 4}, Case{nullptr, 0}}) {
        SCOPED_TRACE(c.minimumStockColumn ? c.minimumStockColumn : "none");
        for (const auto& entry : std::filesystem::directory_iterator(source)) std::filesystem::remove(entry.path());
        writeShop(*this, false, c.minimumStockColumn, c.minimumStockColumn != nullptr);
        ASSERT_EQ(runImport(kIas, test::optionsFor(StockMode::None)).status, importing::ImportStatus::Done);
        expectRecord("S_STOCK", 1, {{"MIN_STOCK", Value(c.minimumStock)}});
        expectRecord("S_VENDOR", 1, {{"ALAMAT", Value("Jl. A, Medan")}});
        if (c.minimumStockColumn) expectRecord("S_PELANG", 1, {{"ALAMAT", Value("Jl. B, Medan")}});
        else EXPECT_EQ(recordCount("S_PELANG"), 0u);
    }
}

// Region, group, vendor, unit and item codes and region names in accented letters meet their case
// twins, as the tags' Upper() makes them for code page 437.
TEST_F(IasImportTest, AccentedTextMeetsItsCaseTwin) {
    writeSource("GOL.DBF", {{"GOL", 'C', 5, 0}, {"KET", 'C', 30, 0}},
                {{{"GOL", "é"}, {"KET", "crème"}}, {{"GOL", "É"}, {"KET", "otra"}}});
    writeSource("WIL.DBF", {{"WIL", 'C', 5, 0}, {"KET", 'C', 30, 0}},
                {{{"WIL", "ñ1"}, {"KET", "españa"}}, {{"WIL", "Ñ1"}, {"KET", "otra"}}});
    std::vector<FieldInfo> vendors = partnerFields(false);
    vendors.push_back({"AC_BANK", 'C', 20, 0});
    writeSource("SUP.DBF", vendors, {{{"KODE", "vé"}, {"NAMA", "Señor"}}, {{"KODE", "VÉ"}, {"NAMA", "Otro"}}});
    writeSource("STOCK.DBF", stockFields(nullptr),
                {{{"K_BRG", "café"}, {"NAMA", "Café"}, {"GOL", "É"}, {"KEMAS", "ñu"}},
                 {{"K_BRG", "CAFÉ"}, {"NAMA", "Otro"}, {"KEMAS", "üx"}},
                 {{"K_BRG", "té"}, {"NAMA", "Té"}, {"GOL", "é"}, {"KEMAS", "ÑU"}}});
    std::vector<FieldInfo> customers = partnerFields(false);
    customers.insert(customers.end(), {{"PKP", 'C', 1, 0}, {"NPWP", 'C', 20, 0}, {"WIL", 'C', 5, 0}});
    writeSource("CUS.DBF", customers, {{{"KODE", "c1"}, {"NAMA", "Uno"}, {"WIL", "Ñ1"}}});
    const auto outcome = runImport(kIas, test::optionsFor(StockMode::None));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(outcome.codeDuplicates, 1u);
    ASSERT_EQ(recordCount("S_DAERAH"), 1u);
    expectRecord("S_DAERAH", 1, {{"DAERAH", Value("ESPAÑA")}});
    expectRecord("S_PELANG", 1, {{"DAERAH", Value(1)}});
    ASSERT_EQ(recordCount("S_GRPSTK"), 1u);
    ASSERT_EQ(recordCount("S_VENDOR"), 1u);
    ASSERT_EQ(recordCount("S_STOCK"), 2u);
    for (uint32_t recno : {1u, 2u}) expectRecord("S_STOCK", recno, {{"GROUP_STK", Value(1)}, {"TIPE_SATU", Value(1)}});
    expectRecord("S_STOCK", 2, {{"KODE_C", Value("TÉ")}});
    ASSERT_EQ(recordCount("S_SATUAN"), 2u);
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("ÑU")}});
    expectIndexesAgreeWithTables();
}

// A credit limit wider than MAX_CRD and an opening stock whose quantity × price is beyond
// SISA_NIL01 are named before the shop is touched.
TEST_F(IasImportTest, ValuesThatDoNotFitAreRefusedBeforeTheShopIsTouched) {
    writeShop(*this, false, nullptr, false);
    std::vector<FieldInfo> vendors = partnerFields(false);
    for (FieldInfo& field : vendors)
        if (field.name == "PLATFON") field.length = 20;
    vendors.push_back({"AC_BANK", 'C', 20, 0});
    writeSource("SUP.DBF", vendors, {{{"KODE", "V1"}, {"NAMA", "PT Satu"}, {"PLATFON", 1e14}}});
    writeSource("STOCK.DBF", stockFields(nullptr),
                {{{"K_BRG", "K1"}, {"NAMA", "Map"}, {"HBELI", 999999999}, {"STK", 999999}},
                 {{"K_BRG", "K2"}, {"NAMA", "Tinta"}, {"HBELI", 999999999}, {"STK", 9}}});
    const auto before = test::fileContents(database);
    const auto outcome = runImport(kIas, test::optionsFor(StockMode::CloseDay));
    EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
    EXPECT_TRUE(test::fileContents(database) == before);
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_EQ(ui.messages.back().text,
              "Import dibatalkan: 2 nilai tidak muat di field tujuannya. Data toko tidak diubah.\n"
              "STOCK.DBF record 1, column (STK + MSK - RMSK - BNS - KLR + RKLR - RSK) × HBELI: value "
              "999998999000001.0000 does not fit field SISA_NIL01 (N 18,4) of S_STOCK\n"
              "SUP.DBF record 1, column PLATFON: value 100000000000000.0000 does not fit field MAX_CRD (N 18,4) of "
              "S_VENDOR");
}

}  // namespace
}  // namespace tarvo::importers
