#pragma once
// The master-data templates: salesmen, selling-price groups, regions, vendors, customer groups,
// customers and their extra information. Each function imports its template(s) when open, fills
// the run's code lists for the templates after it, closes its target table and records the
// table's last identifier in S_TABLID; an absent template leaves its target and identifier row
// untouched and its code list empty.

#include "importing/field_writer.h"
#include "importing/value_feeds.h"
#include "templates/template_run.h"

namespace tarvo::templates {

// SALES -> S_KARYAW.
void importSales(TemplateRun& run);
// GRPHJL -> S_GRPHJL.
void importPriceGroups(TemplateRun& run);
// DAERAH -> S_DAERAH, then DAERA2 -> S_DAERA2 when DAERAH is there.
void importRegions(TemplateRun& run);
// VENDOR -> S_VENDOR.
void importVendors(TemplateRun& run);
// Where the numbers of the vendor template go, for the value checks.
importing::SourceFeeds vendorFeeds();
// GRPPEL -> S_GRPPEL and GRPPE2 -> S_GRPPE2, only with a customer template.
void importCustomerGroups(TemplateRun& run);
// PELANG -> S_PELANG.
void importCustomers(TemplateRun& run);
// Where the numbers of the customer template go, for the value checks.
importing::SourceFeeds customerFeeds();
// PELEXT -> S_PELEXT, only with a customer template.
void importCustomerExtras(TemplateRun& run);

// The fields vendors and customers share: DIVISI_ID from DIVISI (0 without it), NEGARA 1, the
// phones and contacts, MU_CREDIT (the column when present and not zero, else 1: the local
// currency), PPN_TIPE 0 and USER_LVL with every one of the thirty user levels allowed.
void putPartnerFields(importing::FieldWriter& record, const importing::SourceRow& row);

// All of the above in the import's processing order: salesmen, price groups, regions, vendors,
// then customer groups, customers and their extra information.
void importMasterData(TemplateRun& run);

}  // namespace tarvo::templates
