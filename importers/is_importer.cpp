#include "importers/is_importer.h"

#include "importers/application_import.h"
#include "importing/item_units.h"

namespace tarvo::importers {

namespace {

using importing::CodeList;
using importing::ColumnValue;
using importing::column;
using importing::SourceRow;

constexpr size_t kUnitKeyLength = 20;
constexpr int kWarehouses = 6;

// One unit level as read: name and content in base units; an empty name is no level.
struct UnitLevel {
    std::string name;
    double content = 0;
    bool present() const { return !name.empty(); }
    void drop() { *this = UnitLevel{}; }
};

// The units of a STOCK record: the levels after the rules, and the contents as read, which decide
// the selling levels.
struct StockUnits {
    std::string base;
    UnitLevel second, third;
    double secondAsRead = 0, thirdAsRead = 0;

    // SAT_J_nn: 1 for an as-read content not above 0, else the level whose final content it equals
    // (2 or 3), else 1.
    int sellingLevel(double asRead) const {
        if (asRead <= 0) return 1;
        if (asRead == second.content) return 2;
        if (asRead == third.content) return 3;
        return 1;
    }

    importing::ItemUnits definition() const {
        importing::ItemUnits units = importing::singleUnit(base);
        std::string key = base;
        int level = 1;
        for (const UnitLevel* extra : {&second, &third}) {
            if (!extra->present()) break;
            units.names[level] = extra->name;
            units.factors[level] = extra->content;
            units.numbered[level] = true;
            key += "." + extra->name;
            ++level;
        }
        units.key = importing::firstCharacters(key, kUnitKeyLength);
        return units;
    }
};

StockUnits readUnits(const SourceRow& row) {
    StockUnits units;
    units.base = row.code("SATUAN");
    if (row.has("SATUAN2")) {
        units.second = UnitLevel{row.code("SATUAN2"), row.number("KALI2")};
        if (row.has("SATUAN3")) units.third = UnitLevel{row.code("SATUAN3"), row.number("KALI3")};
    }
    units.secondAsRead = units.second.content;
    units.thirdAsRead = units.third.content;
    if (!units.second.present()) units.second.drop();
    if (!units.third.present()) units.third.drop();

    if (units.base.empty()) units.base = "PCS";
    UnitLevel& second = units.second;
    UnitLevel& third = units.third;
    if (third.name == second.name || third.name == units.base || third.content == 1 || third.content == second.content)
        third.drop();
    if (second.name == units.base || second.content == 1) second.drop();
    if (!second.present() && third.present()) {
        second = third;
        third.drop();
    }
    return units;
}

// The opening quantity of warehouse g: AWALg + MASUKg - KELUARg.
double openingQuantity(const SourceRow& row, int g) {
    const std::string n = std::to_string(g);
    return row.number("AWAL" + n) + row.number("MASUK" + n) - row.number("KELUAR" + n);
}

// A further selling price: its column when the table has one, else HJUAL.
ColumnValue orPrice(const std::string& name) {
    return ColumnValue{name, [name](const SourceRow& row) { return row.number(row.has(name) ? name : "HJUAL"); }};
}

// The rows the item loop takes up (before its duplicate check).
bool takesItem(const SourceRow& row) {
    return !row.deleted() && !row.code("BARA").empty() && !row.trimmed("NAMA").empty();
}

class IsImport : public ApplicationImport {
protected:
    std::vector<SourceTable> sourceTables() const override {
        std::vector<SourceColumn> stock = textColumns({"BARA", "NAMA", "GOL", "SATUAN"});
        for (const auto& column : numberColumns({"HBELI", "HJUAL"})) stock.push_back(column);
        stock.push_back(optionalColumn("SUPP", ColumnKind::Text));
        stock.push_back(optionalColumn("SATUAN2", ColumnKind::Text));
        stock.push_back(optionalColumn("KALI2", ColumnKind::Number, "SATUAN2"));
        stock.push_back(optionalColumn("SATUAN3", ColumnKind::Text));
        stock.push_back(optionalColumn("KALI3", ColumnKind::Number, "SATUAN3"));
        stock.push_back(optionalColumn("HJUAL2", ColumnKind::Number));
        stock.push_back(optionalColumn("HJUAL3", ColumnKind::Number));
        // The stock movements are read only from a table with AWAL1, and then all of them.
        stock.push_back(optionalColumn("AWAL1", ColumnKind::Number));
        for (int g = 1; g <= kWarehouses; ++g) {
            const std::string n = std::to_string(g);
            for (const std::string& movement : {"AWAL" + n, "MASUK" + n, "KELUAR" + n})
                if (movement != "AWAL1") stock.push_back(optionalColumn(movement, ColumnKind::Number, "AWAL1"));
        }
        std::vector<SourceColumn> customers = textColumns({"KODE", "NAMA", "NPWP", "ALAMAT", "ALAMAT1", "TELP", "ATTN", "CATAT"});
        for (const auto& column : numberColumns({"TERM", "PLAFON"})) customers.push_back(column);
        return {
            {"GOL.DTA", "GOLSTK", Presence::Tested, textColumns({"GOL", "KET"})},
            {"SUPP.DTA", "VENDOR", Presence::Opened, textColumns({"KODE", "NAMA", "ALAMAT", "ALAMAT1", "TELP", "CATAT"})},
            {"STOCK.DTA", "STOCK", Presence::Tested, stock},
            {"CUST.DTA", "PELANG", Presence::Optional, customers},
        };
    }

    std::vector<importing::SourceFeeds> valueFeeds() const override {
        std::vector<importing::FieldFeed> stock;
        const ColumnValue price = column("HJUAL");
        const ColumnValue price2 = orPrice("HJUAL2"), price3 = orPrice("HJUAL3");
        addItemFeeds(stock, column("HBELI"), {price, price2, price3, price3, price3}, std::nullopt);
        for (int g = 1; g <= kWarehouses; ++g) {
            const std::string n = std::to_string(g);
            const ColumnValue quantity{"AWAL" + n + " + MASUK" + n + " - KELUAR" + n,
                                       [g](const SourceRow& row) { return openingQuantity(row, g); }};
            addOpeningStockFeeds(stock, run().options(), g, quantity, column("HBELI"));
        }
        std::vector<importing::FieldFeed> customers;
        addCreditFeeds(customers, "S_PELANG", column("TERM"), column("PLAFON"));
        return {{"STOCK", takesItem, std::move(stock)}, {"PELANG", rowsWithKeys({"KODE", "NAMA"}), std::move(customers)}};
    }

    std::vector<std::string> leftoverIndexFiles() const override {
        return {"GOL.CDX", "SUPP.CDX", "STOCK.CDX", "CUST.CDX"};
    }

    void importEntities() override {
        if (isOpen("PELANG")) importCustomers();
        importVendors();
        importCodedList(runState(), kItemGroupTable, groups_);
        importItems();
        units_.write(runState());
    }

private:
    void importCustomers() {
        importEntity(runState(), "PELANG", kCustomerTarget, {"KODE", "NAMA"}, [&](const SourceRow& row, FieldWriter& customers) {
            CustomerRecord customer;
            customer.code = row.trimmed("KODE");
            customer.taxNumber = row.trimmed("NPWP");
            customer.name = row.trimmed("NAMA");
            customer.address = GETALAMAT(row.text("ALAMAT"), row.text("ALAMAT1"), "");
            customer.phone = row.trimmed("TELP");
            customer.contact = row.trimmed("ATTN");
            customer.creditTerm = row.number("TERM");
            customer.creditLimit = row.number("PLAFON");
            customer.note = row.trimmed("CATAT");
            appendCustomer(runState(), customers, customer);
            return true;
        });
    }

    void importVendors() {
        importEntity(runState(), "VENDOR", kVendorTarget, {"KODE", "NAMA"}, [&](const SourceRow& row, FieldWriter& vendors) {
            VendorRecord vendor;
            vendor.name = row.trimmed("NAMA");
            vendor.address = GETALAMAT(row.text("ALAMAT"), row.text("ALAMAT1"), "");
            vendor.phone = row.trimmed("TELP");
            vendor.note = row.trimmed("CATAT");
            return appendCodedVendor(runState(), vendors, vendorCodes_, row, vendor);
        });
    }

    void importItems() {
        ImportRun& run = runState();
        ItemTarget stock(run);
        run.forEachRecord("STOCK", "Item Proses no. ", [&](const SourceRow& row) {
            if (row.deleted()) return false;
            const StockUnits units = readUnits(row);
            // Every record's units count, also those of records refused below.
            const uint32_t unit = units_.add(units.definition());
            ItemRecord item;
            item.code = row.code("BARA");
            item.name = item.fullName = row.trimmed("NAMA");
            if (item.code.empty() || item.name.empty()) return false;
            item.group = groups_.find(row.code("GOL"));
            item.vendor = vendorCodes_.find(row.code("SUPP"));
            item.unit = unit;
            item.sellingLevels = {units.sellingLevel(units.secondAsRead), units.sellingLevel(units.thirdAsRead),
                                  units.sellingLevel(units.thirdAsRead), units.sellingLevel(units.thirdAsRead)};
            item.purchasePrice = row.number("HBELI");
            const double price = row.number("HJUAL");
            const double price2 = row.has("HJUAL2") ? row.number("HJUAL2") : price;
            const double price3 = row.has("HJUAL3") ? row.number("HJUAL3") : price;
            item.sellingPrices = {price, price2, price3, price3, price3};
            if (!stock.appendChecked(item, row.recno())) return false;
            if (row.has("AWAL1"))
                for (int g = 1; g <= kWarehouses; ++g) stock.putOpeningStock(g, openingQuantity(row, g), item.purchasePrice);
            return true;
        });
        stock.close();
    }

    CodeList vendorCodes_, groups_;
    importing::UnitSets units_;
};

}  // namespace

std::unique_ptr<importing::ImportSource> BUTTONIMPORT22() { return std::make_unique<IsImport>(); }

}  // namespace tarvo::importers
