#pragma once
// BUTTONIMPORT23: the master data of "IAS (Medan)" from its DBF tables GOL (item groups), WIL
// (regions), SUP (suppliers), STOCK (items with the movements of their one warehouse) and, when
// present, CUS (customers).

#include <memory>

#include "importing/import_command.h"

namespace tarvo::importers {

std::unique_ptr<importing::ImportSource> BUTTONIMPORT23();

// The columns of STOCK.DBF that may hold the minimum stock, in the order they are looked for.
inline constexpr const char* kMinimumStockColumns[] = {"MINSTOK", "MIN_STOK", "STOKMIN"};

}  // namespace tarvo::importers
