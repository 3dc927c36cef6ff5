#include "xbase/table_indexes.h"

#include <algorithm>
#include <set>

#include "xbase/cdx_cursor.h"
#include "xbase/cdx_format.h"
#include "xbase/cdx_keys.h"
#include "xbase/error.h"
#include "xbase/file_names.h"

namespace tarvo::xbase {

namespace {

char keyTypeOf(const Value& value) {
    switch (value.type()) {
        case ValueType::Character: return 'C';
        case ValueType::Numeric: return 'N';
        case ValueType::Date: return 'D';
        case ValueType::Logical: return 'L';
        case ValueType::Nil: break;
    }
    return '?';
}

}  // namespace

// ---- IndexOrder --------------------------------------------------------------------------

IndexOrder::IndexOrder(const Table& table, CdxFile& file, CdxTag& tag) : table_(table), file_(file), tag_(tag) {
    const std::string blank(table.recordLength(), ' ');
    RecordImageContext context(table, blank, 0);
    try {
        key_ = Expression::compile(tag.info().keyExpression, context);
        if (!tag.info().forExpression.empty()) for_ = Expression::compile(tag.info().forExpression, context);
        keyType_ = keyTypeOf(key_->evaluate(context));
        if (for_ && !for_->evaluate(context).isLogical()) fail("FOR condition is not logical");
    } catch (const ExpressionError& e) {
        fail(e.what());
    }
    if (keyType_ == '?') fail("key expression gives no value");
    uint16_t expected = keyType_ == 'L' ? kCdxLogicalKeyLength : kCdxNumericKeyLength;
    if (keyType_ != 'C' && tag.info().keyLength != expected)
        fail("key length " + std::to_string(tag.info().keyLength) + " does not fit its expression");
    tag.setKeyType(keyType_);
    if (keyType_ == 'C') direct_ = RecordKeyBuilder::compile(tag.info().keyExpression, table);
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
        default: return cdxLogicalKey(value.logical());
    }
}

bool IndexOrder::key(std::string_view image, uint32_t recno, std::string& key) const {
    RecordImageContext context(table_, image, recno);
    try {
        if (for_ && !for_->evaluate(context).logical()) return false;
        if (direct_)
            direct_->build(image, tag_.info().keyLength, key);
        else
            key = encode(key_->evaluate(context));
        return true;
    } catch (const ExpressionError& e) {
        fail(std::string(e.what()) + " (record " + std::to_string(recno) + ")");
    }
}

Value IndexOrder::keyValue(std::string_view image, uint32_t recno) const {
    RecordImageContext context(table_, image, recno);
    try {
        return key_->evaluate(context);
    } catch (const ExpressionError& e) {
        fail(std::string(e.what()) + " (record " + std::to_string(recno) + ")");
    }
}

std::string IndexOrder::seekKey(const Value& value) const {
    if (keyTypeOf(value) != keyType_)
        fail(std::string("cannot seek a ") + valueTypeName(value.type()) + " value in a key of type " + keyType_);
    if (keyType_ != 'C') return encode(value);
    std::string bytes = table_.encodeText(value.text());
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
    char type = keyTypeOf(sample);
    if (type == '?') throw Error(path.string() + ": tag " + info.name + ": key expression gives no value");
    info.keyLength = type == 'C' ? static_cast<uint16_t>(std::min<size_t>(table_.encodeText(sample.text()).size(), cdx::kMaxKeyLength))
                     : type == 'L' ? kCdxLogicalKeyLength
                                   : kCdxNumericKeyLength;
    if (info.keyLength == 0) throw Error(path.string() + ": tag " + info.name + ": key expression gives an empty key");

    std::erase_if(orders_, [&](const auto& order) { return &order->file() == file && order->name() == info.name; });
    CdxTag& tag = file->addTag(info, type, {});
    orders_.push_back(std::make_unique<IndexOrder>(table_, *file, tag));
    IndexOrder& order = *orders_.back();
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
        else if (indexed && seen[recno] == 0 && !distinct.count(expected))
            problems.push_back(where + record + " is missing from the tag");
        else if (indexed && seen[recno] > 1 && !order.tag().info().unique)
            problems.push_back(where + record + " is in the tag more than once");
        else if (indexed && keys[recno] != expected)
            problems.push_back(where + record + " has a key that differs from its expression");
    });
    return problems;
}

}  // namespace tarvo::xbase
