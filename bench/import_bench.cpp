// The whole template import on a generated template set, next to a baseline that does only the
// unavoidable part of it: read every template row and append as many records to the same
// retail tables as the import wrote, with every field filled, but without lookups or indexes.
//
// The set has ITEMS items with three codes each, units, prices and opening stock over five
// warehouses (imported in the open stock mode), ITEMS/10 customers and ITEMS/100 vendors.
// Generating the templates and writing a fresh sample database before each run are not timed.
//
// Sizes: TARVO_BENCH_ITEMS, one count or several separated by commas (default 200000). Peak
// memory is per process, so run one size per process to read it. Files go to a temporary
// folder (TARVO_BENCH_DIR, default the system's) that is removed at exit. After the runs a
// summary gives per size the best import and baseline times, their ratio, items per second
// and the peak resident memory of the process.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "bench/import_baseline.h"
#include "sampledata/templates.h"
#include "templates/template_import.h"
#include "ui/user_interaction.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/work_areas.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo;
using namespace tarvo::bench;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kDefaultItems = 200'000;
constexpr const char* kPrefix = "tarvo_import_bench";

sampledata::SampleTemplateOptions sampleShape(uint32_t items) {
    return {.items = items, .customers = items / 10, .vendors = items / 100, .seed = 1, .warehouses = 5, .codesPerItem = 3};
}

// The template folder of a size, generated on first use.
const fs::path& templateFolder(uint32_t items) {
    static std::map<uint32_t, fs::path> folders;
    auto [entry, added] = folders.try_emplace(items, benchFolder(kPrefix) / ("templates_" + std::to_string(items)));
    if (added) sampledata::makeSampleTemplates(entry->second, sampleShape(items));
    return entry->second;
}

struct SizeResult {
    double importSeconds = std::numeric_limits<double>::infinity();
    double baselineSeconds = std::numeric_limits<double>::infinity();
    std::map<std::string, uint32_t> written;  // records per retail table of the last import
    // Of the best import: the backup before the preparation and the flush of the durable end
    // (both inside importSeconds).
    double backupSeconds = 0;
    double durableEndSeconds = 0;
};

std::map<uint32_t, SizeResult>& results() {
    static std::map<uint32_t, SizeResult> byItems;
    return byItems;
}

// One import into a fresh database; returns its seconds, or a negative value after an error
// (message in error).
double timedImport(uint32_t items, std::string& error) {
    const fs::path& templates = templateFolder(items);
    const fs::path database = freshDatabase(benchFolder(kPrefix) / "import");
    importing::ImportRequest request;
    request.databaseFolder = database.string();
    request.importFolder = templates.string();
    request.options = importing::defaultImportOptions();
    request.options.stockMode = importing::StockMode::Open;
    request.options.openDate = sampleShape(items).asOf;
    request.rejectFile = database / "REJECT.TXT";

    YesInteraction yes;
    ui::setInteraction(&yes);
    const Clock::time_point start = Clock::now();
    const importing::ImportOutcome outcome = templates::runTemplateImport(nullptr, request);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ui::setInteraction(nullptr);
    xbase::workAreas().closeAll();
    if (outcome.status != importing::ImportStatus::Done) {
        error = "import did not finish: " + yes.lastError;
        return -1;
    }
    SizeResult& result = results()[items];
    result.written = outcome.written;
    if (seconds < result.importSeconds) {
        result.backupSeconds = outcome.safetyTimings.backupSeconds;
        result.durableEndSeconds = outcome.safetyTimings.durableEndSeconds;
    }
    return seconds;
}

void importBenchmark(benchmark::State& state) {
    const auto items = static_cast<uint32_t>(state.range(0));
    templateFolder(items);
    for (auto _ : state) {
        std::string error;
        const double seconds = timedImport(items, error);
        if (seconds < 0) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(seconds);
        SizeResult& result = results()[items];
        result.importSeconds = std::min(result.importSeconds, seconds);
    }
    state.counters["items/s"] = benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_RSS_MB"] = peakRssMb();
}

void baselineBenchmark(benchmark::State& state) {
    const auto items = static_cast<uint32_t>(state.range(0));
    if (results()[items].written.empty()) {  // the counts of the import, run untimed when filtered out
        std::string error;
        if (timedImport(items, error) < 0) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    const fs::path& templates = templateFolder(items);
    for (auto _ : state) {
        const std::vector<BaselineTable> tables = prepareBaseline(benchFolder(kPrefix) / "baseline", results()[items].written);
        const Clock::time_point start = Clock::now();
        readEveryRow(templates, ".DBF");
        for (const BaselineTable& table : tables) appendRecords(table);
        const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        SizeResult& result = results()[items];
        result.baselineSeconds = std::min(result.baselineSeconds, seconds);
    }
    state.counters["items/s"] = benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_RSS_MB"] = peakRssMb();
}

void printSummary() {
    std::printf("\n%9s %10s %12s %7s %9s %12s %9s %11s\n", "items", "import_s", "baseline_s", "ratio", "items/s",
                "peak_RSS_MB", "backup_s", "durable_s");
    for (const auto& [items, result] : results()) {
        if (result.importSeconds == std::numeric_limits<double>::infinity()) continue;
        std::printf("%9u %10.2f %12.2f %7.2f %9.0f %12.1f %9.2f %11.2f\n", items, result.importSeconds,
                    result.baselineSeconds, result.importSeconds / result.baselineSeconds, items / result.importSeconds,
                    peakRssMb(), result.backupSeconds, result.durableEndSeconds);
    }
    std::printf("(best run of each; peak resident memory is the whole process's; the import's time includes the\n"
                " backup before the preparation and the flush to disk of the durable end)\n");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    xbase::applyStartupSettings();
    const std::pair<const char*, void (*)(benchmark::State&)> benchmarks[] = {{"Import", importBenchmark},
                                                                               {"Baseline", baselineBenchmark}};
    for (const uint32_t items : itemSizes(kDefaultItems))
        for (const auto& [name, function] : benchmarks) configureRun(benchmark::RegisterBenchmark(name, function), items);
    return runAndSummarise(printSummary, benchFolder(kPrefix));
}
