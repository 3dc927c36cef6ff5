// All or nothing: an import that fails or is stopped once the shop's tables have changed puts
// the backup back by itself, before its message, and the next import is free to run.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <utility>

#include "importers/application_sources.h"
#include "retaildb/program_end.h"
#include "retaildb/run_points.h"
#include "safety/backups.h"
#include "tests/hooks/test_hooks.h"
#include "tests/importers/importer_fixture.h"
#include "tests/support/scoped_environment.h"
#include "ui/stop_request.h"

namespace tarvo::importers {
namespace {

using xbase::FieldInfo;

// MSBRG as the importer reads it: the item, its three unit levels, its stock.
std::vector<FieldInfo> itemFields() {
    std::vector<FieldInfo> fields{{"KDBRG", 'C', 15, 0},   {"NMBRG", 'C', 40, 0},  {"NMBRG1", 'C', 20, 0},
                                  {"KATEGORI", 'C', 20, 0}, {"UNIT", 'C', 5, 0},   {"HGBELI", 'N', 12, 2},
                                  {"HGJUALT", 'N', 12, 2},  {"MTUANG", 'C', 3, 0}, {"MTJL", 'C', 4, 0}};
    for (const std::string n : {"1", "2", "3"})
        fields.insert(fields.end(), {{"KDBRG" + n, 'C', 15, 0}, {"UNIT" + n, 'C', 5, 0}, {"QTY" + n + "1", 'N', 8, 0},
                                     {"HGBELI" + n, 'N', 12, 2}, {"HGJUAL" + n, 'N', 12, 2}, {"MTUANG" + n, 'C', 4, 0},
                                     {"MTJL" + n, 'C', 3, 0}});
    fields.insert(fields.end(), {{"MINSTOK", 'N', 8, 0}, {"SISAGUDANG", 'N', 10, 2}, {"SISATOKO", 'N', 10, 2}});
    return fields;
}

class AllOrNothingTest : public test::ImporterTest {
protected:
    // Items 1 ... count; the item at `bad` has a price times stock beyond the stock value field.
    void writeItems(uint32_t count, uint32_t bad) {
        test::SourceRows rows;
        for (uint32_t n = 1; n <= count; ++n) {
            const bool huge = n == bad;
            rows.push_back({{"KDBRG", "K" + std::to_string(n)}, {"NMBRG", "Barang " + std::to_string(n)},
                            {"UNIT", "PCS"}, {"HGBELI", huge ? 999999999.0 : 1000.0}, {"HGJUALT", 1500},
                            {"SISAGUDANG", huge ? 9999999.0 : 3.0}});
        }
        writeSource("MSBRG.DBF", itemFields(), rows);
        const std::vector<FieldInfo> partner{{"ALAMAT1", 'C', 40, 0}, {"ALAMAT2", 'C', 40, 0}, {"TELP", 'C', 20, 0},
                                             {"FAX", 'C', 20, 0}};
        std::vector<FieldInfo> customers{{"NMCUS", 'C', 40, 0}, {"LOKASI", 'C', 20, 0}};
        customers.insert(customers.end(), partner.begin(), partner.end());
        std::vector<FieldInfo> vendors{{"NMSUP", 'C', 40, 0}};
        vendors.insert(vendors.end(), partner.begin(), partner.end());
        writeSource("MSCUS.DBF", customers, {});
        writeSource("MSSUP.DBF", vendors, {});
        writeSource("SALES.DBF", {{"NMSAL", 'C', 30, 0}}, {});
    }
    importing::ImportOutcome importItems() {
        return runImport(kLindraMakmur, test::optionsFor(importing::StockMode::CloseDay));
    }
    importing::ImportRequest dryRun() const {
        importing::ImportRequest dry = request(test::optionsFor(importing::StockMode::CloseDay));
        dry.safety.dryRun = true;
        return dry;
    }
    const test::RecordedMessage* lastOf(const std::string& kind) const {
        for (auto it = ui.messages.rbegin(); it != ui.messages.rend(); ++it)
            if (it->kind == kind) return &*it;
        return nullptr;
    }
    // The backup of the run is marked failed and no longer counts as an interrupted import.
    void expectBackupPutBack() const {
        const std::vector<safety::Backup> backups = safety::listBackups(database);
        ASSERT_EQ(backups.size(), 1u);
        EXPECT_EQ(backups[0].manifest.state, "failed");
        EXPECT_EQ(backups[0].manifest.restore.rfind("restored ", 0), 0u) << backups[0].manifest.restore;
        EXPECT_FALSE(safety::interruptedImport(database));
    }
};

TEST_F(AllOrNothingTest, ValuesThatDoNotFitAreRefusedBeforeTheBackup) {
    writeItems(30, 25);
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = importItems();
    EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
    EXPECT_EQ(outcome.refusal, importing::Refusal::Source);
    EXPECT_TRUE(test::fileContents(database) == before);
    EXPECT_TRUE(safety::listBackups(database).empty()) << "refused before the backup";
    ASSERT_EQ(ui.count("error"), 1u);
    const std::string& message = ui.messages.back().text;
    EXPECT_EQ(message.rfind("Import dibatalkan: 1 nilai tidak muat di field tujuannya. Data toko tidak diubah.\n", 0), 0u)
        << message;
    EXPECT_NE(message.find("MSBRG.DBF record 25, column SISAGUDANG × HGBELI: value 9999998990000000.0000 does not fit "
                           "field SISA_NIL01 (N 18,4) of S_STOCK"),
              std::string::npos)
        << message;

    writeItems(30, 0);
    EXPECT_EQ(importItems().status, importing::ImportStatus::Done) << "the next import is not held back";
}

// Acts when the progress window's text first names a record.
class ProgressHook : public test::RecordingInteraction {
public:
    std::string at;
    std::function<void()> act;
    void progressText(int line, const std::string& text) override {
        RecordingInteraction::progressText(line, text);
        if (act && text.find(at) != std::string::npos) std::exchange(act, nullptr)();
    }
};

TEST_F(AllOrNothingTest, AFailedWritePutsTheShopBackBeforeItsMessage) {
    writeItems(30, 0);
    ProgressHook hook;
    std::unique_ptr<test::LimitedFileWrites> fullDisk;
    hook.at = " 10 / 30";
    hook.act = [&] { fullDisk = std::make_unique<test::LimitedFileWrites>(0); };
    hook.replies = {ui::kReplyYes, ui::kReplyYes};
    test::ScopedInteraction scoped(hook);
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = importItems();
    fullDisk.reset();
    EXPECT_EQ(outcome.status, importing::ImportStatus::Failed);
    EXPECT_TRUE(outcome.restoreProblem.empty()) << outcome.restoreProblem;
    EXPECT_TRUE(test::fileContents(database) == before);
    ASSERT_FALSE(hook.messages.empty());
    const std::string& error = hook.messages.back().text;
    EXPECT_EQ(hook.messages.back().kind, "error");
    EXPECT_EQ(error.rfind("Import gagal: ", 0), 0u) << error;
    EXPECT_NE(error.find("No space left on device"), std::string::npos) << error;
    EXPECT_TRUE(error.ends_with("\nData toko sudah dikembalikan seperti sebelum import.")) << error;
    EXPECT_EQ(hook.count("info"), 0u) << "no summary of a run that was undone";
    expectBackupPutBack();

    EXPECT_EQ(importItems().status, importing::ImportStatus::Done) << "the next import is not held back";
}

TEST_F(AllOrNothingTest, AStopPutsTheShopBackAndSaysSo) {
    writeItems(40, 0);
    ProgressHook hook;
    hook.at = " 20 / 40";
    hook.act = [] { ui::requestStop(); };
    hook.replies = {ui::kReplyYes};
    test::ScopedInteraction scoped(hook);
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = importItems();
    EXPECT_EQ(outcome.status, importing::ImportStatus::Stopped);
    EXPECT_TRUE(test::fileContents(database) == before);
    ASSERT_FALSE(hook.messages.empty());
    EXPECT_EQ(hook.messages.back().kind, "info");
    EXPECT_EQ(hook.messages.back().text, "Import dibatalkan. Data toko sudah dikembalikan seperti sebelum import.");
    for (const std::string& text : hook.progressTexts)
        EXPECT_EQ(text.find(" 21 / 40"), std::string::npos) << "stopped at the next record";
    expectBackupPutBack();
}

TEST_F(AllOrNothingTest, ABackupThatCannotBePutBackLeavesTheImportInterrupted) {
    writeItems(30, 0);
    ProgressHook hook;
    std::unique_ptr<test::LimitedFileWrites> fullDisk;
    hook.at = " 10 / 30";
    // The backup's copy of S_STOCK is damaged while the import runs, then the disk fills up.
    hook.act = [&] {
        std::ofstream(safety::listBackups(database).at(0).folder / "S_STOCK.Q7T", std::ios::app) << "damage";
        fullDisk = std::make_unique<test::LimitedFileWrites>(0);
    };
    hook.replies = {ui::kReplyYes};
    test::ScopedInteraction scoped(hook);
    const importing::ImportOutcome outcome = importItems();
    fullDisk.reset();
    EXPECT_EQ(outcome.status, importing::ImportStatus::Failed);
    EXPECT_NE(outcome.restoreProblem.find("Cadangan rusak"), std::string::npos) << outcome.restoreProblem;
    ASSERT_FALSE(hook.messages.empty());
    EXPECT_EQ(hook.messages.back().kind, "error");
    EXPECT_NE(hook.messages.back().text.find("Data toko TIDAK bisa dikembalikan seperti sebelum import: Cadangan rusak"),
              std::string::npos)
        << hook.messages.back().text;
    EXPECT_TRUE(safety::interruptedImport(database)) << "the next start offers the restore, as after a crash";
}

struct ProgramEnded {
    std::string reason;
};

// An integrity failure (an index that contradicts its data, a field the table lacks) halfway
// through the items: the program is to end. The default end exits the process at once, so what
// the shop looks like is taken at that moment, by atEnd.
class ProgramEndHalfway : public retaildb::RunObserver {
public:
    explicit ProgramEndHalfway(std::function<void()> atEnd) {
        retaildb::setRunObserver(this);
        retaildb::setProgramEndHandler([atEnd](const std::string& reason) {
            atEnd();
            throw ProgramEnded{reason};
        });
    }
    ~ProgramEndHalfway() override { retaildb::setRunObserver(nullptr); }
    void reached(std::string_view point) override {
        if (point == "MSBRG-rows") retaildb::endProgram("Index file corrupt!! ");
    }
};

TEST_F(AllOrNothingTest, AnErrorThatEndsTheProgramPutsTheShopBackFirst) {
    writeItems(30, 0);
    const auto before = test::fileContents(database);
    bool putBack = false;
    ProgramEndHalfway failure([&] { putBack = test::fileContents(database) == before; });
    std::string reason;
    try {
        importItems();
        ADD_FAILURE() << "the program goes on";
    } catch (const ProgramEnded& ended) {
        reason = ended.reason;
    }
    EXPECT_EQ(reason, "Index file corrupt!! ") << "the program still ends, with its own reason";
    EXPECT_TRUE(putBack) << "the shop is put back before the program ends";
    const test::RecordedMessage* error = lastOf("error");
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->text, "Import gagal: Index file corrupt!! \nData toko sudah dikembalikan seperti sebelum import.");
    expectBackupPutBack();
}

// A dry run that fails in any way leaves no scratch copy behind.
TEST_F(AllOrNothingTest, AFailedDryRunRemovesItsScratchCopy) {
    const test::TempDir temporary;
    const test::ScopedEnvironment tmpdir("TMPDIR", temporary.path().c_str());
    const std::vector<std::pair<std::string, std::function<void()>>> failures{
        {"the program ends", [&] {
             bool removed = false;
             ProgramEndHalfway failure([&] { removed = std::filesystem::is_empty(temporary.path()); });
             EXPECT_THROW(runImport(kLindraMakmur, dryRun()), ProgramEnded);
             EXPECT_TRUE(removed) << "removed before the program ends";
         }},
        {"a stop", [this] {
             ProgressHook hook;
             hook.at = " 20 / 30";
             hook.act = [] { ui::requestStop(); };
             hook.replies = {ui::kReplyYes};
             test::ScopedInteraction scoped(hook);
             EXPECT_EQ(runImport(kLindraMakmur, dryRun()).status, importing::ImportStatus::Stopped);
         }},
    };
    writeItems(30, 0);
    const auto before = test::fileContents(database);
    for (const auto& [failure, run] : failures) {
        run();
        EXPECT_TRUE(std::filesystem::is_empty(temporary.path())) << failure;
        EXPECT_TRUE(test::fileContents(database) == before) << failure;
        EXPECT_TRUE(safety::listBackups(database).empty()) << failure;
    }
}

}  // namespace
}  // namespace tarvo::importers
