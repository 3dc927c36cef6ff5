#include "safety/covered_files.h"

#include <algorithm>

#include "retaildb/catalogue.h"
#include "xbase/file_names.h"

namespace tarvo::safety {

bool coveredByImport(const std::string& fileName) {
    const std::string table = fileName.substr(0, fileName.find('.'));
    for (const retaildb::CatalogueTable& entry : retaildb::catalogue())
        if (xbase::equalsIgnoreCase(table, entry.alias)) return true;
    for (const auto* list : {&retaildb::indexesDeletedAfterImport(), &retaildb::indexesDeletedAfterStockClosing()})
        for (const std::string& name : *list)
            if (xbase::equalsIgnoreCase(fileName, name)) return true;
    return false;
}

std::vector<std::string> coveredFiles(const std::filesystem::path& database) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(database)) {
        const std::string name = entry.path().filename().string();
        if (entry.is_regular_file() && coveredByImport(name)) names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace tarvo::safety
