#include "importers/application_import.h"

#include "retaildb/file_routines.h"
#include "retaildb/record_routines.h"
#include "importing/code_list.h"
#include "importing/item_duplicates.h"
#include "xbase/file_names.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::importers {

bool ApplicationImport::check(ui::Owner owner, const std::string& importFolder,
                              const importing::ImportOptions& options) {
    run_ = std::make_unique<ImportRun>(options, owner);
    sourceFolder_ = importFolder;
    if (!openSourceTables(owner, importFolder, xbase::driverName(options.tableDriver), sourceTables())) return false;
    for (importing::SourceFeeds& feeds : valueFeeds()) run_->addFeeds(std::move(feeds));
    ui::interaction().openProgress(owner);
    return true;
}

bool ApplicationImport::import(const std::string& databaseFolder) {
    for (const std::string& name : leftoverIndexFiles())
        for (const auto& path : xbase::allIgnoringCase(databaseFolder, name))
            retaildb::VOFErase(run_->owner(), path.string());
    xbase::settings().deleted = false;
    run_->takeStamps();
    if (!importing::writeDayClosingSettings(*run_, [&](FieldWriter& control) { writeControlSettings(control); }))
        return false;
    importEntities();
    return true;
}

bool ApplicationImport::isOpen(const std::string& alias) { return xbase::workAreas().find(alias) != nullptr; }

ItemTarget::ItemTarget(ImportRun& run) : run_(run), stock_("S_STOCK"), openingStock_(run) {}

bool ItemTarget::appendChecked(const ItemRecord& item, uint32_t sourceRecno) {
    const importing::DuplicateCandidate candidate{std::span<const std::string>(&item.code, 1), item.name,
                                                  item.nameExtension, sourceRecno};
    if (importing::isDuplicateItem(run_, candidate, 1, search_)) return false;
    append(item);
    return true;
}

void ItemTarget::append(const ItemRecord& item) { appendItem(run_, stock_, item); }

uint32_t ItemTarget::lastId() const { return stock_.table().recCount(); }

void ItemTarget::putOpeningStock(int warehouse, double quantity, double price) {
    openingStock_.put(warehouse, quantity, quantity * price);
}

void addItemFeeds(std::vector<importing::FieldFeed>& feeds, const importing::ColumnValue& purchasePrice,
                  const std::array<importing::ColumnValue, 5>& sellingPrices,
                  const std::optional<importing::ColumnValue>& minimumStock) {
    feeds.push_back({"S_STOCK", kPurchasePriceField, purchasePrice});
    for (size_t n = 0; n < sellingPrices.size(); ++n)
        feeds.push_back({"S_STOCK", kSellingPriceFields[n], sellingPrices[n]});
    if (minimumStock) feeds.push_back({"S_STOCK", kMinimumStockField, *minimumStock});
}

void addCreditFeeds(std::vector<importing::FieldFeed>& feeds, const std::string& table,
                    const importing::ColumnValue& term, const importing::ColumnValue& limit) {
    feeds.push_back({table, kCreditTermField, term});
    feeds.push_back({table, kCreditLimitField, limit});
}

void addOpeningStockFeeds(std::vector<importing::FieldFeed>& feeds, const importing::ImportOptions& options,
                          int warehouse, const importing::ColumnValue& quantity, const importing::ColumnValue& price) {
    for (importing::FieldFeed& feed :
         importing::openingStockFeeds(options.stockMode, warehouse, quantity, importing::product(quantity, price)))
        feeds.push_back(std::move(feed));
}

void ItemTarget::close() {
    retaildb::TABLEIDUPDATE(retaildb::kItemsRow, stock_.table().recCount());
    xbase::workAreas().close("S_STOCK");
    xbase::workAreas().close("S_PEMBED");
}

std::function<bool(const importing::SourceRow&)> rowsWithKeys(std::vector<std::string> keys) {
    return [keys = std::move(keys)](const importing::SourceRow& row) {
        if (row.deleted()) return false;
        for (const std::string& key : keys)
            if (row.trimmed(key).empty()) return false;
        return true;
    };
}

void importEntity(ImportRun& run, const char* alias, const EntityTarget& target, std::initializer_list<const char*> keys,
                  const std::function<bool(const importing::SourceRow&, FieldWriter&)>& write) {
    FieldWriter records(target.target);
    const auto takes = rowsWithKeys(std::vector<std::string>(keys.begin(), keys.end()));
    run.forEachRecord(alias, target.progressText,
                      [&](const importing::SourceRow& row) { return takes(row) && write(row, records); });
    run.closeCounted(target.target, target.identifierRow);
}

bool appendCodedVendor(ImportRun& run, FieldWriter& vendors, importing::CodeList& codes,
                       const importing::SourceRow& row, VendorRecord vendor) {
    std::string code = row.code("KODE");
    if (codes.find(code) != 0) return false;
    vendor.id = codes.add(std::move(code));
    appendVendor(run, vendors, vendor);
    return true;
}

void importCodedList(ImportRun& run, const CodedListSource& source, importing::CodeList& codes) {
    FieldWriter records(source.target);
    run.forEachRecord(source.alias, source.progressText, [&](const importing::SourceRow& row) {
        std::string code = row.code(source.codeColumn);
        const std::string name = row.upperTrimmed(source.nameColumn);
        if (row.deleted() || code.empty() || name.empty() || codes.find(code) != 0) return false;
        const uint32_t id = codes.add(std::move(code));
        appendListRecord(run, records, source.nameField, id, name);
        return true;
    });
    xbase::workAreas().close(source.target);
    retaildb::TABLEIDUPDATE(source.identifierRow, codes.size());
}

int currencyOf(const std::string& code) { return importing::normaliseCode(code) == "SGD" ? 2 : 1; }

}  // namespace tarvo::importers
