#pragma once
// The duplicate rule of the iPOS item import.

#include <cstdint>
#include <string>

#include "importing/import_run.h"
#include "importing/stock_search.h"

namespace tarvo::importers::ipos {

// Whether the item is refused as a duplicate: unless codes may repeat, its code in any of the code
// tags KODE ... KODE_5; unless names may repeat, its name taken twice over. An item whose name
// alone is taken is renamed to the name, a blank and the code, and only when that name is taken
// too is it a name duplicate (listed under the longer name). name is left as the item is to be
// imported. rowNumber is the item's row in TBLItem.
bool isDuplicateIposItem(importing::ImportRun& run, importing::StockSearch& search, const std::string& code,
                         std::string& name, uint32_t rowNumber);

}  // namespace tarvo::importers::ipos
