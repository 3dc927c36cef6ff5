// "make-templates": a realistic, consistent set of the eighteen templates.

#include <cstdio>
#include <memory>
#include <string>

#include "app/cli/command_line.h"
#include "sampledata/templates.h"

namespace tarvo::cli {

namespace {

struct MakeTemplatesArguments {
    std::string folder;
    sampledata::SampleTemplateOptions options;
};

void addMakeTemplatesCommand(CommandLine& cli) {
    CLI::App& command = cli.add("make-templates", "Writes a consistent sample set of the eighteen templates");
    auto arguments = std::make_shared<MakeTemplatesArguments>();
    sampledata::SampleTemplateOptions& options = arguments->options;
    command.add_option("FOLDER", arguments->folder, "The folder that receives the templates")
        ->transform(absolutePath())->required();
    command.add_option("--items", options.items, "Number of items")->type_name("N")->capture_default_str();
    command.add_option("--customers", options.customers, "Number of customers")->type_name("N")->capture_default_str();
    command.add_option("--vendors", options.vendors, "Number of vendors")->type_name("N")->capture_default_str();
    command.add_option("--codes", options.codesPerItem, "Codes per item")->type_name("N")->capture_default_str();
    command.add_option("--seed", options.seed, "Seed of the random contents")->type_name("S")->capture_default_str();
    cli.onRun(command, [arguments] {
        const sampledata::SampleTemplateOptions& options = arguments->options;
        sampledata::makeSampleTemplates(arguments->folder, options);
        std::printf("Templates written to %s (%u items, %u customers, %u vendors)\n", arguments->folder.c_str(),
                    options.items, options.customers, options.vendors);
        return 0;
    });
}

const CommandRegistration registration("make-templates", addMakeTemplatesCommand);

}  // namespace

}  // namespace tarvo::cli
