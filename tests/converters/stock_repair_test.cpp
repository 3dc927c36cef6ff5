// The stock repair on small stock tables written here: kinds 0 become 1, the progress texts and
// bar, the box at the end, and the refusals that change nothing.

#include <gtest/gtest.h>

#include "converters/stock_repair.h"
#include "retaildb/retail_database.h"
#include "safety/backups.h"
#include "safety/database_lock.h"
#include "safety/restore.h"
#include "tests/support/test_support.h"
#include "xbase/table.h"
#include "xbase/work_areas.h"

namespace tarvo::converters {
namespace {

// Records the bar positions too; the repair's question is answered Yes unless a reply is queued.
class BarRecordingInteraction : public tarvo::test::RecordingInteraction {
public:
    std::vector<long> bar;
    int askEx(ui::Owner owner, const std::string& title, const std::string& text, int boxType,
              int defaultButton) override {
        const bool queued = !replies.empty();
        const int reply = RecordingInteraction::askEx(owner, title, text, boxType, defaultButton);
        return queued ? reply : ui::kReplyYes;
    }
    void progressBar(long position, long total) override {
        EXPECT_EQ(total, 100);
        bar.push_back(position);
    }
};

enum class IdTag { Keys, NoKeys, NoIndexFile };

class StockRepairTest : public ::testing::Test {
protected:
    BarRecordingInteraction ui;
    tarvo::test::ScopedInteraction scoped{ui};
    tarvo::test::TempDir dir;
    std::filesystem::path database = dir.path() / "ST_DB";

    void SetUp() override {
        std::filesystem::create_directory(database);
        retaildb::setOpenRetryLimit(std::chrono::milliseconds(200));
    }
    void TearDown() override {
        xbase::workAreas().closeAll();
        retaildb::setOpenRetryLimit(std::chrono::milliseconds(3000));
    }

    // S_STOCK with one record per kind (ID counting from 1); the records numbered in `deleted`
    // are marked as deleted.
    void writeStock(const std::vector<int>& kinds, IdTag idTag = IdTag::Keys, const std::vector<uint32_t>& deleted = {}) {
        const auto path = database / "S_STOCK.Q7T";
        xbase::Table::create(path, {{"ID", 'N', 10, 0}, {"NAMA", 'C', 20, 0}, {"JENIS", 'N', 1, 0}},
                             xbase::Driver::DBFCDX);
        auto table = xbase::Table::open(path, {true, false, xbase::Driver::DBFCDX});
        for (size_t i = 0; i < kinds.size(); ++i) {
            table->append();
            table->fieldPut("ID", static_cast<double>(i + 1));
            table->fieldPut("NAMA", "BARANG " + std::to_string(i + 1));
            table->fieldPut("JENIS", kinds[i]);
        }
        for (uint32_t recno : deleted) {
            table->goTo(recno);
            table->deleteRecord();
        }
        if (idTag != IdTag::NoIndexFile) {
            table->createOrder(database / "S_STOCK.CDX", "KODE", "Upper(NAMA)");
            table->createOrder(database / "S_STOCK.CDX", "ID", "ID", idTag == IdTag::NoKeys ? ".F." : "");
        }
        table->commit();
    }

    // JENIS of every record in physical order, deleted ones included.
    std::vector<int> kinds() {
        auto table = xbase::Table::open(database / "S_STOCK.Q7T", {});
        std::vector<int> result;
        table->scanRecords([&](uint32_t, std::string_view image) {
            result.push_back(static_cast<int>(table->decodeField(image, table->fieldPos("JENIS")).number()));
        });
        return result;
    }

    // The question first, the box with the number of items changed at the end.
    void expectSuccessBox(uint64_t changed) {
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[0].kind, "ask");
        EXPECT_EQ(ui.messages[0].text.rfind("Perbaiki Data: semua item berjenis 0 di S_STOCK dijadikan jenis 1.", 0), 0u);
        EXPECT_EQ(ui.messages[1].kind, "info");
        EXPECT_EQ(ui.messages[1].title, "Berhasil");
        EXPECT_EQ(ui.messages[1].text,
                  "Data berhasil diperbaiki.\n" + std::to_string(changed) + " item diubah dari jenis 0 ke jenis 1.");
    }
};

TEST_F(StockRepairTest, KindZeroBecomesOneAndOtherKindsStay) {
    writeStock({0, 1, 2, 0, 0}, IdTag::Keys, {5});
    const StockRepair repair = BUTTONPERBAIKIDATA(nullptr, dir.path().string());
    EXPECT_TRUE(repair.done);
    EXPECT_EQ(repair.records, 4u);
    EXPECT_EQ(repair.changed, 2u);
    expectSuccessBox(2);
    // The deleted record is passed over; the tag ID holds its key all the same.
    EXPECT_EQ(kinds(), (std::vector<int>{1, 1, 2, 1, 0}));
    EXPECT_EQ(ui.progressTexts, (std::vector<std::string>{"S_STOCK.DBF 1/5", "S_STOCK.DBF 2/5", "S_STOCK.DBF 3/5",
                                                          "S_STOCK.DBF 4/5"}));
    EXPECT_EQ(ui.bar, (std::vector<long>{20, 40, 60, 80}));
    EXPECT_TRUE(xbase::workAreas().aliases().empty());

    // The index still agrees with the records.
    auto table = xbase::Table::open(database / "S_STOCK.Q7T", {});
    ASSERT_TRUE(table->setOrder("ID"));
    EXPECT_EQ(table->keyCount(), 5u);
}

TEST_F(StockRepairTest, ASecondRunChangesNothingAndEndsWithTheSameBox) {
    writeStock({0, 2, 0});
    ASSERT_TRUE(BUTTONPERBAIKIDATA(nullptr, database.string()).done);
    const auto afterFirst = tarvo::test::fileContents(database);
    ui.messages.clear();
    const StockRepair second = BUTTONPERBAIKIDATA(nullptr, database.string());
    EXPECT_TRUE(second.done);
    EXPECT_EQ(second.changed, 0u);
    expectSuccessBox(0);
    EXPECT_EQ(tarvo::test::fileContents(database), afterFirst);
}

TEST_F(StockRepairTest, TheBarCountsRecordsWhenTheTagIdHoldsNoKeys) {
    const struct {
        IdTag idTag;
        std::vector<int> kinds;
        std::vector<std::string> texts;
        std::vector<long> bar;
    } cases[] = {
        // An empty table: no progress step, the box all the same.
        {IdTag::Keys, {}, {}, {}},
        {IdTag::NoKeys, {0, 0, 0, 0}, {"S_STOCK.DBF 1/4", "S_STOCK.DBF 2/4", "S_STOCK.DBF 3/4", "S_STOCK.DBF 4/4"},
         {25, 50, 75, 100}},
        // Right after an import the index files of S_STOCK are gone.
        {IdTag::NoIndexFile, {0, 1}, {"S_STOCK.DBF 1/2", "S_STOCK.DBF 2/2"}, {50, 100}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.idTag));
        std::filesystem::remove(database / "S_STOCK.CDX");
        writeStock(c.kinds, c.idTag);
        ui.messages.clear();
        ui.progressTexts.clear();
        ui.bar.clear();
        const StockRepair repair = BUTTONPERBAIKIDATA(nullptr, dir.path().string());
        EXPECT_TRUE(repair.done);
        expectSuccessBox(repair.changed);
        EXPECT_EQ(ui.progressTexts, c.texts);
        EXPECT_EQ(ui.bar, c.bar);
        EXPECT_EQ(kinds(), std::vector<int>(c.kinds.size(), 1));
    }
}

TEST_F(StockRepairTest, RefusalsChangeNothing) {
    writeStock({0, 0});
    const auto before = tarvo::test::fileContents(database);

    // A table the retail application holds.
    {
        auto held = xbase::Table::open(database / "S_STOCK.Q7T", {true, false, xbase::Driver::DBFCDX});
        EXPECT_FALSE(BUTTONPERBAIKIDATA(nullptr, dir.path().string()).done);
    }
    // A folder without ST_DB, and an ST_DB without S_STOCK.
    tarvo::test::TempDir empty;
    std::filesystem::create_directory(empty.path() / "ST_DB");
    EXPECT_FALSE(BUTTONPERBAIKIDATA(nullptr, (dir.path() / "nowhere").string()).done);
    EXPECT_FALSE(BUTTONPERBAIKIDATA(nullptr, empty.path().string()).done);

    std::vector<std::string> errors;
    for (const auto& message : ui.messages)
        if (message.kind != "ask") errors.push_back(message.kind + ": " + message.text);
    EXPECT_EQ(errors, (std::vector<std::string>{
                          "error: [VOOpen] File is in use by another program : " + database.string() +
                              "/S_STOCK.Q7T ! Data toko tidak diubah.",
                          "error: Sistem tidak menemukan Lokasi Data ! ( " + (dir.path() / "nowhere").string() +
                              "/ST_DB/ )",
                          "error: Missing file : " + (empty.path() / "ST_DB").string() + "/S_STOCK.Q7T !"}));
    EXPECT_TRUE(ui.progressTexts.empty());
    EXPECT_EQ(tarvo::test::fileContents(database), before);
    EXPECT_TRUE(xbase::workAreas().aliases().empty());
}

TEST_F(StockRepairTest, AStockTableWithoutJenisIsRefused) {
    xbase::Table::create(database / "S_STOCK.Q7T", {{"ID", 'N', 10, 0}}, xbase::Driver::DBFCDX);
    const auto before = tarvo::test::fileContents(database);
    EXPECT_FALSE(BUTTONPERBAIKIDATA(nullptr, dir.path().string()).done);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "[Alias : STOCK] -> FieldName \"JENIS\" not found <BUTTONPERBAIKIDATA1> !");
    EXPECT_EQ(tarvo::test::fileContents(database), before);
}

TEST_F(StockRepairTest, IsGuardedAsAnImportIs) {
    writeStock({0, 2, 0});
    const auto before = tarvo::test::fileContents(database);

    // No to the question: nothing changes, no backup is taken.
    ui.replies = {ui::kReplyNo};
    EXPECT_FALSE(BUTTONPERBAIKIDATA(nullptr, dir.path().string()).done);
    EXPECT_EQ(tarvo::test::fileContents(database), before);
    EXPECT_TRUE(safety::listBackups(database).empty());

    // Another run holds the database.
    {
        safety::DatabaseLock other(database);
        ui.messages.clear();
        EXPECT_FALSE(BUTTONPERBAIKIDATA(nullptr, dir.path().string()).done);
        ASSERT_EQ(ui.messages.size(), 2u);
        EXPECT_EQ(ui.messages[1].text.rfind("Lokasi Data sedang dipakai oleh proses Tarvo-Import lain", 0), 0u)
            << ui.messages[1].text;
        EXPECT_EQ(tarvo::test::fileContents(database), before);
    }

    // Yes: a backup of its own, listed as a repair, that gives the table back as it was.
    ASSERT_TRUE(BUTTONPERBAIKIDATA(nullptr, dir.path().string()).done);
    const std::vector<safety::Backup> backups = safety::listBackups(database);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].manifest.kind, "repair");
    EXPECT_EQ(backups[0].manifest.state, "done");
    EXPECT_EQ(kinds(), (std::vector<int>{1, 2, 1}));
    EXPECT_TRUE(safety::restoreDatabase(nullptr, database.string(), backups[0].stamp));
    EXPECT_EQ(tarvo::test::fileContents(database), before);

    // A repair over an interrupted import is refused: that import's backup comes first.
    safety::createBackup(database, "import");
    ui.messages.clear();
    EXPECT_FALSE(BUTTONPERBAIKIDATA(nullptr, dir.path().string()).done);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_NE(ui.messages[1].text.find("terputus sebelum selesai"), std::string::npos) << ui.messages[1].text;
    EXPECT_EQ(tarvo::test::fileContents(database), before);
}

}  // namespace
}  // namespace tarvo::converters
