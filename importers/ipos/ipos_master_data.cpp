// Item groups, items with their discount periods, units, and salesmen (or customers) of an iPOS
// database.

#include "importers/ipos/ipos_steps.h"
#include "importers/ipos/item_duplicates.h"
#include "importers/ipos/schema.h"
#include "importers/ipos/value_readers.h"
#include "importers/record_templates.h"
#include "retaildb/identifier_rows.h"
#include "retaildb/record_routines.h"
#include "importing/stock_search.h"
#include "xbase/blanks.h"
#include "xbase/work_areas.h"

namespace tarvo::importers::ipos {

using importing::normaliseCode;
using xbase::Value;

namespace {

std::string trimmedText(const odbc::Row& row, size_t column) { return std::string(xbase::trimmed(row.text(column))); }

std::string withoutLeadingBlanks(const std::string& text) { return std::string(xbase::trimmedLeft(text)); }

// The columns of the item table every item's numbers come from, each as it is.
std::vector<importing::FieldColumns> itemNumberColumns() {
    std::vector<importing::FieldColumns> columns{{"S_STOCK", kPurchasePriceField, "HARGAPOKOK"},
                                                 {"S_STOCK", kMinimumStockField, "STOKMIN"}};
    for (const char* field : kSellingPriceFields) columns.push_back({"S_STOCK", field, "HARGAJUAL"});
    return columns;
}

// Those and the columns of a discount period's numbers.
std::vector<importing::FieldColumns> itemColumns() {
    std::vector<importing::FieldColumns> columns = itemNumberColumns();
    columns.push_back({"S_STKPRO", "DISC_PERS1", "DISKONP"});
    columns.push_back({"S_STKPRO", "DISC_NILAI", "DISKONN"});
    return columns;
}

const importing::FieldColumns kCommissionColumn{"S_KARYAW", "KOMISI", "KOMISIJUAL"};

}  // namespace

void importItemGroups(IposRun& ipos) {
    const odbc::Result& groups = ipos.source.itemGroups;
    const size_t code = groups.column("JENIS"), name = groups.column("NAMAJENIS");
    FieldWriter target("S_GRPSTK");
    forEachRow(ipos, groups, kItemGroupTable, "Grouping Item Proses no. ", [&](const odbc::Row& row) {
        std::string normalised = normaliseCode(row.text(code));
        const std::string groupName = normaliseCode(row.text(name));
        if (normalised.empty() || groupName.empty() || ipos.groups.find(normalised) != 0) return false;
        appendListRecord(ipos.run, target, "NAMA", ipos.groups.add(std::move(normalised)), groupName);
        return true;
    });
    xbase::workAreas().close("S_GRPSTK");
    retaildb::TABLEIDUPDATE(retaildb::kItemGroupsRow, ipos.groups.size());
}

void importItems(IposRun& ipos) {
    const odbc::Result& items = ipos.source.items;
    const size_t code = items.column("NOITEM"), itemName = items.column("NAMAITEM"), unit = items.column("SATUAN"),
                 group = items.column("JENIS"), cost = items.column("HARGAPOKOK"), price = items.column("HARGAJUAL"),
                 minimum = items.column("STOKMIN"), percent = items.column("DISKONP"),
                 amount = items.column("DISKONN"), from = items.column("PERDIS1"), to = items.column("PERDIS2");
    FieldWriter stock("S_STOCK");
    FieldWriter discounts("S_STKPRO");
    importing::StockSearch search;
    forEachRow(ipos, items, kItemTable, "Item Proses no. ", [&](const odbc::Row& row) {
        const std::string itemCode = normaliseCode(row.text(code));
        std::string unitName = normaliseCode(row.text(unit));
        if (unitName.empty()) unitName = "PCS";
        // Every row's unit joins the list, also a row that is skipped.
        const uint32_t unitId = ipos.units.add(importing::singleUnit(unitName));
        std::string name = trimmedText(row, itemName);
        if (itemCode.empty() || name.empty()) return false;
        if (isDuplicateIposItem(ipos.run, search, itemCode, name, static_cast<uint32_t>(row.index() + 1))) return false;

        ItemRecord item;
        item.name = item.fullName = name;
        item.group = ipos.groups.find(normaliseCode(row.text(group)));
        item.unit = unitId;
        item.code = itemCode;
        item.purchasePrice = READFLOAT(row, cost);
        item.sellingPrices.fill(READFLOAT(row, price));
        item.minimumStock = READFLOAT(row, minimum);
        appendItem(ipos.run, stock, item);

        const double discountPercent = READFLOAT(row, percent), discountAmount = READFLOAT(row, amount);
        const std::string start = READSTRING(row, from), end = READSTRING(row, to);
        if ((discountPercent > 0 || discountAmount > 0) && !start.empty() && !end.empty()) {
            ipos.run.appendTo("S_STKPRO");
            discounts.put("STOCK_ID", Value(stock.table().recCount()));
            discounts.putStamps(ipos.run);
            discounts.put("TANGGAL_1", Value(TIMESTAMPTODATE(start)));
            discounts.put("TANGGAL_2", Value(TIMESTAMPTODATE(end)));
            discounts.put("DISC_PERS1", Value(discountPercent));
            discounts.put({"DISC_PERS2", "DISC_PERS3"}, Value(0));
            discounts.put("MU_DISC_NL", Value(1));
            discounts.put("DISC_NILAI", Value(discountPercent > 0 ? 0.0 : discountAmount));
            discounts.put("DISC_SAT", Value(0));
            discounts.put("CATATAN", Value(kIposNote));
        }
        return true;
    }, itemColumns());
    retaildb::TABLEIDUPDATE(retaildb::kItemsRow, stock.table().recCount());
    stock.table().commit();
    xbase::workAreas().close("S_STKPRO");
}

void writeUnits(IposRun& ipos) { ipos.units.write(ipos.run); }

void importSalesmen(IposRun& ipos) {
    const odbc::Result& people = ipos.source.salesmen;
    const size_t code = people.column("NOSALES"), name = people.column("NAMASALES"), street = people.column("ALAMAT"),
                 city = people.column("KOTA"), phone = people.column("TELEPHONE"),
                 commission = people.column("KOMISIJUAL");
    const bool asCustomers = ipos.choices.salesAsCustomers;
    const char* target = asCustomers ? "S_PELANG" : "S_KARYAW";
    FieldWriter writer(target);
    forEachRow(ipos, people, kSalesmanTable, asCustomers ? "Sales > Pelanggan Proses no. " : "Sales Proses no. ",
               [&](const odbc::Row& row) {
                   std::string normalised = normaliseCode(row.text(code));
                   const std::string personName = trimmedText(row, name);
                   if (normalised.empty() || personName.empty() || ipos.salesmen.find(normalised) != 0) return false;
                   ipos.salesmen.add(normalised);
                   ipos.commissions.push_back(READFLOAT(row, commission));
                   const std::string address = withoutLeadingBlanks(READSTRING(row, street) + " " + READSTRING(row, city));
                   const std::string telephone = withoutLeadingBlanks(READSTRING(row, phone));
                   if (asCustomers) {
                       CustomerRecord customer;
                       customer.code = normalised;
                       customer.name = personName;
                       customer.address = address;
                       customer.region = 0;
                       customer.phone = telephone;
                       customer.note = kIposNote;
                       appendCustomer(ipos.run, writer, customer);
                       writer.put({"GROUP_PEL", "TIPE", "MAX_CRD_PR", "SALES"}, Value(0));
                       writer.put({"TELEPON_2", "TELEPON_3", "HUB_TELP_1", "HUBUNGI_2", "HUB_TELP_2", "HUBUNGI_3",
                                   "HUB_TELP_3", "EMAIL", "WEBSITE"},
                                  Value(""));
                   } else {
                       appendSalesman(ipos.run, writer, {personName, address, telephone, kIposNote});
                       writer.put("KOMISI", Value(READFLOAT(row, commission)));
                   }
                   return true;
               },
               {kCommissionColumn});
    xbase::workAreas().close(target);
    retaildb::TABLEIDUPDATE(asCustomers ? retaildb::kCustomersRow : retaildb::kSalesmenRow, ipos.salesmen.size());
}

void tryMasterDataValues(const SourceDatabase& source, const IposChoices& choices, importing::ValueTrials& trials) {
    const odbc::Result& items = source.items;
    const size_t code = items.column("NOITEM"), name = items.column("NAMAITEM");
    std::vector<RowValue> itemValues;
    for (const importing::FieldColumns& target : itemNumberColumns()) itemValues.push_back(columnAsIs(items, target));
    tryRows(items, kItemTable, [&](const odbc::Row& row) {
        return !normaliseCode(row.text(code)).empty() && !trimmedText(row, name).empty();
    }, itemValues, trials);
    if (choices.salesAsCustomers) return;
    const odbc::Result& people = source.salesmen;
    const size_t person = people.column("NOSALES"), personName = people.column("NAMASALES");
    tryRows(people, kSalesmanTable, [&](const odbc::Row& row) {
        return !normaliseCode(row.text(person)).empty() && !trimmedText(row, personName).empty();
    }, {columnAsIs(people, kCommissionColumn)}, trials);
}

}  // namespace tarvo::importers::ipos
