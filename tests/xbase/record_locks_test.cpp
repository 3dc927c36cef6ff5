// Record locks: a record locked through one open of a table cannot be locked through another
// until it is unlocked; other records stay free.

#include <gtest/gtest.h>

#include "tests/support/test_support.h"
#include "xbase/table.h"

namespace tarvo::xbase {
namespace {

TEST(RecordLocks, ARecordLockedByOneOpenIsRefusedToAnotherUntilUnlocked) {
    test::TempDir dir;
    const auto path = dir.path() / "T.DBF";
    Table::create(path, {{"A", 'C', 4, 0}}, Driver::DBFCDX);
    auto first = Table::open(path, {});
    auto second = Table::open(path, {});
    first->append();
    first->append();
    first->commit();

    EXPECT_TRUE(first->lockRecord(1));
    EXPECT_TRUE(first->lockRecord(1));  // the holder may take it again
    EXPECT_FALSE(second->lockRecord(1));
    EXPECT_TRUE(second->lockRecord(2));
    first->unlockRecord(1);
    EXPECT_TRUE(second->lockRecord(1));
    EXPECT_FALSE(first->lockRecord(2));
    second.reset();  // closing releases its locks
    EXPECT_TRUE(first->lockRecord(2));
}

}  // namespace
}  // namespace tarvo::xbase
