#pragma once
// The source applications of IMPORT2LIST, described once: the window builds its list and its
// driver preset from them, the command line its --from names, and BUTTONIMPORT2 its importer.

#include <memory>
#include <string_view>
#include <vector>

#include "importers/ipos/ipos_import.h"
#include "importing/import_command.h"
#include "xbase/table.h"

namespace tarvo::importers {

// Values of the IMPORT2LIST entries.
enum Application { kLindraMakmur = 1, kIntegratedSystem = 2, kIas = 3, kIpos = 4 };

struct SourceApplication {
    Application value;
    std::string_view windowText;  // the entry's text in IMPORT2LIST
    std::string_view cliName;     // the name --from takes
    xbase::Driver presetDriver;   // the table driver that choosing the entry presets (CHECKDRIVER)
    // The importer; the iPOS importer takes the choices of its check boxes, the others ignore them.
    std::unique_ptr<importing::ImportSource> (*makeImporter)(const ipos::IposChoices& iposChoices);
};

// Every source application, in the order of their values.
const std::vector<SourceApplication>& sourceApplications();

// The application of an IMPORT2LIST value or a --from name; nullptr for none.
const SourceApplication* sourceApplication(int import2Value);
const SourceApplication* sourceApplicationNamed(std::string_view cliName);

// BUTTONIMPORT2: the importer of the entry's value; nullptr for a value without one.
std::unique_ptr<importing::ImportSource> BUTTONIMPORT2(int import2Value, const ipos::IposChoices& iposChoices = {});

}  // namespace tarvo::importers
