// Tables written by other programs: the fixtures of another xBase engine, and files built
// byte by byte from the published layouts of each header version; damaged files.

#include <gtest/gtest.h>

#include <fstream>

#include "tests/support/fixture_files.h"
#include "tests/support/foreign_files.h"
#include "tests/support/test_support.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace tarvo::xbase {
namespace {

using test::TempDir;

using test::dbfImage;
using test::le16;
using test::le32;
using test::writeFile;

std::unique_ptr<Table> openReadOnly(const std::filesystem::path& path, Driver driver = Driver::DBFCDX) {
    return Table::open(path, OpenOptions{false, true, driver});
}

class ForeignTableTest : public ::testing::Test {
protected:
    void SetUp() override { applyStartupSettings(); }
    TempDir dir;
};

TEST_F(ForeignTableTest, FixturesOfAnotherEngineOpen) {
    TARVO_SKIP_WITHOUT_FIXTURE(test::foreignTable("vfp"));
    for (const char* kind : {"foxpro2", "vfp"}) {
        SCOPED_TRACE(kind);
        auto t = openReadOnly(test::foreignTable(kind));
        EXPECT_EQ(t->version(), std::string(kind) == "vfp" ? 0x30 : 0xF5);
        ASSERT_EQ(t->fieldCount(), 6);
        EXPECT_EQ(t->recCount(), 5u);
        std::vector<std::string> names;
        for (t->goTop(); !t->eof(); t->skip()) names.push_back(t->fieldGet("NAME").text().substr(0, 6));
        EXPECT_EQ(names, (std::vector<std::string>{"Widget", "apple ", "Zebra ", "Mango "}));  // record 4 deleted
        t->goTo(5);
        EXPECT_DOUBLE_EQ(t->fieldGet("PRICE").number(), -7.10);
        EXPECT_EQ(t->fieldGet("BDATE").date(), (Date{2020, 2, 29}));
        EXPECT_EQ(t->fieldGet("NOTES").text(), "Line 1\r\nLine 2");
        t->goTo(3);
        EXPECT_TRUE(t->fieldGet("BDATE").date().empty());
        EXPECT_EQ(t->fieldGet("NOTES").text().size(), 5 * 43u);  // spans several 64-byte blocks
        t->goTo(2);
        EXPECT_EQ(t->fieldGet("NOTES").text(), "");
        EXPECT_FALSE(t->fieldGet("ACTIVE").logical());
    }
}

TEST_F(ForeignTableTest, DbaseThreeWithDbtMemo) {
    auto path = dir.path() / "D3.DBF";
    writeFile(path, dbfImage(0x83, {{"KODE", 'C', 5}, {"MEMO", 'M', 10}},
                             {" AB001         1", "*AB002          "}));
    std::string dbt = le32(2) + std::string(508, '\0') + "hello dBASE\x1A\x1A";
    dbt.resize(1024, '\0');
    writeFile(dir.path() / "D3.DBT", dbt);
    settings().deleted = false;
    auto t = openReadOnly(path, Driver::DBFNTX);
    t->goTop();
    EXPECT_EQ(t->fieldGet(2).text(), "hello dBASE");
    t->skip();
    EXPECT_TRUE(t->deleted());
    EXPECT_EQ(t->fieldGet(1).text(), "AB002");
}

TEST_F(ForeignTableTest, DbaseFourWithDbtMemoAndCodePage) {
    auto path = dir.path() / "D4.DBF";
    // Language driver 0x02 is code page 850: byte 0xA5 is 'Ñ' there.
    writeFile(path, dbfImage(0x8B, {{"NAMA", 'C', 4}, {"MEMO", 'M', 10}}, {" \xA5" "AB          1"}, 0x02));
    std::string dbt = le32(2) + std::string(16, '\0') + le16(512) + std::string(490, '\0');
    dbt += std::string("\xFF\xFF\x08\x00", 4) + le32(8 + 5) + "dBIV!";
    dbt.resize(1024, '\0');
    writeFile(dir.path() / "D4.DBT", dbt);
    auto t = openReadOnly(path, Driver::DBFMDX);
    EXPECT_EQ(t->codePageName(), "CP850");
    EXPECT_EQ(t->fieldGet(1).text(), "ÑAB ");
    EXPECT_EQ(t->fieldGet(2).text(), "dBIV!");
}

TEST_F(ForeignTableTest, VisualFoxProTypesAndNullFlags) {
    auto path = dir.path() / "VFP.DBF";
    std::string record = " ";
    record += "ab";                                            // C(2), nullable, null
    record += le32(static_cast<uint32_t>(-42));                // I
    record += le32(1234500) + le32(0);                         // Y: 123.45
    double d = 2.5;
    record += std::string(reinterpret_cast<const char*>(&d), 8);  // B
    record += le32(2460500) + le32(0);                         // T: Julian day
    record += le32(0);                                         // M, binary block pointer: none
    record += '\x01';                                          // _NullFlags: field 1 is null
    writeFile(path, dbfImage(0x30,
                             {{"N", 'C', 2, 0, 0x02}, {"I", 'I', 4}, {"Y", 'Y', 8, 4}, {"B", 'B', 8, 2},
                              {"T", 'T', 8}, {"M", 'M', 4}, {"_NullFlags", '0', 1, 0, 0x05}},
                             {record}, 0x03, true));
    writeFile(dir.path() / "VFP.FPT", std::string("\0\0\0\x08\0\0\0\x40", 8) + std::string(504, '\0'));
    auto t = openReadOnly(path);
    EXPECT_EQ(t->fieldCount(), 6);  // _NullFlags is hidden
    EXPECT_EQ(t->fieldPos("_NullFlags"), 0);
    EXPECT_EQ(t->fieldPos("m"), 6);
    EXPECT_TRUE(t->fieldGet("N").isNil());
    EXPECT_EQ(t->fieldGet("I").number(), -42);
    EXPECT_DOUBLE_EQ(t->fieldGet("Y").number(), 123.45);
    EXPECT_DOUBLE_EQ(t->fieldGet("B").number(), 2.5);
    EXPECT_EQ(t->fieldGet("T").dateTime(), (DateTime{Date::fromJulian(2460500), 0}));
    EXPECT_EQ(t->fieldGet("M").text(), "");
}

TEST_F(ForeignTableTest, DamagedFilesGiveErrorsNamingFileAndProblem) {
    const std::string good = dbfImage(0x03, {{"KODE", 'C', 5}}, {" AAAAA", " BBBBB"});
    auto with = [&](size_t pos, const std::string& bytes) {
        std::string b = good;
        b.replace(pos, bytes.size(), bytes);
        return b;
    };
    struct Case {
        const char* name;
        std::string bytes;
        const char* problem;
    };
    const std::vector<Case> cases = {
        {"empty", "", "truncated"},
        {"truncated header", good.substr(0, 20), "truncated"},
        {"unknown version", with(0, "\x7F"), "unknown version byte 0x7F"},
        {"header longer than file", with(8, le16(5000)), "header length"},
        {"record size does not add up", with(10, le16(4)).substr(0, good.size() - 4), "does not match the field widths"},
        {"records beyond the end", with(4, le32(1000)), "goes beyond the end of the file"},
        {"field of width 0", with(32 + 16, std::string(1, '\0')), "width of 0"},
        {"no terminator", with(64, "X"), "terminator"},
        {"bad field type", with(32 + 11, "Z"), "unsupported type"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto path = dir.path() / "BAD.DBF";
        writeFile(path, c.bytes);
        try {
            openReadOnly(path);
            ADD_FAILURE() << "opened a damaged file";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(path.string()), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.problem), std::string::npos) << e.what();
        }
    }
}

TEST_F(ForeignTableTest, ATableWithoutFieldsOpensAsAnEmptyStructure) {
    auto path = dir.path() / "NOFIELDS.DBF";
    writeFile(path, dbfImage(0x30, {}, {" ", " "}, 0x03, true));
    auto t = openReadOnly(path);
    EXPECT_EQ(t->fieldCount(), 0);
    EXPECT_TRUE(t->structure().empty());
    EXPECT_EQ(t->recordLength(), 1u);
    EXPECT_EQ(t->recCount(), 2u);
    int records = 0;
    for (t->goTop(); !t->eof(); t->skip()) ++records;
    EXPECT_EQ(records, 2);
}

// Headers other programs write differently from the layout, read as the data holds them.
TEST_F(ForeignTableTest, HeadersThatDisagreeWithTheDataAreReadAsTheDataHoldsThem) {
    const std::string good = dbfImage(0x03, {{"KODE", 'C', 5}}, {" AAAAA", " BBBBB"});
    const size_t terminator = 32 + 32;
    auto with = [&](size_t pos, const std::string& bytes) {
        std::string b = good;
        b.replace(pos, bytes.size(), bytes);
        return b;
    };
    // Header length 64: the first record follows the last descriptor, without a terminator.
    std::string noTerminator = with(8, le16(64));
    noTerminator.erase(terminator, 1);
    // Three records where the header counts one.
    std::string moreRecords = with(4, le32(1));
    moreRecords.insert(moreRecords.size() - 1, "*CCCCC");
    // The header's record length one short of the field widths the records use.
    const std::string shortRecord = with(10, le16(5));
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> values;
        std::vector<std::string> disagreements;
    };
    const std::vector<Case> cases = {
        {"terminator 0x0A", with(terminator, "\x0A"), {"AAAAA", "BBBBB"}, {}},
        {"terminator 0x00", with(terminator, std::string(1, '\0')), {"AAAAA", "BBBBB"}, {}},
        {"header ends after the fields", noTerminator, {"AAAAA", "BBBBB"}, {}},
        {"more records than counted", moreRecords, {"AAAAA", "BBBBB", "CCCCC"},
         {"header says 1 record, the file holds 3"}},
        {"record length short of the fields", shortRecord, {"AAAAA", "BBBBB"},
         {"header says record length 5, the fields take 6"}},
        {"text padded with NULs", with(terminator + 1, std::string(" AA\0\0\0", 6)), {"AA   ", "BBBBB"}, {}},
    };
    settings().deleted = false;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto path = dir.path() / "ODD.DBF";
        writeFile(path, c.bytes);
        std::vector<std::string> values;
        {
            auto t = openReadOnly(path);
            EXPECT_EQ(t->headerDisagreements(), c.disagreements);
            for (t->goTop(); !t->eof(); t->skip()) values.push_back(t->fieldGet(1).text());
        }
        EXPECT_EQ(values, c.values);
        // Writing is refused where the header disagrees, so that no other program misreads it.
        // Records past the header's count are what an unfinished append left: for writing, the
        // header's count decides.
        auto t = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
        t->goTop();
        if (c.disagreements.empty()) continue;
        if (c.disagreements[0].find("the file holds") != std::string::npos) {
            EXPECT_EQ(t->headerDisagreements(), std::vector<std::string>{});
            EXPECT_EQ(t->recCount(), 1u);
            continue;
        }
        try {
            t->fieldPut(1, Value("ZZZZZ"));
            ADD_FAILURE() << "wrote a table whose header disagrees with its data";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(path.string() + ": cannot write a field: " + c.disagreements[0]),
                      std::string::npos) << e.what();
        }
    }
}

// Language drivers name their code pages, double-byte ones and those iconv lacks included.
TEST_F(ForeignTableTest, LanguageDriversNameTheirCodePages) {
    const struct {
        uint8_t languageDriver;
        std::string bytes;
        const char* codePage;
        const char* text;
    } cases[] = {
        {0x7A, "\xB2\xE2\xCA\xD4" "ab", "CP936", "测试ab"},
        {0x4D, "\xB2\xE2\xCA\xD4" "ab", "CP936", "测试ab"},
        {0x7B, "\x83\x65\x83\x58", "CP932", "テス"},
        {0x69, "\x98\x9E\x86\x92", "CP620 (Mazovia)", "Śśął"},
        {0x68, "P\xA9\xA1li\xA8", "CP895 (Kamenicky)", "Příliš"},
        {0x98, "\xA1\xE1\xE2", "MAC-GREEK", "Γαβ"},
        {0xCC, "\xC0\xE0", "CP1257", "Ąą"},
        {0x11, "\x81", "CP437", "ü"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.codePage);
        auto path = dir.path() / "CP.DBF";
        const int width = static_cast<int>(c.bytes.size());
        writeFile(path, dbfImage(0x03, {{"T", 'C', width}}, {" " + c.bytes}, c.languageDriver));
        auto t = openReadOnly(path);
        EXPECT_EQ(t->codePageName(), c.codePage);
        EXPECT_EQ(t->fieldGet(1).text(), c.text);
        EXPECT_EQ(t->encodeText(c.text), c.bytes);
    }
}

// Field shapes of other writers: 10-byte dates, numeric fields of width 0, O and B doubles, binary memos.
TEST_F(ForeignTableTest, FieldShapesOfOtherWriters) {
    auto path = dir.path() / "SHAPES.DBF";
    double half = -0.5;
    std::string bBytes(reinterpret_cast<const char*>(&half), 8);
    writeFile(path, dbfImage(0x30, {{"D", 'D', 10}, {"Z", 'N', 0}, {"O", 'O', 8}, {"B", 'B', 8}, {"M", 'M', 4, 0, 0x04}},
                             {" 20180102  " + std::string("\x3F\xF8\0\0\0\0\0\0", 8) + bBytes + le32(8)},
                             0x03, true));
    std::string fpt = std::string("\0\0\0\x0A\0\0\0\x40", 8) + std::string(504, '\0');
    fpt += std::string("\0\0\0\0\0\0\0\x04", 8) + std::string("\x89P\0\x1A", 4);
    fpt.resize(640, '\0');
    writeFile(dir.path() / "SHAPES.FPT", fpt);
    auto t = openReadOnly(path);
    EXPECT_EQ(t->fieldGet("D").date(), (Date{2018, 1, 2}));
    EXPECT_EQ(t->fieldGet("Z").number(), 0);
    EXPECT_EQ(t->fieldGet("O").number(), -1.5);  // big endian, sign bit inverted
    EXPECT_EQ(t->fieldGet("B").number(), -0.5);
    EXPECT_TRUE(t->field(5).binary);
    EXPECT_EQ(t->fieldGet("M").text(), std::string("\x89P\0\x1A", 4));  // bytes as they are
}

// Tables of formats that share the version bytes but not the layout name their format.
TEST_F(ForeignTableTest, DBaseIIAndDBase7TablesNameTheirFormat) {
    std::string dBaseII = std::string("\x02", 1) + le16(1) + std::string("\x07\x08\x18", 3) + le16(6);
    std::string field(16, '\0');
    field.replace(0, 4, "KODE");
    field[11] = 'C';
    field[12] = 5;
    dBaseII += field + "\x0D";
    dBaseII.resize(521, '\0');
    dBaseII += " ABCDE\x1A";

    std::string dBase7 = std::string("\x04\x7C\x07\x08", 4) + le32(1) + le16(68 + 48 + 1) + le16(6);
    dBase7 += std::string(56, '\0');
    std::string field7(48, '\0');
    field7.replace(0, 4, "KODE");
    field7[32] = 'C';
    field7[33] = 5;
    dBase7 += field7 + "\x0D ABCDE\x1A";

    const std::vector<std::pair<std::string, const char*>> cases = {
        {dBaseII, "a dBASE II table (version byte 0x02), a format this program does not read"},
        {dBase7, "a dBASE 7 table (version byte 0x04), a format this program does not read"},
        {"\x8C" + dBase7.substr(1), "a dBASE 7 table (version byte 0x8C)"},
    };
    for (const auto& [bytes, message] : cases) {
        SCOPED_TRACE(message);
        auto path = dir.path() / "OTHER.DBF";
        writeFile(path, bytes);
        try {
            openReadOnly(path);
            ADD_FAILURE() << "opened a table of another format";
        } catch (const Error& e) {
            EXPECT_NE(std::string(e.what()).find(path.string() + ": " + message), std::string::npos) << e.what();
        }
    }
}

TEST_F(ForeignTableTest, DateTimeFieldsKeepTheirTimeOfDay) {
    auto path = dir.path() / "TIMES.DBF";
    const long timeOnlyDay = Date{1899, 12, 30}.julian();
    writeFile(path, dbfImage(0x30, {{"T", 'T', 8}},
                             {" " + le32(2460500) + le32(45296789), " " + le32(static_cast<uint32_t>(timeOnlyDay)) + le32(3600000),
                              " " + le32(0) + le32(0)},
                             0x03, true));
    {
        auto t = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
        t->goTo(1);
        EXPECT_EQ(t->fieldGet(1).dateTime(), (DateTime{Date::fromJulian(2460500), 45296789}));
        t->goTo(2);
        EXPECT_EQ(t->fieldGet(1).dateTime(), (DateTime{Date{1899, 12, 30}, 3600000}));
        t->goTo(3);
        EXPECT_TRUE(t->fieldGet(1).dateTime().empty());
        t->fieldPut(1, Value(DateTime{Date{2024, 7, 8}, 1}));
        t->append();
        t->fieldPut(1, Value(Date{2024, 7, 9}));  // a date alone is its midnight
        EXPECT_THROW(t->fieldPut(1, Value(5)), Error);
    }
    auto t = openReadOnly(path);
    t->goTo(3);
    EXPECT_EQ(t->fieldGet(1).dateTime(), (DateTime{Date{2024, 7, 8}, 1}));
    t->goTo(4);
    EXPECT_EQ(t->fieldGet(1).dateTime(), (DateTime{Date{2024, 7, 9}, 0}));
}

TEST_F(ForeignTableTest, MemoPointerPastTheMemoFileIsAnError) {
    auto path = dir.path() / "MP.DBF";
    writeFile(path, dbfImage(0xF5, {{"MEMO", 'M', 10}}, {"        999"}));
    writeFile(dir.path() / "MP.FPT", std::string("\0\0\0\x08\0\0\0\x40", 8) + std::string(504, '\0'));
    auto t = openReadOnly(path);
    try {
        t->fieldGet(1);
        FAIL() << "read a memo past the end";
    } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("MP.FPT"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("past the end"), std::string::npos) << e.what();
    }
    std::filesystem::remove(dir.path() / "MP.FPT");
    EXPECT_THROW(openReadOnly(path), Error);  // memo file missing
}

}  // namespace
}  // namespace tarvo::xbase
