#pragma once
// A CSV file read as one sheet: UTF-8 (with or without byte-order mark), else a single-byte code
// page (Windows-1252 unless the caller names another); UTF-16 is refused by name. Fields are
// separated by commas or semicolons (whichever the header line uses), quoted fields with
// doubled quotes, line breaks inside quotes. Every field is a text cell.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sheets/sheet_rows.h"
#include "xbase/codepage.h"

namespace tarvo::sheets {

class CsvSheet : public RowSource {
public:
    enum class Encoding { Utf8, CodePage };

    // Opens the file and settles its encoding and separator; throws SheetError naming the file.
    // Text that is not UTF-8 is read in the code page (nullptr: Windows-1252).
    explicit CsvSheet(const std::filesystem::path& path, const xbase::CodePage* codePage = nullptr);

    const std::string& name() const override { return name_; }
    bool next(Row& row) override;
    const std::vector<CellRange>& mergedRanges() const override { return noRanges_; }

    Encoding encoding() const { return encoding_; }
    const xbase::CodePage& codePage() const { return *codePage_; }
    char separator() const { return separator_; }

private:
    int get();
    int peek();
    bool readRecord(std::vector<std::string>& fields, long& line);

    std::filesystem::path path_;
    std::string name_;
    std::ifstream in_;
    std::string buffer_;
    size_t pos_ = 0;
    long line_ = 1;
    Encoding encoding_ = Encoding::Utf8;
    const xbase::CodePage* codePage_;
    char separator_ = ',';
    std::vector<std::string> fields_;
    std::vector<CellRange> noRanges_;
};

// True when the bytes are well-formed UTF-8; `pending` carries an unfinished sequence from one
// block to the next (start with 0, and the text is complete when it is 0 at the end).
bool continuesUtf8(std::string_view bytes, int& pending);

}  // namespace tarvo::sheets
