// "make-templates": a realistic, consistent set of the eighteen templates.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/cli/commands.h"
#include "templates/sample_templates.h"
#include "xbase/error.h"

namespace tarvo::cli {

int makeTemplatesCommand(const Arguments& args) {
    constexpr const char* kUsage =
        "usage: tarvo-import-cli make-templates FOLDER [--items N] [--customers N] [--vendors N] [--codes N] [--seed S]\n";
    if (args.empty()) return std::fputs(kUsage, stderr), 2;
    templates::SampleTemplateOptions options;
    for (size_t i = 1; i < args.size(); ++i) {
        if (i + 1 >= args.size()) return std::fputs(kUsage, stderr), 2;
        char* end = nullptr;
        const unsigned long long n = std::strtoull(args[i + 1].c_str(), &end, 10);
        if (*end != '\0' || args[i + 1].empty()) return std::fputs(kUsage, stderr), 2;
        if (args[i] == "--items") options.items = static_cast<uint32_t>(n);
        else if (args[i] == "--customers") options.customers = static_cast<uint32_t>(n);
        else if (args[i] == "--vendors") options.vendors = static_cast<uint32_t>(n);
        else if (args[i] == "--codes") options.codesPerItem = static_cast<uint32_t>(n);
        else if (args[i] == "--seed") options.seed = n;
        else return std::fputs(kUsage, stderr), 2;
        ++i;
    }
    try {
        templates::makeSampleTemplates(args[0], options);
    } catch (const xbase::Error& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    std::printf("Templates written to %s (%u items, %u customers, %u vendors)\n", args[0].c_str(), options.items,
                options.customers, options.vendors);
    return 0;
}

}  // namespace tarvo::cli
