// "make-source": sample tables of the three applications the direct import reads.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "app/cli/commands.h"
#include "importers/sample_sources.h"
#include "xbase/error.h"

namespace tarvo::cli {

int makeSourceCommand(const Arguments& args) {
    constexpr const char* kUsage =
        "usage: tarvo-import-cli make-source --kind msbrg|is|ias FOLDER [--items N] [--customers N] [--seed S]\n"
        "         [--without-optional]\n";
    importers::SampleSourceOptions options;
    std::optional<importers::SampleSourceKind> kind;
    std::string folder;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--without-optional") {
            options.optionalColumns = false;
            continue;
        }
        if (arg.rfind("--", 0) != 0) {
            if (!folder.empty()) return std::fputs(kUsage, stderr), 2;
            folder = arg;
            continue;
        }
        if (i + 1 >= args.size()) return std::fputs(kUsage, stderr), 2;
        const std::string& value = args[++i];
        if (arg == "--kind") {
            kind = importers::sampleSourceKind(value);
            if (!kind) return std::fprintf(stderr, "unknown kind '%s'\n%s", value.c_str(), kUsage), 2;
            continue;
        }
        char* end = nullptr;
        const unsigned long long n = std::strtoull(value.c_str(), &end, 10);
        if (*end != '\0' || value.empty()) return std::fputs(kUsage, stderr), 2;
        if (arg == "--items") options.items = static_cast<uint32_t>(n);
        else if (arg == "--customers") options.customers = static_cast<uint32_t>(n);
        else if (arg == "--seed") options.seed = n;
        else return std::fputs(kUsage, stderr), 2;
    }
    if (!kind || folder.empty()) return std::fputs(kUsage, stderr), 2;
    try {
        importers::makeSampleSource(*kind, folder, options);
    } catch (const xbase::Error& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    } catch (const std::filesystem::filesystem_error& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    std::printf("Source tables written to %s (%u items)\n", folder.c_str(), options.items);
    return 0;
}

}  // namespace tarvo::cli
