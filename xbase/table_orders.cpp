// The index side of a table: its orders, navigation in index order, seeks and filters.

#include <system_error>

#include "xbase/cdx/cursor.h"
#include "xbase/codepage.h"
#include "xbase/database_container.h"
#include "xbase/error.h"
#include "xbase/expression.h"
#include "xbase/file_names.h"
#include "xbase/record_file.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"
#include "xbase/text_case.h"

namespace tarvo::xbase {

namespace {

// Fields of the table's current record, as a filter reads them.
class CurrentRecordContext final : public ExpressionContext {
public:
    explicit CurrentRecordContext(const Table& table) : table_(table) {}
    int fieldHandle(std::string_view, std::string_view name) const override { return table_.fieldPos(name) - 1; }
    Value fieldValue(int handle) const override { return table_.fieldGet(handle + 1); }
    uint32_t recNo() const override { return table_.recNo(); }
    bool deleted() const override { return table_.deleted(); }
    const CodePage& codePage() const override { return table_.codePage(); }

private:
    const Table& table_;
};


}  // namespace

std::string Table::encodeText(std::string_view utf8) const { return codePage_->encode(utf8); }

std::string Table::decodeText(std::string_view bytes) const { return codePage_->decode(bytes); }

void Table::setFilterExpression(std::string_view text) {
    CurrentRecordContext context(*this);
    auto expression = std::make_shared<Expression>(Expression::compile(text, context));
    if (!expression->evaluate(context).isLogical())
        throw ExpressionError(text, 1, "the filter is not a logical expression");
    setFilter([this, expression] {
        try {
            return expression->evaluate(CurrentRecordContext(*this)).logical();
        } catch (const ExpressionError&) {
            return false;  // a record the filter cannot judge is not shown
        }
    });
}

std::filesystem::path Table::structuralIndexPath() const {
    std::filesystem::path wanted = path_;
    wanted.replace_extension(isDatabaseContainer(path_) ? ".DCX" : ".CDX");
    const std::filesystem::path found =
        findIgnoringCase(path_.has_parent_path() ? path_.parent_path() : ".", wanted.filename().string());
    std::error_code ec;
    return std::filesystem::exists(found, ec) ? found : wanted;
}

void Table::openStructuralIndex() {
    const std::filesystem::path found = structuralIndexPath();
    std::error_code ec;
    if (std::filesystem::exists(found, ec)) openIndex(found);
}

void Table::openIndex(const std::filesystem::path& indexPath) {
    if (!indexes_) {
        indexes_ = std::make_unique<TableIndexes>(*this);
        observer_ = indexes_.get();
    }
    indexes_->open(indexPath);
}

void Table::createOrder(const std::filesystem::path& indexPath, std::string_view tagName, std::string_view keyExpression,
                        std::string_view forExpression, bool descending, bool unique) {
    requireWritable("create an index");
    flushRecord();
    if (!indexes_) {
        indexes_ = std::make_unique<TableIndexes>(*this);
        observer_ = indexes_.get();
    }
    CdxTagInfo info;
    info.name = asciiUpperCase(tagName);
    info.keyExpression = std::string(keyExpression);
    info.forExpression = std::string(forExpression);
    info.descending = descending;
    info.unique = unique;
    bool wasControlling = order_ && order_->name() == info.name;
    if (wasControlling) setOrder(0);
    indexes_->create(indexPath, info);
    indexes_->flush();
    std::error_code ec;
    if (!marksStructuralIndex() && std::filesystem::equivalent(indexPath, structuralIndexPath(), ec)) {
        tableFlags_ |= kStructuralIndexFlag;
        const char flags = static_cast<char>(tableFlags_);
        file_->writeAt(28, &flags, 1);
    }
    if (wasControlling) setOrder(info.name);
}

void Table::reindex() {
    requireWritable("reindex");
    if (!exclusive_) throw Error(path_.string() + ": reindex needs exclusive use of the table");
    if (!indexes_) return;
    // A rebuilt tag would get the keys this program builds, not the form the tag holds.
    for (const auto& order : indexes_->orders())
        if (order->usable() && !order->unkeptReason().empty())
            throw Error(path_.string() + ": cannot reindex: tag " + order->name() + " of " +
                        order->file().path().string() + " cannot be rebuilt (" + order->unkeptReason() + ")");
    flushRecord();
    struct Rebuilt {
        std::filesystem::path path;
        std::filesystem::path fresh;
        std::vector<CdxTagInfo> tags;
    };
    std::vector<Rebuilt> files;
    for (const auto& file : indexes_->files()) {
        Rebuilt rebuilt{file->path(), file->path(), {}};
        rebuilt.fresh += ".new";
        for (CdxTag* tag : file->tags()) rebuilt.tags.push_back(tag->info());
        files.push_back(std::move(rebuilt));
    }
    auto removeFresh = [&] {
        std::error_code ec;
        for (const Rebuilt& file : files) std::filesystem::remove(file.fresh, ec);
    };
    removeFresh();
    try {
        for (const Rebuilt& file : files) {
            TableIndexes fresh(*this);
            for (const CdxTagInfo& tag : file.tags) fresh.create(file.fresh, tag);
            fresh.flush();
        }
    } catch (...) {
        removeFresh();
        throw;
    }
    const std::string controlling = order_ ? order_->name() : std::string();
    setOrder(0);
    observer_ = nullptr;
    indexes_.reset();
    for (const Rebuilt& file : files) std::filesystem::rename(file.fresh, file.path);
    for (const Rebuilt& file : files) openIndex(file.path);
    if (!controlling.empty()) setOrder(controlling);
}

int Table::orderCount() const { return indexes_ ? static_cast<int>(indexes_->orders().size()) : 0; }

IndexOrder* Table::order(int number) const {
    if (number < 1 || number > orderCount()) return nullptr;
    return indexes_->orders()[number - 1].get();
}

IndexOrder* Table::order(std::string_view tagName) const { return indexes_ ? indexes_->find(tagName) : nullptr; }

bool Table::setOrder(std::string_view tagName) {
    IndexOrder* wanted = order(tagName);
    if (!wanted) return false;
    wanted->requireUsable();
    flushRecord();
    order_ = wanted;
    cursor_ = std::make_unique<CdxCursor>(wanted->tag());
    return true;
}

bool Table::setOrder(int number) {
    if (number == 0) {
        flushRecord();
        order_ = nullptr;
        cursor_.reset();
        return true;
    }
    IndexOrder* wanted = order(number);
    return wanted && setOrder(wanted->name());
}

Value Table::orderKeyValue() const {
    if (!order_ || eof_) return Value();
    return order_->keyValue(record_, recno_);
}

uint32_t Table::keyCount() const { return order_ ? order_->tag().keyCount() : recCount_; }

// ---- navigation in index order ------------------------------------------------------------

bool Table::visibleAt(uint32_t recno) {
    if (recno < 1 || recno > recCount_) return false;  // a key of a record that is gone
    loadRecord(recno);
    return visible();
}

// From the cursor's entry, moves on in the given direction to the first visible record.
bool Table::orderSettle(bool forwards) {
    while (!cursor_->atEnd()) {
        if (visibleAt(cursor_->entry().recno)) return true;
        if (!(forwards ? cursor_->next() : cursor_->prev())) break;
    }
    return false;
}

void Table::orderGoTop() {
    flushRecord();
    bof_ = false;
    if (!(cursor_->first() && orderSettle(true))) {
        setEof();
        bof_ = true;
    }
}

void Table::orderGoBottom() {
    flushRecord();
    bof_ = false;
    if (!(cursor_->last() && orderSettle(false))) {
        setEof();
        bof_ = true;
    }
}

// Puts the cursor on the current record's entry; false when the record is not in the tag.
bool Table::orderPositionOnCurrent() {
    std::string key;
    return order_->key(record_, recno_, key) && cursor_->seekEntry(key, recno_);
}

void Table::orderSkip(long count) {
    flushRecord();
    bof_ = false;
    if (count > 0) {
        if (eof_) return;
        if (!orderPositionOnCurrent()) return setEof();
        while (count-- > 0) {
            if (!(cursor_->next() && orderSettle(true))) return setEof();
        }
        return;
    }
    bool positioned = eof_ ? cursor_->last() && orderSettle(false) : orderPositionOnCurrent();
    if (eof_ && positioned) ++count;  // stepping back from the end lands on the last record
    if (!positioned) {
        orderGoBottom();
        return;
    }
    while (count++ < 0) {
        if (!(cursor_->prev() && orderSettle(false))) {
            orderGoTop();
            bof_ = true;
            return;
        }
    }
}

bool Table::seek(const Value& key, bool soft, bool last) {
    flushRecord();
    found_ = false;
    bof_ = false;
    if (!order_) {
        setEof();
        return false;
    }
    const std::string sought = order_->seekKey(key);
    auto matches = [&] {
        return !cursor_->atEnd() && cursor_->entry().key.compare(0, sought.size(), sought) == 0;
    };
    const bool hit = cursor_->seek(sought, last);
    if (hit) {
        // Deleted or filtered records are passed over; the key must still match after them.
        if (orderSettle(!last) && matches()) {
            found_ = true;
            return true;
        }
        if (last) {
            cursor_->seek(sought, true);  // rest after the key, for a soft seek
            cursor_->next();
        }
    }
    if (soft && !cursor_->atEnd() && orderSettle(true)) return false;
    setEof();
    return false;
}

}  // namespace tarvo::xbase
