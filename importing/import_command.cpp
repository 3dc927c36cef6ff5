#include "importing/import_command.h"

#include "retaildb/retail_database.h"
#include "importing/deferred_program_end.h"
#include "importing/opening_balances.h"
#include "importing/reject_list.h"
#include "ui/stop_request.h"
#include "xbase/blanks.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

namespace {

constexpr const char* kNetworkRefusal = "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!";

// The duplicate lists go to the presenter when there is one, else straight into the reject file.
void presentRejects(const ImportRun& run, const ImportRequest& request, ImportOutcome& outcome) {
    if (run.codeDuplicates.empty() && run.nameDuplicates.empty()) return;
    const std::filesystem::path file =
        xbase::findIgnoringCase(request.rejectFile.parent_path(), request.rejectFile.filename().string());
    if (request.showRejects) {
        request.showRejects(run.codeDuplicates, run.nameDuplicates);
        std::error_code ec;
        if (std::filesystem::exists(file, ec)) outcome.rejectFile = file;
        return;
    }
    if (writeRejectFile(run.codeDuplicates, run.nameDuplicates, file, run.owner())) outcome.rejectFile = file;
}

// The source's checks; an error of the table layer while reading it refuses the import too,
// and so does a stop requested meanwhile (nothing has changed yet).
bool sourceChecked(ui::Owner owner, const std::string& folder, const ImportRequest& request, ImportSource& source,
                   bool& stopped) {
    try {
        if (!source.check(owner, folder, request.options)) return false;
        if (ui::stopRequested()) throw ImportStopped();
        return true;
    } catch (const ImportStopped&) {
        stopped = true;
        return false;
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Import gagal: ") + e.what());
        return false;
    }
}

// The numbers the source gives, against the fields they go to; a source table that cannot be read
// refuses the import too.
ValueCheck valuesChecked(ui::Owner owner, const std::string& database, const ImportSource& source) {
    try {
        return source.checkValues(owner, database);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Import gagal: ") + e.what());
        return ValueCheck::Refused;
    }
}

// The failure of writes that did not throw: the tables that hold fewer records than written.
std::string incompleteTablesFailure(const std::vector<retaildb::IncompleteTable>& incomplete) {
    std::string names;
    for (const retaildb::IncompleteTable& table : incomplete) names += (names.empty() ? "" : ", ") + table.alias;
    return "Import gagal: penulisan ke " + names + " tidak selesai.";
}

// The last line of the message of a failed or stopped run: what became of the shop.
std::string whatBecameOfTheShop(const ImportOutcome& outcome) {
    if (outcome.dryRun) return "Periksa saja: data toko tidak diubah.";
    if (outcome.restoreProblem.empty()) return "Data toko sudah dikembalikan seperti sebelum import.";
    return "Data toko TIDAK bisa dikembalikan seperti sebelum import: " + outcome.restoreProblem +
           "\nImport ini tercatat terputus; kembalikan datanya dari cadangan " + outcome.backupFolder.string() +
           " (Pulihkan Data, atau restore di baris perintah).";
}

}  // namespace

std::string checkedImportFolder(ui::Owner owner, const std::string& text) {
    std::string folder = std::string(xbase::trimmed(text));
    if (folder.empty()) {
        ui::BOXERROR(owner, "Lokasi import belum diisi!");
        return {};
    }
    if (folder.front() == '\\') {
        ui::BOXERROR(owner, kNetworkRefusal);
        return {};
    }
    if (folder.back() != '/') folder += '/';
    return folder;
}

namespace {

// The import command inside the safety net; runImport ends the program afterwards when it was to end.
ImportOutcome importUnderSafetyNet(ui::Owner owner, const ImportRequest& request, ImportSource& source) {
    ImportOutcome outcome;
    ui::clearStopRequest();
    if (!ui::BOXASK(owner, "Tarvo-Soft", "Lanjutkan proses Import Data ?", 2)) {
        outcome.status = ImportStatus::Declined;
        return outcome;
    }
    std::string folder;
    if (source.usesImportFolder()) {
        folder = checkedImportFolder(owner, request.importFolder);
        if (folder.empty()) {
            outcome.refusal = Refusal::ImportFolder;
            return outcome;
        }
    }

    ui::UserInteraction& ui = ui::interaction();
    auto refuse = [&](Refusal refusal) {
        ui.closeProgress();
        xbase::workAreas().closeAll();
        outcome.refusal = refusal;
        return outcome;
    };
    // The source is opened and checked before the shop's data is touched, so that a refused
    // import leaves the retail database exactly as it was.
    bool stopped = false;
    if (!sourceChecked(owner, folder, request, source, stopped)) {
        if (stopped) outcome.status = ImportStatus::Stopped;
        return refuse(Refusal::Source);
    }
    ui.offerStop(owner, ui::kStopImportQuestion);
    std::string database = retaildb::LOKASIDATAEX(owner, request.databaseFolder);
    if (database.empty()) return refuse(Refusal::Database);
    // One run at a time per database, then a backup of everything the import may change
    // (or, for a dry run, a scratch copy to import into) before the preparation.
    safety::ImportSafety safety(request.safety);
    outcome.dryRun = request.safety.dryRun;
    if (!safety.lock(owner, database)) {
        outcome.interruptedBackup = safety.interruptedStamp();
        return refuse(safety.refusal() == safety::SafetyRefusal::Busy ? Refusal::Busy : Refusal::Interrupted);
    }
    if (!checkControlRecord(owner, database)) return refuse(Refusal::Database);
    if (const ValueCheck values = valuesChecked(owner, database, source); values != ValueCheck::Passed) {
        if (values == ValueCheck::Stopped) outcome.status = ImportStatus::Stopped;
        return refuse(Refusal::Source);
    }
    database = safety.beforePreparation(owner);
    if (database.empty()) return refuse(Refusal::Backup);
    if (safety.backup()) outcome.backupFolder = safety.backup()->folder;

    // From here on the shop changes: whatever ends the run early puts the backup back before
    // its message is shown.
    auto undoAndTell = [&](ImportStatus status, const std::string& failure) {
        ui.closeProgress();
        xbase::workAreas().closeAll();
        xbase::settings().deleted = true;
        outcome.status = status;
        outcome.restoreProblem = safety.undo();
        // Put back, no table is left incomplete; otherwise they stay listed beside the backup.
        if (outcome.restoreProblem.empty()) outcome.incomplete.clear();
        const bool stop = status == ImportStatus::Stopped;
        if (stop && outcome.restoreProblem.empty())
            ui::BOXINFO(owner, "Tarvo-Import", "Import dibatalkan. " + whatBecameOfTheShop(outcome));
        else
            ui::BOXERROR(owner, (stop ? std::string("Import dibatalkan.") : failure) + "\n" + whatBecameOfTheShop(outcome));
        return outcome;
    };
    std::string failure;  // what failed, for the message shown once the shop is put back
    try {
        if (ui::stopRequested()) throw ImportStopped();
        database = retaildb::LOKASIDATA(owner, database);
    } catch (const ImportStopped&) {
        stopped = true;
    } catch (const std::exception& e) {
        failure = std::string("Import gagal: ") + e.what();
        database.clear();
    }
    if (stopped) return undoAndTell(ImportStatus::Stopped, {});
    if (database.empty()) {
        // The preparation stopped halfway, after its message: the refusal of a check.
        xbase::workAreas().closeAll();
        outcome.restoreProblem = safety.undo();
        if (!failure.empty()) ui::BOXERROR(owner, failure);
        if (!outcome.restoreProblem.empty()) ui::BOXERROR(owner, whatBecameOfTheShop(outcome));
        return refuse(Refusal::Preparation);
    }

    const ImportRun& run = source.run();
    try {
        if (!source.import(database)) failure = "Import gagal.";  // the source has said why
        else if (ui::stopRequested()) throw ImportStopped();
        else presentRejects(run, request, outcome);
    } catch (const ImportStopped&) {
        stopped = true;
    } catch (const std::exception& e) {
        failure = std::string("Import gagal: ") + e.what();
    }
    ui.closeProgress();
    const bool going = !stopped && failure.empty();
    try {
        outcome.incomplete =
            retaildb::closeRetailDatabase(owner, database, going && request.options.stockMode == StockMode::CloseDay);
    } catch (const std::exception& e) {
        xbase::workAreas().closeAll();
        if (going) failure = std::string("Import gagal: ") + e.what();
    }
    if (!outcome.incomplete.empty() && failure.empty() && !stopped) failure = incompleteTablesFailure(outcome.incomplete);
    if (failure.empty() && !stopped)
        if (const std::string flush = safety.finished(owner); !flush.empty()) failure = "Import gagal: " + flush;
    xbase::settings().deleted = true;
    outcome.safetyTimings = safety.timings();
    outcome.written = run.written;
    outcome.skipped = run.skipped;
    outcome.codeDuplicates = run.codeDuplicates.size();
    outcome.nameDuplicates = run.nameDuplicates.size();
    if (!stopped && failure.empty()) {
        // A whole import whose backup could not be marked "done" has said so; it counts as failed.
        outcome.status = safety.markedDone() ? ImportStatus::Done : ImportStatus::Failed;
        outcome.backupNotMarkedDone = !safety.markedDone();
        // The entries once more for the caller (sharing the run's, not copying them).
        outcome.codeDuplicateEntries = run.codeDuplicates;
        outcome.nameDuplicateEntries = run.nameDuplicates;
        return outcome;
    }

    return undoAndTell(stopped ? ImportStatus::Stopped : ImportStatus::Failed, failure);
}

}  // namespace

ImportOutcome runImport(ui::Owner owner, const ImportRequest& request, ImportSource& source) {
    // An integrity failure that ends the program is a failure of the run like any other: once the
    // preparation has begun the shop is put back (and a dry run's scratch copy removed) before
    // the program ends.
    DeferredProgramEnd programEnd;
    ImportOutcome outcome;
    try {
        outcome = importUnderSafetyNet(owner, request, source);
    } catch (const ProgramEndDuringImport&) {
        // Before the preparation: nothing has changed, and the lock and a scratch copy are gone.
        xbase::workAreas().closeAll();
    }
    if (programEnd.requested()) programEnd.endNow();
    return outcome;
}

}  // namespace tarvo::importing
