#include "importing/item_ids.h"

namespace tarvo::importing {

uint32_t ItemIds::byCode(std::string_view code) {
    if (const auto known = ids_.find(code); known != ids_.end()) return known->second;
    if (!search_) search_.emplace();
    const uint32_t id = search_->idByCode(code);
    ids_.emplace(std::string(code), id);
    return id;
}

}  // namespace tarvo::importing
