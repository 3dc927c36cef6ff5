#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ui/random_text.h"

namespace tarvo::ui {
namespace {

bool neighboursDiffer(const std::string& text) {
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i] == text[i - 1]) return false;
    }
    return true;
}

TEST(RandomTest, NumbersLieFromZeroToBelowOne) {
    seedRandom();
    for (int i = 0; i < 10000; ++i) {
        double number = VORANDOM();
        ASSERT_GE(number, 0.0);
        ASSERT_LT(number, 1.0);
    }
}

TEST(RandomTest, SeedRestartsTheSequenceAndZeroContinuesIt) {
    const double first = VORANDOM(42);
    const double second = VORANDOM(0);
    EXPECT_EQ(VORANDOM(42), first);
    EXPECT_EQ(VORANDOM(), second);
    EXPECT_NE(first, second);
}

TEST(RandomTextTest, CapitalLettersWithoutEqualNeighbours) {
    seedRandom();
    const std::string text = RETRANDOMSTRING(2000);
    ASSERT_EQ(text.size(), 2000u);
    EXPECT_TRUE(neighboursDiffer(text));
    const std::set<char> letters(text.begin(), text.end());
    EXPECT_EQ(letters.size(), 26u);
    EXPECT_EQ(*letters.begin(), 'A');
    EXPECT_EQ(*letters.rbegin(), 'Z');
    EXPECT_TRUE(RETRANDOMSTRING(0).empty());
    const std::string one = RETRANDOMSTRING(1);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_TRUE(one[0] >= 'A' && one[0] <= 'Z');
}

TEST(RandomTextTest, CharactersStayInTheGivenRange) {
    struct Case {
        char lowest;
        char highest;
        unsigned char first;
        unsigned char last;
    };
    for (const Case& c : {Case{'0', '9', '0', '9'}, Case{'9', '0', '0', '9'},
                          Case{static_cast<char>(0xF0), static_cast<char>(0xFF), 0xF0, 0xFF}}) {
        const std::string text = RETRANDOMSTRING2(500, c.lowest, c.highest);
        ASSERT_EQ(text.size(), 500u);
        EXPECT_TRUE(neighboursDiffer(text));
        const std::set<unsigned char> seen(text.begin(), text.end());
        EXPECT_EQ(*seen.begin(), c.first);
        EXPECT_EQ(*seen.rbegin(), c.last);
    }
    EXPECT_EQ(RETRANDOMSTRING2(3, 'Q', 'Q'), "QQQ");
}

// Byte i of the input is out[i] ^ out[i-1] ^ (i-1), out[0] being the random first byte.
std::string decode(const std::string& encoded) {
    std::string plain;
    for (std::size_t i = 1; i < encoded.size(); ++i) {
        const unsigned previous = static_cast<unsigned char>(encoded[i - 1]) ^ ((i - 1) & 0xFFu);
        plain += static_cast<char>(static_cast<unsigned char>(encoded[i]) ^ previous);
    }
    return plain;
}

TEST(PassEncryptTest, DecodesBackAndIsOneByteLonger) {
    seedRandom();
    std::string allBytes;
    for (int i = 0; i < 600; ++i) allBytes += static_cast<char>(i % 256);
    for (const std::string& text : {std::string("0000001234"), std::string("00000012340000001234"),
                                    std::string("K20240708"), allBytes}) {
        const std::string encoded = PASSENCRYPT(text);
        ASSERT_EQ(encoded.size(), text.size() + 1);
        EXPECT_EQ(decode(encoded), text);
    }
}

TEST(PassEncryptTest, FirstByteIsRandomFromOneTo126) {
    seedRandom();
    std::set<unsigned char> firstBytes;
    for (int i = 0; i < 200; ++i) {
        const std::string encoded = PASSENCRYPT("");
        ASSERT_EQ(encoded.size(), 1u);
        const auto c0 = static_cast<unsigned char>(encoded[0]);
        EXPECT_GE(c0, 1);
        EXPECT_LE(c0, 126);
        firstBytes.insert(c0);
    }
    EXPECT_GT(firstBytes.size(), 50u);
}

}  // namespace
}  // namespace tarvo::ui
