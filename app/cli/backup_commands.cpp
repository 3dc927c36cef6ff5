// "restore" and "backups": the backups taken before every import, listed and put back.

#include <cstdio>
#include <string>

#include "app/cli/commands.h"
#include "app/cli/terminal_interaction.h"
#include "retaildb/retail_database.h"
#include "safety/restore.h"

namespace tarvo::cli {

namespace {

constexpr const char* kRestoreUsage = "usage: tarvo-import-cli restore --db FOLDER [--backup STAMP] [--yes]\n";
constexpr const char* kBackupsUsage = "usage: tarvo-import-cli backups --db FOLDER\n";

std::string megabytes(uint64_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MB", static_cast<double>(bytes) / (1 << 20));
    return text;
}

}  // namespace

int restoreCommand(const Arguments& args) {
    std::string folder, stamp;
    bool answerYes = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--yes") {
            answerYes = true;
        } else if ((args[i] == "--db" || args[i] == "--backup") && i + 1 < args.size()) {
            (args[i] == "--db" ? folder : stamp) = args[i + 1];
            ++i;
        } else {
            std::fprintf(stderr, "unexpected argument '%s'\n%s", args[i].c_str(), kRestoreUsage);
            return 2;
        }
    }
    if (folder.empty()) return std::fputs(kRestoreUsage, stderr), 2;
    TerminalInteraction terminal(answerYes);
    ui::setInteraction(&terminal);
    const std::string database = retaildb::LOKASIDATAEX(nullptr, folder);
    const bool restored = !database.empty() && safety::restoreDatabase(nullptr, database, stamp);
    ui::setInteraction(nullptr);
    if (!restored) {
        std::fprintf(stderr, "Nothing was restored.\n");
        return 1;
    }
    std::printf("Restored %s from %s\n", database.c_str(),
                safety::findBackup(database, stamp).folder.c_str());
    return 0;
}

int backupsCommand(const Arguments& args) {
    if (args.size() != 2 || args[0] != "--db") return std::fputs(kBackupsUsage, stderr), 2;
    TerminalInteraction terminal(true);
    ui::setInteraction(&terminal);
    const std::string database = retaildb::LOKASIDATAEX(nullptr, args[1]);
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
        if (m.interrupted()) state = m.restore == "restoring" ? "restore interrupted" : "interrupted";
        std::printf("  %-18s %-20s %s  %10s  %zu files%s%s\n", b.stamp.c_str(), state.c_str(), m.started.c_str(),
                    megabytes(m.totalSize()).c_str(), m.files.size(), m.restore.empty() ? "" : ", ",
                    m.restore.c_str());
    }
    return 0;
}

}  // namespace tarvo::cli
