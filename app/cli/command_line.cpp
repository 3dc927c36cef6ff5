#include "app/cli/command_line.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <utility>
#include <vector>

#include "app/core/version.h"

namespace tarvo::cli {

namespace {

std::vector<std::pair<std::string, CommandBuilder>>& registeredBuilders() {
    static std::vector<std::pair<std::string, CommandBuilder>> builders;
    return builders;
}

// The command the parse reached: the deepest one chosen on the command line.
const CLI::App& chosenCommand(const CLI::App& program) {
    const CLI::App* command = &program;
    while (!command->get_subcommands().empty()) command = command->get_subcommands().front();
    return *command;
}

// --version after any command too: scripts ask whichever command they are about to run.
void addVersionFlags(CLI::App& parent) {
    for (CLI::App* command : parent.get_subcommands([](const CLI::App*) { return true; })) {
        command->set_version_flag("--version", app::windowTitle(), "Print the version and exit");
        addVersionFlags(*command);
    }
}

void reportUsageError(const CLI::App& command, const CLI::ParseError& error) {
    std::string reason = error.what();
    // A word where a command was required is a mistyped command, not a missing one.
    const std::vector<std::string> extras = command.remaining();
    const bool takesCommands = !command.get_subcommands([](const CLI::App*) { return true; }).empty();
    if (takesCommands && !extras.empty() && !extras.front().starts_with('-'))
        reason = "unknown command '" + extras.front() + "'";
    const std::string path = commandPath(command);
    std::string usage = CLI::Formatter().make_usage(&command, path);
    while (!usage.empty() && usage.back() == '\n') usage.pop_back();
    std::fprintf(stderr, "error: %s\n%s\nRun '%s --help' for its options.\n", reason.c_str(), usage.c_str(), path.c_str());
}

}  // namespace

CommandRegistration::CommandRegistration(const char* name, CommandBuilder build) {
    registeredBuilders().emplace_back(name, build);
}

CLI::Validator validator(std::function<std::string(const std::string&)> reason) {
    return CLI::Validator([reason = std::move(reason)](std::string& value) { return reason(value); }, "");
}

CLI::Validator absolutePath() {
    return CLI::Validator(
        [](std::string& value) {
            std::error_code ec;
            const std::filesystem::path absolute = std::filesystem::absolute(value, ec);
            // Blank and network ("\\server") names stay as typed, for the refusals that name them.
            const bool blank = value.find_first_not_of(' ') == std::string::npos;
            if (!blank && !value.starts_with('\\') && !ec) value = absolute.string();
            return std::string();
        },
        "");
}

std::string commandPath(const CLI::App& command) {
    const CLI::App* parent = command.get_parent();
    return parent ? commandPath(*parent) + " " + command.get_name() : command.get_name();
}

CommandLine::CommandLine() : app_(app::windowTitle() + ": fills a shop's retail database from templates", "tarvo-import-cli") {
    app_.set_version_flag("--version", app::windowTitle(), "Print the version and exit");
    app_.require_subcommand(1);
    app_.get_formatter()->column_width(34);
    auto builders = registeredBuilders();
    std::stable_sort(builders.begin(), builders.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [name, build] : builders) build(*this);
    addVersionFlags(app_);
}

CLI::App& CommandLine::add(const std::string& name, const std::string& description) {
    return *app_.add_subcommand(name, description);
}

CLI::App& CommandLine::group(const std::string& name, const std::string& description) {
    CLI::App* command = nullptr;
    try {
        command = app_.get_subcommand(name);
    } catch (const CLI::OptionNotFound&) {
        command = app_.add_subcommand(name);
        command->require_subcommand(1);
    }
    if (!description.empty()) command->description(description);
    return *command;
}

void CommandLine::onRun(CLI::App& command, Action action) { actions_[&command] = std::move(action); }

int CommandLine::run(int argc, const char* const* argv) {
    try {
        app_.parse(argc, argv);
    } catch (const CLI::Success& request) {  // --help or --version
        return app_.exit(request);
    } catch (const CLI::ParseError& error) {
        reportUsageError(chosenCommand(app_), error);
        return kUsageError;
    }
    const auto action = actions_.find(&chosenCommand(app_));
    if (action == actions_.end()) return kUsageError;  // every command has an action or subcommands
    try {
        return action->second();
    } catch (const CLI::ParseError& error) {  // a check across options, made by the action itself
        reportUsageError(chosenCommand(app_), error);
        return kUsageError;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "error: %s\n", error.what());
        return 1;
    }
}

}  // namespace tarvo::cli
