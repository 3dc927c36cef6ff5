#pragma once
// The check of the numbers an import will write, before the shop is touched: every row the import
// takes up from a source table is read once, and each value its feeds compute (a column as it is,
// or price times stock) is tried against the retail field it goes to, by the rule the table
// writes by.

#include <string>

#include "importing/import_run.h"
#include "ui/user_interaction.h"

namespace tarvo::importing {

enum class ValueCheck { Passed, Refused, Stopped };

// Refused after one error box that lists the values that do not fit (source, record, columns,
// value and field; the first ones when there are many, with the count of the rest); Stopped
// when a stop was requested meanwhile. The feeds' source tables are open in the run's work
// areas; the retail tables are read from the database folder and left as they are.
ValueCheck checkValues(ui::Owner owner, const std::string& databaseFolder, const ImportRun& run);

}  // namespace tarvo::importing
