#include "sheets/csv_sheet.h"


namespace tarvo::sheets {

namespace {

constexpr size_t kBlock = 256 * 1024;

}  // namespace

bool continuesUtf8(std::string_view bytes, int& pending) {
    for (const unsigned char c : bytes) {
        if (pending > 0) {
            if ((c & 0xC0) != 0x80) return false;
            --pending;
        } else if (c >= 0x80) {
            if (c >= 0xC2 && c <= 0xDF) pending = 1;
            else if (c >= 0xE0 && c <= 0xEF) pending = 2;
            else if (c >= 0xF0 && c <= 0xF4) pending = 3;
            else return false;
        }
    }
    return true;
}

CsvSheet::CsvSheet(const std::filesystem::path& path, const xbase::CodePage* codePage)
    : path_(path), name_(path.stem().string()), codePage_(codePage ? codePage : &xbase::CodePage::windowsAnsi()) {
    const std::string file = path.string();
    {
        std::ifstream scan(path, std::ios::binary);
        if (!scan) throw SheetError(file + ": cannot open");
        char mark[2] = {};
        scan.read(mark, 2);
        if (scan.gcount() == 2 && ((mark[0] == '\xFF' && mark[1] == '\xFE') || (mark[0] == '\xFE' && mark[1] == '\xFF')))
            throw SheetError(file + ": UTF-16 text, which is not read; save the file as \"CSV UTF-8\" or as CSV (Windows-1252)");
        scan.clear();
        scan.seekg(0);
        std::string block(kBlock, '\0');
        int pending = 0;
        bool utf8 = true;
        while (utf8 && scan) {
            scan.read(block.data(), static_cast<std::streamsize>(block.size()));
            utf8 = continuesUtf8(std::string_view(block.data(), static_cast<size_t>(scan.gcount())), pending);
        }
        if (scan.bad()) throw SheetError(file + ": cannot read");
        encoding_ = utf8 && pending == 0 ? Encoding::Utf8 : Encoding::CodePage;
    }
    in_.open(path, std::ios::binary);
    if (!in_) throw SheetError(file + ": cannot open");
    peek();
    if (buffer_.starts_with("\xEF\xBB\xBF")) pos_ = 3;
    // The separator is the one the header line uses more: a comma, or a semicolon.
    int commas = 0, semicolons = 0;
    bool quoted = false;
    for (size_t i = pos_;; ++i) {
        if (i >= buffer_.size()) {
            std::string more(kBlock, '\0');
            in_.read(more.data(), static_cast<std::streamsize>(more.size()));
            more.resize(static_cast<size_t>(in_.gcount()));
            if (more.empty()) break;
            buffer_ += more;
        }
        const char c = buffer_[i];
        if (c == '"') quoted = !quoted;
        else if (!quoted && (c == '\n' || c == '\r')) break;
        else if (!quoted && c == ',') ++commas;
        else if (!quoted && c == ';') ++semicolons;
    }
    separator_ = semicolons > commas ? ';' : ',';
}

int CsvSheet::peek() {
    if (pos_ >= buffer_.size()) {
        buffer_.erase(0, pos_);
        pos_ = 0;
        std::string more(kBlock, '\0');
        in_.read(more.data(), static_cast<std::streamsize>(more.size()));
        more.resize(static_cast<size_t>(in_.gcount()));
        if (more.empty()) return -1;
        buffer_ += more;
    }
    return static_cast<unsigned char>(buffer_[pos_]);
}

int CsvSheet::get() {
    const int c = peek();
    if (c >= 0) ++pos_;
    if (c == '\n') ++line_;
    return c;
}

bool CsvSheet::readRecord(std::vector<std::string>& fields, long& line) {
    fields.clear();
    if (peek() < 0) return false;
    line = line_;
    std::string field;
    bool quoted = false;   // inside a quoted part of the field
    while (true) {
        const int c = get();
        if (quoted) {
            if (c < 0) throw SheetError(path_.string() + ", line " + std::to_string(line) + ": quoted field not closed");
            if (c == '"') {
                if (peek() == '"') {
                    get();
                    field += '"';
                } else {
                    quoted = false;
                }
            } else {
                field += static_cast<char>(c);
            }
            continue;
        }
        if (c < 0 || c == '\n' || c == '\r') {
            if (c == '\r' && peek() == '\n') get();
            else if (c == '\r') ++line_;
            fields.push_back(std::move(field));
            return true;
        }
        if (c == separator_) {
            fields.push_back(std::move(field));
            field.clear();
        } else if (c == '"' && field.empty()) {
            field.clear();
            quoted = true;
        } else {
            field += static_cast<char>(c);
        }
    }
}

bool CsvSheet::next(Row& row) {
    while (true) {
        long line = 0;
        if (!readRecord(fields_, line)) return false;
        row.number = line;
        row.cells.clear();
        for (size_t i = 0; i < fields_.size(); ++i) {
            if (fields_[i].empty()) continue;
            Cell cell;
            cell.column = static_cast<int>(i);
            cell.kind = CellKind::Text;
            cell.text = encoding_ == Encoding::Utf8 ? std::move(fields_[i]) : codePage_->decode(fields_[i]);
            row.cells.push_back(std::move(cell));
        }
        if (!row.cells.empty()) return true;
    }
}

}  // namespace tarvo::sheets
