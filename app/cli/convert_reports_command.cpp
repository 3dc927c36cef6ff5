// "convert-reports": the printed item and customer reports of a folder become its ITEM.DBF and
// PELANG.DBF templates, as the window's "Create DBF" does.

#include <cstdio>
#include <filesystem>

#include "app/cli/commands.h"
#include "app/cli/terminal_interaction.h"
#include "converters/report_converter.h"

namespace tarvo::cli {

int convertReportsCommand(const Arguments& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tarvo-import-cli convert-reports FOLDER\n");
        return 2;
    }
    TerminalInteraction terminal(false);
    ui::setInteraction(&terminal);
    const converters::ReportConversion conversion =
        converters::convertReports(nullptr, std::filesystem::absolute(args[0]).string());
    ui::setInteraction(nullptr);
    if (conversion.itemLines > 0)
        std::printf("ITEM.TXT: %llu lines read, %llu records written to ITEM.DBF\n",
                    static_cast<unsigned long long>(conversion.itemLines),
                    static_cast<unsigned long long>(conversion.itemRecords));
    if (conversion.customerLines > 0)
        std::printf("CUST.TXT: %llu lines read, %llu records written to PELANG.DBF\n",
                    static_cast<unsigned long long>(conversion.customerLines),
                    static_cast<unsigned long long>(conversion.customerRecords));
    if (!conversion.done) {
        std::fprintf(stderr, "Conversion stopped.\n");
        return 1;
    }
    return 0;
}

}  // namespace tarvo::cli
