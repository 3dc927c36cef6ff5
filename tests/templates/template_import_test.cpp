// The whole import on a small shop: every retail table the import writes, record by record, in
// the three stock modes and with the duplicate options on and off; the reject list; the
// identifier rows; the control record; and index files that still agree with their tables.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <regex>
#include <set>

#include "retaildb/catalogue.h"
#include "importing/import_options.h"
#include "templates/template_import.h"
#include "tests/templates/template_import_fixture.h"
#include "xbase/dates.h"

namespace tarvo::templates {
namespace {

using test::ExpectedFields;
using xbase::Date;
using xbase::Value;

const Date kClosingDay{2024, 12, 31};
const Date kOpenStockDay{2024, 12, 30};
const Date kPointsDay{2025, 1, 15};

struct ImportCase {
    const char* name;
    importing::StockMode mode;
    bool allowDuplicateCodes, allowDuplicateNames;
    bool withPointsDate;
    // KODE_C and NAMA of the items in S_STOCK, in order.
    std::vector<std::pair<const char*, const char*>> items;
    // The lines of REJECT.TXT after its header; none: no file.
    std::vector<std::string> rejects;
};

void PrintTo(const ImportCase& c, std::ostream* out) { *out << c.name; }

const std::string kCodeDuplicateOfA1 = "Kode Sama\tA1\tApel Lagi\t#3\tA1\tApel\t#1";
const std::string kCodeDuplicateOfA1B = "Kode Sama\tA1B\tApel\t#8\tA1\tApel\t#1";
const std::string kNameDuplicateOfC1 = "Nama Sama\tC1\tapel\t#4\tA1\tApel\t#1";
const std::string kNameDuplicateOfA1B = "Nama Sama\tA1B\tApel\t#8\tA1\tApel\t#1";

const ImportCase kCases[] = {
    {"ClosedStockNoDuplicates", importing::StockMode::CloseDay, false, false, true,
     {{"A1", "Apel"}, {"B1", "Jeruk"}, {"L1", "Paket"}},
     {kCodeDuplicateOfA1, kCodeDuplicateOfA1B, kNameDuplicateOfC1, kNameDuplicateOfA1B}},
    {"OpenStockNoDuplicates", importing::StockMode::Open, false, false, false,
     {{"A1", "Apel"}, {"B1", "Jeruk"}, {"L1", "Paket"}},
     {kCodeDuplicateOfA1, kCodeDuplicateOfA1B, kNameDuplicateOfC1, kNameDuplicateOfA1B}},
    {"NoStockNoDuplicates", importing::StockMode::None, false, false, false,
     {{"A1", "Apel"}, {"B1", "Jeruk"}, {"L1", "Paket"}},
     {kCodeDuplicateOfA1, kCodeDuplicateOfA1B, kNameDuplicateOfC1, kNameDuplicateOfA1B}},
    {"DuplicateCodesAllowed", importing::StockMode::None, true, false, false,
     {{"A1", "Apel"}, {"B1", "Jeruk"}, {"A1", "Apel Lagi"}, {"L1", "Paket"}},
     {kNameDuplicateOfC1, kNameDuplicateOfA1B}},
    {"DuplicateNamesAllowed", importing::StockMode::Open, false, true, false,
     {{"A1", "Apel"}, {"B1", "Jeruk"}, {"C1", "apel"}, {"L1", "Paket"}},
     {kCodeDuplicateOfA1, kCodeDuplicateOfA1B}},
    {"BothDuplicatesAllowed", importing::StockMode::CloseDay, true, true, false,
     {{"A1", "Apel"}, {"B1", "Jeruk"}, {"A1", "Apel Lagi"}, {"C1", "apel"}, {"L1", "Paket"}, {"A1B", "Apel"}},
     {}},
};

class WholeImportTest : public test::TemplateImportTest, public ::testing::WithParamInterface<ImportCase> {
protected:
    void SetUp() override {
        test::TemplateImportTest::SetUp();
        test::writeShopTemplates(templateFolder);
        importing::ImportOptions options = importing::defaultImportOptions();
        options.stockMode = GetParam().mode;
        options.closingDate = kClosingDay;
        options.openDate = kOpenStockDay;
        options.pointsDate = GetParam().withPointsDate ? kPointsDay : Date{};
        options.allowDuplicateCodes = GetParam().allowDuplicateCodes;
        options.allowDuplicateNames = GetParam().allowDuplicateNames;
        dayBefore = xbase::today();
        outcome = runImport(request(options));
        dayAfter = xbase::today();
    }

    uint32_t itemCount() const { return static_cast<uint32_t>(GetParam().items.size()); }
    // The S_STOCK record of the item with this code and name.
    uint32_t itemId(const std::string& code, const std::string& name) const {
        const auto& items = GetParam().items;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].first == code && items[i].second == name) return static_cast<uint32_t>(i + 1);
        return 0;
    }
    // The first payable's record: the "STOCK AWAL" header comes first when the stock stays open.
    uint32_t firstPayable() const { return GetParam().mode == importing::StockMode::Open ? 2 : 1; }

    importing::ImportOutcome outcome;
    Date dayBefore, dayAfter;
};

TEST_P(WholeImportTest, RunsWithoutAMessageAndCountsWhatItWrote) {
    EXPECT_EQ(outcome.status, importing::ImportStatus::Done);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Lanjutkan proses Import Data ?");
    EXPECT_EQ(outcome.written.at("S_STOCK"), itemCount());
    EXPECT_EQ(outcome.skipped.at("ITEM"), 7 - itemCount());  // the deleted row is never read
    EXPECT_EQ(outcome.skipped.at("VENDOR"), 1u);
    EXPECT_EQ(outcome.written.at("S_PEMBEL"), GetParam().mode == importing::StockMode::Open ? 3u : 2u);
    const size_t rejected = GetParam().rejects.size();
    EXPECT_EQ(outcome.codeDuplicates + outcome.nameDuplicates, rejected);
    // The record loop counts the rows it reads against the file's records, deleted ones included.
    EXPECT_NE(std::find(ui.progressTexts.begin(), ui.progressTexts.end(), "Item Proses no. 7 / 8"),
              ui.progressTexts.end());
}

TEST_P(WholeImportTest, MasterDataRecordsReferToEachOther) {
    expectRecord("S_GRPSTK", 1, {{"ID", Value(1)}, {"NAMA", Value("MINUMAN")}});
    EXPECT_EQ(recordCount("S_GRPSTK"), 1u);
    expectRecord("S_GRPST2", 1, {{"ID", Value(1)}, {"NAMA", Value("DINGIN")}});
    EXPECT_EQ(recordCount("S_GRPST3"), 0u);
    expectRecord("S_GRPHJL", 1, {{"ID", Value(1)}, {"NAMA", Value("GROSIR")}});
    expectRecord("S_DAERAH", 1, {{"ID", Value(1)}, {"DAERAH", Value("MEDAN")}});
    expectRecord("S_DAERA2", 1, {{"ID", Value(1)}, {"DAERAH", Value("KOTA")}});
    expectRecord("S_GRPPEL", 1, {{"ID", Value(1)}, {"NAMA", Value("UMUM")}});
    expectRecord("S_GRPPE2", 1, {{"ID", Value(1)}, {"NAMA", Value("VIP")}});
    ASSERT_EQ(recordCount("S_KARYAW"), 1u);
    expectRecord("S_KARYAW", 1,
                 {{"ID", Value(1)}, {"NAMA", Value("Budi")}, {"TELEPON", Value("0812")}, {"SALES", Value(true)},
                  {"COLLECTOR", Value(true)}, {"INPUT_OLEH", Value(-1)}});

    ASSERT_EQ(recordCount("S_VENDOR"), 2u);
    expectRecord("S_VENDOR", 1,
                 {{"ID", Value(1)}, {"NAMA", Value("Pt Satu")}, {"DAERAH", Value(1)}, {"NEGARA", Value(1)},
                  {"MU_CREDIT", Value(1)}, {"PB_CASH", Value(true)}, {"PB_DEPOSIT", Value(true)},
                  {"USER_LVL", Value(std::string(30, '1'))}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_VENDOR", 2, {{"ID", Value(2)}, {"NAMA", Value("Pt Dua")}, {"DAERAH", Value(0)}});

    ASSERT_EQ(recordCount("S_PELANG"), 2u);
    expectRecord("S_PELANG", 1,
                 {{"ID", Value(1)}, {"KODE", Value("C1")}, {"NAMA", Value("Toko Ani")}, {"DAERAH", Value(1)},
                  {"DAERAH2", Value(1)}, {"GROUP_PEL", Value(1)}, {"GROUP_PE2", Value(1)}, {"GRPHJL_ID", Value(1)},
                  {"SALES", Value(1)}, {"ALAMAT", Value("Jl. Mawar")}, {"NPWP_ALAMA", Value("")},
                  {"NPWP_NAMA", Value("")}, {"NEGARA", Value(1)}, {"PJ_INVOICE", Value(true)}});
    expectRecord("S_PELANG", 2,
                 {{"ID", Value(2)}, {"KODE", Value("C3")}, {"NAMA", Value("Toko Budi")}, {"SALES", Value(0)},
                  {"DAERAH", Value(0)}, {"SIMPAN", Value("")}});
    // The opening points are kept only with a point date.
    auto customers = retailTable("S_PELANG");
    customers->goTo(1);
    EXPECT_EQ(customers->fieldGet("SIMPAN").text().find_first_not_of(' ') != std::string::npos,
              GetParam().withPointsDate);
    ASSERT_EQ(recordCount("S_PELEXT"), 1u);
    expectRecord("S_PELEXT", 1, {{"ID", Value(1)}, {"PELANG_ID", Value(1)}, {"INFO_1", Value("info")}});
}

TEST_P(WholeImportTest, OpeningInvoicesFollowTheStockPurchase) {
    const uint32_t first = firstPayable();
    ASSERT_EQ(recordCount("S_PEMBEL"), first + 1);
    expectRecord("S_PEMBEL", first,
                 {{"ID", Value(first)}, {"NO", Value("B-1")}, {"VENDOR", Value(2)}, {"TANGGAL", Value(Date{2024, 11, 2})},
                  {"TANGGAL2", Value(Date{2024, 11, 2})}, {"TOT_HARGA", Value(150000)}, {"TOT_RETUR", Value(0)},
                  {"SALDO_AWAL", Value(true)}, {"NO_MILIK", Value(2)}, {"MAUANG", Value(0)}});
    expectRecord("S_PEMBEL", first + 1,
                 {{"ID", Value(first + 1)}, {"NO", Value("B-2")}, {"VENDOR", Value(1)}, {"TOT_HARGA", Value(0)},
                  {"TOT_RETUR", Value(5000)}});
    ASSERT_EQ(recordCount("S_PENJUA"), 2u);
    expectRecord("S_PENJUA", 1,
                 {{"ID", Value(1)}, {"NO_C", Value("J-1")}, {"NO", Value(0)}, {"PELANG", Value(2)}, {"SALES", Value(1)},
                  {"PUKUL", Value(1439)}, {"TOT_HARGA", Value(2000)}, {"TANGGAL", Value(Date{2024, 12, 1})}});
    expectRecord("S_PENJUA", 2,
                 {{"ID", Value(2)}, {"NO_C", Value("")}, {"NO", Value(1205)}, {"PELANG", Value(1)}, {"SALES", Value(0)}});
}

TEST_P(WholeImportTest, ItemsWithTheirCodesUnitsPricesAndReferences) {
    ASSERT_EQ(recordCount("S_STOCK"), itemCount());
    for (uint32_t id = 1; id <= itemCount(); ++id)
        expectRecord("S_STOCK", id,
                     {{"ID", Value(id)}, {"KODE_C", Value(GetParam().items[id - 1].first)},
                      {"NAMA", Value(GetParam().items[id - 1].second)}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_STOCK", 1,
                 {{"NAMA_2", Value("Apel")}, {"JENIS", Value(0)}, {"HIDE", Value(false)}, {"GROUP_STK", Value(1)},
                  {"GROUP_ST2", Value(1)}, {"GROUP_ST3", Value(0)}, {"VENDOR", Value(1)}, {"KODE_N", Value(0)},
                  {"KODE_C_2", Value("a1b")}, {"KODE_C_5", Value("a1b")}, {"QUAN_PICT", Value("999,999")},
                  {"TIPE_SATU", Value(1)}, {"SAT_K_01", Value(1)}, {"SAT_K_02", Value(12)}, {"SAT_K_03", Value(0)},
                  {"SAT_OUT", Value(2)}, {"HARGA_BELI", Value(1000)}, {"HARGA_J_01", Value(1500)},
                  {"HARGA_J_05", Value(1500)}, {"MU_H_J_01", Value(1)}, {"JML_J_01", Value(1)},
                  {"SAT_J_05", Value(1)}, {"ITM_PENJUA", Value(true)}, {"GUDANG_06", Value(true)}});
    expectRecord("S_STOCK", 2,
                 {{"KODE_C_2", Value("B1")}, {"VENDOR", Value(2)}, {"TIPE_SATU", Value(1)}, {"SAT_K_02", Value(10)}});
    const uint32_t link = itemId("L1", "Paket");
    expectRecord("S_STOCK", link,
                 {{"JENIS", Value(2)}, {"TIPE_SATU", Value(2)}, {"SAT_K_02", Value(0)}, {"SAT_OUT", Value(1)},
                  {"SISA_STK01", Value(0)}});

    ASSERT_EQ(recordCount("S_STKEOU"), 1u);
    expectRecord("S_STKEOU", 1,
                 {{"STOCK_ID", Value(link)}, {"STOCK_ID2", Value(2)}, {"JUMLAH", Value(3)}, {"SATUAN", Value(2)},
                  {"HPP", Value(100)}});
    // Every row's units count, those of the refused rows too: the second set is the plain "PCS".
    ASSERT_EQ(recordCount("S_SATUAN"), 2u);
    expectRecord("S_SATUAN", 1,
                 {{"SATUAN_VAL", Value(1)}, {"SATUAN_TXT", Value("PCS.LUSIN")}, {"SAT_01_VAL", Value(1)},
                  {"SAT_02_VAL", Value(2)}, {"SAT_03_VAL", Value(0)}, {"SAT_01_TXT", Value("PCS")},
                  {"SAT_02_TXT", Value("LUSIN")}, {"SAT_01_SAT", Value(1)}, {"SAT_02_SAT", Value(12)}});
    expectRecord("S_SATUAN", 2,
                 {{"SATUAN_VAL", Value(2)}, {"SATUAN_TXT", Value("PCS")}, {"SAT_02_VAL", Value(0)},
                  {"SAT_02_TXT", Value("")}, {"SAT_02_SAT", Value(0)}});
    ASSERT_EQ(recordCount("S_STKINF"), 1u);
    expectRecord("S_STKINF", 1, {{"STOCK_ID", Value(1)}, {"INFO_1", Value("manis")}});
    ASSERT_EQ(recordCount("S_STKNAM"), 1u);
    expectRecord("S_STKNAM", 1, {{"STOCK_ID", Value(2)}, {"NAMA", Value("Orange")}});
    ASSERT_EQ(recordCount("S_STKHJL"), 1u);
    expectRecord("S_STKHJL", 1,
                 {{"STOCK_ID", Value(1)}, {"GRPHJL_ID", Value(1)}, {"HARGA_J_01", Value(1400)},
                  {"HARGA_J_05", Value(1400)}, {"MU_H_J_01", Value(1)}, {"SAT_J_01", Value(1)}});
}

TEST_P(WholeImportTest, OpeningStockAndControlRecordFollowTheMode) {
    const importing::StockMode mode = GetParam().mode;
    const bool closed = mode == importing::StockMode::CloseDay;
    expectRecord("S_KONTRO", 1,
                 {{"TUTUP_HARI", Value(closed ? kClosingDay : Date{})},
                  {"AKT_MULAI", Value(closed ? Date{2025, 1, 1} : Date{})}, {"KODE_TOKO", Value("TOKO01")}});
    auto control = retailTable("S_KONTRO");
    EXPECT_EQ(control->fieldGet("TUTUP_HIT1").text().find_first_not_of(' ') != std::string::npos,
              GetParam().withPointsDate);

    const double closedQuantity = closed ? 5 : 0;
    expectRecord("S_STOCK", 1,
                 {{"SISA_STK01", Value(closedQuantity)}, {"SISA_ST201", Value(closedQuantity)},
                  {"SISA_ST301", Value(closedQuantity)}, {"SISA_NIL01", Value(closed ? 5000 : 0)},
                  {"SISA_STK03", Value(closed ? 2 : 0)}, {"SISA_NIL03", Value(closed ? 2100 : 0)}});
    expectRecord("S_STOCK", 2, {{"SISA_STK02", Value(closed ? 7 : 0)}, {"SISA_ST302", Value(closed ? 7 : 0)}});

    if (mode != importing::StockMode::Open) {
        EXPECT_EQ(recordCount("S_PEMBED"), 0u);
        return;
    }
    expectRecord("S_PEMBEL", 1,
                 {{"ID", Value(-1)}, {"NO", Value("STOCK AWAL")}, {"VENDOR", Value(-1)},
                  {"TANGGAL", Value(kOpenStockDay)}, {"SALDO_AWAL", Value(false)}, {"NO_MLK_CSH", Value(true)}});
    ASSERT_EQ(recordCount("S_PEMBED"), 3u);
    const struct {
        int item, warehouse;
        double quantity, value;
    } lines[] = {{1, 1, 5, 5000}, {1, 3, 2, 2100}, {2, 2, 7, 0}};
    for (uint32_t n = 1; n <= 3; ++n) {
        const auto& line = lines[n - 1];
        expectRecord("S_PEMBED", n,
                     {{"PEMBEL_ID", Value(-1)}, {"VENDOR", Value(-1)}, {"STOCK_ID", Value(line.item)},
                      {"STOCK_GDG", Value(line.warehouse)}, {"JUMLAH", Value(line.quantity)},
                      {"HARGA", Value(line.value)}, {"TANGGAL", Value(kOpenStockDay)}, {"SATUAN", Value(1)},
                      {"EXPIRED", Value(Date{})}});
    }
}

TEST_P(WholeImportTest, IdentifierRowsHoldTheLastIdentifiers) {
    const std::map<uint32_t, uint32_t> lastIds = {
        {16, 1}, {70, 1}, {2, 1}, {63, 1}, {17, 2}, {13, 1}, {64, 1}, {18, 2},  {19, 1},
        {22, firstPayable() + 1}, {31, 2}, {15, itemCount()}, {9, 1}, {10, 1}, {11, 0}, {39, 0}, {40, 0},
    };
    auto ids = retailTable("S_TABLID");
    ASSERT_EQ(ids->recCount(), 75u);
    for (const auto& [row, lastId] : lastIds) {
        ids->goTo(row);
        EXPECT_EQ(ids->fieldGet("LAST_ID").number(), lastId) << "S_TABLID row " << row;
    }
}

TEST_P(WholeImportTest, RecordsCarryTheOneRunStamp) {
    auto items = retailTable("S_STOCK");
    items->goTo(1);
    const Date date = items->fieldGet("TGL_INPUT").date();
    const std::string time = items->fieldGet("JAM_INPUT").text();
    EXPECT_TRUE(date == dayBefore || date == dayAfter);
    EXPECT_TRUE(std::regex_match(time, std::regex("[0-2][0-9]:[0-5][0-9]:[0-5][0-9]"))) << time;
    for (const char* alias : {"S_VENDOR", "S_PELANG", "S_GRPSTK", "S_PENJUA"})
        expectRecord(alias, 1, {{"TGL_INPUT", Value(date)}, {"JAM_INPUT", Value(time)}});
}

TEST_P(WholeImportTest, RejectListNamesTheRefusedItems) {
    const std::filesystem::path file = rejectFolder / "REJECT.TXT";
    if (GetParam().rejects.empty()) {
        EXPECT_FALSE(std::filesystem::exists(file));
        EXPECT_TRUE(outcome.rejectFile.empty());
        return;
    }
    EXPECT_EQ(outcome.rejectFile, file);
    std::ifstream in(file, std::ios::binary);
    const std::string text(std::istreambuf_iterator<char>(in), {});
    std::string expected = "KETERANGAN\tKODE\tNAMA\tREC\tKODE *2\tNAMA *2\tREC *2\r\n";
    for (const std::string& line : GetParam().rejects) expected += line + "\r\n";
    EXPECT_EQ(text, expected);
}

TEST_P(WholeImportTest, SurvivingIndexFilesAgreeWithTheirTables) {
    std::set<std::string> indexes;
    for (const auto& entry : std::filesystem::directory_iterator(database))
        if (entry.path().extension() == ".CDX") indexes.insert(entry.path().filename().string());
    for (const std::string& deleted : retaildb::indexesDeletedAfterImport()) EXPECT_FALSE(indexes.count(deleted)) << deleted;
    // S_SATUAN keeps its index file while it is emptied and refilled; S_TABLID and S_KONTRO keep
    // theirs while their records are rewritten.
    for (const char* kept : {"S_SATUAN.CDX", "S_TABLID.CDX", "S_KONTRO.CDX"}) EXPECT_TRUE(indexes.count(kept)) << kept;
    expectIndexesAgreeWithTables();
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeImportTest, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo::templates
