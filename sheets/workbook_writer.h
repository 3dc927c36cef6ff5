#pragma once
// A workbook to fill in: one sheet per table, the first row the column names (mandatory ones in
// bold), each name with a note describing the column, and cell formats and data validation
// that follow each column's type, width and decimals.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "xbase/table.h"

namespace tarvo::sheets {

struct WorkbookColumn {
    xbase::FieldInfo field;
    bool mandatory = false;
    std::string defaultValue;  // empty when there is none
    std::string description;
};

struct WorkbookSheet {
    std::string name;   // the sheet's name, for example ITEM
    std::string title;  // a line describing the table, shown in the notes of the header row
    uint32_t colour = 0xFFFFFF;  // background of the header row, 0xRRGGBB
    std::vector<WorkbookColumn> columns;
};

// The note of a column's header cell.
std::string columnNote(const WorkbookColumn& column);

// Writes the workbook; throws SheetError naming the file when it cannot be written.
void writeWorkbook(const std::filesystem::path& file, const std::vector<WorkbookSheet>& sheets);

}  // namespace tarvo::sheets
