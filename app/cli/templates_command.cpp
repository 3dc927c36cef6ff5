// "templates": the column catalogue of the template files, and empty templates made from it as
// the desktop program's "Create" makes them.

#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/cli/command_line.h"
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

// The catalogue page of a file name; an unknown name is a usage error listing the known ones.
const CataloguePage& pageOf(const std::string& file) {
    const CataloguePage* page = templatetools::findCataloguePage(file);
    if (!page)
        throw CLI::ValidationError("unknown template file '" + file + "'; the files are: " + fileNames());
    return *page;
}

// One line per column, tab-separated: field, type, length, decimals, "*" when mandatory (else
// "-"), the default (else "-"), the description.
void printRows(const CataloguePage& page) {
    for (const CatalogueRow& row : page.rows)
        std::printf("%s\t%c\t%d\t%d\t%s\t%s\t%s\n", row.field.c_str(), row.type, row.length, row.decimals,
                    row.mandatory ? "*" : "-", row.defaultValue.empty() ? "-" : row.defaultValue.c_str(),
                    row.description.c_str());
}

int listColumns(const std::string& file) {
    if (!file.empty()) {
        printRows(pageOf(file));
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
};

int createFile(const CreateArguments& arguments) {
    const CataloguePage& page = pageOf(arguments.file);
    std::vector<bool> ticked(page.rows.size(), arguments.all);
    if (!arguments.columns.empty()) {
        std::vector<std::string> unknown;
        ticked = templatetools::ticksForColumns(page, splitList(arguments.columns), &unknown);
        if (!unknown.empty()) {
            std::string names;
            for (const std::string& name : unknown) names += (names.empty() ? "" : ", ") + name;
            throw CLI::ValidationError(page.fileName + " has no column " + names);
        }
    }

    TerminalInteraction terminal(arguments.answerYes);
    ui::setInteraction(&terminal);
    // No retrying on the command line: a folder that cannot be made is reported once.
    const std::string folder = templatetools::createImportFolder(nullptr, arguments.folder, false);
    templatetools::CreateOutcome outcome = templatetools::CreateOutcome::Failed;
    if (!folder.empty()) outcome = templatetools::createTemplate(nullptr, folder, page, ticked);
    ui::setInteraction(nullptr);
    if (outcome == templatetools::CreateOutcome::Kept) std::printf("File kept; nothing was written.\n");
    return outcome == templatetools::CreateOutcome::Created ? 0 : 1;
}

void addTemplatesCommands(CommandLine& cli) {
    CLI::App& templates = cli.group("templates", "The template files: their columns, and empty templates");

    CLI::App& columns = *templates.add_subcommand("columns", "Lists the columns of every template file, or of one");
    auto file = std::make_shared<std::string>();
    columns.add_option("FILE", *file, "A template file name, for example ITEM.DBF or sales");
    cli.onRun(columns, [file] { return listColumns(*file); });

    CLI::App& create = *templates.add_subcommand("create", "Writes an empty template as the window's \"Create\" does");
    auto arguments = std::make_shared<CreateArguments>();
    create.add_option("FOLDER", arguments->folder, "The import folder (made when missing)")->required();
    create.add_option("FILE", arguments->file, "The template file, for example ITEM.DBF")->required();
    CLI::Option* columnList =
        create.add_option("--columns", arguments->columns, "Optional columns to include, comma-separated")->type_name("A,B,...");
    create.add_flag("--all", arguments->all, "Include every optional column")->excludes(columnList);
    create.add_flag("--yes", arguments->answerYes, "Replace a template that holds records without asking");
    cli.onRun(create, [arguments] { return createFile(*arguments); });
}

const CommandRegistration registration("templates", addTemplatesCommands);

}  // namespace

}  // namespace tarvo::cli
