// Templates saved by other programs with a compound index beside them: a tag this program cannot
// use does not stop an import that only reads the template.

#include <gtest/gtest.h>

#include "importing/import_options.h"
#include "templates/template_import.h"
#include "tests/support/foreign_files.h"
#include "tests/templates/template_import_fixture.h"

namespace tarvo::templates {
namespace {

class ForeignTemplateIndexTest : public test::TemplateImportTest {};

TEST_F(ForeignTemplateIndexTest, ATagThatCannotBeUsedDoesNotStopTheImport) {
    test::writeShopTemplates(templateFolder);
    // A tag on a long field name kept in a database container, which the template does not hold.
    test::writeFile(templateFolder / "SALES.CDX",
                    test::cdxImage({{"SALESNAME", "SALESPERSONNAME", "", 10, ' ', {{"BUDI      ", 1}}}}));
    importing::ImportOptions options = importing::defaultImportOptions();
    options.tableDriver = xbase::Driver::DBFCDX;
    const importing::ImportOutcome outcome = runImport(request(options));
    EXPECT_EQ(outcome.status, importing::ImportStatus::Done);
    ASSERT_EQ(ui.messages.size(), 1u) << ui.messages.back().text;  // only the question before the import
    ASSERT_EQ(recordCount("S_KARYAW"), 1u);
    expectRecord("S_KARYAW", 1, {{"NAMA", xbase::Value("Budi")}});
}

}  // namespace
}  // namespace tarvo::templates
