#pragma once
// Making the folder of the templates: every missing folder along an absolute path, with an error
// box for each folder that cannot be made and, when the caller allows retrying, the question
// whether to try that folder again.

#include <string>

#include "ui/user_interaction.h"

namespace tarvo::templatetools {

// True when the folder exists already; otherwise the result of VODIRMAKE.
bool DIRMAKE_NOEXIST(ui::Owner owner, const std::string& path, bool retry);

// Creates every missing folder along an absolute path (one trailing separator is ignored). True
// when the whole path exists afterwards. A folder that cannot be made shows "[VODirMake] Failed
// creating directory <folder> !"; with retry the user is then asked whether to try again, and
// declining returns false. A relative path is refused with that box at once.
bool VODIRMAKE(ui::Owner owner, const std::string& path, bool retry);

// The folder text of the main window made ready for "Create": trimmed, refused when empty or a
// network path (their boxes shown), given a trailing separator, and made with all its missing
// parents (retrying as the user wishes). Empty when refused; a folder that could not be made is
// still returned, as the information window opens on it all the same.
std::string createImportFolder(ui::Owner owner, const std::string& text, bool retry);

}  // namespace tarvo::templatetools
