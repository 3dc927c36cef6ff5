#include "bench/import_baseline.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include <benchmark/benchmark.h>

#include "sampledata/retail_db.h"
#include "xbase/error.h"

namespace tarvo::bench {

namespace fs = std::filesystem;

namespace {

constexpr size_t kDistinctRows = 64;  // rows of prepared baseline values, used in turn

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

}  // namespace

std::vector<uint32_t> sizesFrom(const char* variable, uint32_t defaultSize) {
    std::vector<uint32_t> sizes;
    const char* text = std::getenv(variable);
    std::istringstream list(text ? text : "");
    for (std::string item; std::getline(list, item, ',');)
        if (const long count = std::atol(item.c_str()); count > 0) sizes.push_back(static_cast<uint32_t>(count));
    if (sizes.empty()) sizes.push_back(defaultSize);
    return sizes;
}

const fs::path& benchFolder(const std::string& prefix) {
    static const fs::path folder = [&prefix] {
        const char* base = std::getenv("TARVO_BENCH_DIR");
        fs::path path = (base ? fs::path(base) : fs::temp_directory_path()) / (prefix + "." + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

fs::path freshDatabase(const fs::path& folder) {
    fs::remove_all(folder);
    sampledata::makeSampleRetailDatabase(folder);
    ::sync();
    return folder;
}

double peakRssMb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

void configureRun(benchmark::internal::Benchmark* run, uint32_t size, const char* sizeName) {
    run->Arg(size)->ArgName(sizeName)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);
}

int runAndSummarise(const std::function<void()>& printSummary, const fs::path& folder) {
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
    fs::remove_all(folder, ec);
    return status;
}

std::vector<BaselineTable> prepareBaseline(const fs::path& folder, const std::map<std::string, uint32_t>& written) {
    const fs::path database = freshDatabase(folder) / "ST_DB";
    for (const fs::directory_entry& entry : fs::directory_iterator(database))
        if (entry.path().extension() == ".CDX") fs::remove(entry.path());
    std::vector<BaselineTable> tables;
    for (const auto& [name, records] : written) {
        BaselineTable table{database / (name + ".Q7T"), records, {}};
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

void readEveryRow(const fs::path& folder, const std::string& extension) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == extension) files.push_back(entry.path());
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

}  // namespace tarvo::bench
