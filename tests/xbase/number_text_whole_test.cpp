// Str() of whole numbers, which takes no decimal-digit rounding: the text printf gives for them, across
// magnitudes up to and past where doubles stop holding every whole number.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "xbase/number_text.h"

namespace tarvo::xbase {
namespace {

std::string printed(double number, int width, int decimals) {
    char text[80];
    std::snprintf(text, sizeof text, "%*.*f", width, decimals, number + 0.0);  // + 0.0: no "-0"
    const std::string out(text);
    return out.size() > static_cast<size_t>(width) ? std::string(static_cast<size_t>(width), '*') : out;
}

TEST(StrWholeNumbersTest, GiveThePrintedDigitsAndZeroDecimals) {
    std::mt19937_64 rng(2024);
    for (int i = 0; i < 20000; ++i) {
        const double magnitude = std::pow(10.0, static_cast<double>(rng() % 17));
        const double number = std::trunc(std::uniform_real_distribution<double>(-magnitude, magnitude)(rng));
        const int width = 1 + static_cast<int>(rng() % 24);
        const int decimals = static_cast<int>(rng() % 5);
        ASSERT_EQ(Str(number, width, decimals), printed(number, width, decimals))
            << number << " width " << width << " decimals " << decimals;
    }
    for (double number : {0.0, -0.0, 1.0, -1.0, 999999999999999.0, -999999999999999.0, 1e15, -1e15, 9007199254740992.0})
        EXPECT_EQ(Str(number, 22, 2), printed(number, 22, 2)) << number;
}

}  // namespace
}  // namespace tarvo::xbase
