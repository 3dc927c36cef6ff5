#include "app/cli/command_outcome.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>

#include "app/cli/command_line.h"
#include "app/core/version.h"

namespace tarvo::cli {

namespace {

nlohmann::ordered_json pathOrNull(const std::filesystem::path& path) {
    return path.empty() ? nlohmann::ordered_json(nullptr) : nlohmann::ordered_json(path.string());
}

nlohmann::ordered_json duplicateJson(const importing::RejectRow& row) {
    return {{"reason", row.caption == importing::kNameDuplicateCaption ? "name" : "code"},
            {"code", row.newCode},
            {"name", row.newName},
            {"template_record", row.templateRecno},
            {"existing_code", row.existingCode},
            {"existing_name", row.existingName},
            {"existing_record", row.stockRecno}};
}

}  // namespace

const CLI::Validator& writableFile() {
    static const CLI::Validator check(
        [](std::string& file) -> std::string {
            std::filesystem::path folder = std::filesystem::path(file).parent_path();
            if (folder.empty()) folder = ".";
            std::error_code ec;
            if (!std::filesystem::is_directory(folder, ec)) return "no folder '" + folder.string() + "' for " + file;
            if (std::filesystem::is_directory(file, ec)) return file + " is a folder";
            if (::access(folder.c_str(), W_OK) != 0) return "cannot write in '" + folder.string() + "'";
            return {};
        },
        "");
    return check;
}

nlohmann::ordered_json toJson(const CommandOutcome& outcome) {
    nlohmann::ordered_json messages = nlohmann::ordered_json::array();
    for (const OutcomeMessage& m : outcome.messages)
        messages.push_back({{"kind", m.kind}, {"title", m.title}, {"text", m.text}});
    nlohmann::ordered_json duplicates = nlohmann::ordered_json::array();
    outcome.codeDuplicates.forEach([&](const importing::DuplicateEntry& entry) {
        duplicates.push_back(duplicateJson(importing::rejectRow(entry, importing::kCodeDuplicateCaption)));
    });
    outcome.nameDuplicates.forEach([&](const importing::DuplicateEntry& entry) {
        duplicates.push_back(duplicateJson(importing::rejectRow(entry, importing::kNameDuplicateCaption)));
    });
    return {{"program", app::windowTitle()},
            {"command", outcome.command},
            {"status", outcome.status},
            {"exit_status", outcome.exitStatus},
            {"messages", messages},
            {"written", outcome.written},
            {"skipped", outcome.skipped},
            {"duplicates", duplicates},
            {"reject_file", pathOrNull(outcome.rejectFile)},
            {"backup", pathOrNull(outcome.backup)},
            {"details", outcome.details}};
}

void addOutcomeOptions(CLI::App& command, OutcomeOptions& options) {
    command.add_flag("-q,--quiet", options.quiet, "no progress and no summary; errors and warnings only");
    const CLI::Validator jsonFile(
        [](std::string& file) {
            if (file == "-") return std::string();
            absolutePath()(file);
            return writableFile()(file);
        },
        "");
    command.add_option("--json", options.jsonFile, "writes the outcome to FILE as JSON; - for standard output")
        ->type_name("FILE")->transform(jsonFile);
}

int finish(const OutcomeOptions& options, const CommandOutcome& outcome) {
    if (options.jsonFile.empty()) return outcome.exitStatus;
    if (options.jsonToStdout()) {
        std::fflush(stdout);
        std::printf("%s\n", toJson(outcome).dump(2).c_str());
        return std::fflush(stdout) == 0 ? outcome.exitStatus : 1;
    }
    std::ofstream file(options.jsonFile, std::ios::binary | std::ios::trunc);
    file << toJson(outcome).dump(2) << '\n';
    file.close();
    if (file) return outcome.exitStatus;
    std::fprintf(stderr, "error: cannot write %s\n", options.jsonFile.c_str());
    return 1;
}

}  // namespace tarvo::cli
