#pragma once
// The tables and columns of an iPOS 3.0 database that the import reads.

#include <string>
#include <vector>

namespace tarvo::importers::ipos {

enum class ColumnKind { Text, Number, Timestamp };

struct SourceColumn {
    const char* name;
    ColumnKind kind;
};

struct SourceTable {
    const char* name;
    std::vector<SourceColumn> columns;
};

inline constexpr const char* kItemGroupTable = "TBLItemJenis";
inline constexpr const char* kItemTable = "TBLItem";
inline constexpr const char* kSalesmanTable = "TBLSales";
inline constexpr const char* kSalesHeaderTable = "TBLPenjualanHeader";
inline constexpr const char* kSalesDetailTable = "TBLPenjualanDetail";
inline constexpr const char* kCashHeaderTable = "TBLKasirHeader";
inline constexpr const char* kCashDetailTable = "TBLKasirDetail";
inline constexpr const char* kReceiptHeaderTable = "TBLItemMHeader";
inline constexpr const char* kReceiptDetailTable = "TBLItemMDetail";
inline constexpr const char* kIssueHeaderTable = "TBLItemKHeader";
inline constexpr const char* kIssueDetailTable = "TBLItemKDetail";

// The eleven tables in the order the import reads them, each with the columns it reads. Detail
// tables also carry NOTRANSAKSI, which ties their rows to the header.
const std::vector<SourceTable>& sourceTables();
const SourceTable& sourceTable(const std::string& name);

// "SELECT * FROM " + the table.
std::string selectAll(const std::string& table);

}  // namespace tarvo::importers::ipos
