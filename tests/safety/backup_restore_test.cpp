// Backups before an import and their restore: byte-identical files back, files the import
// created removed, and every refusal (a damaged backup, another database's backup, a held
// table, short space, an unwritable backup folder) changing nothing.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <fstream>

#include "sampledata/retail_db.h"
#include "safety/backups.h"
#include "safety/durable_files.h"
#include "safety/restore.h"
#include "safety/safety_error.h"
#include "tests/support/test_support.h"

namespace tarvo::safety {
namespace {

namespace fs = std::filesystem;

class BackupTest : public ::testing::Test {
protected:
    void SetUp() override {
        sampledata::makeSampleRetailDatabase(dir.path() / "shop");
        database = dir.path() / "shop" / "ST_DB";
    }
    void TearDown() override {
        setFreeSpaceProbe(nullptr);
        if (holder >= 0) ::close(holder);
    }

    // What an import does to the folder: a table rewritten, an index deleted, an index created.
    void changeLikeAnImport() {
        std::ofstream(database / "S_STOCK.Q7T", std::ios::binary | std::ios::trunc) << "half written";
        fs::remove(database / "S_TABLID.CDX");
        std::ofstream(database / "S_STKNAM.CDX") << "new index";
    }

public:
    test::TempDir dir;
    fs::path database;
    int holder = -1;  // a descriptor another program holds a table with
};

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST_F(BackupTest, RestoreGivesEveryFileBackAndRemovesWhatTheImportCreated) {
    ASSERT_FALSE(fs::exists(database / "S_STKNAM.CDX"));
    std::ofstream(database / "S_OTHER.Q7T") << "not the import's";
    const auto before = test::fileContents(database);
    Backup backup = createBackup(database, "import --db x");
    EXPECT_EQ(backup.folder.parent_path(), dir.path() / "shop" / "TARVO-BACKUP");
    EXPECT_EQ(readManifest(backup.folder).state, "running");
    EXPECT_FALSE(fs::exists(backup.folder / "S_OTHER.Q7T")) << "only the files an import may change";
    EXPECT_TRUE(fs::exists(backup.folder / "S_STOCK.Q7T"));
    EXPECT_EQ(readManifest(backup.folder).options, "import --db x");

    changeLikeAnImport();
    std::ofstream(database / "S_OTHER.Q7T", std::ios::app) << " changed later";
    auto expected = before;
    expected["S_OTHER.Q7T"] += " changed later";
    restoreBackup(database, backup);
    EXPECT_TRUE(test::fileContents(database) == expected);
    EXPECT_TRUE(contains(readManifest(backup.folder).restore, "restored "));
    EXPECT_FALSE(readManifest(backup.folder).interrupted());
}

struct RefusedRestoreCase {
    const char* name;
    std::function<void(BackupTest&, Backup&)> spoil;
    const char* message;
};

void PrintTo(const RefusedRestoreCase& c, std::ostream* out) { *out << c.name; }

class RefusedRestoreTest : public BackupTest, public ::testing::WithParamInterface<RefusedRestoreCase> {};

TEST_P(RefusedRestoreTest, ChangesNothingAndSaysWhy) {
    Backup backup = createBackup(database, "");
    changeLikeAnImport();
    GetParam().spoil(*this, backup);
    const auto before = test::fileContents(database);
    std::string message;
    try {
        Backup found = findBackup(database, backup.stamp);
        restoreBackup(database, found);
    } catch (const SafetyError& e) {
        message = e.what();
    }
    EXPECT_TRUE(contains(message, GetParam().message)) << message;
    EXPECT_TRUE(test::fileContents(database) == before);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RefusedRestoreTest,
    ::testing::Values(
        RefusedRestoreCase{"DamagedManifest",
                           [](BackupTest&, Backup& b) {
                               // Cut short, as by a disk that lost its last block.
                               fs::resize_file(b.folder / kManifestName, fs::file_size(b.folder / kManifestName) / 2);
                           },
                           "Cadangan rusak"},
        RefusedRestoreCase{"MissingManifest", [](BackupTest&, Backup& b) { fs::remove(b.folder / kManifestName); },
                           "Cadangan tidak lengkap"},
        RefusedRestoreCase{"DamagedCopy",
                           [](BackupTest&, Backup& b) {
                               std::fstream copy(b.folder / "S_VENDOR.Q7T", std::ios::in | std::ios::out | std::ios::binary);
                               copy.seekp(40);
                               copy.put('X');
                           },
                           "S_VENDOR.Q7T tidak sama dengan catatan cadangannya"},
        RefusedRestoreCase{"AnotherDatabase",
                           [](BackupTest& t, Backup& b) {
                               b.manifest.database = (t.dir.path() / "lain" / "ST_DB").string();
                               writeManifest(b.folder, b.manifest);
                           },
                           "berasal dari Lokasi Data lain"},
        RefusedRestoreCase{"TableHeldByAnotherProgram",
                           [](BackupTest& t, Backup&) {
                               // S_STOCK was rewritten and must be put back, but a program holds it.
                               t.holder = ::open((t.database / "S_STOCK.Q7T").c_str(), O_RDONLY | O_CLOEXEC);
                               ASSERT_EQ(::flock(t.holder, LOCK_SH), 0);
                           },
                           "File sedang dipakai program lain"}));

TEST_F(BackupTest, ShortSpaceRefusesBeforeAnythingIsCopied) {
    setFreeSpaceProbe([](const fs::path&) { return uint64_t{4096}; });
    const auto before = test::fileContents(database);
    std::string message;
    try {
        createBackup(database, "");
    } catch (const SafetyError& e) {
        message = e.what();
    }
    EXPECT_TRUE(contains(message, "Ruang disk tidak cukup untuk cadangan data")) << message;
    EXPECT_TRUE(listBackups(database).empty());
    EXPECT_TRUE(test::fileContents(database) == before);
}

TEST_F(BackupTest, UnwritableBackupFolderIsRefused) {
    std::ofstream(dir.path() / "shop" / "TARVO-BACKUP") << "a file where the folder goes";
    std::string message;
    try {
        createBackup(database, "");
    } catch (const SafetyError& e) {
        message = e.what();
    }
    EXPECT_TRUE(contains(message, "Folder cadangan tidak bisa dibuat")) << message;
}

TEST_F(BackupTest, DiskFillingUpDuringTheCopyRemovesThePartialBackup) {
    const auto before = test::fileContents(database);
    // Files may grow to 8 KB only: S_STOCK.Q7T (18 KB) cannot be copied whole, as on a disk that
    // fills up halfway through the backup.
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit small = old;
    small.rlim_cur = 8000;
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    std::string message;
    try {
        createBackup(database, "");
    } catch (const SafetyError& e) {
        message = e.what();
    }
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(contains(message, "Cadangan data sebelum import gagal dibuat; data toko tidak diubah.")) << message;
    EXPECT_TRUE(contains(message, "S_STOCK.Q7T")) << message;
    EXPECT_TRUE(listBackups(database).empty());
    EXPECT_TRUE(fs::is_empty(backupRoot(database)));
    EXPECT_TRUE(test::fileContents(database) == before);
}

TEST_F(BackupTest, KeepsTheNewestThreeAndInterruptedOnes) {
    std::vector<std::string> stamps;
    for (int i = 0; i < 6; ++i) {
        Backup b = createBackup(database, "");
        setImportState(b, i == 1 ? "running" : "done");  // the second import was interrupted
        stamps.push_back(b.stamp);
    }
    fs::create_directory(backupRoot(database) / "20000101-000000");  // a copy that never finished
    pruneBackups(database, 3);
    std::vector<std::string> left;
    for (const Backup& b : listBackups(database)) left.push_back(b.stamp);
    EXPECT_EQ(left, (std::vector<std::string>{stamps[5], stamps[4], stamps[3], stamps[1]}));
    pruneBackups(database, 5);
    EXPECT_EQ(listBackups(database).size(), 4u);
}

TEST_F(BackupTest, BackupsTakenInOneSecondGetTheirOwnFolders) {
    const Backup first = createBackup(database, "");
    const Backup second = createBackup(database, "");
    EXPECT_NE(first.stamp, second.stamp);
    EXPECT_EQ(listBackups(database).front().stamp, second.stamp);
}

}  // namespace
}  // namespace tarvo::safety
