// Reads the input as a column mapping file, and as the first rows of a sheet (lines, cells split
// at ";") whose columns are matched. A mapping must be read or refused with a MappingError, and
// one that is read must come back the same through its JSON; matching must give each template
// column at most once. Never a crash, a hang or a leak.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "templatetools/column_mapping.h"
#include "templatetools/column_matching.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvo::templatetools;
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        const ColumnMapping mapping = mappingFromJson(text, "fuzz.json");
        if (!(mappingFromJson(mappingToJson(mapping), "again.json") == mapping)) std::abort();
    } catch (const MappingError&) {
    }

    std::vector<tarvo::sheets::Row> rows;
    size_t start = 0;
    for (long number = 1; start <= text.size() && number <= 12; ++number) {
        const size_t end = std::min(text.find('\n', start), text.size());
        tarvo::sheets::Row& row = rows.emplace_back();
        row.number = number;
        size_t cellStart = start;
        for (int column = 0; cellStart <= end && column < 64; ++column) {
            const size_t cellEnd = std::min(text.find(';', cellStart), end);
            tarvo::sheets::Cell& cell = row.cells.emplace_back();
            cell.column = column;
            cell.kind = tarvo::sheets::CellKind::Text;
            cell.text = text.substr(cellStart, cellEnd - cellStart);
            cellStart = cellEnd + 1;
        }
        start = end + 1;
    }
    const SheetProposal proposal = proposeSheet(rows.empty() ? "" : rows[0].cells[0].text, rows);
    std::set<std::string> fields;
    for (const ColumnMatch& match : proposal.columns)
        if (!match.field.empty() && !fields.insert(match.field).second) std::abort();
    return 0;
}
