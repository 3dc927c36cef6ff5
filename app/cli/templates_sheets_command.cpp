// "templates workbook" and "templates from-sheets": templates to and from spreadsheets.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "app/cli/command_outcome.h"
#include "app/cli/terminal_interaction.h"
#include "sheets/sheet_rows.h"
#include "templatetools/template_workbook.h"
#include "templatetools/templates_from_sheets.h"

namespace tarvo::cli {

namespace {

struct WorkbookArguments {
    std::string file;
    std::vector<std::string> templates;
    OutcomeOptions outcome;
};

int runWorkbook(const WorkbookArguments& args) {
    std::vector<std::string> unknown;
    const auto pages = templatetools::pagesNamed(args.templates, unknown);
    if (!unknown.empty()) throw CLI::ValidationError("--templates", "unknown template '" + unknown.front() + "'");
    CommandOutcome outcome;
    outcome.command = "templates workbook";
    try {
        templatetools::writeTemplateWorkbook(args.file, pages);
        outcome.status = "done";
        outcome.exitStatus = 0;
        outcome.details["file"] = args.file;
        outcome.details["sheets"] = pages.size();
        if (!args.outcome.quiet)
            std::fprintf(args.outcome.humanOutput(), "Workbook written: %s (%zu sheets)\n", args.file.c_str(),
                         pages.size());
    } catch (const sheets::SheetError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        outcome.status = "failed";
        outcome.messages.push_back({"error", "", e.what()});
    }
    return finish(args.outcome, outcome);
}

struct FromSheetsArguments {
    std::string source;
    std::string folder;
    bool truncate = false;
    bool yes = false;
    OutcomeOptions outcome;
};

const char* statusName(sheets::SheetsToTablesOutcome::Status status) {
    switch (status) {
        case sheets::SheetsToTablesOutcome::Status::Written: return "done";
        case sheets::SheetsToTablesOutcome::Status::Declined: return "declined";
        case sheets::SheetsToTablesOutcome::Status::Refused: return "refused";
    }
    return "refused";
}

int runFromSheets(const FromSheetsArguments& args) {
    TerminalInteraction terminal(args.yes, args.outcome.quiet);
    ui::setInteraction(&terminal);
    sheets::ConversionOptions options;
    options.truncate = args.truncate;
    const sheets::SheetsToTablesOutcome converted =
        templatetools::templatesFromSheets(nullptr, args.source, args.folder, options);
    ui::setInteraction(nullptr);

    std::FILE* out = args.outcome.humanOutput();
    const bool written = converted.status == sheets::SheetsToTablesOutcome::Status::Written;
    if (!args.outcome.quiet)
        for (const std::string& note : converted.notes) std::fprintf(out, "%s\n", note.c_str());
    std::fflush(out);
    for (const std::string& line : converted.problems.lines()) std::fprintf(stderr, "%s\n", line.c_str());
    CommandOutcome outcome;
    outcome.command = "templates from-sheets";
    outcome.status = statusName(converted.status);
    outcome.exitStatus = written ? 0 : 1;
    outcome.messages = terminal.messages();
    outcome.details["problems"] = converted.problems.lines();
    outcome.details["folder"] = args.folder;
    if (written) {
        for (const auto& table : converted.tables) {
            outcome.written[table.name] = static_cast<uint32_t>(table.rows);
            if (!args.outcome.quiet)
                std::fprintf(out, "%s: %ld rows, %zu columns\n", table.name.c_str(), table.rows, table.columns.size());
        }
    } else if (converted.status == sheets::SheetsToTablesOutcome::Status::Declined) {
        std::fprintf(stderr, "Nothing was written.\n");
    } else {
        std::fprintf(stderr, "%zu errors; nothing was written.\n", converted.problems.errorCount());
    }
    return finish(args.outcome, outcome);
}

void addTemplatesSheetsCommands(CommandLine& cli) {
    CLI::App& templates = cli.group("templates");

    auto workbook = std::make_shared<WorkbookArguments>();
    CLI::App& write = *templates.add_subcommand("workbook", "Writes a workbook to fill in: one sheet per template file");
    write.add_option("FILE", workbook->file, "The .xlsx file to write")->transform(absolutePath())->required();
    write.add_option("--templates", workbook->templates, "Only these template files, comma-separated (all when left out)")
        ->delimiter(',')
        ->type_name("A,B,...");
    addOutcomeOptions(write, workbook->outcome);
    cli.onRun(write, [workbook] { return runWorkbook(*workbook); });

    auto from = std::make_shared<FromSheetsArguments>();
    CLI::App& read = *templates.add_subcommand(
        "from-sheets", "Writes templates from a filled workbook or CSV files, every cell checked before anything is written");
    read.add_option("SOURCE", from->source, "An .xlsx workbook, a NAME.csv file or a folder of them")
        ->transform(absolutePath())->required();
    read.add_option("FOLDER", from->folder, "The template folder (made when missing)")
        ->transform(absolutePath())->required();
    read.add_flag("--truncate", from->truncate, "Cut over-long text to the width (listed as warnings)");
    read.add_flag("--yes", from->yes, "Replace existing templates without asking");
    addOutcomeOptions(read, from->outcome);
    cli.onRun(read, [from] { return runFromSheets(*from); });
}

const CommandRegistration registration("templates-sheets", addTemplatesSheetsCommands);

}  // namespace

}  // namespace tarvo::cli
