#pragma once
// A column mapping: for each sheet of a workbook (or CSV file), the template it fills, the row of
// its column names, and for each column (by letter, by header text, or both) the template column
// it goes to. Kept as a small JSON file, by default beside the workbook, so that the next read of
// a workbook of the same shape needs no question:
//   {"sheets": [{"sheet": "Sheet1", "template": "ITEM", "header_row": 3,
//                "columns": [{"column": "A", "header": "Kode Barang", "field": "KODE"},
//                            {"column": "H", "header": "Rak", "field": ""}]}]}
// A column with an empty field is passed over.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "templatetools/column_matching.h"

namespace tarvo::templatetools {

// A mapping that cannot be read or does not fit the templates; the text names the file and place.
class MappingError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct MappingColumn {
    std::string letter;  // "A", "AB"; empty: found by its header text
    std::string header;
    std::string field;  // empty: passed over

    bool operator==(const MappingColumn&) const = default;
};

struct MappingSheet {
    std::string sheet;
    std::string templateName;  // "ITEM"; empty: the sheet is passed over
    long headerRow = 1;
    std::vector<MappingColumn> columns;

    bool operator==(const MappingSheet&) const = default;
};

struct ColumnMapping {
    std::vector<MappingSheet> sheets;

    // The sheet of this name (exact), nullptr when the mapping has none.
    const MappingSheet* find(const std::string& sheet) const;
    bool operator==(const ColumnMapping&) const = default;
};

// True when the sheet fills no template, or is named like its template with a field's name over
// every column (as the workbook to fill in is filled): such a sheet needs no review.
bool needsNoReview(const MappingSheet& sheet);

// The mapping a proposal makes.
MappingSheet mappingOf(const SheetProposal& proposal);

std::string mappingToJson(const ColumnMapping& mapping);
// Reads and checks a mapping: templates and fields of the catalogue, column letters, a column or
// header for every entry, each field once per sheet. `origin` names the text in the errors.
ColumnMapping mappingFromJson(const std::string& text, const std::string& origin);

// Throw MappingError naming the file.
ColumnMapping readMappingFile(const std::filesystem::path& file);
void writeMappingFile(const std::filesystem::path& file, const ColumnMapping& mapping);

// Where a source's mapping is kept: "Barang.xlsx" -> "Barang.mapping.json" beside it; a folder
// of CSV files -> "mapping.json" in it.
std::filesystem::path defaultMappingFile(const std::filesystem::path& source);

}  // namespace tarvo::templatetools
