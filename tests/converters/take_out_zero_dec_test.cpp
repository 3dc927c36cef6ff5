#include <gtest/gtest.h>

#include "converters/take_out_zero_dec.h"
#include "xbase/settings.h"

namespace tarvo::converters {
namespace {

class TakeOutZeroDecTest : public ::testing::Test {
protected:
    void SetUp() override { xbase::applyStartupSettings(); }
    void TearDown() override { xbase::applyStartupSettings(); }
};

TEST_F(TakeOutZeroDecTest, CutsTrailingDecimalZeros) {
    struct Case {
        const char* text;
        const char* expected;
    };
    for (const Case& c : {Case{"  5,00", "  5"}, Case{"12,50", "12,5"}, Case{"100,00", "100"},
                          Case{"12,75", "12,75"}, Case{"100", "100"}, Case{"  0,00", "  0"}, Case{"5,", "5"},
                          Case{"1.000,10", "1.000,1"}, Case{"", ""}}) {
        EXPECT_EQ(VOTAKEOUTZERODEC(c.text), c.expected) << '"' << c.text << '"';
    }
}

TEST_F(TakeOutZeroDecTest, FollowsTheCurrentDecimalSeparator) {
    xbase::settings().decimalSep = '.';
    EXPECT_EQ(VOTAKEOUTZERODEC("  5.00"), "  5");
    EXPECT_EQ(VOTAKEOUTZERODEC("12,50"), "12,50");
}

}  // namespace
}  // namespace tarvo::converters
