// "templates workbook" and "templates from-sheets": templates to and from spreadsheets.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
#include "app/cli/terminal_interaction.h"
#include "sheets/sheet_rows.h"
#include "xbase/codepage.h"
#include "templatetools/template_workbook.h"
#include "templatetools/templates_from_sheets.h"

namespace tarvo::cli {

namespace {

struct WorkbookArguments {
    std::string file;
    std::vector<std::string> templates;
};

int runWorkbook(const WorkbookArguments& args) {
    std::vector<std::string> unknown;
    const auto pages = templatetools::pagesNamed(args.templates, unknown);
    if (!unknown.empty()) throw CLI::ValidationError("--templates", "unknown template '" + unknown.front() + "'");
    try {
        templatetools::writeTemplateWorkbook(args.file, pages);
    } catch (const sheets::SheetError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("Workbook written: %s (%zu sheets)\n", args.file.c_str(), pages.size());
    return 0;
}

struct FromSheetsArguments {
    std::string source;
    std::string folder;
    bool truncate = false;
    bool yes = false;
    std::string encoding;
};

int runFromSheets(const FromSheetsArguments& args) {
    TerminalInteraction terminal(args.yes);
    ui::setInteraction(&terminal);
    sheets::ConversionOptions options;
    options.truncate = args.truncate;
    if (!args.encoding.empty()) options.csvCodePage = xbase::CodePage::numbered(args.encoding);
    const sheets::SheetsToTablesOutcome outcome = templatetools::templatesFromSheets(nullptr, args.source, args.folder, options);
    ui::setInteraction(nullptr);

    for (const std::string& note : outcome.notes) std::printf("%s\n", note.c_str());
    std::fflush(stdout);
    for (const std::string& line : outcome.problems.lines()) std::fprintf(stderr, "%s\n", line.c_str());
    switch (outcome.status) {
        case sheets::SheetsToTablesOutcome::Status::Written:
            for (const auto& table : outcome.tables)
                std::printf("%s: %ld rows, %zu columns\n", table.name.c_str(), table.rows, table.columns.size());
            return 0;
        case sheets::SheetsToTablesOutcome::Status::Declined:
            std::printf("Nothing was written.\n");
            return 1;
        case sheets::SheetsToTablesOutcome::Status::Refused:
            std::fprintf(stderr, "%zu errors; nothing was written.\n", outcome.problems.errorCount());
            return 1;
    }
    return 1;
}

void addTemplatesSheetsCommands(CommandLine& cli) {
    CLI::App& templates = cli.group("templates");

    auto workbook = std::make_shared<WorkbookArguments>();
    CLI::App& write = *templates.add_subcommand("workbook", "Writes a workbook to fill in: one sheet per template file");
    write.add_option("FILE", workbook->file, "The .xlsx file to write")->required();
    write.add_option("--templates", workbook->templates, "Only these template files, comma-separated (all when left out)")
        ->delimiter(',')
        ->type_name("A,B,...");
    cli.onRun(write, [workbook] { return runWorkbook(*workbook); });

    auto from = std::make_shared<FromSheetsArguments>();
    CLI::App& read = *templates.add_subcommand(
        "from-sheets", "Writes templates from a filled workbook or CSV files, every cell checked before anything is written");
    read.add_option("SOURCE", from->source, "An .xlsx workbook, a NAME.csv file or a folder of them")->required();
    read.add_option("FOLDER", from->folder, "The template folder (made when missing)")->required();
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
    cli.onRun(read, [from] { return runFromSheets(*from); });
}

const CommandRegistration registration("templates-sheets", addTemplatesSheetsCommands);

}  // namespace

}  // namespace tarvo::cli
