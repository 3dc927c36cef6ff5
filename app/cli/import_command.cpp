// "import": the template import, or the import from another application's database, for
// consultants and scripts.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/command_outcome.h"
#include "app/cli/ipos_password.h"
#include "app/cli/stop_signals.h"
#include "app/cli/terminal_interaction.h"
#include "importers/application_sources.h"
#include "importers/ipos/ipos_import.h"
#include "importing/import_summary.h"
#include "importing/reject_list.h"
#include "safety/restore.h"
#include "safety/safety_error.h"
#include "templates/template_import.h"
#include "xbase/dates.h"

namespace tarvo::cli {

namespace {

using importing::ImportStatus;
using importing::StockMode;

// --from: "templates", or the name of a source application.
constexpr std::string_view kTemplatesSource = "templates";

// "templates|msbrg|is|ias|ipos": the names --from takes.
std::string sourceNames() {
    std::string names(kTemplatesSource);
    for (const importers::SourceApplication& application : importers::sourceApplications())
        names += "|" + std::string(application.cliName);
    return names;
}

std::optional<StockMode> stockModeFromName(const std::string& name) {
    if (name == "close") return StockMode::CloseDay;
    if (name == "open") return StockMode::Open;
    if (name == "none") return StockMode::None;
    return std::nullopt;
}

const CLI::Validator kStockMode = validator([](const std::string& value) {
    return stockModeFromName(value) ? std::string() : "unknown stock mode '" + value + "'";
});
const CLI::Validator kDate = validator([](const std::string& value) {
    const std::optional<xbase::Date> date = importing::typedDate(value);
    return !date || date->empty() ? "invalid date '" + value + "' (DD/MM/YYYY)" : std::string();
});
const CLI::Validator kDriver = validator([](const std::string& value) {
    return xbase::driverFromName(value) ? std::string() : "unknown driver '" + value + "'";
});
const CLI::Validator kSource = validator([](const std::string& value) {
    return value == kTemplatesSource || importers::sourceApplicationNamed(value) ? std::string()
                                                                                : "unknown source '" + value + "'";
});

struct ImportArguments {
    importing::ImportRequest request;
    std::string from{kTemplatesSource};
    std::string stockMode = "none";
    std::string stockDate;
    std::string pointsDate;
    std::string driver;
    std::string password;
    std::string passwordFile;
    importers::ipos::IposChoices ipos;
    std::string rejectFile;
    bool answerYes = false;
    bool force = false;
    OutcomeOptions outcome;
};

// The import's options as the backup's manifest records them.
std::string describe(const ImportArguments& a) {
    const importing::ImportOptions& o = a.request.options;
    return "import --from " + a.from + " " + a.request.importFolder + " --stock-mode " + a.stockMode +
           (a.stockDate.empty() ? "" : " --stock-date " + a.stockDate) +
           (a.pointsDate.empty() ? "" : " --points-date " + a.pointsDate) +
           (o.allowDuplicateCodes ? " --allow-duplicate-codes" : "") +
           (o.allowDuplicateNames ? " --allow-duplicate-names" : "") + " --driver " +
           xbase::driverName(o.tableDriver);
}

const char* statusName(ImportStatus status) {
    switch (status) {
        case ImportStatus::Done: return "done";
        case ImportStatus::Declined: return "declined";
        case ImportStatus::Refused: return "refused";
        case ImportStatus::Failed: return "failed";
        case ImportStatus::Stopped: return "stopped";
    }
    return "failed";
}

const char* refusalName(importing::Refusal refusal) {
    switch (refusal) {
        case importing::Refusal::None: return nullptr;
        case importing::Refusal::ImportFolder: return "import_folder";
        case importing::Refusal::Source: return "source";
        case importing::Refusal::Database: return "database";
        case importing::Refusal::Preparation: return "preparation";
        case importing::Refusal::Busy: return "busy";
        case importing::Refusal::Interrupted: return "interrupted";
        case importing::Refusal::Backup: return "backup";
    }
    return nullptr;
}

CommandOutcome commandOutcome(const importing::ImportOutcome& import, const TerminalInteraction& terminal,
                              int signal) {
    CommandOutcome outcome;
    outcome.command = "import";
    outcome.status = statusName(import.status);
    outcome.exitStatus = import.status == ImportStatus::Done ? 0 : 1;
    // Stopped by a signal: the shell's status of a process that signal ended.
    if (import.status != ImportStatus::Done && signal != 0) outcome.exitStatus = 128 + signal;
    outcome.messages = terminal.messages();
    outcome.written = import.written;
    outcome.skipped = import.skipped;
    outcome.codeDuplicates = import.codeDuplicateEntries;
    outcome.nameDuplicates = import.nameDuplicateEntries;
    outcome.rejectFile = import.rejectFile;
    outcome.backup = import.backupFolder;
    if (const char* refusal = refusalName(import.refusal)) outcome.details["refusal"] = refusal;
    if (import.status == ImportStatus::Failed) {
        // The tables that hold only the records that reached the disk; the backup puts them back.
        nlohmann::ordered_json incomplete = nlohmann::ordered_json::array();
        for (const retaildb::IncompleteTable& table : import.incomplete)
            incomplete.push_back({{"table", table.alias}, {"records_on_disk", table.recordsOnDisk}});
        outcome.details["incomplete"] = incomplete;
    }
    if (!import.restoreProblem.empty()) outcome.details["restore_problem"] = import.restoreProblem;
    return outcome;
}

// The backup that takes the shop back to before a failed import: its own, or the one it followed
// when it ran over an unfinished import.
std::string restoreTarget(const importing::ImportOutcome& outcome) {
    try {
        const std::string database = safety::readManifest(outcome.backupFolder).database;
        const safety::Backup own = safety::findBackup(database, outcome.backupFolder.filename().string());
        return safety::stateBefore(safety::listBackups(database), own).stamp;
    } catch (const safety::SafetyError&) {
        return outcome.backupFolder.filename().string();
    }
}

// The summary of a finished import, or what became of the retail database when it did not finish.
void reportOutcome(const importing::ImportOutcome& outcome, const std::string& databaseFolder,
                   const OutcomeOptions& options) {
    const auto printSummary = [&] {
        std::fputs(importing::importSummary(outcome, importing::SummaryLanguage::English).c_str(),
                   options.humanOutput());
        std::fflush(options.humanOutput());
    };
    switch (outcome.status) {
        case ImportStatus::Done:
            if (!options.quiet) printSummary();
            return;
        case ImportStatus::Declined:
            std::fprintf(stderr, "Import cancelled.\n");
            return;
        case ImportStatus::Refused:
            if (outcome.refusal == importing::Refusal::Interrupted)
                std::fprintf(stderr,
                             "Import refused: the last import into this database was interrupted. Put its backup "
                             "back with\n  tarvo-import-cli restore --db %s --backup %s\nor import anyway with "
                             "--force.\n",
                             databaseFolder.c_str(), outcome.interruptedBackup.c_str());
            else if (outcome.refusal == importing::Refusal::Preparation)
                std::fprintf(stderr, "Import refused; the preparation stopped halfway and the backup taken before it "
                                     "was put back.\n");
            else
                std::fprintf(stderr, "Import refused; the retail database was not changed.\n");
            return;
        case ImportStatus::Failed:
        case ImportStatus::Stopped:
            std::fputs(outcome.status == ImportStatus::Failed ? "Import failed" : "Import stopped", stderr);
            if (outcome.backupNotMarkedDone)
                std::fputs(": its backup could not be marked done; the retail database holds the whole import.\n",
                           stderr);
            else if (outcome.dryRun || outcome.backupFolder.empty())
                std::fputs("; the retail database was not changed.\n", stderr);
            else if (outcome.restoreProblem.empty())
                std::fputs("; the retail database is as it was before the import.\n", stderr);
            else
                std::fprintf(stderr, ", and its backup could not be put back. Put it back with\n"
                                     "  tarvo-import-cli restore --db %s --backup %s\n",
                             databaseFolder.c_str(), restoreTarget(outcome).c_str());
            return;
    }
}

int runImport(ImportArguments& arguments) {
    importing::ImportRequest& request = arguments.request;
    const importers::SourceApplication* application = importers::sourceApplicationNamed(arguments.from);
    request.options.stockMode = *stockModeFromName(arguments.stockMode);
    if (!arguments.stockDate.empty()) {
        request.options.closingDate = xbase::CToD(arguments.stockDate);
        request.options.openDate = request.options.closingDate;
    }
    if (!arguments.pointsDate.empty()) request.options.pointsDate = xbase::CToD(arguments.pointsDate);
    // Without --driver, the driver that choosing the application in the window presets (CHECKDRIVER).
    if (!arguments.driver.empty())
        request.options.tableDriver = *xbase::driverFromName(arguments.driver);
    else if (application)
        request.options.tableDriver = application->presetDriver;
    // The password is given (option, file or environment) or empty: no password dialog here.
    if (!arguments.ipos.file.empty())
        arguments.ipos.password =
            iposPassword(arguments.password, arguments.passwordFile, std::getenv(kIposPasswordVariable));
    std::unique_ptr<importing::ImportSource> source =
        application ? application->makeImporter(arguments.ipos) : templates::templateSource();

    request.rejectFile = arguments.rejectFile.empty() ? importing::rejectFile(request.databaseFolder)
                                                      : std::filesystem::path(arguments.rejectFile);
    if (arguments.force) request.safety.onInterrupted = safety::OnInterrupted::Continue;
    request.safety.description = describe(arguments);

    TerminalInteraction terminal(arguments.answerYes, arguments.outcome.quiet);
    ui::setInteraction(&terminal);
    importing::ImportOutcome outcome;
    int signal = 0;
    {
        // Ctrl+C and a polite kill stop the import at its next record and put the shop back.
        const StopSignals stopSignals;
        outcome = importing::runImport(nullptr, request, *source);
        signal = stopSignals.caught();
    }
    ui::setInteraction(nullptr);
    terminal.closeProgress();
    reportOutcome(outcome, request.databaseFolder, arguments.outcome);
    return finish(arguments.outcome, commandOutcome(outcome, terminal, signal));
}

void addImportCommand(CommandLine& cli) {
    CLI::App& command = cli.add("import", "The import into a retail database, as the desktop program runs it: from the "
                                          "templates, or from another application's database");
    auto arguments = std::make_shared<ImportArguments>();
    importing::ImportRequest& request = arguments->request;
    importers::ipos::IposChoices& ipos = arguments->ipos;
    request.options = importing::defaultImportOptions();
    command.add_option("--db", request.databaseFolder, "The retail database folder (the one that holds ST_DB)")
        ->transform(absolutePath())
        ->type_name("FOLDER")->required();
    command.add_option("--from", arguments->from,
                       "What to import: the templates, the tables of msbrg, is or ias, or an ipos database")
        ->type_name(sourceNames())->check(kSource)->capture_default_str();
    CLI::Option* templatesFolder =
        command.add_option("--templates", request.importFolder, "The folder of the templates (ITEM.DBF, ...)")
            ->transform(absolutePath())
            ->type_name("FOLDER");
    CLI::Option* sourceFolder =
        command.add_option("--source", request.importFolder, "The folder of the msbrg, is or ias tables")
            ->transform(absolutePath())
            ->type_name("FOLDER")->excludes(templatesFolder);
    CLI::Option* stockMode = command.add_option("--stock-mode", arguments->stockMode,
                       "Opening stock: close (with day closing), open (still editable) or none")
        ->type_name("close|open|none")->check(kStockMode)->capture_default_str();
    CLI::Option* stockDate =
        command.add_option("--stock-date", arguments->stockDate, "Date of the opening stock (default 31/12 of last year)")
            ->type_name("DD/MM/YYYY")->check(kDate);
    command.add_option("--points-date", arguments->pointsDate, "Date from which customer points count")
        ->type_name("DD/MM/YYYY")->check(kDate);
    command.add_flag("--allow-duplicate-codes", request.options.allowDuplicateCodes, "Item codes may repeat");
    command.add_flag("--allow-duplicate-names", request.options.allowDuplicateNames, "Item names may repeat");
    CLI::Option* driver = command.add_option("--driver", arguments->driver,
                       "Table driver of the templates or tables (default DBFNTX; msbrg DBFCDX)")
        ->type_name("DBFCDX|DBFNTX|DBFMDX")->check(kDriver);
    CLI::Option* mdb = command.add_option("--mdb", ipos.file, "ipos: the iPOS 3.0 Access file (.MDB)")
        ->transform(absolutePath())->type_name("FILE");
    CLI::Option* password =
        command.add_option("--password", arguments->password,
                           "ipos: the password of the Access file (default $TARVO_IPOS_PASSWORD, else empty)")
            ->type_name("P")->needs(mdb);
    command.add_option("--password-file", arguments->passwordFile,
                       "ipos: the password, the first line of FILE (kept out of the process list)")
        ->type_name("FILE")->check(CLI::ExistingFile)->needs(mdb)->excludes(password);
    CLI::Option* odbc = command.add_option("--odbc", ipos.connectionString,
                       "ipos: an ODBC connection string that replaces the Access one (another driver, a DSN)")
        ->type_name("\"CONNECTION STRING\"")->excludes(mdb);
    CLI::Option* salesAsCustomers =
        command.add_flag("--sales-as-customers", ipos.salesAsCustomers, "ipos: salesmen become customers");
    CLI::Option* commission =
        command.add_flag("--commission-to-adj1", ipos.commissionToAdj1, "ipos: the salesman's commission into ADJ_01");
    CLI::Option* salesAsCash =
        command.add_flag("--sales-as-cash", ipos.salesAsCash, "ipos: sales invoices as cash sales");
    command.add_flag("--dry-run", request.safety.dryRun,
                     "Runs the whole import on a scratch copy of the retail tables; the shop's folder stays as it is");
    command.add_flag("--force", arguments->force, "Imports even though the last import into the database was interrupted");
    command.add_option("--keep-backups", request.safety.keepBackups, "How many backups to keep (default 3)")
        ->type_name("N")->check(CLI::Range(1, 1000));
    command.add_option("--reject-file", arguments->rejectFile,
                       "Where the list of refused duplicates goes (default: REJECT-<shop folder>.TXT in "
                       "~/.local/share/tarvo-import)")->transform(absolutePath())
        ->type_name("FILE")->check(writableFile());
    command.add_flag("--yes", arguments->answerYes, "Answers Yes to \"Lanjutkan proses Import Data ?\"");
    addOutcomeOptions(command, arguments->outcome);

    // Which options go with which source: checked across the options before the run.
    cli.onRun(command, [arguments, templatesFolder, sourceFolder, stockMode, stockDate, driver, mdb, odbc,
                        salesAsCustomers, commission, salesAsCash] {
        const std::string& from = arguments->from;
        auto refuse = [](const std::string& reason) { throw CLI::ValidationError(reason); };
        if (from == "ipos") {
            for (const CLI::Option* option : {templatesFolder, sourceFolder, stockMode, stockDate, driver})
                if (option->count()) refuse(option->get_name() + " does not apply to --from ipos");
            if (!mdb->count() && !odbc->count()) refuse("--from ipos needs --mdb FILE or --odbc \"CONNECTION STRING\"");
        } else {
            for (const CLI::Option* option : {mdb, odbc, salesAsCustomers, commission, salesAsCash})
                if (option->count()) refuse(option->get_name() + " needs --from ipos");
            if (!templatesFolder->count() && !sourceFolder->count())
                refuse("Exactly 1 option from [--templates,--source] is required");
        }
        return runImport(*arguments);
    });
}

const CommandRegistration registration("import", addImportCommand);

}  // namespace

}  // namespace tarvo::cli
