#pragma once
// "The program ends" during an import, held back until the shop is put back: while a
// DeferredProgramEnd lives, the end of the program throws ProgramEndDuringImport instead, which
// the import handles like any other failure (the backup goes back, a dry run's scratch copy is
// removed); then endNow() ends the program as it would have ended.

#include <optional>
#include <stdexcept>
#include <string>

#include "retaildb/program_end.h"

namespace tarvo::importing {

class ProgramEndDuringImport : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class DeferredProgramEnd {
public:
    DeferredProgramEnd();
    ~DeferredProgramEnd();  // the handler found is installed again
    DeferredProgramEnd(const DeferredProgramEnd&) = delete;
    DeferredProgramEnd& operator=(const DeferredProgramEnd&) = delete;

    // Whether the program was to end meanwhile.
    bool requested() const { return reason_.has_value(); }
    // Ends the program with the first reason given, through the handler found.
    [[noreturn]] void endNow();

private:
    retaildb::ProgramEndHandler previous_;
    std::optional<std::string> reason_;
};

}  // namespace tarvo::importing
