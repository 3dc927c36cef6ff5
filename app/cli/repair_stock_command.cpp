// "repair-stock": every item of kind 0 in S_STOCK becomes kind 1, as the window's "Perbaiki Data"
// does.

#include <cstdio>
#include <string>

#include "app/cli/commands.h"
#include "app/cli/terminal_interaction.h"
#include "converters/stock_repair.h"

namespace tarvo::cli {

int repairStockCommand(const Arguments& args) {
    if (args.size() != 2 || args[0] != "--db") {
        std::fprintf(stderr, "usage: tarvo-import-cli repair-stock --db FOLDER\n");
        return 2;
    }
    TerminalInteraction terminal(false);
    ui::setInteraction(&terminal);
    const converters::StockRepair repair = converters::BUTTONPERBAIKIDATA(nullptr, args[1]);
    ui::setInteraction(nullptr);
    if (!repair.done) {
        std::fprintf(stderr, "Repair refused; S_STOCK was not changed.\n");
        return 1;
    }
    std::printf("S_STOCK: %llu records read, %llu changed from kind 0 to kind 1\n",
                static_cast<unsigned long long>(repair.records), static_cast<unsigned long long>(repair.changed));
    return 0;
}

}  // namespace tarvo::cli
