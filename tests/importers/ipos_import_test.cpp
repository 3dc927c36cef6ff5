// The import from an iPOS database: an iPOS-shaped SQLite database built by the test, reached
// through SQLite's ODBC driver with the injected connection string, imported into a sample shop;
// the Access road through the open-file dialog, the password dialog and MDB Tools' driver.

#include <gtest/gtest.h>

#include <fstream>

#include "importers/ipos/ipos_import.h"
#include "sampledata/ipos_database.h"
#include "importers/ipos/schema.h"
#include "tests/importers/importer_fixture.h"
#include "tests/support/fixture_files.h"
#include "tests/support/private_odbc.h"
#include "xbase/dates.h"

namespace tarvo::importers::ipos {
namespace {

using xbase::Date;
using xbase::Value;
using Cell = sampledata::SampleDatabase::Cell;

IposChoices checkBoxes(bool salesAsCustomers, bool commissionToAdj1, bool salesAsCash) {
    IposChoices choices;
    choices.salesAsCustomers = salesAsCustomers;
    choices.commissionToAdj1 = commissionToAdj1;
    choices.salesAsCash = salesAsCash;
    return choices;
}

IposChoices fileChoice(const std::string& file) {
    IposChoices choices;
    choices.file = file;
    return choices;
}

IposChoices connectionChoice(const std::string& connectionString) {
    IposChoices choices;
    choices.connectionString = connectionString;
    return choices;
}

class IposImportTest : public test::ImporterTest {
protected:
    void SetUp() override {
        test::ImporterTest::SetUp();
        test::usePrivateOdbcConfig();
        file_ = dir.path() / "ipos.db";
    }

    // Runs the import of the test's database with the choices; Yes to the question.
    importing::ImportOutcome importWith(IposChoices choices,
                                        const importing::ImportOptions& options = test::optionsFor(importing::StockMode::None)) {
        if (choices.connectionString.empty() && choices.file.empty()) choices.connectionString = test::sqliteConnection(file_);
        ui.replies.push_back(ui::kReplyYes);
        IposImport source(std::move(choices));
        return importing::runImport(nullptr, request(options), source);
    }

    // The import fails while it writes, with the failure's text in its message, and the shop is
    // put back byte for byte.
    void expectFailureThatPutsTheShopBack(const std::string& failure) {
        const auto before = test::fileContents(database);
        const importing::ImportOutcome outcome = importWith({});
        EXPECT_EQ(outcome.status, importing::ImportStatus::Failed);
        EXPECT_TRUE(test::fileContents(database) == before);
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back().text,
                  "Import gagal: " + failure + "\nData toko sudah dikembalikan seperti sebelum import.");
    }

    std::filesystem::path file_;
};

// A small shop: groups, items with and without discounts, salesmen, one invoice of three lines,
// invoices skipped or with odd numbers, a cash-register sale, goods received and issued.
void writeSmallShop(const std::filesystem::path& file) {
    sampledata::SampleDatabase db(file);
    for (auto [code, name] : std::vector<std::pair<Cell, Cell>>{{"G1", "Makanan"}, {"g1", "again"}, {"", "none"},
                                                                {"G2", "  minuman "}, {"G3", std::nullopt}})
        db.insert(kItemGroupTable, {{"JENIS", code}, {"NAMAJENIS", name}});
    db.insert(kItemTable, {{"NOITEM", " brg1 "}, {"NAMAITEM", " Kopi Bubuk "}, {"SATUAN", "pcs"}, {"JENIS", "g2"},
                           {"HARGAPOKOK", "1000"}, {"HARGAJUAL", "1500"}, {"STOKMIN", "3"}, {"DISKONP", "5"},
                           {"PERDIS1", "2024-01-01 00:00:00"}, {"PERDIS2", "2024-06-30 00:00:00"}});
    db.insert(kItemTable, {{"NOITEM", "BRG2"}, {"NAMAITEM", "Teh"}, {"JENIS", "X"}, {"HARGAPOKOK", "400"},
                           {"HARGAJUAL", "600"}, {"DISKONN", "250"}, {"PERDIS1", "2024-02-01 00:00:00"},
                           {"PERDIS2", "2024-02-29 23:59:59"}});
    db.insert(kItemTable, {{"NOITEM", ""}, {"NAMAITEM", "no code"}, {"SATUAN", "BOX"}});
    db.insert(kItemTable, {{"NOITEM", "BRG4"}, {"NAMAITEM", "Gula"}, {"SATUAN", "kg"}, {"JENIS", "G1"},
                           {"HARGAPOKOK", "abc"}, {"DISKONP", "10"}, {"PERDIS2", "2024-01-01 00:00:00"}});
    db.insert(kSalesmanTable, {{"NOSALES", "S1"}, {"NAMASALES", " Budi "}, {"ALAMAT", " Jl. Mawar 1"},
                               {"KOTA", "Medan"}, {"TELEPHONE", "  0611"}, {"KOMISIJUAL", "2.5"}});
    db.insert(kSalesmanTable, {{"NOSALES", "s1"}, {"NAMASALES", "Budi lagi"}});
    db.insert(kSalesmanTable, {{"NOSALES", "S2"}, {"NAMASALES", "Ani"}, {"KOTA", "Binjai"}, {"KOMISIJUAL", "10"}});

    db.insert(kSalesHeaderTable, {{"NOTRANSAKSI", "PJ-00001234"}, {"TANGGAL", "2010-05-24 13:45:10"},
                                  {"NOSALES", "s2"}, {"TOTALQTY", "4"}, {"TOTALJUAL", "300"}, {"TOTALDISKON", "100"}});
    db.insert(kSalesHeaderTable, {{"NOTRANSAKSI", "PJ'02-00000007"}, {"TANGGAL", "2010-05-25 08:00:00"}});
    db.insert(kSalesHeaderTable, {{"NOTRANSAKSI", "PJ'03-00000008"}, {"TANGGAL", "2010-05-26 09:30:00"},
                                  {"NOSALES", ""}, {"TOTALQTY", "2"}, {"TOTALJUAL", "0"}, {"TOTALDISKON", "10"}});
    const std::vector<std::vector<Cell>> lines = {
        {"PJ-00001234", "BRG1", "1", "100", "100", "60"},   {"PJ'03-00000008", "brg1", "1", "50", "50", "60"},
        {"PJ-00001234", "BRG2", "2", "60", "100", "30"},    {"PJ'03-00000008", "NOPE", "1", "9", "9", "9"},
        {"PJ'02-00000007", "BRG1", "1", "1", "1", "1"},    {"PJ-00001234", "BRG4", "1", "100", "100", "50"},
        {"PJ'03-00000008", "BRG2", std::nullopt, "1", "1", "1"}, {"PJ'03-00000008", "BRG4", "1", "40", "40", "20"},
    };
    for (const auto& line : lines)
        db.insert(kSalesDetailTable, {{"NOTRANSAKSI", line[0]}, {"NOITEM", line[1]}, {"QUANTITY", line[2]},
                                      {"HARGAJUAL", line[3]}, {"TOTAL", line[4]}, {"HARGAPOKOK", line[5]}});
    db.insert(kCashHeaderTable, {{"NOTRANSAKSI", "KS-00001234"}, {"TANGGAL", "2010-05-24 07:05:00"},
                                 {"TOTALQTY", "1"}, {"TOTALJUAL", "1500"}, {"TOTALDISKON", "0"}});
    db.insert(kCashDetailTable, {{"NOTRANSAKSI", "KS-00001234"}, {"NOITEM", "BRG1"}, {"QUANTITY", "1"},
                                 {"HARGAJUAL", "1500"}, {"TOTAL", "1500"}, {"HARGAPOKOK", "1000"}});
    db.insert(kReceiptHeaderTable, {{"NOTRANSAKSI", "BM-00000005"}, {"TANGGAL", "2011-02-03 08:00:00"},
                                    {"TOTALQTY", "2"}});
    db.insert(kReceiptDetailTable, {{"NOTRANSAKSI", "BM-00000005"}, {"NOITEM", "BRG2"}, {"QTY", "2"}, {"HARGA", "900"}});
    db.insert(kReceiptDetailTable, {{"NOTRANSAKSI", "BM-00000005"}, {"NOITEM", "NOPE"}, {"QTY", "2"}, {"HARGA", "9"}});
    db.insert(kIssueHeaderTable, {{"NOTRANSAKSI", "BK-6"}, {"TANGGAL", "2011"}, {"TOTALQTY", "1"}});
    db.insert(kIssueDetailTable, {{"NOTRANSAKSI", "BK-6"}, {"NOITEM", "BRG4"}, {"QTY", "1"}, {"HARGAPOKOK", "700"}});
}

TEST_F(IposImportTest, WritesEveryTableFieldByField) {
    writeSmallShop(file_);
    const importing::ImportOutcome outcome = importWith({});
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(ui.count("error"), 0u);
    const Date stampDate = xbase::today();

    // Item groups: codes once, names trimmed and upper case.
    EXPECT_EQ(recordCount("S_GRPSTK"), 2u);
    expectRecord("S_GRPSTK", 1, {{"ID", Value(1)}, {"NAMA", Value("MAKANAN")}, {"INPUT_OLEH", Value(-1)},
                                 {"TGL_INPUT", Value(stampDate)}});
    expectRecord("S_GRPSTK", 2, {{"ID", Value(2)}, {"NAMA", Value("MINUMAN")}});
    EXPECT_EQ(lastIdentifier(9), 2);

    // Items.
    EXPECT_EQ(recordCount("S_STOCK"), 3u);
    expectRecord("S_STOCK", 1,
                 {{"ID", Value(1)}, {"NAMA", Value("Kopi Bubuk")}, {"NAMA_2", Value("Kopi Bubuk")}, {"NAMAEX1", Value("")},
                  {"JENIS", Value(0)}, {"GROUP_STK", Value(2)}, {"VENDOR", Value(0)}, {"KODE_C", Value("BRG1")},
                  {"KODE_C_3", Value("BRG1")}, {"KODE_C_5", Value("BRG1")}, {"TIPE_SATU", Value(1)},
                  {"HARGA_BELI", Value(1000)}, {"HARGA_J_01", Value(1500)}, {"HARGA_J_05", Value(1500)},
                  {"MIN_STOCK", Value(3)}, {"MU_H_BELI", Value(1)}, {"MU_H_J_03", Value(1)}, {"CATATAN", Value("")},
                  {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_STOCK", 2, {{"ID", Value(2)}, {"KODE_C", Value("BRG2")}, {"GROUP_STK", Value(0)},
                                {"TIPE_SATU", Value(1)}});
    expectRecord("S_STOCK", 3, {{"ID", Value(3)}, {"KODE_C", Value("BRG4")}, {"GROUP_STK", Value(1)},
                                {"TIPE_SATU", Value(3)}, {"HARGA_BELI", Value(0)}, {"HARGA_J_01", Value(0)}});
    EXPECT_EQ(lastIdentifier(15), 3);

    // Discounts: a percentage, an amount; no period, no record.
    EXPECT_EQ(recordCount("S_STKPRO"), 2u);
    expectRecord("S_STKPRO", 1, {{"STOCK_ID", Value(1)}, {"TANGGAL_1", Value(Date{2024, 1, 1})},
                                 {"TANGGAL_2", Value(Date{2024, 6, 30})}, {"DISC_PERS1", Value(5)},
                                 {"DISC_PERS2", Value(0)}, {"MU_DISC_NL", Value(1)}, {"DISC_NILAI", Value(0)},
                                 {"DISC_SAT", Value(0)}, {"CATATAN", Value("From iPOS 3.0")}, {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_STKPRO", 2, {{"STOCK_ID", Value(2)}, {"DISC_PERS1", Value(0)}, {"DISC_NILAI", Value(250)},
                                 {"TANGGAL_2", Value(Date{2024, 2, 29})}});

    // Units: every row's unit, the skipped row's too.
    EXPECT_EQ(recordCount("S_SATUAN"), 3u);
    expectRecord("S_SATUAN", 2, {{"SATUAN_VAL", Value(2)}, {"SATUAN_TXT", Value("BOX")}, {"SAT_01_TXT", Value("BOX")},
                                 {"SAT_01_VAL", Value(1)}, {"SAT_01_SAT", Value(1)}});
    expectRecord("S_SATUAN", 3, {{"SATUAN_TXT", Value("KG")}});

    // Salesmen.
    EXPECT_EQ(recordCount("S_KARYAW"), 2u);
    expectRecord("S_KARYAW", 1, {{"ID", Value(1)}, {"NAMA", Value("Budi")}, {"ALAMAT", Value("Jl. Mawar 1 Medan")},
                                 {"TELEPON", Value("0611")}, {"KOMISI", Value(2.5)}, {"SALES", Value(true)},
                                 {"COLLECTOR", Value(true)}, {"CATATAN", Value("From iPOS 3.0")}});
    expectRecord("S_KARYAW", 2, {{"ID", Value(2)}, {"NAMA", Value("Ani")}, {"ALAMAT", Value("Binjai")},
                                 {"TELEPON", Value("")}, {"KOMISI", Value(10)}});
    EXPECT_EQ(lastIdentifier(16), 2);
    EXPECT_EQ(recordCount("S_PELANG"), 0u);

    // Sales: the invoice, the one with a quote in its number; the one without quantity skipped.
    ASSERT_EQ(recordCount("S_PENJUA"), 3u);
    expectRecord("S_PENJUA", 1,
                 {{"ID", Value(1)}, {"SALORD_ID", Value(0)}, {"BARANG_KLR", Value(false)}, {"NO_MILIK", Value(4)},
                  {"NO_MLK_CSH", Value(true)}, {"NO", Value(1234)}, {"NO_C", Value("")}, {"GUDANG", Value(1)},
                  {"TANGGAL", Value(Date{2010, 5, 24})}, {"PUKUL", Value(825)}, {"MAUANG", Value(1)},
                  {"KURS", Value(1)}, {"KURS_PAJAK", Value(1)}, {"TOT_HARGA", Value(320)}, {"TOT_DISC", Value(120)},
                  {"TOT_PAJAK", Value(0)}, {"DISC_NILAI", Value(100)}, {"DISC_PERST", Value(0)}, {"ADJ_01", Value(0)},
                  {"TGL_LUNAS", Value(Date{2010, 5, 24})}, {"LUNAS", Value(200)}, {"CATATAN", Value("From iPOS 3.0")},
                  {"SALDO_AWAL", Value(false)}, {"PELANG", Value(0)}, {"SALES", Value(2)}, {"SALES_KOM", Value(10)},
                  {"INPUT_OLEH", Value(-1)}});
    expectRecord("S_PENJUA", 2, {{"ID", Value(2)}, {"NO", Value(8)}, {"SALES", Value(0)}, {"SALES_KOM", Value(0)},
                                 {"TOT_HARGA", Value(90)}, {"TOT_DISC", Value(10)}, {"PUKUL", Value(570)}});
    expectRecord("S_PENJUA", 3, {{"ID", Value(3)}, {"NO", Value(80001234)}, {"NO_MILIK", Value(4)},
                                 {"SALES", Value(0)}, {"PUKUL", Value(425)}, {"TOT_HARGA", Value(1500)}});
    EXPECT_EQ(lastIdentifier(31), 3);

    // Lines: the three of the invoice share the discount 100 as 33.33, 33.33, 33.34; the invoice
    // with a zero total gives the whole discount to its last written line.
    ASSERT_EQ(recordCount("S_PENJUD"), 6u);
    expectRecord("S_PENJUD", 1,
                 {{"PENJUA_ID", Value(1)}, {"PEMBEL_ID", Value(0)}, {"STOCK_ID", Value(1)}, {"STOCK_GDG", Value(1)},
                  {"PELANG", Value(0)}, {"SALES", Value(2)}, {"TANGGAL", Value(Date{2010, 5, 24})}, {"SATUAN", Value(1)},
                  {"JUMLAH", Value(1)}, {"OUT_SATUAN", Value(1)}, {"OUT_JUMLAH", Value(1)}, {"BON_SATUAN", Value(1)},
                  {"BON_JUMLAH", Value(0)}, {"HARGA", Value(100)}, {"DISC_NILAI", Value(0)}, {"HPP", Value(60)},
                  {"MAST_DISC", Value(33.33)}, {"MAST_PPN", Value(0)}, {"MAST_ADJ_1", Value(0)}});
    expectRecord("S_PENJUD", 2, {{"STOCK_ID", Value(2)}, {"JUMLAH", Value(2)}, {"HARGA", Value(120)},
                                 {"DISC_NILAI", Value(20)}, {"HPP", Value(60)}, {"MAST_DISC", Value(33.33)}});
    expectRecord("S_PENJUD", 3, {{"STOCK_ID", Value(3)}, {"MAST_DISC", Value(33.34)}});
    expectRecord("S_PENJUD", 4, {{"PENJUA_ID", Value(2)}, {"STOCK_ID", Value(1)}, {"SALES", Value(0)},
                                 {"MAST_DISC", Value(0)}});
    expectRecord("S_PENJUD", 5, {{"PENJUA_ID", Value(2)}, {"STOCK_ID", Value(3)}, {"MAST_DISC", Value(10)}});
    expectRecord("S_PENJUD", 6, {{"PENJUA_ID", Value(3)}, {"STOCK_ID", Value(1)}, {"HPP", Value(1000)}});

    // Goods received and issued.
    ASSERT_EQ(recordCount("S_STKMAS"), 1u);
    expectRecord("S_STKMAS", 1, {{"ID", Value(1)}, {"DIVISI_ID", Value(0)}, {"NO", Value(5)}, {"GUDANG", Value(1)},
                                 {"TANGGAL", Value(Date{2011, 2, 3})}, {"CATATAN", Value("From iPOS 3.0")},
                                 {"INPUT_OLEH", Value(-1)}});
    ASSERT_EQ(recordCount("S_STKMEX"), 1u);
    expectRecord("S_STKMEX", 1, {{"STKMAS_ID", Value(1)}, {"STOCK_ID", Value(2)}, {"STOCK_GDG", Value(1)},
                                 {"TANGGAL", Value(Date{2011, 2, 3})}, {"SATUAN", Value(1)}, {"JUMLAH", Value(2)},
                                 {"HPP", Value(1800)}});
    EXPECT_EQ(lastIdentifier(39), 1);
    expectRecord("S_STKKLR", 1, {{"ID", Value(1)}, {"NO", Value(0)}, {"TANGGAL", Value(Date{})}});
    expectRecord("S_STKKEX", 1, {{"STKKLR_ID", Value(1)}, {"STOCK_ID", Value(3)}, {"JUMLAH", Value(1)},
                                 {"HPP", Value(700)}});
    EXPECT_EQ(lastIdentifier(40), 1);

    EXPECT_EQ(ui.progressTexts.front(), "Import Data MDF File (Aplikasi iPOS 3.0) ...");
    EXPECT_EQ(progressWith("Penjualan Detail Proses no. ").front(), "Penjualan Detail Proses no. 1 / 3");
}

TEST_F(IposImportTest, RowsOfNullsOrEmptyTextsAreSkippedWithoutAMessage) {
    {
        sampledata::SampleDatabase db(file_);
        for (const SourceTable& table : sourceTables()) {
            sampledata::SampleDatabase::Values nulls, empties;
            for (const SourceColumn& column : table.columns) {
                nulls.push_back({column.name, std::nullopt});
                empties.push_back({column.name, ""});
            }
            db.insert(table.name, nulls);
            db.insert(table.name, empties);
        }
    }
    const importing::ImportOutcome outcome = importWith({});
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done);
    EXPECT_EQ(ui.count("error"), 0u);
    for (const char* alias : {"S_GRPSTK", "S_STOCK", "S_STKPRO", "S_KARYAW", "S_PENJUA", "S_PENJUD", "S_STKMAS",
                              "S_STKKLR"})
        EXPECT_EQ(recordCount(alias), 0u) << alias;
    // Both item rows still name their unit: none, so "PCS".
    ASSERT_EQ(recordCount("S_SATUAN"), 1u);
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("PCS")}});
    EXPECT_EQ(outcome.skipped.at(kItemTable), 2u);
    EXPECT_EQ(outcome.skipped.at(kSalesHeaderTable), 2u);
}

TEST_F(IposImportTest, TheThreeCheckBoxesChangeWhereSalesmenAndCommissionsGo) {
    writeSmallShop(file_);
    struct Case {
        IposChoices choices;
        uint32_t salesmen, customers, customerOfInvoice, salesmanOfInvoice;
        double rate, commission, firstShare, noMilik;
    };
    const Case cases[] = {
        {checkBoxes(false, false, false), 2, 0, 0, 2, 10, 0, 0, 4},
        {checkBoxes(true, false, false), 0, 2, 2, 0, 0, 0, 0, 4},
        {checkBoxes(false, true, false), 2, 0, 0, 2, 10, 20, 6.67, 4},
        {checkBoxes(true, true, false), 0, 2, 2, 0, 0, 20, 6.67, 4},
        {checkBoxes(false, false, true), 2, 0, 0, 2, 10, 0, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.choices.salesAsCustomers) + std::to_string(c.choices.commissionToAdj1) +
                     std::to_string(c.choices.salesAsCash));
        ASSERT_EQ(importWith(c.choices).status, importing::ImportStatus::Done);
        EXPECT_EQ(recordCount("S_KARYAW"), c.salesmen);
        EXPECT_EQ(recordCount("S_PELANG"), c.customers);
        expectRecord("S_PENJUA", 1, {{"PELANG", Value(c.customerOfInvoice)}, {"SALES", Value(c.salesmanOfInvoice)},
                                     {"SALES_KOM", Value(c.rate)}, {"ADJ_01", Value(c.commission)},
                                     {"NO_MILIK", Value(c.noMilik)}});
        expectRecord("S_PENJUA", 3, {{"NO_MILIK", Value(4)}, {"ADJ_01", Value(0)}, {"PELANG", Value(0)}});
        expectRecord("S_PENJUD", 1, {{"PELANG", Value(c.customerOfInvoice)}, {"SALES", Value(c.salesmanOfInvoice)},
                                     {"MAST_ADJ_1", Value(c.firstShare)}});
        if (c.commission != 0) expectRecord("S_PENJUD", 3, {{"MAST_ADJ_1", Value(6.66)}});
        if (c.customers) {
            expectRecord("S_PELANG", 1,
                         {{"ID", Value(1)}, {"KODE", Value("S1")}, {"NAMA", Value("Budi")}, {"NPWP_NAMA", Value("Budi")},
                          {"ALAMAT", Value("Jl. Mawar 1 Medan")}, {"NPWP_ALAMA", Value("Jl. Mawar 1 Medan")},
                          {"TELEPON", Value("0611")}, {"NEGARA", Value(1)}, {"DAERAH", Value(0)},
                          {"GROUP_PEL", Value(0)}, {"MU_CREDIT", Value(1)}, {"PJ_CASH", Value(true)},
                          {"USER_LVL", Value(std::string(30, '1'))}, {"CATATAN", Value("From iPOS 3.0")}});
            EXPECT_EQ(lastIdentifier(18), 2);
        }
    }
}

TEST_F(IposImportTest, DuplicatesByCodeAndByTheRenamedName) {
    {
        sampledata::SampleDatabase db(file_);
        const std::pair<const char*, const char*> items[] = {
            {"A", "Kopi"}, {"B", "Kopi"}, {"a", "Teh"}, {"Y", "Kopi Z"}, {"Z", "Kopi"}, {"C", "Kopi"},
        };
        for (const auto& [code, name] : items) db.insert(kItemTable, {{"NOITEM", code}, {"NAMAITEM", name}});
    }
    struct Case {
        bool allowCodes, allowNames;
        std::vector<std::string> names;
        size_t codeDuplicates, nameDuplicates;
    };
    const Case cases[] = {
        {false, false, {"Kopi", "Kopi B", "Kopi Z", "Kopi C"}, 1, 1},
        {true, false, {"Kopi", "Kopi B", "Teh", "Kopi Z", "Kopi C"}, 0, 1},
        {false, true, {"Kopi", "Kopi", "Kopi Z", "Kopi", "Kopi"}, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.allowCodes) + std::to_string(c.allowNames));
        const importing::ImportOutcome outcome =
            importWith({}, test::optionsFor(importing::StockMode::None, c.allowCodes, c.allowNames));
        ASSERT_EQ(outcome.status, importing::ImportStatus::Done);
        EXPECT_EQ(outcome.codeDuplicates, c.codeDuplicates);
        EXPECT_EQ(outcome.nameDuplicates, c.nameDuplicates);
        ASSERT_EQ(recordCount("S_STOCK"), c.names.size());
        for (uint32_t i = 0; i < c.names.size(); ++i) expectRecord("S_STOCK", i + 1, {{"NAMA", Value(c.names[i])}});
    }
}

// Group, unit, item and salesman codes and group names in accented letters meet their case twins,
// as the tags' Upper() makes them for code page 437: one group, one unit, the item of every line,
// the salesman of the invoice.
TEST_F(IposImportTest, AccentedTextMeetsItsCaseTwin) {
    {
        sampledata::SampleDatabase db(file_);
        db.insert(kItemGroupTable, {{"JENIS", "é1"}, {"NAMAJENIS", "crème"}});
        db.insert(kItemGroupTable, {{"JENIS", "É1"}, {"NAMAJENIS", "otra"}});
        db.insert(kItemTable, {{"NOITEM", "café"}, {"NAMAITEM", "Café"}, {"SATUAN", "ñU"}, {"JENIS", "É1"}});
        db.insert(kItemTable, {{"NOITEM", "CAFÉ"}, {"NAMAITEM", "Otro"}, {"SATUAN", "ÑU"}});
        db.insert(kSalesmanTable, {{"NOSALES", "SÉ"}, {"NAMASALES", "Señor"}});
        db.insert(kSalesHeaderTable, {{"NOTRANSAKSI", "PJ-00000001"}, {"TANGGAL", "2010-05-24 13:45:10"},
                                      {"NOSALES", "sé"}, {"TOTALQTY", "1"}, {"TOTALJUAL", "10"}, {"TOTALDISKON", "0"}});
        db.insert(kSalesDetailTable, {{"NOTRANSAKSI", "PJ-00000001"}, {"NOITEM", "Café"}, {"QUANTITY", "1"},
                                      {"HARGAJUAL", "10"}, {"TOTAL", "10"}, {"HARGAPOKOK", "5"}});
    }
    const importing::ImportOutcome outcome = importWith({});
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(outcome.codeDuplicates, 1u);
    ASSERT_EQ(recordCount("S_GRPSTK"), 1u);
    expectRecord("S_GRPSTK", 1, {{"NAMA", Value("CRèME")}});
    ASSERT_EQ(recordCount("S_SATUAN"), 1u);
    expectRecord("S_SATUAN", 1, {{"SATUAN_TXT", Value("ÑU")}});
    ASSERT_EQ(recordCount("S_STOCK"), 1u);
    expectRecord("S_STOCK", 1, {{"KODE_C", Value("CAFÉ")}, {"GROUP_STK", Value(1)}, {"TIPE_SATU", Value(1)}});
    expectRecord("S_PENJUA", 1, {{"SALES", Value(1)}});
    ASSERT_EQ(recordCount("S_PENJUD"), 1u);
    expectRecord("S_PENJUD", 1, {{"STOCK_ID", Value(1)}, {"SALES", Value(1)}});
    expectIndexesAgreeWithTables();
}

// A quantity of 0 counts as empty: the header, line or goods row is skipped as for an empty value,
// and a skipped line takes no share of the discount or the commission. When the last detail row is
// skipped, the last line written takes what the shares of the others left, so that the lines add
// up to the header's discount and commission.
TEST_F(IposImportTest, ZeroQuantitiesAreSkippedLikeEmptyOnes) {
    {
        sampledata::SampleDatabase db(file_);
        db.insert(kItemTable, {{"NOITEM", "BRG1"}, {"NAMAITEM", "Kopi"}});
        db.insert(kSalesmanTable, {{"NOSALES", "S1"}, {"NAMASALES", "Budi"}, {"KOMISIJUAL", "10"}});
        db.insert(kSalesHeaderTable, {{"NOTRANSAKSI", "PJ-00000001"}, {"TANGGAL", "2010-05-24 13:45:10"},
                                      {"NOSALES", "S1"}, {"TOTALQTY", "3"}, {"TOTALJUAL", "400"}, {"TOTALDISKON", "100"}});
        db.insert(kSalesHeaderTable, {{"NOTRANSAKSI", "PJ-00000002"}, {"TANGGAL", "2010-05-24 13:45:10"},
                                      {"TOTALQTY", "0"}, {"TOTALJUAL", "9"}});
        for (const char* quantity : {"1", "0", "1", "0.00"})
            db.insert(kSalesDetailTable, {{"NOTRANSAKSI", "PJ-00000001"}, {"NOITEM", "BRG1"}, {"QUANTITY", quantity},
                                          {"HARGAJUAL", "100"}, {"TOTAL", "100"}, {"HARGAPOKOK", "50"}});
        db.insert(kSalesDetailTable, {{"NOTRANSAKSI", "PJ-00000002"}, {"NOITEM", "BRG1"}, {"QUANTITY", "1"},
                                      {"HARGAJUAL", "9"}, {"TOTAL", "9"}});
        db.insert(kCashHeaderTable, {{"NOTRANSAKSI", "KS-00000001"}, {"TOTALQTY", "1"}, {"TOTALJUAL", "100"}});
        db.insert(kCashDetailTable, {{"NOTRANSAKSI", "KS-00000001"}, {"NOITEM", "BRG1"}, {"QUANTITY", "0"},
                                     {"HARGAJUAL", "100"}, {"TOTAL", "100"}});
        db.insert(kReceiptHeaderTable, {{"NOTRANSAKSI", "BM-00000001"}, {"TOTALQTY", "0"}});
        db.insert(kReceiptHeaderTable, {{"NOTRANSAKSI", "BM-00000002"}, {"TOTALQTY", "2"}});
        for (const char* quantity : {"0", "2"})
            db.insert(kReceiptDetailTable, {{"NOTRANSAKSI", "BM-00000002"}, {"NOITEM", "BRG1"}, {"QTY", quantity}});
        db.insert(kIssueHeaderTable, {{"NOTRANSAKSI", "BK-00000001"}, {"TOTALQTY", "0"}});
        db.insert(kIssueDetailTable, {{"NOTRANSAKSI", "BK-00000001"}, {"NOITEM", "BRG1"}, {"QTY", "1"}});
    }
    ASSERT_EQ(importWith(checkBoxes(false, true, false)).status, importing::ImportStatus::Done);
    // The invoice of TOTALQTY 0 is not written; the cash sale keeps its header without lines.
    ASSERT_EQ(recordCount("S_PENJUA"), 2u);
    expectRecord("S_PENJUA", 1, {{"NO", Value(1)}, {"TOT_HARGA", Value(200)}, {"ADJ_01", Value(30)}});
    expectRecord("S_PENJUA", 2, {{"NO", Value(80000001)}, {"TOT_HARGA", Value(0)}});
    // Lines 2 and 4 are skipped: line 1 takes a quarter, line 3 the rest of discount and commission.
    ASSERT_EQ(recordCount("S_PENJUD"), 2u);
    expectRecord("S_PENJUD", 1, {{"PENJUA_ID", Value(1)}, {"MAST_DISC", Value(25)}, {"MAST_ADJ_1", Value(7.5)}});
    expectRecord("S_PENJUD", 2, {{"PENJUA_ID", Value(1)}, {"MAST_DISC", Value(75)}, {"MAST_ADJ_1", Value(22.5)}});
    ASSERT_EQ(recordCount("S_STKMAS"), 1u);
    expectRecord("S_STKMAS", 1, {{"NO", Value(2)}});
    ASSERT_EQ(recordCount("S_STKMEX"), 1u);
    expectRecord("S_STKMEX", 1, {{"JUMLAH", Value(2)}});
    EXPECT_EQ(recordCount("S_STKKLR"), 0u);
    EXPECT_EQ(recordCount("S_STKKEX"), 0u);
}

// Item names are compared as NAMA holds them, over the whole name: two items of the same name of
// more than 100 characters meet, where a key of the name padded to NAMA and NAMAEX1 would miss them.
TEST_F(IposImportTest, LongNamesAreComparedOverTheWholeName) {
    const std::string longName(120, 'K');
    {
        sampledata::SampleDatabase db(file_);
        db.insert(kItemTable, {{"NOITEM", "A"}, {"NAMAITEM", longName}});
        db.insert(kItemTable, {{"NOITEM", "B"}, {"NAMAITEM", longName}});
    }
    const importing::ImportOutcome outcome = importWith({});
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done);
    EXPECT_EQ(outcome.nameDuplicates, 1u);
    ASSERT_EQ(recordCount("S_STOCK"), 1u);
    expectRecord("S_STOCK", 1, {{"KODE_C", Value("A")}, {"NAMA", Value(longName.substr(0, 100))}});
}

// An item's, salesman's or sales line's number too wide for its field is named with the table, its
// row and column before the shop is touched; a row the import passes over is not tried.
TEST_F(IposImportTest, NumbersThatDoNotFitAreRefusedBeforeTheShopIsTouched) {
    {
        sampledata::SampleDatabase db(file_);
        db.insert(kItemTable, {{"NOITEM", "A"}, {"NAMAITEM", "Kopi"}, {"HARGAPOKOK", "100"}});
        db.insert(kItemTable, {{"NOITEM", "B"}, {"NAMAITEM", "Teh"}, {"HARGAJUAL", "123456789012345"}});
        db.insert(kItemTable, {{"NOITEM", ""}, {"NAMAITEM", "no code"}, {"HARGAJUAL", "123456789012345"}});
        db.insert(kSalesmanTable, {{"NOSALES", "S1"}, {"NAMASALES", "Budi"}, {"KOMISIJUAL", "12345"}});
        db.insert(kSalesHeaderTable, {{"NOTRANSAKSI", "PJ-1"}, {"TANGGAL", "2024-01-02 10:00:00"},
                                      {"TOTALQTY", "1000000"}, {"TOTALJUAL", "10"}, {"TOTALDISKON", "0"}});
        db.insert(kSalesDetailTable, {{"NOTRANSAKSI", "PJ-1"}, {"NOITEM", "A"}, {"QUANTITY", "1000000"},
                                      {"HARGAJUAL", "100000000"}, {"TOTAL", "10"}, {"HARGAPOKOK", "1"}});
        db.insert(kSalesDetailTable, {{"NOTRANSAKSI", "PJ-1"}, {"NOITEM", "A"}, {"QUANTITY", "0"},
                                      {"HARGAJUAL", "1e20"}, {"TOTAL", "0"}, {"HARGAPOKOK", "1"}});
    }
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = importWith({});
    EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
    EXPECT_TRUE(test::fileContents(database) == before);
    ASSERT_EQ(ui.count("error"), 1u);
    const std::string item = std::string("table ") + kItemTable +
                             " row 2, column HARGAJUAL: value 123456789012345.0000 does not fit field HARGA_J_0";
    std::string expected = "Import dibatalkan: 7 nilai tidak muat di field tujuannya. Data toko tidak diubah.";
    for (const char* level : {"1", "2", "3", "4", "5"}) expected += "\n" + item + level + " (N 18,4) of S_STOCK";
    expected += std::string("\ntable ") + kSalesmanTable +
                " row 1, column KOMISIJUAL: value 12345.0000 does not fit field KOMISI (N 8,4) of S_KARYAW";
    expected += std::string("\ntable ") + kSalesDetailTable +
                " row 1, column HARGAJUAL × QUANTITY: value 100000000000000.0000 does not fit field HARGA (N 18,4) of "
                "S_PENJUD";
    EXPECT_EQ(ui.messages.back().text, expected);
}

// A value the checks do not try (a discount is written only with its period) and that does not fit
// is named while the import writes; the shop is put back.
TEST_F(IposImportTest, AValueThatFailsWhileWritingNamesItsTableRowAndColumn) {
    {
        sampledata::SampleDatabase db(file_);
        db.insert(kItemTable, {{"NOITEM", "A"}, {"NAMAITEM", "Kopi"}, {"HARGAPOKOK", "100"}});
        db.insert(kItemTable, {{"NOITEM", "B"}, {"NAMAITEM", "Teh"}, {"DISKONN", "123456789012345"},
                               {"PERDIS1", "2024-01-01 00:00:00"}, {"PERDIS2", "2024-06-30 00:00:00"}});
    }
    expectFailureThatPutsTheShopBack(std::string("table ") + kItemTable +
                                     " row 2, column DISKONN: value 123456789012345.0000 does not fit field "
                                     "DISC_NILAI (N 18,4) of S_STKPRO");
}

// A line of a transaction is named by its own table and row: here the line's share of the
// invoice discount, which grows beyond its field when the lines add up to far more than the
// invoice's total.
TEST_F(IposImportTest, ALineValueThatFailsWhileWritingNamesItsDetailRow) {
    {
        sampledata::SampleDatabase db(file_);
        db.insert(kItemTable, {{"NOITEM", "A"}, {"NAMAITEM", "Kopi"}});
        db.insert(kSalesHeaderTable, {{"NOTRANSAKSI", "PJ-1"}, {"TANGGAL", "2024-01-02 10:00:00"},
                                      {"TOTALQTY", "2"}, {"TOTALJUAL", "1"}, {"TOTALDISKON", "1000000000000"}});
        for (int line = 0; line < 2; ++line)
            db.insert(kSalesDetailTable, {{"NOTRANSAKSI", "PJ-1"}, {"NOITEM", "A"}, {"QUANTITY", "1"},
                                          {"HARGAJUAL", "1000000"}, {"TOTAL", "1000000"}, {"HARGAPOKOK", "1"}});
    }
    expectFailureThatPutsTheShopBack(std::string("table ") + kSalesDetailTable +
                                     " row 1: value 1000000000000000000.0000 does not fit field MAST_DISC (N 18,4) of "
                                     "S_PENJUD");
}

TEST_F(IposImportTest, ARefusedOrCancelledRunLeavesEveryRetailFileAsItWas) {
    writeSmallShop(file_);
    const auto notAccess = dir.path() / "TOKO.MDB";
    std::ofstream(notAccess) << "not an Access database";
    const std::string nwind = test::nwindMdb().string();
    const auto broken = dir.path() / "broken.db";
    {
        sampledata::SampleDatabase db(broken);
        db.execute("ALTER TABLE TBLPenjualanHeader DROP COLUMN TOTALDISKON");
    }
    struct Case {
        const char* what;
        IposChoices choices;
        std::vector<std::string> files;
        std::vector<std::optional<std::string>> passwords;
        const char* message;  // nullptr: silent
    };
    const Case cases[] = {
        {"file dialog cancelled", {}, {""}, {}, nullptr},
        {"password dialog closed", {}, {nwind}, {std::nullopt}, nullptr},
        {"missing file", fileChoice((dir.path() / "none.mdb").string()), {}, {}, "tidak ditemukan!"},
        {"not an Access file", {}, {notAccess.string()}, {}, "bukan database Microsoft Access (.MDB)!"},
        {"Access file without iPOS tables", {}, {nwind}, {"rahasia"}, "Tabel TBLItemJenis tidak ditemukan di database!"},
        {"missing column", connectionChoice(test::sqliteConnection(broken)), {}, {},
         "Kolom TOTALDISKON tidak ditemukan di tabel TBLPenjualanHeader!"},
        {"failed connection", connectionChoice("Driver=No Such Driver;"), {}, {}, "Koneksi ke database gagal:\n"},
    };
    const auto before = test::fileContents(database);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.files == std::vector<std::string>{nwind} && !std::filesystem::exists(nwind)) continue;
        ui.messages.clear();
        ui.fileChoices.assign(c.files.begin(), c.files.end());
        ui.passwords.assign(c.passwords.begin(), c.passwords.end());
        ui.replies.push_back(ui::kReplyYes);
        IposImport source(c.choices);
        const importing::ImportOutcome outcome =
            importing::runImport(nullptr, request(test::optionsFor(importing::StockMode::None)), source);
        EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
        EXPECT_EQ(test::fileContents(database), before);
        if (c.message) {
            ASSERT_EQ(ui.count("error"), 1u);
            EXPECT_NE(ui.messages.back().text.find(c.message), std::string::npos) << ui.messages.back().text;
        } else {
            EXPECT_EQ(ui.count("error"), 0u);
        }
    }
}

}  // namespace
}  // namespace tarvo::importers::ipos
