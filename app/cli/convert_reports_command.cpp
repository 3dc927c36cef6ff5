// "convert-reports": the printed item and customer reports of a folder become its ITEM.DBF and
// PELANG.DBF templates, as the window's "Create DBF" does.

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/command_outcome.h"
#include "app/cli/terminal_interaction.h"
#include "converters/report_converter.h"

namespace tarvo::cli {

namespace {

struct ConvertArguments {
    std::string folder;
    bool answerYes = false;
    OutcomeOptions outcome;
};

CommandOutcome commandOutcome(const converters::ReportConversion& conversion, const TerminalInteraction& terminal) {
    CommandOutcome outcome;
    outcome.command = "convert-reports";
    outcome.status = conversion.done ? "done" : conversion.replaced ? "failed" : "refused";
    outcome.exitStatus = conversion.done ? 0 : 1;
    outcome.messages = terminal.messages();
    if (conversion.replaced) {
        outcome.written["ITEM"] = static_cast<uint32_t>(conversion.itemRecords);
        outcome.written["PELANG"] = static_cast<uint32_t>(conversion.customerRecords);
        outcome.details["item_lines"] = conversion.itemLines;
        outcome.details["customer_lines"] = conversion.customerLines;
    }
    return outcome;
}

int convertReports(const ConvertArguments& arguments) {
    TerminalInteraction terminal(arguments.answerYes, arguments.outcome.quiet);
    ui::setInteraction(&terminal);
    const converters::ReportConversion conversion =
        converters::convertReports(nullptr, std::filesystem::absolute(arguments.folder).string());
    ui::setInteraction(nullptr);
    // Once past the checks, what each report gave, even when it stopped halfway.
    if (conversion.replaced && !arguments.outcome.quiet) {
        std::printf("ITEM.TXT: %llu lines read, %llu records written to ITEM.DBF\n",
                    static_cast<unsigned long long>(conversion.itemLines),
                    static_cast<unsigned long long>(conversion.itemRecords));
        std::printf("CUST.TXT: %llu lines read, %llu records written to PELANG.DBF\n",
                    static_cast<unsigned long long>(conversion.customerLines),
                    static_cast<unsigned long long>(conversion.customerRecords));
    }
    if (conversion.done && !arguments.outcome.quiet) std::printf("%s\n", converters::conversionSummary(conversion).c_str());
    if (!conversion.done) std::fprintf(stderr, "Conversion stopped.\n");
    return finish(arguments.outcome, commandOutcome(conversion, terminal));
}

void addConvertReportsCommand(CommandLine& cli) {
    CLI::App& command =
        cli.add("convert-reports", "Turns the printed reports ITEM.TXT and CUST.TXT into ITEM.DBF and PELANG.DBF");
    auto arguments = std::make_shared<ConvertArguments>();
    command.add_option("FOLDER", arguments->folder, "The folder of the reports and the templates")->required();
    command.add_flag("--yes", arguments->answerYes,
                     "Replaces ITEM.DBF and PELANG.DBF that hold records without asking (the old ones are kept as .bak)");
    addOutcomeOptions(command, arguments->outcome);
    cli.onRun(command, [arguments] { return convertReports(*arguments); });
}

const CommandRegistration registration("convert-reports", addConvertReportsCommand);

}  // namespace

}  // namespace tarvo::cli
