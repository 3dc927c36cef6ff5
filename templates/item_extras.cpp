#include "templates/item_extras.h"

#include "importing/code_list.h"
#include "importing/field_writer.h"
#include "templates/item_prices.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {

using xbase::Value;

// The ID of the item named by KODE_ITEM (trimmed, upper case), 0 when blank or not found.
uint32_t itemOf(const importing::SourceRow& row, importing::StockSearch& search) {
    const std::string code = importing::upperCase(row.trimmed("KODE_ITEM"));
    return code.empty() ? 0 : search.idByCode(code);
}

// Runs the template's rows into the target when the template is open, then closes the target.
void importInto(TemplateRun& run, const char* alias, const char* target,
                const std::function<bool(const importing::SourceRow&, importing::FieldWriter&)>& rule) {
    if (!run.templateOpen(alias)) return;
    importing::FieldWriter fields(target);
    run.forEachRow(alias, [&](const importing::SourceRow& row) { return rule(row, fields); });
    xbase::workAreas().close(target);
}

}  // namespace

void importItemInformation(TemplateRun& run, importing::StockSearch& search) {
    importInto(run, "ITMINF", "S_STKINF", [&](const importing::SourceRow& row, importing::FieldWriter& info) {
        if (importing::isBlank(row.text("INFO_1"))) return false;
        const uint32_t item = itemOf(row, search);
        if (item == 0) return false;
        run.appendTo("S_STKINF");
        info.put("STOCK_ID", Value(item));
        for (const char* column : {"INFO_1", "INFO_2", "INFO_3", "INFO_4"}) info.put(column, Value(row.text(column)));
        return true;
    });
}

void importItemNames(TemplateRun& run, importing::StockSearch& search) {
    importInto(run, "ITMNAM", "S_STKNAM", [&](const importing::SourceRow& row, importing::FieldWriter& name) {
        if (importing::isBlank(row.text("NAMA"))) return false;
        const uint32_t item = itemOf(row, search);
        if (item == 0) return false;
        run.appendTo("S_STKNAM");
        name.put("STOCK_ID", Value(item));
        name.put("NAMA", Value(row.text("NAMA")));
        return true;
    });
}

bool takesGroupPriceRow(const importing::SourceRow& row) { return !row.code("KODE_GRP").empty(); }

importing::SourceFeeds groupPriceFeeds() {
    importing::SourceFeeds feeds{"STKHJL", takesGroupPriceRow, {}};
    addSellingPriceFeeds(feeds.feeds, "S_STKHJL");
    return feeds;
}

void importGroupPrices(TemplateRun& run, importing::StockSearch& search) {
    importInto(run, "STKHJL", "S_STKHJL", [&](const importing::SourceRow& row, importing::FieldWriter& prices) {
                   if (!takesGroupPriceRow(row)) return false;
                   const std::string group = row.code("KODE_GRP");
                   const uint32_t item = itemOf(row, search);
                   const uint32_t priceGroup = run.priceGroups.find(group);
                   if (item == 0 || priceGroup == 0) return false;
                   run.appendTo("S_STKHJL");
                   prices.put("STOCK_ID", Value(item));
                   prices.put("GRPHJL_ID", Value(priceGroup));
                   writeSellingPrices(row, prices);
                   return true;
               });
}

}  // namespace tarvo::templates
