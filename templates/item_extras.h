#pragma once
// The templates that add to items already imported, each found by its first code (KODE_ITEM):
// extra information lines, alias names and prices per selling-price group. Each runs only when
// its template is open and then commits and closes its target table; rows whose item (or price
// group) is not found are skipped.

#include "templates/template_run.h"
#include "importing/stock_search.h"
#include "importing/value_feeds.h"

namespace tarvo::templates {

// ITMINF -> S_STKINF: rows with KODE_ITEM and INFO_1.
void importItemInformation(TemplateRun& run, importing::StockSearch& search);
// ITMNAM -> S_STKNAM: rows with KODE_ITEM and NAMA.
void importItemNames(TemplateRun& run, importing::StockSearch& search);
// STKHJL -> S_STKHJL: rows with KODE_ITEM and a KODE_GRP of the imported selling-price groups.
void importGroupPrices(TemplateRun& run, importing::StockSearch& search);
// The selling prices the STKHJL rows with a KODE_GRP give to S_STKHJL, for the checks before the
// shop is touched.
importing::SourceFeeds groupPriceFeeds();

}  // namespace tarvo::templates
