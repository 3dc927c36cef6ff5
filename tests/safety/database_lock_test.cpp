// One run at a time per database: a second lock is refused at once, naming the folder; a lock
// file left by a dead process does not block.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "safety/database_lock.h"
#include "safety/safety_error.h"
#include "tests/support/test_support.h"

namespace tarvo::safety {
namespace {

namespace fs = std::filesystem;

TEST(DatabaseLockTest, SecondLockIsRefusedUntilTheFirstEnds) {
    test::TempDir dir;
    const fs::path database = dir.path() / "ST_DB";
    fs::create_directory(database);
    {
        DatabaseLock first(database);
        EXPECT_TRUE(fs::exists(dir.path() / "TARVO-IMPORT.LCK"));
        std::string message;
        try {
            DatabaseLock second(database / "");
        } catch (const SafetyError& e) {
            message = e.what();
        }
        EXPECT_EQ(message, "Lokasi Data sedang dipakai oleh proses Tarvo-Import lain ( " + database.string() +
                               "/ ). Tunggu sampai proses itu selesai.");
    }
    EXPECT_NO_THROW(DatabaseLock again(database));
}

TEST(DatabaseLockTest, LockOfAProcessThatDiedDoesNotBlock) {
    test::TempDir dir;
    const fs::path database = dir.path() / "ST_DB";
    fs::create_directory(database);
    const pid_t child = fork();
    if (child == 0) {
        DatabaseLock held(database);
        _exit(0);  // dies holding it, as a crashed import does
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(fs::exists(dir.path() / "TARVO-IMPORT.LCK"));
    EXPECT_NO_THROW(DatabaseLock mine(database));
}

}  // namespace
}  // namespace tarvo::safety
