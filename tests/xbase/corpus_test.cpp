// Real tables of other programs (the corpus beside the project, with the public test data of other
// DBF libraries): every table opens and reads whole, or is refused with a message naming the file;
// every usable tag can be checked; counts and values agree with what those libraries' tests expect.
// Passed over when the corpus is absent.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"

namespace tarvo::xbase {
namespace {

namespace fs = std::filesystem;

const fs::path kCorpus = fs::path(TARVO_FIXTURES_DIR) / ".." / "corpus";

// A table of the corpus by its path there. "/**/" stands for the folders between a library's
// name and the file, where a library keeps its fixtures deep in its own test tree.
fs::path corpusPath(const std::string& relative) {
    const size_t any = relative.find("/**/");
    if (any == std::string::npos) return kCorpus / relative;
    const fs::path library = kCorpus / relative.substr(0, any);
    const std::string tail = relative.substr(any + 3);  // "/folder/file", matched at the path's end
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(library))
        if (entry.is_regular_file() && entry.path().string().ends_with(tail)) found.push_back(entry.path());
    std::sort(found.begin(), found.end());
    return found.empty() ? library / tail.substr(1) : found.front();
}

std::unique_ptr<Table> openReadOnly(const fs::path& path) {
    return Table::open(path, OpenOptions{false, true, Driver::DBFCDX});
}

std::vector<fs::path> corpusTables() {
    std::vector<fs::path> tables;
    for (const auto& entry : fs::recursive_directory_iterator(kCorpus)) {
        std::string extension = entry.path().extension().string();
        std::transform(extension.begin(), extension.end(), extension.begin(), ::tolower);
        if (entry.is_regular_file() && (extension == ".dbf" || extension == ".dbc")) tables.push_back(entry.path());
    }
    std::sort(tables.begin(), tables.end());
    return tables;
}

class CorpusTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!fs::is_directory(kCorpus)) GTEST_SKIP() << "no corpus at " << kCorpus;
        applyStartupSettings();
        settings().deleted = false;
    }
};

// What one table gives: the refusal, or the records read and the problems its tags report.
struct Reading {
    std::string refusal;
    uint32_t records = 0;
    std::vector<std::string> tagProblems;
};

Reading readWhole(const fs::path& path) {
    Reading reading;
    try {
        auto table = openReadOnly(path);
        for (table->goTop(); !table->eof(); table->skip()) {
            for (int i = 1; i <= table->fieldCount(); ++i) table->fieldGet(i);
            ++reading.records;
        }
        for (int i = 1; i <= table->orderCount(); ++i) {
            IndexOrder& order = *table->order(i);
            if (!order.usable()) continue;
            for (const std::string& problem : table->indexes()->check(order)) reading.tagProblems.push_back(problem);
        }
    } catch (const Error& e) {
        reading.refusal = e.what();
    }
    return reading;
}

TEST_F(CorpusTest, EveryTableReadsWholeOrIsRefusedNamingTheFile) {
    const std::vector<fs::path> tables = corpusTables();
    ASSERT_GT(tables.size(), 250u);
    int read = 0;
    for (const fs::path& path : tables) {
        SCOPED_TRACE(path.string());
        const Reading reading = readWhole(path);
        if (reading.refusal.empty()) {
            ++read;
            continue;
        }
        // The message names the table or its companion file, and the reason after it.
        EXPECT_NE(reading.refusal.find(path.parent_path().string()), std::string::npos) << reading.refusal;
        EXPECT_NE(reading.refusal.find(": "), std::string::npos) << reading.refusal;
    }
    EXPECT_GE(read, 235);
}

// Tables that other engines read and that we once refused or read wrongly.
TEST_F(CorpusTest, TablesOfOtherWritersRead) {
    const char* tables[] = {
        "OSGeo+shapelib/tests/shape_eg_data/3dpoints.dbf",
        "OSGeo+shapelib/tests/shape_eg_data/brklinz.dbf",
        "OSGeo+shapelib/tests/shape_eg_data/masspntz.dbf",
        "OSGeo+shapelib/tests/shape_eg_data/multipatch.dbf",
        "incubus+DBD-XBase/t/rooms.dbf",
        "albfernandez+javadbf/src/test/resources/bug-77-no-header-record-terminator/"
        "continents-null-header-record-terminator.dbf",
        "albfernandez+javadbf/src/test/resources/bug-77-no-header-record-terminator/"
        "continents_no_header_record_terminator.dbf",
        "albfernandez+javadbf/src/test/resources/bug_64_excel_dbf/wrong-exented-character-field.dbf",
        "Valentin-Kaiser+go-dbase/examples/test_data/table/TEST.DBF",
        "eXavera+NDbfReader/NDbfReader.Tests/Samples/ZeroSizeColumn.dbf",
        "emelhu+NDbfReaderEx/NDbfReaderEx_Test/BDE_TEST_4_64.dbf",
        "infused+dbf/**/foxprodb/calls.dbf",
        "infused+dbf/**/foxprodb/setup.dbf",
        "mkfoss+vulpo/mkfdbflib/data/info.dbf",
        "Valentin-Kaiser+go-dbase/examples/test_data/database/EXPENSES.DBC",
        "infused+dbf/**/foxprodb/FOXPRO-DB-TEST.DBC",
        "albfernandez+javadbf/src/test/resources/fixtures/foxpro-xsource/foxref_ref.dbf",
    };
    for (const char* table : tables) {
        SCOPED_TRACE(table);
        const Reading reading = readWhole(corpusPath(table));
        EXPECT_EQ(reading.refusal, "");
        EXPECT_EQ(reading.tagProblems, std::vector<std::string>{});
    }
}

// Tables bound to a database container: their tags name fields by the long names the container
// keeps, and every tag can be used and checked.
TEST_F(CorpusTest, TablesBoundToADatabaseContainerUseItsLongNames) {
    struct Bound {
        const char* table;
        int field;
        const char* longName;
    };
    const Bound cases[] = {
        {"Valentin-Kaiser+go-dbase/examples/test_data/database/employees.dbf", 3, "socialsecuritynumber"},
        {"Valentin-Kaiser+go-dbase/examples/test_data/database/expense categories.dbf", 1, "expensecategoryid"},
        {"Valentin-Kaiser+go-dbase/examples/test_data/database/expense details.dbf", 5, "expenseitemdescription"},
        {"Valentin-Kaiser+go-dbase/examples/test_data/database/expense reports.dbf", 2, "employeeid"},
        {"infused+dbf/**/foxprodb/contacts.dbf", 21, "contact_type_id"},
        {"infused+dbf/**/foxprodb/types.dbf", 1, "contact_type_id"},
    };
    for (const Bound& c : cases) {
        SCOPED_TRACE(c.table);
        auto table = openReadOnly(corpusPath(c.table));
        EXPECT_EQ(table->containerProblem(), "");
        EXPECT_EQ(table->longFieldName(c.field), c.longName);
        EXPECT_EQ(table->fieldPos(c.longName), c.field);
        ASSERT_GT(table->orderCount(), 0);
        for (int i = 1; i <= table->orderCount(); ++i) {
            IndexOrder& order = *table->order(i);
            EXPECT_TRUE(order.usable()) << order.name() << ": " << order.unusableReason();
            if (order.usable()) {
                EXPECT_EQ(table->indexes()->check(order), IndexProblems{});
            }
        }
    }
    // A container that is not beside the table leaves the short names, and says so.
    auto payments = openReadOnly(kCorpus / "albfernandez+javadbf/src/test/resources/fixtures/foxpro-xsource/payments.dbf");
    EXPECT_EQ(payments->containerProblem(), "database container time and billing.dbc is missing");
    EXPECT_EQ(payments->longFieldName(1), "");
}

// A tag over a nullable field, whose keys lead with a null flag, is read and sought; a write that
// would have to keep it is refused, naming the table and the tag, and leaves the files as they were.
TEST_F(CorpusTest, TagsWithNullFlaggedKeysAreReadButNotWritten) {
    const fs::path source = kCorpus / "albfernandez+javadbf/src/test/resources/fixtures/foxpro-xsource";
    test::TempDir dir;
    for (const char* name : {"foxref_ref.dbf", "foxref_ref.cdx", "foxref_ref.fpt"})
        fs::copy_file(source / name, dir.path() / name);
    const fs::path path = dir.path() / "foxref_ref.dbf";
    const auto before = test::fileContents(dir.path());
    {
        auto table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
        IndexOrder* checked = table->order("CHECKED");
        ASSERT_NE(checked, nullptr);
        ASSERT_TRUE(checked->usable()) << checked->unusableReason();
        EXPECT_NE(checked->unkeptReason(), "");
        ASSERT_TRUE(table->setOrder("CHECKED"));
        EXPECT_TRUE(table->seek(Value(false), false));
        for (const std::function<void()>& write : std::vector<std::function<void()>>{
                 [&] { table->append(); },
                 [&] { table->fieldPut("CHECKED", Value(true)); },
                 [&] { table->reindex(); },
             }) {
            try {
                write();
                ADD_FAILURE() << "the write was not refused";
            } catch (const Error& e) {
                EXPECT_NE(std::string(e.what()).find((dir.path() / "foxref_ref.").string()), std::string::npos) << e.what();
                EXPECT_NE(std::string(e.what()).find("CHECKED"), std::string::npos) << e.what();
            }
        }
    }
    EXPECT_EQ(test::fileContents(dir.path()), before);
}

TEST_F(CorpusTest, CountsAndValuesAgreeWithTheSourceLibrariesTests) {
    struct Expected {
        const char* table;
        uint32_t records;
        uint32_t recno;
        const char* field;
        std::string text;  // the value as text: character values, numbers with Str(), dates as DTOS
    };
    const Expected cases[] = {
        {"infused+dbf/**/cp1251.dbf", 4, 1, "NAME", "амбулаторно-поликлиническое"},
        {"infused+dbf/**/mazovia.dbf", 2, 2, "A2", "Ś╫êëτ⌡ś"},
        {"albfernandez+javadbf/src/test/resources/gbk.dbf", 0, 1, "设计编号", "201500256-059K-001-001牡丹江林口朝阳"},
        {"LindsayBradford+go-dbf/testdata/lessThanActualRecords.dbf", 3, 3, "TESTTEXT", "test2"},
        {"LindsayBradford+go-dbf/testdata/validFile.dbf", 0, 1, "TESTDATE", "20180101"},
        {"tmontaigu+dbase-rs/tests/data/stations_with_deleted.dbf", 6, 2, "NAME", "Franconia-Springfield"},
        {"yellowfeather+DbfDataReader/test/fixtures/dbase_03_nullchar.dbf", 3, 1, "OTHERTXT", "5678test"},
        {"albfernandez+javadbf/src/test/resources/numbers2.dbf", 8, 4, "DOUBLE2", "105.539"},
        {"albfernandez+javadbf/src/test/resources/numbers2.dbf", 8, 8, "DOUBLE1", "-143.74"},
        {"eXavera+NDbfReader/NDbfReader.Tests/Samples/10BytesDates.dbf", 1, 1, "LASTNAME", "DOE"},
    };
    for (const Expected& c : cases) {
        SCOPED_TRACE(std::string(c.table) + " " + c.field);
        auto table = openReadOnly(corpusPath(c.table));
        if (c.records != 0) {
            EXPECT_EQ(table->recCount(), c.records);
        }
        table->goTo(c.recno);
        int pos = 0;
        for (int i = 1; i <= table->fieldCount(); ++i)
            if (table->decodeText(table->field(i).name) == c.field) pos = i;
        ASSERT_NE(pos, 0);
        const Value value = table->fieldGet(pos);
        std::string text;
        if (value.isCharacter()) text = value.text().substr(0, value.text().find_last_not_of(' ') + 1);
        if (value.isDate()) text = std::to_string(value.date().year * 10000 + value.date().month * 100 + value.date().day);
        if (value.isNumeric()) {
            text = std::to_string(value.number());
            text.erase(text.find_last_not_of('0') + 1);
            if (text.back() == '.') text.pop_back();
        }
        EXPECT_EQ(text, c.text);
    }
}

TEST_F(CorpusTest, FormatsWeDoNotReadAreRefusedNamingTheFormat) {
    const std::map<std::string, std::string> cases = {
        {"albfernandez+javadbf/src/test/resources/fixtures/dbase_7.dbf", "a dBASE 7 table"},
        {"infused+dbf/**/dbase_02.dbf", "a dBASE II table"},
        {"infused+dbf/**/dbase_83_missing_memo.dbf", "memo file dbase_83_missing_memo.DBT is missing"},
        {"jferard+JxBase/mybase.dbf", "file is truncated"},
    };
    for (const auto& [table, reason] : cases) {
        SCOPED_TRACE(table);
        const Reading reading = readWhole(corpusPath(table));
        EXPECT_NE(reading.refusal.find(corpusPath(table).string() + ": " + reason), std::string::npos)
            << reading.refusal;
    }
}

}  // namespace
}  // namespace tarvo::xbase
