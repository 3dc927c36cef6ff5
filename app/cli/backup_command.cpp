// "restore" and "backups": the backups taken before every import, listed and put back.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/command_outcome.h"
#include "app/cli/terminal_interaction.h"
#include "retaildb/retail_database.h"
#include "safety/restore.h"

namespace tarvo::cli {

namespace {

struct RestoreArguments {
    std::string folder;
    std::string stamp;
    bool answerYes = false;
    OutcomeOptions outcome;
};

int restore(const RestoreArguments& arguments) {
    TerminalInteraction terminal(arguments.answerYes, arguments.outcome.quiet);
    ui::setInteraction(&terminal);
    const std::string database = retaildb::LOKASIDATAEX(nullptr, arguments.folder);
    safety::RestoreReport report;
    const bool done = !database.empty() && safety::restoreDatabase(nullptr, database, arguments.stamp, true, &report);
    ui::setInteraction(nullptr);
    CommandOutcome outcome;
    outcome.command = "restore";
    outcome.status = done ? "done" : "refused";
    outcome.exitStatus = done ? 0 : 1;
    outcome.messages = terminal.messages();
    outcome.details["database"] = database.empty() ? arguments.folder : database;
    if (!report.stamp.empty()) outcome.details["backup"] = report.stamp;
    outcome.details["replaced"] = report.replaced;
    outcome.details["removed"] = report.removed;
    if (!done && report.replaced.empty() && report.removed.empty())
        std::fprintf(stderr, "Nothing was restored.\n");
    else if (!done)
        std::fprintf(stderr, "Restore stopped halfway: %zu files replaced, %zu removed; run it again to finish.\n",
                     report.replaced.size(), report.removed.size());
    else if (!arguments.outcome.quiet)
        std::fprintf(arguments.outcome.humanOutput(), "Restored %s from its backup %s: %zu files replaced, %zu removed\n",
                     database.c_str(), report.stamp.c_str(), report.replaced.size(), report.removed.size());
    return finish(arguments.outcome, outcome);
}

int listBackups(const std::string& folder) {
    TerminalInteraction terminal(true);
    ui::setInteraction(&terminal);
    const std::string database = retaildb::LOKASIDATAEX(nullptr, folder);
    ui::setInteraction(nullptr);
    if (database.empty()) return 1;
    const std::vector<safety::Backup> backups = safety::listBackups(database);
    if (backups.empty()) {
        std::printf("No backups in %s\n", safety::backupRoot(database).c_str());
        return 0;
    }
    std::printf("Backups in %s (newest first):\n", safety::backupRoot(database).c_str());
    for (const safety::Backup& b : backups) {
        const safety::BackupListing listing = safety::backupListing(database, b);
        if (!b.problem.empty()) {
            std::printf("  %-18s %s\n", b.stamp.c_str(), listing.state.c_str());
            continue;
        }
        const std::string& restore = b.manifest.restore;
        const std::string note = restore.empty() ? "" : "  (" + restore + ")";
        std::printf("  %-18s %s  %-20s %10s  %s%s\n", b.stamp.c_str(), listing.taken.c_str(), listing.state.c_str(),
                    listing.size.c_str(), listing.madeBy.c_str(), note.c_str());
    }
    return 0;
}

void addRestoreCommand(CommandLine& cli) {
    CLI::App& command = cli.add("restore", "Puts a backup taken before an import back (by default the one from before the last import and any unfinished one it followed)");
    auto arguments = std::make_shared<RestoreArguments>();
    command.add_option("--db", arguments->folder, "The retail database folder (the one that holds ST_DB)")
        ->transform(absolutePath())
        ->type_name("FOLDER")->required();
    command.add_option("--backup", arguments->stamp, "The backup to put back, as `backups` lists it")
        ->type_name("STAMP");
    command.add_flag("--yes", arguments->answerYes, "Restores without asking first");
    addOutcomeOptions(command, arguments->outcome);
    cli.onRun(command, [arguments] { return restore(*arguments); });
}

void addBackupsCommand(CommandLine& cli) {
    CLI::App& command = cli.add("backups", "Lists the backups taken before each import or repair, newest first: when, "
                                           "state, size and what took them");
    auto folder = std::make_shared<std::string>();
    command.add_option("--db", *folder, "The retail database folder (the one that holds ST_DB)")
        ->transform(absolutePath())
        ->type_name("FOLDER")->required();
    cli.onRun(command, [folder] { return listBackups(*folder); });
}

const CommandRegistration restoreRegistration("restore", addRestoreCommand);
const CommandRegistration backupsRegistration("backups", addBackupsCommand);

}  // namespace

}  // namespace tarvo::cli
