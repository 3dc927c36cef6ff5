// The table layer on tables we create: every field type through close and reopen, navigation,
// deletion, zap, pack, code pages and the locks of shared and exclusive opens.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>

#include "tests/support/test_support.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::xbase {
namespace {

using test::TempDir;

const std::vector<FieldInfo> kItemFields = {
    {"KODE", 'C', 20, 0},  {"NAMA", 'C', 100, 0}, {"HARGA", 'N', 15, 2}, {"STOK", 'N', 10, 0},
    {"TGL", 'D', 8, 0},    {"AKTIF", 'L', 1, 0},  {"CATATAN", 'M', 10, 0}, {"PANJANG", 'C', 1024, 0},
};

std::unique_ptr<Table> openTable(const std::filesystem::path& path, bool exclusive = true, Driver driver = Driver::DBFCDX) {
    return Table::open(path, OpenOptions{exclusive, false, driver});
}

std::string fileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class TableTest : public ::testing::Test {
protected:
    void SetUp() override { applyStartupSettings(); }
    void TearDown() override { applyStartupSettings(); }

    // A table of n records whose KODE is "K<n>".
    std::filesystem::path makeCodes(int n) {
        auto path = dir.path() / "CODES.DBF";
        Table::create(path, {{"KODE", 'C', 10, 0}}, Driver::DBFCDX);
        auto t = openTable(path);
        for (int i = 1; i <= n; ++i) {
            t->append();
            t->fieldPut(1, Value("K" + std::to_string(i)));
        }
        return path;
    }
    std::vector<std::string> visibleCodes(Table& t) {
        std::vector<std::string> out;
        for (t.goTop(); !t.eof(); t.skip()) out.push_back(t.fieldGet(1).text().substr(0, t.fieldGet(1).text().find(' ')));
        return out;
    }

    TempDir dir;
};

TEST_F(TableTest, EveryFieldTypeReadsBackAfterReopen) {
    for (Driver driver : {Driver::DBFCDX, Driver::DBFNTX, Driver::DBFMDX}) {
        SCOPED_TRACE(driverName(driver));
        auto path = dir.path() / (std::string("ITEM_") + driverName(driver) + ".DBF");
        Table::create(path, kItemFields, driver);
        const std::string longMemo(5000, 'x');
        {
            auto t = openTable(path, true, driver);
            t->append();
            t->fieldPut("KODE", Value("A-001"));
            t->fieldPut("NAMA", Value("Kopi Bubuk Ü 250g"));
            t->fieldPut("HARGA", Value(-12345.675));
            t->fieldPut("STOK", Value(9999999999.0));
            t->fieldPut("TGL", Value(Date{2024, 7, 8}));
            t->fieldPut("AKTIF", Value(true));
            t->fieldPut("CATATAN", Value("baris 1\r\nbaris 2"));
            t->fieldPut("PANJANG", Value(std::string(1024, 'p')));
            t->append();  // a blank record
            t->append();
            t->fieldPut("CATATAN", Value(longMemo));
        }
        auto t = openTable(path, false, driver);
        ASSERT_EQ(t->recCount(), 3u);
        EXPECT_EQ(t->structure()[7].length, 1024);
        t->goTo(1);
        EXPECT_EQ(t->fieldGet("KODE"), Value("A-001" + std::string(15, ' ')));
        EXPECT_EQ(t->fieldGet("NAMA").text().substr(0, 18), "Kopi Bubuk Ü 250g");
        EXPECT_DOUBLE_EQ(t->fieldGet("HARGA").number(), -12345.68);
        EXPECT_DOUBLE_EQ(t->fieldGet("STOK").number(), 9999999999.0);
        EXPECT_EQ(t->fieldGet("TGL").date(), (Date{2024, 7, 8}));
        EXPECT_TRUE(t->fieldGet("AKTIF").logical());
        EXPECT_EQ(t->fieldGet("CATATAN").text(), "baris 1\r\nbaris 2");
        EXPECT_EQ(t->fieldGet("PANJANG").text(), std::string(1024, 'p'));
        t->goTo(2);
        EXPECT_EQ(t->fieldGet("HARGA").number(), 0.0);
        EXPECT_TRUE(t->fieldGet("TGL").date().empty());
        EXPECT_FALSE(t->fieldGet("AKTIF").logical());
        EXPECT_EQ(t->fieldGet("CATATAN").text(), "");
        t->goTo(3);
        EXPECT_EQ(t->fieldGet("CATATAN").text(), longMemo);
    }
}

TEST_F(TableTest, CreatedFileFollowsTheDbfLayoutByteForByte) {
    auto path = dir.path() / "T.DBF";
    Table::create(path, {{"kode", 'C', 300, 0}, {"HARGA", 'N', 8, 2}, {"CATATAN", 'M', 10, 0}}, Driver::DBFCDX);
    {
        auto t = openTable(path);
        t->append();
        t->fieldPut(1, Value("AB"));
        t->fieldPut(2, Value(3.5));
    }
    const std::string b = fileBytes(path);
    const uint32_t headerLength = 32 + 3 * 32 + 1;
    const uint32_t recordLength = 1 + 300 + 8 + 10;
    ASSERT_EQ(b.size(), headerLength + recordLength + 1);
    EXPECT_EQ(static_cast<unsigned char>(b[0]), 0xF5);            // FoxPro with FPT memo
    EXPECT_EQ(b[4], 1);                                            // record count
    EXPECT_EQ(static_cast<unsigned char>(b[8]) | (static_cast<unsigned char>(b[9]) << 8), headerLength);
    EXPECT_EQ(static_cast<unsigned char>(b[10]) | (static_cast<unsigned char>(b[11]) << 8), recordLength);
    EXPECT_EQ(b[29], 0x01);                                        // OEM code page 437
    EXPECT_EQ(b.substr(32, 11), std::string("KODE\0\0\0\0\0\0\0", 11));
    EXPECT_EQ(b[32 + 11], 'C');
    EXPECT_EQ(static_cast<unsigned char>(b[32 + 16]), 300 & 0xFF);  // wide character field:
    EXPECT_EQ(b[32 + 17], 300 >> 8);                               // high byte in the decimals byte
    EXPECT_EQ(b[64 + 11], 'N');
    EXPECT_EQ(b[64 + 16], 8);
    EXPECT_EQ(b[64 + 17], 2);
    EXPECT_EQ(b[headerLength - 1], '\x0D');
    const std::string record = b.substr(headerLength, recordLength);
    EXPECT_EQ(record.substr(0, 3), " AB");
    EXPECT_EQ(record.substr(301, 8), "    3.50");
    EXPECT_EQ(record.substr(309, 10), std::string(10, ' '));
    EXPECT_EQ(b.back(), '\x1A');

    const std::string memo = fileBytes(dir.path() / "T.FPT");
    ASSERT_EQ(memo.size(), 512u);
    EXPECT_EQ(memo.substr(0, 4), std::string("\0\0\0\x08", 4));  // next free block, big-endian
    EXPECT_EQ(memo.substr(6, 2), std::string("\0\x40", 2));      // block size 64
}

TEST_F(TableTest, FieldsAreFoundByNameInAnyCase) {
    auto path = dir.path() / "ITEMS.DBF";
    Table::create(path, kItemFields, Driver::DBFCDX);
    auto t = openTable(path);
    const std::vector<std::pair<std::string, int>> cases = {
        {"KODE", 1}, {"kode", 1}, {"Harga", 3}, {"PANJANG", 8}, {"catatan", 7},
        {"KOD", 0},  {"KODEX", 0}, {"", 0},      {"NAMA_YANG_PANJANG_SEKALI", 0},
    };
    for (const auto& [name, position] : cases) EXPECT_EQ(t->fieldPos(name), position) << name;
}

TEST_F(TableTest, NavigationSkipsDeletedRecordsOnlyWhileTheSettingIsOn) {
    auto t = openTable(makeCodes(5));
    t->goTo(1);
    t->deleteRecord();
    t->goTo(4);
    t->deleteRecord();
    t->goTo(5);
    t->deleteRecord();
    EXPECT_EQ(visibleCodes(*t), (std::vector<std::string>{"K2", "K3"}));
    t->goBottom();
    EXPECT_EQ(t->recNo(), 3u);
    t->skip(-1);
    EXPECT_EQ(t->recNo(), 2u);
    EXPECT_FALSE(t->bof());
    t->skip(-1);  // no visible record before: stays on the first with the begin flag
    EXPECT_EQ(t->recNo(), 2u);
    EXPECT_TRUE(t->bof());
    t->skip(5);
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->recNo(), 6u);
    t->skip(-1);  // back from the end lands on the last visible record
    EXPECT_EQ(t->recNo(), 3u);
    t->goTo(4);   // goTo reaches a deleted record
    EXPECT_FALSE(t->eof());
    EXPECT_TRUE(t->deleted());
    t->goTo(99);
    EXPECT_TRUE(t->eof());
    EXPECT_EQ(t->fieldGet(1).text(), std::string(10, ' '));

    settings().deleted = false;
    EXPECT_EQ(visibleCodes(*t), (std::vector<std::string>{"K1", "K2", "K3", "K4", "K5"}));
    t->goTo(4);
    t->recall();
    settings().deleted = true;
    EXPECT_EQ(visibleCodes(*t), (std::vector<std::string>{"K2", "K3", "K4"}));
}

TEST_F(TableTest, FilterHidesRecordsFromNavigation) {
    auto t = openTable(makeCodes(6));
    Table* raw = t.get();
    t->setFilter([raw] { return raw->recNo() % 2 == 0; });
    EXPECT_EQ(visibleCodes(*t), (std::vector<std::string>{"K2", "K4", "K6"}));
    t->clearFilter();
    EXPECT_EQ(visibleCodes(*t).size(), 6u);
}

TEST_F(TableTest, EmptyTableStandsAtEndAndBeginning) {
    auto t = openTable(makeCodes(0));
    t->goTop();
    EXPECT_TRUE(t->eof());
    EXPECT_TRUE(t->bof());
    EXPECT_EQ(t->recNo(), 1u);
    t->goBottom();
    EXPECT_TRUE(t->eof());
    t->skip(1);
    EXPECT_TRUE(t->eof());
}

TEST_F(TableTest, ZapAndPackShrinkDataAndMemoFiles) {
    auto path = dir.path() / "M.DBF";
    Table::create(path, {{"KODE", 'C', 10, 0}, {"CATATAN", 'M', 10, 0}}, Driver::DBFCDX);
    auto memoPath = dir.path() / "M.FPT";
    {
        auto t = openTable(path);
        for (int i = 1; i <= 50; ++i) {
            t->append();
            t->fieldPut(1, Value("K" + std::to_string(i)));
            t->fieldPut(2, Value(std::string(200, static_cast<char>('a' + i % 26))));
            if (i % 2 == 0) t->deleteRecord();
        }
        t->goTo(3);
        t->fieldPut(2, Value(std::string(1000, 'z')));  // the old memo becomes dead space
        t->commit();
        uint64_t memoBefore = std::filesystem::file_size(memoPath);
        t->pack();
        EXPECT_EQ(t->recCount(), 25u);
        EXPECT_LT(std::filesystem::file_size(memoPath), memoBefore);
    }
    {
        auto t = openTable(path);
        settings().deleted = false;
        std::vector<std::string> codes = visibleCodes(*t);
        ASSERT_EQ(codes.size(), 25u);
        EXPECT_EQ(codes.front(), "K1");
        EXPECT_EQ(codes[1], "K3");
        t->goTo(2);
        EXPECT_EQ(t->fieldGet(2).text(), std::string(1000, 'z'));
        t->goTo(25);
        EXPECT_EQ(t->fieldGet(2).text(), std::string(200, static_cast<char>('a' + 49 % 26)));
        t->zap();
        EXPECT_EQ(t->recCount(), 0u);
        EXPECT_TRUE(t->eof());
    }
    EXPECT_EQ(std::filesystem::file_size(path), 32u + 2 * 32 + 1 + 1);
    EXPECT_EQ(std::filesystem::file_size(memoPath), 512u);
}

TEST_F(TableTest, PackThatFailsHalfwayLeavesTheTableAsItWas) {
    auto path = dir.path() / "M.DBF";
    Table::create(path, {{"KODE", 'C', 4, 0}, {"CATATAN", 'M', 10, 0}}, Driver::DBFCDX);
    {
        auto t = openTable(path);
        for (const char* memo : {"satu", "dua", "tiga"}) {
            t->append();
            t->fieldPut(2, Value(memo));
        }
        t->goTo(1);
        t->deleteRecord();
    }
    {
        // Record 3 points far past the end of the memo file.
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(32 + 2 * 32 + 1 + 2 * 15 + 1 + 4);
        file.write("      9999", 10);
    }
    const std::string before = fileBytes(path);
    const std::string memoBefore = fileBytes(dir.path() / "M.FPT");
    {
        auto t = openTable(path);
        EXPECT_THROW(t->pack(), Error);
    }
    EXPECT_EQ(fileBytes(path), before);
    EXPECT_EQ(fileBytes(dir.path() / "M.FPT"), memoBefore);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "M.DBF.pack"));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "M.FPT.pack"));
}

TEST_F(TableTest, ZapAndPackNeedExclusiveUse) {
    auto t = openTable(makeCodes(2), /*exclusive=*/false);
    EXPECT_THROW(t->zap(), Error);
    EXPECT_THROW(t->pack(), Error);
    EXPECT_EQ(t->recCount(), 2u);
}

TEST_F(TableTest, ReadOnlyTableRefusesWrites) {
    auto path = makeCodes(1);
    auto t = Table::open(path, OpenOptions{false, true, Driver::DBFCDX});
    EXPECT_THROW(t->append(), Error);
    EXPECT_THROW(t->fieldPut(1, Value("X")), Error);
    EXPECT_THROW(t->deleteRecord(), Error);
}

TEST_F(TableTest, TextIsTranslatedToTheTableCodePage) {
    auto path = dir.path() / "CP.DBF";
    Table::create(path, {{"NAMA", 'C', 6, 0}}, Driver::DBFCDX);
    {
        auto t = openTable(path);
        t->append();
        t->fieldPut(1, Value("ÄéЖ€x"));  // Ä and é exist in code page 437, Ж and € do not
    }
    const std::string b = fileBytes(path);
    EXPECT_EQ(b.substr(32 + 32 + 1 + 1, 6), "\x8E\x82??x ");
    auto t = openTable(path);
    EXPECT_EQ(t->fieldGet(1).text(), "Äé??x ");
}

TEST_F(TableTest, ValuesThatDoNotFitOrMismatchAreRefused) {
    auto path = dir.path() / "N.DBF";
    Table::create(path, {{"JUMLAH", 'N', 5, 2}, {"TGL", 'D', 8, 0}}, Driver::DBFCDX);
    auto t = openTable(path);
    t->append();
    EXPECT_NO_THROW(t->fieldPut(1, Value(99.99)));
    EXPECT_THROW(t->fieldPut(1, Value(100.0)), Error);
    EXPECT_THROW(t->fieldPut(1, Value("12")), Error);
    EXPECT_THROW(t->fieldPut(2, Value(3.0)), Error);
    EXPECT_DOUBLE_EQ(t->fieldGet(1).number(), 99.99);
}

TEST_F(TableTest, RepeatedValuesAndRefusedWritesGiveTheBytesOfAFirstWrite) {
    // A field keeps the bytes of its last value for the next equal one; a refused value is not kept.
    auto path = dir.path() / "R.DBF";
    Table::create(path, {{"HARGA", 'N', 8, 2}, {"KODE", 'C', 4, 0}, {"TGL", 'D', 8, 0}}, Driver::DBFCDX);
    struct Row {
        double price;
        const char* code;
        Date day;
        const char* image;
    };
    const std::vector<Row> rows = {
        {1.5, "A", {2024, 1, 2}, "     1.50A   20240102"}, {1.5, "A", {2024, 1, 2}, "     1.50A   20240102"},
        {-0.0, "B", {}, "     0.00B           "},          {0.0, "B", {}, "     0.00B           "},
        {1.5, "A", {2024, 1, 2}, "     1.50A   20240102"},
    };
    {
        auto t = openTable(path);
        for (const Row& row : rows) {
            t->append();
            t->fieldPut(1, Value(row.price));
            t->fieldPut(2, Value(row.code));
            t->fieldPut(3, Value(row.day));
        }
        t->append();
        EXPECT_THROW(t->fieldPut(1, Value(1e9)), Error);
        EXPECT_THROW(t->fieldPut(1, Value(1e9)), Error);
        t->fieldPut(1, Value(1.5));
    }
    const std::string b = fileBytes(path);
    const size_t headerLength = 32 + 3 * 32 + 1, recordLength = 1 + 8 + 4 + 8;
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(b.substr(headerLength + i * recordLength, recordLength), rows[i].image) << i;
    EXPECT_EQ(b.substr(headerLength + rows.size() * recordLength, recordLength), "     1.50            ");
}

TEST_F(TableTest, ExclusiveOpenKeepsOthersOut) {
    auto path = makeCodes(1);
    {
        auto shared1 = openTable(path, false);
        auto shared2 = openTable(path, false);  // shared opens coexist
        EXPECT_THROW(openTable(path, true), Error);
    }
    auto exclusive = openTable(path, true);
    try {
        openTable(path, false);
        FAIL() << "a shared open beside an exclusive one must fail";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("in use by another program"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos);
    }
    // Another process is kept out as well.
    pid_t child = fork();
    if (child == 0) {
        try {
            openTable(path, false);
            _exit(0);
        } catch (const Error&) {
            _exit(3);
        }
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_EQ(WEXITSTATUS(status), 3);
}

}  // namespace
}  // namespace tarvo::xbase
