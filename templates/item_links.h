#pragma once
// Links between items: an item of JENIS 2 made of a quantity of another item, named by its code.
// The links are noted while the items are read and written to S_STKEOU after all items.

#include <cstdint>
#include <string>
#include <vector>

#include "templates/template_run.h"
#include "importing/stock_search.h"

namespace tarvo::templates {

struct ItemLink {
    uint32_t itemId = 0;
    std::string code;     // the linked item's first code, upper case
    double quantity = 1;  // LINK_JML
    double unit = 1;      // LINK_SAT
};

// The link of the item just written: LINK_JML (1 without the column) in the unit LINK_SAT
// (1 unless it is within 1-3).
ItemLink readItemLink(const importing::SourceRow& row, uint32_t itemId, const std::string& code);

// One S_STKEOU record per link, in order, whose code is the first code of an item in S_STOCK.
void writeItemLinks(TemplateRun& run, const std::vector<ItemLink>& links, importing::StockSearch& search);

}  // namespace tarvo::templates
