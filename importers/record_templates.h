#pragma once
// The records every importer makes in the retail tables, with the values all of them share;
// each importer fills in what its source gives. Every record carries the run stamps.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "importing/code_list.h"
#include "importing/field_writer.h"
#include "importing/import_run.h"

namespace tarvo::importers {

using importing::FieldWriter;
using importing::ImportRun;

// GETALAMAT: the three address parts trimmed, empty ones skipped, the second joined with "\r\n",
// the third with ", ".
std::string GETALAMAT(const std::string& line1, const std::string& line2, const std::string& line3);

struct CustomerRecord {
    std::string code, taxNumber, name, address;
    std::optional<uint32_t> region;  // DAERAH, for sources that have regions
    std::string phone, fax, contact;
    double creditTerm = 0, creditLimit = 0;
    std::string note;
};

struct VendorRecord {
    uint32_t id = 0;
    std::string name, taxNumber, address, phone, fax, contact, bankAccount;
    double creditTerm = 0, creditLimit = 0;
    std::string note;
};

struct SalesmanRecord {
    std::string name, address, phone, note;
};

struct ItemRecord {
    std::string name, nameExtension, fullName;  // NAMA, NAMAEX1, NAMA_2
    int kind = 0;                               // JENIS
    uint32_t group = 0, vendor = 0, unit = 0;   // GROUP_STK, VENDOR, TIPE_SATU
    std::string code;                           // KODE_C ... KODE_C_5
    std::array<int, 4> sellingLevels{1, 1, 1, 1};  // SAT_J_02 ... SAT_J_05
    int purchaseCurrency = 1, sellingCurrency = 1;
    double purchasePrice = 0;
    std::array<double, 5> sellingPrices{};
    double minimumStock = 0;
};

// The numeric fields of the records that take source values as they are.
inline constexpr const char* kPurchasePriceField = "HARGA_BELI";
inline constexpr std::array<const char*, 5> kSellingPriceFields{"HARGA_J_01", "HARGA_J_02", "HARGA_J_03",
                                                                 "HARGA_J_04", "HARGA_J_05"};
inline constexpr const char* kMinimumStockField = "MIN_STOCK";
inline constexpr const char* kCreditTermField = "TERM_CRD";
inline constexpr const char* kCreditLimitField = "MAX_CRD";

// Each appends its record to the writer's table (ID = its record number) and fills it.
void appendCustomer(ImportRun& run, FieldWriter& customers, const CustomerRecord& customer);
void appendSalesman(ImportRun& run, FieldWriter& salesmen, const SalesmanRecord& salesman);
void appendItem(ImportRun& run, FieldWriter& stock, const ItemRecord& item);
// The vendor's ID is given: the record number, or the position of its code in a working list.
void appendVendor(ImportRun& run, FieldWriter& vendors, const VendorRecord& vendor);

// A record with ID and the name field (DAERAH of S_DAERAH, NAMA of S_GRPSTK) for a list entry.
void appendListRecord(ImportRun& run, FieldWriter& target, const char* nameField, uint32_t id, const std::string& name);
// One such record per entry of the list, with the progress text, then the table is committed and
// closed and the list's length recorded as its last identifier.
void writeListTable(ImportRun& run, const importing::CodeList& list, const char* progressText, const char* target,
                    const char* nameField, uint32_t identifierRow);

}  // namespace tarvo::importers
