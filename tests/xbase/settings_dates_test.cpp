#include <gtest/gtest.h>

#include "xbase/dates.h"
#include "xbase/settings.h"

namespace tarvo::xbase {
namespace {

class DatesTest : public ::testing::Test {
protected:
    void SetUp() override { applyStartupSettings(); }
    void TearDown() override { applyStartupSettings(); }
};

TEST(SettingsTest, StartupPutsBackEveryValue) {
    Settings& s = settings();
    s = Settings{"YYYY-MM-DD", false, 1900, 2, false, 10, 0.1, '.', ',', false, true, true, true, "DBFNTX"};
    applyStartupSettings();
    EXPECT_EQ(s.dateFormat, "DD/MM/YYYY");
    EXPECT_TRUE(s.century);
    EXPECT_EQ(s.epoch, 1970);
    EXPECT_EQ(s.decimals, 4);
    EXPECT_TRUE(s.digitFixed);
    EXPECT_EQ(s.digits, 20);
    EXPECT_DOUBLE_EQ(s.floatDelta, 0.00000001);
    EXPECT_EQ(s.decimalSep, ',');
    EXPECT_EQ(s.thousandSep, '.');
    EXPECT_TRUE(s.deleted);
    EXPECT_FALSE(s.softSeek);
    EXPECT_FALSE(s.exclusive);
    EXPECT_FALSE(s.ansi);
    EXPECT_EQ(s.defaultDriver, "DBFCDX");
}

TEST_F(DatesTest, ShowsDayMonthAndFourDigitYear) {
    EXPECT_EQ(DToC(Date{2024, 7, 8}), "08/07/2024");
    EXPECT_EQ(DToC(Date{1999, 12, 31}), "31/12/1999");
    EXPECT_EQ(DToC(Date{}), "  /  /    ");
    EXPECT_EQ(DToC(Date{2024, 2, 30}), "  /  /    ");
}

TEST_F(DatesTest, TwoDigitYearsFollowTheEpoch) {
    EXPECT_EQ(CToD("31/12/69"), (Date{2069, 12, 31}));
    EXPECT_EQ(CToD("31/12/70"), (Date{1970, 12, 31}));
    EXPECT_EQ(CToD("01/01/00"), (Date{2000, 1, 1}));
    EXPECT_EQ(CToD("31/12/1969"), (Date{1969, 12, 31}));
    settings().epoch = 1950;
    EXPECT_EQ(CToD("31/12/69"), (Date{1969, 12, 31}));
    EXPECT_EQ(CToD("31/12/49"), (Date{2049, 12, 31}));
}

TEST_F(DatesTest, ReadsDatesInTheDisplayFormat) {
    EXPECT_EQ(CToD("08/07/2024"), (Date{2024, 7, 8}));
    EXPECT_EQ(CToD("8/7/2024"), (Date{2024, 7, 8}));
    EXPECT_EQ(CToD("08.07.2024  "), (Date{2024, 7, 8}));
    EXPECT_EQ(CToD("29/02/2024"), (Date{2024, 2, 29}));
}

TEST_F(DatesTest, InvalidTextGivesTheEmptyDate) {
    for (const char* text : {"31/02/2024", "29/02/2023", "00/01/2024", "01/13/2024", "", "  /  /    ",
                             "abc", "08/07", "08/07/2024x", "123/07/2024", "08/07/0000"}) {
        EXPECT_TRUE(CToD(text).empty()) << '"' << text << '"';
    }
}

TEST_F(DatesTest, FormatFieldsMayComeInAnyOrder) {
    settings().dateFormat = "YYYY-MM-DD";
    EXPECT_EQ(DToC(Date{2024, 7, 8}), "2024-07-08");
    EXPECT_EQ(CToD("2024-07-08"), (Date{2024, 7, 8}));
    settings().dateFormat = "MM/DD/YYYY";
    EXPECT_EQ(DToC(Date{2024, 7, 8}), "07/08/2024");
    EXPECT_EQ(CToD("07/08/2024"), (Date{2024, 7, 8}));
    settings().dateFormat = "YYYYMMDD";
    EXPECT_EQ(CToD("20240708"), (Date{2024, 7, 8}));
}

TEST_F(DatesTest, CenturyOffUsesTwoDigitYears) {
    settings().century = false;
    EXPECT_EQ(DToC(Date{2024, 7, 8}), "08/07/24");
    EXPECT_EQ(DToC(Date{}), "  /  /  ");
    EXPECT_EQ(CToD("08/07/24"), (Date{2024, 7, 8}));
    EXPECT_EQ(CToD("08/07/85"), (Date{1985, 7, 8}));
}

TEST_F(DatesTest, StorageFormRoundTrips) {
    for (Date date : {Date{2024, 7, 8}, Date{1970, 1, 1}, Date{2069, 12, 31}, Date{1, 1, 1}, Date{9999, 12, 31}}) {
        EXPECT_EQ(SToD(DToS(date)), date) << DToS(date);
    }
    EXPECT_EQ(DToS(Date{2024, 7, 8}), "20240708");
    EXPECT_EQ(DToS(Date{}), "        ");
    for (const char* text : {"        ", "20240230", "2024070", "202407081", "2024-7-8", ""}) {
        EXPECT_TRUE(SToD(text).empty()) << '"' << text << '"';
    }
}

TEST_F(DatesTest, TodayIsACalendarDate) {
    Date now = today();
    EXPECT_TRUE(Date::valid(now.year, now.month, now.day));
    EXPECT_GE(now.year, 2024);
}

}  // namespace
}  // namespace tarvo::xbase
