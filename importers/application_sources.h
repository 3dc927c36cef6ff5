#pragma once
// BUTTONIMPORT2: the importer of the other application chosen in IMPORT2LIST.

#include <memory>

#include "importers/ipos/ipos_import.h"
#include "importing/import_command.h"

namespace tarvo::importers {

// Values of the IMPORT2LIST entries.
enum Application { kLindraMakmur = 1, kIntegratedSystem = 2, kIas = 3, kIpos = 4 };

// The importer of the entry's value; nullptr for a value without one. The iPOS importer (entry 4)
// takes the choices of its check boxes.
std::unique_ptr<importing::ImportSource> BUTTONIMPORT2(int import2Value, const ipos::IposChoices& iposChoices = {});

}  // namespace tarvo::importers
