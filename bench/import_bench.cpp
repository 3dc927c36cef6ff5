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
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <limits>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "retaildb/sample_retail_db.h"
#include "templates/sample_templates.h"
#include "templates/template_import.h"
#include "ui/user_interaction.h"
#include "xbase/error.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/work_areas.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo;
using Clock = std::chrono::steady_clock;

constexpr uint32_t kDefaultItems = 200'000;
constexpr size_t kDistinctRows = 64;  // rows of prepared baseline values, used in turn

std::vector<uint32_t> itemSizes() {
    std::vector<uint32_t> sizes;
    const char* text = std::getenv("TARVO_BENCH_ITEMS");
    std::istringstream list(text ? text : "");
    for (std::string item; std::getline(list, item, ',');)
        if (const long count = std::atol(item.c_str()); count > 0) sizes.push_back(static_cast<uint32_t>(count));
    if (sizes.empty()) sizes.push_back(kDefaultItems);
    return sizes;
}

const fs::path& benchFolder() {
    static const fs::path folder = [] {
        const char* base = std::getenv("TARVO_BENCH_DIR");
        fs::path path = (base ? fs::path(base) : fs::temp_directory_path()) /
                        ("tarvo_import_bench." + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

templates::SampleTemplateOptions sampleShape(uint32_t items) {
    return {.items = items, .customers = items / 10, .vendors = items / 100, .seed = 1, .warehouses = 5, .codesPerItem = 3};
}

// The template folder of a size, generated on first use.
const fs::path& templateFolder(uint32_t items) {
    static std::map<uint32_t, fs::path> folders;
    auto [entry, added] = folders.try_emplace(items, benchFolder() / ("templates_" + std::to_string(items)));
    if (added) templates::makeSampleTemplates(entry->second, sampleShape(items));
    return entry->second;
}

// A fresh sample database in folder/ST_DB. Everything written so far (the templates, the
// database) goes to disk first, so that a timed run does not share the disk and the processors
// with the write-back of files written before it.
fs::path freshDatabase(const std::string& name) {
    const fs::path folder = benchFolder() / name;
    fs::remove_all(folder);
    retaildb::makeSampleRetailDatabase(folder);
    ::sync();
    return folder;
}

// Answers Yes to every question and keeps the last error.
class YesInteraction final : public ui::SilentInteraction {
public:
    int askEx(ui::Owner, const std::string&, const std::string&, int, int) override { return ui::kReplyYes; }
    void error(ui::Owner, const std::string& text) override { lastError = text; }
    void warning(ui::Owner, const std::string&, const std::string& text) override { lastError = text; }

    std::string lastError;
};

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

double peakRssMb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

// One import into a fresh database; returns its seconds, or a negative value after an error
// (message in error).
double timedImport(uint32_t items, std::string& error) {
    const fs::path& templates = templateFolder(items);
    const fs::path database = freshDatabase("import");
    templates::ImportRequest request;
    request.databaseFolder = database.string();
    request.templateFolder = templates.string();
    request.options = templates::defaultImportOptions();
    request.options.stockMode = templates::StockMode::Open;
    request.options.openDate = sampleShape(items).asOf;
    request.rejectFolder = database;

    YesInteraction yes;
    ui::setInteraction(&yes);
    const Clock::time_point start = Clock::now();
    const templates::ImportOutcome outcome = templates::runTemplateImport(nullptr, request);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ui::setInteraction(nullptr);
    xbase::workAreas().closeAll();
    if (outcome.status != templates::ImportStatus::Done) {
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

// A value of the field's type that differs from row to row and fits the field.
xbase::Value baselineValue(const xbase::FieldInfo& field, size_t row) {
    const auto r = static_cast<long>(row);
    switch (field.type) {
        case 'C': {
            std::string text = field.name + " " + std::to_string(100000 + r);
            text.resize(std::min<size_t>(text.size(), static_cast<size_t>(field.length)));
            return xbase::Value(std::move(text));
        }
        case 'N': {
            const int whole = field.length - field.decimals - (field.decimals > 0 ? 1 : 0);
            long limit = 1;
            for (int digit = 0; digit < std::min(whole, 6); ++digit) limit *= 10;
            return xbase::Value(static_cast<double>((1000 + 37 * r) % limit));
        }
        case 'D': return xbase::Value(xbase::Date{2024, 1 + static_cast<int>(r % 12), 1 + static_cast<int>(r % 28)});
        case 'L': return xbase::Value(r % 3 != 0);
        default: return {};  // memos stay empty
    }
}

struct BaselineTable {
    fs::path path;
    uint32_t records = 0;
    std::vector<std::vector<xbase::Value>> rows;  // kDistinctRows rows of one value per field
};

// The tables the import wrote, with their indexes removed and values prepared.
std::vector<BaselineTable> prepareBaseline(const std::map<std::string, uint32_t>& written) {
    const fs::path folder = freshDatabase("baseline") / "ST_DB";
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".CDX") fs::remove(entry.path());
    std::vector<BaselineTable> tables;
    for (const auto& [name, records] : written) {
        BaselineTable table{folder / (name + ".Q7T"), records, {}};
        const std::vector<xbase::FieldInfo> fields =
            xbase::Table::open(table.path, xbase::OpenOptions{.exclusive = true})->structure();
        for (size_t row = 0; row < kDistinctRows; ++row) {
            table.rows.emplace_back();
            for (const xbase::FieldInfo& field : fields) table.rows.back().push_back(baselineValue(field, row));
        }
        tables.push_back(std::move(table));
    }
    return tables;
}

void readEveryTemplateRow(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".DBF") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    for (const fs::path& file : files) {
        auto table = xbase::Table::open(file, xbase::OpenOptions{.readOnly = true, .driver = xbase::Driver::DBFNTX});
        const int fields = table->fieldCount();
        for (table->goTop(); !table->eof(); table->skip()) {
            for (int pos = 1; pos <= fields; ++pos) {
                xbase::Value value = table->fieldGet(pos);
                benchmark::DoNotOptimize(value);
            }
        }
    }
}

void appendRecords(const BaselineTable& target) {
    auto table = xbase::Table::open(target.path, xbase::OpenOptions{.exclusive = true});
    const int fields = table->fieldCount();
    for (uint32_t i = 0; i < target.records; ++i) {
        table->append();
        const std::vector<xbase::Value>& row = target.rows[i % target.rows.size()];
        for (int pos = 1; pos <= fields; ++pos)
            if (table->field(pos).type != 'M') table->fieldPut(pos, row[static_cast<size_t>(pos - 1)]);
    }
    table->commit();
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
        const std::vector<BaselineTable> tables = prepareBaseline(results()[items].written);
        const Clock::time_point start = Clock::now();
        readEveryTemplateRow(templates);
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
    for (const uint32_t items : itemSizes()) {
        for (const auto& [name, function] : benchmarks)
            benchmark::RegisterBenchmark(name, function)
                ->Arg(items)
                ->ArgName("items")
                ->Iterations(1)
                ->UseManualTime()
                ->Unit(benchmark::kSecond);
    }
    int status = 0;
    try {
        benchmark::RunSpecifiedBenchmarks();
        printSummary();
    } catch (const xbase::Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    benchmark::Shutdown();
    std::error_code ec;
    fs::remove_all(benchFolder(), ec);
    return status;
}
