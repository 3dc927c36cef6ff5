#pragma once
// The fixture of the item and opening-balance import tests: a prepared sample retail database,
// a template folder, a recording interaction, and readers of the records the import wrote.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "templates/template_run.h"
#include "tests/support/test_support.h"
#include "tests/templates/template_fixtures.h"
#include "xbase/table.h"
#include "xbase/value.h"

namespace tarvo::test {

// Field name and expected value; character fields are compared without their padding blanks.
using ExpectedFields = std::vector<std::pair<std::string, xbase::Value>>;

// Expects the fields of one record of a retail table (named alias in the failure texts).
void expectRecordOf(xbase::Table& table, const std::string& alias, uint32_t recno, const ExpectedFields& fields);

class RetailImportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A run over the template folder with the options, stamps taken.
    std::unique_ptr<templates::TemplateRun> makeRun(const importing::ImportOptions& options);

    // Writes the template (its full layout with the overrides) and opens it under its name.
    void addTemplate(const std::string& name, const std::vector<TemplateValues>& rows,
                     const ColumnOverrides& overrides = {});
    // Writes a template with exactly these columns and opens it.
    void addPlainTemplate(const std::string& name, const std::vector<xbase::FieldInfo>& columns,
                          const std::vector<TemplateValues>& rows);

    // The retail table as written: its work area is committed and closed, the file read.
    std::unique_ptr<xbase::Table> retailTable(const std::string& alias);
    uint32_t recordCount(const std::string& alias);
    void expectRecord(const std::string& alias, uint32_t recno, const ExpectedFields& fields);
    // LAST_ID of the row of S_TABLID.
    double lastIdentifier(uint32_t row);

    TempDir dir;
    std::filesystem::path database;
    std::filesystem::path templateFolder;
    RecordingInteraction ui;

private:
    std::unique_ptr<ScopedInteraction> scoped_;
};

}  // namespace tarvo::test
