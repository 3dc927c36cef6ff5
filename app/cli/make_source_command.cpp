// "make-source": sample tables of the three applications the direct import reads.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "sampledata/sources.h"

namespace tarvo::cli {

namespace {

struct MakeSourceArguments {
    std::string kind;
    std::string folder;
    sampledata::SampleSourceOptions options;
    bool withoutOptional = false;
};

void addMakeSourceCommand(CommandLine& cli) {
    CLI::App& command = cli.add("make-source", "Writes sample tables of another application for the direct import");
    auto arguments = std::make_shared<MakeSourceArguments>();
    sampledata::SampleSourceOptions& options = arguments->options;
    command.add_option("--kind", arguments->kind, "Which application's tables")
        ->type_name("msbrg|is|ias")->check(CLI::IsMember({"msbrg", "is", "ias"}))->required();
    command.add_option("FOLDER", arguments->folder, "The folder that receives the tables")
        ->transform(absolutePath())->required();
    command.add_option("--items", options.items, "Number of items")->type_name("N")->capture_default_str();
    command.add_option("--customers", options.customers, "Number of customers (default a tenth of the items)")
        ->type_name("N");
    command.add_option("--seed", options.seed, "Seed of the random contents")->type_name("S")->capture_default_str();
    command.add_flag("--without-optional", arguments->withoutOptional,
                     "Leaves out the columns and tables only some versions have");
    cli.onRun(command, [arguments] {
        arguments->options.optionalColumns = !arguments->withoutOptional;
        sampledata::makeSampleSource(*sampledata::sampleSourceKind(arguments->kind), arguments->folder,
                                    arguments->options);
        std::printf("Source tables written to %s (%u items)\n", arguments->folder.c_str(), arguments->options.items);
        return 0;
    });
}

const CommandRegistration registration("make-source", addMakeSourceCommand);

}  // namespace

}  // namespace tarvo::cli
