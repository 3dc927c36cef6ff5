// The iPOS import of a generated shop read through SQLite's ODBC driver, next to a baseline that
// only reads the same rows through the same ODBC layer: every table the import reads, every
// column of every row as text.
//
// The shop has INVOICES sales invoices of five lines each, half as many items, half as many
// cash-register sales of three lines, and a hundredth as many goods received and issued of four
// lines. Writing the shop and a fresh sample database before each run are not timed.
//
// Sizes: TARVO_BENCH_INVOICES, one count or several separated by commas (default 100000). Peak
// memory is per process, so run one size per process to read it. Files go to a temporary folder
// (TARVO_BENCH_DIR, default the system's) that is removed at exit. The summary gives per size the
// best elapsed and processor times of the import and of the baseline, their ratios and the
// invoices imported per second.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/import_baseline.h"
#include "importers/ipos/ipos_import.h"
#include "sampledata/ipos_database.h"
#include "importers/ipos/schema.h"
#include "odbc/connection.h"
#include "xbase/work_areas.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo;
using namespace tarvo::bench;

constexpr uint32_t kDefaultInvoices = 100'000;
constexpr const char* kPrefix = "tarvo_ipos_import_bench";

sampledata::SampleShop shopOf(uint32_t invoices) {
    sampledata::SampleShop shop;
    shop.items = invoices / 2;
    shop.salesmen = 20;
    shop.invoices = invoices;
    shop.invoiceLines = 5;
    shop.cashSales = invoices / 2;
    shop.cashSaleLines = 3;
    shop.receipts = invoices / 100;
    shop.issues = invoices / 100;
    shop.movementLines = 4;
    return shop;
}

// The connection string of the shop of a size, written on first use. SQLite's ODBC driver is
// named by its file, so that the benchmark needs no registration.
const std::string& connectionOf(uint32_t invoices) {
    static std::map<uint32_t, std::string> connections;
    auto [entry, added] = connections.try_emplace(invoices);
    if (added) {
        const fs::path file = benchFolder(kPrefix) / ("ipos_" + std::to_string(invoices) + ".db");
        sampledata::writeSampleShop(file, shopOf(invoices));
        entry->second = std::string("Driver=") + TARVO_SQLITE_ODBC_DRIVER + ";Database=" + file.string() + ";";
    }
    return entry->second;
}

struct RunResult {
    Timing import = kNoRunYet;
    Timing baseline = kNoRunYet;
};

std::map<uint32_t, RunResult>& results() {
    static std::map<uint32_t, RunResult> bySize;
    return bySize;
}

void importBenchmark(benchmark::State& state) {
    const auto invoices = static_cast<uint32_t>(state.range(0));
    const std::string& connection = connectionOf(invoices);
    for (auto _ : state) {
        importing::ImportRequest request;
        request.databaseFolder = freshDatabase(benchFolder(kPrefix) / "import").string();
        request.options = importing::defaultImportOptions();
        request.rejectFile = std::filesystem::path(request.databaseFolder) / "REJECT.TXT";
        importers::ipos::IposChoices choices;
        choices.connectionString = connection;
        importers::ipos::IposImport source(choices);
        YesInteraction yes;
        ui::setInteraction(&yes);
        const Stopwatch stopwatch;
        const importing::ImportOutcome outcome = importing::runImport(nullptr, request, source);
        const Timing timing = stopwatch.read();
        ui::setInteraction(nullptr);
        xbase::workAreas().closeAll();
        if (outcome.status != importing::ImportStatus::Done) {
            state.SkipWithError(("import did not finish: " + yes.lastError).c_str());
            return;
        }
        state.SetIterationTime(timing.wall);
        RunResult& result = results()[invoices];
        result.import = fastest(result.import, timing);
    }
    state.counters["invoices/s"] = benchmark::Counter(invoices, benchmark::Counter::kIsIterationInvariantRate);
    state.counters["peak_RSS_MB"] = peakRssMb();
}

void baselineBenchmark(benchmark::State& state) {
    const auto invoices = static_cast<uint32_t>(state.range(0));
    const std::string& connection = connectionOf(invoices);
    for (auto _ : state) {
        const Stopwatch stopwatch;
        odbc::Connection link(connection);
        size_t bytes = 0;
        for (const importers::ipos::SourceTable& table : importers::ipos::sourceTables()) {
            odbc::Result result = link.query(importers::ipos::selectAll(table.name));
            for (; !result.atEnd(); result.next())
                for (size_t column = 0; column < result.columnCount(); ++column)
                    bytes += result.current().text(column).size();
        }
        benchmark::DoNotOptimize(bytes);
        const Timing timing = stopwatch.read();
        state.SetIterationTime(timing.wall);
        RunResult& result = results()[invoices];
        result.baseline = fastest(result.baseline, timing);
    }
}

void printSummary() {
    std::printf("\n%9s %9s %9s %6s %9s %9s %6s %11s %8s\n", "invoices", "import s", "base s", "ratio", "import cpu",
                "base cpu", "ratio", "invoices/s", "peak MB");
    for (const auto& [invoices, r] : results())
        std::printf("%9u %9.2f %9.2f %6.2f %9.2f %9.2f %6.2f %11.0f %8.0f\n", invoices, r.import.wall,
                    r.baseline.wall, r.import.wall / r.baseline.wall, r.import.cpu, r.baseline.cpu,
                    r.import.cpu / r.baseline.cpu, invoices / r.import.wall, peakRssMb());
}

}  // namespace

int main(int argc, char** argv) {
    for (uint32_t invoices : sizesFrom("TARVO_BENCH_INVOICES", kDefaultInvoices)) {
        for (auto* run : {benchmark::RegisterBenchmark("ipos_import", importBenchmark),
                          benchmark::RegisterBenchmark("ipos_read_baseline", baselineBenchmark)})
            configureRun(run, invoices, "invoices");
    }
    benchmark::Initialize(&argc, argv);
    return runAndSummarise(printSummary, benchFolder(kPrefix));
}
