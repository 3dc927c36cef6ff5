#pragma once
// Tables written from a workbook's sheets or a folder of CSV files: every sheet named like a
// table is read against that table's columns and written to NAME.DBF with the columns it has.
// Every cell of every sheet is checked first; with any error nothing in the folder changes.

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "sheets/cell_conversion.h"
#include "sheets/sheet_columns.h"
#include "sheets/sheet_problems.h"

namespace tarvo::sheets {

struct SheetsToTablesRequest {
    std::filesystem::path source;  // an .xlsx workbook, a .csv file or a folder of .csv files
    std::filesystem::path folder;  // where NAME.DBF files go (created when missing)
    ConversionOptions options;
    // The columns of the table a sheet name (trimmed, upper case) stands for; nullptr for none.
    std::function<const SheetLayout*(const std::string& name)> layoutOf;
    // Asked, after every check has passed, before existing tables are replaced (names such as
    // ITEM.DBF); false keeps everything as it was. Unset: replace without asking.
    std::function<bool(const std::vector<std::string>& replaced)> confirmReplace;
    // Told every few thousand rows, for a progress display.
    std::function<void(const std::string& sheet, long row)> progress;
};

struct WrittenTable {
    std::string name;  // for example ITEM.DBF
    long rows = 0;
    std::vector<std::string> columns;
};

struct SheetsToTablesOutcome {
    enum class Status { Written, Refused, Declined };
    Status status = Status::Refused;
    ProblemList problems;
    std::vector<std::string> notes;     // sheets passed over, and why
    std::vector<WrittenTable> tables;   // what was (or, when refused, would have been) written
};

SheetsToTablesOutcome sheetsToTables(const SheetsToTablesRequest& request);

}  // namespace tarvo::sheets
