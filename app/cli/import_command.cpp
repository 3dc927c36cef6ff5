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
};

void printSummary(const templates::ImportOutcome& outcome) {
    std::printf("Records written:\n");
    for (const auto& [table, count] : outcome.written) std::printf("  %-10s %u\n", table.c_str(), count);
    if (!outcome.skipped.empty()) {
        std::printf("Rows skipped:\n");
        for (const auto& [tmpl, count] : outcome.skipped) std::printf("  %-10s %u\n", tmpl.c_str(), count);
    }
    std::printf("Duplicates: %zu by code, %zu by name\n", outcome.codeDuplicates, outcome.nameDuplicates);
    if (!outcome.rejectFile.empty()) std::printf("Reject list: %s\n", outcome.rejectFile.c_str());
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
            if (outcome.refusal == templates::Refusal::Preparation)
                std::fprintf(stderr, "Import refused; the preparation stopped halfway: the retail records are as they "
                                     "were, some index files may have been deleted.\n");
            else
                std::fprintf(stderr, "Import refused; the retail database was not changed.\n");
            return 1;
        case ImportStatus::Failed:
            printSummary(outcome);
            std::fprintf(stderr, "Import failed.\n");
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
    command.add_flag("--yes", arguments->answerYes, "Answers Yes to \"Lanjutkan proses Import Data ?\"");
    cli.onRun(command, [arguments] { return runImport(*arguments); });
}

const CommandRegistration registration("import", addImportCommand);

}  // namespace

}  // namespace tarvo::cli
