#pragma once
// One spreadsheet cell converted to the value of a table column and checked against the
// column's type, width and decimals: text trimmed and measured, numbers from number cells or
// text with "." or "," separators, dates from date cells, serials or "DD/MM/YYYY" and
// "YYYY-MM-DD" text, logicals from TRUE/FALSE, Y/N, YES/NO and 1/0.

#include <optional>
#include <string>
#include <string_view>

#include "sheets/sheet_rows.h"
#include "xbase/codepage.h"
#include "xbase/table.h"
#include "xbase/value.h"

namespace tarvo::sheets {

struct CellResult {
    xbase::Value value;   // nil: the field stays blank
    std::string error;    // why the cell cannot go into the column; empty when it can
    std::string warning;  // a change made to fit the column (a cut text, dropped decimals)
};

// The start of the error of a text longer than its column; --truncate turns these into warnings.
inline constexpr const char* kTextTooLong = "text too long for the width";

struct ConversionOptions {
    bool truncate = false;  // cut over-long text to the width (with a warning) instead of refusing it
    // The code page of CSV text that is not UTF-8; nullptr: Windows-1252.
    const xbase::CodePage* csvCodePage = nullptr;
    // The code page of the table written; nullptr: OEM 437, that of the tables we create.
    const xbase::CodePage* tableCodePage = nullptr;
};

// Converts a cell (nullptr: no cell) for a column; a mandatory column refuses an empty cell.
CellResult convertCell(const Cell* cell, const xbase::FieldInfo& column, bool mandatory,
                       const ConversionOptions& options = {});

// The cell's value as the problem list shows it.
std::string cellText(const Cell& cell);

// A number from text: an optional sign, digits, "." or "," as decimal point and the other as
// thousands separator. A single separator followed by exactly three digits groups thousands
// when it is "." and marks decimals when it is "," (the program's display convention).
std::optional<double> numberFromText(std::string_view text);
// A date from "DD/MM/YYYY" (also with "-" or "."), "YYYY-MM-DD" (also with "/"), either
// followed by a time of day; nullopt for anything else or a day that does not exist.
std::optional<xbase::Date> dateFromText(std::string_view text);
// TRUE/FALSE, Y/N, YES/NO, 1/0 in any case.
std::optional<bool> logicalFromText(std::string_view text);

// Characters of UTF-8 text (each is one byte in the table's single-byte code page).
size_t characterCount(std::string_view utf8);

}  // namespace tarvo::sheets
