#include "xbase/table_indexes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>

#include "xbase/cdx/cursor.h"
#include "xbase/cdx/format.h"
#include "xbase/cdx/keys.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/number_text.h"

namespace tarvo::xbase {

namespace {

char keyTypeOf(const Value& value) {
    switch (value.type()) {
        case ValueType::Character: return 'C';
        case ValueType::Numeric: return 'N';
        case ValueType::Date: return 'D';
        case ValueType::Logical: return 'L';
        case ValueType::DateTime: return 'T';
        case ValueType::Nil: break;
    }
    return '?';
}

// The key type of an expression with this value on the table: the value's type, with an Integer
// field alone keyed in its own binary form.
char keyTypeFor(const Table& table, std::string_view expression, const Value& value) {
    const char type = keyTypeOf(value);
    return type == 'N' && integerFieldAlone(expression, table) ? 'I' : type;
}

// The length of keys of a binary type.
uint16_t binaryKeyLength(char type) {
    return type == 'L' ? kCdxLogicalKeyLength : type == 'I' ? kCdxIntegerKeyLength : kCdxNumericKeyLength;
}

// Visual FoxPro leads the keys of a tag over a nullable field with a byte that flags a null value;
// its tags are one byte longer than their expressions.
constexpr char kNullKeyFlag = '\0';
constexpr char kValueKeyFlag = '\x80';

bool isVisualFoxProTable(const Table& table) {
    return table.version() == 0x30 || table.version() == 0x31 || table.version() == 0x32;
}

}  // namespace

// ---- IndexOrder --------------------------------------------------------------------------

IndexOrder::IndexOrder(const Table& table, CdxFile& file, CdxTag& tag)
    : table_(table), file_(file), tag_(tag), unusableReason_(bindExpressions()) {}

std::string IndexOrder::bindExpressions() {
    const std::string blank(table_.recordLength(), ' ');
    RecordImageContext context(table_, blank, 0);
    const CdxTagInfo& info = tag_.info();
    try {
        key_ = Expression::compile(info.keyExpression, context);
        if (!info.forExpression.empty()) for_ = Expression::compile(info.forExpression, context);
        keyType_ = keyTypeFor(table_, info.keyExpression, key_->evaluate(context));
        if (for_ && !for_->evaluate(context).isLogical()) return "FOR condition is not logical";
    } catch (const ExpressionError& e) {
        return e.what();
    }
    if (keyType_ == '?') return "key expression gives no value";
    const size_t valueLength =
        keyType_ == 'C' ? table_.encodeText(key_->evaluate(context).text()).size() : binaryKeyLength(keyType_);
    nullFlagged_ = isVisualFoxProTable(table_) && info.keyLength == valueLength + 1;
    if (nullFlagged_) unkeptReason_ = "its keys carry a null flag, which this program reads but does not write";
    if (keyType_ != 'C' && !nullFlagged_ && info.keyLength != valueLength)
        return "key length " + std::to_string(info.keyLength) + " does not fit its expression";
    tag_.setKeyType(keyType_);
    if (keyType_ == 'C' && !nullFlagged_) direct_ = RecordKeyBuilder::compile(info.keyExpression, table_);
    return {};
}

void IndexOrder::requireUsable() const {
    if (!usable()) fail("cannot be used: " + unusableReason_);
}

void IndexOrder::fail(const std::string& problem) const {
    throw Error(file_.path().string() + ": tag " + name() + ": " + problem);
}

std::string IndexOrder::encode(const Value& value) const {
    switch (keyType_) {
        case 'C': {
            std::string key = table_.encodeText(value.text());
            key.resize(tag_.info().keyLength, ' ');
            return key;
        }
        case 'N': return cdxNumericKey(value.number());
        case 'D': return cdxDateKey(value.date());
        case 'I': return cdxIntegerKey(static_cast<int32_t>(value.number()));
        case 'T': return cdxDateTimeKey(value.isDate() ? DateTime{value.date(), 0} : value.dateTime());
        default: return cdxLogicalKey(value.logical());
    }
}

// A null value keys as the null flag and zeros; any other value as its key after the value flag.
std::string IndexOrder::nullFlaggedKey(const Value& value) const {
    const size_t length = tag_.info().keyLength;
    if (value.isNil()) return std::string(length, kNullKeyFlag);
    std::string key = kValueKeyFlag + encode(value);
    key.resize(length, ' ');
    return key;
}

bool IndexOrder::key(std::string_view image, uint32_t recno, std::string& key) const {
    requireUsable();
    RecordImageContext context(table_, image, recno);
    try {
        if (for_ && !for_->evaluate(context).logical()) return false;
        if (direct_)
            direct_->build(image, tag_.info().keyLength, key);
        else if (nullFlagged_)
            key = nullFlaggedKey(key_->evaluate(context));
        else
            key = encode(key_->evaluate(context));
        return true;
    } catch (const ExpressionError& e) {
        fail(std::string(e.what()) + " (record " + std::to_string(recno) + ")");
    }
}

Value IndexOrder::keyValue(std::string_view image, uint32_t recno) const {
    requireUsable();
    RecordImageContext context(table_, image, recno);
    try {
        return key_->evaluate(context);
    } catch (const ExpressionError& e) {
        fail(std::string(e.what()) + " (record " + std::to_string(recno) + ")");
    }
}

std::string IndexOrder::seekKey(const Value& value) const {
    requireUsable();
    const char type = keyTypeOf(value);
    // An integer key is sought with a number, a date-and-time key with a date and time or a date.
    const bool fits = type == keyType_ || (keyType_ == 'I' && type == 'N') || (keyType_ == 'T' && type == 'D');
    if (!fits)
        fail(std::string("cannot seek a ") + valueTypeName(value.type()) + " value in a key of type " + keyType_);
    if (keyType_ == 'I') {
        const double number = value.number();
        if (!(number >= INT32_MIN && number <= INT32_MAX) || number != std::trunc(number))
            fail("cannot seek " + Str(number, -1, 4) + " in an integer key");
    }
    if (nullFlagged_ && keyType_ != 'C') return nullFlaggedKey(value);
    if (keyType_ != 'C') return encode(value);
    std::string bytes = table_.encodeText(value.text());
    if (nullFlagged_) bytes.insert(bytes.begin(), kValueKeyFlag);
    if (bytes.size() > tag_.info().keyLength) bytes.resize(tag_.info().keyLength);
    return bytes;
}

// ---- TableIndexes ------------------------------------------------------------------------

TableIndexes::TableIndexes(Table& table) : table_(table) {}

TableIndexes::~TableIndexes() {
    orders_.clear();
    files_.clear();  // each file writes what is pending as it closes
}

CdxFile* TableIndexes::fileAt(const std::filesystem::path& path) const {
    for (const auto& file : files_)
        if (file->path() == path) return file.get();
    return nullptr;
}

void TableIndexes::bind(CdxFile& file) {
    for (CdxTag* tag : file.tags())
        if (!find(tag->info().name)) orders_.push_back(std::make_unique<IndexOrder>(table_, file, *tag));
}

void TableIndexes::open(const std::filesystem::path& path) {
    if (fileAt(path)) return;
    auto file = CdxFile::open(path, table_.readOnly());
    CdxFile& ref = *file;
    files_.push_back(std::move(file));
    try {
        bind(ref);
    } catch (...) {
        std::erase_if(orders_, [&](const auto& order) { return &order->file() == &ref; });
        files_.pop_back();
        throw;
    }
}

IndexOrder* TableIndexes::find(std::string_view tagName) const {
    for (const auto& order : orders_) {
        if (equalsIgnoreCase(order->name(), tagName)) return order.get();
    }
    return nullptr;
}

void TableIndexes::requireAllUsable(const char* what) const {
    for (const auto& order : orders_) {
        const std::string& reason = order->usable() ? order->unkeptReason() : order->unusableReason();
        if (reason.empty()) continue;
        throw Error(table_.path().string() + ": cannot " + what + ": tag " + order->name() + " of " +
                    order->file().path().string() + " cannot be kept up to date (" + reason + ")");
    }
}

std::vector<std::pair<std::string, uint32_t>> TableIndexes::sortedKeys(const IndexOrder& order) {
    std::vector<std::pair<std::string, uint32_t>> keys;
    keys.reserve(table_.recCount());
    std::string key;
    table_.scanRecords([&](uint32_t recno, std::string_view image) {
        if (order.key(image, recno, key)) keys.emplace_back(std::move(key), recno);
    });
    std::sort(keys.begin(), keys.end());
    return keys;
}

IndexOrder& TableIndexes::create(const std::filesystem::path& path, const CdxTagInfo& requested) {
    CdxFile* file = fileAt(path);
    if (!file) {
        std::error_code ec;
        files_.push_back(std::filesystem::exists(path, ec) ? CdxFile::open(path, table_.readOnly()) : CdxFile::create(path));
        file = files_.back().get();
        bind(*file);
    }
    // The key's type and length come from the expression on a blank record; a first empty
    // build lets the order compile the expressions before any key is made.
    const std::string blank(table_.recordLength(), ' ');
    RecordImageContext context(table_, blank, 0);
    CdxTagInfo info = requested;
    Value sample;
    try {
        sample = Expression::compile(info.keyExpression, context).evaluate(context);
    } catch (const ExpressionError& e) {
        throw Error(path.string() + ": tag " + info.name + ": " + e.what());
    }
    const char type = keyTypeFor(table_, info.keyExpression, sample);
    if (type == '?') throw Error(path.string() + ": tag " + info.name + ": key expression gives no value");
    info.keyLength = type == 'C' ? static_cast<uint16_t>(std::min<size_t>(table_.encodeText(sample.text()).size(), cdx::kMaxKeyLength))
                                 : binaryKeyLength(type);
    if (info.keyLength == 0) throw Error(path.string() + ": tag " + info.name + ": key expression gives an empty key");

    std::erase_if(orders_, [&](const auto& order) { return &order->file() == file && order->name() == info.name; });
    CdxTag& tag = file->addTag(info, type, {});
    orders_.push_back(std::make_unique<IndexOrder>(table_, *file, tag));
    IndexOrder& order = *orders_.back();
    order.requireUsable();
    if (!order.unkeptReason().empty())
        throw Error(path.string() + ": tag " + order.name() + ": cannot be built: " + order.unkeptReason());
    file->addTag(info, type, sortedKeys(order));
    return order;
}

void TableIndexes::flush() {
    for (auto& file : files_)
        if (!file->readOnly()) file->flush();
}

void TableIndexes::recordWritten(uint32_t recno, std::string_view oldImage, std::string_view newImage) {
    for (auto& order : orders_) {
        const bool before = !oldImage.empty() && order->key(oldImage, recno, oldKey_);
        const bool after = order->key(newImage, recno, newKey_);
        if (before == after && (!before || oldKey_ == newKey_)) continue;
        if (before) order->tag().erase(oldKey_, recno);
        if (after) order->tag().insert(newKey_, recno);
    }
}

void TableIndexes::tableRebuilt() {
    for (auto& order : orders_) {
        CdxTag& tag = order->tag();
        order->file().addTag(tag.info(), order->keyType(), sortedKeys(*order));
    }
}

IndexProblems TableIndexes::check(IndexOrder& order) {
    if (!order.usable())
        return {order.file().path().string() + ": tag " + order.name() + ": cannot be used: " + order.unusableReason()};
    IndexProblems problems = order.tag().verify();
    if (!problems.empty()) return problems;
    const std::string where = order.file().path().string() + ": tag " + order.name() + ": ";
    const uint32_t records = table_.recCount();
    std::vector<uint8_t> seen(records + 1, 0);
    std::vector<std::string> keys(records + 1);
    std::set<std::string> distinct;  // a unique tag holds one record of each key
    CdxCursor cursor(order.tag());
    for (bool on = cursor.first(); on; on = cursor.next()) {
        uint32_t recno = cursor.entry().recno;
        if (recno < 1 || recno > records) {
            problems.push_back(where + "key points to record " + std::to_string(recno) + " beyond the table");
            continue;
        }
        if (seen[recno] < 2) ++seen[recno];
        keys[recno] = cursor.entry().key;
        if (order.tag().info().unique) distinct.insert(cursor.entry().key);
    }
    std::string expected;
    table_.scanRecords([&](uint32_t recno, std::string_view image) {
        const bool indexed = order.key(image, recno, expected);
        const std::string record = "record " + std::to_string(recno);
        if (!indexed && seen[recno] != 0)
            problems.push_back(where + record + " is in the tag though its FOR condition is false");
        else if (indexed && seen[recno] == 0) {
            // A unique tag holds each key once, for one of the records that have it.
            if (!distinct.count(expected)) problems.push_back(where + record + " is missing from the tag");
        }
        else if (indexed && seen[recno] > 1 && !order.tag().info().unique)
            problems.push_back(where + record + " is in the tag more than once");
        else if (indexed && keys[recno] != expected)
            problems.push_back(where + record + " has a key that differs from its expression");
    });
    return problems;
}

}  // namespace tarvo::xbase
