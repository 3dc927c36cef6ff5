#include "importers/ias_importer.h"

#include "importers/application_import.h"
#include "importing/item_units.h"

namespace tarvo::importers {

namespace {

using importing::CodeList;
using importing::ColumnValue;
using importing::column;
using importing::SourceRow;

constexpr CodedListSource kRegionTable{"DAERAH", "Wilayah/Daerah Proses no. ", "WIL", "KET",
                                       "S_DAERAH", "DAERAH", retaildb::kRegionsRow};

// GETALAMAT of a customer or vendor: the address lines, then the city.
std::string addressOf(const SourceRow& row) {
    return GETALAMAT(row.text("ALT"), row.has("ALT1") ? row.text("ALT1") : "", row.text("KOTA"));
}

// What customers and vendors share: name, address with the city, phone, fax, contact, credit.
template <class Partner>
Partner partnerOf(const SourceRow& row) {
    Partner partner;
    partner.name = row.trimmed("NAMA");
    partner.address = addressOf(row);
    partner.phone = row.trimmed("TELP");
    partner.fax = row.trimmed("FAX");
    partner.contact = row.trimmed("HUBUNG");
    partner.creditTerm = row.number("LKRD");
    partner.creditLimit = row.number("PLATFON");
    return partner;
}

// The opening quantity of the one warehouse from its seven movement columns.
double openingQuantity(const SourceRow& row) {
    return row.number("STK") + row.number("MSK") - row.number("RMSK") - row.number("BNS") - row.number("KLR") +
           row.number("RKLR") - row.number("RSK");
}

// The first minimum-stock column the table has; 0 when it has none.
double minimumStockOf(const SourceRow& row) {
    for (const char* column : kMinimumStockColumns)
        if (row.has(column)) return row.number(column);
    return 0;
}

// The rows the item loop takes up (before its duplicate check).
bool takesItem(const SourceRow& row) {
    return !row.deleted() && !row.code("K_BRG").empty() && !row.trimmed("NAMA").empty();
}

class IasImport : public ApplicationImport {
protected:
    std::vector<SourceTable> sourceTables() const override {
        std::vector<SourceColumn> partner = textColumns({"KODE", "NAMA", "ALT", "KOTA", "TELP", "FAX", "HUBUNG"});
        partner.push_back(optionalColumn("ALT1", ColumnKind::Text));
        for (const auto& column : numberColumns({"LKRD", "PLATFON"})) partner.push_back(column);
        std::vector<SourceColumn> customers = partner;
        for (const auto& column : textColumns({"PKP", "NPWP", "WIL"})) customers.push_back(column);
        std::vector<SourceColumn> vendors = partner;
        vendors.push_back(requiredColumn("AC_BANK", ColumnKind::Text));
        std::vector<SourceColumn> stock = textColumns({"K_BRG", "NAMA", "GOL", "KEMAS"});
        for (const auto& column : numberColumns({"HBELI", "HJUAL", "STK", "MSK", "RMSK", "BNS", "KLR", "RKLR", "RSK"}))
            stock.push_back(column);
        for (const char* column : kMinimumStockColumns) stock.push_back(optionalColumn(column, ColumnKind::Number));
        return {
            {"GOL.DBF", "GOLSTK", Presence::Tested, textColumns({"GOL", "KET"})},
            {"WIL.DBF", "DAERAH", Presence::Opened, textColumns({"WIL", "KET"})},
            {"SUP.DBF", "VENDOR", Presence::Opened, vendors},
            {"STOCK.DBF", "STOCK", Presence::Tested, stock},
            {"CUS.DBF", "PELANG", Presence::Optional, customers},
        };
    }

    std::vector<importing::SourceFeeds> valueFeeds() const override {
        std::vector<importing::FieldFeed> stock;
        const ColumnValue price = column("HJUAL");
        const ColumnValue minimumStock{"MINSTOK/MIN_STOK/STOKMIN",
                                       [](const SourceRow& row) { return minimumStockOf(row); }};
        addItemFeeds(stock, column("HBELI"), {price, price, price, price, price}, minimumStock);
        const ColumnValue quantity{"STK + MSK - RMSK - BNS - KLR + RKLR - RSK", openingQuantity};
        addOpeningStockFeeds(stock, run().options(), 1, quantity, column("HBELI"));
        std::vector<importing::FieldFeed> customers, vendors;
        addCreditFeeds(customers, "S_PELANG", column("LKRD"), column("PLATFON"));
        addCreditFeeds(vendors, "S_VENDOR", column("LKRD"), column("PLATFON"));
        const auto partners = rowsWithKeys({"KODE", "NAMA"});
        return {{"STOCK", takesItem, std::move(stock)},
                {"PELANG", partners, std::move(customers)},
                {"VENDOR", partners, std::move(vendors)}};
    }

    std::vector<std::string> leftoverIndexFiles() const override {
        return {"GOL.CDX", "SUP.CDX", "STOCK.CDX", "CUS.CDX", "WIL.CDX"};
    }

    void importEntities() override {
        importCodedList(runState(), kRegionTable, regions_);
        if (isOpen("PELANG")) importCustomers();
        importCodedList(runState(), kItemGroupTable, groups_);
        importVendors();
        importItems();
        units_.write(runState());
    }

private:
    void importCustomers() {
        importEntity(runState(), "PELANG", kCustomerTarget, {"KODE", "NAMA"}, [&](const SourceRow& row, FieldWriter& customers) {
            CustomerRecord customer = partnerOf<CustomerRecord>(row);
            customer.code = row.trimmed("KODE");
            // A customer marked as not taxable ("N..." under the xBase comparison) keeps no tax number.
            customer.taxNumber = row.text("PKP").starts_with("N") ? "" : row.trimmed("NPWP");
            customer.region = regions_.find(row.code("WIL"));
            appendCustomer(runState(), customers, customer);
            return true;
        });
    }

    void importVendors() {
        importEntity(runState(), "VENDOR", kVendorTarget, {"KODE", "NAMA"}, [&](const SourceRow& row, FieldWriter& vendors) {
            VendorRecord vendor = partnerOf<VendorRecord>(row);
            vendor.bankAccount = row.trimmed("AC_BANK");
            return appendCodedVendor(runState(), vendors, vendorCodes_, row, vendor);
        });
    }

    void importItems() {
        ImportRun& run = runState();
        ItemTarget stock(run);
        run.forEachRecord("STOCK", "Item Proses no. ", [&](const SourceRow& row) {
            if (row.deleted()) return false;
            std::string unit = row.code("KEMAS");
            if (unit.empty()) unit = "PCS";
            // Every record's unit counts, also those of records refused below.
            const uint32_t unitId = units_.add(importing::singleUnit(unit));
            ItemRecord item;
            item.code = row.code("K_BRG");
            item.name = item.fullName = row.trimmed("NAMA");
            if (item.code.empty() || item.name.empty()) return false;
            item.group = groups_.find(row.code("GOL"));
            item.unit = unitId;
            item.purchasePrice = row.number("HBELI");
            item.sellingPrices.fill(row.number("HJUAL"));
            item.minimumStock = minimumStockOf(row);
            if (!stock.appendChecked(item, row.recno())) return false;
            stock.putOpeningStock(1, openingQuantity(row), item.purchasePrice);
            return true;
        });
        stock.close();
    }

    CodeList regions_, groups_, vendorCodes_;
    importing::UnitSets units_;
};

}  // namespace

std::unique_ptr<importing::ImportSource> BUTTONIMPORT23() { return std::make_unique<IasImport>(); }

}  // namespace tarvo::importers
