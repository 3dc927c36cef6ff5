#pragma once
// What an import did, as text for the user: records written per retail table, rows skipped
// per template, the duplicates and REJECT.TXT, tables left incomplete, the backup or dry run.
// The command line prints it in English, the window shows it in Indonesian.

#include <string>

#include "importing/import_command.h"

namespace tarvo::importing {

enum class SummaryLanguage { English, Indonesian };

std::string importSummary(const ImportOutcome& outcome, SummaryLanguage language);

}  // namespace tarvo::importing
