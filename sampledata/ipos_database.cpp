#include "sampledata/ipos_database.h"

#include <sqlite3.h>

#include <cstdio>
#include <random>
#include <stdexcept>

#include "importers/ipos/schema.h"

namespace tarvo::sampledata {

using namespace importers::ipos;

namespace {

const char* sqlType(ColumnKind kind) {
    switch (kind) {
        case ColumnKind::Text: return "TEXT";
        case ColumnKind::Number: return "REAL";
        case ColumnKind::Timestamp: return "TIMESTAMP";
    }
    return "TEXT";
}

std::string number(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    return text;
}

std::string padded(const char* prefix, uint32_t n, int digits) {
    char text[64];
    std::snprintf(text, sizeof text, "%s%0*u", prefix, digits, n);
    return text;
}

}  // namespace

SampleDatabase::SampleDatabase(const std::filesystem::path& file) {
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    if (sqlite3_open(file.c_str(), &db_) != SQLITE_OK) {
        const std::string message = db_ ? sqlite3_errmsg(db_) : "out of memory";
        sqlite3_close(db_);
        throw std::runtime_error("cannot create " + file.string() + ": " + message);
    }
    std::string sql = "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;";
    for (const SourceTable& table : sourceTables()) {
        sql += std::string("CREATE TABLE ") + table.name + " (";
        for (size_t i = 0; i < table.columns.size(); ++i)
            sql += std::string(i ? ", " : "") + table.columns[i].name + " " + sqlType(table.columns[i].kind);
        sql += ");";
    }
    try {
        execute(sql);
    } catch (...) {
        sqlite3_close(db_);
        throw;
    }
}

SampleDatabase::~SampleDatabase() {
    for (auto& [key, prepared] : statements_) sqlite3_finalize(prepared);
    sqlite3_exec(db_, "COMMIT;", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
}

void SampleDatabase::execute(const std::string& sql) {
    char* message = nullptr;
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : "unknown error";
        sqlite3_free(message);
        throw std::runtime_error("SQLite: " + text + " in: " + sql);
    }
}

sqlite3_stmt* SampleDatabase::statement(const std::string& table, const Values& values) {
    std::string key = table;
    for (const auto& value : values) key += "," + value.first;
    if (auto it = statements_.find(key); it != statements_.end()) return it->second;
    std::string columns, marks;
    for (const auto& value : values) {
        columns += (columns.empty() ? "" : ", ") + value.first;
        marks += marks.empty() ? "?" : ", ?";
    }
    const std::string sql = "INSERT INTO " + table + " (" + columns + ") VALUES (" + marks + ")";
    sqlite3_stmt* prepared = nullptr;
    if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &prepared, nullptr) != SQLITE_OK)
        throw std::runtime_error("SQLite: " + std::string(sqlite3_errmsg(db_)) + " in: " + sql);
    statements_.emplace(key, prepared);
    return prepared;
}

void SampleDatabase::insert(const std::string& table, const Values& values) {
    sqlite3_stmt* prepared = statement(table, values);
    for (size_t i = 0; i < values.size(); ++i) {
        const int index = static_cast<int>(i + 1);
        if (values[i].second)
            sqlite3_bind_text(prepared, index, values[i].second->c_str(), static_cast<int>(values[i].second->size()),
                              SQLITE_TRANSIENT);
        else
            sqlite3_bind_null(prepared, index);
    }
    const int code = sqlite3_step(prepared);
    sqlite3_reset(prepared);
    if (code != SQLITE_DONE) throw std::runtime_error("SQLite: " + std::string(sqlite3_errmsg(db_)));
}

void writeSampleShop(const std::filesystem::path& file, const SampleShop& shop) {
    SampleDatabase db(file);
    std::mt19937 random(shop.seed);
    auto between = [&](uint32_t low, uint32_t high) {
        return std::uniform_int_distribution<uint32_t>(low, high)(random);
    };
    auto timestamp = [&] {
        char text[32];
        std::snprintf(text, sizeof text, "2024-%02u-%02u %02u:%02u:%02u", between(1, 12), between(1, 28),
                      between(8, 21), between(0, 59), between(0, 59));
        return std::string(text);
    };

    const char* groups[] = {"MAKANAN", "MINUMAN", "ROKOK", "SABUN", "ALAT TULIS", "OBAT", "BUMBU", "SUSU"};
    const char* units[] = {"PCS", "BOX", "KG", "LUSIN", "BTL", ""};
    const char* words[] = {"KOPI", "TEH", "GULA", "BERAS", "SUSU", "ROTI", "MIE", "KECAP", "SAMBAL", "MINYAK"};
    for (uint32_t g = 0; g < std::size(groups); ++g)
        db.insert(kItemGroupTable, {{"JENIS", padded("G", g + 1, 2)}, {"NAMAJENIS", groups[g]}});

    std::vector<double> prices(shop.items), costs(shop.items);
    for (uint32_t i = 0; i < shop.items; ++i) {
        costs[i] = between(10, 1000) * 100.0;
        prices[i] = costs[i] + between(1, 100) * 50.0;
        // Every fiftieth item takes the name of the one before it: it is imported as name + code.
        const uint32_t n = i % 50 == 49 ? i : i + 1;
        const std::string name = std::string(words[n % std::size(words)]) + " " + padded("NO.", n, 6);
        SampleDatabase::Values item = {
            {"NOITEM", padded("BRG", i + 1, 6)},
            {"NAMAITEM", name},
            {"SATUAN", units[between(0, std::size(units) - 1)]},
            {"JENIS", padded("G", between(1, std::size(groups)), 2)},
            {"HARGAPOKOK", number(costs[i])},
            {"HARGAJUAL", number(prices[i])},
            {"STOKMIN", number(between(0, 20))},
        };
        if (i % 10 == 0) {
            item.push_back({"DISKONP", number(5)});
            item.push_back({"PERDIS1", "2024-01-01 00:00:00"});
            item.push_back({"PERDIS2", "2024-12-31 00:00:00"});
        }
        db.insert(kItemTable, item);
    }

    for (uint32_t s = 0; s < shop.salesmen; ++s)
        db.insert(kSalesmanTable, {{"NOSALES", padded("S", s + 1, 3)},
                                   {"NAMASALES", std::string("SALES ") + words[s % std::size(words)]},
                                   {"ALAMAT", "JL. PASAR " + std::to_string(s + 1)},
                                   {"KOTA", "MEDAN"},
                                   {"TELEPHONE", "061-" + std::to_string(400000 + s)},
                                   {"KOMISIJUAL", number(between(1, 5))}});

    // A sale with its lines: lines at the item's price, some with a line discount.
    auto writeSale = [&](const char* headerTable, const char* detailTable, const std::string& numberText,
                         uint32_t lines, bool withSalesman) {
        double quantity = 0, total = 0;
        for (uint32_t l = 0; l < lines; ++l) {
            const uint32_t item = between(0, shop.items - 1);
            const double q = between(1, 10);
            const double gross = q * prices[item];
            const double lineTotal = l % 4 == 3 ? gross * 0.95 : gross;
            quantity += q;
            total += lineTotal;
            db.insert(detailTable, {{"NOTRANSAKSI", numberText},
                                    {"NOITEM", padded("BRG", item + 1, 6)},
                                    {"QUANTITY", number(q)},
                                    {"HARGAJUAL", number(prices[item])},
                                    {"TOTAL", number(lineTotal)},
                                    {"HARGAPOKOK", number(costs[item])}});
        }
        SampleDatabase::Values header = {{"NOTRANSAKSI", numberText},
                                         {"TANGGAL", timestamp()},
                                         {"TOTALQTY", number(quantity)},
                                         {"TOTALJUAL", number(total)},
                                         {"TOTALDISKON", number(between(0, 3) == 0 ? 1000 : 0)}};
        if (withSalesman && shop.salesmen > 0) header.push_back({"NOSALES", padded("S", between(1, shop.salesmen), 3)});
        db.insert(headerTable, header);
    };
    if (shop.items > 0) {
        for (uint32_t n = 1; n <= shop.invoices; ++n)
            writeSale(kSalesHeaderTable, kSalesDetailTable, padded("PJ-", n, 8), shop.invoiceLines, true);
        for (uint32_t n = 1; n <= shop.cashSales; ++n)
            writeSale(kCashHeaderTable, kCashDetailTable, padded("KS-", n, 8), shop.cashSaleLines, false);
    }

    // Goods received and issued, at cost.
    auto writeMovement = [&](const char* headerTable, const char* detailTable, const char* priceColumn,
                             const std::string& numberText) {
        double quantity = 0;
        for (uint32_t l = 0; l < shop.movementLines; ++l) {
            const uint32_t item = between(0, shop.items - 1);
            const double q = between(1, 50);
            quantity += q;
            db.insert(detailTable, {{"NOTRANSAKSI", numberText},
                                    {"NOITEM", padded("BRG", item + 1, 6)},
                                    {"QTY", number(q)},
                                    {priceColumn, number(costs[item])}});
        }
        db.insert(headerTable, {{"NOTRANSAKSI", numberText}, {"TANGGAL", timestamp()}, {"TOTALQTY", number(quantity)}});
    };
    if (shop.items > 0) {
        for (uint32_t n = 1; n <= shop.receipts; ++n)
            writeMovement(kReceiptHeaderTable, kReceiptDetailTable, "HARGA", padded("BM-", n, 8));
        for (uint32_t n = 1; n <= shop.issues; ++n)
            writeMovement(kIssueHeaderTable, kIssueDetailTable, "HARGAPOKOK", padded("BK-", n, 8));
    }
}

}  // namespace tarvo::sampledata
