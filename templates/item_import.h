#pragma once
// The item side of the template import: the three item groupings, the items with their units,
// duplicate tests and opening stock, the templates that add to items, then the item links and the
// unit sets.

#include "templates/template_run.h"

namespace tarvo::templates {

// GRPSTK, GRPST2 (with GRPSTK) and GRPST3 (with both) into S_GRPSTK, S_GRPST2, S_GRPST3; ITEM
// into S_STOCK with the opening stock in the run's stock mode, the duplicates refused into the
// run's lists; ITMINF, ITMNAM, STKHJL; then S_PEMBED is closed, the links go to S_STKEOU,
// S_STOCK is closed and the unit sets go to S_SATUAN. The vendor and price-group code lists
// must be filled, and the retail tables open.
void importItems(TemplateRun& run);

}  // namespace tarvo::templates
