#pragma once
// One open DBF-layout data file with its memo file: header, structure, record buffer,
// navigation in physical order, field access with code-page translation, append, delete,
// recall, zap, pack and commit.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "xbase/value.h"

namespace tarvo::xbase {

class CdxCursor;
class CodePage;
class IndexOrder;
class MemoFile;
class RecordFile;
class TableIndexes;

enum class Driver { DBFCDX, DBFNTX, DBFMDX };

// "DBFCDX", "DBFNTX", "DBFMDX" in any case; nullopt for anything else.
std::optional<Driver> driverFromName(std::string_view name);
const char* driverName(Driver driver);

// The record count that a table file's header states, read without opening the table (its memo
// and indexes may be missing); 0 when the file is shorter than the count's place.
uint32_t headerRecordCount(const std::filesystem::path& path);

struct FieldInfo {
    std::string name;
    char type = 'C';  // C N D L M, read also F I Y T B G P W V Q O
    int length = 0;
    int decimals = 0;
    // The values are bytes no code page applies to (pictures, OLE objects, blobs, binary memos).
    bool binary = false;

    bool operator==(const FieldInfo&) const = default;
};

struct OpenOptions {
    bool exclusive = false;
    bool readOnly = false;
    Driver driver = Driver::DBFCDX;
};

// Observes record images as they reach the file (the index layer keeps its keys current).
class RecordObserver {
public:
    virtual ~RecordObserver() = default;
    // A record is about to be written: oldImage is empty for a new record.
    virtual void recordWritten(uint32_t recno, std::string_view oldImage, std::string_view newImage) = 0;
    // Every record is gone (zap) or the records were renumbered (pack).
    virtual void tableRebuilt() = 0;
};

class Table {
public:
    // Opens an existing file; throws Error naming the file and the problem.
    static std::unique_ptr<Table> open(const std::filesystem::path& path, const OpenOptions& options);
    // Creates a new empty table (and its memo file when it has memo fields); throws Error.
    static void create(const std::filesystem::path& path, const std::vector<FieldInfo>& fields, Driver driver);

    ~Table();  // commits and closes
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    const std::filesystem::path& path() const { return path_; }
    Driver driver() const { return driver_; }
    bool readOnly() const { return readOnly_; }
    bool exclusive() const { return exclusive_; }
    uint8_t version() const { return version_; }
    uint8_t languageDriver() const { return languageDriver_; }
    // Header byte 28, bit 0: the table has a structural compound index that opens with it.
    bool marksStructuralIndex() const { return tableFlags_ & kStructuralIndexFlag; }
    const std::string& codePageName() const;
    const CodePage& codePage() const { return *codePage_; }
    Date lastUpdate() const { return lastUpdate_; }
    uint16_t headerLength() const { return headerLength_; }
    uint16_t recordLength() const { return recordLength_; }
    // Where the header disagreed with the data, which was read instead ("header says 1 record, the
    // file holds 3"); such a table can be read but not written.
    const std::vector<std::string>& headerDisagreements() const { return headerDisagreements_; }

    // Structure (user-visible fields; system fields such as _NullFlags are hidden).
    int fieldCount() const { return static_cast<int>(fields_.size()); }
    const FieldInfo& field(int pos) const;  // 1-based
    // The long name a database container keeps for the field (empty when it keeps none); long
    // names name fields in expressions as the short names do.
    const std::string& longFieldName(int pos) const;
    // The database container the header names (as written there; empty for a free table), and why
    // its long names could not be read (empty when they were, or when there is no container).
    const std::string& containerLink() const { return containerLink_; }
    const std::string& containerProblem() const { return containerProblem_; }
    int fieldPos(std::string_view name) const;  // 1-based, 0 when missing; case-insensitive
    std::vector<FieldInfo> structure() const;
    bool hasMemo() const { return memo_ != nullptr; }

    // Navigation in physical order (skips deleted records when the deleted setting is on,
    // and records the filter rejects).
    void goTop();
    void goBottom();
    void goTo(uint32_t recno);
    void skip(long count = 1);
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }
    uint32_t recNo() const { return recno_; }
    uint32_t recCount() const { return recCount_; }

    // Field access by 1-based position or name; throws Error for a position out of range.
    Value fieldGet(int pos) const;
    void fieldPut(int pos, const Value& value);
    Value fieldGet(std::string_view name) const;
    void fieldPut(std::string_view name, const Value& value);

    // Records.
    void append();       // a blank record, made current
    void deleteRecord();
    void recall();
    bool deleted() const;
    void zap();
    void pack();
    // A lock on one record for the time it is written, so that two programs that share the
    // file never write the same record at once; false when another open holds it.
    bool lockRecord(uint32_t recno) { return lockRecords(recno, 1); }
    void unlockRecord(uint32_t recno) { unlockRecords(recno, 1); }
    // The same for `count` records from `first` on, in one call; all or none are locked.
    bool lockRecords(uint32_t first, uint32_t count);
    void unlockRecords(uint32_t first, uint32_t count);
    // Record buffer, data and memo blocks, then the header (count, date) and the end-of-file
    // marker, then the index. After a failed write the header counts only the records wholly on
    // disk, and every later commit throws again: the table stays marked incomplete.
    void commit();
    // Whether a write of records or memos failed: the table holds fewer records than were appended.
    bool writeFailed() const { return writeFailed_; }

    // Raw image of the current record (deletion flag first), as it will be written.
    std::string_view recordImage() const;
    // Field bytes within a record image.
    std::string_view fieldBytes(std::string_view image, int pos) const;
    // Decoded value of a field from a record image (memos are read from the memo file).
    Value decodeField(std::string_view image, int pos) const;

    // Text in the table's code page (the bytes index keys are made of).
    std::string encodeText(std::string_view utf8) const;
    // Bytes in the table's code page as UTF-8 (field names of national tables, for showing).
    std::string decodeText(std::string_view bytes) const;
    // Every record image in physical order, deleted ones included, without moving the table.
    void scanRecords(const std::function<void(uint32_t recno, std::string_view image)>& visit);

    // A filter deciding which records navigation shows (in addition to the deleted setting).
    void setFilter(std::function<bool()> filter) { filter_ = std::move(filter); }
    // A filter given as expression text over the table's fields; throws ExpressionError.
    void setFilterExpression(std::string_view text);
    void clearFilter() { filter_ = nullptr; }
    void setObserver(RecordObserver* observer) { observer_ = observer; }

    // Indexes. With DBFCDX the compound index file of the same base name opens with the table.
    // Orders are numbered from 1 in the order of their files and tags; 0 is physical order. Tags
    // whose expressions do not fit the table are listed too, as unusable: while one is open, the
    // records can be read but not written.
    int orderCount() const;
    IndexOrder* order(int number) const;          // nullptr when there is no such order
    IndexOrder* order(std::string_view tagName) const;
    IndexOrder* controllingOrder() const { return order_; }
    // False (order unchanged) when no such tag; throws Error when the tag is unusable.
    bool setOrder(std::string_view tagName);
    bool setOrder(int number);                    // 0: physical order; false when no such order
    // The compound index file of the table's base name: the existing one, whatever the case of its
    // name, or the name a new one gets (extension ".CDX"; ".DCX" for a database container).
    std::filesystem::path structuralIndexPath() const;
    // Opens another compound index file for the table; throws Error naming the file.
    void openIndex(const std::filesystem::path& indexPath);
    // Adds a tag built over every record to the index file (created when missing); the orders
    // already open stay open. A tag added to the structural index also marks it in the table's
    // header, as other xBase programs only open a structural index so marked. Throws Error naming
    // the file and tag.
    void createOrder(const std::filesystem::path& indexPath, std::string_view tagName, std::string_view keyExpression,
                     std::string_view forExpression = {}, bool descending = false, bool unique = false);
    // Rebuilds every open index file from its tags' own expressions over the records, keeping the
    // tags' names, order, FOR conditions, directions and uniqueness. Each file is written anew beside
    // the old one and takes its place only when all its tags are built, so a tag that cannot be
    // built (throws Error naming it) leaves the index files as they were. Needs exclusive use.
    void reindex();
    TableIndexes* indexes() const { return indexes_.get(); }

    // Seeks the key in the controlling order: the first (or last) record whose key begins with
    // it. A failed seek leaves the table at its end, or with soft seek on the record that
    // follows the key. Returns the found flag.
    bool seek(const Value& key, bool soft, bool last = false);
    bool found() const { return found_; }
    void setFound(bool found) { found_ = found; }
    // The controlling order's key expression on the current record (nil in physical order).
    Value orderKeyValue() const;
    // Keys in the controlling order's tag (the record count in physical order).
    uint32_t keyCount() const;

private:
    struct Field;
    Table();
    void readHeader();
    void settleRecordLayout(uint64_t fileSize, uint32_t widths);
    void bindToContainer();
    void writeCountAndDate();
    void writeHeader();
    void keepWrittenRecords();
    [[noreturn]] void writeFailedNow();
    void loadRecord(uint32_t recno);
    void flushRecord();
    void setEof();
    bool visible() const;
    void skipToVisible(int direction);
    const Field& checkedField(int pos) const;
    void requireWritable(const char* what) const;
    // Writable, and every tag of its indexes can be kept up to date as records change.
    void requireRecordsWritable(const char* what) const;
    void openStructuralIndex();
    bool visibleAt(uint32_t recno);
    void orderGoTop();
    void orderGoBottom();
    void orderSkip(long count);
    bool orderSettle(bool forwards);
    bool orderPositionOnCurrent();
    // The field's bytes for the value into bytes (cut or padded to the width by the caller).
    void encodeField(const Field& field, const Value& value, std::string& bytes);
    // The same, encoded only when the field's last value written was another.
    const std::string& encodedValue(const Field& field, const Value& value);
    // Writes the text into the memo file; returns the field's reference to its block.
    std::string writeMemo(const Field& field, const Value& value);
    // The bytes into the field of the current record, cut or padded with blanks to its width.
    void putBytes(const Field& field, std::string_view bytes);
    void moveMemos(std::string& image, MemoFile& target) const;

    std::filesystem::path path_;
    Driver driver_ = Driver::DBFCDX;
    bool readOnly_ = false;
    bool exclusive_ = false;
    uint8_t version_ = 0x03;
    uint8_t languageDriver_ = 0;
    static constexpr uint8_t kStructuralIndexFlag = 0x01;
    uint8_t tableFlags_ = 0;
    Date lastUpdate_;
    uint16_t headerLength_ = 0;
    uint16_t recordLength_ = 0;
    uint32_t recCount_ = 0;
    uint32_t countOnDisk_ = 0;       // the record count the header on disk holds
    std::vector<std::string> headerDisagreements_;
    std::string containerLink_;
    std::string containerProblem_;
    std::vector<Field> allFields_;   // every field of the record layout
    std::vector<int> fields_;        // indexes into allFields_ of the visible fields
    // Upper-case name to the 1-based position of the first visible field of that name: an
    // import looks fields up by name for every record of tables with hundreds of fields.
    std::unordered_map<std::string, int> fieldPositions_;
    int nullFlagsField_ = -1;        // index into allFields_ of _NullFlags, -1 when absent

    std::unique_ptr<RecordFile> file_;
    std::unique_ptr<MemoFile> memo_;
    const CodePage* codePage_ = nullptr;

    uint32_t recno_ = 1;
    bool eof_ = true;
    bool bof_ = true;
    std::string record_;     // current record image
    std::string original_;   // the image as on disk (empty for a new record)
    // The last value written into each field (by its index in allFields_) and its bytes: rules
    // write the same values record after record (zeros, blanks, the day of an invoice), and those
    // need no new encoding.
    struct LastWrite {
        Value value;
        std::string bytes;
        bool reusable = false;
    };
    std::vector<LastWrite> lastWrites_;
    bool dirty_ = false;
    bool headerDirty_ = false;
    bool writeFailed_ = false;
    std::function<bool()> filter_;
    RecordObserver* observer_ = nullptr;

    std::unique_ptr<TableIndexes> indexes_;
    IndexOrder* order_ = nullptr;
    std::unique_ptr<CdxCursor> cursor_;
    bool found_ = false;
};

}  // namespace tarvo::xbase
