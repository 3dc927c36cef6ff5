#pragma once
// The template import's own opening balances: the control settings with the point date, and the
// opening payables (PEMBEL) and receivables (PENJUA).

#include "importing/value_feeds.h"
#include "templates/template_run.h"

namespace tarvo::templates {

// The template import's control settings: the day-closing settings and, with a point date in the
// options, TUTUP_HIT1: the date scrambled as the retail application reads it.
bool writeTemplateControlSettings(TemplateRun& run);

// The numbers the PEMBEL and PENJUA rows give to S_PEMBEL and S_PENJUA, for the checks before the
// shop is touched.
importing::SourceFeeds payablesFeeds();
importing::SourceFeeds receivablesFeeds();

// PEMBEL -> S_PEMBEL: one opening payable per row with an invoice number. Then the record count
// goes to the identifier row of S_PEMBEL, which is committed and closed.
void importPayables(TemplateRun& run);

// PENJUA -> S_PENJUA: one opening receivable per row with an invoice number (text or number).
// Then the record count goes to the identifier row of S_PENJUA, which is committed and closed.
void importReceivables(TemplateRun& run);

}  // namespace tarvo::templates
