#pragma once
// The version of the tool and the window title built from it.

#include <string>
#include <string_view>

#include "app/core/version_number.h"

namespace tarvo::app {

// The version number, "YYYY.MM.DD" ("2024.07.08").
const std::string& versionText();

// "Tarvo-Import " and the version text; also the key of the single-instance check.
const std::string& windowTitle();

}  // namespace tarvo::app
