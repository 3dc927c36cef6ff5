#pragma once
// A row of the item template as the item import reads it, and the S_STOCK record made from it.

#include <array>
#include <string>
#include <vector>

#include "importing/field_writer.h"
#include "templates/template_run.h"
#include "importing/item_units.h"
#include "importing/value_feeds.h"

namespace tarvo::templates {

struct ItemRow {
    static constexpr int kCodes = 5;
    // Code 1 is KODE in upper case; codes 2-5 are KODE_2 ... KODE_5 as written, each only after
    // a code before it. Codes and name are trimmed and lose one trailing line end.
    std::array<std::string, kCodes> codes;
    std::string name;
    std::string nameExtension1, nameExtension2;
    std::string linkCode;  // upper case
    importing::ItemUnits units;
};

ItemRow readItemRow(const importing::SourceRow& row);

// The JENIS of the row: its JENIS when that is 0, 1 or 2, else 0 (goods).
int itemKind(const importing::SourceRow& row);

// The numbers writeStockRecord and the opening stock take from the row, for the value checks:
// prices, quantities and discounts, and (for goods) the opening stock in the stock mode.
std::vector<importing::FieldFeed> itemFeeds(importing::StockMode stockMode);
// The rows the item import takes up (before its duplicate check): code and name filled.
bool takesItemRow(const importing::SourceRow& row);

// Every field of the item record just appended to S_STOCK, unit set included; returns the JENIS
// written (0 goods, 1 and 2 the other kinds).
int writeStockRecord(const TemplateRun& run, const importing::SourceRow& row, const ItemRow& item, uint32_t unitSet,
                     importing::FieldWriter& stock);

}  // namespace tarvo::templates
