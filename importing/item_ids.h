#pragma once
// The IDs of items by their first code (KODE_C), each code sought in S_STOCK once. For steps that
// look up the items of many lines and do not write S_STOCK meanwhile: an answer stays right only
// while S_STOCK is unchanged.

#include <cstdint>
#include <optional>
#include <string_view>

#include "importing/stock_search.h"
#include "importing/text_map.h"

namespace tarvo::importing {

class ItemIds {
public:
    // The ID of the item whose first code is the code (normalised by the caller), 0 when there is
    // none. S_STOCK must be open; a code not sought before makes it the current work area.
    uint32_t byCode(std::string_view code);

private:
    std::optional<StockSearch> search_;  // made at the first lookup, when S_STOCK is open
    TextMap<uint32_t> ids_;
};

}  // namespace tarvo::importing
