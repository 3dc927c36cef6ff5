#pragma once
// The template import as the import command runs it: checks first, then the preparation of
// the retail database, the templates in their processing order, the reject list, the closing.

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "retaildb/retail_database.h"
#include "safety/import_safety.h"
#include "templates/import_run.h"

namespace tarvo::templates {

enum class ImportStatus {
    Done,       // imported (rejected items, if any, are in the reject list)
    Declined,   // the user answered No to "Lanjutkan proses Import Data ?"
    Refused,    // a check or the preparation refused (see Refusal for what may have changed)
    Failed,     // an error while writing; its message has been shown
};

// Where a refused import stopped, so that the window can put the focus on the field concerned.
enum class Refusal {
    None,
    ImportFolder,  // the import folder text is empty or a network path (IMPORT)
    Templates,     // a template is missing, unreadable or has a refused structure
    Database,      // the retail database folder, its tables or its control record were refused (LOKASI)
    Preparation,   // the preparation stopped halfway (a table in use, an index file that stays):
                   // index files it had deleted are gone, the tables' records are as they were;
                   // the backup taken before it gives them back
    Busy,          // another import, restore or dry run holds the retail database
    Interrupted,   // the last import into the database was interrupted and not put back
    Backup,        // the backup before the preparation could not be made (space, a folder)
};

// Shows the two duplicate lists to the user (the desktop program's reject window, which also
// writes REJECT.TXT). Without one, the import writes REJECT.TXT itself.
using RejectPresenter = std::function<void(const std::vector<DuplicateEntry>& codeDuplicates,
                                           const std::vector<DuplicateEntry>& nameDuplicates)>;

struct ImportRequest {
    std::string databaseFolder;   // the folder text of the retail database (LOKASI)
    std::string templateFolder;   // the folder text of the templates (IMPORT)
    ImportOptions options;
    std::filesystem::path rejectFolder;  // where REJECT.TXT goes (the executable's folder)
    RejectPresenter showRejects;         // optional
    safety::SafetyOptions safety;        // dry run, interrupted imports, backups kept
};

struct ImportOutcome {
    ImportStatus status = ImportStatus::Refused;
    Refusal refusal = Refusal::None;
    std::map<std::string, uint32_t> written;   // records appended per retail table
    std::map<std::string, uint32_t> skipped;   // rows skipped per template
    size_t codeDuplicates = 0;
    size_t nameDuplicates = 0;
    std::filesystem::path rejectFile;          // empty when no file was written
    // Retail tables whose writes failed: they hold only the records that reached the disk.
    std::vector<retaildb::IncompleteTable> incomplete;
    bool dryRun = false;                       // written into a scratch copy, the shop unchanged
    std::filesystem::path backupFolder;        // the backup taken before the preparation
    std::string interruptedBackup;             // stamp of the interrupted import's backup (Refusal::Interrupted)
    safety::SafetyTimings safetyTimings;       // what the backup and the durable end took
};

// The import folder from the text of IMPORT: trimmed, ending in a slash. Empty after the error
// box "Lokasi import belum diisi!" or the network-path refusal.
std::string checkedImportFolder(ui::Owner owner, const std::string& text);

// The import command with the template source (BUTTONIMPORT with BUTTONIMPORT1): asks, checks
// the import folder, opens and checks every template before the retail database is prepared,
// imports, writes the reject list, closes the database and deletes the changed index files.
ImportOutcome runTemplateImport(ui::Owner owner, const ImportRequest& request);

// The import itself on a prepared database with its templates open and checked (steps after
// the structure check): run stamps, day-closing settings, every template in processing order.
// Returns false when it stopped with a message.
bool BUTTONIMPORT1(ImportRun& run);

}  // namespace tarvo::templates
