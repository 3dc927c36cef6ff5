// "import": the template import, or the import from another application's tables, for
// consultants and scripts.

#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/terminal_interaction.h"
#include "importers/application_sources.h"
#include "templates/import_summary.h"
#include "templates/reject_list.h"
#include "templates/template_import.h"
#include "xbase/dates.h"

namespace tarvo::cli {

namespace {

using templates::ImportStatus;
using templates::StockMode;

// A validator whose check gives the reason a value is refused, empty when it is accepted.
CLI::Validator refusing(std::function<std::string(const std::string&)> reason) {
    return CLI::Validator([reason](std::string& value) { return reason(value); }, "");
}

std::optional<StockMode> stockModeFromName(const std::string& name) {
    if (name == "close") return StockMode::CloseDay;
    if (name == "open") return StockMode::Open;
    if (name == "none") return StockMode::None;
    return std::nullopt;
}

const CLI::Validator kStockMode = refusing([](const std::string& value) {
    return stockModeFromName(value) ? std::string() : "unknown stock mode '" + value + "'";
});
const CLI::Validator kDate = refusing([](const std::string& value) {
    return xbase::CToD(value).empty() ? "invalid date '" + value + "' (DD/MM/YYYY)" : std::string();
});
const CLI::Validator kDriver = refusing([](const std::string& value) {
    return xbase::driverFromName(value) ? std::string() : "unknown driver '" + value + "'";
});

// The sources of --from: the templates, or the IMPORT2LIST value of another application.
const std::map<std::string, int> kSources = {{"templates", 0},
                                             {"msbrg", importers::kLindraMakmur},
                                             {"is", importers::kIntegratedSystem},
                                             {"ias", importers::kIas}};

struct ImportArguments {
    templates::ImportRequest request;
    std::string from = "templates";
    std::string stockMode = "none";
    std::string stockDate;
    std::string pointsDate;
    std::string driver;
    bool answerYes = false;
    bool force = false;
};

// The import's options as the backup's manifest records them.
std::string describe(const ImportArguments& a) {
    const templates::ImportOptions& o = a.request.options;
    return "import --from " + a.from + " " + a.request.importFolder + " --stock-mode " + a.stockMode +
           (a.stockDate.empty() ? "" : " --stock-date " + a.stockDate) +
           (a.pointsDate.empty() ? "" : " --points-date " + a.pointsDate) +
           (o.allowDuplicateCodes ? " --allow-duplicate-codes" : "") +
           (o.allowDuplicateNames ? " --allow-duplicate-names" : "") + " --driver " +
           xbase::driverName(o.tableDriver);
}

void printSummary(const templates::ImportOutcome& outcome) {
    std::fputs(templates::importSummary(outcome, templates::SummaryLanguage::English).c_str(), stdout);
}

int runImport(ImportArguments& arguments) {
    templates::ImportRequest& request = arguments.request;
    request.options.stockMode = *stockModeFromName(arguments.stockMode);
    if (!arguments.stockDate.empty()) {
        request.options.closingDate = xbase::CToD(arguments.stockDate);
        request.options.openDate = request.options.closingDate;
    }
    if (!arguments.pointsDate.empty()) request.options.pointsDate = xbase::CToD(arguments.pointsDate);
    const int application = kSources.at(arguments.from);
    if (!arguments.driver.empty())
        request.options.tableDriver = *xbase::driverFromName(arguments.driver);
    else if (application != 0)  // the driver that choosing the application in the window presets
        request.options.tableDriver =
            application == importers::kLindraMakmur ? xbase::Driver::DBFCDX : xbase::Driver::DBFNTX;
    const std::unique_ptr<templates::ImportSource> source =
        application == 0 ? templates::templateSource() : importers::BUTTONIMPORT2(application);

    if (arguments.force) request.safety.onInterrupted = safety::OnInterrupted::Continue;
    request.safety.description = describe(arguments);

    TerminalInteraction terminal(arguments.answerYes);
    ui::setInteraction(&terminal);
    const templates::ImportOutcome outcome = templates::runImport(nullptr, request, *source);
    ui::setInteraction(nullptr);
    switch (outcome.status) {
        case ImportStatus::Done:
            printSummary(outcome);
            return 0;
        case ImportStatus::Declined:
            std::printf("Import cancelled.\n");
            return 1;
        case ImportStatus::Refused:
            if (outcome.refusal == templates::Refusal::Interrupted)
                std::fprintf(stderr,
                             "Import refused: the last import into this database was interrupted. Put its backup "
                             "back with\n  tarvo-import-cli restore --db %s --backup %s\nor import anyway with "
                             "--force.\n",
                             request.databaseFolder.c_str(), outcome.interruptedBackup.c_str());
            else if (outcome.refusal == templates::Refusal::Preparation)
                std::fprintf(stderr, "Import refused; the preparation stopped halfway and the backup taken before it "
                                     "was put back.\n");
            else
                std::fprintf(stderr, "Import refused; the retail database was not changed.\n");
            return 1;
        case ImportStatus::Failed:
            printSummary(outcome);
            std::fprintf(stderr, "Import failed.\n");
            if (!outcome.backupFolder.empty())
                std::fprintf(stderr, "The data before the import is in its backup; put it back with\n"
                                     "  tarvo-import-cli restore --db %s --backup %s\n",
                             request.databaseFolder.c_str(), outcome.backupFolder.filename().c_str());
            return 1;
    }
    return 1;
}

void addImportCommand(CommandLine& cli) {
    CLI::App& command = cli.add("import", "The template import, or the import from another application's tables, into "
                                          "a retail database, as the desktop program runs it");
    auto arguments = std::make_shared<ImportArguments>();
    templates::ImportRequest& request = arguments->request;
    request.options = templates::defaultImportOptions();
    request.rejectFolder = templates::executableFolder();
    command.add_option("--db", request.databaseFolder, "The retail database folder (the one that holds ST_DB)")
        ->type_name("FOLDER")->required();
    command.add_option("--from", arguments->from,
                       "What to import: the templates, or the tables of msbrg (\"Lindra Makmur - Tg. Batu\"), "
                       "is (\"IS/Integrated System\") or ias (\"IAS (Medan)\")")
        ->type_name("templates|msbrg|is|ias")->check(CLI::IsMember({"templates", "msbrg", "is", "ias"}))
        ->capture_default_str();
    CLI::Option_group* folder = command.add_option_group("import folder", "One of these, by the source");
    folder->add_option("--templates", request.importFolder, "The folder of the templates (ITEM.DBF, ...)")
        ->type_name("FOLDER");
    folder->add_option("--source", request.importFolder, "The folder of the other application's tables")
        ->type_name("FOLDER");
    folder->require_option(1);
    command.add_option("--stock-mode", arguments->stockMode,
                       "Opening stock: close (with day closing), open (still editable) or none")
        ->type_name("close|open|none")->check(kStockMode)->capture_default_str();
    command.add_option("--stock-date", arguments->stockDate, "Date of the opening stock (default 31/12 of last year)")
        ->type_name("DD/MM/YYYY")->check(kDate);
    command.add_option("--points-date", arguments->pointsDate, "Date from which customer points count")
        ->type_name("DD/MM/YYYY")->check(kDate);
    command.add_flag("--allow-duplicate-codes", request.options.allowDuplicateCodes, "Item codes may repeat");
    command.add_flag("--allow-duplicate-names", request.options.allowDuplicateNames, "Item names may repeat");
    command.add_option("--driver", arguments->driver, "Table driver of the templates or source tables (default DBFNTX; msbrg DBFCDX)")
        ->type_name("DBFCDX|DBFNTX|DBFMDX")->check(kDriver);
    command.add_flag("--dry-run", request.safety.dryRun,
                     "Runs the whole import on a scratch copy of the retail tables; the shop's folder stays as it is");
    command.add_flag("--force", arguments->force, "Imports even though the last import into the database was interrupted");
    command.add_option("--keep-backups", request.safety.keepBackups, "How many backups to keep (default 3)")
        ->type_name("N")->check(CLI::Range(1, 1000));
    command.add_flag("--yes", arguments->answerYes, "Answers Yes to \"Lanjutkan proses Import Data ?\"");
    cli.onRun(command, [arguments] { return runImport(*arguments); });
}

const CommandRegistration registration("import", addImportCommand);

}  // namespace

}  // namespace tarvo::cli
