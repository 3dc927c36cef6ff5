#include "importers/msbrg_importer.h"

#include <array>

#include "importers/application_import.h"
#include "importing/item_units.h"
#include "xbase/blanks.h"
#include "xbase/work_areas.h"

namespace tarvo::importers {

namespace {

using importing::CodeList;
using importing::ColumnValue;
using importing::column;
using importing::SourceRow;
using xbase::Value;

// A packing level of an MSBRG record: level 0 is the base item, levels 1-3 items of their own.
struct PackingLevel {
    std::string code, unit;
    double content = 0;  // base units per level unit
    double purchasePrice = 0, sellingPrice = 0;
    std::string purchaseCurrency, sellingCurrency;
};

class MsbrgImport : public ApplicationImport {
protected:
    std::vector<SourceTable> sourceTables() const override {
        std::vector<SourceColumn> items = textColumns({"KDBRG", "NMBRG", "NMBRG1", "KATEGORI", "UNIT", "MTUANG", "MTJL"});
        for (const auto& column : numberColumns({"HGBELI", "HGJUALT", "MINSTOK", "SISAGUDANG", "SISATOKO"}))
            items.push_back(column);
        for (int level = 1; level <= 3; ++level) {
            const std::string n = std::to_string(level);
            for (const std::string& name : {"KDBRG" + n, "UNIT" + n, "MTUANG" + n, "MTJL" + n})
                items.push_back(requiredColumn(name, ColumnKind::Text));
            for (const std::string& name : {"QTY" + n + "1", "HGBELI" + n, "HGJUAL" + n})
                items.push_back(requiredColumn(name, ColumnKind::Number));
        }
        return {
            {"MSBRG.DBF", "MSBRG", Presence::Tested, items},
            {"MSCUS.DBF", "MSCUS", Presence::Tested, textColumns({"NMCUS", "LOKASI", "ALAMAT1", "ALAMAT2", "TELP", "FAX"})},
            {"MSSUP.DBF", "MSSUP", Presence::Tested, textColumns({"NMSUP", "ALAMAT1", "ALAMAT2", "TELP", "FAX"})},
            {"SALES.DBF", "SALES", Presence::Tested, textColumns({"NMSAL"})},
        };
    }

    std::vector<importing::SourceFeeds> valueFeeds() const override {
        std::vector<importing::FieldFeed> feeds;
        addItemFeeds(feeds, column("HGBELI"), sameEverywhere(column("HGJUALT")), column("MINSTOK"));
        for (int n = 1; n <= 3; ++n) {
            const std::string s = std::to_string(n);
            addItemFeeds(feeds, ofLevel(n, "HGBELI" + s), sameEverywhere(ofLevel(n, "HGJUAL" + s)), std::nullopt);
            feeds.push_back({"S_STKEOU", "JUMLAH", ofLevel(n, "QTY" + s + "1")});
        }
        addOpeningStockFeeds(feeds, run().options(), 1, column("SISAGUDANG"), column("HGBELI"));
        addOpeningStockFeeds(feeds, run().options(), 2, column("SISATOKO"), column("HGBELI"));
        return {{"MSBRG", takesItem, std::move(feeds)}};
    }

    void writeControlSettings(FieldWriter& control) override {
        control.put("STK_K_LEN", Value(20));
        control.put("STK_K_LEN2", Value(13));
        control.put("STK_N_EX1", Value(false));
    }

    void importEntities() override {
        importCustomers();
        writeListTable(runState(), regions_, "Wilayah/Daerah Proses no. ", "S_DAERAH", "DAERAH", retaildb::kRegionsRow);
        importVendors();
        importSalesmen();
        importItems();
        units_.write(runState(), "Satuan Item Proses no. ");
        writeListTable(runState(), groups_, "Grouping Item Proses no. ", "S_GRPSTK", "NAMA", retaildb::kItemGroupsRow);
    }

private:
    void importCustomers() {
        importEntity(runState(), "MSCUS", kCustomerTarget, {"NMCUS"}, [&](const SourceRow& row, FieldWriter& customers) {
            CustomerRecord customer;
            customer.region = regions_.findOrAdd(row.code("LOKASI"));
            customer.name = row.trimmed("NMCUS");
            customer.address = GETALAMAT(row.text("ALAMAT1"), row.text("ALAMAT2"), "");
            customer.phone = row.trimmed("TELP");
            customer.fax = row.trimmed("FAX");
            appendCustomer(runState(), customers, customer);
            return true;
        });
    }

    void importVendors() {
        importEntity(runState(), "MSSUP", kVendorTarget, {"NMSUP"}, [&](const SourceRow& row, FieldWriter& vendors) {
            VendorRecord vendor;
            vendor.id = vendors.table().recCount() + 1;
            vendor.name = row.trimmed("NMSUP");
            vendor.address = GETALAMAT(row.text("ALAMAT1"), row.text("ALAMAT2"), "");
            vendor.phone = row.trimmed("TELP");
            vendor.fax = row.trimmed("FAX");
            appendVendor(runState(), vendors, vendor);
            return true;
        });
    }

    void importSalesmen() {
        importEntity(runState(), "SALES", kSalesmanTarget, {"NMSAL"}, [&](const SourceRow& row, FieldWriter& salesmen) {
            appendSalesman(runState(), salesmen, SalesmanRecord{row.trimmed("NMSAL"), "", "", ""});
            return true;
        });
    }

    // The rows importItems takes up (before its duplicate check).
    static bool takesItem(const SourceRow& row) {
        return !row.deleted() && !row.code("KDBRG").empty() && !row.trimmed("NMBRG").empty() &&
               row.trimmed("NMBRG1").empty();
    }

    // The column of packing level n, 0 when the level gives no item.
    static ColumnValue ofLevel(int n, const std::string& name) {
        return importing::columnWhere(name, [n](const SourceRow& row) { return !readLevels(row)[n].code.empty(); });
    }
    static std::array<ColumnValue, 5> sameEverywhere(const ColumnValue& value) {
        return {value, value, value, value, value};
    }

    static std::array<PackingLevel, 4> readLevels(const SourceRow& row) {
        std::array<PackingLevel, 4> levels;
        levels[0] = PackingLevel{row.code("KDBRG"), row.code("UNIT"), 1, row.number("HGBELI"), row.number("HGJUALT"),
                                 row.text("MTUANG"), row.text("MTJL")};
        for (int n = 1; n <= 3; ++n) {
            const std::string s = std::to_string(n);
            levels[n] = PackingLevel{row.code("KDBRG" + s), row.code("UNIT" + s), row.number("QTY" + s + "1"),
                                     row.number("HGBELI" + s), row.number("HGJUAL" + s), row.text("MTUANG" + s),
                                     row.text("MTJL" + s)};
        }
        if (levels[0].unit.empty()) levels[0].unit = "PCS";
        for (PackingLevel& level : levels)
            if (level.unit == "PRS") level.unit = "PCS";
        for (int n = 1; n <= 3; ++n) {
            if (levels[n].content != 0) continue;
            levels[n].code.clear();
            levels[n].unit.clear();
            levels[n].content = 0;
        }
        return levels;
    }

    static ItemRecord itemOf(const PackingLevel& level, uint32_t group, uint32_t unit) {
        ItemRecord item;
        item.group = group;
        item.code = level.code;
        item.unit = unit;
        item.purchaseCurrency = currencyOf(level.purchaseCurrency);
        item.sellingCurrency = currencyOf(level.sellingCurrency);
        item.purchasePrice = level.purchasePrice;
        item.sellingPrices.fill(level.sellingPrice);
        return item;
    }

    // An empty unit gives identifier 0 and is never added to the list.
    uint32_t unitPosition(const std::string& unit) { return unit.empty() ? 0 : units_.add(importing::singleUnit(unit)); }

    void importItems() {
        ImportRun& run = runState();
        ItemTarget stock(run);
        FieldWriter compositions("S_STKEOU");
        run.forEachRecord("MSBRG", "Item Proses no. ", [&](const SourceRow& row) {
            const std::string code = row.code("KDBRG");
            const std::string name = row.trimmed("NMBRG");
            const std::string extension = row.trimmed("NMBRG1");
            if (!takesItem(row)) return false;
            const uint32_t group = groups_.findOrAdd(row.code("KATEGORI"));
            const std::array<PackingLevel, 4> levels = readLevels(row);
            const uint32_t baseUnit = unitPosition(levels[0].unit);

            ItemRecord base = itemOf(levels[0], group, baseUnit);
            base.name = name;
            base.nameExtension = extension;
            base.fullName = name + " " + extension;
            base.minimumStock = row.number("MINSTOK");
            if (!stock.appendChecked(base, row.recno())) return false;
            const uint32_t baseId = stock.lastId();
            const double price = levels[0].purchasePrice;
            stock.putOpeningStock(1, row.number("SISAGUDANG"), price);
            stock.putOpeningStock(2, row.number("SISATOKO"), price);

            for (int n = 1; n <= 3; ++n) {
                const PackingLevel& level = levels[n];
                if (level.code.empty()) continue;
                ItemRecord packing = itemOf(level, group, unitPosition(level.unit));
                packing.name = packing.fullName = name + " (" + level.unit + ")";
                packing.kind = 2;
                stock.append(packing);
                appendComposition(compositions, stock.lastId(), baseId, level.content);
            }
            return true;
        });
        stock.close();
        xbase::workAreas().close("S_STKEOU");
    }

    // The level item holds content base items.
    void appendComposition(FieldWriter& composition, uint32_t levelItem, uint32_t baseItem, double content) {
        runState().appendTo("S_STKEOU");
        composition.put("STOCK_ID", Value(levelItem));
        composition.put("STOCK_ID2", Value(baseItem));
        composition.put("JUMLAH", Value(content));
        composition.put("SATUAN", Value(1));
        composition.put("HPP", Value(100));
    }

    CodeList regions_, groups_;
    importing::UnitSets units_;
};

}  // namespace

std::unique_ptr<importing::ImportSource> BUTTONIMPORT21() { return std::make_unique<MsbrgImport>(); }

}  // namespace tarvo::importers
