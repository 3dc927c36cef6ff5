// A write that fails partway (a full disk) never leaves a header that counts records the file
// does not hold: data and memo blocks go first, the header after, and after a failure the
// table keeps what is wholly on disk, stays marked and reports the failure on every commit.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/hooks/test_hooks.h"
#include "tests/support/test_support.h"
#include "xbase/error.h"
#include "xbase/record_file.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"

namespace tarvo::xbase {
namespace {

namespace fs = std::filesystem;

class TableWriteFailureTest : public ::testing::TestWithParam<uint64_t> {
protected:
    test::TempDir dir;
};

TEST_P(TableWriteFailureTest, HeaderCountsOnlyWhatReachedTheDisk) {
    const fs::path path = dir.path() / "ITEMS.DBF";
    Table::create(path, {{"KODE", 'C', 10, 0}, {"NAMA", 'C', 90, 0}, {"CATATAN", 'M', 10, 0}}, Driver::DBFCDX);
    uint32_t appended = 0;
    {
        auto table = Table::open(path, {true, false, Driver::DBFCDX});
        table->createOrder(dir.path() / "ITEMS.CDX", "KODE", "KODE");
        auto full = std::make_unique<test::LimitedFileWrites>(GetParam());
        EXPECT_THROW(
            {
                for (int i = 0; i < 5000; ++i) {
                    table->append();
                    ++appended;
                    table->fieldPut("KODE", Value("K" + std::to_string(i)));
                    table->fieldPut("NAMA", Value(std::string(80, 'n')));
                    if (i % 7 == 0) table->fieldPut("CATATAN", Value("catatan " + std::to_string(i)));
                }
                table->commit();
            },
            Error);
        EXPECT_TRUE(table->writeFailed());
        EXPECT_LT(table->recCount(), appended);
        full.reset();
        EXPECT_THROW(table->commit(), Error) << "the table stays marked incomplete";
    }
    fs::remove(dir.path() / "ITEMS.CDX");  // as the closing removes the index of a failed table
    auto reopened = Table::open(path, {true, true, Driver::DBFCDX});
    EXPECT_LT(reopened->recCount(), appended);
    EXPECT_EQ(reopened->headerLength() + uint64_t(reopened->recCount()) * reopened->recordLength() + 1,
              fs::file_size(path));
    uint32_t n = 0;
    for (reopened->goTop(); !reopened->eof(); reopened->skip()) {
        const std::string code = "K" + std::to_string(n);
        EXPECT_EQ(reopened->fieldGet("KODE").text(), code + std::string(10 - code.size(), ' '));
        ++n;
    }
    EXPECT_EQ(n, reopened->recCount());
}

INSTANTIATE_TEST_SUITE_P(Limits, TableWriteFailureTest, ::testing::Values(0u, 5000u, 300000u, 540000u));

}  // namespace
}  // namespace tarvo::xbase
