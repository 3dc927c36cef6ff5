// Record routines on the current work area: validity marker, field access with its fatal
// path, order selection messages, exact seeks, zero tests, times and identifier rows.

#include <gtest/gtest.h>

#include "retaildb/file_routines.h"
#include "retaildb/program_end.h"
#include "retaildb/record_routines.h"
#include "tests/support/test_support.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::retaildb {
namespace {

using xbase::Value;
using xbase::workAreas;

struct ProgramEnded {
    std::string reason;
};

class RecordRoutinesTest : public ::testing::Test {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        setProgramEndHandler([](const std::string& reason) { throw ProgramEnded{reason}; });
        xbase::Table::create(dir.path() / "S_STOCK.Q7T", {{"KODE_C", 'C', 10, 0}, {"DBF_VLD", 'C', 4, 0}}, xbase::Driver::DBFCDX);
        xbase::Table::create(dir.path() / "ITEM.DBF", {{"KODE", 'C', 10, 0}}, xbase::Driver::DBFCDX);
        ASSERT_TRUE(workAreas().use(dir.path() / "ITEM.DBF", "ITEM", xbase::OpenOptions{true, false, xbase::Driver::DBFCDX}));
        ASSERT_TRUE(workAreas().use(dir.path() / "S_STOCK.Q7T", "S_STOCK", xbase::OpenOptions{true, false, xbase::Driver::DBFCDX}));
    }
    void TearDown() override {
        workAreas().closeAll();
        setProgramEndHandler(nullptr);
    }
    std::vector<std::string> errors() const {
        std::vector<std::string> out;
        for (const auto& m : ui.messages)
            if (m.kind == "error") out.push_back(m.text);
        return out;
    }
    void addCodes(std::initializer_list<const char*> codes) {
        for (const char* code : codes) {
            VOAPPEND();
            VOFieldPut("KODE_C", Value(code));
        }
        VOCREATEORDER(nullptr, "UPPER(KODE_C)", "KODE", (dir.path() / "S_STOCK.CDX").string());
    }

    test::TempDir dir;
    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
};

TEST_F(RecordRoutinesTest, AppendMarksValidRecordsWhereTheFieldExists) {
    EXPECT_TRUE(VOAPPEND());
    EXPECT_EQ(VOFieldGet("DBF_VLD"), Value("MTST"));
    workAreas().select("ITEM");
    EXPECT_TRUE(VOAPPEND());
    EXPECT_EQ(VOFieldGet("KODE"), Value(std::string(10, ' ')));
    EXPECT_EQ(VOFieldLen("kode"), 10);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(RecordRoutinesTest, MissingFieldShowsItsMessageAndEndsTheProgram) {
    VOAPPEND();
    struct Case {
        std::function<void()> call;
        std::string routine;
    };
    const std::vector<Case> cases = {
        {[] { VOFieldGet("HARGA"); }, "VOFieldGet"},
        {[] { VOFieldPut("HARGA", Value(1)); }, "VOFieldPut"},
        {[] { VOFieldLen("HARGA"); }, "VOFieldLen"},
    };
    for (const auto& c : cases) {
        ui.messages.clear();
        const std::string text = "[Alias : S_STOCK] -> FieldName \"HARGA\" not found <" + c.routine + "> !";
        try {
            c.call();
            ADD_FAILURE() << c.routine << " went on";
        } catch (const ProgramEnded& ended) {
            EXPECT_EQ(ended.reason, text);
        }
        EXPECT_EQ(errors(), std::vector<std::string>{text});
    }
}

TEST_F(RecordRoutinesTest, OrderSelectionMessages) {
    addCodes({"A1"});
    EXPECT_TRUE(VOSETORDER("KODE"));
    EXPECT_TRUE(VOSETORDER(1));
    EXPECT_FALSE(VOSETORDER(""));
    EXPECT_FALSE(VOSETORDER("NAMA"));
    EXPECT_FALSE(VOSETORDER(7));
    workAreas().selectArea(0);
    EXPECT_FALSE(VOSETORDER("KODE"));
    EXPECT_EQ(errors(), (std::vector<std::string>{
                            "Cannot set order to \"\", alias S_STOCK, empty order name",
                            "Cannot set order to \"NAMA\", alias S_STOCK, please run Create Indexes",
                            "Cannot set order to \"7\", alias S_STOCK, please run Create Indexes",
                            "Cannot set order to \"KODE\", empty alias name !",
                        }));
}

TEST_F(RecordRoutinesTest, SeeksFindPaddedCodesAndStopOnACorruptIndex) {
    addCodes({"AB", "ABC", "b"});
    ASSERT_TRUE(VOSETORDER("KODE"));
    const uint16_t width = VOFieldLen("KODE_C");
    auto padded = [&](std::string code) { return Value(code + std::string(width - code.size(), ' ')); };
    EXPECT_TRUE(VOSEEK(padded("ABC"), false));
    EXPECT_EQ(workAreas().current()->recNo(), 2u);
    EXPECT_TRUE(VOSEEK(padded("B"), false));
    EXPECT_FALSE(VOSEEK(padded("X"), false));
    EXPECT_TRUE(workAreas().current()->eof());
    EXPECT_FALSE(VOSEEK(Value(""), false));  // an empty key: at the end, not found
    EXPECT_TRUE(workAreas().current()->eof());
    EXPECT_FALSE(workAreas().current()->found());
    EXPECT_FALSE(VOSEEK(Value(), false));
    EXPECT_TRUE(VOSEEK(Value("AB"), true));  // soft: any record beginning with the key
    EXPECT_TRUE(ui.messages.empty());
    // Unpadded, "AB" finds a record whose key is longer than the sought key.
    try {
        VOSEEK(Value("AB"), false);
        FAIL() << "the program should have ended";
    } catch (const ProgramEnded& ended) {
        EXPECT_EQ(ended.reason, "Index file corrupt!! ");
    }
    EXPECT_EQ(errors(), std::vector<std::string>{"Index file corrupt!! "});
}

TEST_F(RecordRoutinesTest, ZeroTestsAndTimes) {
    EXPECT_TRUE(VOISZEROEX(0.0));
    EXPECT_TRUE(VOISZEROEX(0.0000004));
    EXPECT_TRUE(VOISZEROEX(-0.0000001));
    EXPECT_FALSE(VOISZEROEX(0.000001));
    EXPECT_FALSE(VOISZEROEX(-0.000001));
    EXPECT_TRUE(VOISZEROEX2(0.004, "999.99"));
    EXPECT_FALSE(VOISZEROEX2(0.005, "999.99"));
    EXPECT_EQ(TIMEEOD(), "23:59");
    EXPECT_EQ(TIMEEODMINUTES(), 1439);
    EXPECT_EQ(TIME2MINUTES("07:30"), 450);
    EXPECT_EQ(TIME2MINUTES("00:00"), 0);
}

TEST_F(RecordRoutinesTest, IdentifierRowsAndOpenAliases) {
    xbase::Table::create(dir.path() / "S_TABLID.Q7T", {{"LAST_ID", 'N', 10, 0}}, xbase::Driver::DBFCDX);
    ASSERT_TRUE(workAreas().use(dir.path() / "S_TABLID.Q7T", "S_TABLID", xbase::OpenOptions{true, false, xbase::Driver::DBFCDX}));
    for (int i = 0; i < 70; ++i) workAreas().current()->append();
    workAreas().select("S_STOCK");
    EXPECT_TRUE(TABLEIDUPDATE(15, 250));
    EXPECT_EQ(workAreas().alias(), "S_STOCK");  // the caller's area stays current
    xbase::Table* ids = workAreas().find("S_TABLID");
    ids->goTo(15);
    EXPECT_EQ(ids->fieldGet("LAST_ID").number(), 250);
    EXPECT_TRUE(ISOPENED("S_TABLID"));
    EXPECT_FALSE(ISOPENED("S_VENDOR"));
    EXPECT_EQ(workAreas().alias(), "S_STOCK");
}

}  // namespace
}  // namespace tarvo::retaildb
