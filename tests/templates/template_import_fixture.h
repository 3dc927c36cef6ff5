#pragma once
// The fixture of the whole-import tests: a sample retail database as a shop has it (not
// prepared), a template folder, a folder for REJECT.TXT, a recording interaction, and the small
// template set of a shop whose rows reach every retail table the import writes.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "templates/template_import.h"
#include "tests/support/test_support.h"
#include "tests/templates/retail_import_fixture.h"
#include "xbase/table.h"

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
class TemplateImportTest : public ::testing::Test {
public:
    // An import of the shop's folder from the template folder, REJECT.TXT into rejectFolder.
    templates::ImportRequest request(const templates::ImportOptions& options) const;
    // Runs the import; the question is answered Yes unless told otherwise.
    templates::ImportOutcome runImport(const templates::ImportRequest& request, bool answerYes = true);

    // A retail table as written, read-only.
    std::unique_ptr<xbase::Table> retailTable(const std::string& alias) const;
    uint32_t recordCount(const std::string& alias) const;
    void expectRecord(const std::string& alias, uint32_t recno, const ExpectedFields& fields) const;

    TempDir dir;
    std::filesystem::path shop;            // the folder the user names; ST_DB below it
    std::filesystem::path database;        // shop / ST_DB
    std::filesystem::path templateFolder;
    std::filesystem::path rejectFolder;
    RecordingInteraction ui;

protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::unique_ptr<ScopedInteraction> scoped_;
};

}  // namespace tarvo::test
