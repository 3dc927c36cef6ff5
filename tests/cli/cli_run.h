#pragma once
// Runs tarvo-import-cli as a user runs it, through the shell, and collects what it prints.

#include <ostream>
#include <string>

namespace tarvo::cli {

struct CliRun {
    int status;
    std::string output;  // standard output and error, interleaved as written

    bool operator==(const CliRun&) const = default;
};

inline void PrintTo(const CliRun& run, std::ostream* out) { *out << "status " << run.status << ", output:\n" << run.output; }

// The arguments go to the shell as they are (quoting and redirections included).
CliRun runCli(const std::string& arguments);
// The same with another copy of the program (one installed, or copied to a folder of its own).
CliRun runProgram(const std::string& program, const std::string& arguments);
// The same with environment settings ("NAME='value' ...") for the program.
CliRun runCliWith(const std::string& environment, const std::string& arguments);

// A run with its standard output and standard error kept apart.
struct CliStreams {
    int status;
    std::string out;
    std::string err;
};
inline void PrintTo(const CliStreams& run, std::ostream* out) {
    *out << "status " << run.status << ", stdout:\n" << run.out << "\nstderr:\n" << run.err;
}
// The arguments go to the shell as they are; `environment` ("NAME='value' ...") may be empty.
CliStreams runCliApart(const std::string& environment, const std::string& arguments);

// A run in the background, its output into a file: started, then waited for.
struct BackgroundCli {
    int pid = -1;
    std::string outputFile;
};
BackgroundCli startCli(const std::string& environment, const std::string& arguments, const std::string& outputFile);
CliRun waitCli(const BackgroundCli& run);

}  // namespace tarvo::cli
