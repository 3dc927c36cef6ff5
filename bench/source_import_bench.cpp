// The direct import of each kind of source (msbrg, is, ias) on a generated source folder, next to
// a baseline that reads every source row and appends as many records to the same retail tables as
// the import wrote, with every field filled, but without lookups or indexes.
//
// A source has ITEMS items and ITEMS/10 customers (make-source with its optional columns), imported
// in the open stock mode. Generating the source and writing a fresh sample database before each
// run are not timed.
//
// Sizes: TARVO_BENCH_ITEMS, one count or several separated by commas (default 200000); kinds:
// TARVO_BENCH_KIND, one or several of msbrg, is, ias (default all three). Peak memory is per
// process, so run one size per process to read it. Files go to a temporary folder
// (TARVO_BENCH_DIR, default the system's) that is removed at exit. The summary gives per kind and
// size the best elapsed and processor times of the import and of the baseline and their ratios.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/import_baseline.h"
#include "importers/application_sources.h"
#include "sampledata/sources.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo;
using namespace tarvo::bench;

constexpr uint32_t kDefaultItems = 200'000;
constexpr const char* kPrefix = "tarvo_source_import_bench";

struct Kind {
    std::string name;
    sampledata::SampleSourceKind kind;
    int application;
    const char* extension;  // of its tables
};

std::vector<Kind> kinds() {
    const std::vector<Kind> all{{"msbrg", sampledata::SampleSourceKind::Msbrg, importers::kLindraMakmur, ".DBF"},
                                {"is", sampledata::SampleSourceKind::Is, importers::kIntegratedSystem, ".DTA"},
                                {"ias", sampledata::SampleSourceKind::Ias, importers::kIas, ".DBF"}};
    const char* text = std::getenv("TARVO_BENCH_KIND");
    if (!text) return all;
    std::vector<Kind> chosen;
    std::istringstream list(text);
    for (std::string name; std::getline(list, name, ',');)
        for (const Kind& kind : all)
            if (kind.name == name) chosen.push_back(kind);
    return chosen;
}

// The source folder of a kind and size, generated on first use.
const fs::path& sourceFolder(const Kind& kind, uint32_t items) {
    static std::map<std::string, fs::path> folders;
    const std::string name = kind.name + "_" + std::to_string(items);
    auto [entry, added] = folders.try_emplace(name, benchFolder(kPrefix) / name);
    if (added) sampledata::makeSampleSource(kind.kind, entry->second, {.items = items, .seed = 1});
    return entry->second;
}

struct RunResult {
    Timing import = kNoRunYet;
    Timing baseline = kNoRunYet;
    std::map<std::string, uint32_t> written;
};

std::map<std::pair<std::string, uint32_t>, RunResult>& results() {
    static std::map<std::pair<std::string, uint32_t>, RunResult> byRun;
    return byRun;
}

// One import into a fresh database; its timing, or nothing after an error (message in error).
std::optional<Timing> timedImport(const Kind& kind, uint32_t items, std::string& error) {
    const fs::path& source = sourceFolder(kind, items);
    const fs::path database = freshDatabase(benchFolder(kPrefix) / "import");
    importing::ImportRequest request;
    request.databaseFolder = database.string();
    request.importFolder = source.string();
    request.options = importing::defaultImportOptions();
    request.options.stockMode = importing::StockMode::Open;
    request.options.tableDriver = xbase::Driver::DBFNTX;
    request.rejectFile = database / "REJECT.TXT";
    auto importer = importers::BUTTONIMPORT2(kind.application);

    YesInteraction yes;
    ui::setInteraction(&yes);
    const Stopwatch stopwatch;
    const importing::ImportOutcome outcome = importing::runImport(nullptr, request, *importer);
    const Timing timing = stopwatch.read();
    ui::setInteraction(nullptr);
    xbase::workAreas().closeAll();
    if (outcome.status != importing::ImportStatus::Done) {
        error = "import did not finish: " + yes.lastError;
        return std::nullopt;
    }
    results()[{kind.name, items}].written = outcome.written;
    return timing;
}

void importBenchmark(benchmark::State& state, const Kind& kind) {
    const auto items = static_cast<uint32_t>(state.range(0));
    sourceFolder(kind, items);
    for (auto _ : state) {
        std::string error;
        const std::optional<Timing> timing = timedImport(kind, items, error);
        if (!timing) {
            state.SkipWithError(error.c_str());
            return;
        }
        state.SetIterationTime(timing->wall);
        RunResult& result = results()[{kind.name, items}];
        result.import = fastest(result.import, *timing);
    }
    state.counters["items/s"] = benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_RSS_MB"] = peakRssMb();
}

void baselineBenchmark(benchmark::State& state, const Kind& kind) {
    const auto items = static_cast<uint32_t>(state.range(0));
    RunResult& result = results()[{kind.name, items}];
    if (result.written.empty()) {  // the counts of the import, run untimed when filtered out
        std::string error;
        if (!timedImport(kind, items, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    const fs::path& source = sourceFolder(kind, items);
    for (auto _ : state) {
        const std::vector<BaselineTable> tables = prepareBaseline(benchFolder(kPrefix) / "baseline", result.written);
        const Stopwatch stopwatch;
        readEveryRow(source, kind.extension);
        for (const BaselineTable& table : tables) appendRecords(table);
        const Timing timing = stopwatch.read();
        state.SetIterationTime(timing.wall);
        result.baseline = fastest(result.baseline, timing);
    }
    state.counters["items/s"] = benchmark::Counter(items, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_RSS_MB"] = peakRssMb();
}

void printSummary() {
    std::printf("\n%-6s %9s %10s %12s %7s %10s %12s %9s %12s\n", "kind", "items", "import_s", "baseline_s", "ratio",
                "import_cpu", "baseline_cpu", "cpu_ratio", "peak_RSS_MB");
    for (const auto& [run, result] : results()) {
        if (result.import.wall == kNoRunYet.wall) continue;
        std::printf("%-6s %9u %10.2f %12.2f %7.2f %10.2f %12.2f %9.2f %12.1f\n", run.first.c_str(), run.second,
                    result.import.wall, result.baseline.wall, result.import.wall / result.baseline.wall,
                    result.import.cpu, result.baseline.cpu, result.import.cpu / result.baseline.cpu, peakRssMb());
    }
    std::printf("(best run of each; peak resident memory is the whole process's)\n");
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    xbase::applyStartupSettings();
    const std::vector<Kind> chosen = kinds();
    for (const uint32_t items : itemSizes(kDefaultItems)) {
        for (const Kind& kind : chosen) {
            using Benchmark = void (*)(benchmark::State&, const Kind&);
            const std::pair<std::string, Benchmark> benchmarks[] = {{"Import/", importBenchmark},
                                                                    {"Baseline/", baselineBenchmark}};
            for (const auto& [name, function] : benchmarks)
                configureRun(benchmark::RegisterBenchmark((name + kind.name).c_str(), function, kind), items);
        }
    }
    return runAndSummarise(printSummary, benchFolder(kPrefix));
}
