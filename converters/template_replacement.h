#pragma once
// Templates the report converter is about to replace: the user is asked first for every one that
// holds records, and each one that exists is kept beside it as NAME.bak (its memo and index files
// too), so that a conversion started by mistake can be undone by hand.

#include <string>
#include <vector>

#include "ui/user_interaction.h"

namespace tarvo::converters {

// Asks "<file> sudah ada dan berisi N record. Ganti?" for every template of the folder (ending in
// the separator) that holds records, then copies each existing template file to NAME.bak,
// replacing an older copy (each copy written beside it and renamed over it). False, with nothing changed, when the user answers No; false after an
// error box when a copy fails.
bool keepReplacedTemplates(ui::Owner owner, const std::string& folder, const std::vector<std::string>& names);

}  // namespace tarvo::converters
