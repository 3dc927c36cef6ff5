#pragma once
// SIGINT and SIGTERM during an import: instead of ending the process, they request the stop of
// the import (ui/stop_request.h), which then puts the shop back. Held for the run; the default
// handling comes back afterwards. SIGKILL cannot be caught and still ends the process at once.

#include <csignal>

namespace tarvo::cli {

class StopSignals {
public:
    StopSignals();
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    // The first signal caught, 0 when none was.
    int caught() const;

private:
    struct sigaction previousInterrupt_ {};
    struct sigaction previousTerminate_ {};
};

}  // namespace tarvo::cli
