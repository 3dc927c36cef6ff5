#include "importing/item_duplicates.h"

namespace tarvo::importing {

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

bool isCodeDuplicate(ImportRun& run, const DuplicateCandidate& item, size_t codeTags, StockSearch& search) {
    if (run.options().allowDuplicateCodes) return false;
    for (const std::string& code : item.codes) {
        if (code.empty()) break;
        if (foundInCodeTags(search, code, codeTags)) {
            run.codeDuplicates.push_back(entryFor(code, item, search.found()));
            return true;
        }
    }
    return false;
}

bool isNameDuplicate(ImportRun& run, const DuplicateCandidate& item, StockSearch& search) {
    if (run.options().allowDuplicateNames || !search.findName(item.name, item.extension)) return false;
    run.nameDuplicates.push_back(entryFor(item.codes.empty() ? "" : item.codes[0], item, search.found()));
    return true;
}

bool isDuplicateItem(ImportRun& run, const DuplicateCandidate& item, size_t codeTags, StockSearch& search) {
    const bool codeDuplicate = isCodeDuplicate(run, item, codeTags, search);
    const bool nameDuplicate = isNameDuplicate(run, item, search);
    return codeDuplicate || nameDuplicate;
}

}  // namespace tarvo::importing
