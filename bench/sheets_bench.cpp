// A long ITEM sheet to ITEM.DBF: the same rows written to the table from memory (the baseline),
// read from an .xlsx workbook (shared strings, as spreadsheet programs save them; inline strings)
// and from a CSV file, every cell converted and checked on the way. Prints the peak resident
// memory at the end, so runs with different row counts show whether memory grows with the sheet.
//
// Rows per run: TARVO_BENCH_ROWS (default 200000). Files go to a temporary folder
// (TARVO_BENCH_DIR, default the system's) that is removed at exit.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sheets/sheets_to_tables.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo;

long rowCount() {
    const char* text = std::getenv("TARVO_BENCH_ROWS");
    const long count = text ? std::atol(text) : 0;
    return count > 0 ? count : 200000;
}

const fs::path& benchFolder() {
    static const fs::path folder = [] {
        const char* base = std::getenv("TARVO_BENCH_DIR");
        fs::path path = (base ? fs::path(base) : fs::temp_directory_path()) / ("tarvo_sheets_bench." + std::to_string(::getpid()));
        fs::create_directories(path);
        return path;
    }();
    return folder;
}

// Sixteen columns of ITEM that a shop fills in.
const sheets::SheetLayout& itemLayout() {
    static const sheets::SheetLayout layout = {
        "ITEM",
        {{{"KODE", 'C', 20, 0}, true},      {{"NAMA", 'C', 100, 0}, true},     {{"SAT_1", 'C', 5, 0}},
         {{"SAT_2", 'C', 5, 0}},            {{"SAT_2_KONV", 'N', 12, 4}},      {{"KODE_GRP1", 'C', 40, 0}},
         {{"KODE_VEN", 'C', 50, 0}},        {{"MIN_STOCK", 'N', 13, 3}},       {{"H_BELI", 'N', 12, 2}},
         {{"H_JUAL1", 'N', 12, 2}},         {{"H_JUAL2", 'N', 12, 2}},         {{"H_JUAL3", 'N', 12, 2}},
         {{"DISC1_J_01", 'N', 6, 2}},       {{"CATATAN", 'C', 50, 0}},         {{"SISA_STK1", 'N', 14, 4}},
         {{"SISA_NIL1", 'N', 14, 2}}}};
    return layout;
}

// The value of row r, column c: texts for character columns, numbers for numeric ones.
std::string textOf(long r, size_t c) {
    static const char* units[] = {"PCS", "BKS", "KG", "LTR"};
    switch (c) {
        case 0: return "BRG" + std::to_string(100000 + r);
        case 1: return "Barang nomor " + std::to_string(r) + " ukuran sedang warna biru";
        case 2: return units[r % 4];
        case 3: return r % 3 ? "" : "CTN";
        case 5: return "GRP" + std::to_string(r % 50);
        case 6: return "VEN" + std::to_string(r % 300);
        case 13: return r % 5 ? "" : "catatan " + std::to_string(r);
        default: return "";
    }
}
// Discounts (column 12) stay below 100.
double numberOf(long r, size_t c) {
    return c == 12 ? static_cast<double>(r % 50) / 2 : static_cast<double>((r * 37 + static_cast<long>(c) * 101) % 100000) / 4;
}

std::vector<xbase::FieldInfo> fields() {
    std::vector<xbase::FieldInfo> out;
    for (const auto& column : itemLayout().columns) out.push_back(column.field);
    return out;
}

// Runs the writing of a source file in a child process, so that its memory does not count in
// this process's peak.
template <typename Write>
void inChild(Write write) {
    const pid_t child = fork();
    if (child == 0) {
        write();
        std::_Exit(0);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || status != 0) std::abort();
}

const fs::path& workbook(bool sharedStrings) {
    static fs::path paths[2];
    fs::path& path = paths[sharedStrings];
    if (!path.empty()) return path;
    path = benchFolder() / (sharedStrings ? "shared.xlsx" : "inline.xlsx");
    inChild([&] {
    lxw_workbook_options options{};
    options.constant_memory = sharedStrings ? LXW_FALSE : LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(path.c_str(), &options);
    lxw_worksheet* sheet = workbook_add_worksheet(book, "ITEM");
    const auto& columns = itemLayout().columns;
    for (size_t c = 0; c < columns.size(); ++c)
        worksheet_write_string(sheet, 0, static_cast<lxw_col_t>(c), columns[c].field.name.c_str(), nullptr);
    for (long r = 0; r < rowCount(); ++r)
        for (size_t c = 0; c < columns.size(); ++c) {
            const auto row = static_cast<lxw_row_t>(r + 1);
            const auto col = static_cast<lxw_col_t>(c);
            if (columns[c].field.type == 'N') worksheet_write_number(sheet, row, col, numberOf(r, c), nullptr);
            else if (const std::string t = textOf(r, c); !t.empty()) worksheet_write_string(sheet, row, col, t.c_str(), nullptr);
        }
    if (workbook_close(book) != LXW_NO_ERROR) std::abort();
    });
    return path;
}

const fs::path& csvFile() {
    static const fs::path path = [] {
        const fs::path file = benchFolder() / "csv" / "ITEM.csv";
        fs::create_directories(file.parent_path());
        inChild([&] {
        std::ofstream out(file);
        const auto& columns = itemLayout().columns;
        for (size_t c = 0; c < columns.size(); ++c) out << (c ? ";" : "") << columns[c].field.name;
        out << "\n";
        char number[32];
        for (long r = 0; r < rowCount(); ++r) {
            for (size_t c = 0; c < columns.size(); ++c) {
                if (c) out << ';';
                if (columns[c].field.type == 'N') {
                    std::snprintf(number, sizeof number, "%.2f", numberOf(r, c));
                    for (char* p = number; *p; ++p)
                        if (*p == '.') *p = ',';
                    out << number;
                } else {
                    out << textOf(r, c);
                }
            }
            out << "\n";
        }
        });
        return file;
    }();
    return path;
}

void fromMemory(benchmark::State& state) {
    const auto layout = fields();
    const fs::path file = benchFolder() / "memory" / "ITEM.DBF";
    fs::create_directories(file.parent_path());
    for (auto _ : state) {
        fs::remove(file);
        xbase::Table::create(file, layout, xbase::Driver::DBFCDX);
        auto table = xbase::Table::open(file, {.exclusive = true});
        for (long r = 0; r < rowCount(); ++r) {
            table->append();
            for (size_t c = 0; c < layout.size(); ++c) {
                const int pos = static_cast<int>(c) + 1;
                if (layout[c].type == 'N') table->fieldPut(pos, xbase::Value(numberOf(r, c)));
                else if (const std::string t = textOf(r, c); !t.empty()) table->fieldPut(pos, xbase::Value(t));
            }
        }
        table->commit();
    }
    state.SetItemsProcessed(state.iterations() * rowCount());
}

void fromSource(benchmark::State& state, const fs::path& source) {
    sheets::SheetsToTablesRequest request;
    request.source = source;
    request.folder = benchFolder() / "sheets";
    request.layoutOf = [](const std::string& name) { return name == "ITEM" ? &itemLayout() : nullptr; };
    for (auto _ : state) {
        const auto outcome = sheets::sheetsToTables(request);
        if (outcome.status != sheets::SheetsToTablesOutcome::Status::Written) {
            state.SkipWithError(outcome.problems.lines().front().c_str());
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * rowCount());
}

void BM_ItemDbfFromMemory(benchmark::State& state) { fromMemory(state); }
void BM_ItemDbfFromXlsxSharedStrings(benchmark::State& state) { fromSource(state, workbook(true)); }
void BM_ItemDbfFromXlsxInlineStrings(benchmark::State& state) { fromSource(state, workbook(false)); }
void BM_ItemDbfFromCsv(benchmark::State& state) { fromSource(state, csvFile()); }

BENCHMARK(BM_ItemDbfFromMemory)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ItemDbfFromXlsxSharedStrings)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ItemDbfFromXlsxInlineStrings)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ItemDbfFromCsv)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    xbase::applyStartupSettings();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("rows %ld, peak resident memory %.1f MB\n", rowCount(), static_cast<double>(usage.ru_maxrss) / 1024);
    std::error_code error;
    fs::remove_all(benchFolder(), error);
    return 0;
}
