// Reading a whole iPOS database before the import: what is read, and the messages for a source
// that cannot be read.

#include <gtest/gtest.h>

#include <fstream>

#include "sampledata/ipos_database.h"
#include "importers/ipos/schema.h"
#include "importers/ipos/source_database.h"
#include "tests/support/fixture_files.h"
#include "tests/support/private_odbc.h"
#include "tests/support/test_support.h"

namespace tarvo::importers::ipos {
namespace {

class SourceDatabaseTest : public ::testing::Test {
protected:
    void SetUp() override { test::usePrivateOdbcConfig(); }

    // The message the read refuses with, or "read".
    std::string refusal(const std::string& connectionString) {
        try {
            SourceDatabase::read(connectionString, {});
        } catch (const SourceRefused& refused) {
            return refused.what();
        }
        return "read";
    }

    test::TempDir folder_;
};

TEST_F(SourceDatabaseTest, ReadsEveryTableOnceAndGroupsTheLines) {
    const auto file = folder_.path() / "shop.db";
    sampledata::SampleShop shop;
    shop.items = 30;
    shop.invoices = 7;
    shop.cashSales = 3;
    shop.receipts = 2;
    shop.issues = 1;
    sampledata::writeSampleShop(file, shop);
    int tables = 0;
    const SourceDatabase source = SourceDatabase::read(test::sqliteConnection(file), [&] { ++tables; });
    EXPECT_EQ(tables, 11);
    EXPECT_EQ(source.items.rowCount(), 30u);
    EXPECT_EQ(source.sales.headers.rowCount(), 7u);
    EXPECT_EQ(source.sales.byNumber.of("PJ-00000003").size(), 5u);
    EXPECT_EQ(source.cashSales.byNumber.of("KS-00000003").size(), 3u);
    EXPECT_EQ(source.receipts.lines.rowCount(), 8u);
    EXPECT_EQ(source.issues.byNumber.of("BK-00000001").size(), 4u);
}

TEST_F(SourceDatabaseTest, RefusesWithAMessageNamingWhatIsMissing) {
    struct Case {
        const char* what;
        const char* sql;
        const char* message;
    };
    const Case cases[] = {
        {"missing table", "DROP TABLE TBLKasirDetail", "Tabel TBLKasirDetail tidak ditemukan di database!"},
        {"missing column", "ALTER TABLE TBLItem DROP COLUMN PERDIS2", "Kolom PERDIS2 tidak ditemukan di tabel TBLItem!"},
        {"missing detail number", "ALTER TABLE TBLItemKDetail DROP COLUMN NOTRANSAKSI",
         "Kolom NOTRANSAKSI tidak ditemukan di tabel TBLItemKDetail!"},
    };
    for (const Case& c : cases) {
        const auto file = folder_.path() / "broken.db";
        {
            sampledata::SampleDatabase db(file);
            db.execute(c.sql);
        }
        EXPECT_EQ(refusal(test::sqliteConnection(file)), c.message) << c.what;
    }
    // Column names are matched without regard to case.
    const auto file = folder_.path() / "lower.db";
    {
        sampledata::SampleDatabase db(file);
        db.execute("ALTER TABLE TBLItem RENAME COLUMN PERDIS2 TO perdis2");
    }
    EXPECT_EQ(refusal(test::sqliteConnection(file)), "read");
}

TEST_F(SourceDatabaseTest, AConnectionThatFailsIsReportedWithTheDriversMessage) {
    const std::string message = refusal(accessConnectionString((folder_.path() / "missing.mdb").string(), "secret"));
    EXPECT_EQ(message.rfind("Koneksi ke database gagal:\n[SQLDriverConnect] ", 0), 0u) << message;
    EXPECT_NE(message.find("Unable to locate database"), std::string::npos) << message;
}

TEST_F(SourceDatabaseTest, TellsAccessFilesByTheirSignatureAndExtension) {
    const auto text = folder_.path() / "TEXT.MDB";
    std::ofstream(text) << "Standard Jet DB, but not at the right place";
    const auto empty = folder_.path() / "empty.mdb";
    std::ofstream(empty).flush();
    if (std::filesystem::exists(test::nwindMdb())) {
        EXPECT_TRUE(isAccessFile(test::nwindMdb()));
    }
    EXPECT_FALSE(isAccessFile(text));
    EXPECT_FALSE(isAccessFile(empty));
    EXPECT_FALSE(isAccessFile(folder_.path() / "missing.mdb"));
    for (const char* name : {"a.mdb", "A.MDB", "b.Mdb"}) EXPECT_TRUE(hasMdbExtension(name)) << name;
    for (const char* name : {"a.mdbx", "mdb", "a.accdb", "a.mdb.txt"}) EXPECT_FALSE(hasMdbExtension(name)) << name;
    EXPECT_EQ(accessConnectionString("/data/toko.mdb", ""),
              "Driver=Microsoft Access Driver (*.mdb);DBQ=/data/toko.mdb;UID=Admin;Pwd=;");
}

TEST_F(SourceDatabaseTest, ReadsTheAccessFixtureThroughTheAccessConnectionString) {
    // nwind.mdb is no iPOS database: connected, its first missing table is named.
    TARVO_SKIP_WITHOUT_FIXTURE(test::nwindMdb());
    EXPECT_EQ(refusal(accessConnectionString(test::nwindMdb().string(), "")),
              "Tabel TBLItemJenis tidak ditemukan di database!");
}

}  // namespace
}  // namespace tarvo::importers::ipos
