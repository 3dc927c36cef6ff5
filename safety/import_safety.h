#pragma once
// The safety net every import goes through, hooked where the import command is about to prepare
// the retail database and where it has closed it: one run at a time per database, a backup
// before anything changes (or, for a dry run, a scratch copy to import into), interrupted
// imports noticed, and a durable end before the backup is marked done.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "safety/backups.h"
#include "ui/user_interaction.h"

namespace tarvo::safety {

class DatabaseLock;

// What to do when the last import into the database was interrupted.
enum class OnInterrupted {
    Refuse,    // refuse with a message (the command line, until --force or a restore)
    Ask,       // ask: put the backup back first, import without it, or stop (the window)
    Continue,  // import anyway (--force)
};

struct SafetyOptions {
    bool dryRun = false;       // import into a scratch copy; the shop's folder stays as it is
    OnInterrupted onInterrupted = OnInterrupted::Refuse;
    int keepBackups = 3;
    std::string description;   // the import's options, recorded in the backup's manifest
    std::string kind = "import";  // what the backup is taken for: "import" or "repair"
};

// What the safety net cost a run, for the benchmark: the backup (or scratch copy) and the
// flush of the durable end.
struct SafetyTimings {
    double backupSeconds = 0;
    double durableEndSeconds = 0;
};

enum class SafetyRefusal {
    None,
    Busy,         // another import, restore or dry run holds the database
    Interrupted,  // the last import was interrupted and not put back
    Backup,       // the backup (or the scratch copy) could not be made
};

class ImportSafety {
public:
    explicit ImportSafety(SafetyOptions options);
    ~ImportSafety();  // releases the lock, removes a scratch copy
    ImportSafety(const ImportSafety&) = delete;
    ImportSafety& operator=(const ImportSafety&) = delete;

    // Takes the database lock and deals with an interrupted import. False after its message.
    bool lock(ui::Owner owner, const std::string& database);
    // Just before the preparation: the backup, or the scratch copy of a dry run. Returns the
    // folder to prepare and import into (ending in a separator), empty after its message.
    std::string beforePreparation(ui::Owner owner);
    // After the closing of an import that succeeded: every file of the database flushed to disk,
    // then the backup marked "done" and old backups pruned. Returns why the flush failed (the
    // caller then undoes the import), empty when the import is safely on disk. A backup that
    // cannot be marked "done" gets an error box saying that the shop holds the whole import, and
    // markedDone() is false: the run counts as failed though nothing is undone.
    std::string finished(ui::Owner owner);
    bool markedDone() const { return markedDone_; }

    // After a run that failed or was stopped once the preparation had begun: puts the backup
    // back, so that the database is as it was before, and marks the backup "failed". A run that
    // started over an unfinished import puts back the backup from before that one instead. Returns
    // why the backup could not be put back, empty when it was (or when there was none). A backup
    // that could not be put back stays marked as running, so that the import counts as
    // interrupted, as after a crash, until a restore finishes the job.
    std::string undo();

    SafetyRefusal refusal() const { return refusal_; }
    bool dryRun() const { return options_.dryRun; }
    // The interrupted import's backup, when that refused the run.
    const std::string& interruptedStamp() const { return interruptedStamp_; }
    // The backup of this run (empty before beforePreparation and in a dry run).
    const std::optional<Backup>& backup() const { return backup_; }
    const SafetyTimings& timings() const { return timings_; }

private:
    bool dealWithInterrupted(ui::Owner owner);
    std::string makeScratchCopy();

    SafetyOptions options_;
    std::filesystem::path database_;
    std::unique_ptr<DatabaseLock> lock_;
    std::optional<Backup> backup_;
    bool finished_ = false;
    bool markedDone_ = true;
    std::filesystem::path scratch_;
    SafetyRefusal refusal_ = SafetyRefusal::None;
    std::string interruptedStamp_;
    SafetyTimings timings_;
};

// Flushes every file an import may have written in the database folder, then the folder.
void flushDatabase(const std::filesystem::path& database);

}  // namespace tarvo::safety
