#pragma once
// References from one template's row to the records another template made: a code looked up in
// a code list; vendors and customers by name, or by code when the row gives a code and the vendor
// (customer) template had a code column.

#include <cstdint>
#include <string>

#include "templates/template_run.h"

namespace tarvo::templates {

// Position of the column's normalised value in the list; 0 when the template lacks the column,
// the value is blank or not in the list.
uint32_t codeReference(const importing::CodeList& list, const importing::SourceRow& row, const std::string& column);

// NAMA_VEN in the vendor names (0 without the column); then, when KODE_VEN exists and is not
// blank and vendor codes were collected, KODE_VEN's position in the vendor codes instead.
uint32_t vendorReference(const TemplateRun& run, const importing::SourceRow& row);

// The same for customers, with NAMA_PEL and KODE_PEL.
uint32_t customerReference(const TemplateRun& run, const importing::SourceRow& row);

}  // namespace tarvo::templates
