// "templates workbook" and "templates from-sheets": templates to and from spreadsheets.

#include <cstdio>
#include <sstream>
#include <string>

#include "app/cli/commands.h"
#include "app/cli/terminal_interaction.h"
#include "sheets/sheet_rows.h"
#include "templatetools/template_workbook.h"
#include "templatetools/templates_from_sheets.h"

namespace tarvo::cli {

namespace {

constexpr const char* kWorkbookUsage = "usage: tarvo-import-cli templates workbook FILE.xlsx [--templates A,B,...]\n";
constexpr const char* kFromSheetsUsage =
    "usage: tarvo-import-cli templates from-sheets SOURCE FOLDER [--truncate] [--yes]\n"
    "       SOURCE: an .xlsx workbook (sheets named like templates), a NAME.csv file or a folder of them\n";

std::vector<std::string> splitNames(const std::string& text) {
    std::vector<std::string> items;
    std::stringstream stream(text);
    for (std::string item; std::getline(stream, item, ',');)
        if (!item.empty()) items.push_back(item);
    return items;
}

}  // namespace

int templatesWorkbookCommand(const Arguments& args) {
    if (args.empty()) return std::fputs(kWorkbookUsage, stderr), 2;
    std::vector<std::string> names;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == "--templates" && i + 1 < args.size()) names = splitNames(args[++i]);
        else return std::fprintf(stderr, "unexpected argument '%s'\n%s", args[i].c_str(), kWorkbookUsage), 2;
    }
    std::vector<std::string> unknown;
    const auto pages = templatetools::pagesNamed(names, unknown);
    if (!unknown.empty()) {
        for (const std::string& name : unknown) std::fprintf(stderr, "unknown template '%s'\n", name.c_str());
        return 2;
    }
    try {
        templatetools::writeTemplateWorkbook(args[0], pages);
    } catch (const sheets::SheetError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    std::printf("Workbook written: %s (%zu sheets)\n", args[0].c_str(), pages.size());
    return 0;
}

int templatesFromSheetsCommand(const Arguments& args) {
    if (args.size() < 2) return std::fputs(kFromSheetsUsage, stderr), 2;
    bool answerYes = false;
    sheets::ConversionOptions options;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--yes") answerYes = true;
        else if (args[i] == "--truncate") options.truncate = true;
        else return std::fprintf(stderr, "unexpected argument '%s'\n%s", args[i].c_str(), kFromSheetsUsage), 2;
    }
    TerminalInteraction terminal(answerYes);
    ui::setInteraction(&terminal);
    const sheets::SheetsToTablesOutcome outcome = templatetools::templatesFromSheets(nullptr, args[0], args[1], options);
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

}  // namespace tarvo::cli
