// "repair-stock": every item of kind 0 in S_STOCK becomes kind 1, as the window's "Perbaiki Data"
// does.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "app/cli/terminal_interaction.h"
#include "converters/stock_repair.h"

namespace tarvo::cli {

namespace {

int repairStock(const std::string& database) {
    TerminalInteraction terminal(false);
    ui::setInteraction(&terminal);
    const converters::StockRepair repair = converters::BUTTONPERBAIKIDATA(nullptr, database);
    ui::setInteraction(nullptr);
    if (!repair.done) {
        std::fprintf(stderr, "Repair refused; S_STOCK was not changed.\n");
        return 1;
    }
    std::printf("S_STOCK: %llu records read, %llu changed from kind 0 to kind 1\n",
                static_cast<unsigned long long>(repair.records), static_cast<unsigned long long>(repair.changed));
    return 0;
}

void addRepairStockCommand(CommandLine& cli) {
    CLI::App& command =
        cli.add("repair-stock", "Gives every item of kind (JENIS) 0 in the stock table S_STOCK kind 1");
    auto database = std::make_shared<std::string>();
    command.add_option("--db", *database, "The retail database folder (the one that holds ST_DB)")
        ->type_name("FOLDER")
        ->required();
    cli.onRun(command, [database] { return repairStock(*database); });
}

const CommandRegistration registration("repair-stock", addRepairStockCommand);

}  // namespace

}  // namespace tarvo::cli
