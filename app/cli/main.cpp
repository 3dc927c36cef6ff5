// tarvo-import-cli: the command-line front end for support and scripted work. Its commands
// register themselves (command_line.h); this only fixes the run-time settings and runs them.

#include "app/cli/command_line.h"
#include "xbase/settings.h"

int main(int argc, char** argv) {
    tarvo::xbase::applyStartupSettings();
    tarvo::cli::CommandLine commandLine;
    return commandLine.run(argc, argv);
}
