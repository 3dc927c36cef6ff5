#pragma once
// What the importers of other applications' DBF-type tables share: the start of a run (source
// files tested, opened and checked before the retail database is touched, the progress window),
// the settings of the control record and the "STOCK AWAL" header, and the item target with its
// duplicate check and opening stock.

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "importers/record_templates.h"
#include "importers/source_tables.h"
#include "retaildb/identifier_rows.h"
#include "importing/import_command.h"
#include "importing/opening_balances.h"
#include "importing/stock_search.h"

namespace tarvo::importers {

class ApplicationImport : public importing::ImportSource {
public:
    // Tests, opens and checks the source tables with the chosen driver, then shows the progress window.
    bool check(ui::Owner owner, const std::string& importFolder, const importing::ImportOptions& options) override;
    // Deletes the importer's leftover index files in the database folder, switches the deleted
    // filter off (the loops skip deleted records themselves), takes the run stamp, writes the
    // day-closing settings and the "STOCK AWAL" header, then imports the entities.
    bool import(const std::string& databaseFolder) override;
    const ImportRun& run() const override { return *run_; }

protected:
    virtual std::vector<SourceTable> sourceTables() const = 0;
    // Where the numbers written from the source tables come from, for the value checks before the
    // preparation and the messages of values that do not fit.
    virtual std::vector<importing::SourceFeeds> valueFeeds() const { return {}; }
    // Index files deleted in the database folder before the import.
    virtual std::vector<std::string> leftoverIndexFiles() const { return {}; }
    // Settings of the control record beyond the day-closing dates.
    virtual void writeControlSettings(FieldWriter& control) { (void)control; }
    virtual void importEntities() = 0;

    ImportRun& runState() { return *run_; }
    const std::string& sourceFolder() const { return sourceFolder_; }
    // Whether the optional source table was opened.
    static bool isOpen(const std::string& alias);

private:
    std::unique_ptr<ImportRun> run_;
    std::string sourceFolder_;
};

// The feeds of appendItem's numbers (purchase price, the five selling prices, minimum stock when
// the source gives one) for an item whose values come from these columns.
void addItemFeeds(std::vector<importing::FieldFeed>& feeds, const importing::ColumnValue& purchasePrice,
                  const std::array<importing::ColumnValue, 5>& sellingPrices,
                  const std::optional<importing::ColumnValue>& minimumStock);
// The feeds of the credit term and limit of appendCustomer or appendVendor.
void addCreditFeeds(std::vector<importing::FieldFeed>& feeds, const std::string& table,
                    const importing::ColumnValue& term, const importing::ColumnValue& limit);
// The opening stock ItemTarget::putOpeningStock writes for warehouse n from a quantity at a price
// (worth quantity × price).
void addOpeningStockFeeds(std::vector<importing::FieldFeed>& feeds, const importing::ImportOptions& options,
                          int warehouse, const importing::ColumnValue& quantity, const importing::ColumnValue& price);

// S_STOCK and S_PEMBED as the item loops write them.
class ItemTarget {
public:
    explicit ItemTarget(ImportRun& run);
    // Unless the item is a duplicate by code (tag KODE) or by name and extension, appends it and
    // returns true; a duplicate goes into the run's lists.
    bool appendChecked(const ItemRecord& item, uint32_t sourceRecno);
    // Appends the item without the duplicate check.
    void append(const ItemRecord& item);
    // The ID of the item appended last.
    uint32_t lastId() const;
    // The opening stock of the item appended last: warehouse n holds the quantity at the price.
    void putOpeningStock(int warehouse, double quantity, double price);
    // The record count as the last item identifier; S_STOCK and S_PEMBED committed and closed.
    void close();

private:
    ImportRun& run_;
    FieldWriter stock_;
    importing::OpeningStock openingStock_;
    importing::StockSearch search_;
};

// Where the records of an entity go: progress text, retail table, row of S_TABLID.
struct EntityTarget {
    const char* progressText;
    const char* target;
    uint32_t identifierRow;
};
inline constexpr EntityTarget kCustomerTarget{"Pelanggan Proses no. ", "S_PELANG", retaildb::kCustomersRow};
inline constexpr EntityTarget kVendorTarget{"Vendor/Supplier Proses no. ", "S_VENDOR", retaildb::kVendorsRow};
inline constexpr EntityTarget kSalesmanTarget{"Sales Proses no. ", "S_KARYAW", retaildb::kSalesmenRow};

// The rows the entity loop takes up: not deleted, no key column blank.
std::function<bool(const importing::SourceRow&)> rowsWithKeys(std::vector<std::string> keys);

// The entity loop: every record of the source table that is not deleted and whose key columns
// are not blank goes to write (which returns whether it wrote a record); then the target's record
// count is recorded as its last identifier and the target committed and closed.
void importEntity(ImportRun& run, const char* alias, const EntityTarget& target, std::initializer_list<const char*> keys,
                  const std::function<bool(const importing::SourceRow&, FieldWriter&)>& write);

// A vendor of a table with vendor codes: refused when its normalised KODE is in the list already,
// else the code joins the list and the vendor gets its position as ID.
bool appendCodedVendor(ImportRun& run, FieldWriter& vendors, importing::CodeList& codes,
                       const importing::SourceRow& row, VendorRecord vendor);

// A table of codes and names (item groups, regions) into a retail table: records that are not
// deleted, whose code and name are not blank and whose normalised code is not in the list yet;
// the code joins the list, and the record gets ID = its position and the name trimmed and upper
// case. Then the target is committed and closed and the list's length recorded.
struct CodedListSource {
    const char* alias;          // source table
    const char* progressText;
    const char* codeColumn;
    const char* nameColumn;
    const char* target;         // retail table
    const char* nameField;      // its field taking the name
    uint32_t identifierRow;
};
void importCodedList(ImportRun& run, const CodedListSource& source, importing::CodeList& codes);

inline constexpr CodedListSource kItemGroupTable{"GOLSTK", "Grouping Item Proses no. ", "GOL", "KET",
                                                 "S_GRPSTK", "NAMA", retaildb::kItemGroupsRow};

// The currency of a price by its code: "SGD" (trimmed, any case) is 2, anything else 1.
int currencyOf(const std::string& code);

}  // namespace tarvo::importers
