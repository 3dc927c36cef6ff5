#pragma once
// Putting a backup back: every backed-up file byte-identical in ST_DB, and the files an import
// created there that the backup did not have removed. A restore that stops halfway (a crash, a
// power cut) is simply run again and ends the same.

#include <filesystem>
#include <string>
#include <vector>

#include "safety/backups.h"
#include "ui/user_interaction.h"

namespace tarvo::safety {

// The backup with the stamp, or when the stamp is empty the one that leads back to the state
// before the newest import and every unfinished import it started over (the newest backup, or
// the one it follows); throws SafetyError when there is none or its manifest cannot be read.
Backup findBackup(const std::filesystem::path& database, const std::string& stamp);

// What a restore changed in ST_DB, also when it stopped halfway.
struct RestoreReport {
    std::string stamp;                  // the backup put back
    std::vector<std::string> replaced;  // files put back from it
    std::vector<std::string> removed;   // files the imports had created
};

// Restores the backup into the database (whose lock the caller holds). Checks first that the
// backup belongs to this database, that every copy is whole (size and SHA-256) and that no
// other program holds a retail table; throws SafetyError, changing nothing, when one fails.
// The backups newer than this one are marked undone by it.
// A failure halfway says how many files were put back; the report lists them.
void restoreBackup(const std::filesystem::path& database, Backup& backup, RestoreReport* report = nullptr);

}  // namespace tarvo::safety

namespace tarvo::safety {

// The restore command of the window and the command line, on the ST_DB folder: takes the
// database lock, finds the backup (the newest when the stamp is empty), asks before it changes
// anything (unless the caller has asked already), restores. Every refusal or failure is shown
// as an error box. True when restored; what was changed goes to the report.
bool restoreDatabase(ui::Owner owner, const std::string& database, const std::string& stamp, bool ask = true,
                     RestoreReport* report = nullptr);

}  // namespace tarvo::safety
