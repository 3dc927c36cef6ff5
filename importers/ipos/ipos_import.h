#pragma once
// BUTTONIMPORT24: the import from an iPOS 3.0 database (an Access file read through ODBC): item
// groups, items with their discounts, units, salesmen or customers, sales invoices, cash-register
// sales, other goods received and issued. The file and its password are asked for, the database
// connected and read whole, before the shop's data is touched.

#include <memory>
#include <optional>
#include <string>

#include "importers/ipos/source_database.h"
#include "importing/import_command.h"

namespace tarvo::importers::ipos {

// What an iPOS import needs beyond the shared options.
struct IposChoices {
    bool salesAsCustomers = false;  // SALES2PELANGGAN: salesmen become customers
    bool commissionToAdj1 = false;  // HITUNGKOMISI2ADJ1: the salesman's commission into ADJ_01
    bool salesAsCash = false;       // IMPORTPENJUALANASCASH: sales invoices as cash sales
    // The .MDB file; empty: chosen in the open-file dialog.
    std::string file;
    // The database password; absent: asked for with WindowMDBConnection.
    std::optional<std::string> password;
    // Replaces the Access connection string (a database reached through another driver or a
    // DSN); neither file nor password is asked for then.
    std::string connectionString;
};

// The progress window's first line while the database is read.
inline constexpr const char* kIposProgressTitle = "Import Data MDF File (Aplikasi iPOS 3.0) ...";
// CATATAN of every customer, salesman, item discount and transaction header the import writes.
inline constexpr const char* kIposNote = "From iPOS 3.0";

class IposImport : public importing::ImportSource {
public:
    explicit IposImport(IposChoices choices);
    ~IposImport() override;

    bool usesImportFolder() const override { return false; }
    // Asks for the file and the password, connects, reads every table the import needs and checks
    // its columns; false after a message, or silently when the user cancelled a dialog.
    bool check(ui::Owner owner, const std::string& importFolder, const importing::ImportOptions& options) override;
    // The numbers of items and salesmen that go into their fields as they are.
    importing::ValueCheck checkValues(ui::Owner owner, const std::string& databaseFolder) const override;
    bool import(const std::string& databaseFolder) override;
    const importing::ImportRun& run() const override { return *run_; }

private:
    IposChoices choices_;
    std::unique_ptr<importing::ImportRun> run_;
    std::unique_ptr<SourceDatabase> source_;
};

// The importer of IMPORT2LIST entry 4.
std::unique_ptr<importing::ImportSource> BUTTONIMPORT24(const IposChoices& choices);

}  // namespace tarvo::importers::ipos
