#pragma once
// Opening the templates of the import folder before anything is written: ITEM.DBF must exist,
// leftover index files are deleted, and every template whose file exists is opened under its
// name as alias, exclusive and writable, through the driver chosen for templates.

#include <string>

#include "templates/template_run.h"

namespace tarvo::templates {

// Whether NAME.DBF is in the import folder (the name matched ignoring case).
bool templateFileExists(const TemplateRun& run, const std::string& name);

// Checks for ITEM.DBF, deletes the leftover index files and opens the templates in order
// (DAERA2 only with DAERAH.DBF; GRPPEL, GRPPE2 and PELEXT only with PELANG.DBF). False after
// the message of the first failure; the templates opened before it stay open.
bool openTemplates(TemplateRun& run);

}  // namespace tarvo::templates
