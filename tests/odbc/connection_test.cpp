// The ODBC layer end to end: a real Access file through MDB Tools' driver, and SQLite databases
// through SQLite's driver, both registered in the test process's private configuration.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "odbc/connection.h"
#include "odbc/error.h"
#include "tests/support/fixture_files.h"
#include "tests/support/private_odbc.h"
#include "tests/support/test_support.h"

namespace tarvo::odbc {
namespace {

std::string accessConnection(const std::string& file) {
    return std::string("Driver=") + test::kAccessDriverName + ";DBQ=" + file + ";UID=Admin;Pwd=;";
}

// The message of the Error the call throws, or "no error".
template <typename Call>
std::string errorOf(Call call) {
    try {
        call();
    } catch (const Error& error) {
        return error.what();
    }
    return "no error";
}

class AccessFile : public ::testing::Test {
protected:
    void SetUp() override {
        TARVO_SKIP_WITHOUT_FIXTURE(test::nwindMdb());
        test::usePrivateOdbcConfig();
    }
    Connection connect() { return Connection(accessConnection(test::nwindMdb().string())); }
};

TEST_F(AccessFile, ReadsATableRowByRowWithColumnsByNameInAnyCase) {
    Connection connection = connect();
    Result result = connection.query("SELECT * FROM Shippers");
    ASSERT_EQ(result.rowCount(), 3u);
    EXPECT_EQ(result.columnCount(), 3u);
    EXPECT_EQ(result.column("companyname"), result.column("CompanyName"));
    EXPECT_EQ(result.findColumn("NoSuchColumn"), std::nullopt);

    std::vector<std::string> names;
    for (size_t expected = 1; !result.atEnd(); result.next(), ++expected) {
        EXPECT_EQ(result.rowNumber(), expected);
        names.emplace_back(result.current().text("COMPANYNAME"));
        EXPECT_EQ(result.current().number("shipperid"), static_cast<double>(expected));
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Speedy Express", "United Package", "Federal Shipping"}));
    EXPECT_EQ(result.rowNumber(), 4u);
}

TEST_F(AccessFile, SelectsWithAConditionAndListsTheTables) {
    Connection connection = connect();
    Result result = connection.query("SELECT * FROM Shippers WHERE CompanyName='Speedy Express'");
    ASSERT_EQ(result.rowCount(), 1u);
    EXPECT_EQ(result.current().text("Phone"), "(503) 555-9831");

    const std::vector<std::string> tables = connection.tableNames();
    for (const char* table : {"Shippers", "Orders", "Order Details", "Customers"})
        EXPECT_NE(std::find(tables.begin(), tables.end(), table), tables.end()) << table;
}

TEST_F(AccessFile, GivesTimestampsAsTextToTheSecondAndNullsAsEmpty) {
    Connection connection = connect();
    Result result = connection.query("SELECT * FROM Orders WHERE OrderID = 10248");
    ASSERT_EQ(result.rowCount(), 1u);
    const Row row = result.current();
    EXPECT_EQ(row.text("OrderDate"), "1994-08-04 00:00:00");
    EXPECT_EQ(row.text("ShippedDate"), "1994-08-16 00:00:00");
    EXPECT_TRUE(row.isNull("ShipRegion"));
    EXPECT_EQ(row.text("ShipRegion"), "");
    EXPECT_EQ(row.number("ShipRegion"), 0.0);
    EXPECT_FALSE(row.isNull("ShipCity"));
    EXPECT_EQ(row.text("ShipCity"), "Reims");
    EXPECT_DOUBLE_EQ(row.number("Freight"), 32.38);
}

TEST_F(AccessFile, FailuresCarryTheDriversMessage) {
    test::TempDir folder;
    const std::string notAnAccessFile = (folder.path() / "text.mdb").string();
    std::ofstream(notAnAccessFile) << "this is not an Access database\n";

    struct Case {
        const char* what;
        std::string connectionString;
        std::string statement;
        std::string expected;
    };
    const Case cases[] = {
        {"missing file", accessConnection((folder.path() / "missing.mdb").string()), "",
         "[SQLDriverConnect] File not found; Unable to locate database"},
        {"not an Access file", accessConnection(notAnAccessFile), "",
         "[SQLDriverConnect] Unable to locate database"},
        {"unknown driver", "Driver=No Such Driver;DBQ=" + test::nwindMdb().string() + ";", "",
         "[SQLDriverConnect] [unixODBC][Driver Manager]Can't open lib 'No Such Driver'"},
        {"bad statement", accessConnection(test::nwindMdb().string()), "SELECT FROM WHERE",
         "[SQLExecDirect] Couldn't parse SQL"},
        {"missing table", accessConnection(test::nwindMdb().string()), "SELECT * FROM NoSuchTable",
         "[SQLExecDirect] Couldn't parse SQL; NoSuchTable is not a table in this database"},
    };
    for (const Case& c : cases) {
        const std::string message = errorOf([&] {
            Connection connection(c.connectionString);
            if (!c.statement.empty()) connection.query(c.statement);
        });
        EXPECT_EQ(message.substr(0, c.expected.size()), c.expected) << c.what << ": " << message;
    }
}

TEST_F(AccessFile, AColumnTheResultLacksIsNamedInTheError) {
    Connection connection = connect();
    Result result = connection.query("SELECT * FROM Shippers");
    EXPECT_EQ(errorOf([&] { (void)result.current().text("NOITEM"); }), "[Result] The result has no column NOITEM");
}

class SqliteFile : public ::testing::Test {
protected:
    void SetUp() override {
        test::usePrivateOdbcConfig();
        file_ = folder_.path() / "values.db";
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file_.c_str(), &db), SQLITE_OK);
        const std::string longText(10000, 'x');
        const std::string sql =
            "CREATE TABLE T (K TEXT, N NUMERIC, S TEXT, D TIMESTAMP);"
            "INSERT INTO T VALUES ('plain', 12.5, '', '2010-05-24 13:45:10');"
            "INSERT INTO T VALUES ('O''Brien', NULL, NULL, NULL);"
            "INSERT INTO T VALUES ('text number', '12abc', 'abc', '2010-05-24');"
            "INSERT INTO T VALUES ('long', -3, '" + longText + "', '');";
        ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    test::TempDir folder_;
    std::filesystem::path file_;
};

TEST_F(SqliteFile, ReadsQuotesNullsNumbersInTextAndLongValues) {
    Connection connection(test::sqliteConnection(file_));
    Result result = connection.query("SELECT * FROM T");
    ASSERT_EQ(result.rowCount(), 4u);

    struct Expected {
        const char* key;
        bool numberNull;
        double number;
        std::string text;
        std::string timestamp;
    };
    const Expected rows[] = {
        {"plain", false, 12.5, "", "2010-05-24 13:45:10"},
        {"O'Brien", true, 0, "", ""},
        {"text number", false, 12, "abc", "2010-05-24"},
        {"long", false, -3, std::string(10000, 'x'), ""},
    };
    for (const Expected& expected : rows) {
        ASSERT_FALSE(result.atEnd());
        const Row row = result.current();
        EXPECT_EQ(row.text("k"), expected.key);
        EXPECT_EQ(row.isNull("N"), expected.numberNull) << expected.key;
        EXPECT_DOUBLE_EQ(row.number("N"), expected.number) << expected.key;
        EXPECT_EQ(row.text("S"), expected.text) << expected.key;
        EXPECT_EQ(row.number("S"), 0.0) << expected.key;
        EXPECT_EQ(row.text("D"), expected.timestamp) << expected.key;
        result.next();
    }
    EXPECT_TRUE(result.atEnd());
}

TEST_F(SqliteFile, RowsCanBeReadAgainByIndex) {
    Connection connection(test::sqliteConnection(file_));
    const Result result = connection.query("SELECT K FROM T WHERE K='O''Brien'");
    ASSERT_EQ(result.rowCount(), 1u);
    EXPECT_EQ(result.row(0).text(size_t{0}), "O'Brien");
    EXPECT_EQ(connection.query("SELECT * FROM T WHERE 1=0").rowCount(), 0u);
}

}  // namespace
}  // namespace tarvo::odbc
