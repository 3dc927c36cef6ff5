// The safety net of the command-line import, with real processes: imports killed with SIGKILL at
// several points and then restored byte for byte, an import whose disk fills up, a second import
// and a restore refused while an import runs, a restore interrupted and run again, a dry run.

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <chrono>
#include <fstream>
#include <regex>
#include <thread>

#include <nlohmann/json.hpp>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"

namespace tarvo::cli {
namespace {

namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The line of the output that holds the text, empty when none does.
std::string lineWith(const std::string& output, const std::string& text) {
    const size_t at = output.find(text);
    if (at == std::string::npos) return {};
    const size_t start = output.rfind('\n', at) + 1;
    return output.substr(start, output.find('\n', at) - start);
}

class SafeImportCliTest : public ::testing::Test {
protected:
    void SetUp() override {
        shop = (dir.path() / "shop").string();
        database = dir.path() / "shop" / "ST_DB";
        templates = (dir.path() / "templates").string();
        ASSERT_EQ(runCli("make-retail-db " + shop).status, 0);
        ASSERT_EQ(runCli("make-templates " + templates + " --items 300 --customers 40 --vendors 6 --seed 5").status, 0);
        before = test::fileContents(database);
    }
    std::string importArguments() const {
        return "import --db " + shop + " --templates " + templates + " --stock-mode close --yes";
    }
    // The stamp the interrupted-import message names.
    static std::string stampIn(const std::string& output) {
        std::smatch match;
        return std::regex_search(output, match, std::regex("--backup ([0-9-]+)")) ? match[1].str() : std::string();
    }

    test::TempDir dir;
    std::string shop, templates;
    fs::path database;
    std::map<std::string, std::string> before;
};

class KilledImportTest : public SafeImportCliTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(KilledImportTest, IsNoticedAndTheRestoreGivesEveryFileBack) {
    const CliRun killed = runCliWith(std::string("TARVO_TEST_POINT='") + GetParam() + " kill'", importArguments());
    ASSERT_EQ(killed.status, 128 + 9) << killed.output;
    ASSERT_TRUE(test::fileContents(database) != before) << "the kill came after the shop's data changed";

    const CliRun refused = runCli(importArguments());
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.output, "terputus sebelum selesai")) << refused.output;
    EXPECT_TRUE(contains(refused.output, "tarvo-import-cli restore --db " + shop + " --backup ")) << refused.output;
    const std::string stamp = stampIn(refused.output);
    ASSERT_FALSE(stamp.empty()) << refused.output;
    EXPECT_TRUE(contains(lineWith(runCli("backups --db " + shop).output, stamp), " interrupted "));

    const CliRun restore = runCli("restore --db " + shop + " --backup " + stamp + " --yes");
    EXPECT_EQ(restore.status, 0) << restore.output;
    EXPECT_TRUE(test::fileContents(database) == before);

    const CliRun again = runCli(importArguments());
    EXPECT_EQ(again.status, 0) << again.output;
}

INSTANTIATE_TEST_SUITE_P(Points, KilledImportTest,
                         ::testing::Values("preparation", "PELANG-rows", "ITEM-rows", "closing"));

TEST_F(SafeImportCliTest, KillDuringTheBackupLeavesTheShopUntouchedAndDoesNotBlock) {
    const CliRun killed = runCliWith("TARVO_TEST_POINT='backup kill'", importArguments());
    ASSERT_EQ(killed.status, 128 + 9) << killed.output;
    EXPECT_TRUE(test::fileContents(database) == before);
    EXPECT_TRUE(contains(runCli("backups --db " + shop).output, "unusable: Cadangan tidak lengkap"));
    const CliRun again = runCli(importArguments());
    EXPECT_EQ(again.status, 0) << again.output;
    EXPECT_FALSE(contains(runCli("backups --db " + shop).output, "unusable")) << "the partial copy is pruned";
}

TEST_F(SafeImportCliTest, ForceImportsOverAnInterruptedImport) {
    ASSERT_EQ(runCliWith("TARVO_TEST_POINT='ITEM-rows kill'", importArguments()).status, 128 + 9);
    const CliRun forced = runCli(importArguments() + " --force");
    EXPECT_EQ(forced.status, 0) << forced.output;
}

// A second run over an unfinished one, itself killed: the restore still leads back to the shop
// as it was before the first.
struct RunOverUnfinished {
    const char* name;
    const char* first;   // environment of the first run, which does not finish
    const char* second;  // environment and extra options of the run over it, which is killed
    const char* options;
};

class RunOverUnfinishedTest : public SafeImportCliTest, public ::testing::WithParamInterface<RunOverUnfinished> {};

TEST_P(RunOverUnfinishedTest, RestoreGoesBackToTheStateBeforeTheFirst) {
    const CliRun first = runCliWith(GetParam().first, importArguments());
    ASSERT_NE(first.status, 0) << first.output;
    std::smatch listed;
    const std::string listing = runCli("backups --db " + shop).output;
    ASSERT_TRUE(std::regex_search(listing, listed, std::regex("\n  ([0-9]{8}-[0-9-]+) "))) << listing;
    const std::string firstStamp = listed[1].str();
    const CliRun second = runCliWith(GetParam().second, importArguments() + GetParam().options);
    ASSERT_EQ(second.status, 128 + 9) << second.output;

    const CliRun refused = runCli(importArguments());
    EXPECT_EQ(refused.status, 1);
    const std::string stamp = stampIn(refused.output);
    EXPECT_EQ(stamp, firstStamp) << refused.output;
    const CliRun restore = runCli("restore --db " + shop + " --yes");
    EXPECT_EQ(restore.status, 0) << restore.output;
    EXPECT_TRUE(contains(restore.output, "from its backup " + firstStamp)) << restore.output;
    EXPECT_TRUE(test::fileContents(database) == before);
    const CliRun again = runCli(importArguments());
    EXPECT_EQ(again.status, 0) << again.output;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RunOverUnfinishedTest,
    ::testing::Values(
        RunOverUnfinished{"KilledThenForcedAndKilled", "TARVO_TEST_POINT='ITEM-rows kill'", "TARVO_TEST_POINT='closing kill'", " --force"},
        RunOverUnfinished{"KilledEarlyThenForcedAndKilled", "TARVO_TEST_POINT='PELANG-rows kill'", "TARVO_TEST_POINT='preparation kill'", " --force"}),
    [](const ::testing::TestParamInfo<RunOverUnfinished>& info) { return std::string(info.param.name); });

TEST_F(SafeImportCliTest, AFailedRunOverAnInterruptedOnePutsBackTheShopFromBeforeBoth) {
    ASSERT_EQ(runCliWith("TARVO_TEST_POINT='ITEM-rows kill'", importArguments()).status, 128 + 9);
    ASSERT_FALSE(stampIn(runCli(importArguments()).output).empty()) << "refused as interrupted, naming its backup";
    const CliRun failed = runCliWith("TARVO_TEST_WRITE_LIMIT=60000", importArguments() + " --force");
    ASSERT_EQ(failed.status, 1) << failed.output;
    EXPECT_TRUE(contains(failed.output, "the retail database is as it was before the import")) << failed.output;
    EXPECT_TRUE(test::fileContents(database) == before);
    const CliRun again = runCli(importArguments());
    EXPECT_EQ(again.status, 0) << again.output;
}

TEST_F(SafeImportCliTest, FullDiskIsNamedAndTheShopIsPutBackByItself) {
    const CliRun failed = runCliWith("TARVO_TEST_WRITE_LIMIT=60000", importArguments());
    EXPECT_EQ(failed.status, 1) << failed.output;
    EXPECT_TRUE(contains(failed.output, "No space left on device")) << failed.output;
    EXPECT_TRUE(contains(failed.output, "Data toko sudah dikembalikan seperti sebelum import.")) << failed.output;
    EXPECT_TRUE(contains(failed.output, "Import failed; the retail database is as it was before the import."))
        << failed.output;
    EXPECT_TRUE(test::fileContents(database) == before);
    EXPECT_TRUE(contains(runCli("backups --db " + shop).output, " failed ")) << "the backup stays, marked failed";
    const CliRun again = runCli(importArguments());
    EXPECT_EQ(again.status, 0) << again.output;
}

// SIGINT and SIGTERM stop the import at its next record and put the shop back; only SIGKILL
// leaves an interrupted import behind.
class SignalledImportTest : public SafeImportCliTest, public ::testing::WithParamInterface<int> {};

TEST_P(SignalledImportTest, PutsTheShopBackAndLeavesTheNextImportFree) {
    const std::string signal = (dir.path() / "pause").string();
    const BackgroundCli running = startCli("TARVO_TEST_POINT='ITEM-rows pause " + signal + "'", importArguments(),
                                           (dir.path() / "run.out").string());
    for (int i = 0; i < 6000 && !fs::exists(signal + ".reached"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(signal + ".reached"));
    ASSERT_TRUE(test::fileContents(database) != before) << "the signal comes after the shop's data changed";
    ASSERT_EQ(::kill(running.pid, GetParam()), 0);
    std::ofstream(signal + ".go") << "go\n";
    const CliRun stopped = waitCli(running);

    EXPECT_EQ(stopped.status, 128 + GetParam()) << stopped.output;
    EXPECT_TRUE(contains(stopped.output, "Import dibatalkan. Data toko sudah dikembalikan seperti sebelum import."))
        << stopped.output;
    EXPECT_TRUE(contains(stopped.output, "Import stopped; the retail database is as it was before the import."))
        << stopped.output;
    EXPECT_TRUE(test::fileContents(database) == before);
    const CliRun again = runCli(importArguments());
    EXPECT_EQ(again.status, 0) << again.output;
}

INSTANTIATE_TEST_SUITE_P(Signals, SignalledImportTest, ::testing::Values(SIGINT, SIGTERM));

TEST_F(SafeImportCliTest, ATableAnotherProgramHoldsIsRefusedBeforeAnyCopy) {
    const fs::path stock = database / "S_STOCK.Q7T";
    for (const int lock : {LOCK_SH, LOCK_EX}) {
        for (const std::string options : {"", " --dry-run"}) {
            const int held = ::open(stock.c_str(), O_RDONLY | O_CLOEXEC);
            ASSERT_EQ(::flock(held, lock | LOCK_NB), 0);
            const CliRun refused = runCli(importArguments() + options);
            ::close(held);
            EXPECT_EQ(refused.status, 1) << refused.output;
            EXPECT_TRUE(contains(refused.output, "File is in use by another program : " + stock.string()))
                << refused.output;
            EXPECT_TRUE(test::fileContents(database) == before);
            EXPECT_TRUE(contains(runCli("backups --db " + shop).output, "No backups")) << options;
        }
    }
}

// The shop belongs to its own user (nobody, when the tests run as root) with folders 0770 and
// files 0660; the import runs under umask 022, the restore under 077.
TEST_F(SafeImportCliTest, BackupsAndRestoredFilesKeepTheShopsOwnersAndModes) {
    const bool asRoot = ::geteuid() == 0;
    const uid_t shopUser = asRoot ? 65534 : ::geteuid();
    const gid_t shopGroup = asRoot ? 65534 : ::getegid();
    const fs::path shopFolder = dir.path() / "shop";
    auto give = [&](const fs::path& path, mode_t mode) {
        ASSERT_EQ(::chown(path.c_str(), shopUser, shopGroup), 0) << path;
        ASSERT_EQ(::chmod(path.c_str(), mode), 0) << path;
    };
    give(shopFolder, 0770);
    for (const auto& entry : fs::recursive_directory_iterator(shopFolder))
        give(entry.path(), entry.is_directory() ? 0770 : 0660);
    auto expectShopsOwnership = [&](const fs::path& path, mode_t allowed, bool exact) {
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0) << path;
        EXPECT_EQ(st.st_uid, shopUser) << path;
        EXPECT_EQ(st.st_gid, shopGroup) << path;
        const mode_t mode = st.st_mode & 07777;
        if (exact) EXPECT_EQ(mode, allowed) << path;
        else EXPECT_EQ(mode & ~allowed, 0u) << path << " is more open than the shop";
    };

    const mode_t umask = ::umask(022);
    ASSERT_EQ(runCliWith("TARVO_TEST_POINT='ITEM-rows kill'", importArguments()).status, 128 + 9);
    ::umask(077);
    const CliRun restore = runCli("restore --db " + shop + " --yes");
    ::umask(umask);
    ASSERT_EQ(restore.status, 0) << restore.output;
    EXPECT_TRUE(test::fileContents(database) == before);

    for (const auto& entry : fs::recursive_directory_iterator(shopFolder / "TARVO-BACKUP"))
        expectShopsOwnership(entry.path(), entry.is_directory() ? 0770 : 0660, false);
    expectShopsOwnership(shopFolder / "TARVO-BACKUP", 0770, false);
    for (const auto& entry : fs::directory_iterator(database)) expectShopsOwnership(entry.path(), 0660, true);
}

TEST_F(SafeImportCliTest, SecondImportRestoreAndDryRunAreRefusedWhileAnImportRuns) {
    const std::string signal = (dir.path() / "pause").string();
    const BackgroundCli first = startCli("TARVO_TEST_POINT='ITEM-rows pause " + signal + "'", importArguments(),
                                         (dir.path() / "first.out").string());
    for (int i = 0; i < 6000 && !fs::exists(signal + ".reached"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(signal + ".reached"));
    const auto during = test::fileContents(database);

    const std::string otherTemplates = (dir.path() / "other").string();
    ASSERT_EQ(runCli("make-templates " + otherTemplates + " --items 5 --seed 9").status, 0);
    const std::string busy = "Lokasi Data sedang dipakai oleh proses Tarvo-Import lain ( " + shop + "/ST_DB/ )";
    for (const std::string& second :
         {"import --db " + shop + " --templates " + otherTemplates + " --yes",
          "import --db " + shop + " --templates " + otherTemplates + " --yes --dry-run", "restore --db " + shop + " --yes"}) {
        const CliRun refused = runCli(second);
        EXPECT_EQ(refused.status, 1) << second;
        EXPECT_TRUE(contains(refused.output, busy)) << refused.output;
    }
    EXPECT_TRUE(test::fileContents(database) == during) << "the running import was disturbed";
    const std::string listing = runCli("backups --db " + shop).output;
    EXPECT_TRUE(contains(listing, " running ")) << listing;
    EXPECT_FALSE(contains(listing, "interrupted")) << listing;

    std::ofstream(signal + ".go") << "go\n";
    const CliRun finished = waitCli(first);
    EXPECT_EQ(finished.status, 0) << finished.output;
    EXPECT_TRUE(contains(finished.output, "\n  S_STOCK    ")) << finished.output;
    EXPECT_EQ(runCli("dbf check " + (database / "S_SATUAN.Q7T").string()).status, 0);
}

TEST_F(SafeImportCliTest, ABackupThatCannotBeMarkedDoneFailsTheRunAndSaysHowTheShopStands) {
    const std::string signal = (dir.path() / "pause").string();
    const fs::path outcome = dir.path() / "outcome.json";
    const BackgroundCli run = startCli("TARVO_TEST_POINT='closing pause " + signal + "'",
                                       importArguments() + " --json " + outcome.string(), (dir.path() / "run.out").string());
    for (int i = 0; i < 6000 && !fs::exists(signal + ".reached"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(signal + ".reached"));
    // A folder where the new manifest is to be written makes marking the backup fail.
    for (const auto& entry : fs::directory_iterator(dir.path() / "shop" / "TARVO-BACKUP"))
        fs::create_directory(entry.path() / "MANIFEST.TXT.new");
    std::ofstream(signal + ".go") << "go\n";
    const CliRun finished = waitCli(run);
    EXPECT_EQ(finished.status, 1) << finished.output;
    EXPECT_TRUE(contains(finished.output, "tidak bisa ditandai \"done\"")) << finished.output;
    EXPECT_TRUE(contains(finished.output, "Data toko sudah berisi hasil import ini seluruhnya")) << finished.output;
    std::ifstream json(outcome);
    EXPECT_EQ(nlohmann::json::parse(json)["status"], "failed");
}

TEST_F(SafeImportCliTest, ARestoreThatStopsHalfwaySaysWhatItReplacedAndRunsAgainToTheEnd) {
    ASSERT_EQ(runCli(importArguments()).status, 0);
    const auto after = test::fileContents(database);
    std::string last;  // the last table file the import changed, in name order: put back last
    for (const auto& [name, bytes] : before)
        if (after.count(name) && after.at(name) != bytes) last = name;
    ASSERT_FALSE(last.empty());
    // A folder in the way of its copy stops the restore there.
    const fs::path inTheWay = database / (last + ".tarvo-restore");
    fs::create_directory(inTheWay);
    const CliRun stopped = runCli("restore --db " + shop + " --yes");
    EXPECT_EQ(stopped.status, 1);
    EXPECT_FALSE(contains(stopped.output, "Nothing was restored.")) << stopped.output;
    EXPECT_TRUE(contains(stopped.output, "Restore stopped halfway: ")) << stopped.output;
    EXPECT_TRUE(contains(stopped.output, "terhenti setelah ")) << stopped.output;

    fs::remove(inTheWay);
    const CliRun again = runCli("restore --db " + shop + " --yes");
    EXPECT_EQ(again.status, 0) << again.output;
    EXPECT_TRUE(contains(again.output, " files replaced, ")) << again.output;
    EXPECT_TRUE(test::fileContents(database) == before);
}

TEST_F(SafeImportCliTest, InterruptedRestoreRunsAgainToTheSameEnd) {
    ASSERT_EQ(runCli(importArguments()).status, 0);
    const CliRun killed = runCliWith("TARVO_TEST_POINT='restore kill'", "restore --db " + shop + " --yes");
    ASSERT_EQ(killed.status, 128 + 9) << killed.output;
    EXPECT_TRUE(contains(runCli("backups --db " + shop).output, "restore interrupted"));
    const CliRun refused = runCli(importArguments());
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.output, "terputus sebelum selesai")) << refused.output;

    EXPECT_EQ(runCli("restore --db " + shop + " --yes").status, 0);
    EXPECT_TRUE(test::fileContents(database) == before);
}

// The summary's record, skipped-row and duplicate lines.
std::string countsOf(const std::string& output) {
    const size_t from = output.find("Records written:");
    const size_t duplicates = output.find("Duplicates:");
    if (from == std::string::npos || duplicates == std::string::npos) return {};
    return output.substr(from, output.find('\n', duplicates) - from);
}

TEST_F(SafeImportCliTest, DryRunLeavesTheShopByteIdenticalAndPrintsTheImportsSummary) {
    const CliRun dry = runCli(importArguments() + " --dry-run");
    EXPECT_EQ(dry.status, 0) << dry.output;
    EXPECT_TRUE(contains(dry.output, "Dry run: the import ran on a scratch copy")) << dry.output;
    EXPECT_TRUE(test::fileContents(database) == before);
    EXPECT_FALSE(fs::exists(dir.path() / "shop" / "TARVO-BACKUP"));

    const CliRun real = runCli(importArguments());
    ASSERT_EQ(real.status, 0) << real.output;
    EXPECT_FALSE(countsOf(real.output).empty());
    EXPECT_EQ(countsOf(dry.output), countsOf(real.output));
}

// The direct importers go through the same import command, and so through the same net.
class DirectImportSafetyTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        shop = (dir.path() / "shop").string();
        source = (dir.path() / "source").string();
        ASSERT_EQ(runCli("make-retail-db " + shop).status, 0);
        ASSERT_EQ(runCli(std::string("make-source --kind ") + GetParam() + " " + source + " --items 40 --seed 2").status, 0);
    }
    std::string importArguments() const {
        return std::string("import --from ") + GetParam() + " --source " + source + " --db " + shop + " --yes";
    }
    test::TempDir dir;
    std::string shop, source;
};

TEST_P(DirectImportSafetyTest, KilledImportIsRestoredAndADryRunChangesNothing) {
    const fs::path database = dir.path() / "shop" / "ST_DB";
    const auto before = test::fileContents(database);
    ASSERT_EQ(runCliWith("TARVO_TEST_POINT='preparation kill'", importArguments()).status, 128 + 9);
    const CliRun refused = runCli(importArguments());
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(contains(refused.output, "tarvo-import-cli restore --db " + shop + " --backup ")) << refused.output;
    EXPECT_EQ(runCli("restore --db " + shop + " --yes").status, 0);
    EXPECT_TRUE(test::fileContents(database) == before);

    const CliRun dry = runCli(importArguments() + " --dry-run");
    EXPECT_EQ(dry.status, 0) << dry.output;
    EXPECT_TRUE(contains(dry.output, "\n  S_STOCK    ")) << dry.output;
    EXPECT_TRUE(test::fileContents(database) == before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, DirectImportSafetyTest, ::testing::Values("msbrg", "is", "ias"));

}  // namespace
}  // namespace tarvo::cli
