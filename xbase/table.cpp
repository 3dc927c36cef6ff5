#include "xbase/table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <exception>
#include <fstream>
#include <set>

#include "xbase/byte_order.h"
#include "xbase/cdx/cursor.h"
#include "xbase/codepage.h"
#include "xbase/database_container.h"
#include "xbase/dates.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/memo_file.h"
#include "xbase/number_text.h"
#include "xbase/numeric_fit.h"
#include "xbase/record_file.h"
#include "xbase/settings.h"
#include "xbase/table_indexes.h"
#include "xbase/text_case.h"

namespace tarvo::xbase {

namespace {

constexpr uint32_t kHeaderPrefix = 32;
constexpr uint32_t kDescriptorSize = 32;
constexpr size_t kContainerLinkSize = 263;  // Visual FoxPro's room for the database container's path
constexpr char kEndOfFile = 0x1A;
constexpr uint8_t kSystemField = 0x01;
constexpr uint8_t kNullableField = 0x02;

bool isVisualFoxPro(uint8_t version) { return version == 0x30 || version == 0x31 || version == 0x32; }

bool knownVersion(uint8_t version) {
    switch (version) {
        case 0x02: case 0x03: case 0x04: case 0x05: case 0x30: case 0x31: case 0x32:
        case 0x43: case 0x63: case 0x83: case 0x8B: case 0x8E: case 0xCB: case 0xF5: case 0xFB:
            return true;
        default:
            return false;
    }
}

// dBASE II: the version byte, a 16-bit record count, the date, the record length, then 16-byte field
// descriptors from byte 8 (name, type, width, address, decimals) ended by 0x0D.
bool dBaseIIHeader(const unsigned char* header, size_t size) {
    if (size < 10 || header[0] != 0x02) return false;
    const unsigned recordLength = getLE16(header + 6);
    unsigned widths = 1;
    for (size_t at = 8; at < size; at += 16) {
        if (header[at] == 0x0D) return at > 8 && widths == recordLength;
        if (at + 16 > size || !std::strchr("CNL", header[at + 11]) || header[at + 11] == 0) return false;
        widths += header[at + 12];
    }
    return false;
}

// dBASE 7: a 68-byte prefix (with the language driver's name), then 48-byte field descriptors (a
// 32-byte name, type, width, decimals) ended by 0x0D.
bool dBase7Header(const unsigned char* header, size_t size) {
    if (size < 69 || (header[0] != 0x04 && header[0] != 0x8C)) return false;
    const unsigned recordLength = getLE16(header + 10);
    unsigned widths = 1;
    for (size_t at = 68; at < size; at += 48) {
        if (header[at] == 0x0D) return at > 68 && widths == recordLength;
        if (at + 48 > size || header[at + 32] == 0) return false;
        widths += header[at + 33];
    }
    return false;
}

// The name of a table format that shares the DBF's extension and version bytes but not its layout,
// when the file's header has that layout; nullptr otherwise.
const char* unreadFormat(RecordFile& file, uint64_t fileSize) {
    unsigned char version = 0;
    file.readAt(0, reinterpret_cast<char*>(&version), 1);
    if (version != 0x02 && version != 0x04 && version != 0x8C) return nullptr;
    constexpr size_t kLongestHeader = 68 + 48 * 1024 + 1;
    std::string header(static_cast<size_t>(std::min<uint64_t>(fileSize, kLongestHeader)), '\0');
    file.readAt(0, header.data(), header.size());
    const auto* bytes = reinterpret_cast<const unsigned char*>(header.data());
    if (dBaseIIHeader(bytes, std::min<size_t>(header.size(), 8 + 32 * 16 + 1))) return "dBASE II";
    if (bytes[0] == 0x8C || dBase7Header(bytes, header.size())) return "dBASE 7";
    return nullptr;
}

// A field's width from its descriptor; with wide characters, a character field's decimals byte
// is the high byte of its width.
int descriptorWidth(const unsigned char* descriptor, bool wideCharacters) {
    if (wideCharacters && asciiUpper(static_cast<char>(descriptor[11])) == 'C') return descriptor[16] | (descriptor[17] << 8);
    return descriptor[16];
}

// The record length the descriptors add up to, the deletion flag included.
uint32_t fieldWidths(const std::vector<const unsigned char*>& descriptors, bool wideCharacters) {
    uint32_t widths = 1;
    for (const unsigned char* d : descriptors) widths += static_cast<uint32_t>(descriptorWidth(d, wideCharacters));
    return widths;
}

std::string recordsText(uint64_t count) { return std::to_string(count) + (count == 1 ? " record" : " records"); }

bool isMemoType(char type) { return type == 'M' || type == 'G' || type == 'P' || type == 'W'; }

// An O field: a double stored big endian with its sign bit inverted, so that its bytes sort as
// the numbers do.
double orderedDouble(std::string_view raw) {
    if (raw.size() != 8) return 0.0;
    uint64_t bits = 0;
    for (char c : raw) bits = bits << 8 | static_cast<unsigned char>(c);
    if (bits == 0) return 0.0;
    bits ^= uint64_t(1) << 63;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

constexpr uint8_t kBinaryField = 0x04;

// Fields whose values are bytes that no code page applies to: pictures, OLE objects, blobs,
// varbinary, and Visual FoxPro memos marked binary; dBASE IV's B fields are binary memos.
bool isBinary(char type, uint8_t flags, bool visualFoxPro) {
    switch (type) {
        case 'G': case 'P': case 'W': case 'Q': return true;
        case 'M': return (flags & kBinaryField) != 0;
        case 'B': return !visualFoxPro;
        default: return false;
    }
}

// Fields whose blank value is binary zeros rather than blanks.
bool blankIsZeros(const FieldInfo& field) {
    switch (field.type) {
        case 'I': case 'Y': case 'B': case 'T': case '@': case '+': case 'O': return true;
        case 'M': return field.length == 4;
        default: return false;
    }
}



void putLE64(char* p, int64_t value) {
    auto v = static_cast<uint64_t>(value);
    for (int i = 0; i < 8; ++i) p[i] = static_cast<char>(v >> (8 * i));
}

// A binary field's bytes as a little-endian integer of `size` (4 or 8) bytes. A field narrower
// than its type needs (a damaged header) gives just its own bytes, never bytes past the record.
int64_t binaryInteger(std::string_view raw, size_t size) {
    char bytes[8] = {};
    std::memcpy(bytes, raw.data(), std::min({raw.size(), size, sizeof bytes}));
    if (size == 4) return static_cast<int32_t>(getLE32(reinterpret_cast<const unsigned char*>(bytes)));
    return getLE64(bytes);
}

std::string_view trimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\0')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.remove_suffix(1);
    return s;
}

double parseNumber(std::string_view bytes) {
    std::string_view s = trimBlanks(bytes);
    if (!s.empty() && s.front() == '+') s.remove_prefix(1);
    // Only digits, a sign and a point make a number; "nan" and "inf" are not stored numbers.
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s.front())) || s.front() == '-' || s.front() == '.'))
        return 0.0;
    double value = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    return ec == std::errc() ? value : 0.0;
}

// The block a memo field points to: 4 bytes little endian (Visual FoxPro) or digits; 0 (no memo)
// for text that is not a block number, so a damaged field cannot make an out-of-range cast.
uint32_t memoBlock(std::string_view raw) {
    if (raw.size() == 4) return getLE32(reinterpret_cast<const unsigned char*>(raw.data()));
    double block = parseNumber(raw);
    return block >= 1 && block <= UINT32_MAX ? static_cast<uint32_t>(block) : 0;
}

MemoKind memoKindFor(uint8_t version, Driver driver) {
    switch (version) {
        case 0x83: return MemoKind::DbtIII;
        case 0x8B: case 0x8E: case 0xCB: return MemoKind::DbtIV;
        case 0xF5: case 0x30: case 0x31: case 0x32: case 0xFB: return MemoKind::Fpt;
        default: break;
    }
    switch (driver) {
        case Driver::DBFCDX: return MemoKind::Fpt;
        case Driver::DBFNTX: return MemoKind::DbtIII;
        case Driver::DBFMDX: return MemoKind::DbtIV;
    }
    return MemoKind::Fpt;
}

}  // namespace

struct Table::Field {
    FieldInfo info;
    uint32_t offset = 0;   // within the record image (the deletion flag is byte 0)
    uint8_t flags = 0;
    int nullBit = -1;      // bit in _NullFlags marking a null value
    int lengthBit = -1;    // bit in _NullFlags marking a shortened variable-length value
    std::string longName;  // kept by the database container the table is bound to

    size_t width() const { return static_cast<size_t>(info.length); }
};

std::optional<Driver> driverFromName(std::string_view name) {
    if (equalsIgnoreCase(name, "DBFCDX")) return Driver::DBFCDX;
    if (equalsIgnoreCase(name, "DBFNTX")) return Driver::DBFNTX;
    if (equalsIgnoreCase(name, "DBFMDX")) return Driver::DBFMDX;
    return std::nullopt;
}

const char* driverName(Driver driver) {
    switch (driver) {
        case Driver::DBFCDX: return "DBFCDX";
        case Driver::DBFNTX: return "DBFNTX";
        case Driver::DBFMDX: return "DBFMDX";
    }
    return "?";
}

uint32_t headerRecordCount(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    char prefix[8];
    if (!file.read(prefix, sizeof prefix)) return 0;
    return getLE32(prefix + 4);
}

Table::Table() = default;

Table::~Table() {
    try {
        commit();
    } catch (const Error&) {
        // Nothing to report to at this point; commit() is where callers see write failures.
    }
}

const std::string& Table::codePageName() const { return codePage_->name(); }

// ---- creation ----------------------------------------------------------------------------

void Table::create(const std::filesystem::path& path, const std::vector<FieldInfo>& fields, Driver driver) {
    if (fields.empty()) throw Error(path.string() + ": a table needs at least one field");
    std::set<std::string> names;
    uint32_t recordLength = 1;
    bool memo = false;
    std::string descriptors;
    for (const FieldInfo& f : fields) {
        std::string name = asciiUpperCase(f.name);
        if (name.empty() || name.size() > 10) throw Error(path.string() + ": invalid field name '" + f.name + "'");
        if (!names.insert(name).second) throw Error(path.string() + ": duplicate field name '" + f.name + "'");
        int length = f.length;
        int decimals = f.decimals;
        switch (f.type) {
            case 'C': if (length < 1 || length > 65535) length = -1; decimals = 0; break;
            case 'N': case 'F': if (length < 1 || length > 20 || decimals < 0 || decimals > 18) length = -1; break;
            case 'D': length = 8; decimals = 0; break;
            case 'L': length = 1; decimals = 0; break;
            case 'M': length = 10; decimals = 0; memo = true; break;
            case 'I': length = 4; decimals = 0; break;
            case 'Y': case 'T': case 'B': length = 8; decimals = f.type == 'Y' ? 4 : f.type == 'B' ? decimals : 0; break;
            default: throw Error(path.string() + ": field " + name + " has unsupported type '" + std::string(1, f.type) + "'");
        }
        if (length < 0) throw Error(path.string() + ": field " + name + " has an invalid width");
        char d[kDescriptorSize] = {};
        std::memcpy(d, name.data(), name.size());
        d[11] = f.type;
        if (f.type == 'C') {
            d[16] = static_cast<char>(length & 0xFF);
            d[17] = static_cast<char>(length >> 8);  // widths past 255 in the decimals byte
        } else {
            d[16] = static_cast<char>(length);
            d[17] = static_cast<char>(decimals);
        }
        descriptors.append(d, sizeof d);
        recordLength += static_cast<uint32_t>(length);
    }
    if (recordLength > 65535) throw Error(path.string() + ": records would be longer than 65535 bytes");
    uint32_t headerLength = kHeaderPrefix + static_cast<uint32_t>(descriptors.size()) + 1;
    uint8_t version = 0x03;
    if (memo) version = driver == Driver::DBFCDX ? 0xF5 : driver == Driver::DBFNTX ? 0x83 : 0x8B;

    std::string image(kHeaderPrefix, '\0');
    Date now = today();
    image[0] = static_cast<char>(version);
    image[1] = static_cast<char>(now.year - 1900);
    image[2] = static_cast<char>(now.month);
    image[3] = static_cast<char>(now.day);
    putLE16(&image[8], headerLength);
    putLE16(&image[10], recordLength);
    image[29] = static_cast<char>(CodePage::kOemLanguageDriver);
    image += descriptors;
    image += '\x0D';
    image += kEndOfFile;

    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw Error(path.string() + ": cannot create file");
    out.write(image.data(), static_cast<std::streamsize>(image.size()));
    out.close();
    if (!out) throw Error(path.string() + ": cannot write file");
    if (memo) {
        std::filesystem::path memoPath = path;
        MemoKind kind = memoKindFor(version, driver);
        memoPath.replace_extension(MemoFile::extension(kind));
        MemoFile::create(memoPath, kind);
    }
}

// ---- opening -----------------------------------------------------------------------------

std::unique_ptr<Table> Table::open(const std::filesystem::path& path, const OpenOptions& options) {
    std::unique_ptr<Table> table(new Table());
    table->path_ = path;
    table->driver_ = options.driver;
    table->readOnly_ = options.readOnly;
    table->exclusive_ = options.exclusive;
    table->file_ = std::make_unique<RecordFile>(path, options.readOnly,
                                                options.exclusive ? RecordFile::Lock::Exclusive : RecordFile::Lock::Shared);
    table->readHeader();
    table->bindToContainer();
    if (options.driver == Driver::DBFCDX) table->openStructuralIndex();
    table->goTop();
    return table;
}

void Table::readHeader() {
    const std::string name = path_.string();
    auto fail = [&](const std::string& problem) { return Error(name + ": " + problem); };
    uint64_t fileSize = file_->size();
    if (fileSize < kHeaderPrefix + 1) throw fail("file is truncated (shorter than a table header)");
    unsigned char prefix[kHeaderPrefix];
    file_->readAt(0, reinterpret_cast<char*>(prefix), sizeof prefix);
    version_ = prefix[0];
    char versionByte[8];
    std::snprintf(versionByte, sizeof versionByte, "0x%02X", version_);
    if (const char* format = unreadFormat(*file_, fileSize))
        throw fail(std::string("a ") + format + " table (version byte " + versionByte + "), a format this program does not read");
    if (!knownVersion(version_)) throw fail(std::string("not a DBF table (unknown version byte ") + versionByte + ")");
    // Years since 1900; some writers store only the last two digits.
    int year = 1900 + prefix[1];
    if (year < 1980) year += 100;
    if (Date::valid(year, prefix[2], prefix[3])) lastUpdate_ = Date{year, prefix[2], prefix[3]};
    recCount_ = getLE32(prefix + 4);
    countOnDisk_ = recCount_;
    headerLength_ = getLE16(prefix + 8);
    recordLength_ = getLE16(prefix + 10);
    tableFlags_ = prefix[28];
    languageDriver_ = prefix[29];
    codePage_ = &CodePage::forLanguageDriver(languageDriver_);

    if (headerLength_ < kHeaderPrefix + 1 || headerLength_ > fileSize)
        throw fail("header length " + std::to_string(headerLength_) + " does not fit the file");
    if (recordLength_ < 1) throw fail("record length 0 is too small");

    std::string header(headerLength_, '\0');
    file_->readAt(0, header.data(), header.size());
    // The field list ends with 0x0D; some writers end it with 0x0A or 0x00, or let the header end
    // right after the last descriptor.
    std::vector<const unsigned char*> descriptors;
    for (uint32_t pos = kHeaderPrefix; pos < headerLength_; pos += kDescriptorSize) {
        const char first = header[pos];
        if (first == '\x0D' || first == '\x0A' || first == '\0') break;
        if (pos + kDescriptorSize > headerLength_) throw fail("header has no field terminator within its length");
        descriptors.push_back(reinterpret_cast<const unsigned char*>(header.data() + pos));
    }
    // Clipper stores widths of character fields past 255 in the decimals byte, where other writers
    // (Excel) leave decimals: the reading whose widths add up to the record length is the one meant.
    const bool wideCharacters = !isVisualFoxPro(version_) && fieldWidths(descriptors, true) == recordLength_;
    const uint32_t widths = fieldWidths(descriptors, wideCharacters);
    int bit = 0;
    uint32_t offset = 1;
    for (const unsigned char* d : descriptors) {
        Field f;
        size_t nameLength = 0;
        while (nameLength < 11 && d[nameLength] != 0) ++nameLength;
        f.info.name = asciiUpperCase(std::string_view(reinterpret_cast<const char*>(d), nameLength));
        f.info.type = asciiUpper(static_cast<char>(d[11]));
        f.flags = isVisualFoxPro(version_) ? d[18] : 0;
        f.info.length = descriptorWidth(d, wideCharacters);
        f.info.decimals = f.info.type == 'C' && wideCharacters ? 0 : d[17];
        f.info.binary = isBinary(f.info.type, f.flags, isVisualFoxPro(version_));
        std::string fieldName = f.info.name;
        if (fieldName.empty()) (fieldName += '#') += std::to_string(allFields_.size() + 1);
        // A numeric field of width 0 holds nothing and takes no room; other types need bytes.
        if (f.info.length == 0 && f.info.type != 'N' && f.info.type != 'F')
            throw fail("field " + fieldName + " has a width of 0");
        static const std::string kTypes = "CNFDLMIYTBGVQPW0@+O";
        if (kTypes.find(f.info.type) == std::string::npos || f.info.type == '\0')
            throw fail("field " + fieldName + " has an unsupported type '" + std::string(1, f.info.type) + "'");
        f.offset = offset;
        offset += static_cast<uint32_t>(f.info.length);
        if (f.flags & kNullableField) f.nullBit = bit++;
        if (f.info.type == 'V' || f.info.type == 'Q') f.lengthBit = bit++;
        if (f.info.type == '0') nullFlagsField_ = static_cast<int>(allFields_.size());
        allFields_.push_back(std::move(f));
    }
    // Visual FoxPro keeps the path of the table's database container after the field list.
    const uint32_t linkStart = kHeaderPrefix + static_cast<uint32_t>(descriptors.size()) * kDescriptorSize + 1;
    if (isVisualFoxPro(version_) && linkStart < headerLength_) {
        const std::string_view link = std::string_view(header).substr(linkStart, kContainerLinkSize);
        const std::string named(link.substr(0, link.find('\0')));
        if (isDatabaseContainer(named)) containerLink_ = named;
    }
    settleRecordLayout(fileSize, widths);
    for (size_t i = 0; i < allFields_.size(); ++i) {
        const Field& f = allFields_[i];
        if (!(f.flags & kSystemField) && f.info.type != '0') fields_.push_back(static_cast<int>(i));
    }
    for (size_t i = 0; i < fields_.size(); ++i)
        fieldPositions_.try_emplace(asciiUpperCase(allFields_[fields_[i]].info.name), static_cast<int>(i + 1));
    file_->setLayout(headerLength_, recordLength_);

    bool memoFields = std::any_of(allFields_.begin(), allFields_.end(), [](const Field& f) { return isMemoType(f.info.type); });
    if (memoFields) {
        MemoKind kind = memoKindFor(version_, driver_);
        std::filesystem::path memoPath = path_;
        memoPath.replace_extension(isDatabaseContainer(path_) ? ".DCT" : MemoFile::extension(kind));
        memoPath = findIgnoringCase(path_.has_parent_path() ? path_.parent_path() : ".", memoPath.filename().string());
        std::error_code ec;
        if (!std::filesystem::exists(memoPath, ec)) throw fail("memo file " + memoPath.filename().string() + " is missing");
        memo_ = MemoFile::open(memoPath, kind, readOnly_);
    }
}

// Where the header and the data disagree, the data decides, and the disagreement is noted: records
// as wide as the fields when the header's record length falls short of them and the data holds
// records of that width; more records than the header counts when whole records follow its count.
// Those are only counted on a read-only open: for writing, the header's count decides, as records
// past it are what an unfinished append left, which the next append overwrites.
void Table::settleRecordLayout(uint64_t fileSize, uint32_t widths) {
    auto fail = [&](const std::string& problem) { return Error(path_.string() + ": " + problem); };
    const uint64_t dataBytes = fileSize - headerLength_;
    if (widths > recordLength_) {
        const uint64_t asWidths = uint64_t(recCount_) * widths;
        if (recCount_ == 0 || widths > UINT16_MAX || (dataBytes != asWidths && dataBytes != asWidths + 1))
            throw fail("record length " + std::to_string(recordLength_) + " does not match the field widths (" +
                       std::to_string(widths) + ")");
        headerDisagreements_.push_back("header says record length " + std::to_string(recordLength_) +
                                       ", the fields take " + std::to_string(widths));
        recordLength_ = static_cast<uint16_t>(widths);
    }
    // A record length beyond the fields leaves bytes after the last field, which stay as they are.
    if (uint64_t(recCount_) * recordLength_ > dataBytes)
        throw fail("record count " + std::to_string(recCount_) + " goes beyond the end of the file");
    if (!readOnly_) return;
    const uint64_t whole = dataBytes / recordLength_;
    uint32_t held = recCount_;
    while (held < whole && held < UINT32_MAX) {
        char flag = 0;
        file_->readAt(headerLength_ + uint64_t(held) * recordLength_, &flag, 1);
        if (flag != ' ' && flag != '*') break;
        ++held;
    }
    if (held != recCount_) {
        headerDisagreements_.push_back("header says " + recordsText(recCount_) + ", the file holds " +
                                       std::to_string(held));
        recCount_ = held;
    }
}

// The long field names of the database container the table is bound to; they name the fields in
// expressions beside the short names. A container that is missing, unreadable or at odds with the
// table's fields names none, and the table reads with its short names.
void Table::bindToContainer() {
    if (containerLink_.empty() || isDatabaseContainer(path_)) return;
    std::string link = containerLink_;
    std::replace(link.begin(), link.end(), '\\', '/');
    const std::filesystem::path linked = (path_.has_parent_path() ? path_.parent_path() : ".") / link;
    const std::filesystem::path container =
        findIgnoringCase(linked.has_parent_path() ? linked.parent_path() : ".", linked.filename().string());
    std::error_code ec;
    if (!std::filesystem::exists(container, ec)) {
        containerProblem_ = "database container " + containerLink_ + " is missing";
        return;
    }
    std::vector<std::string> names;
    try {
        names = containerFieldNames(container, path_);
    } catch (const Error& e) {
        containerProblem_ = e.what();
        return;
    }
    if (names.size() != fields_.size()) {
        containerProblem_ = "database container " + containerLink_ + " does not list the table's fields";
        return;
    }
    for (size_t i = 0; i < fields_.size(); ++i) {
        allFields_[fields_[i]].longName = names[i];
        fieldPositions_.try_emplace(asciiUpperCase(names[i]), static_cast<int>(i + 1));
    }
}

// ---- structure ---------------------------------------------------------------------------

const Table::Field& Table::checkedField(int pos) const {
    if (pos < 1 || pos > fieldCount())
        throw Error(path_.string() + ": field position " + std::to_string(pos) + " is out of range");
    return allFields_[fields_[pos - 1]];
}

const FieldInfo& Table::field(int pos) const { return checkedField(pos).info; }

const std::string& Table::longFieldName(int pos) const { return checkedField(pos).longName; }

int Table::fieldPos(std::string_view name) const {
    const auto found = fieldPositions_.find(asciiUpperCase(name));
    return found == fieldPositions_.end() ? 0 : found->second;
}

std::vector<FieldInfo> Table::structure() const {
    std::vector<FieldInfo> out;
    for (int index : fields_) out.push_back(allFields_[index].info);
    return out;
}

// ---- navigation --------------------------------------------------------------------------

void Table::loadRecord(uint32_t recno) {
    flushRecord();
    file_->readRecord(recno, record_);
    original_ = record_;
    recno_ = recno;
    eof_ = false;
}

void Table::setEof() {
    flushRecord();
    recno_ = recCount_ + 1;
    record_.assign(recordLength_, ' ');
    original_.clear();
    eof_ = true;
}

bool Table::visible() const {
    if (settings().deleted && record_[0] == '*') return false;
    return !filter_ || filter_();
}

void Table::skipToVisible(int direction) {
    while (!eof_ && !visible()) {
        long next = static_cast<long>(recno_) + direction;
        if (next < 1 || next > static_cast<long>(recCount_)) {
            setEof();
            return;
        }
        loadRecord(static_cast<uint32_t>(next));
    }
}

void Table::goTop() {
    found_ = false;
    if (order_) return orderGoTop();
    bof_ = false;
    if (recCount_ == 0) {
        setEof();
    } else {
        loadRecord(1);
        skipToVisible(+1);
    }
    if (eof_) bof_ = true;
}

void Table::goBottom() {
    found_ = false;
    if (order_) return orderGoBottom();
    bof_ = false;
    if (recCount_ == 0) {
        setEof();
    } else {
        loadRecord(recCount_);
        skipToVisible(-1);
    }
    if (eof_) bof_ = true;
}

void Table::goTo(uint32_t recno) {
    found_ = false;
    bof_ = false;
    if (recno < 1 || recno > recCount_)
        setEof();
    else
        loadRecord(recno);
}

void Table::skip(long count) {
    if (count == 0) {
        flushRecord();
        return;
    }
    found_ = false;
    if (order_) return orderSkip(count);
    bof_ = false;
    if (count > 0) {
        while (count-- > 0 && !eof_) {
            if (recno_ >= recCount_) {
                setEof();
                break;
            }
            loadRecord(recno_ + 1);
            skipToVisible(+1);
        }
        return;
    }
    while (count++ < 0) {
        // Searching backwards for a visible record; running out of records leaves the table
        // on its first visible record with the begin-of-file flag.
        uint32_t from = eof_ ? recCount_ + 1 : recno_;
        bool found = false;
        for (uint32_t r = from; r-- > 1;) {
            loadRecord(r);
            if (visible()) {
                found = true;
                break;
            }
        }
        if (!found) {
            goTop();
            bof_ = true;
            return;
        }
    }
}

// ---- fields ------------------------------------------------------------------------------

std::string_view Table::recordImage() const { return record_; }

std::string_view Table::fieldBytes(std::string_view image, int pos) const {
    const Field& f = checkedField(pos);
    return image.substr(f.offset, static_cast<size_t>(f.info.length));
}

Value Table::decodeField(std::string_view image, int pos) const {
    const Field& f = checkedField(pos);
    std::string_view raw = image.substr(f.offset, static_cast<size_t>(f.info.length));
    if (nullFlagsField_ >= 0 && (f.nullBit >= 0 || f.lengthBit >= 0)) {
        const Field& flags = allFields_[nullFlagsField_];
        auto bitSet = [&](int bit) {
            size_t byte = static_cast<size_t>(bit / 8);
            return byte < static_cast<size_t>(flags.info.length) &&
                   (static_cast<unsigned char>(image[flags.offset + byte]) >> (bit % 8)) & 1;
        };
        if (f.nullBit >= 0 && bitSet(f.nullBit)) return Value();
        if (f.lengthBit >= 0 && bitSet(f.lengthBit))
            raw = raw.substr(0, std::min<size_t>(static_cast<unsigned char>(raw.back()), raw.size() - 1));
    }
    switch (f.info.type) {
        case 'C': case 'V': {
            // Some writers pad text with NULs where others use blanks.
            std::string bytes(raw);
            std::replace(bytes.begin(), bytes.end(), '\0', ' ');
            std::string text;
            text.reserve(bytes.size());
            codePage_->decode(bytes, text);
            return Value(std::move(text));
        }
        case 'Q': return Value(std::string(raw));
        case 'N': case 'F': return Value(parseNumber(raw));
        case 'D': return Value(SToD(trimBlanks(raw)));  // some writers make date fields 10 wide
        case 'L': return Value(raw[0] == 'T' || raw[0] == 't' || raw[0] == 'Y' || raw[0] == 'y');
        case 'I': return Value(static_cast<double>(binaryInteger(raw, 4)));
        case 'Y': return Value(static_cast<double>(binaryInteger(raw, 8)) / 10000.0);
        case 'B':
            if (isVisualFoxPro(version_) && raw.size() == 8) {
                double d;
                std::memcpy(&d, raw.data(), sizeof d);
                return Value(d);
            }
            [[fallthrough]];
        case 'M': case 'G': case 'P': case 'W': {
            uint32_t block = memoBlock(raw);
            if (!memo_ || block == 0) return Value(std::string());
            std::string bytes = memo_->read(block);
            if (f.info.binary) return Value(std::move(bytes));
            // Text memos padded with NULs to their block end by some writers.
            bytes.erase(bytes.find_last_not_of('\0') + 1);
            return Value(codePage_->decode(bytes));
        }
        case 'T': {
            DateTime value;
            value.date = Date::fromJulian(static_cast<long>(binaryInteger(raw, 4)));
            const int64_t milliseconds = raw.size() > 4 ? binaryInteger(raw.substr(4), 4) : 0;
            if (!value.date.empty() && milliseconds > 0 && milliseconds < DateTime::kMillisecondsPerDay)
                value.milliseconds = static_cast<int32_t>(milliseconds);
            return Value(value);
        }
        case 'O': return Value(orderedDouble(raw));
        case '@': case '+':
            return Value(static_cast<double>(binaryInteger(raw, 8)));
        default:
            return Value(std::string(raw));
    }
}

Value Table::fieldGet(int pos) const { return decodeField(record_, pos); }

Value Table::fieldGet(std::string_view name) const {
    int pos = fieldPos(name);
    if (pos == 0) throw Error(path_.string() + ": no field named " + std::string(name));
    return fieldGet(pos);
}

void Table::fieldPut(std::string_view name, const Value& value) {
    int pos = fieldPos(name);
    if (pos == 0) throw Error(path_.string() + ": no field named " + std::string(name));
    fieldPut(pos, value);
}

void Table::encodeField(const Field& f, const Value& value, std::string& bytes) {
    const size_t width = static_cast<size_t>(f.info.length);
    auto mismatch = [&]() {
        return Error(path_.string() + ": field " + f.info.name + " (" + std::string(1, f.info.type) +
                     ") cannot take a " + valueTypeName(value.type()) + " value");
    };
    switch (f.info.type) {
        case 'C': case 'V':
            // The text as it is: fieldPut cuts or blank pads it to the width in the record itself.
            if (!value.isNil() && !value.isCharacter()) throw mismatch();
            bytes.clear();
            codePage_->encode(value.text(), bytes);
            return;
        case 'N': case 'F': {
            if (!value.isNil() && !value.isNumeric()) throw mismatch();
            bytes.assign(width, ' ');
            if (!writeNumericField(bytes, value.number(), f.info.decimals))
                throw ValueDoesNotFit(path_.string(), f.info.name, f.info.length, f.info.decimals, value.number());
            return;
        }
        case 'D': {
            if (!value.isNil() && !value.isDate()) throw mismatch();
            bytes = value.date().empty() ? std::string(8, ' ') : DToS(value.date());
            return;
        }
        case 'L':
            if (!value.isNil() && !value.isLogical()) throw mismatch();
            bytes.assign(1, value.logical() ? 'T' : 'F');
            return;
        case 'I': case 'Y': case 'B': case 'T': {
            if (f.info.type == 'T' ? !value.isNil() && !value.isDate() && !value.isDateTime()
                                   : !value.isNil() && !value.isNumeric() && !value.isDate())
                throw mismatch();
            // Room for the whole value even when a damaged header made the field narrower.
            bytes.assign(std::max(width, sizeof(int64_t)), '\0');
            if (f.info.type == 'I') {
                double n = std::round(value.number());
                if (!(n >= INT32_MIN && n <= INT32_MAX)) throw mismatch();  // NaN too
                putLE32(bytes.data(), static_cast<uint32_t>(static_cast<int32_t>(n)));
            } else if (f.info.type == 'Y') {
                putLE64(bytes.data(), static_cast<int64_t>(std::llround(value.number() * 10000.0)));
            } else if (f.info.type == 'B') {
                double n = value.number();
                std::memcpy(bytes.data(), &n, sizeof n);
            } else {
                // Julian day, then milliseconds since midnight; a date alone is its midnight.
                const DateTime when = value.isDate() ? DateTime{value.date(), 0} : value.dateTime();
                putLE32(bytes.data(), static_cast<uint32_t>(when.date.julian()));
                putLE32(bytes.data() + 4, static_cast<uint32_t>(when.date.empty() ? 0 : when.milliseconds));
            }
            bytes.resize(width);
            return;
        }
        default:
            throw Error(path_.string() + ": field " + f.info.name + " of type " + std::string(1, f.info.type) +
                        " cannot be written");
    }
}

void Table::fieldPut(int pos, const Value& value) {
    requireRecordsWritable("write a field");
    const Field& f = checkedField(pos);
    if (eof_) throw Error(path_.string() + ": no current record to write field " + f.info.name);
    if (isMemoType(f.info.type)) {
        putBytes(f, writeMemo(f, value));
    } else {
        putBytes(f, encodedValue(f, value));
    }
}

const std::string& Table::encodedValue(const Field& f, const Value& value) {
    if (lastWrites_.empty()) lastWrites_.resize(allFields_.size());
    LastWrite& last = lastWrites_[static_cast<size_t>(&f - allFields_.data())];
    if (last.reusable && last.value == value) return last.bytes;
    last.reusable = false;  // until the new bytes are complete
    encodeField(f, value, last.bytes);
    last.value = value;
    // A binary double keeps the sign of a zero, which compares equal to zero.
    last.reusable = f.info.type != 'B';
    return last.bytes;
}

std::string Table::writeMemo(const Field& f, const Value& value) {
    if (!memo_) throw Error(path_.string() + ": no memo file for field " + f.info.name);
    if (!value.isNil() && !value.isCharacter()) throw Error(path_.string() + ": memo field " + f.info.name + " takes text only");
    std::string_view raw = std::string_view(record_).substr(f.offset, f.width());
    uint32_t oldBlock = memoBlock(raw);
    std::string data = f.info.binary ? value.text() : codePage_->encode(value.text());
    uint32_t block = 0;
    try {
        block = memo_->write(data, oldBlock);
    } catch (const Error&) {
        writeFailedNow();
    }
    if (f.info.length == 4) {
        std::string bytes(4, '\0');
        putLE32(bytes.data(), block);
        return bytes;
    }
    return block == 0 ? std::string(f.width(), ' ') : Str(block, f.info.length, 0);
}

void Table::putBytes(const Field& f, std::string_view bytes) {
    const size_t copied = std::min(bytes.size(), f.width());
    std::memcpy(record_.data() + f.offset, bytes.data(), copied);
    std::fill_n(record_.begin() + f.offset + copied, f.width() - copied, ' ');
    if (nullFlagsField_ >= 0 && f.nullBit >= 0) {
        const Field& flags = allFields_[nullFlagsField_];
        size_t byte = flags.offset + static_cast<size_t>(f.nullBit / 8);
        record_[byte] = static_cast<char>(record_[byte] & ~(1 << (f.nullBit % 8)));
    }
    dirty_ = true;
}

// ---- records -----------------------------------------------------------------------------

void Table::requireWritable(const char* what) const {
    if (readOnly_) throw Error(path_.string() + ": cannot " + what + ": the table is open read-only");
    // Another program reading the header would not see what we wrote as we meant it.
    if (!headerDisagreements_.empty())
        throw Error(path_.string() + ": cannot " + what + ": " + headerDisagreements_.front() +
                    "; such a table is only read");
}

void Table::requireRecordsWritable(const char* what) const {
    requireWritable(what);
    if (indexes_) indexes_->requireAllUsable(what);
}

void Table::flushRecord() {
    if (!dirty_) return;
    dirty_ = false;
    if (observer_) observer_->recordWritten(recno_, original_, record_);
    try {
        file_->writeRecord(recno_, record_);
    } catch (const Error&) {
        writeFailedNow();
    }
    original_ = record_;
    headerDirty_ = true;
}

void Table::append() {
    requireRecordsWritable("append");
    flushRecord();
    ++recCount_;
    recno_ = recCount_;
    record_.assign(recordLength_, ' ');
    if (nullFlagsField_ >= 0) {
        const Field& flags = allFields_[nullFlagsField_];
        std::fill_n(record_.begin() + flags.offset, flags.info.length, '\0');
    }
    for (const Field& f : allFields_) {
        if (blankIsZeros(f.info)) std::fill_n(record_.begin() + f.offset, f.info.length, '\0');
    }
    original_.clear();
    eof_ = bof_ = false;
    dirty_ = true;
    headerDirty_ = true;
}

void Table::deleteRecord() {
    requireRecordsWritable("delete");
    if (eof_) return;
    record_[0] = '*';
    dirty_ = true;
}

void Table::recall() {
    requireRecordsWritable("recall");
    if (eof_) return;
    record_[0] = ' ';
    dirty_ = true;
}

bool Table::deleted() const { return !eof_ && record_[0] == '*'; }

void Table::zap() {
    requireRecordsWritable("zap");
    if (!exclusive_) throw Error(path_.string() + ": zap needs exclusive use of the table");
    dirty_ = false;
    file_->truncate(headerLength_);
    recCount_ = 0;
    headerDirty_ = true;
    if (memo_) memo_->clear();
    if (observer_) observer_->tableRebuilt();
    commit();
    goTop();
}

void Table::pack() {
    requireRecordsWritable("pack");
    if (!exclusive_) throw Error(path_.string() + ": pack needs exclusive use of the table");
    flushRecord();
    // The kept records and their memos go to temporary files first, so a failure on the way
    // (a damaged memo, a full disk) leaves the table as it was.
    std::filesystem::path recordsTemp = path_;
    recordsTemp += ".pack";
    std::unique_ptr<MemoFile> packedMemo;
    std::filesystem::path memoTemp;
    uint32_t kept = 0;
    try {
        if (memo_) {
            memoTemp = memo_->path();
            memoTemp += ".pack";
            MemoFile::create(memoTemp, memo_->kind());
            packedMemo = MemoFile::open(memoTemp, memo_->kind(), false);
        }
        std::ofstream out(recordsTemp, std::ios::binary | std::ios::trunc);
        scanRecords([&](uint32_t, std::string_view record) {
            if (record[0] == '*') return;
            std::string image(record);
            if (packedMemo) moveMemos(image, *packedMemo);
            out.write(image.data(), static_cast<std::streamsize>(image.size()));
            ++kept;
        });
        out.close();
        if (!out) throw Error(recordsTemp.string() + ": cannot write the packed records");
        if (packedMemo) packedMemo->flush();
    } catch (...) {
        std::error_code ec;
        packedMemo.reset();
        std::filesystem::remove(recordsTemp, ec);
        if (!memoTemp.empty()) std::filesystem::remove(memoTemp, ec);
        throw;
    }
    // Every record is ready: copy them into place and swap the memo file.
    {
        std::ifstream in(recordsTemp, std::ios::binary);
        std::vector<char> chunk(1u << 20);
        uint64_t offset = headerLength_;
        while (in) {
            in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
            file_->writeAt(offset, chunk.data(), static_cast<size_t>(in.gcount()));
            offset += static_cast<uint64_t>(in.gcount());
        }
    }
    std::filesystem::remove(recordsTemp);
    file_->truncate(headerLength_ + uint64_t(kept) * recordLength_);
    recCount_ = kept;
    headerDirty_ = true;
    if (packedMemo) {
        std::filesystem::path memoPath = memo_->path();
        MemoKind kind = memo_->kind();
        packedMemo.reset();
        memo_.reset();
        std::filesystem::rename(memoTemp, memoPath);
        memo_ = MemoFile::open(memoPath, kind, false);
    }
    if (observer_) observer_->tableRebuilt();
    commit();
    goTop();
}

void Table::moveMemos(std::string& image, MemoFile& target) const {
    for (const Field& f : allFields_) {
        if (!isMemoType(f.info.type) && !(f.info.type == 'B' && !isVisualFoxPro(version_))) continue;
        std::string_view raw = std::string_view(image).substr(f.offset, f.width());
        bool binary = raw.size() == 4;
        uint32_t block = memoBlock(raw);
        if (block == 0) continue;
        uint32_t moved = target.write(memo_->read(block), 0);
        std::string bytes(f.width(), '\0');
        if (binary)
            putLE32(bytes.data(), moved);
        else
            bytes = Str(moved, f.info.length, 0);
        std::memcpy(image.data() + f.offset, bytes.data(), bytes.size());
    }
}

void Table::scanRecords(const std::function<void(uint32_t, std::string_view)>& visit) {
    flushRecord();
    file_->flush();
    const uint32_t chunkRecords = std::max<uint32_t>(1, (1u << 20) / recordLength_);
    std::string chunk;
    for (uint32_t first = 1; first <= recCount_; first += chunkRecords) {
        uint32_t count = std::min(chunkRecords, recCount_ - first + 1);
        chunk.resize(size_t(count) * recordLength_);
        file_->readAt(headerLength_ + uint64_t(first - 1) * recordLength_, chunk.data(), chunk.size());
        for (uint32_t i = 0; i < count; ++i)
            visit(first + i, std::string_view(chunk).substr(size_t(i) * recordLength_, recordLength_));
    }
}

void Table::writeCountAndDate() {
    char prefix[8];
    Date now = today();
    prefix[0] = static_cast<char>(version_);
    prefix[1] = static_cast<char>(now.year - 1900);
    prefix[2] = static_cast<char>(now.month);
    prefix[3] = static_cast<char>(now.day);
    putLE32(prefix + 4, recCount_);
    file_->writeAt(0, prefix, sizeof prefix);
    lastUpdate_ = now;
    countOnDisk_ = recCount_;
}

void Table::writeHeader() {
    writeCountAndDate();
    uint64_t end = headerLength_ + uint64_t(recCount_) * recordLength_;
    file_->writeAt(end, &kEndOfFile, 1);
    if (file_->size() > end + 1) file_->truncate(end + 1);
}

namespace {
// Record locks sit far beyond any record, one byte per record number.
constexpr uint64_t kRecordLockBase = 0x40000000;
}  // namespace

bool Table::lockRecords(uint32_t first, uint32_t count) { return file_->lockBytes(kRecordLockBase + first, count); }

void Table::unlockRecords(uint32_t first, uint32_t count) { file_->unlockBytes(kRecordLockBase + first, count); }

// A write of records or memos failed (a full disk): the table keeps what is wholly on disk and
// stays marked, and the failure goes on to the caller.
void Table::writeFailedNow() {
    writeFailed_ = true;
    std::exception_ptr failure = std::current_exception();
    try {
        keepWrittenRecords();
    } catch (const Error&) {
        // The original failure is the one to report.
    }
    std::rethrow_exception(failure);
}

void Table::keepWrittenRecords() {
    dirty_ = false;
    headerDirty_ = false;
    file_->discard();
    const uint64_t size = file_->size();
    const uint64_t onDisk = size > headerLength_ ? (size - headerLength_) / recordLength_ : 0;
    if (onDisk < recCount_) recCount_ = static_cast<uint32_t>(onDisk);
    if (recno_ > recCount_) setEof();
    // A partial record goes first, which also frees room for the header's date and count.
    uint64_t end = headerLength_ + uint64_t(recCount_) * recordLength_;
    if (size > end) file_->truncate(end);
    try {
        writeCountAndDate();
    } catch (const Error&) {
        // The header keeps its old count: the file goes back to that many records, so that the
        // two agree (shortening a file needs no room on the disk).
        recCount_ = std::min(recCount_, countOnDisk_);
        end = headerLength_ + uint64_t(recCount_) * recordLength_;
        file_->truncate(end);
        if (recno_ > recCount_) setEof();
        throw;
    }
    try {
        file_->writeAt(end, &kEndOfFile, 1);
    } catch (const Error&) {
        // The end-of-file marker is optional; a full disk may refuse its byte.
    }
}

void Table::commit() {
    if (readOnly_ || !file_) return;
    if (writeFailed_) {
        keepWrittenRecords();
        throw Error(path_.string() + ": a write failed earlier; the table keeps the " + std::to_string(recCount_) +
                    " records written before it");
    }
    try {
        flushRecord();
        file_->flush();
        if (memo_) memo_->flush();
    } catch (const Error&) {
        writeFailedNow();
    }
    if (headerDirty_) {
        writeHeader();
        headerDirty_ = false;
    }
    if (indexes_) indexes_->flush();
}

}  // namespace tarvo::xbase
