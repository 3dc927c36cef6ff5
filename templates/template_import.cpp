#include "templates/template_import.h"

#include "retaildb/retail_database.h"
#include "templates/item_import.h"
#include "templates/master_data_import.h"
#include "templates/opening_balances.h"
#include "templates/reject_list.h"
#include "templates/structure_check.h"
#include "templates/template_files.h"
#include "xbase/blanks.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {

constexpr const char* kNetworkRefusal = "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!";

// The duplicate lists go to the presenter when there is one, else straight into REJECT.TXT.
void presentRejects(const ImportRun& run, const ImportRequest& request, ImportOutcome& outcome) {
    if (run.codeDuplicates.empty() && run.nameDuplicates.empty()) return;
    if (request.showRejects) {
        request.showRejects(run.codeDuplicates, run.nameDuplicates);
        const std::filesystem::path file = xbase::findIgnoringCase(request.rejectFolder, "REJECT.TXT");
        std::error_code ec;
        if (std::filesystem::exists(file, ec)) outcome.rejectFile = file;
        return;
    }
    if (writeRejectFile(rejectRows(run), request.rejectFolder, run.owner()))
        outcome.rejectFile = request.rejectFolder / "REJECT.TXT";
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

bool BUTTONIMPORT1(ImportRun& run) {
    run.takeStamps();
    if (!writeDayClosingSettings(run)) return false;
    importMasterData(run);
    importPayables(run);
    importReceivables(run);
    importItems(run);
    return true;
}

ImportOutcome runTemplateImport(ui::Owner owner, const ImportRequest& request) {
    ImportOutcome outcome;
    if (!ui::BOXASK(owner, "Tarvo-Soft", "Lanjutkan proses Import Data ?", 2)) {
        outcome.status = ImportStatus::Declined;
        return outcome;
    }
    const std::string folder = checkedImportFolder(owner, request.templateFolder);
    if (folder.empty()) {
        outcome.refusal = Refusal::ImportFolder;
        return outcome;
    }

    ui::UserInteraction& ui = ui::interaction();
    ImportRun run(request.options, folder, owner);
    auto refuse = [&](Refusal refusal) {
        xbase::workAreas().closeAll();
        outcome.refusal = refusal;
        return outcome;
    };
    // Every template is opened and checked before the shop's data is touched, so that a
    // refused import leaves the retail database exactly as it was.
    if (!openTemplates(run)) return refuse(Refusal::Templates);
    ui.openProgress(owner);
    if (!BUTTONIMPORT1PRE(run)) {
        ui.closeProgress();
        showOverWidthWarning(run);
        return refuse(Refusal::Templates);
    }
    std::string database = retaildb::LOKASIDATAEX(owner, request.databaseFolder);
    if (database.empty()) {
        ui.closeProgress();
        return refuse(Refusal::Database);
    }
    // One run at a time per database, then a backup of everything the import may change
    // (or, for a dry run, a scratch copy to import into) before the preparation.
    safety::ImportSafety safety(request.safety);
    outcome.dryRun = request.safety.dryRun;
    if (!safety.lock(owner, database)) {
        ui.closeProgress();
        outcome.interruptedBackup = safety.interruptedStamp();
        return refuse(safety.refusal() == safety::SafetyRefusal::Busy ? Refusal::Busy : Refusal::Interrupted);
    }
    if (!checkControlRecord(owner, database)) {
        ui.closeProgress();
        return refuse(Refusal::Database);
    }
    database = safety.beforePreparation(owner);
    if (database.empty()) {
        ui.closeProgress();
        return refuse(Refusal::Backup);
    }
    if (safety.backup()) outcome.backupFolder = safety.backup()->folder;
    try {
        database = retaildb::LOKASIDATA(owner, database);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, std::string("Import gagal: ") + e.what());
        database.clear();
    }
    if (database.empty()) {
        ui.closeProgress();
        xbase::workAreas().closeAll();
        safety.undo(owner);
        return refuse(Refusal::Preparation);
    }

    outcome.status = ImportStatus::Done;
    try {
        if (!BUTTONIMPORT1(run)) outcome.status = ImportStatus::Failed;
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
    return outcome;
}

}  // namespace tarvo::templates
