#include "sheets/sheet_set.h"

#include <algorithm>

#include "sheets/csv_sheet.h"
#include "xbase/file_names.h"

namespace tarvo::sheets {

namespace fs = std::filesystem;

namespace {

bool hasExtension(const fs::path& path, const std::string& extension) {
    return xbase::equalsIgnoreCase(path.extension().string(), extension);
}

}  // namespace

SheetSet::SheetSet(const fs::path& source) {
    std::error_code error;
    if (fs::is_directory(source, error)) {
        for (const auto& entry : fs::directory_iterator(source, error))
            if (entry.is_regular_file() && hasExtension(entry.path(), ".csv")) csvFiles_.push_back(entry.path());
        std::sort(csvFiles_.begin(), csvFiles_.end());
        for (const fs::path& file : csvFiles_) names_.push_back(file.stem().string());
    } else if (!fs::exists(source, error)) {
        throw SheetError(source.string() + ": no such file or folder");
    } else if (hasExtension(source, ".csv")) {
        csvFiles_.push_back(source);
        names_.push_back(source.stem().string());
    } else {
        workbook_ = std::make_unique<XlsxWorkbook>(source);
        names_ = workbook_->sheetNames();
    }
}

std::unique_ptr<RowSource> SheetSet::open(size_t index, const xbase::CodePage* csvCodePage) const {
    if (workbook_) return workbook_->openSheet(names_[index]);
    return std::make_unique<CsvSheet>(csvFiles_[index], csvCodePage);
}

std::string SheetSet::describe(const std::string& name) const { return csv() ? "file " + name + ".csv" : "sheet " + name; }

}  // namespace tarvo::sheets
