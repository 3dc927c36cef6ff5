#pragma once
// The compound index files of a table and their tags bound to the table: key and FOR
// expressions compiled over its fields, kept current as records are written.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/cdx/file.h"
#include "xbase/expression.h"
#include "xbase/record_keys.h"
#include "xbase/table.h"

namespace tarvo::xbase {

// One tag of an index file, bound to the table it indexes. A tag whose expressions do not fit the
// table (an unknown field or function, a key length other than its expression's) stays in the list
// as unusable, so that the table and its other tags can still be used.
class IndexOrder {
public:
    // Compiles the tag's expressions; a tag they do not fit is unusable, with the reason.
    IndexOrder(const Table& table, CdxFile& file, CdxTag& tag);

    bool usable() const { return unusableReason_.empty(); }
    // Why the tag cannot be used (empty when it can).
    const std::string& unusableReason() const { return unusableReason_; }
    // Throws Error naming the file, the tag and the reason when the tag is unusable.
    void requireUsable() const;
    // Why a write could not keep the tag correct though it can be read (empty when it can):
    // keys of a form read but not built here.
    const std::string& unkeptReason() const { return unkeptReason_; }

    CdxTag& tag() const { return tag_; }
    CdxFile& file() const { return file_; }
    const std::string& name() const { return tag_.info().name; }
    char keyType() const { return keyType_; }

    // The key bytes of a record image into `key`; false when the FOR condition leaves the record out.
    bool key(std::string_view image, uint32_t recno, std::string& key) const;
    // The key expression's value on a record image.
    Value keyValue(std::string_view image, uint32_t recno) const;
    // The bytes a seek compares with: a character key unpadded, others in their key encoding.
    // Throws Error when the value's type is not the key's.
    std::string seekKey(const Value& value) const;

private:
    std::string bindExpressions();
    std::string encode(const Value& value) const;
    std::string nullFlaggedKey(const Value& value) const;
    [[noreturn]] void fail(const std::string& problem) const;

    const Table& table_;
    CdxFile& file_;
    CdxTag& tag_;
    std::optional<Expression> key_;
    std::optional<Expression> for_;
    std::optional<RecordKeyBuilder> direct_;  // the key built straight from record bytes, where it can be
    char keyType_ = 'C';
    // Keys led by a null-flag byte (Visual FoxPro's tags over nullable fields).
    bool nullFlagged_ = false;
    std::string unkeptReason_;
    std::string unusableReason_;
};

// One problem found by check(), naming the file and tag.
using IndexProblems = std::vector<std::string>;

class TableIndexes final : public RecordObserver {
public:
    explicit TableIndexes(Table& table);
    ~TableIndexes() override;

    // Opens an index file and binds its tags; throws Error naming the file.
    void open(const std::filesystem::path& path);
    // Builds a tag over every record in the file (created when missing); throws Error.
    IndexOrder& create(const std::filesystem::path& path, const CdxTagInfo& info);

    const std::vector<std::unique_ptr<CdxFile>>& files() const { return files_; }
    const std::vector<std::unique_ptr<IndexOrder>>& orders() const { return orders_; }
    IndexOrder* find(std::string_view tagName) const;
    // Throws Error naming the table, the file and the tag when a tag that every record write would
    // have to update is unusable or could not be kept correct; `what` is the refused write ("append").
    void requireAllUsable(const char* what) const;
    void flush();

    // Full consistency check of one order against the table: the tag's own structure, every
    // key equal to its expression on its record, every record the FOR condition admits present
    // exactly once. Reads every record.
    IndexProblems check(IndexOrder& order);

    void recordWritten(uint32_t recno, std::string_view oldImage, std::string_view newImage) override;
    void tableRebuilt() override;

private:
    CdxFile* fileAt(const std::filesystem::path& path) const;
    std::vector<std::pair<std::string, uint32_t>> sortedKeys(const IndexOrder& order);
    void bind(CdxFile& file);

    Table& table_;
    std::vector<std::unique_ptr<CdxFile>> files_;
    std::vector<std::unique_ptr<IndexOrder>> orders_;
    std::string oldKey_, newKey_;  // reused by every record written
};

}  // namespace tarvo::xbase
