// The matching of a shop's own workbook: TARVO_BENCH_SHEETS sheets (default 50) of
// TARVO_BENCH_COLUMNS columns (default 40), each with a title row, a header row of the shop's own
// words (common headers, catalogue descriptions, near-misses and columns that fit nothing) and a
// few rows of values, named "Sheet1", "Sheet2", ... so that every template is weighed for each.
// Measured: the whole proposal (header rows found, templates proposed, columns matched).
//
//   build/bench/column_matching_bench --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "templatetools/mapping_proposal.h"

using namespace tarvo;

namespace {

sheets::Cell textCell(int column, std::string text) {
    sheets::Cell cell;
    cell.column = column;
    cell.kind = sheets::CellKind::Text;
    cell.text = std::move(text);
    return cell;
}

const std::vector<std::string> kHeaders = {
    "Kode Barang", "Nama Barang", "Satuan", "Harga Beli", "Harga Jual", "Stok Gudang", "Supplier", "Rak", "No",
    "Keterangan", "Barcode", "Harga Grosir", "Kategori", "Min Stok", "Disc Beli", "Nama Satuan ke-2", "Volume Liter",
    "Tanggal Expired", "Merk", "Warna", "Ukuran", "Harga Jual ke-3", "Kode Pabrik", "Nama Supplier", "Berat",
    "Mata Uang Harga Beli", "Lokasi", "Harga Pokok", "Stok Minimum", "Qty", "Hrg Jual", "Kode Brg", "Catatan Gudang",
};

std::vector<templatetools::SheetHead> shopWorkbook(uint32_t sheetCount, uint32_t columnCount) {
    std::vector<templatetools::SheetHead> heads;
    for (uint32_t s = 0; s < sheetCount; ++s) {
        templatetools::SheetHead& head = heads.emplace_back();
        head.name = "Sheet" + std::to_string(s + 1);
        sheets::Row title;
        title.number = 1;
        title.cells.push_back(textCell(0, "DAFTAR BARANG CABANG " + std::to_string(s + 1)));
        head.rows.push_back(title);
        sheets::Row header;
        header.number = 3;
        for (uint32_t c = 0; c < columnCount; ++c) {
            const std::string& word = kHeaders[(c + s) % kHeaders.size()];
            header.cells.push_back(textCell(static_cast<int>(c), c < kHeaders.size() ? word : word + " " + std::to_string(c)));
        }
        head.rows.push_back(header);
        for (long r = 4; r < 12; ++r) {
            sheets::Row values;
            values.number = r;
            for (uint32_t c = 0; c < columnCount; ++c)
                values.cells.push_back(textCell(static_cast<int>(c), "Isi " + std::to_string(r * 100 + c)));
            head.rows.push_back(values);
        }
    }
    return heads;
}

void ProposeMapping(benchmark::State& state) {
    const auto heads = shopWorkbook(bench::envCount("TARVO_BENCH_SHEETS", 50), bench::envCount("TARVO_BENCH_COLUMNS", 40));
    templatetools::proposeMapping(heads);  // the catalogue's phrases are indexed once per program
    size_t matched = 0;
    for (auto _ : state) {
        const templatetools::ColumnMapping mapping = templatetools::proposeMapping(heads);
        for (const auto& sheet : mapping.sheets)
            for (const auto& column : sheet.columns) matched += column.field.empty() ? 0 : 1;
        benchmark::DoNotOptimize(mapping);
    }
    state.counters["matched"] = static_cast<double>(matched) / static_cast<double>(state.iterations());
    state.counters["sheets"] = static_cast<double>(heads.size());
}

}  // namespace

BENCHMARK(ProposeMapping)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
