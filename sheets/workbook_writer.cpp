#include "sheets/workbook_writer.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>

#include "sheets/sheet_rows.h"

namespace tarvo::sheets {

namespace {

constexpr lxw_row_t kLastRow = LXW_ROW_MAX - 1;

// Text cut to a limit of Excel's (counted in characters), for validation messages.
std::string limited(const std::string& text, size_t characters) {
    size_t count = 0, i = 0;
    for (; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && count++ == characters) break;
    }
    return text.substr(0, i);
}

std::string numberFormat(const xbase::FieldInfo& field) {
    switch (field.type) {
        case 'N': return field.decimals > 0 ? "0." + std::string(static_cast<size_t>(field.decimals), '0') : "0";
        case 'D': return "dd/mm/yyyy";
        default: return "@";
    }
}

// Digits before the point that a numeric field holds: its width less the point and the decimals.
int wholeDigits(const xbase::FieldInfo& field) { return field.length - field.decimals - (field.decimals > 0 ? 1 : 0); }
double largestNumber(const xbase::FieldInfo& field) {
    return std::pow(10.0, wholeDigits(field)) - std::pow(10.0, -field.decimals);
}
// A minus sign takes one place of the width.
double smallestNumber(const xbase::FieldInfo& field) {
    const int digits = wholeDigits(field) - 1;
    return digits > 0 ? -(std::pow(10.0, digits) - std::pow(10.0, -field.decimals)) : 0;
}

class Workbook {
public:
    explicit Workbook(const std::filesystem::path& file) : file_(file) {
        book_ = workbook_new(file.c_str());
        if (!book_) throw SheetError(file.string() + ": cannot create the workbook");
    }
    ~Workbook() {
        if (book_) workbook_close(book_);
    }

    void addSheet(const WorkbookSheet& layout) {
        lxw_worksheet* sheet = workbook_add_worksheet(book_, layout.name.c_str());
        if (!sheet) fail("cannot add the sheet " + layout.name);
        lxw_format* header = workbook_add_format(book_);
        format_set_bg_color(header, layout.colour);
        format_set_border(header, LXW_BORDER_THIN);
        lxw_format* mandatoryHeader = workbook_add_format(book_);
        format_set_bg_color(mandatoryHeader, layout.colour);
        format_set_border(mandatoryHeader, LXW_BORDER_THIN);
        format_set_bold(mandatoryHeader);
        worksheet_freeze_panes(sheet, 1, 0);
        for (size_t i = 0; i < layout.columns.size(); ++i) {
            const WorkbookColumn& column = layout.columns[i];
            const lxw_col_t col = static_cast<lxw_col_t>(i);
            lxw_format* cells = workbook_add_format(book_);
            format_set_num_format(cells, numberFormat(column.field).c_str());
            const double width = column.field.type == 'D' ? 12
                                 : std::clamp<double>(std::max<double>(column.field.name.size(), column.field.length) + 2, 8, 40);
            check(worksheet_set_column(sheet, col, col, width, cells), "column format");
            check(worksheet_write_string(sheet, 0, col, column.field.name.c_str(),
                                         column.mandatory ? mandatoryHeader : header),
                  "header");
            std::string note = columnNote(column);
            if (i == 0 && !layout.title.empty()) note = layout.title + "\n\n" + note;
            lxw_comment_options options{};
            options.x_scale = 3;
            options.y_scale = 2.5;
            check(worksheet_write_comment_opt(sheet, 0, col, note.c_str(), &options), "note");
            validate(sheet, col, column);
        }
    }

    void close() {
        const lxw_error error = workbook_close(book_);
        book_ = nullptr;
        if (error != LXW_NO_ERROR) fail(std::string("cannot write the workbook (") + lxw_strerror(error) + ")");
    }

private:
    [[noreturn]] void fail(const std::string& what) const { throw SheetError(file_.string() + ": " + what); }
    void check(lxw_error error, const std::string& what) const {
        if (error != LXW_NO_ERROR) fail(what + ": " + lxw_strerror(error));
    }

    void validate(lxw_worksheet* sheet, lxw_col_t col, const WorkbookColumn& column) {
        const xbase::FieldInfo& field = column.field;
        lxw_data_validation rule{};
        std::string message;
        if (field.type == 'C') {
            rule.validate = LXW_VALIDATION_TYPE_LENGTH;
            rule.criteria = LXW_VALIDATION_CRITERIA_LESS_THAN_OR_EQUAL_TO;
            rule.value_number = field.length;
            message = "Paling banyak " + std::to_string(field.length) + " huruf/angka.";
        } else if (field.type == 'N') {
            rule.validate = LXW_VALIDATION_TYPE_DECIMAL;
            rule.criteria = LXW_VALIDATION_CRITERIA_BETWEEN;
            rule.minimum_number = smallestNumber(field);
            rule.maximum_number = largestNumber(field);
            message = "Angka, " + std::to_string(field.length) + " tempat dengan " + std::to_string(field.decimals) +
                      " desimal.";
        } else if (field.type == 'D') {
            rule.validate = LXW_VALIDATION_TYPE_DATE;
            rule.criteria = LXW_VALIDATION_CRITERIA_BETWEEN;
            rule.minimum_datetime = {1900, 1, 1, 0, 0, 0};
            rule.maximum_datetime = {9999, 12, 31, 0, 0, 0};
            message = "Tanggal (DD/MM/YYYY).";
        } else {
            return;
        }
        const std::string title = limited(field.name, 32);
        const std::string input = limited(message + " " + column.description, 255);
        rule.input_title = const_cast<char*>(title.c_str());
        rule.input_message = const_cast<char*>(input.c_str());
        rule.error_title = const_cast<char*>(title.c_str());
        const std::string error = limited(message, 255);
        rule.error_message = const_cast<char*>(error.c_str());
        check(worksheet_data_validation_range(sheet, 1, col, kLastRow, col, &rule), "validation of " + field.name);
    }

    std::filesystem::path file_;
    lxw_workbook* book_ = nullptr;
};

}  // namespace

std::string columnNote(const WorkbookColumn& column) {
    std::string note = column.field.name;
    if (column.mandatory) note += " (WAJIB DIISI)";
    note += "\n" + column.description;
    note += "\nTIPE " + std::string(1, column.field.type) + ", LEN " + std::to_string(column.field.length) + ", DEC " +
            std::to_string(column.field.decimals);
    if (!column.defaultValue.empty()) note += "\nDEFAULT " + column.defaultValue;
    return note;
}

void writeWorkbook(const std::filesystem::path& file, const std::vector<WorkbookSheet>& sheets) {
    Workbook book(file);
    for (const WorkbookSheet& sheet : sheets) book.addSheet(sheet);
    book.close();
}

}  // namespace tarvo::sheets
