#pragma once
// Tables written from a workbook's sheets or a folder of CSV files: every sheet named like a
// table (or planned for one by a column mapping) is read against that table's columns and
// written to NAME.DBF with the columns it has.
// Every cell of every sheet is checked first; with any error nothing in the folder changes.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sheets/cell_conversion.h"
#include "sheets/sheet_columns.h"
#include "sheets/sheet_problems.h"

namespace tarvo::sheets {

// How one sheet is read when its name and first row do not say it by themselves.
struct SheetPlan {
    std::string table;                  // the table's name (ITEM for ITEM.DBF); empty: the sheet is passed over
    const SheetLayout* layout = nullptr;
    std::string passedOver;             // with no table: why, for the note
    long headerRow = 0;                 // the row of the column names (rows above it are passed over)
    std::vector<MappedColumn> columns;  // the sheet's columns that fill the table's columns
    std::vector<std::string> notes;     // told with the outcome (columns passed over)
};

struct SheetsToTablesRequest {
    std::filesystem::path source;  // an .xlsx workbook, a .csv file or a folder of .csv files
    std::filesystem::path folder;  // where NAME.DBF files go (created when missing)
    ConversionOptions options;
    // The columns of the table a sheet name (trimmed, upper case) stands for; nullptr for none.
    std::function<const SheetLayout*(const std::string& name)> layoutOf;
    // When set, used instead of layoutOf: how the sheet of this name (as in the source) is read.
    std::function<SheetPlan(const std::string& name)> planOf;
    // Every check is made, nothing is written (the outcome is Checked when all passed).
    bool checkOnly = false;
    // Asked, after every check has passed, before existing tables are replaced (names such as
    // ITEM.DBF); false keeps everything as it was. Unset: replace without asking.
    std::function<bool(const std::vector<std::string>& replaced)> confirmReplace;
    // Told every few thousand rows, for a progress display.
    std::function<void(const std::string& sheet, long row)> progress;
    // Told each table's name (such as ITEM.DBF) just before the new table takes its place.
    std::function<void(const std::string& table)> beforeReplace;
};

struct WrittenTable {
    std::string name;  // for example ITEM.DBF
    long rows = 0;
    std::vector<std::string> columns;
};

struct SheetsToTablesOutcome {
    enum class Status { Written, Refused, Declined, Checked };
    Status status = Status::Refused;
    ProblemList problems;
    std::vector<std::string> notes;     // sheets passed over, and why
    std::vector<WrittenTable> tables;   // what was (or, when refused, would have been) written
};

SheetsToTablesOutcome sheetsToTables(const SheetsToTablesRequest& request);

}  // namespace tarvo::sheets
