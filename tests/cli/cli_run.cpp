#include "tests/cli/cli_run.h"

#include <sys/wait.h>

#include <cstdio>

namespace tarvo::cli {

CliRun runCli(const std::string& arguments) { return runProgram(TARVO_CLI, arguments); }

CliRun runProgram(const std::string& program, const std::string& arguments) {
    const std::string command = program + " " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return {-1, "cannot run " + command};
    std::string output;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, n);
    const int status = pclose(pipe);
    return {WEXITSTATUS(status), output};
}

}  // namespace tarvo::cli
