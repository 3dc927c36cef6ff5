#include "templates/item_duplicates.h"

namespace tarvo::templates {

namespace {

DuplicateEntry entryFor(std::string_view code, const DuplicateCandidate& item, const FoundItem& existing) {
    return DuplicateEntry{std::string(code), std::string(item.name), existing.code, existing.name, item.recno,
                          existing.recno};
}

// Whether one of the first codeTags code tags holds the code; the search stops at the first that
// does, on that item.
bool foundInCodeTags(StockSearch& search, const std::string& code, size_t codeTags) {
    for (size_t tag = 0; tag < codeTags; ++tag)
        if (search.findCode(tag, code)) return true;
    return false;
}

}  // namespace

bool isDuplicateItem(ImportRun& run, const DuplicateCandidate& item, size_t codeTags, StockSearch& search) {
    bool duplicate = false;
    if (!run.options().allowDuplicateCodes) {
        for (const std::string& code : item.codes) {
            if (code.empty()) break;
            if (foundInCodeTags(search, code, codeTags)) {
                run.codeDuplicates.push_back(entryFor(code, item, search.found()));
                duplicate = true;
                break;
            }
        }
    }
    if (!run.options().allowDuplicateNames && search.findName(item.name, item.extension)) {
        run.nameDuplicates.push_back(entryFor(item.codes.empty() ? "" : item.codes[0], item, search.found()));
        duplicate = true;
    }
    return duplicate;
}

bool isDuplicateItem(ImportRun& run, const ItemRow& item, uint32_t templateRecno, StockSearch& search) {
    const DuplicateCandidate candidate{item.codes, item.name, item.nameExtension1, templateRecno};
    return isDuplicateItem(run, candidate, StockSearch::kCodeTags, search);
}

}  // namespace tarvo::templates
