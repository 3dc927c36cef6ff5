#include "templates/item_links.h"

#include "importing/field_writer.h"
#include "templates/item_prices.h"

namespace tarvo::templates {

namespace {

// The cost share of the linked item, in percent.
constexpr int kLinkCostShare = 100;

}  // namespace

ItemLink readItemLink(const importing::SourceRow& row, uint32_t itemId, const std::string& code) {
    return ItemLink{itemId, code, row.has("LINK_JML") ? row.number("LINK_JML") : 1, unitOr(row, "LINK_SAT", 1)};
}

void writeItemLinks(TemplateRun& run, const std::vector<ItemLink>& links, importing::StockSearch& search) {
    importing::FieldWriter target("S_STKEOU");
    for (const ItemLink& link : links) {
        const uint32_t linked = search.idByCode(link.code);
        if (linked == 0) continue;
        run.appendTo("S_STKEOU");
        target.put("STOCK_ID", xbase::Value(link.itemId));
        target.put("STOCK_ID2", xbase::Value(linked));
        target.put("JUMLAH", xbase::Value(link.quantity));
        target.put("SATUAN", xbase::Value(link.unit));
        target.put("HPP", xbase::Value(kLinkCostShare));
    }
}

}  // namespace tarvo::templates
