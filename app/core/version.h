#pragma once
// The version of the tool and the window title built from it.

#include <string>
#include <string_view>

namespace tarvo::app {

// Year, month and day of the release, eight digits.
inline constexpr std::string_view kVersionLiteral = "20240708";

// The literal as "YYYY.MM.DD" ("2024.07.08").
const std::string& versionText();

// "Tarvo-Import " and the version text; also the key of the single-instance check.
const std::string& windowTitle();

}  // namespace tarvo::app
