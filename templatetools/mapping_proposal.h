#pragma once
// The column mapping of a source: the one kept for it, or the one its sheets' first rows suggest.

#include <filesystem>
#include <string>
#include <vector>

#include "sheets/sheet_rows.h"
#include "templatetools/column_mapping.h"

namespace tarvo::templatetools {

// Rows read from the top of each sheet: the header is looked for among them, and the dialog
// shows the first values below it.
inline constexpr size_t kHeadRows = 12;

struct SheetHead {
    std::string name;
    std::vector<sheets::Row> rows;  // the first rows with a cell
};

// The first rows of every sheet of an .xlsx workbook, a CSV file or a folder of CSV files;
// throws sheets::SheetError naming the source.
std::vector<SheetHead> readSheetHeads(const std::filesystem::path& source, size_t rows = kHeadRows);

ColumnMapping proposeMapping(const std::vector<SheetHead>& heads);

// The mapping a read of the source uses: `mapFile` when given, else the file kept beside the
// source when there is one, else the proposal. Throws MappingError or sheets::SheetError.
ColumnMapping mappingFor(const std::filesystem::path& source, const std::filesystem::path& mapFile = {});

}  // namespace tarvo::templatetools
