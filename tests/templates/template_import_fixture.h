#pragma once
// The fixture of the whole-import tests from templates, and the small template set of a shop
// whose rows reach every retail table the import writes.

#include <filesystem>

#include "templates/template_import.h"
#include "tests/templates/shop_import_fixture.h"

namespace tarvo::test {

// The shop's template set, written by writeShopTemplates. ITEM rows (record numbers):
//   1 A1  "Apel"      codes a1b, units PCS/LUSIN x12, group G1, vendor V1 by code, stock in
//                     warehouses 1 (5 for 5000) and 3 (2 for 2100)
//   2 B1  "Jeruk"     units PCS/LUSIN x10 (the unit set of A1), vendor "Pt Dua" by name, stock 7
//                     in warehouse 2
//   3 A1  "Apel Lagi" code of item 1 again
//   4 C1  "apel"      name of item 1 again
//   5 L1  "Paket"     kind 2, linked to B1 (3 of unit 2); its stock column is not imported
//   6 (blank code)    skipped
//   7 D1              deleted
//   8 a1b "Apel"      code 2 and name of item 1 again: in both duplicate lists
void writeShopTemplates(const std::filesystem::path& folder);

// Its folders and helpers are public, for the tables of cases that set up a run.
class TemplateImportTest : public ShopImportTest {
public:
    TemplateImportTest() : ShopImportTest("templates") {}
    // Runs the import; the question is answered Yes unless told otherwise.
    importing::ImportOutcome runImport(const importing::ImportRequest& request, bool answerYes = true);

    const std::filesystem::path& templateFolder = importFolder;
};

}  // namespace tarvo::test
