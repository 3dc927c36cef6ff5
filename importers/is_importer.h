#pragma once
// BUTTONIMPORT22: the master data of "IS/Integrated System" from its .DTA tables GOL (item
// groups), STOCK (items with up to three units and the stock of six warehouses), SUPP (suppliers)
// and, when present, CUST (customers).

#include <memory>

#include "importing/import_command.h"

namespace tarvo::importers {

std::unique_ptr<importing::ImportSource> BUTTONIMPORT22();

}  // namespace tarvo::importers
