// The one letter-case rule of keys: ASCII and the Latin-1 letters whose other case the table's code page
// holds; a letter without its other case in the code page stays, so text of a code page stays in it.
#include "xbase/text_case.h"

#include <gtest/gtest.h>

#include <string>

#include "xbase/codepage.h"

namespace tarvo::xbase {
namespace {

constexpr uint8_t kOem437 = 0x01;
constexpr uint8_t kOem850 = 0x02;
constexpr uint8_t kWindows1252 = 0x03;

TEST(TextCaseTest, UpperAndLowerCaseForTheCodePage) {
    struct Case {
        uint8_t languageDriver;
        const char* text;
        const char* upper;
        const char* lower;
    };
    const Case cases[] = {
        {kOem437, "café ñu", "CAFÉ ÑU", "café ñu"},
        {kOem437, "Ça über ÅÆÖÄ", "ÇA ÜBER ÅÆÖÄ", "ça über åæöä"},
        // à, â, ê, ë, í ... have no capital in code page 437: they stay small.
        {kOem437, "àâêëíóú", "àâêëíóú", "àâêëíóú"},
        {kWindows1252, "àâêëíóú", "ÀÂÊËÍÓÚ", "àâêëíóú"},
        {kOem850, "àâêõ", "ÀÂÊÕ", "àâêõ"},
        // Signs and letters without a Latin-1 other case are left alone everywhere.
        {kWindows1252, "÷×ßÿµ", "÷×ßÿµ", "÷×ßÿµ"},
        {kWindows1252, "Straße 1-a", "STRAßE 1-A", "straße 1-a"},
        {kOem437, "€ Ω ж", "€ Ω ж", "€ Ω ж"},
    };
    for (const Case& c : cases) {
        const CodePage& codePage = CodePage::forLanguageDriver(c.languageDriver);
        SCOPED_TRACE(codePage.name() + ": " + c.text);
        EXPECT_EQ(upperCase(c.text, codePage), c.upper);
        EXPECT_EQ(lowerCase(c.upper, codePage), c.lower);
    }
}

TEST(TextCaseTest, EveryCharacterOfTheCodePageStaysInIt) {
    // OEM 437, 850, 852, 866; Windows 1252, 1250, 1251.
    for (uint8_t languageDriver : {0x01, 0x02, 0x64, 0x65, 0x03, 0xC8, 0xC9}) {
        const CodePage& codePage = CodePage::forLanguageDriver(languageDriver);
        for (int b = 0; b < 256; ++b) {
            const std::string byte(1, static_cast<char>(b));
            const std::string text = codePage.decode(byte);
            SCOPED_TRACE(codePage.name() + ": byte " + std::to_string(b) + " " + text);
            for (const std::string& changed : {upperCase(text, codePage), lowerCase(text, codePage)}) {
                const std::string encoded = codePage.encode(changed);
                ASSERT_EQ(encoded.size(), 1u);
                EXPECT_EQ(codePage.decode(encoded), changed);
            }
        }
    }
}

TEST(TextCaseTest, AsciiNamesIgnoreCaseOfAsciiLettersOnly) {
    EXPECT_EQ(asciiUpperCase("kode_c_2 é"), "KODE_C_2 é");
    EXPECT_TRUE(equalsIgnoreCase("S_Stock.q7t", "S_STOCK.Q7T"));
    EXPECT_FALSE(equalsIgnoreCase("é", "É"));
    EXPECT_FALSE(equalsIgnoreCase("KODE", "KODE_"));
}

}  // namespace
}  // namespace tarvo::xbase
