#include "importing/import_command.h"

#include "retaildb/retail_database.h"
#include "importing/opening_balances.h"
#include "importing/reject_list.h"
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
    if (writeRejectFile(rejectRows(run), file, run.owner())) outcome.rejectFile = file;
}

// The source's checks; an error of the table layer while reading it refuses the import too.
bool sourceChecked(ui::Owner owner, const std::string& folder, const ImportRequest& request, ImportSource& source) {
    try {
        return source.check(owner, folder, request.options);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Import gagal: ") + e.what());
        return false;
    }
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

ImportOutcome runImport(ui::Owner owner, const ImportRequest& request, ImportSource& source) {
    ImportOutcome outcome;
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
    if (!sourceChecked(owner, folder, request, source)) return refuse(Refusal::Source);
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
    database = safety.beforePreparation(owner);
    if (database.empty()) return refuse(Refusal::Backup);
    if (safety.backup()) outcome.backupFolder = safety.backup()->folder;
    try {
        database = retaildb::LOKASIDATA(owner, database);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Import gagal: ") + e.what());
        database.clear();
    }
    if (database.empty()) {
        xbase::workAreas().closeAll();
        safety.undo(owner);
        return refuse(Refusal::Preparation);
    }

    const ImportRun& run = source.run();
    outcome.status = ImportStatus::Done;
    try {
        if (!source.import(database)) outcome.status = ImportStatus::Failed;
        if (outcome.status == ImportStatus::Done) presentRejects(run, request, outcome);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Import gagal: ") + e.what());
        outcome.status = ImportStatus::Failed;
    }
    ui.closeProgress();
    try {
        outcome.incomplete =
            retaildb::closeRetailDatabase(owner, database, request.options.stockMode == StockMode::CloseDay);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Import gagal: ") + e.what());
        outcome.status = ImportStatus::Failed;
    }
    if (!outcome.incomplete.empty()) outcome.status = ImportStatus::Failed;
    if (!safety.finished(owner, outcome.status == ImportStatus::Done)) outcome.status = ImportStatus::Failed;
    outcome.safetyTimings = safety.timings();
    xbase::settings().deleted = true;
    outcome.written = run.written;
    // A table whose writes failed holds what reached the disk, not what was appended.
    for (const retaildb::IncompleteTable& table : outcome.incomplete) outcome.written[table.alias] = table.recordsOnDisk;
    outcome.skipped = run.skipped;
    outcome.codeDuplicates = run.codeDuplicates.size();
    outcome.nameDuplicates = run.nameDuplicates.size();
    // The rows once more for the caller, without a second round of progress texts.
    for (const DuplicateEntry& entry : run.codeDuplicates) outcome.rejects.push_back(rejectRow(entry, kCodeDuplicateCaption));
    for (const DuplicateEntry& entry : run.nameDuplicates) outcome.rejects.push_back(rejectRow(entry, kNameDuplicateCaption));
    return outcome;
}

}  // namespace tarvo::importing
