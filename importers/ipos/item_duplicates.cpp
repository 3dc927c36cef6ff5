#include "importers/ipos/item_duplicates.h"

#include <span>

#include "importing/item_duplicates.h"

namespace tarvo::importers::ipos {

bool isDuplicateIposItem(importing::ImportRun& run, importing::StockSearch& search, const std::string& code,
                         std::string& name, uint32_t rowNumber) {
    const importing::DuplicateCandidate item{std::span<const std::string>(&code, 1), name, "", rowNumber};
    bool duplicate = importing::isCodeDuplicate(run, item, importing::StockSearch::kCodeTags, search);
    if (!run.options().allowDuplicateNames && search.findName(name, "")) {
        const std::string renamed = name + " " + code;
        const importing::DuplicateCandidate renamedItem{item.codes, renamed, "", rowNumber};
        if (importing::isNameDuplicate(run, renamedItem, search))
            duplicate = true;
        else
            name = renamed;
    }
    return duplicate;
}

}  // namespace tarvo::importers::ipos
