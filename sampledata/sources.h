#pragma once
// Sample source folders of the three applications the importers read, for tests, benchmarks and
// a first try: realistic tables with the cases a real shop's data has (deleted records, blank
// keys, repeated codes and names, packing levels, foreign-currency prices, optional columns).

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace tarvo::sampledata {

enum class SampleSourceKind { Msbrg, Is, Ias };

// "msbrg", "is", "ias"; nullopt for anything else.
std::optional<SampleSourceKind> sampleSourceKind(std::string_view name);

struct SampleSourceOptions {
    uint32_t items = 200;
    uint32_t customers = 0;  // 0: a tenth of the items
    uint64_t seed = 1;
    // The columns (and CUST.DTA, CUS.DBF) that only some versions of the source have; left out,
    // the importers take their defaults.
    bool optionalColumns = true;
};

// Writes the tables of the kind into the folder (created when missing), replacing files of the
// same names; throws xbase::Error or std::filesystem::filesystem_error when it cannot.
void makeSampleSource(SampleSourceKind kind, const std::filesystem::path& folder, const SampleSourceOptions& options);

}  // namespace tarvo::sampledata
