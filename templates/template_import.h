#pragma once
// The template import as the import command runs it: the templates of the import folder opened
// and checked before the preparation of the retail database, then imported in their processing
// order.

#include <memory>

#include "importing/import_command.h"
#include "templates/template_run.h"

namespace tarvo::templates {

// The templates of the import folder as the source of the import command (BUTTONIMPORT1).
std::unique_ptr<importing::ImportSource> templateSource();

// The import command with the template source.
importing::ImportOutcome runTemplateImport(ui::Owner owner, const importing::ImportRequest& request);

// The import itself on a prepared database with its templates open and checked (steps after
// the structure check): run stamps, day-closing settings, every template in processing order.
// Returns false when it stopped with a message.
bool BUTTONIMPORT1(TemplateRun& run);

}  // namespace tarvo::templates
