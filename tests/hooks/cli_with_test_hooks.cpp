// The command line as the test suite runs it: the shipped program with the faults of its
// environment installed (test_hooks.h).

#include "app/cli/command_line.h"
#include "tests/hooks/test_hooks.h"
#include "xbase/settings.h"

int main(int argc, char** argv) {
    tarvo::xbase::applyStartupSettings();
    tarvo::test::installTestHooksFromEnvironment();
    tarvo::cli::CommandLine commandLine;
    return commandLine.run(argc, argv);
}
