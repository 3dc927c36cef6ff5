// A sample template set imported into a prepared retail database: every row the set counts as
// accepted becomes a record, the deliberate duplicates land in the reject lists, and every
// reference the import resolves is found.

#include <gtest/gtest.h>

#include "templates/item_import.h"
#include "templates/master_data_import.h"
#include "importing/opening_balances.h"
#include "templates/opening_templates.h"
#include "importing/reject_list.h"
#include "sampledata/templates.h"
#include "templates/structure_check.h"
#include "templates/template_files.h"
#include "templates/template_layouts.h"
#include "tests/templates/retail_import_fixture.h"

namespace tarvo::templates {
namespace {

class SampleTemplatesImportTest : public test::RetailImportTest {};

TEST_F(SampleTemplatesImportTest, EveryAcceptedRowBecomesARecordAndTheDuplicatesAreRejected) {
    const sampledata::SampleTemplateOptions sample{.items = 400, .customers = 150, .vendors = 12, .seed = 21};
    const sampledata::SampleTemplateSummary summary = sampledata::makeSampleTemplates(templateFolder, sample);

    importing::ImportOptions options = importing::defaultImportOptions();
    options.stockMode = importing::StockMode::Open;
    options.openDate = sample.asOf;
    auto run = makeRun(options);
    ASSERT_TRUE(openTemplates(*run));
    ASSERT_TRUE(BUTTONIMPORT1PRE(*run));
    ASSERT_TRUE(importing::writeDayClosingSettings(*run));
    importMasterData(*run);
    importPayables(*run);
    importReceivables(*run);
    importItems(*run);
    EXPECT_TRUE(ui.messages.empty());

    ASSERT_EQ(run->codeDuplicates.size(), summary.codeDuplicates);
    ASSERT_EQ(run->nameDuplicates.size(), summary.nameDuplicates);
    const std::vector<importing::RejectRow> rejects = importing::rejectRows(*run);
    ASSERT_EQ(rejects.size(), 3u);
    EXPECT_EQ(rejects[0].caption, "Kode Sama");
    EXPECT_EQ(rejects[1].caption, "Kode Sama");
    EXPECT_EQ(rejects[2].caption, "Nama Sama");
    EXPECT_EQ(rejects[2].newName, rejects[2].existingName);

    EXPECT_EQ(summary.accepted.at("ITEM"), sample.items);
    EXPECT_EQ(summary.accepted.at("PELANG"), sample.customers);
    EXPECT_EQ(summary.accepted.at("VENDOR"), sample.vendors);
    for (const TemplateInfo& info : templates()) {
        // The opening-stock purchase header comes first in S_PEMBEL.
        const uint32_t extra = info.name == "PEMBEL" ? 1 : 0;
        EXPECT_EQ(recordCount(info.targetTable), summary.accepted.at(info.name) + extra) << info.name;
    }
    EXPECT_GT(recordCount("S_PEMBED"), sample.items);  // several warehouses per item
    EXPECT_GT(recordCount("S_STKEOU"), 0u);            // the linked items find the items they name
}

}  // namespace
}  // namespace tarvo::templates
