// What the import benchmarks share: a temporary folder, fresh sample databases, an interaction
// that answers Yes, peak memory, and the baseline of an import: read every source row and append
// as many records to the same retail tables as the import wrote, every field filled, without
// lookups or indexes.

#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "ui/user_interaction.h"
#include "xbase/table.h"
#include "xbase/value.h"

namespace tarvo::bench {

// The counts of the environment variable (one or several separated by commas), else the default.
std::vector<uint32_t> sizesFrom(const char* variable, uint32_t defaultSize);
// Item counts of TARVO_BENCH_ITEMS, else the default.
inline std::vector<uint32_t> itemSizes(uint32_t defaultItems) { return sizesFrom("TARVO_BENCH_ITEMS", defaultItems); }

// The benchmark's own folder under TARVO_BENCH_DIR (default the system's temporary folder).
const std::filesystem::path& benchFolder(const std::string& prefix);

// A fresh sample database in folder/ST_DB. Everything written so far goes to disk first, so that
// a timed run does not share the disk with the write-back of files written before it.
std::filesystem::path freshDatabase(const std::filesystem::path& folder);

// Answers Yes to every question and keeps the last error.
class YesInteraction final : public ui::SilentInteraction {
public:
    int askEx(ui::Owner, const std::string&, const std::string&, int, int) override { return ui::kReplyYes; }
    void error(ui::Owner, const std::string& text) override { lastError = text; }
    void warning(ui::Owner, const std::string&, const std::string& text) override { lastError = text; }

    std::string lastError;
};

double peakRssMb();

// One run of a size, as the import benchmarks register it: one iteration, manual time, seconds.
void configureRun(benchmark::internal::Benchmark* run, uint32_t size, const char* sizeName = "items");

// Runs the registered benchmarks, then the summary, and removes the folder; the exit status.
int runAndSummarise(const std::function<void()>& printSummary, const std::filesystem::path& folder);

struct BaselineTable {
    std::filesystem::path path;
    uint32_t records = 0;
    std::vector<std::vector<xbase::Value>> rows;  // rows of one value per field, used in turn
};

// The tables the import wrote, in a fresh database in folder without its index files, with
// values prepared.
std::vector<BaselineTable> prepareBaseline(const std::filesystem::path& folder,
                                           const std::map<std::string, uint32_t>& written);
// Reads every field of every row of the tables (files of the folder with the extension).
void readEveryRow(const std::filesystem::path& folder, const std::string& extension);
void appendRecords(const BaselineTable& target);

}  // namespace tarvo::bench
