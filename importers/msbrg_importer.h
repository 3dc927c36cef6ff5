#pragma once
// BUTTONIMPORT21: the master data of "Lindra Makmur - Tg. Batu" from MSBRG.DBF (items with up to
// three further packing levels and two stock places), MSCUS.DBF (customers), MSSUP.DBF (suppliers)
// and SALES.DBF (salesmen).

#include <memory>

#include "importing/import_command.h"

namespace tarvo::importers {

std::unique_ptr<importing::ImportSource> BUTTONIMPORT21();

}  // namespace tarvo::importers
