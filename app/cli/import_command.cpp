// "import": the template import for consultants and scripts.

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/cli/commands.h"
#include "app/cli/terminal_interaction.h"
#include "templates/import_summary.h"
#include "templates/reject_list.h"
#include "templates/template_import.h"
#include "xbase/dates.h"

namespace tarvo::cli {

namespace {

using templates::ImportStatus;
using templates::StockMode;

constexpr const char* kUsage =
    "usage: tarvo-import-cli import --db FOLDER --templates FOLDER [--stock-mode close|open|none]\n"
    "         [--stock-date DD/MM/YYYY] [--points-date DD/MM/YYYY] [--allow-duplicate-codes]\n"
    "         [--allow-duplicate-names] [--driver DBFCDX|DBFNTX|DBFMDX] [--dry-run] [--force]\n"
    "         [--keep-backups N] [--yes]\n";

bool parseDate(const std::string& text, xbase::Date& date) {
    date = xbase::CToD(text);
    return !date.empty();
}

void printSummary(const templates::ImportOutcome& outcome) {
    std::fputs(templates::importSummary(outcome, templates::SummaryLanguage::English).c_str(), stdout);
}

// The options of the run as the backup's manifest records them: the command line itself.
std::string describe(const Arguments& args) {
    std::string text = "import";
    for (const std::string& arg : args) text += " " + arg;
    return text;
}

}  // namespace

int importCommand(const Arguments& args) {
    templates::ImportRequest request;
    request.options = templates::defaultImportOptions();
    request.rejectFolder = templates::executableFolder();
    bool answerYes = false;
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
        } else if (arg == "--dry-run") {
            request.safety.dryRun = true;
        } else if (arg == "--force") {
            request.safety.onInterrupted = safety::OnInterrupted::Continue;
        } else if (arg == "--keep-backups" && (value = next())) {
            char* end = nullptr;
            const long keep = std::strtol(value->c_str(), &end, 10);
            if (*end != '\0' || keep < 1 || keep > 1000)
                return std::fprintf(stderr, "invalid number of backups '%s' (1 to 1000)\n", value->c_str()), 2;
            request.safety.keepBackups = static_cast<int>(keep);
        } else if ((arg == "--db" || arg == "--templates" || arg == "--stock-mode" || arg == "--stock-date" ||
                    arg == "--points-date" || arg == "--driver") && (value = next())) {
            if (arg == "--db") request.databaseFolder = *value;
            if (arg == "--templates") request.templateFolder = *value;
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
                request.options.templateDriver = *driver;
            }
        } else {
            std::fprintf(stderr, "unexpected argument '%s'\n%s", arg.c_str(), kUsage);
            return 2;
        }
    }
    if (request.databaseFolder.empty() || request.templateFolder.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!stockDate.empty()) {
        xbase::Date date;
        if (!parseDate(stockDate, date)) return std::fprintf(stderr, "invalid date '%s' (DD/MM/YYYY)\n", stockDate.c_str()), 2;
        request.options.closingDate = date;
        request.options.openDate = date;
    }

    request.safety.description = describe(args);

    TerminalInteraction terminal(answerYes);
    ui::setInteraction(&terminal);
    const templates::ImportOutcome outcome = templates::runTemplateImport(nullptr, request);
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

}  // namespace tarvo::cli
