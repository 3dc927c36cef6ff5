// Throughput of the table layer on a realistic item table (40 fields, about 1 KB a record):
// appending records with every field written, and reading them back with every field read,
// next to a raw baseline that writes and reads the same bytes with one write()/read() per
// record-sized buffer. Prints the peak resident memory at the end, so runs with different
// record counts show whether memory grows with the number of records.
//
// Records per run: TARVO_BENCH_RECORDS (default 1000000). Files go to a temporary folder
// (TARVO_BENCH_DIR, default the system's) that is removed at exit.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "xbase/error.h"
#include "xbase/table.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo::xbase;

constexpr int64_t kDefaultRecords = 1'000'000;
constexpr size_t kDistinctRows = 1024;   // rows of prepared values, used in turn

int64_t recordCount() {
    const char* text = std::getenv("TARVO_BENCH_RECORDS");
    int64_t count = text ? std::atoll(text) : 0;
    return count > 0 ? count : kDefaultRecords;
}

const fs::path& benchFolder() {
    static const fs::path folder = [] {
        const char* base = std::getenv("TARVO_BENCH_DIR");
        fs::path path = (base ? fs::path(base) : fs::temp_directory_path()) /
                        ("tarvo_table_bench." + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

// An item master as a retail database keeps it: codes, names, descriptions, prices,
// quantities, dates and flags.
std::vector<FieldInfo> itemLayout() {
    std::vector<FieldInfo> fields;
    auto c = [&](const char* name, int width) { fields.push_back({name, 'C', width, 0}); };
    auto n = [&](const char* name, int width, int decimals) { fields.push_back({name, 'N', width, decimals}); };
    auto d = [&](const char* name) { fields.push_back({name, 'D', 8, 0}); };
    auto l = [&](const char* name) { fields.push_back({name, 'L', 1, 0}); };
    c("KODE", 20), c("BARCODE", 20), c("KODE_SUPP", 20), c("KODE_GRUP", 20), c("KODE_DEPT", 20);
    c("SATUAN", 10), c("NAMA", 100), c("NAMA_PENDK", 100), c("KET", 250), c("KET2", 150);
    c("MERK", 50), c("UKURAN", 20), c("WARNA", 20), c("LOKASI", 20), c("USER_IN", 10), c("USER_UP", 10);
    n("HARGA1", 15, 2), n("HARGA2", 15, 2), n("HARGA3", 15, 2), n("HARGA4", 15, 2), n("HPP", 15, 2);
    n("HBELI", 15, 2), n("DISC1", 6, 2), n("DISC2", 6, 2), n("STOK", 12, 2), n("STOK_MIN", 12, 2);
    n("STOK_MAX", 12, 2), n("ISI", 8, 0), n("BERAT", 10, 3), n("PPN", 6, 2), n("POIN", 8, 0), n("MARGIN", 6, 2);
    d("TGL_IN"), d("TGL_UP"), d("TGL_JUAL"), d("TGL_BELI");
    l("AKTIF"), l("KONSINYASI"), l("PAJAK"), l("DIJUAL");
    return fields;
}

// A value of the field's type that differs from row to row.
Value sampleValue(const FieldInfo& field, size_t row) {
    const auto r = static_cast<int>(row);
    switch (field.type) {
        case 'C': {
            std::string text = field.name + "-" + std::to_string(100000 + r);
            if (field.length >= 100)
                text += r % 7 == 0 ? " Café crème kemasan botol kaca" : " Kopi bubuk robusta kemasan 250 gram";
            if (field.length >= 150) text += ", disimpan di tempat kering dan sejuk, jauh dari sinar matahari";
            text.resize(std::min<size_t>(text.size(), static_cast<size_t>(field.length)));
            return Value(std::move(text));
        }
        case 'N': {
            double whole = field.length >= 12 ? 12500 + 37 * r : r % 50;
            return Value(field.decimals > 0 ? whole + (r % 100) / 100.0 : whole);
        }
        case 'D': return Value(Date{2024, 1 + r % 12, 1 + r % 28});
        default: return Value(r % 3 != 0);
    }
}

const std::vector<std::vector<Value>>& sampleRows() {
    static const std::vector<std::vector<Value>> rows = [] {
        const std::vector<FieldInfo> layout = itemLayout();
        std::vector<std::vector<Value>> out(kDistinctRows);
        for (size_t row = 0; row < kDistinctRows; ++row)
            for (const FieldInfo& field : layout) out[row].push_back(sampleValue(field, row));
        return out;
    }();
    return rows;
}

uint32_t recordLength() {
    uint32_t length = 1;  // the deletion flag
    for (const FieldInfo& field : itemLayout()) length += static_cast<uint32_t>(field.length);
    return length;
}

fs::path itemTablePath() { return benchFolder() / "ITEM.DBF"; }
fs::path rawFilePath() { return benchFolder() / "RAW.DAT"; }

void writeItemTable(int64_t records) {
    const fs::path path = itemTablePath();
    Table::create(path, itemLayout(), Driver::DBFCDX);
    auto table = Table::open(path, OpenOptions{.exclusive = true, .readOnly = false, .driver = Driver::DBFCDX});
    const auto& rows = sampleRows();
    const int fields = table->fieldCount();
    for (int64_t i = 0; i < records; ++i) {
        table->append();
        const std::vector<Value>& row = rows[static_cast<size_t>(i) % rows.size()];
        for (int pos = 1; pos <= fields; ++pos) table->fieldPut(pos, row[static_cast<size_t>(pos - 1)]);
    }
    table->commit();
}

void writeRawFile(int64_t records) {
    std::string record(recordLength(), ' ');
    int fd = ::open(rawFilePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) throw Error(rawFilePath().string() + ": cannot create");
    for (int64_t i = 0; i < records; ++i) {
        record[1 + static_cast<size_t>(i) % (record.size() - 1)] = 'x';  // not the same bytes every time
        if (::write(fd, record.data(), record.size()) != static_cast<ssize_t>(record.size())) {
            ::close(fd);
            throw Error(rawFilePath().string() + ": write error");
        }
    }
    ::close(fd);
}

// The read benchmarks reuse the files the write benchmarks left when they hold the records.
void ensureItemTable(int64_t records) {
    std::error_code ec;
    if (fs::exists(itemTablePath(), ec)) {
        auto table = Table::open(itemTablePath(), OpenOptions{.exclusive = false, .readOnly = true, .driver = Driver::DBFCDX});
        if (table->recCount() == records) return;
    }
    writeItemTable(records);
}

void ensureRawFile(int64_t records) {
    std::error_code ec;
    if (fs::file_size(rawFilePath(), ec) == static_cast<uintmax_t>(records) * recordLength()) return;
    writeRawFile(records);
}

double peakRssMb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB on Linux
}

void setCounters(benchmark::State& state, int64_t records) {
    using benchmark::Counter;
    const double bytes = static_cast<double>(records) * recordLength();
    state.counters["records/s"] = Counter(static_cast<double>(records), Counter::kIsIterationInvariantRate);
    state.counters["MB/s"] = Counter(bytes / 1e6, Counter::kIsIterationInvariantRate);
    state.counters["peak_RSS_MB"] = peakRssMb();
}

void tableAppend(benchmark::State& state) {
    const int64_t records = state.range(0);
    sampleRows();
    for (auto _ : state) writeItemTable(records);
    setCounters(state, records);
}

void rawWrite(benchmark::State& state) {
    const int64_t records = state.range(0);
    for (auto _ : state) writeRawFile(records);
    setCounters(state, records);
}

void tableRead(benchmark::State& state) {
    const int64_t records = state.range(0);
    ensureItemTable(records);
    for (auto _ : state) {
        auto table = Table::open(itemTablePath(), OpenOptions{.exclusive = false, .readOnly = true, .driver = Driver::DBFCDX});
        const int fields = table->fieldCount();
        for (table->goTop(); !table->eof(); table->skip()) {
            for (int pos = 1; pos <= fields; ++pos) {
                Value value = table->fieldGet(pos);
                benchmark::DoNotOptimize(value);
            }
        }
    }
    setCounters(state, records);
}

void rawRead(benchmark::State& state) {
    const int64_t records = state.range(0);
    ensureRawFile(records);
    std::string record(recordLength(), ' ');
    for (auto _ : state) {
        int fd = ::open(rawFilePath().c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            state.SkipWithError("cannot open the raw file");
            break;
        }
        while (::read(fd, record.data(), record.size()) == static_cast<ssize_t>(record.size()))
            benchmark::DoNotOptimize(record.data());
        ::close(fd);
    }
    setCounters(state, records);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    const int64_t records = recordCount();
    const std::pair<const char*, void (*)(benchmark::State&)> benchmarks[] = {
        {"TableAppend", tableAppend}, {"RawWrite", rawWrite}, {"TableRead", tableRead}, {"RawRead", rawRead}};
    for (const auto& [name, function] : benchmarks)
        benchmark::RegisterBenchmark(name, function)->Arg(records)->Unit(benchmark::kMillisecond)->UseRealTime();
    int status = 0;
    try {
        benchmark::RunSpecifiedBenchmarks();
    } catch (const Error& error) {
        std::fprintf(stderr, "%s\n", error.what());
        status = 1;
    }
    benchmark::Shutdown();
    std::printf("record length: %u bytes; peak RSS: %.1f MB\n", recordLength(), peakRssMb());
    std::error_code ec;
    fs::remove_all(benchFolder(), ec);
    return status;
}
