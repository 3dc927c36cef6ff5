#include "templates/item_import.h"

#include <vector>

#include "retaildb/identifier_rows.h"
#include "retaildb/record_routines.h"
#include "templates/field_writer.h"
#include "templates/group_template.h"
#include "templates/item_duplicates.h"
#include "templates/item_extras.h"
#include "templates/item_links.h"
#include "templates/item_record.h"
#include "templates/item_units.h"
#include "templates/opening_balances.h"
#include "templates/stock_search.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {


void importItemGroups(TemplateRun& run) {
    importGroupTemplate(run, kItemGroups1, run.itemGroups1);
    if (!run.templateOpen(kItemGroups1.alias)) return;
    importGroupTemplate(run, kItemGroups2, run.itemGroups2);
    if (!run.templateOpen(kItemGroups2.alias)) return;
    importGroupTemplate(run, kItemGroups3, run.itemGroups3);
}

// ITEM -> S_STOCK, noting each item's unit set and link; S_STOCK stays open for the lookups after.
void importItemRows(TemplateRun& run, StockSearch& search, UnitSets& unitSets, std::vector<ItemLink>& links) {
    FieldWriter stock("S_STOCK");
    OpeningStock openingStock(run);
    run.forEachRow("ITEM", [&](const SourceRow& row) {
        const ItemRow item = readItemRow(row);
        // Every row's units count, also those of rows refused below.
        const uint32_t unitSet = unitSets.add(item.units);
        if (item.codes[0].empty() || item.name.empty()) return false;
        if (isDuplicateItem(run, item, row.recno(), search)) return false;
        run.appendTo("S_STOCK");
        const int kind = writeStockRecord(run, row, item, unitSet, stock);
        if (kind == 2 && !item.linkCode.empty())
            links.push_back(readItemLink(row, stock.table().recCount(), item.linkCode));
        openingStock.write(row, kind);
        return true;
    });
    retaildb::TABLEIDUPDATE(retaildb::kItemsRow, stock.table().recCount());
    stock.table().commit();
}

}  // namespace

void importItems(TemplateRun& run) {
    importItemGroups(run);
    StockSearch search;
    UnitSets unitSets;
    std::vector<ItemLink> links;
    importItemRows(run, search, unitSets, links);
    importItemInformation(run, search);
    importItemNames(run, search);
    importGroupPrices(run, search);
    xbase::workAreas().close("S_PEMBED");
    writeItemLinks(run, links, search);
    xbase::workAreas().close("S_STOCK");
    unitSets.write(run);
}

}  // namespace tarvo::templates
