#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "xbase/cdx/keys.h"

namespace tarvo::xbase {
namespace {

std::string bytes(std::initializer_list<unsigned> values) {
    std::string out;
    for (unsigned v : values) out.push_back(static_cast<char>(v));
    return out;
}

TEST(CdxKeysTest, NumericKeysMatchTheBytesOfAForeignIndex) {
    // Prices as another engine stored them in the PRICE tag of the foreign fixture.
    EXPECT_EQ(cdxNumericKey(-7.1), bytes({0x3f, 0xe3, 0x99, 0x99, 0x99, 0x99, 0x99, 0x99}));
    EXPECT_EQ(cdxNumericKey(0.99), bytes({0xbf, 0xef, 0xae, 0x14, 0x7a, 0xe1, 0x47, 0xae}));
    EXPECT_EQ(cdxNumericKey(12.5), bytes({0xc0, 0x29, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(cdxNumericKey(150), bytes({0xc0, 0x62, 0xc0, 0, 0, 0, 0, 0}));
}

TEST(CdxKeysTest, NumericKeysSortLikeTheirValuesAndDecodeBack) {
    const std::vector<double> ascending{-1e300, -150, -7.1, -1, -1e-300, 0, 1e-300, 0.99, 1, 12.5, 1e300};
    for (size_t i = 0; i < ascending.size(); ++i) {
        std::string key = cdxNumericKey(ascending[i]);
        EXPECT_EQ(key.size(), kCdxNumericKeyLength);
        EXPECT_EQ(cdxNumericKeyValue(key), ascending[i]);
        if (i > 0) {
            EXPECT_LT(cdxNumericKey(ascending[i - 1]), key) << ascending[i];
        }
    }
    EXPECT_EQ(cdxNumericKey(-0.0), cdxNumericKey(0.0));
}

TEST(CdxKeysTest, DateKeysAreJulianDaysAndTheEmptyDateSortsFirst) {
    EXPECT_EQ(cdxDateKey(Date{}), cdxNumericKey(0));
    EXPECT_EQ(cdxDateKey(Date{2000, 1, 1}), cdxNumericKey(2451545));
    EXPECT_LT(cdxDateKey(Date{}), cdxDateKey(Date{1, 1, 1}));
    EXPECT_LT(cdxDateKey(Date{1999, 12, 31}), cdxDateKey(Date{2000, 1, 1}));
}

TEST(CdxKeysTest, IntegerKeysAreBigEndianWithTheSignBitFlipped) {
    // 1 is 80 00 00 01 in the Integer tags of tables Visual FoxPro wrote.
    EXPECT_EQ(cdxIntegerKey(1), bytes({0x80, 0, 0, 0x01}));
    EXPECT_EQ(cdxIntegerKey(0), bytes({0x80, 0, 0, 0}));
    EXPECT_EQ(cdxIntegerKey(-1), bytes({0x7f, 0xff, 0xff, 0xff}));
    EXPECT_EQ(cdxIntegerKey(INT32_MIN), bytes({0, 0, 0, 0}));
    EXPECT_EQ(cdxIntegerKey(INT32_MAX), bytes({0xff, 0xff, 0xff, 0xff}));
    EXPECT_EQ(cdxIntegerKey(258), bytes({0x80, 0, 0x01, 0x02}));
    const std::vector<int32_t> ascending{INT32_MIN, -70000, -256, -1, 0, 1, 255, 256, 70000, INT32_MAX};
    for (size_t i = 0; i < ascending.size(); ++i) {
        const std::string key = cdxIntegerKey(ascending[i]);
        EXPECT_EQ(key.size(), kCdxIntegerKeyLength);
        EXPECT_EQ(cdxIntegerKeyValue(key), ascending[i]);
        if (i > 0) {
            EXPECT_LT(cdxIntegerKey(ascending[i - 1]), key) << ascending[i];
        }
    }
}

TEST(CdxKeysTest, DateTimeKeysAreJulianDaysWithTheTimeAsTheFraction) {
    EXPECT_EQ(cdxDateTimeKey(DateTime{}), cdxNumericKey(0));
    EXPECT_EQ(cdxDateTimeKey(DateTime{Date{2000, 1, 1}, 0}), cdxDateKey(Date{2000, 1, 1}));
    EXPECT_EQ(cdxDateTimeKey(DateTime{Date{2000, 1, 1}, 12 * 3600 * 1000}), cdxNumericKey(2451545.5));
    // A time alone (on 30 December 1899) sorts before every later day, and times within a day in order.
    const std::vector<DateTime> ascending{DateTime{},
                                          {Date{1899, 12, 30}, 1000},
                                          {Date{1899, 12, 30}, 86399999},
                                          {Date{2024, 7, 8}, 0},
                                          {Date{2024, 7, 8}, 1},
                                          {Date{2024, 7, 8}, 43200000},
                                          {Date{2024, 7, 9}, 0}};
    for (size_t i = 1; i < ascending.size(); ++i)
        EXPECT_LT(cdxDateTimeKey(ascending[i - 1]), cdxDateTimeKey(ascending[i])) << i;
    for (const DateTime& when : ascending)
        EXPECT_EQ(DateTime::fromJulianDays(cdxNumericKeyValue(cdxDateTimeKey(when))), when);
}

TEST(CdxKeysTest, CharacterAndLogicalKeys) {
    EXPECT_EQ(cdxCharacterKey("ab", 4), "ab  ");
    EXPECT_EQ(cdxCharacterKey("abcdef", 4), "abcd");
    EXPECT_EQ(cdxCharacterKey("", 2), "  ");
    EXPECT_EQ(cdxLogicalKey(true), "T");
    EXPECT_EQ(cdxLogicalKey(false), "F");
}

}  // namespace
}  // namespace tarvo::xbase
