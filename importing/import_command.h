#pragma once
// The import command, one road for every source: ask, check the import folder, open and check the
// source, check and prepare the retail database, import, show the reject list, close the
// database and delete the changed index files. Nothing touches the shop's data before every check
// that can be made has passed.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "retaildb/retail_database.h"
#include "safety/import_safety.h"
#include "importing/import_run.h"
#include "importing/reject_list.h"
#include "importing/value_checks.h"

namespace tarvo::importing {

enum class ImportStatus {
    Done,       // imported (rejected items, if any, are in the reject list)
    Declined,   // the user answered No to "Lanjutkan proses Import Data ?"
    Refused,    // a check or the preparation refused (see Refusal for what may have changed)
    Failed,     // an error once the preparation had begun; the backup has been put back (see
                // ImportOutcome::restoreProblem) and the message shown
    Stopped,    // the user or a signal stopped the run; the backup has been put back
};

// Where a refused import stopped, so that the window can put the focus on the field concerned.
enum class Refusal {
    None,
    ImportFolder,  // the import folder text is empty or a network path (IMPORT)
    Source,        // a template or source table is missing, unreadable or has a refused structure
    Database,      // the retail database folder, its tables or its control record were refused (LOKASI)
    Preparation,   // the preparation stopped halfway (a table in use, an index file that stays);
                   // the backup taken before it has been put back
    Busy,          // another import, restore or dry run holds the retail database
    Interrupted,   // the last import into the database was interrupted and not put back
    Backup,        // the backup before the preparation could not be made (space, a folder)
};

// Shows the two duplicate lists to the user (the desktop program's reject window, which also
// writes the reject file). Without one, the import writes the reject file itself.
using RejectPresenter = std::function<void(const DuplicateList& codeDuplicates, const DuplicateList& nameDuplicates)>;

struct ImportRequest {
    std::string databaseFolder;   // the folder text of the retail database (LOKASI)
    std::string importFolder;     // the folder text of the templates or the source tables (IMPORT)
    ImportOptions options;
    std::filesystem::path rejectFile;    // where the reject list goes (rejectFile())
    RejectPresenter showRejects;         // optional
    safety::SafetyOptions safety;        // dry run, interrupted imports, backups kept
};

struct ImportOutcome {
    ImportStatus status = ImportStatus::Refused;
    Refusal refusal = Refusal::None;
    std::map<std::string, uint32_t> written;   // records appended per retail table
    std::map<std::string, uint32_t> skipped;   // rows skipped per template or source table
    size_t codeDuplicates = 0;
    size_t nameDuplicates = 0;
    // The duplicates of a whole run, read with loadRejectList as the reject list shows them.
    DuplicateList codeDuplicateEntries;
    DuplicateList nameDuplicateEntries;
    std::filesystem::path rejectFile;          // empty when no file was written
    // Retail tables whose writes failed: they hold only the records that reached the disk.
    std::vector<retaildb::IncompleteTable> incomplete;
    bool dryRun = false;                       // written into a scratch copy, the shop unchanged
    std::filesystem::path backupFolder;        // the backup taken before the preparation
    std::string interruptedBackup;             // stamp of the interrupted import's backup (Refusal::Interrupted)
    // Why the backup could not be put back after a failed or stopped run (the import then counts
    // as interrupted); empty when the shop is as it was before the import.
    std::string restoreProblem;
    bool backupNotMarkedDone = false;  // Failed, yet the shop holds the whole import: its backup stays "running"
    safety::SafetyTimings safetyTimings;       // what the backup and the durable end took
};

// What an import reads: the templates of a folder, or another application's tables.
class ImportSource {
public:
    virtual ~ImportSource() = default;
    // Whether the import folder (IMPORT) is checked and handed to check; a source that asks for
    // its own file gets an empty folder.
    virtual bool usesImportFolder() const { return true; }
    // Opens and checks everything the import will read, before the retail database is touched;
    // may open the progress window. False after its message.
    virtual bool check(ui::Owner owner, const std::string& importFolder, const ImportOptions& options) = 0;
    // Tries the numbers the import will write against the retail fields they go to, once the
    // database is locked and before its backup: by default the run's feeds over its source tables.
    virtual ValueCheck checkValues(ui::Owner owner, const std::string& databaseFolder) const {
        return importing::checkValues(owner, databaseFolder, run());
    }
    // Imports into the prepared retail database in the folder. False when it stopped with a message.
    virtual bool import(const std::string& databaseFolder) = 0;
    // The run of the import (counts and duplicate lists); valid once check has been called.
    virtual const ImportRun& run() const = 0;
};

// The import folder from the text of IMPORT: trimmed, ending in a slash. Empty after the error
// box "Lokasi import belum diisi!" or the network-path refusal.
std::string checkedImportFolder(ui::Owner owner, const std::string& text);

// The import command (BUTTONIMPORT) with the source. Once the preparation has begun, a failure
// or a stop (ui/stop_request.h) puts the backup back before its message is shown: the shop is
// then exactly as it was before the import.
ImportOutcome runImport(ui::Owner owner, const ImportRequest& request, ImportSource& source);

}  // namespace tarvo::importing
