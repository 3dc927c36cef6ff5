#pragma once
// Runs tarvo-import-cli as a user runs it, through the shell, and collects what it prints.

#include <string>

namespace tarvo::cli {

struct CliRun {
    int status;
    std::string output;  // standard output and error, interleaved as written
};

// The arguments go to the shell as they are (quoting and redirections included).
CliRun runCli(const std::string& arguments);

}  // namespace tarvo::cli
