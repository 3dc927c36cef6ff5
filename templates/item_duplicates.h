#pragma once
// The duplicate tests of the item import against the items already in S_STOCK.

#include <cstdint>

#include "templates/import_run.h"
#include "templates/item_record.h"
#include "templates/stock_search.h"

namespace tarvo::templates {

// Whether the item is refused as a duplicate. Unless codes may repeat, each code in turn (up to
// the first empty one) is searched in the code tags KODE, KODE_2 ... KODE_5; the first hit adds
// an entry with that code to the run's code duplicates. Unless names may repeat, the name with
// the first name extension is searched in the tag NAMA; a hit adds an entry with the first code
// to the name duplicates. Both tests run, so an item may be listed twice.
bool isDuplicateItem(ImportRun& run, const ItemRow& item, uint32_t templateRecno, StockSearch& search);

}  // namespace tarvo::templates
