#pragma once
// BUTTONIMPORT2: the importer of the other application chosen in IMPORT2LIST.

#include <memory>

#include "templates/import_command.h"

namespace tarvo::importers {

// Values of the IMPORT2LIST entries.
enum Application { kLindraMakmur = 1, kIntegratedSystem = 2, kIas = 3, kIpos = 4 };

// The importer of the entry's value; nullptr for a value without one.
std::unique_ptr<templates::ImportSource> BUTTONIMPORT2(int import2Value);

}  // namespace tarvo::importers
