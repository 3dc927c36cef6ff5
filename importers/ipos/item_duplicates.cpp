#include "importers/ipos/item_duplicates.h"

#include <span>

#include "templates/item_duplicates.h"

namespace tarvo::importers::ipos {

bool isDuplicateIposItem(templates::ImportRun& run, templates::StockSearch& search, const std::string& code,
                         std::string& name, uint32_t rowNumber) {
    const templates::DuplicateCandidate item{std::span<const std::string>(&code, 1), name, "", rowNumber};
    bool duplicate = templates::isCodeDuplicate(run, item, templates::StockSearch::kCodeTags, search);
    if (!run.options().allowDuplicateNames && search.findName(name, "")) {
        const std::string renamed = name + " " + code;
        const templates::DuplicateCandidate renamedItem{item.codes, renamed, "", rowNumber};
        if (templates::isNameDuplicate(run, renamedItem, search))
            duplicate = true;
        else
            name = renamed;
    }
    return duplicate;
}

}  // namespace tarvo::importers::ipos
