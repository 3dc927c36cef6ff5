#include "templatetools/mapping_proposal.h"

#include "sheets/sheet_set.h"

namespace tarvo::templatetools {

namespace fs = std::filesystem;

std::vector<SheetHead> readSheetHeads(const fs::path& source, size_t rows) {
    const sheets::SheetSet set(source);
    std::vector<SheetHead> heads;
    for (size_t i = 0; i < set.names().size(); ++i) {
        SheetHead& head = heads.emplace_back();
        head.name = set.names()[i];
        const auto sheet = set.open(i);
        sheets::Row row;
        while (head.rows.size() < rows && sheet->next(row)) head.rows.push_back(row);
    }
    return heads;
}

ColumnMapping proposeMapping(const std::vector<SheetHead>& heads) {
    ColumnMapping mapping;
    for (const SheetHead& head : heads) mapping.sheets.push_back(mappingOf(proposeSheet(head.name, head.rows)));
    return mapping;
}

ColumnMapping mappingFor(const fs::path& source, const fs::path& mapFile) {
    if (!mapFile.empty()) return readMappingFile(mapFile);
    std::error_code error;
    const fs::path kept = defaultMappingFile(source);
    if (fs::is_regular_file(kept, error)) return readMappingFile(kept);
    return proposeMapping(readSheetHeads(source));
}

}  // namespace tarvo::templatetools
