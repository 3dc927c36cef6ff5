// The parser of every command: help, version and usage errors. The commands are found by walking
// the "Subcommands:" lists of the help texts, so a new command is covered as soon as it exists.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/cli/cli_run.h"

namespace tarvo::cli {
namespace {

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The names listed under "Subcommands:" in a help text.
std::vector<std::string> subcommandsIn(const std::string& help) {
    std::vector<std::string> names;
    std::istringstream lines(help.substr(help.find("Subcommands:") == std::string::npos ? help.size()
                                                                                        : help.find("Subcommands:")));
    std::string line;
    std::getline(lines, line);  // the heading
    while (std::getline(lines, line) && !line.empty() && line[0] == ' ') {
        std::istringstream words(line);
        std::string name;
        words >> name;
        names.push_back(name);
    }
    return names;
}

struct Command {
    std::string path;  // "dbf info"
    bool hasSubcommands;
};

// Every command and subcommand, found through their help texts.
std::vector<Command> allCommands(const std::string& path = {}) {
    std::vector<Command> commands;
    for (const std::string& name : subcommandsIn(runCli(path + " --help").output)) {
        const std::string sub = path.empty() ? name : path + " " + name;
        const std::vector<Command> below = allCommands(sub);
        commands.push_back({sub, !below.empty()});
        commands.insert(commands.end(), below.begin(), below.end());
    }
    return commands;
}

TEST(CommandLine, EveryCommandAnswersHelpWithItsOptions) {
    const std::vector<Command> commands = allCommands();
    std::string found;
    for (const Command& command : commands) found += "[" + command.path + "]";
    for (const char* known : {"[dbf]", "[dbf info]", "[dbf dump]", "[dbf check]", "[import]", "[make-retail-db]",
                              "[make-templates]"})
        EXPECT_TRUE(contains(found, known)) << known << " missing from " << found;

    for (const Command& command : commands) {
        SCOPED_TRACE(command.path);
        const CliRun help = runCli(command.path + " --help");
        EXPECT_EQ(help.status, 0) << help.output;
        EXPECT_TRUE(contains(help.output, "Usage: tarvo-import-cli " + command.path)) << help.output;
        EXPECT_TRUE(contains(help.output, "-h,--help")) << help.output;
        EXPECT_EQ(runCli(command.path + " -h").output, help.output);
        // A usage error names its reason and the command's usage, with status 2.
        const CliRun wrong = runCli(command.path + " --no-such-option");
        EXPECT_EQ(wrong.status, 2) << wrong.output;
        EXPECT_TRUE(contains(wrong.output, "error: ")) << wrong.output;
        EXPECT_TRUE(contains(wrong.output, "\nUsage: tarvo-import-cli " + command.path)) << wrong.output;
    }
}

TEST(CommandLine, ProgramHelpAndVersion) {
    const CliRun help = runCli("--help");
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(contains(help.output, "--version")) << help.output;
    const CliRun version = runCli("--version");
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.output, "Tarvo-Import 2024.07.08\n");
}

struct UsageErrorCase {
    const char* arguments;
    const char* reason;
};

void PrintTo(const UsageErrorCase& c, std::ostream* out) { *out << "'" << c.arguments << "'"; }

class UsageErrorTest : public ::testing::TestWithParam<UsageErrorCase> {};

TEST_P(UsageErrorTest, ExitsTwoWithTheReasonAndTheUsage) {
    const CliRun run = runCli(GetParam().arguments);
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_TRUE(contains(run.output, std::string("error: ") + GetParam().reason + "\nUsage: tarvo-import-cli"))
        << run.output;
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, UsageErrorTest,
    ::testing::Values(UsageErrorCase{"", "A subcommand is required"},
                      UsageErrorCase{"nonsense", "unknown command 'nonsense'"},
                      UsageErrorCase{"dbf", "A subcommand is required"},
                      UsageErrorCase{"dbf inspect X.DBF", "unknown command 'inspect'"},
                      UsageErrorCase{"dbf info", "FILE is required"},
                      UsageErrorCase{"dbf info A.DBF B.DBF", "The following argument was not expected: B.DBF"},
                      UsageErrorCase{"make-templates /tmp/x --items many", "Could not convert: --items = many"},
                      UsageErrorCase{"import --db /tmp/x", "Exactly 1 option from [--templates,--source] is required"}));

}  // namespace
}  // namespace tarvo::cli
