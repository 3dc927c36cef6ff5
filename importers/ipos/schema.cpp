#include "importers/ipos/schema.h"

#include <stdexcept>

namespace tarvo::importers::ipos {

namespace {
constexpr ColumnKind T = ColumnKind::Text;
constexpr ColumnKind N = ColumnKind::Number;
constexpr ColumnKind S = ColumnKind::Timestamp;
}  // namespace

const std::vector<SourceTable>& sourceTables() {
    static const std::vector<SourceTable> tables = {
        {kItemGroupTable, {{"JENIS", T}, {"NAMAJENIS", T}}},
        {kItemTable,
         {{"NOITEM", T}, {"NAMAITEM", T}, {"SATUAN", T}, {"JENIS", T}, {"HARGAPOKOK", N}, {"HARGAJUAL", N},
          {"STOKMIN", N}, {"DISKONP", N}, {"DISKONN", N}, {"PERDIS1", S}, {"PERDIS2", S}}},
        {kSalesmanTable,
         {{"NOSALES", T}, {"NAMASALES", T}, {"ALAMAT", T}, {"KOTA", T}, {"TELEPHONE", T}, {"KOMISIJUAL", N}}},
        {kSalesHeaderTable,
         {{"NOTRANSAKSI", T}, {"TANGGAL", S}, {"NOSALES", T}, {"TOTALQTY", N}, {"TOTALJUAL", N}, {"TOTALDISKON", N}}},
        {kSalesDetailTable,
         {{"NOTRANSAKSI", T}, {"NOITEM", T}, {"QUANTITY", N}, {"HARGAJUAL", N}, {"TOTAL", N}, {"HARGAPOKOK", N}}},
        {kCashHeaderTable, {{"NOTRANSAKSI", T}, {"TANGGAL", S}, {"TOTALQTY", N}, {"TOTALJUAL", N}, {"TOTALDISKON", N}}},
        {kCashDetailTable,
         {{"NOTRANSAKSI", T}, {"NOITEM", T}, {"QUANTITY", N}, {"HARGAJUAL", N}, {"TOTAL", N}, {"HARGAPOKOK", N}}},
        {kReceiptHeaderTable, {{"NOTRANSAKSI", T}, {"TANGGAL", S}, {"TOTALQTY", N}}},
        {kReceiptDetailTable, {{"NOTRANSAKSI", T}, {"NOITEM", T}, {"QTY", N}, {"HARGA", N}}},
        {kIssueHeaderTable, {{"NOTRANSAKSI", T}, {"TANGGAL", S}, {"TOTALQTY", N}}},
        {kIssueDetailTable, {{"NOTRANSAKSI", T}, {"NOITEM", T}, {"QTY", N}, {"HARGAPOKOK", N}}},
    };
    return tables;
}

const SourceTable& sourceTable(const std::string& name) {
    for (const SourceTable& table : sourceTables())
        if (name == table.name) return table;
    throw std::logic_error("no iPOS table " + name);
}

std::string selectAll(const std::string& table) { return "SELECT * FROM " + table; }

}  // namespace tarvo::importers::ipos
