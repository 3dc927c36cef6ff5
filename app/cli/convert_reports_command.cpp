// "convert-reports": the printed item and customer reports of a folder become its ITEM.DBF and
// PELANG.DBF templates, as the window's "Create DBF" does.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/terminal_interaction.h"
#include "converters/report_converter.h"

namespace tarvo::cli {

namespace {

int convertReports(const std::string& folder) {
    TerminalInteraction terminal(false);
    ui::setInteraction(&terminal);
    const converters::ReportConversion conversion =
        converters::convertReports(nullptr, std::filesystem::absolute(folder).string());
    ui::setInteraction(nullptr);
    // Once past the checks, what each report gave, even when it stopped halfway.
    if (conversion.replaced)
        std::printf("ITEM.TXT: %llu lines read, %llu records written to ITEM.DBF\n",
                    static_cast<unsigned long long>(conversion.itemLines),
                    static_cast<unsigned long long>(conversion.itemRecords));
    if (conversion.replaced)
        std::printf("CUST.TXT: %llu lines read, %llu records written to PELANG.DBF\n",
                    static_cast<unsigned long long>(conversion.customerLines),
                    static_cast<unsigned long long>(conversion.customerRecords));
    if (!conversion.done) {
        std::fprintf(stderr, "Conversion stopped.\n");
        return 1;
    }
    return 0;
}

void addConvertReportsCommand(CommandLine& cli) {
    CLI::App& command =
        cli.add("convert-reports", "Turns the printed reports ITEM.TXT and CUST.TXT into ITEM.DBF and PELANG.DBF");
    auto folder = std::make_shared<std::string>();
    command.add_option("FOLDER", *folder, "The folder of the reports and the templates")->required();
    cli.onRun(command, [folder] { return convertReports(*folder); });
}

const CommandRegistration registration("convert-reports", addConvertReportsCommand);

}  // namespace

}  // namespace tarvo::cli
