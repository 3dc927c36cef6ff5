// The readers of iPOS values and the spreading of a header's amount over its lines.

#include <gtest/gtest.h>

#include <vector>

#include "importers/ipos/line_shares.h"
#include "importers/ipos/value_readers.h"

namespace tarvo::importers::ipos {
namespace {

TEST(Timestamps, GiveDateTimeAndMinutesOrEmptyForShortOrBadText) {
    struct Case {
        const char* timestamp;
        xbase::Date date;
        const char* time;
        int minutes;
    };
    const Case cases[] = {
        {"2010-05-24 13:45:10", {2010, 5, 24}, "13:45:10", 825},
        {"1999-12-31 23:59:59", {1999, 12, 31}, "23:59:59", 1439},
        {"2010-05-24 00:00:00", {2010, 5, 24}, "00:00:00", 0},
        {"2010-05-24", {2010, 5, 24}, "", 0},
        {"2010-05-24 07:3", {2010, 5, 24}, "07:3", 423},
        {"2010-05", {}, "", 0},
        {"", {}, "", 0},
        {"2010-13-40 10:00:00", {}, "10:00:00", 600},
        {"not a timestamp at all", {}, "tamp at ", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TIMESTAMPTODATE(c.timestamp), c.date) << c.timestamp;
        EXPECT_EQ(TIMESTAMPTOTIME(c.timestamp), c.time) << c.timestamp;
        EXPECT_EQ(timestampMinutes(c.timestamp), c.minutes) << c.timestamp;
    }
}

TEST(InvoiceNumbers, AreTheLastEightCharactersOfTheTrimmedNumber) {
    struct Case {
        const char* transaction;
        double number;
    };
    const Case cases[] = {
        {"PJ-00001234", 1234},   {"KS/2010/00001234  ", 1234}, {"  00000007", 7}, {"12", 12},
        {"PJ-12", 0},            {"", 0},                      {"O'B-00000099", 99}, {"99999999", 99999999},
        {"123456789012", 56789012},
    };
    for (const Case& c : cases) EXPECT_EQ(invoiceNumber(c.transaction), c.number) << c.transaction;
}

TEST(Division, GivesZeroForAZeroDivisor) {
    EXPECT_EQ(VODIVIDE(5, 0), 0);
    EXPECT_EQ(VODIVIDE(0, 0), 0);
    EXPECT_DOUBLE_EQ(VODIVIDE(1, 4), 0.25);
    EXPECT_DOUBLE_EQ(VODIVIDE(-3, 2), -1.5);
}

TEST(LineShares, RoundEachShareAndLeaveTheRemainderToTheLastLine) {
    struct Case {
        const char* what;
        double headerTotal, amount;
        std::vector<double> lineTotals, shares;
    };
    const Case cases[] = {
        {"three equal lines", 300, 100, {100, 100, 100}, {33.33, 33.33, 33.34}},
        {"zero header total", 0, 100, {50, 50, 50}, {0, 0, 100}},
        {"one line", 250, 7.5, {250}, {7.5}},
        {"uneven lines", 1000, 10, {333, 333, 334}, {3.33, 3.33, 3.34}},
        {"nothing to spread", 400, 0, {100, 300}, {0, 0}},
        {"negative line", 100, 20, {150, -50}, {30, -10}},
    };
    for (const Case& c : cases) {
        LineShares shares(c.headerTotal, c.amount);
        double sum = 0;
        for (size_t i = 0; i < c.lineTotals.size(); ++i) {
            const double share = shares.next(c.lineTotals[i], i + 1 == c.lineTotals.size());
            EXPECT_NEAR(share, c.shares[i], 1e-9) << c.what << ", line " << i + 1;
            sum += share;
        }
        EXPECT_NEAR(sum, c.amount, 1e-9) << c.what;
    }
}

}  // namespace
}  // namespace tarvo::importers::ipos
