#pragma once
// iPOS-shaped databases written as SQLite files, to be read through SQLite's ODBC driver: the
// eleven tables the import reads with their columns, filled row by row by tests or with a
// generated shop of any size for the sample and the benchmark.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace tarvo::sampledata {

class SampleDatabase {
public:
    // A value of a column; nullopt is NULL.
    using Cell = std::optional<std::string>;
    using Values = std::vector<std::pair<std::string, Cell>>;

    // Creates the file (replacing one that exists) with the eleven tables, empty. Throws
    // std::runtime_error with SQLite's message.
    explicit SampleDatabase(const std::filesystem::path& file);
    // Commits what was written and closes the file.
    ~SampleDatabase();
    SampleDatabase(const SampleDatabase&) = delete;
    SampleDatabase& operator=(const SampleDatabase&) = delete;

    // Appends a row; columns not named are NULL. Text goes into text columns as it is; numbers
    // and timestamps are given as text too ("12.5", "2010-05-24 13:45:10").
    void insert(const std::string& table, const Values& values);
    // Runs SQL of the test's own (to drop a table or a column, for example).
    void execute(const std::string& sql);

private:
    sqlite3_stmt* statement(const std::string& table, const Values& values);

    sqlite3* db_ = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> statements_;  // by table and column names
};

// The size of a generated shop.
struct SampleShop {
    uint32_t items = 2000;
    uint32_t salesmen = 10;
    uint32_t invoices = 1000;     // sales invoices
    uint32_t invoiceLines = 5;    // lines per invoice
    uint32_t cashSales = 500;     // cash-register sales
    uint32_t cashSaleLines = 3;
    uint32_t receipts = 50;       // other goods received
    uint32_t issues = 50;         // other goods issued
    uint32_t movementLines = 4;   // lines per receipt or issue
    uint32_t seed = 1;
};

// Writes a generated shop: item groups, items (some with a discount period, some with a name that
// repeats), salesmen, invoices with lines whose totals and discounts add up, cash-register sales,
// goods received and issued. The same sizes and seed give the same file.
void writeSampleShop(const std::filesystem::path& file, const SampleShop& shop);

}  // namespace tarvo::sampledata
