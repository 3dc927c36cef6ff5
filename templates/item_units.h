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

#include "templates/import_run.h"

namespace tarvo::templates {

struct ItemUnits {
    static constexpr int kLevels = 5;
    std::array<std::string, kLevels> names;                 // empty beyond the last unit
    std::array<double, kLevels> factors{1, 0, 0, 0, 0};    // to the first unit; 0 beyond the last
    std::string key;
};

// SAT_1 (upper case; "PCS" without the column or when blank), then each further unit only after
// the one before, when SAT_n and SAT_n_KONV both exist and are not empty (a factor of 0 is empty).
ItemUnits readItemUnits(const TemplateRow& row);

class UnitSets {
public:
    // The position of the units' key; a new key takes these units as its set.
    uint32_t add(const ItemUnits& units);
    uint32_t size() const { return static_cast<uint32_t>(sets_.size()); }

    // One S_SATUAN record per set in key order, then S_SATUAN committed and closed.
    void write(ImportRun& run) const;

private:
    std::vector<ItemUnits> sets_;
    std::unordered_map<std::string, uint32_t> positions_;
};

}  // namespace tarvo::templates
