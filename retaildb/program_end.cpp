#include "retaildb/program_end.h"

#include <cstdio>
#include <cstdlib>

#include "xbase/work_areas.h"

namespace tarvo::retaildb {

namespace {
ProgramEndHandler installed;

[[noreturn]] void closeAndExit(const std::string& reason) {
    std::fprintf(stderr, "Program ended: %s\n", reason.c_str());
    xbase::workAreas().closeAll();
    std::exit(1);
}
}  // namespace

void endProgram(const std::string& reason) {
    if (installed) installed(reason);
    closeAndExit(reason);
}

void setProgramEndHandler(ProgramEndHandler handler) { installed = std::move(handler); }

const ProgramEndHandler& programEndHandler() { return installed; }

}  // namespace tarvo::retaildb
