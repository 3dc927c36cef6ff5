#include "sheets/sheet_columns.h"

#include <algorithm>
#include <numeric>

#include "xbase/text_case.h"

namespace tarvo::sheets {

namespace {

std::string headerName(const Cell& cell) {
    std::string name = cellText(cell);
    const size_t first = name.find_first_not_of(" \t\r\n");
    const size_t last = name.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? "" : xbase::asciiUpperCase(name.substr(first, last - first + 1));
}

std::string rangeText(const CellRange& r) {
    return columnLetters(r.firstColumn) + std::to_string(r.firstRow) + ":" + columnLetters(r.lastColumn) +
           std::to_string(r.lastRow);
}

}  // namespace

std::vector<xbase::FieldInfo> SheetHeader::fields(const SheetLayout& layout) const {
    std::vector<xbase::FieldInfo> out;
    for (const int i : layoutIndex) out.push_back(layout.columns[static_cast<size_t>(i)].field);
    return out;
}

SheetHeader readHeader(RowSource& source, const SheetLayout& layout, ProblemList& problems) {
    SheetHeader header;
    Row row;
    while (source.next(row))
        if (!row.blank()) break;
    if (row.cells.empty() || row.blank()) {
        problems.error(source.name(), 0, "", -1, "", "the sheet is empty (no header row with column names)");
        return header;
    }
    header.row = row.number;
    std::vector<int> sheetColumnOf(layout.columns.size(), -1);
    for (const Cell& cell : row.cells) {
        const std::string name = headerName(cell);
        if (name.empty()) continue;
        const auto it = std::find_if(layout.columns.begin(), layout.columns.end(),
                                     [&](const SheetColumn& c) { return c.field.name == name; });
        if (it == layout.columns.end()) {
            problems.error(source.name(), row.number, name, cell.column, "", "unknown column");
            continue;
        }
        int& seen = sheetColumnOf[static_cast<size_t>(it - layout.columns.begin())];
        if (seen >= 0) {
            problems.error(source.name(), row.number, name, cell.column, "",
                           "column repeated (first in column " + columnLetters(seen) + ")");
            continue;
        }
        seen = cell.column;
    }
    const int lastColumn = row.cells.back().column;
    header.unnamed.assign(static_cast<size_t>(lastColumn) + 1, true);
    for (const Cell& cell : row.cells)
        if (!headerName(cell).empty()) header.unnamed[static_cast<size_t>(cell.column)] = false;
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        if (sheetColumnOf[i] >= 0) {
            header.layoutIndex.push_back(static_cast<int>(i));
            header.sheetColumn.push_back(sheetColumnOf[i]);
        } else if (layout.columns[i].mandatory || layout.columns[i].required) {
            problems.error(source.name(), row.number, layout.columns[i].field.name, -1, "", "mandatory column missing");
        }
    }
    return header;
}

long readRows(RowSource& source, const SheetLayout& layout, const SheetHeader& header, const ConversionOptions& options,
              ProblemList& problems, const std::function<void(const std::vector<xbase::Value>&)>& write) {
    long rows = 0;
    Row row;
    std::vector<xbase::Value> values(header.layoutIndex.size());
    std::vector<bool> unnamedReported;
    std::vector<const Cell*> cellAt;  // the row's cells by sheet column: wide sheets have 143 columns
    while (source.next(row)) {
        if (row.blank()) continue;
        ++rows;
        bool rowPassed = true;
        cellAt.assign(cellAt.size(), nullptr);
        for (const Cell& cell : row.cells) {
            if (static_cast<size_t>(cell.column) >= cellAt.size()) cellAt.resize(static_cast<size_t>(cell.column) + 1, nullptr);
            cellAt[static_cast<size_t>(cell.column)] = &cell;
        }
        for (size_t i = 0; i < header.layoutIndex.size(); ++i) {
            const SheetColumn& column = layout.columns[static_cast<size_t>(header.layoutIndex[i])];
            const size_t at = static_cast<size_t>(header.sheetColumn[i]);
            const Cell* cell = at < cellAt.size() ? cellAt[at] : nullptr;
            CellResult result = convertCell(cell, column.field, column.mandatory, options);
            if (!result.error.empty()) {
                problems.error(source.name(), row.number, column.field.name, header.sheetColumn[i],
                               cell ? cellText(*cell) : "", result.error);
                rowPassed = false;
            } else if (!result.warning.empty()) {
                problems.warning(source.name(), row.number, column.field.name, header.sheetColumn[i],
                                 cell ? cellText(*cell) : "", result.warning);
            }
            values[i] = std::move(result.value);
        }
        // A value beyond the header's names, or under a header cell left empty, has no column to go to.
        for (const Cell& cell : row.cells) {
            const size_t c = static_cast<size_t>(cell.column);
            const bool unnamed = c >= header.unnamed.size() || header.unnamed[c];
            if (!unnamed || cell.kind == CellKind::Empty) continue;
            if (cell.kind == CellKind::Text && cell.text.find_first_not_of(" \t\r\n") == std::string::npos) continue;
            if (unnamedReported.size() <= c) unnamedReported.resize(c + 1, false);
            if (unnamedReported[c]) continue;
            unnamedReported[c] = true;
            problems.error(source.name(), row.number, "", cell.column, cellText(cell),
                           "value in a column without a name in the header row");
            rowPassed = false;
        }
        if (rowPassed && problems.errorCount() == 0) write(values);
    }
    for (const CellRange& range : source.mergedRanges())
        problems.error(source.name(), range.firstRow, "", range.firstColumn, "",
                       "merged cells " + rangeText(range) + " (unmerge them: every value needs its own cell)");
    return rows;
}

}  // namespace tarvo::sheets
