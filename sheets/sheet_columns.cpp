#include "sheets/sheet_columns.h"

#include <algorithm>
#include <numeric>

#include "xbase/text_case.h"

namespace tarvo::sheets {

namespace {

std::string upperTrimmed(std::string name) {
    const size_t first = name.find_first_not_of(" \t\r\n");
    const size_t last = name.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? "" : xbase::asciiUpperCase(name.substr(first, last - first + 1));
}

std::string headerName(const Cell& cell) { return upperTrimmed(cellText(cell)); }

// The sheet columns up to the last named or taken one without a header text: a value under one
// has no column to go to.
void markUnnamed(SheetHeader& header, const Row& row, const std::vector<int>& sheetColumnOf) {
    int last = row.cells.back().column;
    for (const int column : sheetColumnOf) last = std::max(last, column);
    header.unnamed.assign(static_cast<size_t>(last) + 1, true);
    for (const Cell& cell : row.cells)
        if (!headerName(cell).empty()) header.unnamed[static_cast<size_t>(cell.column)] = false;
    for (const int column : sheetColumnOf)
        if (column >= 0) header.unnamed[static_cast<size_t>(column)] = false;
}

// Present columns in layout order, and the mandatory columns the sheet lacks as errors.
void takeColumns(SheetHeader& header, const SheetLayout& layout, const std::vector<int>& sheetColumnOf,
                 const std::vector<std::string>& nameOf, const std::string& sheet, ProblemList& problems) {
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        if (sheetColumnOf[i] >= 0) {
            header.layoutIndex.push_back(static_cast<int>(i));
            header.sheetColumn.push_back(sheetColumnOf[i]);
            header.names.push_back(nameOf[i]);
        } else if (layout.columns[i].mandatory || layout.columns[i].required) {
            problems.error(sheet, header.row, layout.columns[i].field.name, -1, "", "mandatory column missing");
        }
    }
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

std::string SheetHeader::columnName(size_t i, const SheetLayout& layout) const {
    if (i < names.size() && !names[i].empty()) return names[i];
    return layout.columns[static_cast<size_t>(layoutIndex[i])].field.name;
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
    markUnnamed(header, row, sheetColumnOf);
    takeColumns(header, layout, sheetColumnOf, std::vector<std::string>(layout.columns.size()), source.name(), problems);
    return header;
}

SheetHeader readMappedHeader(RowSource& source, const SheetLayout& layout, long headerRow,
                             const std::vector<MappedColumn>& columns, ProblemList& problems) {
    SheetHeader header;
    Row row;
    bool found = false;
    while (source.next(row)) {
        if (row.number < headerRow) continue;
        found = row.number == headerRow && !row.blank();
        break;
    }
    if (!found) {
        problems.error(source.name(), headerRow, "", -1, "", "the header row is empty");
        return header;
    }
    header.row = headerRow;
    std::vector<int> sheetColumnOf(layout.columns.size(), -1);
    std::vector<std::string> nameOf(layout.columns.size());
    for (const MappedColumn& mapped : columns) {
        const std::string wanted = upperTrimmed(mapped.header);
        int column = mapped.sheetColumn;
        if (column < 0) {
            for (const Cell& cell : row.cells)
                if (headerName(cell) == wanted) {
                    column = cell.column;
                    break;
                }
            if (column < 0) {
                problems.error(source.name(), headerRow, mapped.header, -1, "", "column of the mapping not in the header row");
                continue;
            }
        } else if (!wanted.empty()) {
            const Cell* cell = row.cell(column);
            if (!cell || headerName(*cell) != wanted) {
                problems.error(source.name(), headerRow, mapped.header, column, cell ? cellText(*cell) : "",
                               "the header row has another text in this column than the mapping");
                continue;
            }
        }
        const size_t target = static_cast<size_t>(mapped.layoutIndex);
        const std::string& field = layout.columns[target].field.name;
        const Cell* cell = row.cell(column);
        const std::string text = cell ? cellText(*cell) : "";
        if (sheetColumnOf[target] >= 0) {
            problems.error(source.name(), headerRow, text, column, "",
                           "column " + field + " given twice (first to column " + columnLetters(sheetColumnOf[target]) + ")");
            continue;
        }
        sheetColumnOf[target] = column;
        if (!cell || headerName(*cell) != field) nameOf[target] = text.empty() ? field : text + " [" + field + "]";
    }
    markUnnamed(header, row, sheetColumnOf);
    takeColumns(header, layout, sheetColumnOf, nameOf, source.name(), problems);
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
                problems.error(source.name(), row.number, header.columnName(i, layout), header.sheetColumn[i],
                               cell ? cellText(*cell) : "", result.error);
                rowPassed = false;
            } else if (!result.warning.empty()) {
                problems.warning(source.name(), row.number, header.columnName(i, layout), header.sheetColumn[i],
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
        if (range.lastRow >= header.row)  // titles above the header are often merged across the columns
            problems.error(source.name(), range.firstRow, "", range.firstColumn, "",
                       "merged cells " + rangeText(range) + " (unmerge them: every value needs its own cell)");
    return rows;
}

}  // namespace tarvo::sheets
