// "repair-stock": every item of kind 0 in S_STOCK becomes kind 1, as the window's "Perbaiki Data"
// does: after a question, under the database lock, with a backup of its own.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/command_outcome.h"
#include "app/cli/terminal_interaction.h"
#include "converters/stock_repair.h"

namespace tarvo::cli {

namespace {

struct RepairArguments {
    std::string database;
    bool answerYes = false;
    OutcomeOptions outcome;
};

int repairStock(const RepairArguments& arguments) {
    TerminalInteraction terminal(arguments.answerYes, arguments.outcome.quiet);
    ui::setInteraction(&terminal);
    const converters::StockRepair repair = converters::BUTTONPERBAIKIDATA(nullptr, arguments.database);
    ui::setInteraction(nullptr);
    CommandOutcome outcome;
    outcome.command = "repair-stock";
    outcome.status = repair.done ? "done" : "refused";
    outcome.exitStatus = repair.done ? 0 : 1;
    outcome.messages = terminal.messages();
    if (repair.done) {
        outcome.written["S_STOCK"] = static_cast<uint32_t>(repair.changed);
        outcome.details["records"] = repair.records;
        outcome.details["changed"] = repair.changed;
    }
    if (!repair.done)
        std::fprintf(stderr, "Repair not done; S_STOCK is as it was.\n");
    else if (!arguments.outcome.quiet)
        std::printf("S_STOCK: %llu records read, %llu changed from kind 0 to kind 1\n",
                    static_cast<unsigned long long>(repair.records), static_cast<unsigned long long>(repair.changed));
    return finish(arguments.outcome, outcome);
}

void addRepairStockCommand(CommandLine& cli) {
    CLI::App& command =
        cli.add("repair-stock", "Gives every item of kind (JENIS) 0 in the stock table S_STOCK kind 1");
    auto arguments = std::make_shared<RepairArguments>();
    command.add_option("--db", arguments->database, "The retail database folder (the one that holds ST_DB)")
        ->type_name("FOLDER")
        ->required();
    command.add_flag("--yes", arguments->answerYes, "Repairs without asking first (a backup is taken all the same)");
    addOutcomeOptions(command, arguments->outcome);
    cli.onRun(command, [arguments] { return repairStock(*arguments); });
}

const CommandRegistration registration("repair-stock", addRepairStockCommand);

}  // namespace

}  // namespace tarvo::cli
