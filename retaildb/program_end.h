#pragma once
// Ending the program after an integrity failure (a missing field, an index that contradicts
// its data, a file that resists deletion).

#include <functional>
#include <string>

namespace tarvo::retaildb {

// Called with the reason; must not return (it exits the process or, in tests, throws).
using ProgramEndHandler = std::function<void(const std::string& reason)>;

// Runs the installed handler. The default commits and closes every work area and exits
// the process with status 1.
[[noreturn]] void endProgram(const std::string& reason);
// Installs a handler; an empty one restores the default.
void setProgramEndHandler(ProgramEndHandler handler);
// The handler installed now; empty for the default.
const ProgramEndHandler& programEndHandler();

}  // namespace tarvo::retaildb
