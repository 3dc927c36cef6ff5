// "make-retail-db": a sample retail database for trying the tool out.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "sampledata/retail_db.h"

namespace tarvo::cli {

namespace {

void addMakeRetailDbCommand(CommandLine& cli) {
    CLI::App& command = cli.add("make-retail-db", "Writes a sample retail database DIR/ST_DB (every retail table)");
    auto folder = std::make_shared<std::string>();
    command.add_option("DIR", *folder, "The folder that receives ST_DB")->transform(absolutePath())->required();
    cli.onRun(command, [folder] {
        sampledata::makeSampleRetailDatabase(*folder);
        std::printf("Sample retail database written to %s/ST_DB\n", folder->c_str());
        return 0;
    });
}

const CommandRegistration registration("make-retail-db", addMakeRetailDbCommand);

}  // namespace

}  // namespace tarvo::cli
