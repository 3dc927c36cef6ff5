#pragma once
// The argument parser of tarvo-import-cli (CLI11) and the registry of its commands. Every
// command lives in a file of its own, app/cli/<name>_command.cpp, that adds itself to the program:
//
//     namespace {
//     void addGreetCommand(CommandLine& cli) {
//         CLI::App& command = cli.add("greet", "prints a greeting");
//         auto name = std::make_shared<std::string>();
//         command.add_option("NAME", *name, "who to greet")->required();
//         cli.onRun(command, [name] { std::printf("Hello %s\n", name->c_str()); return 0; });
//     }
//     const CommandRegistration registration("greet", addGreetCommand);
//     }  // namespace
//
// A command with subcommands of its own ("dbf info", "dbf check") takes its parent from
// group(); several files may add to the same group. `--help` and `--version` on the program and
// on every command exit 0; a usage error exits 2 with its reason and the command's usage line; an
// exception that leaves a command's action is reported as "error: ..." with exit status 1.

#include <CLI/CLI.hpp>
#include <functional>
#include <map>
#include <string>

namespace tarvo::cli {

inline constexpr int kUsageError = 2;

// Runs a parsed command and returns its exit status.
using Action = std::function<int()>;

class CommandLine {
public:
    // The program with every registered command.
    CommandLine();

    // A new command of the program.
    CLI::App& add(const std::string& name, const std::string& description);
    // A command that only groups subcommands; created on first use, the description given by
    // whichever caller passes one.
    CLI::App& group(const std::string& name, const std::string& description = {});
    // What runs when `command` is the one chosen on the command line.
    void onRun(CLI::App& command, Action action);

    // Parses the arguments and runs the chosen command; returns the exit status.
    int run(int argc, const char* const* argv);

    const CLI::App& program() const { return app_; }

private:
    CLI::App app_;
    std::map<const CLI::App*, Action> actions_;
};

// A check of an option's value: `reason` says why a value is refused, empty when it is accepted.
// The usage error then reads "--option: reason".
CLI::Validator validator(std::function<std::string(const std::string&)> reason);

// Makes a file or folder argument absolute against the working folder, as the user meant it: the
// layers below may refuse relative names (the template writer does) or change folders.
CLI::Validator absolutePath();

using CommandBuilder = void (*)(CommandLine&);

// Registers a command's builder at start-up (a file-scope constant in the command's file).
// Builders run in the order of their names, which is the order of the commands in the help.
struct CommandRegistration {
    CommandRegistration(const char* name, CommandBuilder build);
};

// The full name of a command as typed: "tarvo-import-cli dbf info".
std::string commandPath(const CLI::App& command);

}  // namespace tarvo::cli
