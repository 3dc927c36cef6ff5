// Keys built straight from record bytes: for the code pages tables name and every byte value, the same key
// bytes as the key expression evaluated on the record's text; expressions of other shapes, and tables whose
// null flags decide a field's value, are left to the evaluator.
#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "xbase/record_keys.h"
#include "xbase/settings.h"

namespace tarvo::xbase {
namespace {

namespace fs = std::filesystem;

const std::vector<FieldInfo> kFields = {
    {"KODE", 'C', 6, 0}, {"NAMA", 'C', 12, 0}, {"KET", 'C', 3, 0}, {"NUM", 'N', 5, 0}, {"TGL", 'D', 8, 0},
};

class RecordKeysTest : public ::testing::Test {
protected:
    void SetUp() override { applyStartupSettings(); }

    // A table of kFields whose header names the given language driver (and so its code page).
    std::unique_ptr<Table> tableWithLanguageDriver(uint8_t languageDriver) {
        const fs::path path = dir_.path() / (std::to_string(languageDriver) + ".DBF");
        Table::create(path, kFields, Driver::DBFCDX);
        std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp(29);
        file.put(static_cast<char>(languageDriver));
        file.close();
        return Table::open(path, OpenOptions{false, true, Driver::DBFCDX});
    }

    test::TempDir dir_;
};

// Record images whose character fields (the first three) hold every byte value at every position, then
// random bytes.
std::vector<std::string> images(const Table& table) {
    constexpr size_t kCharacterEnd = 1 + 6 + 12 + 3;
    std::vector<std::string> out;
    std::mt19937 rng(99);
    for (int round = 0; round < 300; ++round) {
        std::string image(table.recordLength(), ' ');
        for (size_t i = 1; i < kCharacterEnd; ++i)
            image[i] = static_cast<char>(round < 256 ? (round + i) % 256 : rng() % 256);
        out.push_back(image);
    }
    return out;
}

TEST_F(RecordKeysTest, KeysEqualTheEvaluatedExpressionInEveryCodePage) {
    // OEM 437, 850, 852, 866, 737; Windows 1252, 1250, 1251, 1253, 1254.
    for (uint8_t languageDriver : {0x01, 0x02, 0x64, 0x65, 0x6A, 0x03, 0xC8, 0xC9, 0xCB, 0xCA}) {
        auto table = tableWithLanguageDriver(languageDriver);
        const std::string blank(table->recordLength(), ' ');
        for (const char* text : {"KODE", "Upper(KODE)", "lower(NAMA)+KODE", "UPPER(LOWER(NAMA)) + FIELD->KODE",
                                 "Upper(KODE+NAMA)+ket"}) {
            SCOPED_TRACE(table->codePageName() + ": " + text);
            std::optional<RecordKeyBuilder> builder = RecordKeyBuilder::compile(text, *table);
            ASSERT_TRUE(builder.has_value());
            const Expression expression = Expression::compile(text, RecordImageContext(*table, blank, 0));
            const size_t width = table->encodeText(expression.evaluate(RecordImageContext(*table, blank, 0)).text()).size();
            for (size_t keyLength : {width, width - 4, width + 5}) {
                for (const std::string& image : images(*table)) {
                    std::string expected =
                        table->encodeText(expression.evaluate(RecordImageContext(*table, image, 1)).text());
                    expected.resize(keyLength, ' ');
                    std::string key;
                    builder->build(image, keyLength, key);
                    ASSERT_EQ(key, expected);
                }
            }
        }
    }
}

TEST_F(RecordKeysTest, OtherShapesAreLeftToTheEvaluator) {
    auto table = tableWithLanguageDriver(0x01);
    for (const char* text : {"Trim(KODE)+NAMA", "KODE+'-'", "Left(KODE, 3)", "Str(NUM)", "Upper(NUM)",
                             "DTOS(TGL)+KODE", "Upper(KODE)=KODE", "IIF(.T., KODE, NAMA)", "KODE+"}) {
        EXPECT_FALSE(RecordKeyBuilder::compile(text, *table).has_value()) << text;
    }
}

TEST_F(RecordKeysTest, TablesWithNullFlagsAreLeftToTheEvaluator) {
    // A Visual FoxPro table: KODE C(4) may be null, which the hidden _NullFlags field records.
    std::string header(32, '\0');
    header[0] = 0x30;
    const uint16_t headerLength = 32 + 2 * 32 + 1 + 263, recordLength = 1 + 4 + 1;
    header[8] = static_cast<char>(headerLength & 0xFF);
    header[9] = static_cast<char>(headerLength >> 8);
    header[10] = static_cast<char>(recordLength);
    auto descriptor = [](const char* name, char type, int offset, int length, uint8_t flags) {
        std::string d(32, '\0');
        d.replace(0, std::string(name).size(), name);
        d[11] = type;
        d[12] = static_cast<char>(offset);
        d[16] = static_cast<char>(length);
        d[18] = static_cast<char>(flags);
        return d;
    };
    header += descriptor("KODE", 'C', 1, 4, 0x02) + descriptor("_NullFlags", '0', 5, 1, 0x05);
    header += '\x0D' + std::string(263, '\0') + '\x1A';
    const fs::path path = dir_.path() / "NULLS.DBF";
    std::ofstream(path, std::ios::binary).write(header.data(), static_cast<std::streamsize>(header.size()));

    auto table = Table::open(path, OpenOptions{false, true, Driver::DBFCDX});
    EXPECT_FALSE(RecordKeyBuilder::compile("Upper(KODE)", *table).has_value());
}

}  // namespace
}  // namespace tarvo::xbase
