// A value that does not fit its field while a source table's records are imported is named with
// the source file, the record, the columns it was computed from, the value and the field.

#include "importing/value_feeds.h"

#include <gtest/gtest.h>

#include "importing/field_writer.h"
#include "importing/import_options.h"
#include "importing/import_run.h"
#include "tests/support/test_support.h"
#include "tests/templates/template_fixtures.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {
namespace {

struct Case {
    std::string name;
    bool withFeed;
    std::string message;
};

class ValueFeedsTest : public testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        test::writeTable(dir.path() / "SRC.DBF", {{"Q", 'N', 10, 0}, {"P", 'N', 10, 2}},
                         {{{"Q", 1}, {"P", 1}}, {{"Q", 10}, {"P", 100}}});
        test::writeTable(dir.path() / "TGT.DBF", {{"AMOUNT", 'N', 5, 2}});
        ASSERT_TRUE(test::openTemplate(dir.path(), "SRC"));
        ASSERT_TRUE(test::openTemplate(dir.path(), "TGT"));
    }
    void TearDown() override { xbase::workAreas().closeAll(); }
    test::TempDir dir;
};

TEST_P(ValueFeedsTest, AValueThatDoesNotFitNamesItsRecordAndColumns) {
    ImportRun run(defaultImportOptions(), nullptr);
    const ColumnValue amount = product(column("Q"), column("P"));
    if (GetParam().withFeed) run.addFeeds({"SRC", [](const SourceRow&) { return true; }, {{"TGT", "AMOUNT", amount}}});
    FieldWriter target("TGT");
    try {
        run.forEachRecord("SRC", "Proses no. ", [&](const SourceRow& row) {
            run.appendTo("TGT");
            target.put("AMOUNT", xbase::Value(amount.of(row)));
            return true;
        });
        ADD_FAILURE() << "the second record's value fits";
    } catch (const xbase::Error& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sources, ValueFeedsTest,
    testing::Values(Case{"WithItsColumns", true,
                         "SRC.DBF record 2, column Q × P: value 1000.00 does not fit field AMOUNT (N 5,2) of TGT"},
                    Case{"WithoutColumnsWhenNoneAreKnown", false,
                         "SRC.DBF record 2: value 1000.00 does not fit field AMOUNT (N 5,2) of TGT"}),
    [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

}  // namespace
}  // namespace tarvo::importing
