#include "templates/item_import.h"

#include <vector>

#include "retaildb/identifier_rows.h"
#include "retaildb/record_routines.h"
#include "importing/field_writer.h"
#include "templates/group_template.h"
#include "importing/item_duplicates.h"
#include "templates/item_extras.h"
#include "templates/item_links.h"
#include "templates/item_record.h"
#include "importing/item_units.h"
#include "importing/opening_balances.h"
#include "importing/stock_search.h"
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
void importItemRows(TemplateRun& run, importing::StockSearch& search, importing::UnitSets& unitSets, std::vector<ItemLink>& links) {
    importing::FieldWriter stock("S_STOCK");
    importing::OpeningStock openingStock(run);
    run.forEachRow("ITEM", [&](const importing::SourceRow& row) {
        const ItemRow item = readItemRow(row);
        // Every row's units count, also those of rows refused below.
        const uint32_t unitSet = unitSets.add(item.units);
        if (item.codes[0].empty() || item.name.empty()) return false;
        // Every code of the row is sought in all five code tags.
        const importing::DuplicateCandidate candidate{item.codes, item.name, item.nameExtension1, row.recno()};
        if (importing::isDuplicateItem(run, candidate, importing::StockSearch::kCodeTags, search)) return false;
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
    importing::StockSearch search;
    importing::UnitSets unitSets;
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
