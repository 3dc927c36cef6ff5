#pragma once
// The duplicate tests of an item import against the items already in S_STOCK.

#include <cstdint>
#include <span>
#include <string>

#include "importing/import_run.h"
#include "importing/stock_search.h"

namespace tarvo::importing {

// The item a row would make, as the duplicate tests see it.
struct DuplicateCandidate {
    std::span<const std::string> codes;  // up to the first empty one
    std::string_view name;
    std::string_view extension;          // the first name extension
    uint32_t recno = 0;                  // of the row in its template or source table
};

// Whether the item is refused as a duplicate. Unless codes may repeat, each code in turn is
// searched in the first codeTags code tags (KODE, KODE_2 ... KODE_5); the first hit adds an entry
// with that code to the run's code duplicates. Unless names may repeat, the name with the
// extension is searched in the tag NAMA; a hit adds an entry with the first code to the name
// duplicates. Both tests run, so an item may be listed twice.
bool isDuplicateItem(ImportRun& run, const DuplicateCandidate& item, size_t codeTags, StockSearch& search);
// The two tests on their own, for importers that add a rule between them.
bool isCodeDuplicate(ImportRun& run, const DuplicateCandidate& item, size_t codeTags, StockSearch& search);
bool isNameDuplicate(ImportRun& run, const DuplicateCandidate& item, StockSearch& search);

}  // namespace tarvo::importing
