#include "tests/cli/cli_run.h"

#include <sys/wait.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tarvo::cli {

CliRun runCli(const std::string& arguments) { return runProgram(TARVO_CLI, arguments); }

CliRun runCliWith(const std::string& environment, const std::string& arguments) {
    return runProgram("env " + environment + " " + std::string(TARVO_CLI), arguments);
}

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

CliStreams runCliApart(const std::string& environment, const std::string& arguments) {
    char errorFile[] = "/tmp/tarvo-cli-stderr-XXXXXX";
    const int fd = mkstemp(errorFile);
    if (fd < 0) return {-1, "", "cannot make a file for standard error"};
    close(fd);
    const std::string command =
        "env " + environment + " " + std::string(TARVO_CLI) + " " + arguments + " 2>" + errorFile;
    CliStreams run{-1, "", ""};
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
        run.status = WEXITSTATUS(pclose(pipe));
    }
    std::ostringstream err;
    err << std::ifstream(errorFile).rdbuf();
    run.err = err.str();
    unlink(errorFile);
    return run;
}

BackgroundCli startCli(const std::string& environment, const std::string& arguments, const std::string& outputFile) {
    const std::string command = "exec env " + environment + " " + std::string(TARVO_CLI) + " " + arguments + " > " +
                                outputFile + " 2>&1";
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/bin/sh", "sh", "-c", command.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    return {pid, outputFile};
}

CliRun waitCli(const BackgroundCli& run) {
    int status = 0;
    waitpid(run.pid, &status, 0);
    std::ostringstream output;
    output << std::ifstream(run.outputFile).rdbuf();
    return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), output.str()};
}

}  // namespace tarvo::cli
