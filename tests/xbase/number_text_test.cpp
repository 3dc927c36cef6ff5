#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "xbase/number_text.h"
#include "xbase/settings.h"

namespace tarvo::xbase {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr const char* kZeroPicture = "99,999,999,999.999999";

class NumberTextTest : public ::testing::Test {
protected:
    void SetUp() override { applyStartupSettings(); }
    void TearDown() override { applyStartupSettings(); }
};

TEST_F(NumberTextTest, ValReadsTheLeadingNumber) {
    struct Case {
        const char* text;
        double expected;
    };
    for (const Case& c : {Case{"12.5abc", 12.5}, Case{"  -3.25", -3.25}, Case{"+7", 7}, Case{"1.5e3", 1.5},
                          Case{".5", 0.5}, Case{"5.", 5}, Case{"007", 7}, Case{"1,5", 1}, Case{"  12  ", 12},
                          Case{"abc", 0}, Case{"", 0}, Case{"-", 0}, Case{"- 5", 0}, Case{".", 0},
                          Case{"12345678901.234567", 12345678901.234567}}) {
        EXPECT_DOUBLE_EQ(Val(c.text), c.expected) << '"' << c.text << '"';
    }
    EXPECT_FALSE(std::signbit(Val("-0")));
}

TEST_F(NumberTextTest, ValOfNumbersBeyondADouble) {
    EXPECT_EQ(Val(std::string(400, '9')), kInfinity);
    EXPECT_EQ(Val("-" + std::string(400, '9')), -kInfinity);
    EXPECT_EQ(Val("0." + std::string(400, '0') + "1"), 0.0);
}

TEST_F(NumberTextTest, StrRightAlignsRoundsAndOverflows) {
    struct Case {
        double number;
        int width;
        int decimals;
        const char* expected;
    };
    for (const Case& c : {Case{5, -1, -1, "         5"}, Case{-5, -1, -1, "        -5"},
                          Case{1.5, -1, -1, "         1.5000"}, Case{5, 3, -1, "  5"}, Case{1.5, 3, -1, "  2"},
                          Case{1234, 3, -1, "***"}, Case{-123, 3, 0, "***"}, Case{1.005, 6, 2, "  1.01"},
                          Case{12.345, 8, 2, "   12.35"}, Case{-2.5, 4, 0, "  -3"}, Case{0.5, 5, 2, " 0.50"},
                          Case{-0.001, 6, 2, "  0.00"}, Case{1234.5, 7, 2, "1234.50"}, Case{1234.5, 6, 2, "******"},
                          Case{kNaN, 5, 0, "*****"}, Case{kInfinity, -1, -1, "**********"},
                          Case{1e300, 20, 0, "********************"}, Case{7, -1, 2, "         7.00"}}) {
        EXPECT_EQ(Str(c.number, c.width, c.decimals), c.expected)
            << c.number << " width " << c.width << " decimals " << c.decimals;
    }
}

struct PictureCase {
    double number;
    const char* picture;
    const char* expected;
};

TEST_F(NumberTextTest, TransformFillsThePicture) {
    for (const PictureCase& c : {
             PictureCase{1234567, "999,999", "*******"},
             PictureCase{1234, "999,999", "  1.234"},
             PictureCase{123456, "999,999", "123.456"},
             PictureCase{123, "999,999", "    123"},
             PictureCase{0, "999,999", "      0"},
             PictureCase{1234.5, "999,999.99", "  1.234,50"},
             PictureCase{5, "999.99", "  5,00"},
             PictureCase{0, "999.99", "  0,00"},
             PictureCase{0.5, ".99", ",50"},
             PictureCase{0.005, "999.99", "  0,01"},
             PictureCase{1.005, "9.99", "1,01"},
             PictureCase{999.994, "999.99", "999,99"},
             PictureCase{999.995, "999.99", "******"},
             PictureCase{12345678901.5, kZeroPicture, "12.345.678.901,500000"},
             PictureCase{1234567.25, kZeroPicture, "     1.234.567,250000"},
             PictureCase{kNaN, "999.99", "******"},
             PictureCase{-kInfinity, "999,999", "*******"},
             PictureCase{1e300, kZeroPicture, "*********************"},
         }) {
        EXPECT_EQ(Transform(c.number, c.picture), c.expected) << c.number << " with " << c.picture;
    }
}

TEST_F(NumberTextTest, TransformPutsTheMinusBeforeTheFirstDigit) {
    for (const PictureCase& c : {
             PictureCase{-1234, "999,999", " -1.234"},
             PictureCase{-123, "999,999", "   -123"},
             PictureCase{-12345, "999,999", "-12.345"},
             PictureCase{-123456, "999,999", "*******"},
             PictureCase{-5, "999.99", " -5,00"},
             PictureCase{-0.005, "999.99", " -0,01"},
             PictureCase{-999, "999", "***"},
             PictureCase{-0.5, ".99", "***"},
         }) {
        EXPECT_EQ(Transform(c.number, c.picture), c.expected) << c.number << " with " << c.picture;
    }
}

TEST_F(NumberTextTest, TransformDropsTheSignOfWhatRoundsToZero) {
    EXPECT_EQ(Transform(-0.0000001, kZeroPicture), "             0,000000");
    EXPECT_EQ(Transform(0.0000004, kZeroPicture), Transform(0, kZeroPicture));
    EXPECT_EQ(Transform(0.000001, kZeroPicture), "             0,000001");
}

TEST_F(NumberTextTest, TransformUsesTheCurrentSeparators) {
    settings().decimalSep = '.';
    settings().thousandSep = ',';
    EXPECT_EQ(Transform(1234.5, "999,999.99"), "  1,234.50");
}

TEST_F(NumberTextTest, RoundGoesHalfAwayFromZero) {
    struct Case {
        double number;
        int decimals;
        double expected;
    };
    for (const Case& c : {Case{2.5, 0, 3}, Case{-2.5, 0, -3}, Case{1.005, 2, 1.01}, Case{0.15, 1, 0.2},
                          Case{1234.5678, 2, 1234.57}, Case{1234, -2, 1200}, Case{1250, -2, 1300},
                          Case{567, -3, 1000}, Case{567, -4, 0}, Case{0.4, 0, 0}, Case{0.95, 1, 1},
                          Case{1e300, 2, 1e300}, Case{12.5, 400, 12.5}}) {
        EXPECT_DOUBLE_EQ(Round(c.number, c.decimals), c.expected) << c.number << " at " << c.decimals;
    }
    EXPECT_FALSE(std::signbit(Round(-0.4, 0)));
    EXPECT_TRUE(std::isnan(Round(kNaN, 2)));
    EXPECT_EQ(Round(-kInfinity, 2), -kInfinity);
}

TEST_F(NumberTextTest, RoundKeepsANumberThatHasNoMoreDecimals) {
    for (const double number : {0.25, -176.75, 202.0, 1e300, 0.1, 123456789.12, -0.5}) {
        for (const int decimals : {2, 4, 400}) EXPECT_EQ(Round(number, decimals), number) << number << " at " << decimals;
    }
    EXPECT_FALSE(std::signbit(Round(-0.0, 2)));
    EXPECT_EQ(Round(5e-324, 2), 0.0);
    EXPECT_EQ(Round(5e-324, 400), 5e-324);
    EXPECT_EQ(Round(0.125, 2), 0.13);
    // Cents computed by multiplication are a few units off in the last place; rounding finds them.
    for (int cents = -5000; cents <= 5000; ++cents) {
        ASSERT_EQ(Round(cents * 0.01, 2), cents / 100.0 + 0.0) << cents;
        ASSERT_EQ(Round(cents / 100.0, 2), cents / 100.0 + 0.0) << cents;
    }
    EXPECT_EQ(PowerOfTen(0), 1.0);
    EXPECT_EQ(PowerOfTen(22), 1e22);
    EXPECT_EQ(PowerOfTen(-2), std::pow(10.0, -2));
}

// The short way for plain decimals gives exactly what std::from_chars gives, and texts that are no
// number are refused either way.
TEST_F(NumberTextTest, ReadNumberReadsLikeFromChars) {
    for (const std::string text : {"176.75", "-176.75", "0.1", "0.3", "5.", ".5", "-0", "0", "000123.4500", "999999999999999",
                                   "99999999999999.9", "1234567890123456", "9007199254740993", "0.000000000000001",
                                   "1e5", "1.5E-3", "-2.5e+300", "1e400", "nan", "", "-", ".", "1.2.3", "12a", " 1", "+1",
                                   "1,5"}) {
        double expected = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), expected);
        const bool readable = !text.empty() && ec == std::errc() && end == text.data() + text.size();
        double number = 0;
        ASSERT_EQ(ReadNumber(text, number), readable) << text;
        if (readable && !std::isnan(expected)) {
            EXPECT_EQ(number, expected) << text;
            EXPECT_EQ(std::signbit(number), std::signbit(expected)) << text;
        }
    }
    // Every cent below a hundred thousand.
    char text[32];
    for (long cents = 0; cents < 10'000'000; cents += 7) {
        const int size = std::snprintf(text, sizeof text, "%ld.%02ld", cents / 100, cents % 100);
        double expected = 0, number = 0;
        std::from_chars(text, text + size, expected);
        ASSERT_TRUE(ReadNumber(std::string_view(text, static_cast<size_t>(size)), number));
        ASSERT_EQ(number, expected) << text;
    }
}

}  // namespace
}  // namespace tarvo::xbase
