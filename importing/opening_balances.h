#pragma once
// Opening balances and day closing: the control record's day-closing settings and point date,
// the "STOCK AWAL" purchase that holds the opening stock when it stays open, the opening stock
// of each item, and the opening payables (PEMBEL) and receivables (PENJUA).

#include <functional>
#include <string>

#include "importing/field_writer.h"
#include "importing/import_run.h"
#include "importing/value_feeds.h"
#include "ui/user_interaction.h"

namespace tarvo::importing {

// Whether the retail database in the ST_DB folder has its control record, checked before the
// database is prepared so that an import without one is refused with every file as it was.
// Shows the error box and returns false when S_KONTRO holds no record or cannot be read; a
// missing S_KONTRO is left to the preparation, which reports it before it changes anything.
bool checkControlRecord(ui::Owner owner, const std::string& databaseFolder);

// Into S_KONTRO's current record: TUTUP_HARI and AKT_MULAI (the closing day and the day after,
// or empty dates when the day is not closed), then what moreSettings writes; then S_KONTRO is
// committed and closed. With the opening stock left open, the "STOCK AWAL" header is appended
// to S_PEMBEL. Returns false after the error box of checkControlRecord, having written nothing,
// when S_KONTRO has no current record (emptied by another program since the check).
bool writeDayClosingSettings(ImportRun& run, const std::function<void(FieldWriter& control)>& moreSettings = {});

// The opening stock of the item just written to S_STOCK, in the run's stock mode: closed
// balances in the item's SISA_ fields, lines of the "STOCK AWAL" purchase in S_PEMBED, or nothing.
// What OpeningStock::put(warehouse, quantity, value) writes in the stock mode, for the value
// checks: the quantity fields and value field of the warehouse's slot, or the purchase line of a
// quantity that is not zero.
std::vector<FieldFeed> openingStockFeeds(StockMode mode, int warehouse, const ColumnValue& quantity,
                                         const ColumnValue& value);
// What OpeningStock::write(row, kindOf(row)) writes from an item template's SISA_STKn and SISA_NILn
// columns.
std::vector<FieldFeed> templateOpeningStockFeeds(StockMode mode, const std::function<int(const SourceRow&)>& kindOf);

class OpeningStock {
public:
    // S_STOCK and S_PEMBED must be open while it is used.
    explicit OpeningStock(ImportRun& run);
    // From the item template's row: only items of JENIS 0 from a template with SISA_STK1 have any.
    void write(const SourceRow& row, int itemKind);
    // Warehouse n (1-based) holds the quantity, worth the value: with the day closed, the three
    // quantity fields and the value field of its slot; with the stock left open, a purchase line
    // when the quantity is not zero.
    void put(int warehouse, double quantity, double value);

private:
    void writeClosedBalances(const SourceRow& row);
    void writePurchaseLines(const SourceRow& row);
    void putClosedQuantity(int warehouse, double quantity);
    void putClosedValue(int warehouse, double value);
    void appendPurchaseLine(int warehouse, double quantity, double value);

    ImportRun& run_;
    FieldWriter stock_;
    FieldWriter lines_;
};

}  // namespace tarvo::importing
