#include "importing/opening_balances.h"

#include <array>

#include "retaildb/record_routines.h"
#include "retaildb/retail_database.h"
#include "ui/random_text.h"
#include "ui/user_interaction.h"
#include "xbase/codepage.h"
#include "xbase/dates.h"
#include "xbase/error.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

namespace {

using xbase::Date;
using xbase::Value;

constexpr const char* kNoControlRecord = "File S_KONTRO tidak berisi record kontrol ! Proses Import dibatalkan.";
constexpr int kWarehouses = 30;
// The "STOCK AWAL" purchase and its lines carry this identifier and this vendor.
constexpr int kOpeningStockDocument = -1;

// Template columns and item fields of one warehouse's opening stock.
struct Warehouse {
    std::string quantityColumn, valueColumn;           // SISA_STK7, SISA_NIL7
    std::array<std::string, 3> quantityFields;         // SISA_STK07, SISA_ST207, SISA_ST307
    std::string valueField;                            // SISA_NIL07
};

std::array<Warehouse, kWarehouses> makeWarehouses() {
    std::array<Warehouse, kWarehouses> warehouses;
    for (int n = 1; n <= kWarehouses; ++n) {
        const std::string number = std::to_string(n);
        const std::string twoDigits = (n < 10 ? "0" : "") + number;
        warehouses[n - 1] = Warehouse{"SISA_STK" + number,
                                      "SISA_NIL" + number,
                                      {"SISA_STK" + twoDigits, "SISA_ST2" + twoDigits, "SISA_ST3" + twoDigits},
                                      "SISA_NIL" + twoDigits};
    }
    return warehouses;
}

const std::array<Warehouse, kWarehouses>& warehouses() {
    static const std::array<Warehouse, kWarehouses> all = makeWarehouses();
    return all;
}

Date dayAfter(const Date& date) { return date.empty() ? date : Date::fromJulian(date.julian() + 1); }

// The "STOCK AWAL" purchase header, dated on the last day of the opening stock.
void appendOpeningStockPurchase(ImportRun& run) {
    run.appendTo("S_PEMBEL");
    FieldWriter header("S_PEMBEL");
    const Date date = run.options().openDate;
    header.put({"ID", "VENDOR"}, Value(kOpeningStockDocument));
    header.put("NO", Value("STOCK AWAL"));
    header.put("NO_EX1", Value(""));
    header.put({"TANGGAL", "TANGGAL2"}, Value(date));
    header.put({"MAUANG", "KURS", "NO_MILIK"}, Value(1));
    header.put("NO_MLK_CSH", Value(true));
    header.put({"BARANG_TRM", "SALDO_AWAL"}, Value(false));
    header.put({"PUKUL", "DIVISI_ID", "PURCOR_ID", "GUDANG", "TERM_CRD", "DISC_NILAI", "PPN_NILAI", "ADJ_01", "ADJ_02",
                "ADJ_03", "ADJ_04", "ADJ_05", "TOT_HARGA", "TOT_HAREX1", "TOT_HAREX2", "TOT_DISC", "TOT_RETUR"},
               Value(0));
    header.put({"CATATAN", "CATATAN_2", "CATATAN_3"}, Value(""));
    header.putStamps(run);
    header.table().commit();
}

}  // namespace

bool checkControlRecord(ui::Owner owner, const std::string& databaseFolder) {
    try {
        if (!retaildb::controlRecordMissing(databaseFolder)) return true;
        ui::BOXERROR(owner, kNoControlRecord);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Import gagal: ") + e.what());
    }
    return false;
}

bool writeDayClosingSettings(ImportRun& run, const std::function<void(FieldWriter& control)>& moreSettings) {
    xbase::Table* control = xbase::workAreas().find("S_KONTRO");
    if (!control || control->eof()) {
        ui::BOXERROR(run.owner(), kNoControlRecord);
        return false;
    }
    const ImportOptions& options = run.options();
    const bool closeDay = options.stockMode == StockMode::CloseDay;
    FieldWriter fields("S_KONTRO");
    fields.put("TUTUP_HARI", Value(closeDay ? options.closingDate : Date{}));
    fields.put("AKT_MULAI", Value(closeDay ? dayAfter(options.closingDate) : Date{}));
    if (moreSettings) moreSettings(fields);
    xbase::workAreas().close("S_KONTRO");
    if (options.stockMode == StockMode::Open) appendOpeningStockPurchase(run);
    return true;
}

std::vector<FieldFeed> openingStockFeeds(StockMode mode, int warehouse, const ColumnValue& quantity,
                                         const ColumnValue& value) {
    std::vector<FieldFeed> feeds;
    const Warehouse& slot = warehouses()[warehouse - 1];
    switch (mode) {
        case StockMode::CloseDay:
            for (const std::string& field : slot.quantityFields) feeds.push_back({"S_STOCK", field, quantity});
            feeds.push_back({"S_STOCK", slot.valueField, value});
            break;
        case StockMode::Open: {
            // A line is written only for a quantity that is not zero.
            const auto ofLine = [quantity](const ColumnValue& number) {
                return ColumnValue{number.columns,
                                   [quantity, number](const SourceRow& row) {
                                       return quantity.of(row) == 0 ? 0.0 : number.of(row);
                                   },
                                   number.boundedBy};
            };
            feeds.push_back({"S_PEMBED", "JUMLAH", quantity});
            feeds.push_back({"S_PEMBED", "HARGA", ofLine(value)});
            break;
        }
        case StockMode::None: break;
    }
    return feeds;
}

std::vector<FieldFeed> templateOpeningStockFeeds(StockMode mode, const std::function<int(const SourceRow&)>& kindOf) {
    // As write has it: only goods from a template with the first quantity column.
    const auto ofGoods = [kindOf](const std::string& name) {
        return columnWhere(name, [kindOf](const SourceRow& row) {
            return kindOf(row) == 0 && row.has(warehouses()[0].quantityColumn);
        });
    };
    std::vector<FieldFeed> feeds;
    for (int n = 1; n <= kWarehouses; ++n) {
        const Warehouse& slot = warehouses()[n - 1];
        for (FieldFeed& feed : openingStockFeeds(mode, n, ofGoods(slot.quantityColumn), ofGoods(slot.valueColumn)))
            feeds.push_back(std::move(feed));
    }
    return feeds;
}

OpeningStock::OpeningStock(ImportRun& run) : run_(run), stock_("S_STOCK"), lines_("S_PEMBED") {}

void OpeningStock::write(const SourceRow& row, int itemKind) {
    if (itemKind != 0 || !row.has(warehouses()[0].quantityColumn)) return;
    switch (run_.options().stockMode) {
        case StockMode::CloseDay: writeClosedBalances(row); break;
        case StockMode::Open: writePurchaseLines(row); break;
        case StockMode::None: break;
    }
}

void OpeningStock::put(int warehouse, double quantity, double value) {
    switch (run_.options().stockMode) {
        case StockMode::CloseDay:
            putClosedQuantity(warehouse, quantity);
            putClosedValue(warehouse, value);
            break;
        case StockMode::Open: appendPurchaseLine(warehouse, quantity, value); break;
        case StockMode::None: break;
    }
}

void OpeningStock::putClosedQuantity(int warehouse, double quantity) {
    for (const std::string& field : warehouses()[warehouse - 1].quantityFields) stock_.put(field, Value(quantity));
}

void OpeningStock::putClosedValue(int warehouse, double value) {
    stock_.put(warehouses()[warehouse - 1].valueField, Value(value));
}

void OpeningStock::writeClosedBalances(const SourceRow& row) {
    for (int n = 1; n <= kWarehouses; ++n) {
        const Warehouse& warehouse = warehouses()[n - 1];
        if (row.has(warehouse.quantityColumn)) putClosedQuantity(n, row.number(warehouse.quantityColumn));
        if (row.has(warehouse.valueColumn)) putClosedValue(n, row.number(warehouse.valueColumn));
    }
}

void OpeningStock::writePurchaseLines(const SourceRow& row) {
    for (int n = 1; n <= kWarehouses; ++n) {
        const Warehouse& warehouse = warehouses()[n - 1];
        appendPurchaseLine(n, row.number(warehouse.quantityColumn), row.number(warehouse.valueColumn));
    }
}

void OpeningStock::appendPurchaseLine(int warehouse, double quantity, double value) {
    // An exact zero is zero at any precision; the picture test is for the rest.
    if (quantity == 0 || retaildb::VOISZEROEX(quantity)) return;
    run_.appendTo("S_PEMBED");
    lines_.put({"PEMBEL_ID", "VENDOR"}, Value(kOpeningStockDocument));
    lines_.put({"STKSER_1", "STKSER_2"}, Value(""));
    lines_.put("STOCK_ID", Value(stock_.table().recCount()));
    lines_.put("STOCK_GDG", Value(warehouse));
    lines_.put("TANGGAL", Value(run_.options().openDate));
    lines_.put("SATUAN", Value(1));
    lines_.put("JUMLAH", Value(quantity));
    lines_.put("HARGA", Value(value));
    lines_.put({"HARGA_EX1", "HARGA_EX2", "DISC_NILAI", "MAST_DISC", "MAST_PPN", "MAST_ADJ_1", "MAST_ADJ_2",
                "MAST_ADJ_3", "MAST_ADJ_4", "MAST_ADJ_5"},
               Value(0));
    lines_.put("EXPIRED", Value(Date{}));
}

}  // namespace tarvo::importing
