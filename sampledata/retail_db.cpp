#include "sampledata/retail_db.h"

#include <map>
#include <memory>
#include <string>
#include <system_error>

#include "retaildb/catalogue.h"
#include "sampledata/retail_schema.h"
#include "xbase/error.h"
#include "xbase/table.h"

namespace tarvo::sampledata {

using namespace retaildb;
namespace {

namespace fs = std::filesystem;
using xbase::Date;
using xbase::Table;
using xbase::Value;

constexpr int kIdentifierRows = 75;
constexpr int kSampleRecords = 3;

void removeEarlierFiles(const fs::path& folder, const std::string& alias) {
    for (const char* extension : {".Q7T", ".CDX", ".FPT"}) {
        const fs::path file = folder / (alias + extension);
        std::error_code error;
        fs::remove(file, error);
        if (error) throw xbase::Error(file.string() + ": cannot delete the earlier file: " + error.message());
    }
}

// The value of a field in sample record n: texts name the field, numbers and dates follow n.
Value sampleValue(const xbase::FieldInfo& field, int n) {
    if (field.name == "DBF_VLD") return Value("MTST");
    if (field.name == "JAM_INPUT") return Value("08:00:0" + std::to_string(n));
    switch (field.type) {
        case 'N': return field.decimals > 0 ? Value(n + 0.25) : Value(n);
        case 'D': return Value(Date{2023, 12, n});
        case 'L': return Value(n % 2 == 1);
        default: return Value(field.name + " " + std::to_string(n));
    }
}

void writeSampleRecords(Table& table) {
    for (int n = 1; n <= kSampleRecords; ++n) {
        table.append();
        for (int pos = 1; pos <= table.fieldCount(); ++pos) table.fieldPut(pos, sampleValue(table.field(pos), n));
    }
}

void writeIdentifierRows(Table& table) {
    std::map<int, std::string> rowTables;
    for (const CatalogueTable& entry : catalogue())
        if (entry.identifierRow != 0) rowTables[entry.identifierRow] = entry.alias;
    for (int row = 1; row <= kIdentifierRows; ++row) {
        table.append();
        const auto named = rowTables.find(row);
        table.fieldPut("TABEL", Value(named == rowTables.end() ? "" : named->second));
        table.fieldPut("LAST_ID", Value(0));
    }
}

// Closed up to the end of 2023, activity from 2024, no point date.
void writeControlRecord(Table& table) {
    table.append();
    table.fieldPut("KODE_TOKO", Value("TOKO01"));
    table.fieldPut("NAMA_TOKO", Value("TOKO CONTOH"));
    table.fieldPut("TUTUP_HARI", Value(Date{2023, 12, 31}));
    table.fieldPut("AKT_MULAI", Value(Date{2024, 1, 1}));
    table.fieldPut("STK_K_LEN", Value(20));
    table.fieldPut("STK_K_LEN2", Value(13));
    table.fieldPut("STK_N_EX1", Value(false));
}

void writeTable(const fs::path& folder, const SampleRetailTable& layout) {
    removeEarlierFiles(folder, layout.alias);
    const fs::path file = folder / (layout.alias + ".Q7T");
    Table::create(file, layout.fields, xbase::Driver::DBFCDX);
    std::unique_ptr<Table> table = Table::open(file, xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
    if (layout.alias == "S_TABLID")
        writeIdentifierRows(*table);
    else if (layout.alias == "S_KONTRO")
        writeControlRecord(*table);
    else
        writeSampleRecords(*table);
    for (const SampleIndexTag& tag : layout.tags)
        table->createOrder(folder / (layout.alias + ".CDX"), tag.name, tag.keyExpression);
}

}  // namespace

void makeSampleRetailDatabase(const fs::path& dir) {
    const fs::path folder = dir / "ST_DB";
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) throw xbase::Error(folder.string() + ": cannot create the folder: " + error.message());
    for (const SampleRetailTable& layout : sampleRetailSchema()) writeTable(folder, layout);
}

}  // namespace tarvo::sampledata
