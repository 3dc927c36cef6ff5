// "templates workbook", "templates from-sheets" and "templates map": templates to and from
// spreadsheets, and the column mapping of a shop's own workbook.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "app/cli/command_outcome.h"
#include "app/cli/terminal_interaction.h"
#include "sheets/sheet_rows.h"
#include "templatetools/mapping_proposal.h"
#include "xbase/codepage.h"
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
    std::string map;
    bool truncate = false;
    bool yes = false;
    bool check = false;
    OutcomeOptions outcome;
    std::string encoding;
};

const char* statusName(sheets::SheetsToTablesOutcome::Status status) {
    switch (status) {
        case sheets::SheetsToTablesOutcome::Status::Written: return "done";
        case sheets::SheetsToTablesOutcome::Status::Checked: return "checked";
        case sheets::SheetsToTablesOutcome::Status::Declined: return "declined";
        case sheets::SheetsToTablesOutcome::Status::Refused: return "refused";
    }
    return "refused";
}

int runFromSheets(const FromSheetsArguments& args) {
    templatetools::ColumnMapping mapping;
    try {
        mapping = templatetools::mappingFor(args.source, args.map);
    } catch (const std::exception& e) {  // a mapping that cannot be read or does not fit, a source that is no workbook
        std::fprintf(stderr, "%s\nNothing was written.\n", e.what());
        return 1;
    }
    TerminalInteraction terminal(args.yes, args.outcome.quiet);
    ui::setInteraction(&terminal);
    sheets::ConversionOptions options;
    options.truncate = args.truncate;
    if (!args.encoding.empty()) options.csvCodePage = xbase::CodePage::numbered(args.encoding);
    const sheets::SheetsToTablesOutcome converted =
        templatetools::templatesFromSheets(nullptr, args.source, args.folder, options, &mapping, args.check);
    ui::setInteraction(nullptr);

    std::FILE* out = args.outcome.humanOutput();
    const bool written = converted.status == sheets::SheetsToTablesOutcome::Status::Written;
    const bool checked = converted.status == sheets::SheetsToTablesOutcome::Status::Checked;
    if (!args.outcome.quiet)
        for (const std::string& note : converted.notes) std::fprintf(out, "%s\n", note.c_str());
    std::fflush(out);
    for (const std::string& line : converted.problems.lines()) std::fprintf(stderr, "%s\n", line.c_str());
    CommandOutcome outcome;
    outcome.command = "templates from-sheets";
    outcome.status = statusName(converted.status);
    outcome.exitStatus = written || checked ? 0 : 1;
    outcome.messages = terminal.messages();
    outcome.details["problems"] = converted.problems.lines();
    outcome.details["folder"] = args.folder;
    if (written || checked) {
        for (const auto& table : converted.tables) {
            if (written) outcome.written[table.name] = static_cast<uint32_t>(table.rows);
            if (!args.outcome.quiet)
                std::fprintf(out, "%s: %ld rows, %zu columns\n", table.name.c_str(), table.rows, table.columns.size());
        }
        if (checked && !args.outcome.quiet) std::fprintf(out, "Every cell passed; nothing was written.\n");
    } else if (converted.status == sheets::SheetsToTablesOutcome::Status::Declined) {
        std::fprintf(stderr, "Nothing was written.\n");
    } else {
        std::fprintf(stderr, "%zu errors; nothing was written.\n", converted.problems.errorCount());
    }
    return finish(args.outcome, outcome);
}

struct MapArguments {
    std::string source;
    std::string write;
};

int runMap(const MapArguments& args) {
    try {
        const templatetools::ColumnMapping mapping = templatetools::proposeMapping(templatetools::readSheetHeads(args.source));
        if (args.write.empty()) {
            std::printf("%s", templatetools::mappingToJson(mapping).c_str());
            return 0;
        }
        templatetools::writeMappingFile(args.write, mapping);
        std::printf("Column mapping written: %s (%zu sheets)\n", args.write.c_str(), mapping.sheets.size());
        return 0;
    } catch (const std::exception& e) {  // a source that is no workbook, a file that cannot be written
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
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
    read.add_option("--map", from->map,
                    "The column mapping to use (JSON, see 'templates map'); by default SOURCE's .mapping.json beside it "
                    "when there is one, else the proposed mapping")
        ->transform(absolutePath());
    read.add_flag("--check", from->check, "Make every check and write nothing");
    read.add_flag("--truncate", from->truncate, "Cut over-long text to the width (listed as warnings)");
    read.add_flag("--yes", from->yes, "Replace existing templates without asking");
    read.add_option("--encoding", from->encoding,
                    "The code page of CSV files that are not UTF-8: 437, 850, 1252 (the default), ...")
        ->type_name("CODEPAGE")
        ->check(CLI::Validator(
            [](const std::string& number) {
                return xbase::CodePage::numbered(number) ? std::string() : "unknown code page '" + number + "'";
            },
            "CODEPAGE"));
    addOutcomeOptions(read, from->outcome);
    cli.onRun(read, [from] { return runFromSheets(*from); });

    auto map = std::make_shared<MapArguments>();
    CLI::App& propose = *templates.add_subcommand(
        "map", "Prints (or writes) the proposed column mapping of a workbook: each sheet's template and header row, each "
               "column's template column");
    propose.add_option("SOURCE", map->source, "An .xlsx workbook, a .csv file or a folder of them")
        ->transform(absolutePath())->required();
    propose.add_option("--write", map->write, "Write the mapping to this file instead of printing it")
        ->transform(absolutePath());
    cli.onRun(propose, [map] { return runMap(*map); });
}

const CommandRegistration registration("templates-sheets", addTemplatesSheetsCommands);

}  // namespace

}  // namespace tarvo::cli
