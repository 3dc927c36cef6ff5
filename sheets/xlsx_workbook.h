#pragma once
// An .xlsx workbook opened for reading: its worksheets by name, the shared strings and the date
// formats of its styles. A worksheet's rows are streamed from the archive, so memory holds the
// shared strings and one row at a time, however long the sheet.

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
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
    // The shared strings one after another in one text: a long workbook has hundreds of thousands
    // of them, and one allocation each would double their memory.
    class StringTable {
    public:
        size_t size() const { return ends_.size(); }
        std::string_view operator[](size_t index) const {
            const size_t start = index == 0 ? 0 : ends_[index - 1];
            return std::string_view(text_).substr(start, ends_[index] - start);
        }
        // The text the next string is appended to; end() closes it.
        std::string& text() { return text_; }
        void end() { ends_.push_back(text_.size()); }

    private:
        std::string text_;
        std::vector<size_t> ends_;
    };
    struct Shared {
        StringTable strings;
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
