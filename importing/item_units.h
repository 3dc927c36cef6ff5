#pragma once
// The units of the items and the unit sets they share: up to five unit names per item with the
// factor of each to the first unit, identified by a key of at most ten characters made of the
// unit names ("PCS.LUSIN"). The position of a key among the distinct keys is the item's
// TIPE_SATU and the SATUAN_VAL of the unit set's record in S_SATUAN.

#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "importing/import_run.h"

namespace tarvo::importing {

struct ItemUnits {
    static constexpr int kLevels = 5;
    std::array<std::string, kLevels> names;                 // empty beyond the last unit
    std::array<double, kLevels> factors{1, 0, 0, 0, 0};    // to the first unit; 0 beyond the last
    // The levels whose SAT_nn_VAL in S_SATUAN carries their number (the others get 0).
    std::array<bool, kLevels> numbered{true, false, false, false, false};
    std::string key;
};

// The set of one unit, keyed by its name.
ItemUnits singleUnit(const std::string& name);

// The first count characters of a UTF-8 text.
std::string firstCharacters(const std::string& text, size_t count);

// SAT_1 (upper case; "PCS" without the column or when blank), then each further unit only after
// the one before, when SAT_n and SAT_n_KONV both exist and are not empty (a factor of 0 is empty).
ItemUnits readItemUnits(const SourceRow& row);

class UnitSets {
public:
    // The position of the units' key; a new key takes these units as its set.
    uint32_t add(const ItemUnits& units);
    uint32_t size() const { return static_cast<uint32_t>(sets_.size()); }

    // One S_SATUAN record per set in key order, with the progress text when one is given, then
    // S_SATUAN committed and closed.
    void write(ImportRun& run, const std::string& progressText = {}) const;

private:
    std::vector<ItemUnits> sets_;
    std::unordered_map<std::string, uint32_t> positions_;
};

}  // namespace tarvo::importing
