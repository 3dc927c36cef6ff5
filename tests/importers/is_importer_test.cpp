// The import from the .DTA tables of IS: vendors linked by code, units of up to three levels
// shared by key, selling levels, prices and the stock of six warehouses, with and without the
// columns only some versions of STOCK.DTA have.

#include <gtest/gtest.h>

#include "importers/application_sources.h"
#include "tests/importers/importer_fixture.h"

namespace tarvo::importers {
namespace {

using importing::StockMode;
using test::ExpectedFields;
using xbase::Date;
using xbase::FieldInfo;
using xbase::Value;

std::vector<FieldInfo> stockFields(bool optional) {
    std::vector<FieldInfo> fields{{"BARA", 'C', 15, 0}, {"NAMA", 'C', 40, 0}, {"GOL", 'C', 5, 0},
                                  {"SATUAN", 'C', 10, 0}, {"HBELI", 'N', 12, 2}, {"HJUAL", 'N', 12, 2}};
    if (!optional) return fields;
    fields.insert(fields.end(), {{"SUPP", 'C', 10, 0}, {"SATUAN2", 'C', 10, 0}, {"KALI2", 'N', 8, 0},
                                 {"SATUAN3", 'C', 10, 0}, {"KALI3", 'N', 8, 0}, {"HJUAL2", 'N', 12, 2},
                                 {"HJUAL3", 'N', 12, 2}});
    for (const char* movement : {"AWAL", "MASUK", "KELUAR"})
        for (int g = 1; g <= 6; ++g) fields.push_back({movement + std::to_string(g), 'N', 10, 2});
    return fields;
}

// Items (record numbers):
//   1 I1 "Pensil", vendor S1 (not S10), PCS.LUSIN.BOX, three prices, stock in warehouses 1 and 5
//   2 I2 "Buku", unknown group, no vendor, a level 2 like its base: BOX moves up to level 2
//   3, 4 I3, I4: unit keys longer than 20 characters that agree in their first 20
//   5 I1 again: a duplicate code, whose unit DUS still counts
//   6 deleted; 7 blank code with unit KG
void writeShop(test::ImporterTest& t, bool optional) {
    t.writeSource("GOL.DTA", {{"GOL", 'C', 5, 0}, {"KET", 'C', 30, 0}},
                  {{{"GOL", "b"}, {"KET", " buah "}}, {{"GOL", "B"}, {"KET", "lagi"}}, {{"GOL", ""}, {"KET", "x"}},
                   {{"*", true}, {"GOL", "D"}, {"KET", "hapus"}}, {{"GOL", "S"}, {"KET", "Sayur"}}});
    t.writeSource("SUPP.DTA",
                  {{"KODE", 'C', 10, 0}, {"NAMA", 'C', 40, 0}, {"ALAMAT", 'C', 40, 0}, {"ALAMAT1", 'C', 40, 0},
                   {"TELP", 'C', 20, 0}, {"CATAT", 'C', 60, 0}},
                  {{{"KODE", "S10"}, {"NAMA", " PT Sepuluh "}, {"ALAMAT", "Jl. A"}, {"ALAMAT1", "Medan"},
                    {"TELP", " 061 "}, {"CATAT", "  catatan"}},
                   {{"KODE", "S1"}, {"NAMA", "PT Satu"}},
                   {{"KODE", " s1"}, {"NAMA", "PT Satu Lagi"}},
                   {{"KODE", ""}, {"NAMA", "Tanpa Kode"}}});
    t.writeSource("STOCK.DTA", stockFields(optional),
                  {{{"BARA", "i1"}, {"NAMA", " Pensil "}, {"GOL", "B"}, {"SUPP", "S1"}, {"SATUAN", "pcs"},
                    {"SATUAN2", "lusin"}, {"KALI2", 12}, {"SATUAN3", "box"}, {"KALI3", 144}, {"HBELI", 100},
                    {"HJUAL", 150}, {"HJUAL2", 140}, {"HJUAL3", 130}, {"AWAL1", 10}, {"MASUK1", 5}, {"KELUAR1", 3},
                    {"AWAL5", 2}},
                   {{"BARA", "I2"}, {"NAMA", "Buku"}, {"GOL", "X"}, {"SATUAN", "PCS"}, {"SATUAN2", "PCS"}, {"KALI2", 10},
                    {"SATUAN3", "BOX"}, {"KALI3", 50}, {"HBELI", 10}, {"HJUAL", 20}},
                   {{"BARA", "I3"}, {"NAMA", "Penghapus"}, {"SATUAN", "BUNGKUS"}, {"SATUAN2", "KARTON"}, {"KALI2", 24},
                    {"SATUAN3", "PALLET"}, {"KALI3", 960}},
                   {{"BARA", "I4"}, {"NAMA", "Penggaris"}, {"SATUAN", "BUNGKUS"}, {"SATUAN2", "KARTON"}, {"KALI2", 24},
                    {"SATUAN3", "PALLEX"}, {"KALI3", 480}},
                   {{"BARA", "I1"}, {"NAMA", "Pensil Lagi"}, {"SATUAN", "DUS"}},
                   {{"*", true}, {"BARA", "I6"}, {"NAMA", "Hapus"}, {"SATUAN", "RIM"}},
                   {{"BARA", ""}, {"NAMA", "Tanpa Kode"}, {"SATUAN", "KG"}}});
    if (!optional) return;
    t.writeSource("CUST.DTA",
                  {{"KODE", 'C', 10, 0}, {"NAMA", 'C', 40, 0}, {"NPWP", 'C', 20, 0}, {"ALAMAT", 'C', 40, 0},
                   {"ALAMAT1", 'C', 40, 0}, {"TELP", 'C', 20, 0}, {"ATTN", 'C', 30, 0}, {"TERM", 'N', 4, 0},
                   {"PLAFON", 'N', 14, 2}, {"CATAT", 'C', 60, 0}},
                  {{{"KODE", " c1 "}, {"NAMA", "Toko Satu"}, {"NPWP", " 01.234 "}, {"ALAMAT1", "Jl. B"},
                    {"TELP", "t1"}, {"ATTN", " Pak Ali "}, {"TERM", 30}, {"PLAFON", 5000000}, {"CATAT", "  catat"}},
                   {{"*", true}, {"KODE", "c9"}, {"NAMA", "Hapus"}},
                   {{"KODE", ""}, {"NAMA", "Tanpa Kode"}},
                   {{"KODE", "c2"}, {"NAMA", "Toko Dua"}}});
}

class IsImportTest : public test::ImporterTest {};

TEST_F(IsImportTest, WritesEveryTableFieldByField) {
    writeShop(*this, true);
    const auto outcome = runImport(kIntegratedSystem, test::optionsFor(StockMode::CloseDay));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.size() > 1 ? ui.messages[1].text : "");

    ASSERT_EQ(recordCount("S_PELANG"), 2u);
    expectRecord("S_PELANG", 1,
                 {{"ID", Value(1)}, {"KODE", Value("c1")}, {"NPWP", Value("01.234")}, {"NAMA", Value("Toko Satu")},
                  {"NPWP_NAMA", Value("Toko Satu")}, {"ALAMAT", Value("Jl. B")}, {"NPWP_ALAMA", Value("Jl. B")},
                  {"TELEPON", Value("t1")}, {"HUBUNGI", Value("Pak Ali")}, {"TERM_CRD", Value(30)},
                  {"MAX_CRD", Value(5000000)}, {"CATATAN", Value("catat")}, {"NEGARA", Value(1)},
                  {"MU_CREDIT", Value(1)}, {"PJ_CASH", Value(true)}, {"INPUT_OLEH", Value(-1)}});
    EXPECT_TRUE(blankField("S_PELANG", 1, "DAERAH"));
    expectRecord("S_PELANG", 2, {{"ID", Value(2)}, {"KODE", Value("c2")}});

    ASSERT_EQ(recordCount("S_VENDOR"), 2u);
    expectRecord("S_VENDOR", 1, {{"ID", Value(1)}, {"NAMA", Value("PT Sepuluh")}, {"ALAMAT", Value("Jl. A\r\nMedan")},
                                 {"TELEPON", Value("061")}, {"CATATAN", Value("catatan")}, {"NPWP", Value("")},
                                 {"PB_CN", Value(true)}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_VENDOR", 2, {{"ID", Value(2)}, {"NAMA", Value("PT Satu")}});
    ASSERT_EQ(recordCount("S_GRPSTK"), 2u);
    expectRecord("S_GRPSTK", 1, {{"ID", Value(1)}, {"NAMA", Value("BUAH")}});
    expectRecord("S_GRPSTK", 2, {{"ID", Value(2)}, {"NAMA", Value("SAYUR")}});

    ASSERT_EQ(recordCount("S_STOCK"), 4u);
    expectRecord("S_STOCK", 1,
                 {{"ID", Value(1)}, {"KODE_C", Value("I1")}, {"KODE_C_4", Value("I1")}, {"NAMA", Value("Pensil")},
                  {"NAMA_2", Value("Pensil")}, {"NAMAEX1", Value("")}, {"JENIS", Value(0)}, {"GROUP_STK", Value(1)},
                  {"VENDOR", Value(2)}, {"TIPE_SATU", Value(1)}, {"SAT_J_01", Value(1)}, {"SAT_J_02", Value(2)},
                  {"SAT_J_03", Value(3)}, {"SAT_J_05", Value(3)}, {"HARGA_BELI", Value(100)},
                  {"HARGA_J_01", Value(150)}, {"HARGA_J_02", Value(140)}, {"HARGA_J_03", Value(130)},
                  {"HARGA_J_05", Value(130)}, {"MIN_STOCK", Value(0)}, {"MU_H_J_03", Value(1)},
                  {"SISA_STK01", Value(12)}, {"SISA_ST201", Value(12)}, {"SISA_ST301", Value(12)},
                  {"SISA_NIL01", Value(1200)}, {"SISA_STK02", Value(0)}, {"SISA_NIL02", Value(0)},
                  {"SISA_STK05", Value(2)}, {"SISA_NIL05", Value(200)}, {"SISA_STK06", Value(0)}});
    expectRecord("S_STOCK", 2, {{"ID", Value(2)}, {"GROUP_STK", Value(0)}, {"VENDOR", Value(0)}, {"TIPE_SATU", Value(2)},
                                {"SAT_J_02", Value(1)}, {"SAT_J_03", Value(2)}, {"SAT_J_05", Value(2)}});
    expectRecord("S_STOCK", 3, {{"TIPE_SATU", Value(3)}, {"SAT_J_02", Value(2)}, {"SAT_J_03", Value(3)}});
    // The selling levels follow the item's own contents, not those of the set it shares.
    expectRecord("S_STOCK", 4, {{"TIPE_SATU", Value(3)}, {"SAT_J_03", Value(3)}});

    ASSERT_EQ(recordCount("S_SATUAN"), 5u);
    expectRecord("S_SATUAN", 1, {{"SATUAN_VAL", Value(1)}, {"SATUAN_TXT", Value("PCS.LUSIN.BOX")},
                                 {"SAT_01_VAL", Value(1)}, {"SAT_02_VAL", Value(2)}, {"SAT_03_VAL", Value(3)},
                                 {"SAT_04_VAL", Value(0)}, {"SAT_01_TXT", Value("PCS")}, {"SAT_02_TXT", Value("LUSIN")},
                                 {"SAT_03_TXT", Value("BOX")}, {"SAT_01_SAT", Value(1)}, {"SAT_02_SAT", Value(12)},
                                 {"SAT_03_SAT", Value(144)}, {"SAT_04_SAT", Value(0)}});
    expectRecord("S_SATUAN", 2, {{"SATUAN_TXT", Value("PCS.BOX")}, {"SAT_02_VAL", Value(2)}, {"SAT_03_VAL", Value(0)},
                                 {"SAT_02_TXT", Value("BOX")}, {"SAT_03_TXT", Value("")}, {"SAT_02_SAT", Value(50)}});
    expectRecord("S_SATUAN", 3, {{"SATUAN_TXT", Value("BUNGKUS.KARTON.PALLE")}, {"SAT_03_TXT", Value("PALLET")},
                                 {"SAT_03_SAT", Value(960)}});
    expectRecord("S_SATUAN", 4, {{"SATUAN_TXT", Value("DUS")}, {"SAT_02_VAL", Value(0)}});
    expectRecord("S_SATUAN", 5, {{"SATUAN_TXT", Value("KG")}});

    EXPECT_EQ(lastIdentifier(9), 2);
    EXPECT_EQ(lastIdentifier(15), 4);
    EXPECT_EQ(lastIdentifier(17), 2);
    EXPECT_EQ(lastIdentifier(18), 2);
    EXPECT_EQ(outcome.codeDuplicates, 1u);
    EXPECT_EQ(outcome.nameDuplicates, 0u);
    EXPECT_EQ(outcome.skipped.at("STOCK"), 3u);
    EXPECT_TRUE(progressWith("Satuan Item Proses no. ").empty());
}

TEST_F(IsImportTest, OpenStockHasALinePerWarehouseWithStock) {
    writeShop(*this, true);
    ASSERT_EQ(runImport(kIntegratedSystem, test::optionsFor(StockMode::Open)).status, importing::ImportStatus::Done);
    EXPECT_EQ(recordCount("S_PEMBEL"), 1u);
    ASSERT_EQ(recordCount("S_PEMBED"), 2u);
    expectRecord("S_PEMBED", 1, {{"STOCK_ID", Value(1)}, {"STOCK_GDG", Value(1)}, {"JUMLAH", Value(12)},
                                 {"HARGA", Value(1200)}, {"PEMBEL_ID", Value(-1)}});
    expectRecord("S_PEMBED", 2, {{"STOCK_ID", Value(1)}, {"STOCK_GDG", Value(5)}, {"JUMLAH", Value(2)},
                                 {"HARGA", Value(200)}});
    EXPECT_TRUE(blankField("S_STOCK", 1, "SISA_STK01"));
}

TEST_F(IsImportTest, RepeatedCodesAreImportedWhenAllowedAndNoStockWithoutAMode) {
    writeShop(*this, true);
    const auto outcome = runImport(kIntegratedSystem, test::optionsFor(StockMode::None, true, false));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done);
    EXPECT_EQ(outcome.codeDuplicates + outcome.nameDuplicates, 0u);
    ASSERT_EQ(recordCount("S_STOCK"), 5u);
    expectRecord("S_STOCK", 5, {{"ID", Value(5)}, {"KODE_C", Value("I1")}, {"NAMA", Value("Pensil Lagi")},
                                {"TIPE_SATU", Value(4)}});
    EXPECT_TRUE(blankField("S_STOCK", 1, "SISA_STK01"));
    EXPECT_EQ(recordCount("S_PEMBEL"), 0u);
    EXPECT_EQ(recordCount("S_PEMBED"), 0u);
    expectRecord("S_KONTRO", 1, {{"TUTUP_HARI", Value(Date{})}, {"AKT_MULAI", Value(Date{})}});
}

TEST_F(IsImportTest, WithoutTheOptionalColumnsTheDefaultsHold) {
    writeShop(*this, false);
    const double customersBefore = lastIdentifier(18);
    const auto outcome = runImport(kIntegratedSystem, test::optionsFor(StockMode::CloseDay));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.size() > 1 ? ui.messages[1].text : "");
    EXPECT_EQ(recordCount("S_PELANG"), 0u);
    EXPECT_EQ(lastIdentifier(18), customersBefore);
    ASSERT_EQ(recordCount("S_STOCK"), 4u);
    // No SUPP: no vendor, even though vendors were imported.
    expectRecord("S_STOCK", 1, {{"VENDOR", Value(0)}, {"TIPE_SATU", Value(1)}, {"SAT_J_02", Value(1)},
                                {"SAT_J_05", Value(1)}, {"HARGA_J_01", Value(150)}, {"HARGA_J_02", Value(150)},
                                {"HARGA_J_05", Value(150)}});
    EXPECT_TRUE(blankField("S_STOCK", 1, "SISA_STK01"));
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("PCS")}, {"SAT_02_VAL", Value(0)}});
}

TEST_F(IsImportTest, LeftoverIndexFilesOfTheSourceNamesGoFromTheDatabaseFolder) {
    writeShop(*this, true);
    for (const char* name : {"GOL.CDX", "stock.cdx", "CUST.CDX"}) test::writeTable(database / name, {{"X", 'C', 1, 0}});
    ASSERT_EQ(runImport(kIntegratedSystem, test::optionsFor(StockMode::None)).status, importing::ImportStatus::Done);
    for (const char* name : {"GOL.CDX", "stock.cdx", "CUST.CDX"}) EXPECT_FALSE(std::filesystem::exists(database / name));
}

// Group, vendor, unit and item codes and group names in accented letters meet their case twins, as
// the tags' Upper() makes them for code page 437.
TEST_F(IsImportTest, AccentedTextMeetsItsCaseTwin) {
    writeSource("GOL.DTA", {{"GOL", 'C', 5, 0}, {"KET", 'C', 30, 0}},
                {{{"GOL", "é"}, {"KET", "crème"}}, {{"GOL", "É"}, {"KET", "otra"}}});
    writeSource("SUPP.DTA",
                {{"KODE", 'C', 10, 0}, {"NAMA", 'C', 40, 0}, {"ALAMAT", 'C', 40, 0}, {"ALAMAT1", 'C', 40, 0},
                 {"TELP", 'C', 20, 0}, {"CATAT", 'C', 60, 0}},
                {{{"KODE", "sé"}, {"NAMA", "Señor"}}, {{"KODE", "SÉ"}, {"NAMA", "Otro"}}});
    writeSource("STOCK.DTA", stockFields(true),
                {{{"BARA", "café"}, {"NAMA", "Café"}, {"GOL", "É"}, {"SUPP", "SÉ"}, {"SATUAN", "ñu"}},
                 {{"BARA", "CAFÉ"}, {"NAMA", "Otro"}, {"SATUAN", "üx"}},
                 {{"BARA", "té"}, {"NAMA", "Té"}, {"GOL", "é"}, {"SUPP", "sé"}, {"SATUAN", "ÑU"}}});
    const auto outcome = runImport(kIntegratedSystem, test::optionsFor(StockMode::None));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(outcome.codeDuplicates, 1u);
    ASSERT_EQ(recordCount("S_GRPSTK"), 1u);
    expectRecord("S_GRPSTK", 1, {{"NAMA", Value("CRèME")}});
    ASSERT_EQ(recordCount("S_VENDOR"), 1u);
    ASSERT_EQ(recordCount("S_STOCK"), 2u);
    for (uint32_t recno : {1u, 2u})
        expectRecord("S_STOCK", recno, {{"GROUP_STK", Value(1)}, {"VENDOR", Value(1)}, {"TIPE_SATU", Value(1)}});
    expectRecord("S_STOCK", 1, {{"KODE_C", Value("CAFÉ")}});
    expectRecord("S_STOCK", 2, {{"KODE_C", Value("TÉ")}});
    // The refused item's unit still counts.
    ASSERT_EQ(recordCount("S_SATUAN"), 2u);
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("ÑU")}});
    expectRecord("S_SATUAN", 2, {{"SATUAN_TXT", Value("ÜX")}});
    expectIndexesAgreeWithTables();
}

// A customer's credit limit wider than MAX_CRD, and an opening stock of warehouse 5 whose value is
// beyond SISA_NIL05, are named before the shop is touched; a deleted customer is not tried.
TEST_F(IsImportTest, ValuesThatDoNotFitAreRefusedBeforeTheShopIsTouched) {
    writeShop(*this, true);
    const std::vector<FieldInfo> customers{{"KODE", 'C', 10, 0},    {"NAMA", 'C', 40, 0}, {"NPWP", 'C', 20, 0},
                                           {"ALAMAT", 'C', 40, 0},  {"ALAMAT1", 'C', 40, 0}, {"TELP", 'C', 20, 0},
                                           {"ATTN", 'C', 30, 0},    {"TERM", 'N', 4, 0},  {"PLAFON", 'N', 20, 2},
                                           {"CATAT", 'C', 60, 0}};
    writeSource("CUST.DTA", customers,
                {{{"KODE", "c1"}, {"NAMA", "Toko Satu"}, {"PLAFON", 5000000}},
                 {{"*", true}, {"KODE", "c2"}, {"NAMA", "Hapus"}, {"PLAFON", 1e15}},
                 {{"KODE", "c3"}, {"NAMA", "Toko Tiga"}, {"PLAFON", 1e15}}});
    writeSource("STOCK.DTA", stockFields(true),
                {{{"BARA", "I1"}, {"NAMA", "Pensil"}, {"HBELI", 999999999}, {"AWAL5", 9999999}, {"MASUK5", 1}}});
    const auto before = test::fileContents(database);
    const auto outcome = runImport(kIntegratedSystem, test::optionsFor(StockMode::CloseDay));
    EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
    EXPECT_TRUE(test::fileContents(database) == before);
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_EQ(ui.messages.back().text,
              "Import dibatalkan: 2 nilai tidak muat di field tujuannya. Data toko tidak diubah.\n"
              "STOCK.DTA record 1, column (AWAL5 + MASUK5 - KELUAR5) × HBELI: value 9999999990000000.0000 does not fit "
              "field SISA_NIL05 (N 18,4) of S_STOCK\n"
              "CUST.DTA record 3, column PLAFON: value 1000000000000000.0000 does not fit field MAX_CRD (N 18,4) of "
              "S_PELANG");
}

}  // namespace
}  // namespace tarvo::importers
