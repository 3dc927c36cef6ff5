#pragma once
// The fixture of the importer tests: a sample retail database as a shop has it (not prepared),
// a folder of source tables, a folder for REJECT.TXT, a recording interaction, and readers of
// the retail tables an import wrote.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "templates/import_command.h"
#include "tests/support/test_support.h"
#include "tests/templates/retail_import_fixture.h"
#include "tests/templates/template_fixtures.h"
#include "xbase/table.h"

namespace tarvo::test {

// Source rows: column values by name; a row with {"*", true} is marked deleted.
using SourceRows = std::vector<TemplateValues>;

class ImporterTest : public ::testing::Test {
public:
    // Writes a source table with exactly these fields and rows into the source folder; values of
    // columns the fields leave out are dropped.
    void writeSource(const std::string& file, const std::vector<xbase::FieldInfo>& fields, const SourceRows& rows);

    templates::ImportRequest request(const templates::ImportOptions& options) const;
    // Runs the import command with the importer of the IMPORT2LIST value; Yes to the question
    // unless told otherwise.
    templates::ImportOutcome runImport(int application, const templates::ImportOptions& options, bool answerYes = true);
    templates::ImportOutcome runImport(int application, const templates::ImportRequest& request, bool answerYes = true);

    std::unique_ptr<xbase::Table> retailTable(const std::string& alias) const;
    uint32_t recordCount(const std::string& alias) const;
    void expectRecord(const std::string& alias, uint32_t recno, const ExpectedFields& fields) const;
    // Whether the field of the record holds nothing but blanks (was never written).
    bool blankField(const std::string& alias, uint32_t recno, const std::string& field) const;
    // LAST_ID of the row of S_TABLID (the record number is the row).
    double lastIdentifier(uint32_t row) const;
    // The texts of the progress window's first line that begin with the text.
    std::vector<std::string> progressWith(const std::string& text) const;

    TempDir dir;
    std::filesystem::path shop;
    std::filesystem::path database;
    std::filesystem::path source;
    std::filesystem::path rejectFolder;
    RecordingInteraction ui;

protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::unique_ptr<ScopedInteraction> scoped_;
};

// Options of a run in a stock mode, dated 31/12/2023.
templates::ImportOptions optionsFor(templates::StockMode mode, bool allowCodes = false, bool allowNames = false);

}  // namespace tarvo::test
