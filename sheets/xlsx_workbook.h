#pragma once
// An .xlsx workbook opened for reading: its worksheets by name, the shared strings and the date
// formats of its styles. A worksheet's rows are streamed from the archive, so memory holds the
// shared strings and one row at a time, however long the sheet.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "sheets/sheet_rows.h"

typedef struct zip zip_t;

namespace tarvo::sheets {

class XlsxWorkbook {
public:
    // Opens the workbook; throws SheetError naming the file when it is no readable .xlsx workbook.
    explicit XlsxWorkbook(const std::filesystem::path& path);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    // Worksheet names in workbook order.
    std::vector<std::string> sheetNames() const;
    // The rows of a worksheet; throws SheetError when the sheet cannot be read.
    std::unique_ptr<RowSource> openSheet(const std::string& name) const;

    const std::filesystem::path& path() const { return path_; }

    struct Sheet {
        std::string name;
        std::string part;  // archive path of the sheet's XML
    };
    struct Shared {
        std::vector<std::string> strings;
        std::vector<bool> dateStyles;  // by cell style index: the number format shows a date
        bool date1904 = false;
    };

private:
    std::string readPart(const std::string& part, bool required) const;

    std::filesystem::path path_;
    zip_t* zip_ = nullptr;
    std::vector<Sheet> sheets_;
    std::shared_ptr<const Shared> shared_;
};

// True when a number format code shows a date (day, month with day or year, year); time-only
// formats are numbers.
bool numberFormatShowsDate(int numFmtId, const std::string& formatCode);

}  // namespace tarvo::sheets
