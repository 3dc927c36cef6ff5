// The import from MSBRG, MSCUS, MSSUP and SALES: every record written, field by field, in the
// three stock modes and with the duplicate options.

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

std::vector<FieldInfo> itemFields() {
    std::vector<FieldInfo> fields{{"KDBRG", 'C', 15, 0},   {"NMBRG", 'C', 40, 0},   {"NMBRG1", 'C', 20, 0},
                                  {"KATEGORI", 'C', 20, 0}, {"UNIT", 'C', 5, 0},    {"HGBELI", 'N', 12, 2},
                                  {"HGJUALT", 'N', 12, 2},  {"MTUANG", 'C', 3, 0},  {"MTJL", 'C', 4, 0}};
    for (const std::string n : {"1", "2", "3"}) {
        fields.insert(fields.end(), {{"KDBRG" + n, 'C', 15, 0}, {"UNIT" + n, 'C', 5, 0}, {"QTY" + n + "1", 'N', 8, 0},
                                     {"HGBELI" + n, 'N', 12, 2}, {"HGJUAL" + n, 'N', 12, 2}, {"MTUANG" + n, 'C', 4, 0},
                                     {"MTJL" + n, 'C', 3, 0}});
    }
    fields.insert(fields.end(), {{"MINSTOK", 'N', 8, 0}, {"SISAGUDANG", 'N', 10, 2}, {"SISATOKO", 'N', 10, 2}});
    return fields;
}

// Items (record numbers):
//   1 A1 "Apel", PRS, selling currency "sgd ", a DUS level of 12 (purchase in SGD), a BAL level of
//     content 0 with a code; stock 10 and 4 at 2500
//   2 B1 "Jeruk", no unit, stock 7 and 0
//   3 A1 "Apel Merah": code of item 1; its unit KG and group SAYUR still join the lists
//   4 C1 "apel": name of item 1
//   5 D1 with a name extension: not imported
//   6 blank code; 7 deleted
//   8 F1 "Kelapa", no group, BTR, a level "prs" of 6
void writeShop(test::ImporterTest& t) {
    t.writeSource("MSBRG.DBF", itemFields(),
                  {{{"KDBRG", "a1 "}, {"NMBRG", " Apel "}, {"KATEGORI", " buah"}, {"UNIT", "prs"}, {"HGBELI", 2500},
                    {"HGJUALT", 3000}, {"MTUANG", "IDR"}, {"MTJL", "sgd "}, {"KDBRG1", "a1d"}, {"UNIT1", "dus"},
                    {"QTY11", 12}, {"HGBELI1", 30000}, {"HGJUAL1", 33000}, {"MTUANG1", "SGD"}, {"KDBRG2", "A1B"},
                    {"UNIT2", "BAL"}, {"QTY21", 0}, {"HGBELI2", 99}, {"MINSTOK", 5}, {"SISAGUDANG", 10},
                    {"SISATOKO", 4}},
                   {{"KDBRG", "B1"}, {"NMBRG", "Jeruk"}, {"KATEGORI", "BUAH"}, {"HGBELI", 1000}, {"HGJUALT", 1500},
                    {"MTUANG", "USD"}, {"SISAGUDANG", 7}},
                   {{"KDBRG", "A1"}, {"NMBRG", "Apel Merah"}, {"KATEGORI", "Sayur"}, {"UNIT", "KG"}},
                   {{"KDBRG", "C1"}, {"NMBRG", "apel"}},
                   {{"KDBRG", "D1"}, {"NMBRG", "Durian"}, {"NMBRG1", "EXTRA"}, {"UNIT", "BIJI"}},
                   {{"KDBRG", " "}, {"NMBRG", "Tanpa Kode"}},
                   {{"*", true}, {"KDBRG", "E1"}, {"NMBRG", "Dihapus"}},
                   {{"KDBRG", "F1"}, {"NMBRG", "Kelapa"}, {"UNIT", "BTR"}, {"HGBELI", 800}, {"HGJUALT", 1000},
                    {"KDBRG1", "F1K"}, {"UNIT1", "prs"}, {"QTY11", 6}, {"HGBELI1", 4500}, {"HGJUAL1", 5500}}});
    const std::vector<FieldInfo> partner{{"ALAMAT1", 'C', 40, 0}, {"ALAMAT2", 'C', 40, 0}, {"TELP", 'C', 20, 0},
                                         {"FAX", 'C', 20, 0}};
    std::vector<FieldInfo> customers{{"NMCUS", 'C', 40, 0}, {"LOKASI", 'C', 20, 0}};
    customers.insert(customers.end(), partner.begin(), partner.end());
    t.writeSource("MSCUS.DBF", customers,
                  {{{"NMCUS", " Toko A "}, {"LOKASI", "jakarta barat"}, {"ALAMAT1", " Jl. Satu "}, {"ALAMAT2", "Blok B"},
                    {"TELP", " 021-1 "}, {"FAX", "021-2"}},
                   {{"NMCUS", "Toko B"}, {"LOKASI", " JAKARTA"}},
                   {{"NMCUS", "Toko C"}, {"ALAMAT2", "Gang 3"}},
                   {{"*", true}, {"NMCUS", "Dihapus"}, {"LOKASI", "BOGOR"}},
                   {{"NMCUS", "  "}, {"LOKASI", "DEPOK"}},
                   {{"NMCUS", "Toko D"}, {"LOKASI", "Jakarta "}}});
    std::vector<FieldInfo> vendors{{"NMSUP", 'C', 40, 0}};
    vendors.insert(vendors.end(), partner.begin(), partner.end());
    t.writeSource("MSSUP.DBF", vendors,
                  {{{"NMSUP", "PT Satu"}, {"ALAMAT1", "Jl. Dua"}, {"TELP", "061-5"}, {"FAX", "061-6"}},
                   {{"*", true}, {"NMSUP", "PT Hapus"}},
                   {{"NMSUP", ""}},
                   {{"NMSUP", "PT Dua"}}});
    t.writeSource("SALES.DBF", {{"NMSAL", 'C', 30, 0}}, {{{"NMSAL", " Budi "}}, {{"NMSAL", ""}}, {{"NMSAL", "Ani"}}});
}

class MsbrgImportTest : public test::ImporterTest {
protected:
    // Customers, vendors and salesmen with their full columns: these rows only.
    void writePartners(const test::SourceRows& customers) {
        const std::vector<FieldInfo> partner{{"ALAMAT1", 'C', 40, 0}, {"ALAMAT2", 'C', 40, 0}, {"TELP", 'C', 20, 0},
                                             {"FAX", 'C', 20, 0}};
        std::vector<FieldInfo> customerFields{{"NMCUS", 'C', 40, 0}, {"LOKASI", 'C', 20, 0}};
        customerFields.insert(customerFields.end(), partner.begin(), partner.end());
        writeSource("MSCUS.DBF", customerFields, customers);
        std::vector<FieldInfo> vendorFields{{"NMSUP", 'C', 40, 0}};
        vendorFields.insert(vendorFields.end(), partner.begin(), partner.end());
        writeSource("MSSUP.DBF", vendorFields, {});
        writeSource("SALES.DBF", {{"NMSAL", 'C', 30, 0}}, {});
    }
};

TEST_F(MsbrgImportTest, WritesEveryTableFieldByField) {
    writeShop(*this);
    const auto outcome = runImport(kLindraMakmur, test::optionsFor(StockMode::CloseDay));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.size() > 1 ? ui.messages[1].text : "");

    // Customers, with the regions of their LOKASI compared exactly.
    ASSERT_EQ(recordCount("S_PELANG"), 4u);
    const ExpectedFields customerDefaults{{"KODE", Value("")}, {"NPWP", Value("")}, {"NEGARA", Value(1)},
                                          {"HUBUNGI", Value("")}, {"CATATAN", Value("")}, {"TERM_CRD", Value(0)},
                                          {"MAX_CRD", Value(0)}, {"MU_JUAL", Value(0)}, {"PPN_TIPE", Value(0)},
                                          {"MU_CREDIT", Value(1)}, {"USER_LVL", Value(std::string(30, '1'))},
                                          {"PJ_QUOTAT", Value(true)}, {"PJ_INVOICE", Value(true)},
                                          {"INPUT_OLEH", Value(-1)}};
    expectRecord("S_PELANG", 1, customerDefaults);
    expectRecord("S_PELANG", 1, {{"ID", Value(1)}, {"NAMA", Value("Toko A")}, {"NPWP_NAMA", Value("Toko A")},
                                 {"ALAMAT", Value("Jl. Satu\r\nBlok B")}, {"NPWP_ALAMA", Value("Jl. Satu\r\nBlok B")},
                                 {"DAERAH", Value(1)}, {"TELEPON", Value("021-1")}, {"FAX", Value("021-2")}});
    expectRecord("S_PELANG", 2, {{"ID", Value(2)}, {"NAMA", Value("Toko B")}, {"DAERAH", Value(2)}});
    expectRecord("S_PELANG", 3, {{"ID", Value(3)}, {"ALAMAT", Value("Gang 3")}, {"DAERAH", Value(0)}});
    expectRecord("S_PELANG", 4, {{"ID", Value(4)}, {"NAMA", Value("Toko D")}, {"DAERAH", Value(2)}});
    ASSERT_EQ(recordCount("S_DAERAH"), 2u);
    expectRecord("S_DAERAH", 1, {{"ID", Value(1)}, {"DAERAH", Value("JAKARTA BARAT")}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_DAERAH", 2, {{"ID", Value(2)}, {"DAERAH", Value("JAKARTA")}});

    ASSERT_EQ(recordCount("S_VENDOR"), 2u);
    expectRecord("S_VENDOR", 1, {{"ID", Value(1)}, {"NAMA", Value("PT Satu")}, {"ALAMAT", Value("Jl. Dua")},
                                 {"TELEPON", Value("061-5")}, {"FAX", Value("061-6")}, {"NPWP", Value("")},
                                 {"NEGARA", Value(1)}, {"MU_BELI", Value(0)}, {"MU_CREDIT", Value(1)},
                                 {"TERM_CRD", Value(0)}, {"MAX_CRD", Value(0)}, {"PPN_TIPE", Value(0)},
                                 {"PB_PURREQ", Value(true)}, {"PB_DEPOSIT", Value(true)},
                                 {"USER_LVL", Value(std::string(30, '1'))}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_VENDOR", 2, {{"ID", Value(2)}, {"NAMA", Value("PT Dua")}});
    ASSERT_EQ(recordCount("S_KARYAW"), 2u);
    expectRecord("S_KARYAW", 1, {{"ID", Value(1)}, {"NAMA", Value("Budi")}, {"SALES", Value(true)},
                                 {"COLLECTOR", Value(true)}, {"ALAMAT", Value("")}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_KARYAW", 2, {{"ID", Value(2)}, {"NAMA", Value("Ani")}});

    // Items: a base item, its level items and their composition records.
    ASSERT_EQ(recordCount("S_STOCK"), 5u);
    expectRecord("S_STOCK", 1,
                  {{"ID", Value(1)}, {"NAMA", Value("Apel")}, {"NAMAEX1", Value("")}, {"NAMA_2", Value("Apel")},
                   {"JENIS", Value(0)}, {"GROUP_STK", Value(1)}, {"GROUP_ST2", Value(0)}, {"VENDOR", Value(0)},
                   {"KODE_C", Value("A1")}, {"KODE_C_5", Value("A1")}, {"TIPE_SATU", Value(1)},
                   {"MU_H_BELI", Value(1)}, {"MU_H_J_01", Value(2)}, {"MU_H_J_05", Value(2)}, {"MU_H_MIN", Value(1)},
                   {"HARGA_BELI", Value(2500)}, {"HARGA_J_01", Value(3000)}, {"HARGA_J_05", Value(3000)},
                   {"HARGA_MIN", Value(0)}, {"MIN_STOCK", Value(5)}, {"SAT_K_01", Value(1)}, {"SAT_K_02", Value(0)},
                   {"SAT_OUT", Value(1)}, {"SAT_OUT_D", Value(2)}, {"SAT_J_02", Value(1)}, {"JML_J_05", Value(1)},
                   {"QUAN_PICT", Value("999,999")}, {"SAT_DEF", Value(1)}, {"HIDE", Value(false)},
                   {"ITM_STKKLR", Value(true)}, {"GUDANG_06", Value(true)}, {"INPUT_OLEH", Value(-1)},
                   {"SISA_STK01", Value(10)}, {"SISA_ST201", Value(10)}, {"SISA_ST301", Value(10)},
                   {"SISA_NIL01", Value(25000)}, {"SISA_STK02", Value(4)}, {"SISA_ST302", Value(4)},
                   {"SISA_NIL02", Value(10000)}});
    expectRecord("S_STOCK", 2,
                  {{"ID", Value(2)}, {"NAMA", Value("Apel (DUS)")}, {"NAMA_2", Value("Apel (DUS)")}, {"JENIS", Value(2)},
                   {"GROUP_STK", Value(1)}, {"KODE_C", Value("A1D")}, {"KODE_C_3", Value("A1D")},
                   {"TIPE_SATU", Value(2)}, {"MU_H_BELI", Value(2)}, {"MU_H_J_01", Value(1)},
                   {"HARGA_BELI", Value(30000)}, {"HARGA_J_03", Value(33000)}, {"MIN_STOCK", Value(0)}});
    expectRecord("S_STOCK", 3,
                  {{"ID", Value(3)}, {"NAMA", Value("Jeruk")}, {"TIPE_SATU", Value(1)}, {"GROUP_STK", Value(1)},
                   {"MU_H_BELI", Value(1)}, {"SISA_STK01", Value(7)}, {"SISA_NIL01", Value(7000)},
                   {"SISA_STK02", Value(0)}});
    expectRecord("S_STOCK", 4, {{"ID", Value(4)}, {"NAMA", Value("Kelapa")}, {"GROUP_STK", Value(0)},
                                {"TIPE_SATU", Value(4)}});
    expectRecord("S_STOCK", 5, {{"ID", Value(5)}, {"NAMA", Value("Kelapa (PCS)")}, {"JENIS", Value(2)},
                                {"TIPE_SATU", Value(1)}, {"KODE_C", Value("F1K")}});
    ASSERT_EQ(recordCount("S_STKEOU"), 2u);
    expectRecord("S_STKEOU", 1, {{"STOCK_ID", Value(2)}, {"STOCK_ID2", Value(1)}, {"JUMLAH", Value(12)},
                                 {"SATUAN", Value(1)}, {"HPP", Value(100)}});
    expectRecord("S_STKEOU", 2, {{"STOCK_ID", Value(5)}, {"STOCK_ID2", Value(4)}, {"JUMLAH", Value(6)}});

    // Units, and groups of the items refused as duplicates too.
    ASSERT_EQ(recordCount("S_SATUAN"), 4u);
    const char* units[] = {"PCS", "DUS", "KG", "BTR"};
    for (uint32_t n = 1; n <= 4; ++n)
        expectRecord("S_SATUAN", n, {{"SATUAN_VAL", Value(n)}, {"SATUAN_TXT", Value(units[n - 1])},
                                     {"SAT_01_VAL", Value(1)}, {"SAT_01_TXT", Value(units[n - 1])},
                                     {"SAT_01_SAT", Value(1)}, {"SAT_02_VAL", Value(0)}, {"SAT_02_TXT", Value("")},
                                     {"SAT_02_SAT", Value(0)}, {"SAT_10_VAL", Value(0)}});
    ASSERT_EQ(recordCount("S_GRPSTK"), 2u);
    expectRecord("S_GRPSTK", 1, {{"ID", Value(1)}, {"NAMA", Value("BUAH")}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_GRPSTK", 2, {{"ID", Value(2)}, {"NAMA", Value("SAYUR")}});

    // Identifier rows, the control record, no opening purchase.
    EXPECT_EQ(lastIdentifier(2), 2);
    EXPECT_EQ(lastIdentifier(9), 2);
    EXPECT_EQ(lastIdentifier(15), 5);
    EXPECT_EQ(lastIdentifier(16), 2);
    EXPECT_EQ(lastIdentifier(17), 2);
    EXPECT_EQ(lastIdentifier(18), 4);
    expectRecord("S_KONTRO", 1, {{"TUTUP_HARI", Value(Date{2023, 12, 31})}, {"AKT_MULAI", Value(Date{2024, 1, 1})},
                                 {"STK_K_LEN", Value(20)}, {"STK_K_LEN2", Value(13)}, {"STK_N_EX1", Value(false)}});
    EXPECT_EQ(recordCount("S_PEMBEL"), 0u);
    EXPECT_EQ(recordCount("S_PEMBED"), 0u);

    // The duplicates, in the summary and in REJECT.TXT.
    EXPECT_EQ(outcome.codeDuplicates, 1u);
    EXPECT_EQ(outcome.nameDuplicates, 1u);
    EXPECT_EQ(outcome.written.at("S_STOCK"), 5u);
    EXPECT_EQ(outcome.skipped.at("MSBRG"), 5u);
    EXPECT_EQ(outcome.skipped.at("MSCUS"), 2u);
    EXPECT_FALSE(outcome.rejectFile.empty());
    EXPECT_EQ(progressWith("Item Proses no. ").back(), "Item Proses no. 8 / 8");
    EXPECT_EQ(progressWith("Satuan Item Proses no. ").back(), "Satuan Item Proses no. 4 / 4");
    EXPECT_EQ(progressWith("Wilayah/Daerah Proses no. ").back(), "Wilayah/Daerah Proses no. 2 / 2");
}

TEST_F(MsbrgImportTest, OpenStockGoesIntoTheOpeningPurchase) {
    writeShop(*this);
    ASSERT_EQ(runImport(kLindraMakmur, test::optionsFor(StockMode::Open)).status, importing::ImportStatus::Done);
    ASSERT_EQ(recordCount("S_PEMBEL"), 1u);
    expectRecord("S_PEMBEL", 1, {{"ID", Value(-1)}, {"NO", Value("STOCK AWAL")}, {"VENDOR", Value(-1)},
                                 {"TANGGAL", Value(Date{2023, 12, 31})}, {"TANGGAL2", Value(Date{2023, 12, 31})},
                                 {"NO_MILIK", Value(1)}, {"NO_MLK_CSH", Value(true)}, {"BARANG_TRM", Value(false)},
                                 {"SALDO_AWAL", Value(false)}, {"MAUANG", Value(1)}, {"KURS", Value(1)},
                                 {"GUDANG", Value(0)}, {"TOT_HARGA", Value(0)}, {"INPUT_OLEH", Value(-1)}});
    // Item 1: warehouses 1 and 2; item 3 (Jeruk): warehouse 1 only, its SISATOKO being 0.
    ASSERT_EQ(recordCount("S_PEMBED"), 3u);
    expectRecord("S_PEMBED", 1, {{"PEMBEL_ID", Value(-1)}, {"STOCK_ID", Value(1)}, {"STOCK_GDG", Value(1)},
                                 {"VENDOR", Value(-1)}, {"TANGGAL", Value(Date{2023, 12, 31})}, {"SATUAN", Value(1)},
                                 {"JUMLAH", Value(10)}, {"HARGA", Value(25000)}, {"HARGA_EX1", Value(0)},
                                 {"EXPIRED", Value(Date{})}, {"MAST_ADJ_5", Value(0)}});
    expectRecord("S_PEMBED", 2, {{"STOCK_ID", Value(1)}, {"STOCK_GDG", Value(2)}, {"JUMLAH", Value(4)},
                                 {"HARGA", Value(10000)}});
    expectRecord("S_PEMBED", 3, {{"STOCK_ID", Value(3)}, {"STOCK_GDG", Value(1)}, {"JUMLAH", Value(7)}});
    EXPECT_TRUE(blankField("S_STOCK", 1, "SISA_STK01"));
    expectRecord("S_KONTRO", 1, {{"TUTUP_HARI", Value(Date{})}, {"AKT_MULAI", Value(Date{})}});
}

TEST_F(MsbrgImportTest, WithoutStockNothingOfItIsWritten) {
    writeShop(*this);
    ASSERT_EQ(runImport(kLindraMakmur, test::optionsFor(StockMode::None)).status, importing::ImportStatus::Done);
    EXPECT_EQ(recordCount("S_PEMBEL"), 0u);
    EXPECT_EQ(recordCount("S_PEMBED"), 0u);
    EXPECT_TRUE(blankField("S_STOCK", 1, "SISA_STK01"));
    EXPECT_TRUE(blankField("S_STOCK", 1, "SISA_NIL02"));
    expectRecord("S_KONTRO", 1, {{"TUTUP_HARI", Value(Date{})}, {"AKT_MULAI", Value(Date{})}});
}

TEST_F(MsbrgImportTest, RepeatedCodesAndNamesAreImportedWhenAllowed) {
    writeShop(*this);
    const auto outcome = runImport(kLindraMakmur, test::optionsFor(StockMode::None, true, true));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done);
    EXPECT_EQ(outcome.codeDuplicates + outcome.nameDuplicates, 0u);
    EXPECT_TRUE(outcome.rejectFile.empty());
    ASSERT_EQ(recordCount("S_STOCK"), 7u);
    expectRecord("S_STOCK", 4, {{"ID", Value(4)}, {"KODE_C", Value("A1")}, {"NAMA", Value("Apel Merah")},
                                {"GROUP_STK", Value(2)}, {"TIPE_SATU", Value(3)}});
    expectRecord("S_STOCK", 5, {{"KODE_C", Value("C1")}, {"NAMA", Value("apel")}});
}

// Codes, names, regions, groups and units in accented letters are upper-cased as the tags' Upper()
// does it for code page 437, so that their case twins meet: one region, one group, one unit, and
// the duplicate checks find the item written before.
TEST_F(MsbrgImportTest, AccentedTextMeetsItsCaseTwin) {
    writeSource("MSBRG.DBF", itemFields(),
                {{{"KDBRG", "café"}, {"NMBRG", "Crème"}, {"KATEGORI", "é1"}, {"UNIT", "ñu"}, {"KDBRG1", "çaja"},
                  {"UNIT1", "ÇX"}, {"QTY11", 6}},
                 {{"KDBRG", "CAFÉ"}, {"NMBRG", "Otra"}, {"UNIT", "ÑU"}},
                 {{"KDBRG", "té"}, {"NMBRG", "crème"}, {"UNIT", "ÑU"}},
                 {{"KDBRG", "àgua"}, {"NMBRG", "Ägua"}, {"KATEGORI", "É1"}, {"UNIT", "ÑU"}, {"KDBRG1", "àgua6"},
                  {"UNIT1", "çx"}, {"QTY11", 6}}});
    writePartners({{{"NMCUS", "Uno"}, {"LOKASI", "españa"}}, {{"NMCUS", "Dos"}, {"LOKASI", "ESPAÑA"}}});
    const auto outcome = runImport(kLindraMakmur, test::optionsFor(StockMode::None));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(outcome.codeDuplicates, 1u);
    EXPECT_EQ(outcome.nameDuplicates, 1u);

    ASSERT_EQ(recordCount("S_DAERAH"), 1u);
    expectRecord("S_DAERAH", 1, {{"DAERAH", Value("ESPAÑA")}});
    expectRecord("S_PELANG", 2, {{"DAERAH", Value(1)}});
    ASSERT_EQ(recordCount("S_GRPSTK"), 1u);
    expectRecord("S_GRPSTK", 1, {{"NAMA", Value("É1")}});
    ASSERT_EQ(recordCount("S_SATUAN"), 2u);
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("ÑU")}});
    expectRecord("S_SATUAN", 2, {{"SATUAN_TXT", Value("ÇX")}});
    // à has no capital in code page 437: it stays as it is, never "?".
    ASSERT_EQ(recordCount("S_STOCK"), 4u);
    expectRecord("S_STOCK", 1, {{"KODE_C", Value("CAFÉ")}, {"NAMA", Value("Crème")}, {"GROUP_STK", Value(1)},
                                {"TIPE_SATU", Value(1)}});
    expectRecord("S_STOCK", 2, {{"KODE_C", Value("ÇAJA")}, {"NAMA", Value("Crème (ÇX)")}, {"TIPE_SATU", Value(2)}});
    expectRecord("S_STOCK", 3, {{"KODE_C", Value("àGUA")}, {"NAMA", Value("Ägua")}, {"GROUP_STK", Value(1)},
                                {"TIPE_SATU", Value(1)}});
    expectRecord("S_STOCK", 4, {{"KODE_C", Value("àGUA6")}, {"TIPE_SATU", Value(2)}});
    expectIndexesAgreeWithTables();
}

// A packing level with a code but no unit: its item gets unit identifier 0, and no nameless unit
// record is made.
TEST_F(MsbrgImportTest, ALevelWithoutAUnitGetsNoUnit) {
    writeSource("MSBRG.DBF", itemFields(),
                {{{"KDBRG", "A1"}, {"NMBRG", "Apel"}, {"UNIT", "PCS"}, {"KDBRG1", "A1D"}, {"UNIT1", "  "},
                  {"QTY11", 12}}});
    writePartners({});
    ASSERT_EQ(runImport(kLindraMakmur, test::optionsFor(StockMode::None)).status, importing::ImportStatus::Done)
        << (ui.messages.empty() ? "" : ui.messages.back().text);
    ASSERT_EQ(recordCount("S_STOCK"), 2u);
    expectRecord("S_STOCK", 1, {{"TIPE_SATU", Value(1)}});
    expectRecord("S_STOCK", 2, {{"KODE_C", Value("A1D")}, {"JENIS", Value(2)}, {"TIPE_SATU", Value(0)}});
    ASSERT_EQ(recordCount("S_SATUAN"), 1u);
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("PCS")}});
    ASSERT_EQ(recordCount("S_STKEOU"), 1u);
}

// A computed value too large for its field (opening stock × purchase price beyond SISA_NIL01)
// fails the run with a message that names the source file and record as well as the field.
// Source numbers that go into a field unchanged, and the opening stock's price × stock, are tried
// against their fields before the shop is touched; every value that does not fit is named. A
// deleted record and a record the import passes over are not checked.
TEST_F(MsbrgImportTest, ValuesThatDoNotFitAreNamedBeforeTheShopIsTouched) {
    std::vector<xbase::FieldInfo> fields = itemFields();
    for (xbase::FieldInfo& field : fields)
        if (field.name == "HGBELI1") field.length = 20;  // wider than the item's price field
    writeSource("MSBRG.DBF", fields,
                {{{"KDBRG", "A1"}, {"NMBRG", "Apel"}},
                 {{"KDBRG", "B1"}, {"NMBRG", "Jeruk"}, {"HGBELI", 999999999}, {"SISAGUDANG", 9999999}},
                 {{"KDBRG", "C1"}, {"NMBRG", "Mangga"}, {"KDBRG1", "C1-BOX"}, {"QTY11", 12}, {"HGBELI1", 1e13}},
                 {{"KDBRG", "D1"}, {"NMBRG", "Nanas"}, {"HGBELI", 999999999}, {"SISAGUDANG", 9999999}, {"*", true}},
                 {{"KDBRG", ""}, {"NMBRG", "Pepaya"}, {"HGBELI", 999999999}, {"SISAGUDANG", 9999999}}});
    writePartners({});
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = runImport(kLindraMakmur, test::optionsFor(StockMode::CloseDay));
    EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
    EXPECT_TRUE(test::fileContents(database) == before);
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_EQ(ui.messages.back().text,
              "Import dibatalkan: 2 nilai tidak muat di field tujuannya. Data toko tidak diubah.\n"
              "MSBRG.DBF record 2, column SISAGUDANG × HGBELI: value 9999998990000000.0000 does not fit field "
              "SISA_NIL01 (N 18,4) of S_STOCK\n"
              "MSBRG.DBF record 3, column HGBELI1: value 10000000000000.0000 does not fit field HARGA_BELI (N 18,4) "
              "of S_STOCK");
}

}  // namespace
}  // namespace tarvo::importers
