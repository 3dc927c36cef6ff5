// "restore" and "backups": the backups taken before every import, listed and put back.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/terminal_interaction.h"
#include "retaildb/retail_database.h"
#include "safety/restore.h"

namespace tarvo::cli {

namespace {

std::string megabytes(uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1 << 20));
    return text;
}

struct RestoreArguments {
    std::string folder;
    std::string stamp;
    bool answerYes = false;
};

int restore(const RestoreArguments& arguments) {
    TerminalInteraction terminal(arguments.answerYes);
    ui::setInteraction(&terminal);
    const std::string database = retaildb::LOKASIDATAEX(nullptr, arguments.folder);
    safety::RestoreReport report;
    const bool done = !database.empty() && safety::restoreDatabase(nullptr, database, arguments.stamp, true, &report);
    ui::setInteraction(nullptr);
    if (!done && report.replaced.empty() && report.removed.empty()) {
        std::fprintf(stderr, "Nothing was restored.\n");
        return 1;
    }
    if (!done) {
        std::fprintf(stderr, "Restore stopped halfway: %zu files replaced, %zu removed; run it again to finish.\n",
                     report.replaced.size(), report.removed.size());
        return 1;
    }
    std::printf("Restored %s from its backup %s: %zu files replaced, %zu removed\n", database.c_str(),
                report.stamp.c_str(), report.replaced.size(), report.removed.size());
    return 0;
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
        if (!b.problem.empty()) {
            std::printf("  %-18s unusable: %s\n", b.stamp.c_str(), b.problem.c_str());
            continue;
        }
        const safety::Manifest& m = b.manifest;
        std::string state = m.state;
        if (m.interrupted())
            state = m.restore == "restoring"            ? "restore interrupted"
                    : safety::importRunning(database, b) ? "running"
                                                         : "interrupted";
        std::printf("  %-18s %-20s %s  %10s  %zu files%s%s\n", b.stamp.c_str(), state.c_str(), m.started.c_str(),
                    megabytes(m.totalSize()).c_str(), m.files.size(), m.restore.empty() ? "" : ", ",
                    m.restore.c_str());
    }
    return 0;
}

void addRestoreCommand(CommandLine& cli) {
    CLI::App& command = cli.add("restore", "Puts a backup taken before an import back (by default the one from before the last import and any unfinished one it followed)");
    auto arguments = std::make_shared<RestoreArguments>();
    command.add_option("--db", arguments->folder, "The retail database folder (the one that holds ST_DB)")
        ->type_name("FOLDER")->required();
    command.add_option("--backup", arguments->stamp, "The backup to put back, as `backups` lists it")
        ->type_name("STAMP");
    command.add_flag("--yes", arguments->answerYes, "Restores without asking first");
    cli.onRun(command, [arguments] { return restore(*arguments); });
}

void addBackupsCommand(CommandLine& cli) {
    CLI::App& command = cli.add("backups", "Lists the backups taken before each import, newest first");
    auto folder = std::make_shared<std::string>();
    command.add_option("--db", *folder, "The retail database folder (the one that holds ST_DB)")
        ->type_name("FOLDER")->required();
    cli.onRun(command, [folder] { return listBackups(*folder); });
}

const CommandRegistration restoreRegistration("restore", addRestoreCommand);
const CommandRegistration backupsRegistration("backups", addBackupsCommand);

}  // namespace

}  // namespace tarvo::cli
