// The generated source folders of each kind go through their importer in every stock mode: the
// cases they hold (deleted records, blank keys, repeated codes and names, optional columns left
// out) give a consistent database whose surviving index files agree with their tables.

#include <gtest/gtest.h>

#include "importers/application_sources.h"
#include "sampledata/sources.h"
#include "tests/importers/importer_fixture.h"
#include "xbase/table_indexes.h"

namespace tarvo::importers {
namespace {

using importing::StockMode;

struct SampleCase {
    const char* name;
    sampledata::SampleSourceKind kind;
    int application;
    bool optionalColumns;
};

void PrintTo(const SampleCase& c, std::ostream* out) { *out << c.name; }

class SampleSourceImportTest : public test::ImporterTest, public ::testing::WithParamInterface<SampleCase> {};

TEST_P(SampleSourceImportTest, ImportsInEveryStockModeWithConsistentIndexes) {
    const SampleCase& c = GetParam();
    sampledata::makeSampleSource(c.kind, source, {.items = 300, .customers = 40, .seed = 7, .optionalColumns = c.optionalColumns});
    for (StockMode mode : {StockMode::CloseDay, StockMode::Open, StockMode::None}) {
        SCOPED_TRACE(static_cast<int>(mode));
        ui.messages.clear();
        const auto outcome = runImport(c.application, test::optionsFor(mode));
        ASSERT_EQ(outcome.status, importing::ImportStatus::Done)
            << (ui.messages.size() > 1 ? ui.messages[1].text : "");
        EXPECT_EQ(ui.count("error"), 0u);
        // Deleted rows, blank keys and duplicates are left out, and the rest is there.
        const uint32_t items = recordCount("S_STOCK");
        EXPECT_GT(items, 200u);
        EXPECT_GT(outcome.codeDuplicates + outcome.nameDuplicates, 0u);
        EXPECT_GT(outcome.skipped.size(), 0u);
        EXPECT_EQ(lastIdentifier(15), items);
        EXPECT_GT(recordCount("S_SATUAN"), 0u);
        EXPECT_EQ(recordCount("S_PEMBEL"), mode == StockMode::Open ? 1u : 0u);
        // IS sources without their stock columns have no opening stock.
        const bool withStock = c.optionalColumns || c.kind != sampledata::SampleSourceKind::Is;
        EXPECT_EQ(recordCount("S_PEMBED") > 0, mode == StockMode::Open && withStock);
        for (const auto& entry : std::filesystem::directory_iterator(database)) {
            if (entry.path().extension() != ".CDX") continue;
            auto table = xbase::Table::open(std::filesystem::path(entry.path()).replace_extension(".Q7T"),
                                            {false, true, xbase::Driver::DBFCDX});
            for (int i = 1; i <= table->orderCount(); ++i)
                EXPECT_TRUE(table->indexes()->check(*table->order(i)).empty()) << entry.path();
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, SampleSourceImportTest,
                         ::testing::Values(SampleCase{"msbrg", sampledata::SampleSourceKind::Msbrg, kLindraMakmur, true},
                                           SampleCase{"is", sampledata::SampleSourceKind::Is, kIntegratedSystem, true},
                                           SampleCase{"is_without_optional", sampledata::SampleSourceKind::Is, kIntegratedSystem, false},
                                           SampleCase{"ias", sampledata::SampleSourceKind::Ias, kIas, true},
                                           SampleCase{"ias_without_optional", sampledata::SampleSourceKind::Ias, kIas, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SampleSources, TheSameSeedGivesTheSameFiles) {
    test::TempDir dir;
    sampledata::makeSampleSource(sampledata::SampleSourceKind::Is, dir.path() / "a", {.items = 50, .seed = 3});
    sampledata::makeSampleSource(sampledata::SampleSourceKind::Is, dir.path() / "b", {.items = 50, .seed = 3});
    sampledata::makeSampleSource(sampledata::SampleSourceKind::Is, dir.path() / "c", {.items = 50, .seed = 4});
    auto withoutDates = [](std::map<std::string, std::string> files) {
        for (auto& [name, bytes] : files) bytes.replace(1, 3, "   ");  // the header's date of last update
        return files;
    };
    EXPECT_EQ(withoutDates(test::fileContents(dir.path() / "a")), withoutDates(test::fileContents(dir.path() / "b")));
    EXPECT_NE(withoutDates(test::fileContents(dir.path() / "a")), withoutDates(test::fileContents(dir.path() / "c")));
}

}  // namespace
}  // namespace tarvo::importers
