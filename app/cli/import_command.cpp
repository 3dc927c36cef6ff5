// "import": the template import, or the import from another application's tables, for
// consultants and scripts.

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "app/cli/commands.h"
#include "app/cli/terminal_interaction.h"
#include "importers/application_sources.h"
#include "templates/reject_list.h"
#include "templates/template_import.h"
#include "xbase/dates.h"

namespace tarvo::cli {

namespace {

using templates::ImportStatus;
using templates::StockMode;

constexpr const char* kUsage =
    "usage: tarvo-import-cli import --db FOLDER --templates FOLDER [--stock-mode close|open|none]\n"
    "       tarvo-import-cli import --from msbrg|is|ias --source FOLDER --db FOLDER [options]\n"
    "         [--stock-date DD/MM/YYYY] [--points-date DD/MM/YYYY] [--allow-duplicate-codes]\n"
    "         [--allow-duplicate-names] [--driver DBFCDX|DBFNTX|DBFMDX] [--yes]\n"
    "  --from templates (the default) reads the templates of --templates; msbrg, is and ias read the\n"
    "  tables of those applications in --source, with the driver their entry presets (msbrg DBFCDX,\n"
    "  is and ias DBFNTX) unless --driver says otherwise.\n";

// The sources of --from: the templates, or the IMPORT2LIST value of another application.
const std::map<std::string, int> kSources = {{"templates", 0},
                                             {"msbrg", importers::kLindraMakmur},
                                             {"is", importers::kIntegratedSystem},
                                             {"ias", importers::kIas}};

bool parseDate(const std::string& text, xbase::Date& date) {
    date = xbase::CToD(text);
    return !date.empty();
}

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

}  // namespace

int importCommand(const Arguments& args) {
    templates::ImportRequest request;
    request.options = templates::defaultImportOptions();
    request.rejectFolder = templates::executableFolder();
    bool answerYes = false;
    bool driverGiven = false;
    int application = 0;
    std::string stockDate;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto next = [&]() -> const std::string* { return i + 1 < args.size() ? &args[++i] : nullptr; };
        const std::string* value = nullptr;
        if (arg == "--yes") {
            answerYes = true;
        } else if (arg == "--allow-duplicate-codes") {
            request.options.allowDuplicateCodes = true;
        } else if (arg == "--allow-duplicate-names") {
            request.options.allowDuplicateNames = true;
        } else if ((arg == "--db" || arg == "--templates" || arg == "--source" || arg == "--from" ||
                    arg == "--stock-mode" || arg == "--stock-date" || arg == "--points-date" || arg == "--driver") &&
                   (value = next())) {
            if (arg == "--db") request.databaseFolder = *value;
            if (arg == "--templates" || arg == "--source") request.importFolder = *value;
            if (arg == "--from") {
                auto source = kSources.find(*value);
                if (source == kSources.end())
                    return std::fprintf(stderr, "unknown source '%s'\n%s", value->c_str(), kUsage), 2;
                application = source->second;
            }
            if (arg == "--stock-date") stockDate = *value;
            if (arg == "--stock-mode") {
                if (*value == "close") request.options.stockMode = StockMode::CloseDay;
                else if (*value == "open") request.options.stockMode = StockMode::Open;
                else if (*value == "none") request.options.stockMode = StockMode::None;
                else return std::fprintf(stderr, "unknown stock mode '%s'\n%s", value->c_str(), kUsage), 2;
            }
            if (arg == "--points-date" && !parseDate(*value, request.options.pointsDate))
                return std::fprintf(stderr, "invalid date '%s' (DD/MM/YYYY)\n", value->c_str()), 2;
            if (arg == "--driver") {
                auto driver = xbase::driverFromName(*value);
                if (!driver) return std::fprintf(stderr, "unknown driver '%s'\n%s", value->c_str(), kUsage), 2;
                request.options.tableDriver = *driver;
                driverGiven = true;
            }
        } else {
            std::fprintf(stderr, "unexpected argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (request.databaseFolder.empty() || request.importFolder.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!stockDate.empty()) {
        xbase::Date date;
        if (!parseDate(stockDate, date)) return std::fprintf(stderr, "invalid date '%s' (DD/MM/YYYY)\n", stockDate.c_str()), 2;
        request.options.closingDate = date;
        request.options.openDate = date;
    }

    // The driver that choosing the application in the window presets (CHECKDRIVER).
    if (application != 0 && !driverGiven)
        request.options.tableDriver = application == importers::kLindraMakmur ? xbase::Driver::DBFCDX : xbase::Driver::DBFNTX;
    std::unique_ptr<templates::ImportSource> source =
        application == 0 ? templates::templateSource() : importers::BUTTONIMPORT2(application);

    TerminalInteraction terminal(answerYes);
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

}  // namespace tarvo::cli
