#include "importing/item_units.h"

#include "importing/code_list.h"
#include "importing/field_writer.h"
#include "importing/stock_search.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

namespace {

constexpr size_t kKeyLength = 10;
constexpr int kSatuanLevels = 10;

// "01" ... "10".
std::string twoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

std::string firstCharacters(const std::string& text, size_t count) {
    size_t at = 0;
    for (size_t n = 0; n < count && at < text.size(); ++n) {
        ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80) ++at;
    }
    return text.substr(0, at);
}

ItemUnits singleUnit(const std::string& name) {
    ItemUnits units;
    units.names[0] = units.key = name;
    return units;
}

ItemUnits readItemUnits(const SourceRow& row) {
    ItemUnits units;
    units.names[0] = row.has("SAT_1") ? upperCase(row.trimmed("SAT_1")) : "PCS";
    if (units.names[0].empty()) {
        units.names[0] = units.key = "PCS";
        return units;
    }
    units.key = units.names[0];
    for (int level = 2; level <= ItemUnits::kLevels; ++level) {
        const std::string unit = "SAT_" + std::to_string(level);
        const std::string factor = unit + "_KONV";
        if (!row.has(unit) || !row.has(factor)) break;
        const std::string name = upperCase(row.trimmed(unit));
        if (name.empty() || row.number(factor) == 0) break;
        units.names[level - 1] = name;
        units.factors[level - 1] = row.number(factor);
        units.numbered[level - 1] = units.factors[level - 1] > 0;
        units.key = firstCharacters(units.key + "." + name, kKeyLength);
    }
    return units;
}

uint32_t UnitSets::add(const ItemUnits& units) {
    auto [it, added] = positions_.try_emplace(units.key, size() + 1);
    if (added) sets_.push_back(units);
    return it->second;
}

void UnitSets::write(ImportRun& run, const std::string& progressText) const {
    FieldWriter satuan("S_SATUAN");
    auto writeSet = [&](uint32_t position) {
        const ItemUnits& set = sets_[position - 1];
        run.appendTo("S_SATUAN");
        satuan.put("SATUAN_VAL", xbase::Value(position));
        satuan.put("SATUAN_TXT", xbase::Value(set.key));
        for (int level = 1; level <= kSatuanLevels; ++level) {
            const bool inSet = level <= ItemUnits::kLevels;
            const std::string prefix = "SAT_" + twoDigits(level);
            satuan.put(prefix + "_VAL", xbase::Value(inSet && set.numbered[level - 1] ? level : 0));
            satuan.put(prefix + "_TXT", xbase::Value(inSet ? set.names[level - 1] : std::string()));
            satuan.put(prefix + "_SAT", xbase::Value(inSet ? set.factors[level - 1] : 0.0));
        }
    };
    if (progressText.empty()) {
        for (uint32_t position = 1; position <= size(); ++position) writeSet(position);
    } else {
        run.forEachEntry(size(), progressText, writeSet);
    }
    xbase::workAreas().close("S_SATUAN");
}

}  // namespace tarvo::importing
