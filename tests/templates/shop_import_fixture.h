#pragma once
// The base of the whole-import test fixtures: a sample retail database as a shop has it (not
// prepared), the folder the import reads, a folder for REJECT.TXT, a recording interaction that
// answers the import's question, and readers of the retail tables an import wrote.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "importing/import_command.h"
#include "tests/support/test_support.h"
#include "tests/templates/retail_import_fixture.h"
#include "xbase/table.h"

namespace tarvo::test {

class ShopImportTest : public ::testing::Test {
public:
    // An import of the shop's folder from the import folder, REJECT.TXT into rejectFolder.
    importing::ImportRequest request(const importing::ImportOptions& options) const;

    // A retail table as written, read-only.
    std::unique_ptr<xbase::Table> retailTable(const std::string& alias) const;
    uint32_t recordCount(const std::string& alias) const;
    void expectRecord(const std::string& alias, uint32_t recno, const ExpectedFields& fields) const;
    // Every tag of every index file in ST_DB walked against its table, as "dbf check" does: each
    // record's key equals what the tag's expression gives, in order.
    void expectIndexesAgreeWithTables() const;

    TempDir dir;
    std::filesystem::path shop;            // the folder the user names; ST_DB below it
    std::filesystem::path database;        // shop / ST_DB
    std::filesystem::path importFolder;    // the templates or source tables the import reads
    std::filesystem::path rejectFolder;
    RecordingInteraction ui;

protected:
    // The import folder is made under the test's folder with this name.
    explicit ShopImportTest(const std::string& importFolderName);
    void SetUp() override;
    void TearDown() override;
    // Queues the reply to the import's question: Yes or No.
    void answerQuestion(bool yes);

private:
    std::unique_ptr<ScopedInteraction> scoped_;
};

}  // namespace tarvo::test
