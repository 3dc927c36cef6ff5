#pragma once
// The first rows of a sheet as its mapping converts them: per template column the value as it
// would be written, or the cell's problem as the check reports it; and the mandatory columns the
// mapping leaves out.

#include <string>
#include <vector>

#include "templatetools/column_mapping.h"
#include "templatetools/mapping_proposal.h"

namespace tarvo::templatetools {

struct PreviewCell {
    std::string text;     // the converted value as text; the cell's text when it has a problem
    std::string problem;  // the problem line, empty when the cell passed
};

struct SheetPreview {
    std::vector<std::string> fields;               // the mapped template columns, in the sheet's order
    std::vector<long> rows;                        // sheet row numbers
    std::vector<std::vector<PreviewCell>> cells;   // per row, per field
    std::vector<std::string> missingMandatory;     // mandatory template columns no sheet column goes to
};

// Up to `rows` rows below the header row of the sheet's first rows.
SheetPreview previewSheet(const SheetHead& head, const MappingSheet& sheet, size_t rows = 5);

}  // namespace tarvo::templatetools
