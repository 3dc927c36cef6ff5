#pragma once
// Backups of a retail database: TARVO-BACKUP/<YYYYMMDD-hhmmss>/ in the folder that holds ST_DB,
// each with copies of the files an import may change and a manifest.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "safety/manifest.h"

namespace tarvo::safety {

struct Backup {
    std::string stamp;                 // the folder's name
    std::filesystem::path folder;
    std::string problem;               // why the manifest cannot be read; empty when it can
    Manifest manifest;
};

// The ST_DB folder as backups record it: absolute, normalised, without a trailing separator.
std::string databaseIdentity(const std::filesystem::path& database);
// TARVO-BACKUP beside ST_DB.
std::filesystem::path backupRoot(const std::filesystem::path& database);

// The backups of the database, newest first (folders without a readable manifest included,
// with their problem).
std::vector<Backup> listBackups(const std::filesystem::path& database);

// The backup that holds the shop as it was before this backup's import and every unfinished
// import it started over: the backup it follows when that is still there, else itself.
Backup stateBefore(const std::vector<Backup>& backups, const Backup& backup);

// When the newest readable backup's import was interrupted (and not put back since): the backup
// that leads back to the state before it (see stateBefore).
std::optional<Backup> interruptedImport(const std::filesystem::path& database);

// Whether the backup's import is still running: its manifest says so and its process, alive,
// holds the database lock.
bool importRunning(const std::filesystem::path& database, const Backup& backup);

// Copies every file an import may change into a new backup and writes its manifest with state
// "running", what takes it ("import" or "repair") and its options. When the newest backup's
// import is unfinished, the new one records the backup it follows, so that a restore still leads
// back to the state before the first unfinished import. Refuses before copying when the free
// space is short; a failure on the way removes the partial backup. Throws SafetyError with a
// message for the user.
Backup createBackup(const std::filesystem::path& database, const std::string& options,
                    const std::string& kind = "import");

// Records how the import ended ("done" or "failed").
void setImportState(Backup& backup, const std::string& state);

// How a backup is listed for the user to choose from (the window and the command line alike).
struct BackupListing {
    std::string taken;   // when: "YYYY-MM-DD hh:mm:ss"
    std::string madeBy;  // "import: <its options>" or "repair: <its command>"
    std::string state;   // "done", "failed", "running", "interrupted", "restore interrupted", or "unusable: <why>"
    std::string size;    // "12.3 MB"
};
// An import is "running" while its process holds the database's lock (importRunning), else
// "interrupted".
BackupListing backupListing(const std::filesystem::path& database, const Backup& backup);

// Removes the oldest backups beyond the newest `keep`, and copies that never got their manifest;
// backups of interrupted imports, backups that kept ones follow, and backups whose manifest is
// damaged stay.
void pruneBackups(const std::filesystem::path& database, int keep);

// Bytes the backup needs beyond its files' sizes (manifest, folder entries).
inline constexpr uint64_t kBackupSpareBytes = 1u << 20;

}  // namespace tarvo::safety
