#pragma once
// The fixture of the importer tests: a shop's retail database and a folder of source tables.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "importing/import_command.h"
#include "tests/templates/shop_import_fixture.h"
#include "tests/templates/template_fixtures.h"
#include "xbase/table.h"

namespace tarvo::test {

// Source rows: column values by name; a row with {"*", true} is marked deleted.
using SourceRows = std::vector<TemplateValues>;

class ImporterTest : public ShopImportTest {
public:
    ImporterTest() : ShopImportTest("source") {}
    // Writes a source table with exactly these fields and rows into the source folder; values of
    // columns the fields leave out are dropped.
    void writeSource(const std::string& file, const std::vector<xbase::FieldInfo>& fields, const SourceRows& rows);

    // Runs the import command with the importer of the IMPORT2LIST value; Yes to the question
    // unless told otherwise.
    importing::ImportOutcome runImport(int application, const importing::ImportOptions& options, bool answerYes = true);
    importing::ImportOutcome runImport(int application, const importing::ImportRequest& request, bool answerYes = true);

    // Whether the field of the record holds nothing but blanks (was never written).
    bool blankField(const std::string& alias, uint32_t recno, const std::string& field) const;
    // LAST_ID of the row of S_TABLID (the record number is the row).
    double lastIdentifier(uint32_t row) const;
    // The texts of the progress window's first line that begin with the text.
    std::vector<std::string> progressWith(const std::string& text) const;

    const std::filesystem::path& source = importFolder;
};

// Options of a run in a stock mode, dated 31/12/2023.
importing::ImportOptions optionsFor(importing::StockMode mode, bool allowCodes = false, bool allowNames = false);

}  // namespace tarvo::test
