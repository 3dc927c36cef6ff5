#pragma once
// The retail tables the tool touches: the 29-table catalogue in its opening order, what the
// preparation does to each, and the index files the closing step deletes.

#include <string>
#include <vector>

namespace tarvo::retaildb {

// When the closing step deletes a table's index file again.
enum class IndexAfterImport { Never, Always, WithOpeningStock };

struct CatalogueTable {
    const char* alias;
    bool indexDeleted;    // by the preparation, before the open
    int identifierRow;    // row in S_TABLID, 0 when none
    IndexAfterImport afterImport;
};

const std::vector<CatalogueTable>& catalogue();

// The tables the preparation empties, in their order.
const std::vector<std::string>& emptiedTables();

// Tags of the working index of S_STOCK, in their order: {tag, key expression}.
struct WorkingTag {
    const char* name;
    const char* keyExpression;
};
const std::vector<WorkingTag>& stockWorkingTags();

// Index files the closing step deletes, in their order: always, and further with the
// "Import Sisa Stock dan lakukan Tutup Hari" mode.
const std::vector<std::string>& indexesDeletedAfterImport();
const std::vector<std::string>& indexesDeletedAfterStockClosing();

}  // namespace tarvo::retaildb
