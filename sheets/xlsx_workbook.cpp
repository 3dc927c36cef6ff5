#include "sheets/xlsx_workbook.h"

#include <zip.h>

#include <algorithm>
#include <charconv>
#include <cstring>
#include <pugixml.hpp>

#include "sheets/serial_dates.h"
#include "xbase/number_text.h"

namespace tarvo::sheets {

namespace {

constexpr size_t kChunk = 256 * 1024;
// A run of elements parsed at once ends within this many bytes, so that its text and its nodes stay
// in the processor's cache while the rows are read from them.
constexpr size_t kRun = 32 * 1024;
constexpr size_t kLargestRow = 64 * 1024 * 1024;  // a row element beyond this is a damaged sheet
// Text that is an element's only content is kept in the element itself (text() reads it as ever):
// a cell's <v> then takes one node instead of two.
constexpr unsigned kParseFlags = pugi::parse_cdata | pugi::parse_escapes | pugi::parse_embed_pcdata;

// Element and attribute names without their namespace prefix ("x:row" is "row").
std::string_view localName(const char* name) {
    std::string_view n(name);
    const size_t colon = n.find(':');
    return colon == std::string_view::npos ? n : n.substr(colon + 1);
}


bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A name without its namespace prefix.
const char* withoutPrefix(const char* name) {
    const char* local = name;
    for (const char* p = name; *p; ++p)
        if (*p == ':') local = p + 1;
    return local;
}

// True when a name, without its prefix, is `want`; the cells of a long sheet ask this millions of
// times, mostly of one-letter names, so it is a plain loop instead of library calls. Text nodes
// have no name, and the parse keeps no other nodes than elements and text, so a node named like
// an element is that element.
bool named(const char* name, std::string_view want) {
    const char* local = withoutPrefix(name);
    size_t i = 0;
    for (; i < want.size(); ++i)
        if (local[i] != want[i]) return false;
    return local[i] == 0;
}

pugi::xml_node child(pugi::xml_node node, std::string_view name) {
    for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
        if (c.type() == pugi::node_element && named(c.name(), name)) return c;
    return {};
}

// The first element named `name` from `node` on among its siblings.
pugi::xml_node nextElement(pugi::xml_node node, std::string_view name) {
    for (; node; node = node.next_sibling())
        if (node.type() == pugi::node_element && named(node.name(), name)) return node;
    return {};
}

pugi::xml_attribute attribute(pugi::xml_node node, std::string_view name) {
    for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute())
        if (named(a.name(), name)) return a;
    return {};
}

// An element's text: mostly kept in the element itself (see kParseFlags), else in a child (CDATA).
const char* elementText(pugi::xml_node element) {
    const char* text = element.value();
    return *text ? text : element.text().get();
}

// The text of a string item (<si> or <is>): its <t>, or the <t> of every rich-text run; phonetic
// runs (<rPh>) are left out.
void appendStringItem(pugi::xml_node item, std::string& out) {
    for (pugi::xml_node c = item.first_child(); c; c = c.next_sibling()) {
        if (c.type() != pugi::node_element) continue;
        if (named(c.name(), "t")) out += elementText(c);
        else if (named(c.name(), "r")) appendStringItem(c, out);
    }
}

bool parseNumber(std::string_view text, double& number) {
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    return xbase::ReadNumber(text, number);
}

// A part name resolved against the folder of the part that refers to it.
std::string resolvePart(const std::string& base, const std::string& target) {
    if (!target.empty() && target.front() == '/') return target.substr(1);
    std::string folder = base.substr(0, base.rfind('/') + 1);
    std::string path = folder + target;
    // Fold "x/../" steps.
    for (size_t up; (up = path.find("/../")) != std::string::npos;) {
        const size_t start = path.rfind('/', up == 0 ? 0 : up - 1);
        path.erase(start == std::string::npos ? 0 : start + 1, up + 4 - (start == std::string::npos ? 0 : start + 1));
    }
    return path;
}

std::string relsPartOf(const std::string& part) {
    const size_t slash = part.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : part.substr(0, slash + 1);
    const std::string file = slash == std::string::npos ? part : part.substr(slash + 1);
    return folder + "_rels/" + file + ".rels";
}

struct Relationship {
    std::string type;
    std::string target;
};

// One part of the archive read as a stream of tags: the part is inflated block by block and only
// the elements asked for are handed to pugixml, so memory holds one block of the part however long
// the part is. Elements that follow one another (the rows of a sheet, the items of the shared
// strings) are handed over as a run: all of them that the block holds, parsed at once.
class PartStream {
public:
    struct Tag {
        std::string qualified;  // with its prefix, to find the closing tag
        std::string_view name;  // local name, within `qualified`
        bool closing = false;
        bool selfClosing = false;
        size_t end = 0;  // offset after the element (when asked for whole) or the tag itself
    };

    // `where` starts every message ("FILE, sheet ITEM"); `what` names the part's content in them.
    PartStream(zip_t* zip, const std::string& part, std::string where, std::string what)
        : where_(std::move(where)), what_(std::move(what)) {
        file_ = zip_fopen(zip, part.c_str(), 0);
        if (!file_) fail("cannot open the part " + part + " (" + zip_strerror(zip) + ")");
    }
    ~PartStream() {
        if (file_) zip_fclose(file_);
    }
    PartStream(const PartStream&) = delete;
    PartStream& operator=(const PartStream&) = delete;

    // The element last read, for messages about damage (" near row 12").
    std::string_view nearName;
    long nearNumber = 0;

    // The next tag; for a start tag named `whole`, `end` is past the element's closing tag.
    bool nextTag(Tag& tag, std::string_view whole) {
        if (pos_ >= kChunk) {
            buffer_.erase(0, pos_);
            noRunBefore_ -= std::min(noRunBefore_, pos_);
            pos_ = 0;
        }
        while (true) {
            const size_t lt = find("<", pos_);
            if (lt == std::string::npos) return false;
            pos_ = lt;
            if (const size_t after = skipMarkup(pos_)) {
                pos_ = after;
                continue;
            }
            const size_t tagEnd = startTagEnd(pos_);
            tag.closing = buffer_[pos_ + 1] == '/';
            const size_t n = pos_ + (tag.closing ? 2 : 1);
            size_t e = n;
            while (e < tagEnd && !std::strchr(" \t\r\n/>", buffer_[e])) ++e;
            tag.qualified.assign(buffer_, n, e - n);
            tag.name = localName(tag.qualified.c_str());
            tag.selfClosing = buffer_[tagEnd - 2] == '/';
            tag.end = tagEnd;
            if (tag.name == whole && !tag.closing && !tag.selfClosing) tag.end = elementEnd(tag.qualified, tagEnd);
            return true;
        }
    }

    // Parses the tag's element in place (the buffer's bytes up to its end are not read again) and
    // moves past it; the node stays valid until the next call.
    pugi::xml_node load(const Tag& tag) {
        char* text = buffer_.data() + pos_;
        const size_t size = tag.end - pos_;
        const pugi::xml_parse_result result =
            doc_.load_buffer_inplace(text, size, kParseFlags, pugi::encoding_utf8);
        if (!result) fail("damaged " + what_ + near() + " (" + result.description() + ")");
        pos_ = tag.end;
        return doc_.document_element();
    }
    void skip(const Tag& tag) { pos_ = tag.end; }

    // Parses the tag's element and the elements of its name that follow it in what is already read
    // as one fragment, and moves past them; the fragment's nodes stay valid until the next call of
    // loadRun. False, without moving, when only the tag's own element is there or the run
    // is not well-formed: the caller then loads the element alone, and damage is reported at the
    // element where it lies.
    bool loadRun(const Tag& tag, pugi::xml_document& run) {
        const size_t end = runEnd(tag);
        if (end == tag.end) return false;
        // Parsed in a copy: when the run is damaged, the part's text is still there to be read
        // element by element.
        runText_.assign(buffer_, pos_, end - pos_);
        if (!run.load_buffer_inplace(runText_.data(), runText_.size(), kParseFlags | pugi::parse_fragment,
                                     pugi::encoding_utf8)) {
            noRunBefore_ = end;
            return false;
        }
        pos_ = end;
        return true;
    }

    [[noreturn]] void fail(const std::string& what) const { throw SheetError(where_ + ": " + what); }
    std::string near() const {
        return nearName.empty() ? "" : " near " + std::string(nearName) + " " + std::to_string(nearNumber);
    }

private:
    // Appends more of the part to the buffer; false at the end of the part. Offsets into
    // the buffer stay valid: text before pos_ is dropped only when the next tag is looked for.
    bool fill() {
        if (eof_) return false;
        if (buffer_.size() - pos_ > kLargestRow) fail("damaged " + what_ + near());
        const size_t old = buffer_.size();
        buffer_.resize(old + kChunk);
        const zip_int64_t got = zip_fread(file_, buffer_.data() + old, kChunk);
        if (got < 0) fail(std::string("damaged archive: ") + zip_error_strerror(zip_file_get_error(file_)));
        buffer_.resize(old + static_cast<size_t>(got));
        if (got == 0) eof_ = true;
        return got > 0;
    }

    // Makes the buffer hold at least `size` bytes when the part has them.
    bool ensure(size_t size) {
        while (buffer_.size() < size)
            if (!fill()) return false;
        return true;
    }

    // Offset of a sequence at or after `from`, reading more as needed; npos at the end of the part.
    size_t find(std::string_view what, size_t from) {
        while (true) {
            const size_t at = buffer_.find(what, from);
            if (at != std::string::npos) return at;
            if (buffer_.size() >= what.size()) from = std::max(from, buffer_.size() - what.size() + 1);
            if (!fill()) return std::string::npos;
        }
    }

    std::string_view at(size_t offset) const { return std::string_view(buffer_).substr(offset); }

    // Offset after the end of markup that is no element (comment, CDATA, declaration) at `offset`,
    // or 0 when there is none there.
    size_t skipMarkup(size_t offset) {
        ensure(offset + 9);
        const std::string_view rest = at(offset);
        std::string_view close;
        if (rest.starts_with("<!--")) close = "-->";
        else if (rest.starts_with("<![CDATA[")) close = "]]>";
        else if (rest.starts_with("<?")) close = "?>";
        else if (rest.starts_with("<!")) close = ">";
        else return 0;
        const size_t end = find(close, offset + 2);
        if (end == std::string::npos) fail("damaged " + what_ + " (unclosed markup)");
        return end + close.size();
    }

    // Offset after the '>' that ends the tag starting at `start`; quoted attribute values may hold '>'.
    size_t startTagEnd(size_t start) {
        char quote = 0;
        for (size_t i = start + 1;; ++i) {
            if (i >= buffer_.size() && !fill()) fail("damaged " + what_ + " (unclosed tag)");
            const char c = buffer_[i];
            if (quote) {
                if (c == quote) quote = 0;
            } else if (c == '"' || c == '\'') {
                quote = c;
            } else if (c == '>') {
                return i + 1;
            }
        }
    }

    // Offset after the last complete element named like the tag's in what is already read and
    // before any comment, CDATA, declaration or processing instruction (their text could hide a
    // closing tag that is none); the end of the tag's own element when there is none.
    size_t runEnd(const Tag& tag) {
        if (tag.end <= noRunBefore_) return tag.end;
        const size_t bound = std::min(buffer_.size(), tag.end + kRun);
        const size_t limit = std::min(markupAfter(tag.end, bound, '!'), markupAfter(tag.end, bound, '?'));
        const std::string closing = "</" + tag.qualified;
        const std::string_view read = std::string_view(buffer_).substr(0, limit);
        for (size_t at = read.rfind(closing); at != std::string_view::npos && at >= tag.end;
             at = at == 0 ? std::string_view::npos : read.rfind(closing, at - 1)) {
            size_t i = at + closing.size();
            while (i < read.size() && isSpace(read[i])) ++i;
            if (i < read.size() && read[i] == '>') return i + 1;
        }
        return tag.end;
    }

    // Offset of the first "<" followed by `mark` from `from` to `bound`; `bound` when there is
    // none. Looks for the mark, which is rare in a part's text.
    size_t markupAfter(size_t from, size_t bound, char mark) const {
        const char* const data = buffer_.data();
        for (size_t at = from + 1; at < bound;) {
            const void* found = std::memchr(data + at, mark, bound - at);
            if (!found) break;
            at = static_cast<size_t>(static_cast<const char*>(found) - data);
            if (data[at - 1] == '<') return at - 1;
            ++at;
        }
        return bound;
    }

    // Offset after the closing tag of the element named `qualified` whose content starts at
    // `from`; the elements asked for hold no element of their own name, so only comments and CDATA
    // can hide a closing tag that is none.
    size_t elementEnd(const std::string& qualified, size_t from) {
        const std::string closing = "</" + qualified;
        // Mostly: the first closing tag, with no comment or CDATA before it.
        const size_t close = find(closing, from);
        if (close != std::string::npos && ensure(close + closing.size() + 1)) {
            const std::string_view content(buffer_.data() + from, close - from);
            const char after = buffer_[close + closing.size()];
            if (content.find("<!") == std::string_view::npos && (after == '>' || std::strchr(" \t\r\n", after)))
                return startTagEnd(close);
        }
        for (size_t i = from;;) {
            const size_t lt = find("<", i);
            if (lt == std::string::npos) fail("damaged " + what_ + " (" + qualified + " not closed" + near() + ")");
            ensure(lt + closing.size() + 1);
            const char next = lt + 1 < buffer_.size() ? buffer_[lt + 1] : 0;
            if (next != '/' && next != '!') {
                i = lt + 1;
                continue;
            }
            if (const size_t after = next == '!' ? skipMarkup(lt) : 0) {
                i = after;
                continue;
            }
            const std::string_view rest = at(lt);
            if (rest.size() > closing.size() && rest.starts_with(closing) && std::strchr(" \t\r\n>", rest[closing.size()]))
                return startTagEnd(lt);
            i = lt + 1;
        }
    }

    std::string where_;
    std::string what_;
    zip_file_t* file_ = nullptr;
    std::string buffer_;
    size_t pos_ = 0;
    bool eof_ = false;
    size_t noRunBefore_ = 0;  // a run found damaged ends here; its elements are loaded one by one
    std::string runText_;
    pugi::xml_document doc_;
};

class XlsxSheetRows : public RowSource {
public:
    XlsxSheetRows(zip_t* zip, const XlsxWorkbook::Sheet& sheet, std::shared_ptr<const XlsxWorkbook::Shared> shared,
                  std::string fileName)
        : sheet_(sheet), shared_(std::move(shared)), stream_(zip, sheet.part, fileName + ", sheet " + sheet.name, "sheet XML") {
        stream_.nearName = "row";
    }

    const std::string& name() const override { return sheet_.name; }
    const std::vector<CellRange>& mergedRanges() const override { return merged_; }

    bool next(Row& row) override {
        PartStream::Tag tag;
        while (true) {
            if (runRow_) {
                const pugi::xml_node element = runRow_;
                runRow_ = nextElement(element.next_sibling(), "row");
                parseRow(element, row);
                if (!row.cells.empty()) return true;
                continue;
            }
            stream_.nearNumber = lastRow_ + 1;
            if (!stream_.nextTag(tag, "row")) return false;
            if (tag.name == "row" && !tag.closing && inSheetData_) {
                // A row without content (<row r="9"/>) is loaded alone: it ends no run of rows,
                // and looking for one behind it would cost a search per empty row.
                if (!tag.selfClosing && stream_.loadRun(tag, run_)) {
                    runRow_ = nextElement(run_.first_child(), "row");
                    continue;
                }
                parseRow(stream_.load(tag), row);
                if (!row.cells.empty()) return true;
            } else if (tag.name == "mergeCell" && !tag.closing) {
                parseMerge(stream_.load(tag));
            } else {
                if (tag.name == "sheetData") inSheetData_ = !tag.closing && !tag.selfClosing;
                stream_.skip(tag);
            }
        }
    }

private:
    void parseMerge(pugi::xml_node element) {
        const std::string ref = attribute(element, "ref").as_string();
        const size_t colon = ref.find(':');
        CellRange range;
        long r1 = 0, r2 = 0;
        if (colon != std::string::npos && parseCellReference(std::string_view(ref).substr(0, colon), range.firstColumn, r1) &&
            parseCellReference(std::string_view(ref).substr(colon + 1), range.lastColumn, r2)) {
            range.firstRow = r1;
            range.lastRow = r2;
            merged_.push_back(range);
        }
    }

    // The row's cells go into the cells the row already has, so that their texts keep their memory
    // from row to row.
    void parseRow(pugi::xml_node element, Row& row) {
        const long number = attribute(element, "r").as_llong(0);
        row.number = number > 0 ? number : lastRow_ + 1;
        lastRow_ = row.number;
        int column = -1;
        size_t count = 0;
        for (pugi::xml_node c = element.first_child(); c; c = c.next_sibling()) {
            if (!named(c.name(), "c")) continue;
            if (count == row.cells.size()) row.cells.emplace_back();
            Cell& cell = row.cells[count];
            cell.kind = CellKind::Empty;
            cell.text.clear();
            cell.number = 0;
            cell.date = {};
            cell.logical = false;
            readCell(c, column, cell);
            column = cell.column;
            if (cell.kind != CellKind::Empty) ++count;
        }
        row.cells.resize(count);
        const auto byColumn = [](const Cell& a, const Cell& b) { return a.column < b.column; };
        if (!std::is_sorted(row.cells.begin(), row.cells.end(), byColumn))
            std::stable_sort(row.cells.begin(), row.cells.end(), byColumn);
    }

    // Reads a cell; one without a reference is in the column after `previous`.
    void readCell(pugi::xml_node c, int previous, Cell& cell) {
        std::string_view type;
        long style = 0;
        const char* ref = nullptr;
        for (pugi::xml_attribute a = c.first_attribute(); a; a = a.next_attribute()) {
            const char* name = withoutPrefix(a.name());
            if (name[0] == 0 || name[1] != 0) continue;
            if (name[0] == 'r') ref = ref ? ref : a.value();
            else if (name[0] == 't') type = a.value();
            else if (name[0] == 's') style = a.as_int(0);
        }
        int refColumn = 0;
        long refRow = 0;
        cell.column = ref && *ref && parseCellReference(ref, refColumn, refRow) ? refColumn : previous + 1;
        pugi::xml_node v, is;
        bool hasFormula = false;
        for (pugi::xml_node n = c.first_child(); n; n = n.next_sibling()) {
            const std::string_view name = withoutPrefix(n.name());
            if (name == "v") v = n;
            else if (name == "f") hasFormula = true;
            else if (name == "is") is = n;
        }
        if (type == "inlineStr") {
            cell.kind = CellKind::Text;
            appendStringItem(is, cell.text);
            return;
        }
        if (!v) {
            if (hasFormula) cell.kind = CellKind::NoValue;
            return;
        }
        const std::string_view value = elementText(v);
        if (type == "s") {
            long index = -1;
            const auto& strings = shared_->strings;
            if (!parseIndex(value, index) || index >= static_cast<long>(strings.size())) {
                cell.kind = CellKind::Error;
                cell.text.assign("shared string ").append(value).append(" missing");
                return;
            }
            cell.kind = CellKind::Text;
            cell.text.assign(strings[static_cast<size_t>(index)]);
            return;
        }
        cell.text.assign(value);
        if (type == "str") {
            cell.kind = CellKind::Text;
        } else if (type == "b") {
            cell.kind = CellKind::Logical;
            cell.logical = cell.text == "1" || cell.text == "true";
        } else if (type == "e") {
            cell.kind = CellKind::Error;
        } else if (type == "d") {
            cell.kind = CellKind::Date;
            cell.date = isoDate(cell.text);
            if (cell.date.empty()) cell.kind = CellKind::Error;
        } else if (!parseNumber(cell.text, cell.number)) {
            cell.kind = CellKind::Error;
        } else {
            const auto& dateStyles = shared_->dateStyles;
            if (style >= 0 && style < static_cast<long>(dateStyles.size()) && dateStyles[static_cast<size_t>(style)]) {
                cell.kind = CellKind::Date;
                cell.date = dateFromSerial(cell.number, shared_->date1904);
                if (cell.date.empty()) cell.kind = CellKind::Number;
            } else {
                cell.kind = CellKind::Number;
            }
        }
    }

    static bool parseIndex(std::string_view text, long& index) {
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), index);
        return ec == std::errc() && end == text.data() + text.size() && index >= 0;
    }

    static xbase::Date isoDate(const std::string& text) {
        int y = 0, m = 0, d = 0;
        if (text.size() < 10 || text[4] != '-' || text[7] != '-') return {};
        if (std::from_chars(text.data(), text.data() + 4, y).ec != std::errc() ||
            std::from_chars(text.data() + 5, text.data() + 7, m).ec != std::errc() ||
            std::from_chars(text.data() + 8, text.data() + 10, d).ec != std::errc() || !xbase::Date::valid(y, m, d))
            return {};
        return {y, m, d};
    }

    XlsxWorkbook::Sheet sheet_;
    std::shared_ptr<const XlsxWorkbook::Shared> shared_;
    PartStream stream_;
    pugi::xml_document run_;  // rows parsed at once
    pugi::xml_node runRow_;   // the next row of the run not yet read
    bool inSheetData_ = false;
    long lastRow_ = 0;
    std::vector<CellRange> merged_;
};

}  // namespace

bool numberFormatShowsDate(int numFmtId, const std::string& formatCode) {
    if ((numFmtId >= 14 && numFmtId <= 17) || numFmtId == 22 || (numFmtId >= 27 && numFmtId <= 36) ||
        (numFmtId >= 50 && numFmtId <= 58))
        return true;
    if (numFmtId < 164 && formatCode.empty()) return false;
    // Look at the format's letters outside quoted text, escaped characters and [colour] sections;
    // only the first section (positive numbers) counts.
    bool quoted = false;
    for (size_t i = 0; i < formatCode.size(); ++i) {
        const char c = formatCode[i];
        if (quoted) {
            quoted = c != '"';
        } else if (c == '"') {
            quoted = true;
        } else if (c == '\\' || c == '_' || c == '*') {
            ++i;
        } else if (c == '[') {
            const size_t close = formatCode.find(']', i);
            if (close == std::string::npos) return false;
            i = close;
        } else if (c == ';') {
            return false;
        } else if (c == 'd' || c == 'D' || c == 'y' || c == 'Y') {
            return true;
        }
    }
    return false;
}

XlsxWorkbook::XlsxWorkbook(const std::filesystem::path& path) : path_(path) {
    const std::string file = path.string();
    int error = 0;
    zip_ = zip_open(file.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &error);
    if (!zip_) {
        zip_error_t ze;
        zip_error_init_with_code(&ze, error);
        std::string why = zip_error_strerror(&ze);
        zip_error_fini(&ze);
        if (error == ZIP_ER_NOZIP) throw SheetError(file + ": not an .xlsx workbook (not a ZIP archive)");
        if (error == ZIP_ER_INCONS) throw SheetError(file + ": damaged .xlsx workbook (" + why + ")");
        throw SheetError(file + ": cannot open (" + why + ")");
    }
    try {
        auto parse = [&](const std::string& part, pugi::xml_document& doc) {
            const std::string text = readPart(part, true);
            const pugi::xml_parse_result result = doc.load_buffer(text.data(), text.size());
            if (!result) throw SheetError(file + ": damaged part " + part + " (" + result.description() + ")");
        };
        auto relationships = [&](const std::string& part) {
            std::vector<std::pair<std::string, Relationship>> rels;
            const std::string relsPart = relsPartOf(part);
            if (readPart(relsPart, false).empty()) return rels;
            pugi::xml_document doc;
            parse(relsPart, doc);
            for (pugi::xml_node r = doc.document_element().first_child(); r; r = r.next_sibling())
                if (localName(r.name()) == "Relationship")
                    rels.push_back({attribute(r, "Id").as_string(),
                                    {attribute(r, "Type").as_string(), resolvePart(part, attribute(r, "Target").as_string())}});
            return rels;
        };
        auto endsWith = [](const std::string& text, std::string_view tail) { return text.ends_with(tail); };

        std::string workbookPart = "xl/workbook.xml";
        for (const auto& [id, rel] : relationships(""))
            if (endsWith(rel.type, "/officeDocument")) workbookPart = rel.target;
        if (zip_name_locate(zip_, workbookPart.c_str(), 0) < 0)
            throw SheetError(file + ": not an .xlsx workbook (no " + workbookPart + ")");

        pugi::xml_document workbook;
        parse(workbookPart, workbook);
        const auto rels = relationships(workbookPart);
        auto shared = std::make_shared<Shared>();
        const pugi::xml_node root = workbook.document_element();
        const std::string_view date1904 = attribute(child(root, "workbookPr"), "date1904").as_string();
        shared->date1904 = date1904 == "1" || date1904 == "true";
        for (pugi::xml_node s = child(child(root, "sheets"), "sheet"); s; s = s.next_sibling()) {
            if (localName(s.name()) != "sheet") continue;
            const std::string id = attribute(s, "id").as_string();
            for (const auto& [relId, rel] : rels)
                if (relId == id && endsWith(rel.type, "/worksheet"))
                    sheets_.push_back({attribute(s, "name").as_string(), rel.target});
        }

        std::string stringsPart, stylesPart;
        for (const auto& [id, rel] : rels) {
            if (endsWith(rel.type, "/sharedStrings")) stringsPart = rel.target;
            if (endsWith(rel.type, "/styles")) stylesPart = rel.target;
        }
        if (!stringsPart.empty() && zip_name_locate(zip_, stringsPart.c_str(), 0) >= 0) {
            // Streamed item by item: only the strings themselves stay in memory.
            PartStream strings(zip_, stringsPart, file, "shared strings");
            PartStream::Tag tag;
            pugi::xml_document run;
            while (strings.nextTag(tag, "si")) {
                if (tag.name != "si" || tag.closing) {
                    strings.skip(tag);
                } else if (tag.selfClosing) {
                    shared->strings.end();
                    strings.skip(tag);
                } else if (strings.loadRun(tag, run)) {
                    for (pugi::xml_node si = nextElement(run.first_child(), "si"); si; si = nextElement(si.next_sibling(), "si")) {
                        appendStringItem(si, shared->strings.text());
                        shared->strings.end();
                    }
                } else {
                    appendStringItem(strings.load(tag), shared->strings.text());
                    shared->strings.end();
                }
            }
        }
        if (!stylesPart.empty() && !readPart(stylesPart, false).empty()) {
            pugi::xml_document styles;
            parse(stylesPart, styles);
            std::vector<std::pair<int, std::string>> formats;
            for (pugi::xml_node f = child(child(styles.document_element(), "numFmts"), "numFmt"); f; f = f.next_sibling())
                formats.push_back({attribute(f, "numFmtId").as_int(), attribute(f, "formatCode").as_string()});
            for (pugi::xml_node xf = child(child(styles.document_element(), "cellXfs"), "xf"); xf; xf = xf.next_sibling()) {
                if (localName(xf.name()) != "xf") continue;
                const int id = attribute(xf, "numFmtId").as_int();
                std::string code;
                for (const auto& [fid, fcode] : formats)
                    if (fid == id) code = fcode;
                shared->dateStyles.push_back(numberFormatShowsDate(id, code));
            }
        }
        shared_ = std::move(shared);
    } catch (...) {
        zip_discard(zip_);
        throw;
    }
}

XlsxWorkbook::~XlsxWorkbook() { zip_discard(zip_); }

std::string XlsxWorkbook::readPart(const std::string& part, bool required) const {
    const std::string file = path_.string();
    zip_stat_t stat;
    if (zip_stat(zip_, part.c_str(), 0, &stat) != 0) {
        if (required) throw SheetError(file + ": not an .xlsx workbook (no " + part + ")");
        return {};
    }
    zip_file_t* entry = zip_fopen(zip_, part.c_str(), 0);
    if (!entry) throw SheetError(file + ": damaged .xlsx workbook (" + part + ": " + zip_strerror(zip_) + ")");
    std::string text;
    char block[65536];
    zip_int64_t got;
    while ((got = zip_fread(entry, block, sizeof block)) > 0) text.append(block, static_cast<size_t>(got));
    const bool failed = got < 0;
    std::string why = failed ? zip_error_strerror(zip_file_get_error(entry)) : "";
    zip_fclose(entry);
    if (failed) throw SheetError(file + ": damaged .xlsx workbook (" + part + ": " + why + ")");
    return text;
}

std::vector<std::string> XlsxWorkbook::sheetNames() const {
    std::vector<std::string> names;
    for (const Sheet& s : sheets_) names.push_back(s.name);
    return names;
}

std::unique_ptr<RowSource> XlsxWorkbook::openSheet(const std::string& name) const {
    for (const Sheet& s : sheets_)
        if (s.name == name) return std::make_unique<XlsxSheetRows>(zip_, s, shared_, path_.string());
    throw SheetError(path_.string() + ": no sheet " + name);
}

}  // namespace tarvo::sheets
