#pragma once
// What a command that changes data did, for `--json FILE` (or `--json -`, standard output):
// consultants who set up many shops read it from their scripts. A command fills the fields that
// apply to it; the rest stay empty.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "importing/reject_list.h"

namespace tarvo::cli {

// A message the command showed, as it showed it.
struct OutcomeMessage {
    std::string kind;   // "error", "warning" or "info"
    std::string title;  // empty for errors
    std::string text;
};

struct CommandOutcome {
    std::string command;                              // "import"
    std::string status;                               // "done", "declined", "refused" or "failed"
    int exitStatus = 1;
    std::vector<OutcomeMessage> messages;             // in the order shown
    std::map<std::string, uint32_t> written;          // records written per table
    std::map<std::string, uint32_t> skipped;          // rows skipped per template or source table
    // Items refused as duplicates, by code and by name: read only when the JSON is written.
    importing::DuplicateList codeDuplicates, nameDuplicates;
    std::filesystem::path rejectFile;                 // the REJECT.TXT written; empty: none
    std::filesystem::path backup;                     // the backup taken before the change; empty: none
    nlohmann::ordered_json details = nlohmann::ordered_json::object();  // what only this command reports
};

nlohmann::ordered_json toJson(const CommandOutcome& outcome);

// Refuses a file that could not be written (no such folder, a folder, no permission) before the
// command changes anything.
const CLI::Validator& writableFile();

// The options of every command that changes files: --quiet and --json FILE.
struct OutcomeOptions {
    bool quiet = false;
    std::string jsonFile;  // empty: no JSON; "-": standard output

    bool jsonToStdout() const { return jsonFile == "-"; }
    // Where the results and the summary for people go: standard output, unless the JSON goes
    // there; then standard error.
    std::FILE* humanOutput() const { return jsonToStdout() ? stderr : stdout; }
};
void addOutcomeOptions(CLI::App& command, OutcomeOptions& options);

// Writes the JSON when it was asked for and returns the command's exit status: the outcome's,
// or 1 (after a message) when the file could not be written.
int finish(const OutcomeOptions& options, const CommandOutcome& outcome);

}  // namespace tarvo::cli
