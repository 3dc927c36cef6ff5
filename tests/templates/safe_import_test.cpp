// The import's safety net on a small shop: a backup before the preparation that gives every
// file back, a dry run that changes nothing and reports what the import would do, and writes
// that fail partway, named in the message, with the shop put back by itself.

#include <gtest/gtest.h>

#include "importing/import_summary.h"
#include "safety/backups.h"
#include "safety/restore.h"
#include "tests/hooks/test_hooks.h"
#include "tests/templates/template_import_fixture.h"
#include "xbase/table_indexes.h"

namespace tarvo::templates {
namespace {

namespace fs = std::filesystem;

class SafeImportTest : public test::TemplateImportTest {
protected:
    void SetUp() override {
        TemplateImportTest::SetUp();
        test::writeShopTemplates(templateFolder);
    }
    // The messages shown so far, for failure output.
    std::string shown() const {
        std::string text;
        for (const test::RecordedMessage& m : ui.messages) text += m.kind + ": " + m.text + "\n";
        return text;
    }
    importing::ImportOptions options() const {
        importing::ImportOptions o = importing::defaultImportOptions();
        o.stockMode = importing::StockMode::CloseDay;
        return o;
    }
    // Every table of the folder opens, counts no record beyond its end, and every tag of an
    // index file beside it agrees with its records.
    void expectEveryTableSound() const {
        for (const auto& entry : fs::directory_iterator(database)) {
            if (entry.path().extension() != ".Q7T") continue;
            SCOPED_TRACE(entry.path().filename().string());
            std::unique_ptr<xbase::Table> table;
            ASSERT_NO_THROW(table = xbase::Table::open(entry.path(), {false, true, xbase::Driver::DBFCDX}));
            EXPECT_LE(table->headerLength() + uint64_t(table->recCount()) * table->recordLength(),
                      fs::file_size(entry.path()));
            for (int order = 1; order <= table->orderCount(); ++order)
                EXPECT_TRUE(table->indexes()->check(*table->order(order)).empty()) << table->order(order)->name();
        }
    }
};

TEST_F(SafeImportTest, ImportTakesABackupThatRestoresTheShopByteForByte) {
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = runImport(request(options()));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << shown();
    EXPECT_TRUE(test::fileContents(database) != before);

    const std::vector<safety::Backup> backups = safety::listBackups(database);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].manifest.state, "done");
    EXPECT_EQ(outcome.backupFolder, backups[0].folder);
    EXPECT_NE(importing::importSummary(outcome, importing::SummaryLanguage::English).find("Backup before the import: " +
                                                                    backups[0].folder.string()),
              std::string::npos);

    ui.replies.push_back(ui::kReplyYes);  // "Kembalikan data dari cadangan … ?"
    EXPECT_TRUE(safety::restoreDatabase(nullptr, database.string(), ""));
    EXPECT_TRUE(test::fileContents(database) == before);
}

TEST_F(SafeImportTest, DryRunChangesNothingAndReportsWhatTheImportWould) {
    const auto before = test::fileContents(database);
    importing::ImportRequest dry = request(options());
    dry.safety.dryRun = true;
    const importing::ImportOutcome dryOutcome = runImport(dry);
    ASSERT_EQ(dryOutcome.status, importing::ImportStatus::Done) << shown();
    EXPECT_TRUE(test::fileContents(database) == before);
    EXPECT_FALSE(fs::exists(shop / "TARVO-BACKUP"));
    EXPECT_TRUE(dryOutcome.dryRun);
    EXPECT_FALSE(dryOutcome.rejectFile.empty()) << "the duplicates are reported as by the import";

    const importing::ImportOutcome real = runImport(request(options()));
    ASSERT_EQ(real.status, importing::ImportStatus::Done);
    EXPECT_EQ(dryOutcome.written, real.written);
    EXPECT_EQ(dryOutcome.skipped, real.skipped);
    EXPECT_EQ(dryOutcome.codeDuplicates, real.codeDuplicates);
    EXPECT_EQ(dryOutcome.nameDuplicates, real.nameDuplicates);
    const std::string summary = importing::importSummary(dryOutcome, importing::SummaryLanguage::English);
    EXPECT_NE(summary.find("Dry run: the import ran on a scratch copy; the shop's database was not changed."),
              std::string::npos) << summary;
}

class FailingWriteTest : public SafeImportTest, public ::testing::WithParamInterface<uint64_t> {};

TEST_P(FailingWriteTest, TheFailureIsNamedAndTheShopIsPutBackByItself) {
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = [&] {
        test::LimitedFileWrites full(GetParam());
        return runImport(request(options()));
    }();

    EXPECT_EQ(outcome.status, importing::ImportStatus::Failed) << shown();
    EXPECT_TRUE(outcome.restoreProblem.empty()) << outcome.restoreProblem;
    EXPECT_TRUE(test::fileContents(database) == before);
    expectEveryTableSound();
    ASSERT_FALSE(ui.messages.empty());
    const test::RecordedMessage& last = ui.messages.back();
    EXPECT_EQ(last.kind, "error");
    EXPECT_EQ(last.text.rfind("Import gagal: ", 0), 0u) << last.text;
    EXPECT_NE(last.text.find("No space left on device"), std::string::npos) << last.text;
    EXPECT_TRUE(last.text.ends_with("\nData toko sudah dikembalikan seperti sebelum import.")) << last.text;
    const std::vector<safety::Backup> backups = safety::listBackups(database);
    ASSERT_EQ(backups.size(), 1u);
    EXPECT_EQ(backups[0].manifest.state, "failed");
    EXPECT_FALSE(backups[0].manifest.interrupted());

    ui.messages.clear();
    EXPECT_EQ(runImport(request(options())).status, importing::ImportStatus::Done) << shown();
}

// Bytes the data and memo files may take before the disk is "full": within the first tables,
// and further on.
INSTANTIATE_TEST_SUITE_P(Limits, FailingWriteTest, ::testing::Values(700u, 3000u, 9000u));

TEST_F(SafeImportTest, FullDiskDuringThePreparationPutsTheBackupBackAtOnce) {
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = [&] {
        test::LimitedFileWrites full(0);
        return runImport(request(options()));
    }();
    EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
    EXPECT_EQ(outcome.refusal, importing::Refusal::Preparation);
    EXPECT_NE(shown().find("No space left on device"), std::string::npos) << shown();
    EXPECT_TRUE(test::fileContents(database) == before);
    ASSERT_EQ(safety::listBackups(database).size(), 1u);
    EXPECT_EQ(safety::listBackups(database)[0].manifest.state, "failed");
}

// Template numbers in columns wider than the fields they go to are tried before the backup: every
// value that does not fit is named, and nothing is touched. The opening stock of an item that is
// not goods is not written, so it is not tried either.
TEST_F(SafeImportTest, TemplateValuesThatDoNotFitAreRefusedBeforeTheBackup) {
    const xbase::FieldInfo wideValue{"SISA_NIL1", 'N', 20, 2};
    test::writeTemplate(templateFolder, "ITEM",
                        {{{"KODE", "A1"}, {"NAMA", "Apel"}, {"SISA_STK1", 2}, {"SISA_NIL1", 2000}},
                         {{"KODE", "B1"}, {"NAMA", "Jeruk"}, {"SISA_STK1", 3}, {"SISA_NIL1", 1e14}},
                         {{"KODE", "C1"}, {"NAMA", "Servis"}, {"JENIS", 1}, {"SISA_STK1", 3}, {"SISA_NIL1", 1e14}}},
                        {{"SISA_NIL1", wideValue}});
    test::writeTemplate(templateFolder, "PELANG", {{{"NAMA", "Toko Maju"}, {"MAX_CRD", 123456789012345.5}}},
                        {{"MAX_CRD", xbase::FieldInfo{"MAX_CRD", 'N', 20, 2}}});
    // A negative amount is an opening return: its value goes to TOT_RETUR.
    test::writeTemplate(templateFolder, "PEMBEL", {{{"NO_NOTA_C", "P-1"}, {"HARGA", -1e15}}},
                        {{"HARGA", xbase::FieldInfo{"HARGA", 'N', 20, 2}}});
    test::writeTemplate(templateFolder, "STKHJL", {{{"KODE_ITEM", "A1"}, {"KODE_GRP", "G1"}, {"H_JUAL1", 1e15}}},
                        {{"H_JUAL1", xbase::FieldInfo{"H_JUAL1", 'N', 20, 2}}});
    const auto before = test::fileContents(database);
    const importing::ImportOutcome outcome = runImport(request(options()));
    EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
    EXPECT_EQ(outcome.refusal, importing::Refusal::Source);
    EXPECT_TRUE(test::fileContents(database) == before);
    EXPECT_TRUE(safety::listBackups(database).empty());
    ASSERT_EQ(ui.count("error"), 1u) << shown();
    EXPECT_EQ(ui.messages.back().text,
              "Import dibatalkan: 4 nilai tidak muat di field tujuannya. Data toko tidak diubah.\n"
              "ITEM.DBF record 2, column SISA_NIL1: value 100000000000000.0000 does not fit field SISA_NIL01 (N 18,4) "
              "of S_STOCK\n"
              "PELANG.DBF record 1, column MAX_CRD: value 123456789012345.5000 does not fit field MAX_CRD (N 18,4) of "
              "S_PELANG\n"
              "STKHJL.DBF record 1, column H_JUAL1: value 1000000000000000.0000 does not fit field HARGA_J_01 (N 18,4) "
              "of S_STKHJL\n"
              "PEMBEL.DBF record 1, column HARGA: value 1000000000000000.0000 does not fit field TOT_RETUR (N 18,4) of "
              "S_PEMBEL");
}

}  // namespace
}  // namespace tarvo::templates
