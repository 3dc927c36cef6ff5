// Day closing, the "STOCK AWAL" purchase, the opening stock in the three stock modes and the
// opening payables and receivables on the sample retail database.

#include "importing/opening_balances.h"
#include "templates/opening_templates.h"

#include <gtest/gtest.h>

#include "templates/item_import.h"
#include "tests/templates/retail_import_fixture.h"
#include "xbase/dates.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {
namespace {

using test::ExpectedFields;
using xbase::Date;
using xbase::Value;

const Date kNoDate{};
const Date kClosingDay{2024, 1, 31};
const Date kOpenStockDay{2024, 3, 15};
const Date kPointsDay{2024, 2, 29};

importing::ImportOptions optionsFor(importing::StockMode mode, Date pointsDate = {}) {
    importing::ImportOptions options;
    options.stockMode = mode;
    options.closingDate = kClosingDay;
    options.openDate = kOpenStockDay;
    options.pointsDate = pointsDate;
    return options;
}

// The scrambling undone: byte i decodes as b[i] ^ b[i-1] ^ (i-1).
std::string unscrambled(std::string_view bytes) {
    std::string out;
    for (size_t i = 1; i < bytes.size(); ++i)
        out += static_cast<char>(bytes[i] ^ bytes[i - 1] ^ static_cast<char>((i - 1) & 0xFF));
    return out;
}

class OpeningBalancesTest : public test::RetailImportTest {
protected:
    // The control record's field as stored in the file, in raw bytes.
    std::string controlBytes(const std::string& field) {
        auto control = retailTable("S_KONTRO");
        const int pos = control->fieldPos(field);
        return std::string(control->fieldBytes(control->recordImage(), pos));
    }
};

struct DayClosingCase {
    importing::StockMode mode;
    Date closedDay, activityStart;
    uint32_t purchases;  // the "STOCK AWAL" header or nothing
};

class DayClosingTest : public OpeningBalancesTest, public ::testing::WithParamInterface<DayClosingCase> {};

TEST_P(DayClosingTest, ControlRecordAndOpeningStockPurchaseFollowTheMode) {
    auto run = makeRun(optionsFor(GetParam().mode));
    ASSERT_TRUE(importing::writeDayClosingSettings(*run));
    EXPECT_EQ(xbase::workAreas().find("S_KONTRO"), nullptr);
    expectRecord("S_KONTRO", 1,
                 {{"TUTUP_HARI", Value(GetParam().closedDay)}, {"AKT_MULAI", Value(GetParam().activityStart)},
                  {"TUTUP_HIT1", Value("")}, {"KODE_TOKO", Value("TOKO01")}});
    ASSERT_EQ(recordCount("S_PEMBEL"), GetParam().purchases);
    if (GetParam().purchases == 0) return;
    expectRecord("S_PEMBEL", 1,
                 {{"ID", Value(-1)}, {"NO", Value("STOCK AWAL")}, {"NO_EX1", Value("")}, {"VENDOR", Value(-1)},
                  {"TANGGAL", Value(kOpenStockDay)}, {"TANGGAL2", Value(kOpenStockDay)}, {"MAUANG", Value(1)},
                  {"KURS", Value(1)}, {"NO_MILIK", Value(1)}, {"NO_MLK_CSH", Value(true)},
                  {"BARANG_TRM", Value(false)}, {"SALDO_AWAL", Value(false)}, {"PUKUL", Value(0)},
                  {"DIVISI_ID", Value(0)}, {"PURCOR_ID", Value(0)}, {"GUDANG", Value(0)}, {"TERM_CRD", Value(0)},
                  {"DISC_NILAI", Value(0)}, {"PPN_NILAI", Value(0)}, {"ADJ_01", Value(0)}, {"ADJ_05", Value(0)},
                  {"TOT_HARGA", Value(0)}, {"TOT_HAREX1", Value(0)}, {"TOT_HAREX2", Value(0)}, {"TOT_DISC", Value(0)},
                  {"TOT_RETUR", Value(0)}, {"CATATAN", Value("")}, {"CATATAN_3", Value("")},
                  {"INPUT_OLEH", Value(-1)}, {"TGL_INPUT", Value(run->stampDate())},
                  {"JAM_INPUT", Value(run->stampTime())}, {"DBF_VLD", Value("MTST")}});
}

INSTANTIATE_TEST_SUITE_P(Modes, DayClosingTest,
                         ::testing::Values(DayClosingCase{importing::StockMode::CloseDay, kClosingDay, Date{2024, 2, 1}, 0},
                                           DayClosingCase{importing::StockMode::Open, kNoDate, kNoDate, 1},
                                           DayClosingCase{importing::StockMode::None, kNoDate, kNoDate, 0}));

TEST_F(OpeningBalancesTest, PointDateIsStoredScrambledAfterOneRandomLetter) {
    auto run = makeRun(optionsFor(importing::StockMode::None, kPointsDay));
    ASSERT_TRUE(writeTemplateControlSettings(*run));
    const std::string plain = unscrambled(controlBytes("TUTUP_HIT1"));
    ASSERT_EQ(plain.size(), 9u);
    EXPECT_TRUE(plain[0] >= 'A' && plain[0] <= 'Z') << plain;
    EXPECT_EQ(plain.substr(1), "20240229");
}

TEST_F(OpeningBalancesTest, ControlTableWithoutRecordIsRefusedBeforeAnythingIsWritten) {
    xbase::workAreas().find("S_KONTRO")->zap();
    auto run = makeRun(optionsFor(importing::StockMode::Open, kPointsDay));
    EXPECT_FALSE(importing::writeDayClosingSettings(*run));
    ASSERT_EQ(ui.count("error"), 1u);
    EXPECT_EQ(ui.messages[0].text, "File S_KONTRO tidak berisi record kontrol ! Proses Import dibatalkan.");
    EXPECT_EQ(recordCount("S_KONTRO"), 0u);
    EXPECT_EQ(recordCount("S_PEMBEL"), 0u);
}

// Item rows with opening stock: quantities and values in warehouses 1, 3 and 12.
const std::vector<test::TemplateValues> kStockedItems = {
    {{"KODE", "A"}, {"NAMA", "A"}, {"SISA_NIL1", 999}, {"SISA_STK3", 5}, {"SISA_NIL3", 75000}, {"SISA_STK12", 4}},
    {{"KODE", "B"}, {"NAMA", "B"}, {"JENIS", 1}, {"SISA_STK1", 7}, {"SISA_NIL1", 70}},
    {{"KODE", "C"}, {"NAMA", "C"}, {"SISA_STK30", -2.5}, {"SISA_NIL30", -10}},
};

struct OpeningStockCase {
    importing::StockMode mode;
    std::vector<ExpectedFields> itemA, itemB, itemC;  // one field list each
    std::vector<ExpectedFields> lines;                // S_PEMBED
};

class OpeningStockTest : public OpeningBalancesTest, public ::testing::WithParamInterface<OpeningStockCase> {};

TEST_P(OpeningStockTest, OpeningStockFollowsTheMode) {
    addTemplate("ITEM", kStockedItems);
    auto run = makeRun(optionsFor(GetParam().mode));
    ASSERT_TRUE(importing::writeDayClosingSettings(*run));
    importItems(*run);
    expectRecord("S_STOCK", 1, GetParam().itemA.front());
    expectRecord("S_STOCK", 2, GetParam().itemB.front());
    expectRecord("S_STOCK", 3, GetParam().itemC.front());
    ASSERT_EQ(recordCount("S_PEMBED"), GetParam().lines.size());
    for (uint32_t recno = 1; recno <= GetParam().lines.size(); ++recno)
        expectRecord("S_PEMBED", recno, GetParam().lines[recno - 1]);
}

const ExpectedFields kNoStockA = {{"SISA_STK03", Value(0)}, {"SISA_NIL03", Value(0)}, {"SISA_NIL01", Value(0)},
                                  {"SISA_STK12", Value(0)}};
const ExpectedFields kNoStockB = {{"SISA_STK01", Value(0)}, {"SISA_NIL01", Value(0)}};
const ExpectedFields kNoStockC = {{"SISA_STK30", Value(0)}, {"SISA_NIL30", Value(0)}};

ExpectedFields purchaseLine(uint32_t item, int warehouse, double quantity, double value) {
    return {{"PEMBEL_ID", Value(-1)}, {"STKSER_1", Value("")}, {"STKSER_2", Value("")}, {"STOCK_ID", Value(item)},
            {"STOCK_GDG", Value(warehouse)}, {"VENDOR", Value(-1)}, {"TANGGAL", Value(kOpenStockDay)},
            {"SATUAN", Value(1)}, {"JUMLAH", Value(quantity)}, {"HARGA", Value(value)}, {"HARGA_EX1", Value(0)},
            {"HARGA_EX2", Value(0)}, {"DISC_NILAI", Value(0)}, {"MAST_DISC", Value(0)}, {"MAST_PPN", Value(0)},
            {"MAST_ADJ_1", Value(0)}, {"MAST_ADJ_5", Value(0)}, {"EXPIRED", Value(Date{})}};
}

INSTANTIATE_TEST_SUITE_P(
    Modes, OpeningStockTest,
    ::testing::Values(
        OpeningStockCase{importing::StockMode::CloseDay,
                         {{{"SISA_STK03", Value(5)}, {"SISA_ST203", Value(5)}, {"SISA_ST303", Value(5)},
                           {"SISA_NIL03", Value(75000)}, {"SISA_STK12", Value(4)}, {"SISA_ST212", Value(4)},
                           {"SISA_ST312", Value(4)}, {"SISA_NIL12", Value(0)}, {"SISA_NIL01", Value(999)},
                           {"SISA_STK01", Value(0)}}},
                         {kNoStockB},
                         {{{"SISA_STK30", Value(-2.5)}, {"SISA_ST330", Value(-2.5)}, {"SISA_NIL30", Value(-10)}}},
                         {}},
        OpeningStockCase{importing::StockMode::Open,
                         {kNoStockA},
                         {kNoStockB},
                         {kNoStockC},
                         {purchaseLine(1, 3, 5, 75000), purchaseLine(1, 12, 4, 0), purchaseLine(3, 30, -2.5, -10)}},
        OpeningStockCase{importing::StockMode::None, {kNoStockA}, {kNoStockB}, {kNoStockC}, {}}));

TEST_F(OpeningBalancesTest, ItemTemplateWithoutFirstWarehouseColumnHasNoOpeningStock) {
    for (importing::StockMode mode : {importing::StockMode::CloseDay, importing::StockMode::Open}) {
        SCOPED_TRACE(static_cast<int>(mode));
        TearDown();
        SetUp();
        addTemplate("ITEM", {{{"KODE", "A"}, {"NAMA", "A"}, {"SISA_STK3", 5}, {"SISA_NIL3", 75000}}},
                    {{"SISA_STK1", std::nullopt}});
        auto run = makeRun(optionsFor(mode));
        ASSERT_TRUE(importing::writeDayClosingSettings(*run));
        importItems(*run);
        expectRecord("S_STOCK", 1, {{"SISA_STK03", Value(0)}, {"SISA_NIL03", Value(0)}});
        EXPECT_EQ(recordCount("S_PEMBED"), 0u);
    }
}

TEST_F(OpeningBalancesTest, PayablesFollowTheStockAwalHeader) {
    addTemplate("PEMBEL", {
                              {{"TANGGAL", Value(Date{2023, 11, 2})}, {"NO_NOTA_C", " INV-1"}, {"KODE_VEN", "v2"},
                               {"NAMA_VEN", "Vendor One"}, {"MAUANG", 0}, {"KURS", 14500.5}, {"HARGA", 250000},
                               {"TERM_CRD", 30}, {"CATATAN", " satu"}, {"CATATAN_3", "tiga"}, {"DIVISI", 4}},
                              {{"TANGGAL", Value(Date{2023, 12, 5})}, {"NO_NOTA_C", " "}, {"HARGA", 10}},
                              {{"TANGGAL", Value(Date{2023, 12, 6})}, {"NO_NOTA_C", "RET-2"}, {"KODE_VEN", "V9"},
                               {"HARGA", -150000}},
                          },
                {{"DIVISI", xbase::FieldInfo{"DIVISI", 'N', 3, 0}}});
    auto run = makeRun(optionsFor(importing::StockMode::Open));
    run->vendorCodes.add("V1");
    run->vendorCodes.add("V2");
    run->vendorNames.add("VENDOR ONE");
    run->vendorNames.add("VENDOR TWO");
    ASSERT_TRUE(importing::writeDayClosingSettings(*run));
    importPayables(*run);

    EXPECT_EQ(xbase::workAreas().find("S_PEMBEL"), nullptr);
    ASSERT_EQ(recordCount("S_PEMBEL"), 3u);
    EXPECT_EQ(lastIdentifier(22), 3);
    const ExpectedFields zeros = {{"JENPEM_ID", Value(0)}, {"PUKUL", Value(0)},      {"PERKIR_1", Value(0)},
                                  {"PERKIR_2", Value(0)},  {"PURCOR_ID", Value(0)},  {"GUDANG", Value(0)},
                                  {"DEPOSIT", Value(0)},   {"DISC_NILAI", Value(0)}, {"PPN_TIPE", Value(0)},
                                  {"PPN_PERS", Value(0)},  {"PPN_NILAI", Value(0)},  {"ADJ_01", Value(0)},
                                  {"ADJ_05", Value(0)},    {"TOT_HAREX1", Value(0)}, {"TOT_HAREX2", Value(0)},
                                  {"TOT_DISC", Value(0)}};
    expectRecord("S_PEMBEL", 2, zeros);
    expectRecord("S_PEMBEL", 2,
                 {{"ID", Value(2)}, {"SALDO_AWAL", Value(true)}, {"DIVISI_ID", Value(4)}, {"NO", Value(" INV-1")},
                  {"NO_EX1", Value("")}, {"BARANG_TRM", Value(false)}, {"NO_MLK_CSH", Value(false)},
                  {"NO_MILIK", Value(2)}, {"TANGGAL", Value(Date{2023, 11, 2})}, {"TANGGAL2", Value(Date{2023, 11, 2})},
                  {"MAUANG", Value(0)}, {"KURS", Value(14500.5)}, {"TERM_CRD", Value(30)}, {"CATATAN", Value(" satu")},
                  {"CATATAN_2", Value("")}, {"CATATAN_3", Value("tiga")}, {"TOT_HARGA", Value(250000)},
                  {"TOT_RETUR", Value(0)}, {"VENDOR", Value(2)}, {"INPUT_OLEH", Value(-1)},
                  {"TGL_INPUT", Value(run->stampDate())}, {"DBF_VLD", Value("MTST")}});
    expectRecord("S_PEMBEL", 3,
                 {{"ID", Value(3)}, {"NO", Value("RET-2")}, {"VENDOR", Value(0)}, {"TOT_HARGA", Value(0)},
                  {"TOT_RETUR", Value(150000)}, {"DIVISI_ID", Value(0)}});
}

TEST_F(OpeningBalancesTest, PayableVendorIsFoundByNameWhenNoVendorCodesWereCollected) {
    addTemplate("PEMBEL", {{{"TANGGAL", Value(Date{2023, 11, 2})}, {"NO_NOTA_C", "INV-1"}, {"KODE_VEN", "V1"},
                            {"NAMA_VEN", "vendor two "}, {"HARGA", 5}}},
                {{"MAUANG", std::nullopt}, {"KURS", std::nullopt}});
    auto run = makeRun(optionsFor(importing::StockMode::None));
    run->vendorNames.add("VENDOR ONE");
    run->vendorNames.add("VENDOR TWO");
    importPayables(*run);
    expectRecord("S_PEMBEL", 1, {{"ID", Value(1)}, {"VENDOR", Value(2)}, {"MAUANG", Value(1)}, {"KURS", Value(1)}});
}

TEST_F(OpeningBalancesTest, PayablesNeedTheInvoiceNumberColumn) {
    addTemplate("PEMBEL", {{{"TANGGAL", Value(Date{2023, 11, 2})}, {"HARGA", 5}}}, {{"NO_NOTA_C", std::nullopt}});
    auto run = makeRun(optionsFor(importing::StockMode::None));
    importPayables(*run);
    EXPECT_EQ(recordCount("S_PEMBEL"), 0u);
    EXPECT_EQ(lastIdentifier(22), 0);
}

TEST_F(OpeningBalancesTest, ReceivablesByTextOrNumberWithCustomerAndSalesman) {
    addTemplate("PENJUA", {
                              {{"TANGGAL", Value(Date{2023, 10, 1})}, {"NO_NOTA_C", "S-01"}, {"KODE_PEL", "c2"},
                               {"NAMA_PEL", "Budi"}, {"KODE_SALES", " s1"}, {"MAUANG", 2}, {"KURS", 1.5},
                               {"HARGA", 1000}, {"TERM_CRD", 14}, {"CATATAN_2", "dua"}},
                              {{"TANGGAL", Value(Date{2023, 10, 2})}, {"NO_NOTA_C", ""}, {"NO_NOTA", 0}, {"HARGA", 5}},
                              {{"TANGGAL", Value(Date{2023, 10, 3})}, {"NO_NOTA", 1205}, {"NAMA_PEL", "budi"},
                               {"HARGA", -20}},
                          });
    auto run = makeRun(optionsFor(importing::StockMode::None));
    run->customerCodes.add("C1");
    run->customerCodes.add("C2");
    run->customerNames.add("ANI");
    run->customerNames.add("BUDI");
    run->salesmen.add("S1");
    importReceivables(*run);

    EXPECT_EQ(xbase::workAreas().find("S_PENJUA"), nullptr);
    ASSERT_EQ(recordCount("S_PENJUA"), 2u);
    EXPECT_EQ(lastIdentifier(31), 2);
    const ExpectedFields zeros = {{"JENPEN_ID", Value(0)},  {"PERKIR_1", Value(0)},   {"PERKIR_2", Value(0)},
                                  {"SALORD_ID", Value(0)},  {"GUDANG", Value(0)},     {"DEPOSIT", Value(0)},
                                  {"SALES_KOM", Value(0)},  {"PELEXT_ID", Value(0)},  {"DISC_NILAI", Value(0)},
                                  {"PPN_TIPE", Value(0)},   {"PPN_PERS", Value(0)},   {"PPN_NILAI", Value(0)},
                                  {"LUNAS", Value(0)},      {"ADJ_01", Value(0)},     {"ADJ_05", Value(0)},
                                  {"DISC_PERST", Value(0)}, {"TOT_HAREX1", Value(0)}, {"TOT_HAREX2", Value(0)},
                                  {"TOT_DISC", Value(0)}};
    expectRecord("S_PENJUA", 1, zeros);
    expectRecord("S_PENJUA", 1,
                 {{"ID", Value(1)}, {"SALDO_AWAL", Value(true)}, {"DIVISI_ID", Value(0)}, {"PUKUL", Value(1439)},
                  {"NO", Value(0)}, {"NO_C", Value("S-01")}, {"BARANG_KLR", Value(false)}, {"NO_MLK_CSH", Value(false)},
                  {"PEL_NAMA", Value("")}, {"PEL_ALAMAT", Value("")}, {"PO", Value("")}, {"NO_MILIK", Value(2)},
                  {"TANGGAL", Value(Date{2023, 10, 1})}, {"MAUANG", Value(2)}, {"KURS", Value(1.5)},
                  {"TERM_CRD", Value(14)}, {"CATATAN", Value("")}, {"CATATAN_2", Value("dua")},
                  {"TOT_HARGA", Value(1000)}, {"TOT_RETUR", Value(0)}, {"PELANG", Value(2)}, {"SALES", Value(1)},
                  {"INPUT_OLEH", Value(-1)}, {"JAM_INPUT", Value(run->stampTime())}, {"DBF_VLD", Value("MTST")}});
    expectRecord("S_PENJUA", 2,
                 {{"ID", Value(2)}, {"NO", Value(1205)}, {"NO_C", Value("")}, {"PELANG", Value(2)}, {"SALES", Value(0)},
                  {"TOT_HARGA", Value(0)}, {"TOT_RETUR", Value(20)}, {"TANGGAL", Value(Date{2023, 10, 3})}});
    EXPECT_EQ(ui.progressTexts.back(), "Piutang Awal Proses no. 3 / 3");
}

}  // namespace
}  // namespace tarvo::templates
