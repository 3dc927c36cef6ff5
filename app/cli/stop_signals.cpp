#include "app/cli/stop_signals.h"

#include "ui/stop_request.h"

namespace tarvo::cli {

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

void requestStop(int signal) {
    if (caughtSignal == 0) caughtSignal = signal;
    ui::requestStop();
}

}  // namespace

StopSignals::StopSignals() {
    caughtSignal = 0;
    struct sigaction action {};
    action.sa_handler = requestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a question waiting on the terminal returns, and is read as No.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, &previousInterrupt_);
    sigaction(SIGTERM, &action, &previousTerminate_);
}

StopSignals::~StopSignals() {
    sigaction(SIGINT, &previousInterrupt_, nullptr);
    sigaction(SIGTERM, &previousTerminate_, nullptr);
}

int StopSignals::caught() const { return caughtSignal; }

}  // namespace tarvo::cli
