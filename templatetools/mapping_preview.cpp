#include "templatetools/mapping_preview.h"

#include <algorithm>

#include "sheets/cell_conversion.h"
#include "sheets/sheet_problems.h"
#include "templatetools/templates_from_sheets.h"
#include "xbase/dates.h"
#include "xbase/number_text.h"

namespace tarvo::templatetools {

namespace {

// A converted value as the table would hold it.
std::string shownValue(const xbase::Value& value, const xbase::FieldInfo& field) {
    if (value.isNumeric()) {
        const std::string text = xbase::Str(value.number(), field.length, field.decimals);
        return text.substr(std::min(text.size(), text.find_first_not_of(' ')));
    }
    if (value.isDate()) return xbase::DToC(value.date());
    if (value.isLogical()) return value.logical() ? "T" : "F";
    return value.text();
}

}  // namespace

SheetPreview previewSheet(const SheetHead& head, const MappingSheet& sheet, size_t rows) {
    SheetPreview preview;
    const auto& layouts = templateSheetLayouts();
    const auto layout = layouts.find(sheet.templateName);
    if (layout == layouts.end()) return preview;
    const sheets::SheetPlan plan = sheetPlan(&sheet);
    const sheets::Row* header = nullptr;
    for (const sheets::Row& row : head.rows)
        if (row.number == sheet.headerRow) header = &row;

    // The sheet column of each mapped column: by letter, or by its header text.
    std::vector<int> at;
    for (const sheets::MappedColumn& column : plan.columns) {
        int sheetColumn = column.sheetColumn;
        if (sheetColumn < 0 && header)
            for (const sheets::Cell& cell : header->cells)
                if (sheets::cellText(cell) == column.header) sheetColumn = cell.column;
        at.push_back(sheetColumn);
        preview.fields.push_back(layout->second.columns[static_cast<size_t>(column.layoutIndex)].field.name);
    }
    for (const sheets::SheetColumn& column : layout->second.columns)
        if ((column.mandatory || column.required) &&
            std::find(preview.fields.begin(), preview.fields.end(), column.field.name) == preview.fields.end())
            preview.missingMandatory.push_back(column.field.name);

    for (const sheets::Row& row : head.rows) {
        if (row.number <= sheet.headerRow || row.blank()) continue;
        if (preview.rows.size() == rows) break;
        preview.rows.push_back(row.number);
        std::vector<PreviewCell>& cells = preview.cells.emplace_back();
        for (size_t i = 0; i < plan.columns.size(); ++i) {
            const sheets::SheetColumn& column = layout->second.columns[static_cast<size_t>(plan.columns[i].layoutIndex)];
            const sheets::Cell* cell = at[i] >= 0 ? row.cell(at[i]) : nullptr;
            const sheets::CellResult result = sheets::convertCell(cell, column.field, column.mandatory);
            PreviewCell& shown = cells.emplace_back();
            if (result.error.empty()) {
                shown.text = shownValue(result.value, column.field);
                continue;
            }
            shown.text = cell ? sheets::cellText(*cell) : "";
            const std::string name = header && at[i] >= 0 && header->cell(at[i]) ? sheets::cellText(*header->cell(at[i])) : "";
            shown.problem = sheets::describe({false, sheet.sheet, row.number,
                                              name.empty() || name == column.field.name ? column.field.name
                                                                                        : name + " [" + column.field.name + "]",
                                              at[i], shown.text, result.error});
        }
    }
    return preview;
}

}  // namespace tarvo::templatetools
