// Index maintenance on the item table's working index: appending items with one exact seek
// before each (the duplicate check of an item import) while six tags stay current, the commit
// that writes the index out, and building one tag over a million existing records.
//
// Items per append run: TARVO_BENCH_ITEMS (default 200000); records of the tag build:
// TARVO_BENCH_RECORDS (default 1000000). Files go to a temporary folder removed at exit.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "xbase/settings.h"
#include "xbase/table.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo::xbase;

int64_t fromEnvironment(const char* name, int64_t fallback) {
    const char* text = std::getenv(name);
    int64_t value = text ? std::atoll(text) : 0;
    return value > 0 ? value : fallback;
}

struct Folder {
    fs::path path = fs::temp_directory_path() / ("tarvo_index_bench." + std::to_string(::getpid()));
    Folder() { fs::create_directories(path); }
    ~Folder() { fs::remove_all(path); }
};

const fs::path& folder() {
    static Folder f;
    return f.path;
}

const std::vector<FieldInfo> kStockFields = {
    {"ID", 'N', 10, 0},      {"KODE_C", 'C', 30, 0},   {"KODE_C_2", 'C', 30, 0}, {"KODE_C_3", 'C', 30, 0},
    {"KODE_C_4", 'C', 30, 0}, {"KODE_C_5", 'C', 30, 0}, {"NAMA", 'C', 100, 0},    {"NAMAEX1", 'C', 50, 0},
    {"SATUAN", 'C', 10, 0},  {"HARGA", 'N', 15, 2},    {"STOK", 'N', 15, 4},     {"TGL_INPUT", 'D', 8, 0},
    {"AKTIF", 'L', 1, 0},    {"DBF_VLD", 'C', 4, 0},
};

const char* kWorkingTags[][2] = {
    {"KODE", "Upper(KODE_C)"},     {"KODE_2", "Upper(KODE_C_2)"}, {"KODE_3", "Upper(KODE_C_3)"},
    {"KODE_4", "Upper(KODE_C_4)"}, {"KODE_5", "Upper(KODE_C_5)"}, {"NAMA", "Upper(NAMA)+Upper(NAMAEX1)"},
};

std::string code(uint64_t n) { return "89910" + std::to_string(1000000 + n); }

void printPeakMemory() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld MB\n", usage.ru_maxrss / 1024);
}

void BM_AppendWithSeekSixTags(benchmark::State& state) {
    applyStartupSettings();
    const int64_t items = fromEnvironment("TARVO_BENCH_ITEMS", 200'000);
    std::mt19937_64 rng(42);
    for (auto _ : state) {
        const fs::path path = folder() / "S_STOCK.Q7T";
        fs::remove(folder() / "S_STOCK.CDX");
        Table::create(path, kStockFields, Driver::DBFCDX);
        auto table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
        for (const auto& tag : kWorkingTags) table->createOrder(folder() / "S_STOCK.CDX", tag[0], tag[1]);
        table->setOrder("KODE");
        const auto start = std::chrono::steady_clock::now();
        for (int64_t i = 0; i < items; ++i) {
            const uint64_t n = rng() % (items * 4);  // mostly new codes, some duplicates
            std::string kode = code(n);
            if (table->seek(Value(kode + std::string(30 - kode.size(), ' ')), false)) continue;
            table->append();
            table->fieldPut(1, Value(static_cast<double>(table->recCount())));
            table->fieldPut(2, Value(kode));
            table->fieldPut(3, Value(code(n + 1)));
            if (i % 3 == 0) table->fieldPut(4, Value(code(n + 2)));
            table->fieldPut(7, Value("Barang nomor " + std::to_string(n)));
            table->fieldPut(8, Value("KEMASAN " + std::to_string(n % 17)));
            table->fieldPut(10, Value(1000.0 + static_cast<double>(n % 5000)));
        }
        const auto appended = std::chrono::steady_clock::now();
        table->commit();
        const auto committed = std::chrono::steady_clock::now();
        state.counters["appends_with_seek_per_s"] =
            static_cast<double>(items) / std::chrono::duration<double>(appended - start).count();
        state.counters["commit_s"] = std::chrono::duration<double>(committed - appended).count();
        state.counters["records"] = table->recCount();
    }
    printPeakMemory();
}
BENCHMARK(BM_AppendWithSeekSixTags)->Unit(benchmark::kSecond)->Iterations(1);

void BM_BuildTagOverExistingRecords(benchmark::State& state) {
    applyStartupSettings();
    const int64_t records = fromEnvironment("TARVO_BENCH_RECORDS", 1'000'000);
    const fs::path path = folder() / "BUILD.Q7T";
    Table::create(path, kStockFields, Driver::DBFCDX);
    {
        auto table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
        std::mt19937_64 rng(7);
        for (int64_t i = 0; i < records; ++i) {
            table->append();
            table->fieldPut(2, Value(code(rng() % (records * 10))));
        }
    }
    for (auto _ : state) {
        fs::remove(folder() / "BUILD.CDX");
        auto table = Table::open(path, OpenOptions{true, false, Driver::DBFCDX});
        table->createOrder(folder() / "BUILD.CDX", "KODE", "Upper(KODE_C)");
        state.counters["keys"] = table->order("KODE") ? 1.0 * records : 0.0;
    }
    printPeakMemory();
}
BENCHMARK(BM_BuildTagOverExistingRecords)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
