#include "importing/deferred_program_end.h"

namespace tarvo::importing {

DeferredProgramEnd::DeferredProgramEnd() : previous_(retaildb::programEndHandler()) {
    retaildb::setProgramEndHandler([this](const std::string& reason) {
        if (!reason_) reason_ = reason;
        throw ProgramEndDuringImport(reason);
    });
}

DeferredProgramEnd::~DeferredProgramEnd() { retaildb::setProgramEndHandler(previous_); }

void DeferredProgramEnd::endNow() {
    retaildb::setProgramEndHandler(previous_);
    retaildb::endProgram(reason_.value_or(std::string()));
}

}  // namespace tarvo::importing
