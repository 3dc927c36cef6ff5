#pragma once
// Vendor and customer references of the item and opening-balance templates: by name, or by code
// when the row gives a code and the vendor (customer) template had a code column.

#include <cstdint>

#include "templates/import_run.h"

namespace tarvo::templates {

// NAMA_VEN in the vendor names (0 without the column); then, when KODE_VEN exists and is not
// blank and vendor codes were collected, KODE_VEN's position in the vendor codes instead.
uint32_t vendorReference(const ImportRun& run, const TemplateRow& row);

// The same for customers, with NAMA_PEL and KODE_PEL.
uint32_t customerReference(const ImportRun& run, const TemplateRow& row);

}  // namespace tarvo::templates
