// Codes, names, groups and units written only in accented letters, through the whole template import:
// the import upper-cases them as the tags' Upper() does for the retail tables' code page (437), finds
// them again in every code tag and the name tag, and leaves every index in step with its table.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/templates/template_import_fixture.h"

namespace tarvo::templates {
namespace {

using xbase::Value;

std::string repeated(const std::string& letter, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += letter;
    return out;
}

class AccentedTextImportTest : public test::TemplateImportTest {};

TEST_F(AccentedTextImportTest, CodesOfAccentedLettersOnlyAreFoundInEveryTag) {
    // Small letters, and in code page 437 their upper case: a letter whose capital the code page
    // lacks (â, à, ê ...) stays small rather than becoming "?".
    const std::vector<std::pair<std::string, std::string>> letters = {
        {"Ç", "Ç"}, {"ü", "Ü"}, {"é", "É"}, {"â", "â"}, {"ä", "Ä"}, {"à", "à"}, {"å", "Å"},
        {"ê", "ê"}, {"ë", "ë"}, {"è", "è"}, {"ï", "ï"}, {"î", "î"}, {"ñ", "Ñ"}, {"ö", "Ö"}};
    std::vector<test::TemplateValues> items;
    for (size_t i = 0; i < letters.size(); ++i) {
        const std::string& letter = letters[i].first;
        items.push_back({{"KODE", repeated(letter, 4)}, {"KODE_2", repeated(letter, 2)}, {"KODE_3", repeated(letter, 3)},
                         {"NAMA", repeated(letter, 6)}, {"SAT_1", i % 2 ? "ÑU" : "ñu"}, {"KODE_GRP1", i % 2 ? "GÉ" : "gé"}});
    }
    items.push_back({{"KODE", "ÉÉÉÉ"}, {"NAMA", "Lain"}, {"SAT_1", "ÑU"}});      // the code of item 3 in capitals
    items.push_back({{"KODE", "ÖÖ"}, {"NAMA", "Lain Lagi"}, {"SAT_1", "ÑU"}});   // the second code of item 14
    items.push_back({{"KODE", "ÿÿ"}, {"NAMA", "ÑÑÑÑÑÑ"}, {"SAT_1", "ÑU"}});     // the name of item 13
    test::writeTemplate(templateFolder, "ITEM", items);
    test::writeTemplate(templateFolder, "GRPSTK", {{{"KODE", "Gé"}, {"NAMA", "grüne"}}});

    importing::ImportOptions options = importing::defaultImportOptions();
    const importing::ImportOutcome outcome = runImport(request(options));
    ASSERT_EQ(outcome.status, importing::ImportStatus::Done) << (ui.messages.empty() ? "" : ui.messages.back().text);
    EXPECT_EQ(outcome.codeDuplicates, 2u);
    EXPECT_EQ(outcome.nameDuplicates, 1u);

    ASSERT_EQ(recordCount("S_STOCK"), letters.size());
    for (size_t i = 0; i < letters.size(); ++i) {
        const std::string& letter = letters[i].first;
        expectRecord("S_STOCK", static_cast<uint32_t>(i + 1),
                     {{"KODE_C", Value(repeated(letters[i].second, 4))}, {"KODE_C_2", Value(repeated(letter, 2))},
                      {"KODE_C_3", Value(repeated(letter, 3))}, {"NAMA", Value(repeated(letter, 6))},
                      {"GROUP_STK", Value(1)}, {"TIPE_SATU", Value(1)}});
    }
    expectRecord("S_GRPSTK", 1, {{"NAMA", Value("GRÜNE")}});
    ASSERT_EQ(recordCount("S_SATUAN"), 1u);
    expectRecord("S_SATUAN", 1, {{"SAT_01_TXT", Value("ÑU")}});
    expectIndexesAgreeWithTables();
}

}  // namespace
}  // namespace tarvo::templates
