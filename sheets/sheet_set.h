#pragma once
// The sheets of a source: the worksheets of an .xlsx workbook, one CSV file, or every CSV file of
// a folder (in name order), each opened as rows when it is read.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sheets/sheet_rows.h"
#include "sheets/xlsx_workbook.h"
#include "xbase/codepage.h"

namespace tarvo::sheets {

class SheetSet {
public:
    // Throws SheetError naming the source when it is missing or no readable workbook.
    explicit SheetSet(const std::filesystem::path& source);

    // Sheet names; a CSV file's name without its extension.
    const std::vector<std::string>& names() const { return names_; }
    // A CSV file is read in csvCodePage when one is given, else by its own marks (csv_sheet.h).
    std::unique_ptr<RowSource> open(size_t index, const xbase::CodePage* csvCodePage = nullptr) const;
    bool csv() const { return !workbook_; }
    // "sheet NAME" or "file NAME.csv", as notes name a sheet.
    std::string describe(const std::string& name) const;

private:
    std::unique_ptr<XlsxWorkbook> workbook_;
    std::vector<std::filesystem::path> csvFiles_;
    std::vector<std::string> names_;
};

}  // namespace tarvo::sheets
