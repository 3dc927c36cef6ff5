#include "templates/item_duplicates.h"

namespace tarvo::templates {

namespace {

DuplicateEntry entryFor(const std::string& code, const ItemRow& item, uint32_t templateRecno, const FoundItem& existing) {
    return DuplicateEntry{code, item.name, existing.code, existing.name, templateRecno, existing.recno};
}

// Whether a code tag holds the code; the search stops at the first that does, on that item.
bool foundInCodeTags(StockSearch& search, const std::string& code) {
    for (size_t tag = 0; tag < StockSearch::kCodeTags; ++tag)
        if (search.findCode(tag, code)) return true;
    return false;
}

}  // namespace

bool isDuplicateItem(ImportRun& run, const ItemRow& item, uint32_t templateRecno, StockSearch& search) {
    bool duplicate = false;
    if (!run.options().allowDuplicateCodes) {
        for (const std::string& code : item.codes) {
            if (code.empty()) break;
            if (foundInCodeTags(search, code)) {
                run.codeDuplicates.push_back(entryFor(code, item, templateRecno, search.found()));
                duplicate = true;
                break;
            }
        }
    }
    if (!run.options().allowDuplicateNames && search.findName(item.name, item.nameExtension1)) {
        run.nameDuplicates.push_back(entryFor(item.codes[0], item, templateRecno, search.found()));
        duplicate = true;
    }
    return duplicate;
}

}  // namespace tarvo::templates
