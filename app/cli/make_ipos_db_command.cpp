// "make-ipos-db": an iPOS-shaped database as an SQLite file, to be imported through SQLite's ODBC
// driver with "import --from ipos --odbc".

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "sampledata/ipos_database.h"

namespace tarvo::cli {

namespace {

struct MakeIposDbArguments {
    std::string file;
    sampledata::SampleShop shop;
};

void addMakeIposDbCommand(CommandLine& cli) {
    CLI::App& command = cli.add("make-ipos-db", "Writes a sample iPOS 3.0 database as an SQLite file");
    auto arguments = std::make_shared<MakeIposDbArguments>();
    sampledata::SampleShop& shop = arguments->shop;
    command.add_option("FILE", arguments->file, "The SQLite file to write (replaced when it exists)")
        ->transform(absolutePath())->required();
    command.add_option("--items", shop.items, "Number of items")->type_name("N")->capture_default_str();
    command.add_option("--invoices", shop.invoices, "Number of sales invoices (five lines each)")
        ->type_name("N")
        ->capture_default_str();
    command.add_option("--cash-sales", shop.cashSales, "Number of cash-register sales (three lines each)")
        ->type_name("N")
        ->capture_default_str();
    command.add_option("--salesmen", shop.salesmen, "Number of salesmen")->type_name("N")->capture_default_str();
    command.add_option("--seed", shop.seed, "Seed of the random contents")->type_name("S")->capture_default_str();
    cli.onRun(command, [arguments] {
        const sampledata::SampleShop& shop = arguments->shop;
        sampledata::writeSampleShop(arguments->file, shop);
        std::printf("iPOS database written to %s (%u items, %u invoices, %u cash-register sales)\n",
                    arguments->file.c_str(), shop.items, shop.invoices, shop.cashSales);
        return 0;
    });
}

const CommandRegistration registration("make-ipos-db", addMakeIposDbCommand);

}  // namespace

}  // namespace tarvo::cli
