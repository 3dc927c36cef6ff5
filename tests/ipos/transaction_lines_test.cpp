// Detail rows grouped by transaction number against the statement per header they replace, on an
// iPOS-shaped SQLite database read through SQLite's ODBC driver.

#include <gtest/gtest.h>

#include "sampledata/ipos_database.h"
#include "importers/ipos/schema.h"
#include "importers/ipos/transaction_lines.h"
#include "odbc/connection.h"
#include "tests/support/private_odbc.h"
#include "tests/support/test_support.h"

namespace tarvo::importers::ipos {
namespace {

// The NOITEM of each row, in order.
std::vector<std::string> itemsOf(const odbc::Result& result, const std::vector<uint32_t>& rows) {
    std::vector<std::string> items;
    for (uint32_t row : rows) items.emplace_back(result.row(row).text("NOITEM"));
    return items;
}

class TransactionLinesTest : public ::testing::Test {
protected:
    void SetUp() override { test::usePrivateOdbcConfig(); }
    test::TempDir folder_;
};

TEST_F(TransactionLinesTest, EqualThePerHeaderStatementsForOrdinaryNumbers) {
    const auto file = folder_.path() / "shop.db";
    sampledata::SampleShop shop;
    shop.items = 40;
    shop.invoices = 30;
    shop.invoiceLines = 4;
    sampledata::writeSampleShop(file, shop);

    odbc::Connection connection(test::sqliteConnection(file));
    const odbc::Result details = connection.query(selectAll(kSalesDetailTable));
    const TransactionLines lines(details);
    odbc::Result headers = connection.query(selectAll(kSalesHeaderTable));
    ASSERT_EQ(headers.rowCount(), 30u);
    for (; !headers.atEnd(); headers.next()) {
        const std::string number(headers.current().text("NOTRANSAKSI"));
        odbc::Result perHeader =
            connection.query("SELECT * FROM TBLPenjualanDetail WHERE NoTransaksi='" + number + "'");
        std::vector<uint32_t> all(perHeader.rowCount());
        for (uint32_t i = 0; i < all.size(); ++i) all[i] = i;
        EXPECT_EQ(itemsOf(details, lines.of(number)), itemsOf(perHeader, all)) << number;
        EXPECT_EQ(lines.of(number).size(), 4u) << number;
    }
}

TEST_F(TransactionLinesTest, KeepDatabaseOrderAndTakeQuotesBlanksAndNullsAsTheyAre) {
    const auto file = folder_.path() / "odd.db";
    {
        sampledata::SampleDatabase db(file);
        const std::pair<sampledata::SampleDatabase::Cell, const char*> rows[] = {
            {"PJ-'1'", "A"}, {"PJ-2", "B"}, {"PJ-'1'", "C"}, {"PJ-2 ", "D"}, {std::nullopt, "E"}, {"", "F"},
            {"PJ-'1'", "G"},
        };
        for (const auto& [number, item] : rows)
            db.insert(kSalesDetailTable, {{"NOTRANSAKSI", number}, {"NOITEM", item}, {"QUANTITY", "1"}});
    }
    odbc::Connection connection(test::sqliteConnection(file));
    const odbc::Result details = connection.query(selectAll(kSalesDetailTable));
    const TransactionLines lines(details);
    EXPECT_EQ(itemsOf(details, lines.of("PJ-'1'")), (std::vector<std::string>{"A", "C", "G"}));
    EXPECT_EQ(itemsOf(details, lines.of("PJ-2")), (std::vector<std::string>{"B"}));
    EXPECT_EQ(itemsOf(details, lines.of("PJ-2 ")), (std::vector<std::string>{"D"}));
    EXPECT_EQ(itemsOf(details, lines.of("")), (std::vector<std::string>{"F"}));
    EXPECT_TRUE(lines.of("PJ-3").empty());
}

TEST_F(TransactionLinesTest, AGeneratedShopAddsUp) {
    const auto file = folder_.path() / "shop.db";
    sampledata::SampleShop shop;
    shop.items = 100;
    shop.invoices = 20;
    shop.cashSales = 10;
    shop.receipts = 5;
    shop.issues = 6;
    sampledata::writeSampleShop(file, shop);
    odbc::Connection connection(test::sqliteConnection(file));
    const struct {
        const char* table;
        size_t rows;
    } counts[] = {
        {kItemGroupTable, 8},   {kItemTable, 100},      {kSalesmanTable, 10},     {kSalesHeaderTable, 20},
        {kSalesDetailTable, 100}, {kCashHeaderTable, 10}, {kCashDetailTable, 30},   {kReceiptHeaderTable, 5},
        {kReceiptDetailTable, 20}, {kIssueHeaderTable, 6}, {kIssueDetailTable, 24},
    };
    for (const auto& count : counts) EXPECT_EQ(connection.query(selectAll(count.table)).rowCount(), count.rows) << count.table;

    const odbc::Result details = connection.query(selectAll(kSalesDetailTable));
    const TransactionLines lines(details);
    for (odbc::Result headers = connection.query(selectAll(kSalesHeaderTable)); !headers.atEnd(); headers.next()) {
        double total = 0, quantity = 0;
        for (uint32_t row : lines.of(headers.current().text("NOTRANSAKSI"))) {
            total += details.row(row).number("TOTAL");
            quantity += details.row(row).number("QUANTITY");
        }
        EXPECT_NEAR(total, headers.current().number("TOTALJUAL"), 0.05);
        EXPECT_EQ(quantity, headers.current().number("TOTALQTY"));
    }
}

}  // namespace
}  // namespace tarvo::importers::ipos
