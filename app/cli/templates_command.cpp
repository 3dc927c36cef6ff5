// "templates": the column catalogue of the template files, and empty templates made from it as
// the desktop program's "Create" makes them.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/command_outcome.h"
#include "app/cli/terminal_interaction.h"
#include "templatetools/column_catalogue.h"
#include "templatetools/folder_creation.h"
#include "templatetools/template_creation.h"

namespace tarvo::cli {

namespace {

using templatetools::CataloguePage;
using templatetools::CatalogueRow;

std::string fileNames() {
    std::string names;
    for (const CataloguePage& page : templatetools::catalogue()) names += (names.empty() ? "" : " ") + page.fileName;
    return names;
}

// The FILE argument: one of the template files, with or without ".DBF", in any case.
const CLI::Validator kTemplateFile = validator([](const std::string& file) {
    return templatetools::findCataloguePage(file)
               ? std::string()
               : "unknown template file '" + file + "'; the files are: " + fileNames();
});

// One line per column, tab-separated: field, type, length, decimals, "*" when mandatory (else
// "-"), the default (else "-"), the description.
void printRows(const CataloguePage& page) {
    for (const CatalogueRow& row : page.rows)
        std::printf("%s\t%c\t%d\t%d\t%s\t%s\t%s\n", row.field.c_str(), row.type, row.length, row.decimals,
                    row.mandatory ? "*" : "-", row.defaultValue.empty() ? "-" : row.defaultValue.c_str(),
                    row.description.c_str());
}

int columnsCommand(const std::string& file) {
    if (!file.empty()) {
        printRows(*templatetools::findCataloguePage(file));
        return 0;
    }
    bool first = true;
    for (const CataloguePage& page : templatetools::catalogue()) {
        std::printf("%s== %s: %s\n", first ? "" : "\n", page.fileName.c_str(), page.title.c_str());
        printRows(page);
        first = false;
    }
    return 0;
}

std::vector<std::string> splitList(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');)
        if (!item.empty()) items.push_back(item);
    return items;
}

struct CreateArguments {
    std::string folder;
    std::string file;
    std::string columns;
    bool all = false;
    bool answerYes = false;
    OutcomeOptions outcome;
};

int createCommand(const CreateArguments& arguments) {
    const CataloguePage* page = templatetools::findCataloguePage(arguments.file);
    std::vector<bool> ticked(page->rows.size(), arguments.all);
    if (!arguments.columns.empty()) {
        std::vector<std::string> unknown;
        ticked = templatetools::ticksForColumns(*page, splitList(arguments.columns), &unknown);
        if (!unknown.empty()) {
            std::string names;
            for (const std::string& name : unknown) names += (names.empty() ? "" : ", ") + name;
            throw CLI::ValidationError("--columns", page->fileName + " has no column " + names);
        }
    }

    TerminalInteraction terminal(arguments.answerYes, arguments.outcome.quiet);
    ui::setInteraction(&terminal);
    // A page that gives no column is refused before the folder is made: nothing is written.
    const bool noColumns = templatetools::createdRows(*page, ticked).empty();
    if (noColumns)
        ui::BOXERROR(nullptr, templatetools::noColumnsMessage((std::filesystem::path(arguments.folder) / page->fileName).string()));
    // No retrying on the command line: a folder that cannot be made is reported once.
    const std::string folder = noColumns ? std::string() : templatetools::createImportFolder(nullptr, arguments.folder, false);
    templatetools::CreateOutcome created = templatetools::CreateOutcome::Failed;
    if (!folder.empty()) created = templatetools::createTemplate(nullptr, folder, *page, ticked);
    ui::setInteraction(nullptr);
    if (created == templatetools::CreateOutcome::Kept) std::fprintf(stderr, "File kept; nothing was written.\n");

    CommandOutcome outcome;
    outcome.command = "templates create";
    outcome.status = created == templatetools::CreateOutcome::Created ? "done"
                     : created == templatetools::CreateOutcome::Kept  ? "declined"
                     : folder.empty()                                 ? "refused"
                                                                      : "failed";
    outcome.exitStatus = created == templatetools::CreateOutcome::Created ? 0 : 1;
    outcome.messages = terminal.messages();
    if (!folder.empty()) outcome.details["file"] = (std::filesystem::path(folder) / page->fileName).string();
    return finish(arguments.outcome, outcome);
}

void addTemplatesCommands(CommandLine& cli) {
    CLI::App& templates = cli.group("templates", "The template files: their columns, and empty templates made from them");

    CLI::App& columns = *templates.add_subcommand("columns", "One tab-separated line per column of every template file, or of one");
    auto file = std::make_shared<std::string>();
    columns.add_option("FILE", *file, "A template file (ITEM.DBF, or item)")->check(kTemplateFile);
    cli.onRun(columns, [file] { return columnsCommand(*file); });

    CLI::App& create = *templates.add_subcommand("create", "Writes an empty template as the desktop program's \"Create\" does");
    auto arguments = std::make_shared<CreateArguments>();
    create.add_option("FOLDER", arguments->folder, "The import folder (made when missing)")
        ->required()->transform(absolutePath());
    create.add_option("FILE", arguments->file, "The template file (ITEM.DBF, or item)")->required()->check(kTemplateFile);
    CLI::Option* named = create.add_option("--columns", arguments->columns,
                                           "The columns besides the mandatory ones, separated by commas")
                             ->type_name("A,B,...");
    create.add_flag("--all", arguments->all, "Every column of the file")->excludes(named);
    create.add_flag("--yes", arguments->answerYes, "Answers Yes to replacing a file that holds records");
    addOutcomeOptions(create, arguments->outcome);
    cli.onRun(create, [arguments] { return createCommand(*arguments); });
}

const CommandRegistration registration("templates", addTemplatesCommands);

}  // namespace

}  // namespace tarvo::cli
