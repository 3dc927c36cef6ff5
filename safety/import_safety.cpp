#include "safety/import_safety.h"

#include <chrono>
#include <cstdlib>

#include "safety/covered_files.h"
#include "safety/database_lock.h"
#include "safety/durable_files.h"
#include "safety/restore.h"
#include "safety/safety_error.h"
#include "safety/table_locks.h"

namespace tarvo::safety {

namespace fs = std::filesystem;

void flushDatabase(const fs::path& database) {
    for (const std::string& name : coveredFiles(database)) syncFile(database / name);
    syncFolder(database);
}

ImportSafety::ImportSafety(SafetyOptions options) : options_(std::move(options)) {}

ImportSafety::~ImportSafety() {
    if (backup_ && !finished_) {
        try {
            setImportState(*backup_, "failed");
        } catch (const std::exception&) {
            // The manifest keeps "running", which the next import reports as interrupted.
        }
    }
    std::error_code ec;
    if (!scratch_.empty()) fs::remove_all(scratch_, ec);
}

bool ImportSafety::lock(ui::Owner owner, const std::string& database) {
    database_ = database;
    try {
        lock_ = std::make_unique<DatabaseLock>(database_);
    } catch (const SafetyError& e) {
        ui::BOXERROR(owner, e.what());
        refusal_ = SafetyRefusal::Busy;
        return false;
    }
    return options_.dryRun || dealWithInterrupted(owner);
}

bool ImportSafety::dealWithInterrupted(ui::Owner owner) {
    std::optional<Backup> newest = interruptedImport(database_);
    if (!newest) return true;
    const std::string where = databaseIdentity(database_);
    const std::string what = "Import terakhir ke Lokasi Data ini ( " + where + " ) terputus sebelum selesai ( " +
                             newest->manifest.started + " ); cadangan datanya: " + newest->folder.string() + ".";
    switch (options_.onInterrupted) {
        case OnInterrupted::Continue:
            return true;
        case OnInterrupted::Refuse:
            ui::BOXERROR(owner, what);
            break;
        case OnInterrupted::Ask: {
            const int reply = ui::BOXASKEX(owner, "Tarvo-Soft",
                                           what + "\nKembalikan data dari cadangan itu dulu?\n"
                                                  "Ya: kembalikan, lalu import. Tidak: import tanpa mengembalikan. "
                                                  "Batal: berhenti.",
                                           3, 1);
            if (reply == ui::kReplyNo) return true;
            if (reply == ui::kReplyYes) {
                try {
                    restoreBackup(database_, *newest);
                    return true;
                } catch (const std::exception& e) {
                    ui::BOXERROR(owner, e.what());
                }
            }
            break;
        }
    }
    refusal_ = SafetyRefusal::Interrupted;
    interruptedStamp_ = newest->stamp;
    return false;
}

std::string ImportSafety::makeScratchCopy() {
    std::string pattern = (fs::temp_directory_path() / "tarvo-dry-run-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw SafetyError("Folder sementara untuk pemeriksaan tidak bisa dibuat : " + pattern);
    scratch_ = pattern;
    const fs::path copy = scratch_ / "ST_DB";
    fs::create_directory(copy);
    const std::vector<std::string> names = coveredFiles(database_);
    const TableLocks locks(database_, names);
    uint64_t needed = kBackupSpareBytes;
    for (const std::string& name : names) needed += fs::file_size(database_ / name);
    if (freeSpace(scratch_) < needed)
        throw SafetyError("Ruang disk tidak cukup untuk salinan sementara di " + scratch_.string() +
                          "; data toko tidak diubah.");
    for (const std::string& name : names) fs::copy_file(database_ / name, copy / name);
    return copy.string() + "/";
}

std::string ImportSafety::beforePreparation(ui::Owner owner) {
    const auto start = std::chrono::steady_clock::now();
    try {
        std::string folder = options_.dryRun ? makeScratchCopy() : database_.string();
        if (!options_.dryRun) backup_ = createBackup(database_, options_.description, options_.kind);
        timings_.backupSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        return folder;
    } catch (const std::exception& e) {
        ui::BOXERROR(owner, e.what());
        refusal_ = SafetyRefusal::Backup;
        return {};
    }
}

std::string ImportSafety::undo() {
    if (!backup_) return {};
    finished_ = true;
    try {
        Backup target = stateBefore(listBackups(database_), *backup_);
        if (target.stamp == backup_->stamp) {
            restoreBackup(database_, *backup_);
            setImportState(*backup_, "failed");
        } else {
            // This import ran over an unfinished one: back to the shop as it was before both
            // (the restore marks this import's backup undone).
            restoreBackup(database_, target);
        }
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::string ImportSafety::finished(ui::Owner owner) {
    if (!backup_) return {};
    const auto start = std::chrono::steady_clock::now();
    try {
        flushDatabase(database_);
    } catch (const SafetyError& e) {
        return e.what();
    }
    timings_.durableEndSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    try {
        setImportState(*backup_, "done");
    } catch (const std::exception& e) {
        // The manifest still says "running": the next import will take this one for interrupted.
        markedDone_ = false;
        ui::BOXERROR(owner, "Cadangan " + backup_->folder.string() + " tidak bisa ditandai \"done\" ( " + e.what() +
                                " ). Data toko sudah berisi hasil import ini seluruhnya. Import berikutnya akan "
                                "menganggap import ini terputus.");
    }
    finished_ = true;
    try {
        pruneBackups(database_, options_.keepBackups);
    } catch (const std::exception& e) {
        ui::BOXERROR(owner, e.what());
    }
    return {};
}

}  // namespace tarvo::safety
