// "templates": the column catalogue of the template files, and empty templates made from it as
// the desktop program's "Create" makes them.

#include <cstdio>
#include <sstream>
#include <string>

#include "app/cli/commands.h"
#include "app/cli/terminal_interaction.h"
#include "templatetools/column_catalogue.h"
#include "templatetools/folder_creation.h"
#include "templatetools/template_creation.h"

namespace tarvo::cli {

namespace {

using templatetools::CataloguePage;
using templatetools::CatalogueRow;

constexpr const char* kUsage =
    "usage: tarvo-import-cli templates columns [FILE]\n"
    "       tarvo-import-cli templates create FOLDER FILE [--columns A,B,...|--all] [--yes]\n";

std::string fileNames() {
    std::string names;
    for (const CataloguePage& page : templatetools::catalogue()) names += (names.empty() ? "" : " ") + page.fileName;
    return names;
}

const CataloguePage* pageOrComplain(const std::string& file) {
    const CataloguePage* page = templatetools::findCataloguePage(file);
    if (!page) std::fprintf(stderr, "unknown template file '%s'; the files are: %s\n", file.c_str(), fileNames().c_str());
    return page;
}

// One line per column, tab-separated: field, type, length, decimals, "*" when mandatory (else
// "-"), the default (else "-"), the description.
void printRows(const CataloguePage& page) {
    for (const CatalogueRow& row : page.rows)
        std::printf("%s\t%c\t%d\t%d\t%s\t%s\t%s\n", row.field.c_str(), row.type, row.length, row.decimals,
                    row.mandatory ? "*" : "-", row.defaultValue.empty() ? "-" : row.defaultValue.c_str(),
                    row.description.c_str());
}

int columnsCommand(const Arguments& args) {
    if (args.size() > 1) return std::fputs(kUsage, stderr), 2;
    if (args.size() == 1) {
        const CataloguePage* page = pageOrComplain(args[0]);
        if (!page) return 2;
        printRows(*page);
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

int createCommand(const Arguments& args) {
    if (args.size() < 2) return std::fputs(kUsage, stderr), 2;
    const CataloguePage* page = pageOrComplain(args[1]);
    if (!page) return 2;
    bool all = false;
    bool answerYes = false;
    const std::string* columns = nullptr;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--all") all = true;
        else if (args[i] == "--yes") answerYes = true;
        else if (args[i] == "--columns" && i + 1 < args.size()) columns = &args[++i];
        else return std::fprintf(stderr, "unexpected argument '%s'\n%s", args[i].c_str(), kUsage), 2;
    }
    if (all && columns) return std::fprintf(stderr, "--columns and --all exclude each other\n%s", kUsage), 2;

    std::vector<bool> ticked(page->rows.size(), all);
    if (columns) {
        std::vector<std::string> unknown;
        ticked = templatetools::ticksForColumns(*page, splitList(*columns), &unknown);
        if (!unknown.empty()) {
            std::string names;
            for (const std::string& name : unknown) names += (names.empty() ? "" : ", ") + name;
            std::fprintf(stderr, "%s has no column %s\n", page->fileName.c_str(), names.c_str());
            return 2;
        }
    }

    TerminalInteraction terminal(answerYes);
    ui::setInteraction(&terminal);
    // No retrying on the command line: a folder that cannot be made is reported once.
    const std::string folder = templatetools::createImportFolder(nullptr, args[0], false);
    templatetools::CreateOutcome outcome = templatetools::CreateOutcome::Failed;
    if (!folder.empty()) outcome = templatetools::createTemplate(nullptr, folder, *page, ticked);
    ui::setInteraction(nullptr);
    if (outcome == templatetools::CreateOutcome::Kept) std::printf("File kept; nothing was written.\n");
    return outcome == templatetools::CreateOutcome::Created ? 0 : 1;
}

}  // namespace

int templatesCommand(const Arguments& args) {
    if (args.empty()) return std::fputs(kUsage, stderr), 2;
    const Arguments rest(args.begin() + 1, args.end());
    if (args[0] == "columns") return columnsCommand(rest);
    if (args[0] == "create") return createCommand(rest);
    std::fprintf(stderr, "unknown templates command '%s'\n%s", args[0].c_str(), kUsage);
    return 2;
}

}  // namespace tarvo::cli
