#pragma once
// The structure check of the opened templates against their layouts, before anything is
// written: wrong types, missing mandatory columns and over-wide hard-width columns refuse the
// import; other over-wide character columns are collected in CFIELDOVER.

#include <string>
#include <vector>

#include "templates/template_run.h"
#include "templates/template_layouts.h"

namespace tarvo::templates {

// Empties run.CFIELDOVER and checks every open template in the check order, each one even
// after another has failed (every failing template shows its own error box). True when all
// passed.
bool BUTTONIMPORT1PRE(TemplateRun& run);

// Checks one template against its structure list; true when it passed or is not open, false
// after the error box of its first fatal finding.
bool BUTTONIMPORT1PREEX(TemplateRun& run, const std::string& alias, const std::vector<DBSTRUCTTABLE>& list);

// The warning box listing the over-wide columns, when the check collected any.
void showOverWidthWarning(const TemplateRun& run);

}  // namespace tarvo::templates
