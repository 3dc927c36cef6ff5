#include "templatetools/template_editor.h"

#include <cctype>

#include "xbase/blanks.h"
#include "xbase/codepage.h"
#include "xbase/dates.h"
#include "xbase/error.h"
#include "xbase/number_text.h"
#include "xbase/settings.h"
#include "xbase/text_case.h"

namespace tarvo::templatetools {

namespace {

constexpr const char* kDeletedDateField = "TGL_HAPUS";
// Records a paste locks at once.
constexpr size_t kPasteLockBatch = 1024;

// What a filter reads: the fields of the edited table's current record.
class RecordContext final : public xbase::ExpressionContext {
public:
    explicit RecordContext(const xbase::Table& table) : table_(table) {}
    int fieldHandle(std::string_view, std::string_view name) const override { return table_.fieldPos(name) - 1; }
    xbase::Value fieldValue(int handle) const override { return table_.fieldGet(handle + 1); }
    uint32_t recNo() const override { return table_.recNo(); }
    bool deleted() const override { return table_.deleted(); }
    const xbase::CodePage& codePage() const override { return table_.codePage(); }

private:
    const xbase::Table& table_;
};

xbase::OpenOptions shared() { return xbase::OpenOptions{false, false, xbase::Driver::DBFCDX}; }

// A number typed by the user: an optional sign, digits, and one decimal separator ("." or ",").
std::optional<double> typedNumber(std::string_view text) {
    text = xbase::trimmed(text);
    if (text.empty()) return 0.0;
    std::string plain;
    bool digits = false, separator = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if ((c == '-' || c == '+') && i == 0) plain += c;
        else if (std::isdigit(static_cast<unsigned char>(c))) plain += c, digits = true;
        else if ((c == '.' || c == ',') && !separator) plain += '.', separator = true;
        else return std::nullopt;
    }
    if (!digits) return std::nullopt;
    return xbase::Val(plain);
}

// Clears the deletion date of a recalled record, when the table keeps one.
void clearDeletionDate(xbase::Table& table) {
    const int pos = table.fieldPos(kDeletedDateField);
    if (pos != 0 && table.field(pos).type == 'D') table.fieldPut(pos, xbase::Value(xbase::Date{}));
}

}  // namespace

const std::vector<EditorPage>& editorPages() {
    static const std::vector<EditorPage> pages = {
        {"GRPSTK.DBF", "WINIMPORTEDIT1", "GrpStk.dbf", {128, 255, 128}},
        {"GRPST2.DBF", "WINIMPORTEDIT2", "GrpSt2.dbf", {255, 255, 185}},
        {"GRPST3.DBF", "WINIMPORTEDIT3", "GrpSt3.dbf", {193, 193, 255}},
        {"ITEM.DBF", "WINIMPORTEDIT4", "Item.dbf", {255, 128, 128}},
        {"ITMINF.DBF", "WINIMPORTEDIT4A", "ItmInf.dbf", {255, 18, 18}},
        {"ITMNAM.DBF", "WINIMPORTEDIT4B", "ItmNam.dbf", {255, 180, 180}},
        {"VENDOR.DBF", "WINIMPORTEDIT5", "Vendor.dbf", {192, 192, 192}},
        {"DAERAH.DBF", "WINIMPORTEDIT6", "Daerah.dbf", {205, 205, 156}},
        {"DAERA2.DBF", "WINIMPORTEDIT62", "Daera2.dbf", {205, 25, 156}},
        {"SALES.DBF", "WINIMPORTEDIT7", "Sales.dbf", {111, 49, 152}},
        {"GRPPEL.DBF", "WINIMPORTEDIT8", "GrpPel.dbf", {170, 213, 213}},
        {"GRPPE2.DBF", "WINIMPORTEDIT82", "GrpPe2.dbf", {170, 23, 213}},
        {"PELANG.DBF", "WINIMPORTEDIT9", "Pelang.dbf", {255, 128, 255}},
        {"PELEXT.DBF", "WINIMPORTEDIT10", "PelExt.dbf", {255, 28, 255}},
        {"PEMBEL.DBF", "WINIMPORTEDIT11", "Pembel.dbf", {239, 128, 176}},
        {"PENJUA.DBF", "WINIMPORTEDIT12", "Penjua.dbf", {239, 228, 176}},
        {"GRPHJL.DBF", "WINIMPORTEDIT13", "GrpHJL.dbf", {176, 228, 176}},
        {"STKHJL.DBF", "WINIMPORTEDIT14", "StkHJL.dbf", {239, 228, 239}},
    };
    return pages;
}

xbase::Value pastedValue(char type, const std::string& line) {
    switch (type) {
        case 'N': return xbase::Value(xbase::Val(line));
        case 'D': return xbase::Value(xbase::SToD(line));
        case 'L': return xbase::Value(xbase::Val(line.substr(0, 1)) > 0);
        default: return xbase::Value(line);
    }
}

std::vector<std::string> textLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        size_t end = text.find('\n', begin);
        const size_t next = end == std::string::npos ? text.size() : end + 1;
        if (end == std::string::npos) end = text.size();
        if (end > begin && text[end - 1] == '\r' && end < text.size()) --end;
        lines.push_back(text.substr(begin, end - begin));
        begin = next;
    }
    return lines;
}

EditedTemplate::EditedTemplate(std::string path) : path_(std::move(path)) { table_ = xbase::Table::open(path_, shared()); }

EditedTemplate::~EditedTemplate() = default;

uint32_t EditedTemplate::rowCount() const {
    if (!table_) return 0;
    return expression_ ? static_cast<uint32_t>(rows_.size()) : table_->recCount();
}

uint32_t EditedTemplate::recnoAt(uint32_t row) const { return expression_ ? rows_.at(row) : row + 1; }

std::optional<uint32_t> EditedTemplate::rowOf(uint32_t recno) const {
    if (!table_ || recno < 1 || recno > table_->recCount()) return std::nullopt;
    if (!expression_) return recno - 1;
    for (uint32_t row = 0; row < rows_.size(); ++row)
        if (rows_[row] == recno) return row;
    return std::nullopt;
}

std::string EditedTemplate::cellText(uint32_t recno, int field) const {
    table_->goTo(recno);
    const xbase::FieldInfo& info = table_->field(field);
    const xbase::Value value = table_->fieldGet(field);
    switch (info.type) {
        case 'N': case 'F': {
            std::string text(xbase::trimmedLeft(xbase::Str(value.number(), info.length, info.decimals)));
            for (char& c : text)
                if (c == '.') c = xbase::settings().decimalSep;
            return text;
        }
        case 'D': return value.date().empty() ? std::string() : xbase::DToC(value.date());
        case 'L': return value.logical() ? "T" : "F";
        default: return std::string(xbase::trimmedRight(value.text()));
    }
}

bool EditedTemplate::setCell(uint32_t recno, int field, const std::string& text, std::string& problem) {
    const xbase::FieldInfo& info = table_->field(field);
    xbase::Value value;
    switch (info.type) {
        case 'C':
            if (table_->encodeText(text).size() > static_cast<size_t>(info.length)) {
                problem = "Isi field " + info.name + " maksimum " + std::to_string(info.length) + " huruf.";
                return false;
            }
            value = xbase::Value(text);
            break;
        case 'N': {
            const std::optional<double> number = typedNumber(text);
            const std::string shape = " (N " + std::to_string(info.length) + "," + std::to_string(info.decimals) + ")";
            if (!number) {
                problem = "Isi field " + info.name + " harus angka" + shape + ".";
                return false;
            }
            const double rounded = xbase::Round(*number, info.decimals);
            if (xbase::Str(rounded, info.length, info.decimals).find('*') != std::string::npos) {
                problem = "Nilai terlalu besar untuk field " + info.name + shape + ".";
                return false;
            }
            value = xbase::Value(rounded);
            break;
        }
        case 'D': {
            const xbase::Date date = xbase::CToD(text);
            if (date.empty() && !xbase::trimmed(text).empty() && xbase::trimmed(text) != "/  /") {
                problem = "Isi field " + info.name + " harus tanggal DD/MM/YYYY.";
                return false;
            }
            value = xbase::Value(date);
            break;
        }
        case 'L': {
            const std::string_view t = xbase::trimmed(text);
            const char c = t.empty() ? 'F' : xbase::asciiUpper(t[0]);
            if (t.size() > 1 || (c != 'T' && c != 'F' && c != 'Y' && c != 'N')) {
                problem = "Isi field " + info.name + " harus T atau F.";
                return false;
            }
            value = xbase::Value(c == 'T' || c == 'Y');
            break;
        }
        default:
            problem = "Field " + info.name + " tidak bisa diubah di sini.";
            return false;
    }
    if (!table_->lockRecord(recno)) {
        problem = "Record " + std::to_string(recno) + " sedang dikunci program lain.";
        return false;
    }
    table_->goTo(recno);
    table_->fieldPut(field, value);
    table_->commit();
    table_->unlockRecord(recno);
    return true;
}

bool EditedTemplate::OPENFILE(ui::Owner owner) {
    table_.reset();
    try {
        table_ = xbase::Table::open(path_, shared());
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, e.what());
        return false;
    }
    refreshRows();
    return true;
}

uint32_t EditedTemplate::BROWSERTAMBAH() {
    table_->append();
    table_->commit();
    if (expression_) rows_.push_back(table_->recNo());
    return table_->recNo();
}

bool EditedTemplate::lockOrSay(ui::Owner owner, uint32_t recno) {
    if (table_->lockRecord(recno)) return true;
    ui::BOXERROR(owner, "Record " + std::to_string(recno) + " sedang dikunci program lain.");
    return false;
}

bool EditedTemplate::BROWSERHAPUS(ui::Owner owner, uint32_t recno) {
    if (!lockOrSay(owner, recno)) return false;
    table_->goTo(recno);
    if (table_->deleted()) {
        table_->recall();
        clearDeletionDate(*table_);
    } else {
        table_->deleteRecord();
    }
    table_->commit();
    table_->unlockRecord(recno);
    return true;
}

bool EditedTemplate::BROWSERRECALLALL(ui::Owner owner) {
    if (!ui::BOXASK(owner, "Undelete semua?", "Anda yakin untuk recall/undelete semua record ?", 2)) return false;
    uint32_t held = 0;
    for (uint32_t row = 0; row < rowCount(); ++row) {
        const uint32_t recno = recnoAt(row);
        if (!table_->lockRecord(recno)) {
            ++held;
            continue;
        }
        table_->goTo(recno);
        if (table_->deleted()) {
            table_->recall();
            clearDeletionDate(*table_);
        }
        table_->unlockRecord(recno);
    }
    table_->commit();
    if (held > 0)
        ui::BOXWARNING(owner, "Recall All",
                       std::to_string(held) + " record sedang dikunci program lain dan tidak di-recall.");
    return true;
}

bool EditedTemplate::BUTTONZAP(ui::Owner owner) {
    return wholeFileCommand(owner, "Anda yakin untuk Hapus Seluruh Record Database ?", true);
}

bool EditedTemplate::BUTTONPACK(ui::Owner owner) {
    return wholeFileCommand(owner, "Anda yakin untuk Pack Database (Hapus record yang tertanda Deleted) ?", false);
}

bool EditedTemplate::wholeFileCommand(ui::Owner owner, const char* question, bool zap) {
    if (!ui::BOXASK(owner, "Yakin?", question, 2)) return false;
    table_.reset();
    bool done = false;
    try {
        auto exclusive = xbase::Table::open(path_, xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
        if (zap) exclusive->zap();
        else exclusive->pack();
        exclusive->commit();
        done = true;
    } catch (const xbase::FileInUseError&) {
        ui::BOXERROR(owner, "File " + path_ + " sedang dipakai program lain.\r\n" + (zap ? "Zap" : "Pack") +
                                " tidak dijalankan; data tidak diubah.");
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, e.what());
    }
    return OPENFILE(owner) && done;
}

bool EditedTemplate::setFilter(ui::Owner owner, const std::string& expression) {
    if (expression.empty()) {
        expression_.reset();
        filter_.clear();
        rows_.clear();
        return true;
    }
    try {
        RecordContext context(*table_);
        table_->goTo(1);
        xbase::Expression compiled = xbase::Expression::compile(expression, context);
        if (!compiled.evaluate(context).isLogical())
            throw xbase::ExpressionError(expression, 1, "the filter is not a logical expression");
        expression_ = std::move(compiled);
    } catch (const xbase::ExpressionError& e) {
        ui::BOXERROR(owner, std::string("Filter tidak bisa dipakai:\r\n") + e.what());
        return false;
    }
    filter_ = expression;
    refreshRows();
    return true;
}

void EditedTemplate::refreshRows() {
    rows_.clear();
    if (!expression_ || !table_) return;
    RecordContext context(*table_);
    for (uint32_t recno = 1; recno <= table_->recCount(); ++recno) {
        table_->goTo(recno);
        try {
            if (expression_->evaluate(context).logical()) rows_.push_back(recno);
        } catch (const xbase::ExpressionError&) {
            // A record the filter cannot judge is not shown.
        }
    }
}

uint32_t EditedTemplate::recordForRow(uint32_t row) const {
    return row < rowCount() ? recnoAt(row) : table_->recCount() + (row - rowCount()) + 1;
}

uint32_t EditedTemplate::pasteColumn(ui::Owner owner, const std::string& fieldName, const std::string& text,
                                     uint32_t startRecno) {
    const int field = table_->fieldPos(fieldName);
    if (field == 0) return startRecno;
    const char type = table_->field(field).type;
    ui::UserInteraction& ui = ui::interaction();
    const std::vector<std::string> lines = textLines(text);
    uint32_t row = startRecno == 0 ? 0 : rowOf(startRecno).value_or(rowCount());
    uint32_t returnPosition = startRecno;
    std::vector<size_t> misfits;
    size_t n = 0;
    while (n < lines.size()) {
        // The records of the next lines are locked in one call: a lock call per record would
        // cost a long paste more than its writes. Where another program holds one of them, the
        // records go one at a time, so that the paste stops at the held one.
        size_t count = std::min(kPasteLockBatch, lines.size() - n);
        uint32_t first = recordForRow(row);
        uint32_t span = recordForRow(row + static_cast<uint32_t>(count) - 1) - first + 1;
        if (!table_->lockRecords(first, span)) {
            count = span = 1;
            if (!lockOrSay(owner, first)) break;
        }
        for (size_t k = 0; k < count; ++k, ++row) {
            const std::string& line = lines[n++];
            ui.progressText(2, "Proses no. " + std::to_string(n));
            ui.letEventsThrough();
            if (row >= rowCount()) {
                table_->append();
                if (expression_) rows_.push_back(table_->recNo());
            } else {
                table_->goTo(recnoAt(row));
            }
            if (!line.empty()) {
                try {
                    table_->fieldPut(field, pastedValue(type, line));
                } catch (const xbase::Error&) {
                    misfits.push_back(n);
                }
            }
            returnPosition = table_->recNo();
        }
        table_->unlockRecords(first, span);
    }
    table_->commit();
    if (!misfits.empty()) {
        std::string shown;
        for (size_t i = 0; i < misfits.size() && i < 10; ++i) shown += (i ? ", " : "") + std::to_string(misfits[i]);
        if (misfits.size() > 10) shown += ", ...";
        ui::BOXWARNING(owner, "Paste", std::to_string(misfits.size()) + " nilai tidak muat di field " + fieldName +
                                           " dan tidak diisi (baris " + shown + ").");
    }
    return returnPosition;
}

}  // namespace tarvo::templatetools
