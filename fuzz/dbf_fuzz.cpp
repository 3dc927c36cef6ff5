// Builds a data file and its memo file from the input, opens the table read-only, checks that its
// records are records and walks every record in both directions reading every field, then does
// the same on a writable copy that also has every field written back, a record appended, one
// deleted and the table packed.
// Every outcome must be a result or an xbase::Error, never a crash, a hang or a leak; a table
// that was written without an error must open again.
//
// Input: the data file's length (2 bytes, little endian), a flag byte, the data file's bytes,
// then the memo file's bytes. Flags: bits 0-1 the driver (DBFCDX reads an FPT memo, DBFNTX a
// dBASE III DBT, DBFMDX a dBASE IV DBT; the header's version byte may choose another), bit 2
// shows deleted records, bit 3 leaves the memo file out.
//
// `dbf_fuzz --make-seeds` writes the seed corpus (tables made by Table::create) to fuzz/corpus/dbf
// and exits. `dbf_fuzz --seeds-from FOLDER OUT` makes a seed of every table under FOLDER (with its
// memo file) in OUT and exits: the tables of other programs beside the project are seeds that way,
// never copied into it.

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "xbase/error.h"
#include "xbase/record_soundness.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo::xbase;
using tarvo::fuzz::readFile;
using tarvo::fuzz::workFolder;
using tarvo::fuzz::writeFile;

constexpr size_t kPrefixBytes = 3;
constexpr uint8_t kDriverBits = 0x03;
constexpr uint8_t kShowDeleted = 0x04;
constexpr uint8_t kNoMemo = 0x08;

struct FuzzInput {
    std::string_view dbf;
    std::string_view memo;
    Driver driver = Driver::DBFCDX;
    bool showDeleted = false;
    bool withMemo = true;
};

std::optional<FuzzInput> split(const uint8_t* data, size_t size) {
    if (size < kPrefixBytes) return std::nullopt;
    size_t dbfLength = data[0] | (size_t(data[1]) << 8);
    uint8_t flags = data[2];
    std::string_view rest(reinterpret_cast<const char*>(data) + kPrefixBytes, size - kPrefixBytes);
    dbfLength = std::min(dbfLength, rest.size());
    FuzzInput input;
    input.dbf = rest.substr(0, dbfLength);
    input.memo = rest.substr(dbfLength);
    static constexpr Driver kDrivers[] = {Driver::DBFCDX, Driver::DBFNTX, Driver::DBFMDX, Driver::DBFCDX};
    input.driver = kDrivers[flags & kDriverBits];
    input.showDeleted = flags & kShowDeleted;
    input.withMemo = !(flags & kNoMemo);
    return input;
}

std::string encode(const FuzzInput& input) {
    uint8_t flags = static_cast<uint8_t>(input.driver == Driver::DBFNTX ? 1 : input.driver == Driver::DBFMDX ? 2 : 0);
    if (input.showDeleted) flags |= kShowDeleted;
    if (!input.withMemo) flags |= kNoMemo;
    std::string out;
    out += static_cast<char>(input.dbf.size() & 0xFF);
    out += static_cast<char>(input.dbf.size() >> 8);
    out += static_cast<char>(flags);
    out += input.dbf;
    out += input.memo;
    return out;
}

// Removes the folder when the process ends normally (a crash leaves it for a look).
// Writes the data file as <stem>.DBF and the memo both as <stem>.FPT and <stem>.DBT, so
// whichever memo kind the header and driver choose finds its file.
fs::path writeTable(const std::string& stem, const FuzzInput& input) {
    const fs::path folder = workFolder("dbf_fuzz");
    for (const char* extension : {".FPT", ".DBT"}) {
        std::error_code ec;
        fs::remove(folder / (stem + extension), ec);
        if (input.withMemo) writeFile(folder / (stem + extension), input.memo);
    }
    fs::path dbf = folder / (stem + ".DBF");
    writeFile(dbf, input.dbf);
    return dbf;
}

void readCurrentRecord(const Table& table) {
    (void)table.deleted();
    (void)table.recNo();
    for (int pos = 1; pos <= table.fieldCount(); ++pos) {
        try {
            (void)table.fieldGet(pos);
        } catch (const Error&) {
            // A damaged memo block fails that one field; the others still read.
        }
    }
}

void walkBothWays(Table& table) {
    for (table.goTop(); !table.eof(); table.skip()) readCurrentRecord(table);
    for (table.goBottom(); !table.bof(); table.skip(-1)) readCurrentRecord(table);
}

void readOnly(const fs::path& path, Driver driver) {
    try {
        auto table = Table::open(path, OpenOptions{.exclusive = false, .readOnly = true, .driver = driver});
        (void)table->structure();
        try {
            checkRecordsAreRecords(*table);
        } catch (const Error&) {
            // Records that are none: the import refuses the table, reading it still works.
        }
        walkBothWays(*table);
    } catch (const Error&) {
    }
}

// Values of every type; writing each to each field reaches every encoder and every mismatch.
const std::vector<Value>& sampleValues() {
    static const std::vector<Value> values = {Value(), Value("Grüße €uro 12345678901234567890"), Value(-1234.5678),
                                              Value(1e30), Value(Date{2024, 7, 8}), Value(true),
                                              Value(DateTime{Date{2024, 7, 8}, 45296789})};
    return values;
}

void tryPut(Table& table, int pos, const Value& value) {
    try {
        table.fieldPut(pos, value);
    } catch (const Error&) {
        // A value the field cannot take, or a damaged memo that cannot be rewritten.
    }
}

// Returns true when every step went through without an error.
bool rewrite(const fs::path& path, Driver driver) {
    try {
        auto table = Table::open(path, OpenOptions{.exclusive = true, .readOnly = false, .driver = driver});
        for (table->goTop(); !table->eof(); table->skip()) {
            for (int pos = 1; pos <= table->fieldCount(); ++pos) {
                try {
                    table->fieldPut(pos, table->fieldGet(pos));
                } catch (const Error&) {
                }
            }
        }
        table->append();
        for (int pos = 1; pos <= table->fieldCount(); ++pos)
            for (const Value& value : sampleValues()) tryPut(*table, pos, value);
        table->goTop();
        if (!table->eof()) table->deleteRecord();
        table->commit();
        table->pack();
        walkBothWays(*table);
        table->commit();
        return true;
    } catch (const Error&) {
        return false;
    }
}

void run(const FuzzInput& input) {
    Settings& current = settings();
    current.deleted = !input.showDeleted;
    readOnly(writeTable("T", input), input.driver);

    fs::path copy = writeTable("W", input);
    if (!rewrite(copy, input.driver)) return;
    try {
        auto table = Table::open(copy, OpenOptions{.exclusive = false, .readOnly = true, .driver = input.driver});
        walkBothWays(*table);
    } catch (const Error& error) {
        std::fprintf(stderr, "a table written without an error does not open again: %s\n", error.what());
        std::abort();
    }
}

// ---- seeds -------------------------------------------------------------------------------

void fillSample(Table& table, int records) {
    for (int i = 0; i < records; ++i) {
        table.append();
        table.fieldPut("NAME", Value(i == 0 ? "Kopi bubuk" : "Gula pasir"));
        table.fieldPut("PRICE", Value(12.5 * (i + 1)));
        table.fieldPut("SINCE", Value(Date{2024, 7, 8 + i}));
        table.fieldPut("ACTIVE", Value(i % 2 == 0));
        if (table.fieldPos("NOTE") != 0) table.fieldPut("NOTE", Value(i == 0 ? "Memo of the first record" : ""));
    }
    table.goTo(static_cast<uint32_t>(records));
    table.deleteRecord();
}

std::string madeSeed(Driver driver, bool memo) {
    std::vector<FieldInfo> fields = {
        {"NAME", 'C', 12, 0}, {"PRICE", 'N', 10, 2}, {"SINCE", 'D', 8, 0}, {"ACTIVE", 'L', 1, 0}};
    if (memo) fields.push_back({"NOTE", 'M', 10, 0});
    const fs::path folder = workFolder("dbf_fuzz");
    for (const char* name : {"S.DBF", "S.FPT", "S.DBT"}) fs::remove(folder / name);
    Table::create(folder / "S.DBF", fields, driver);
    {
        auto table = Table::open(folder / "S.DBF", OpenOptions{.exclusive = true, .readOnly = false, .driver = driver});
        fillSample(*table, 3);
    }
    std::string dbf = readFile(folder / "S.DBF");
    std::string memoBytes;
    if (memo) memoBytes = readFile(folder / (driver == Driver::DBFCDX ? "S.FPT" : "S.DBT"));
    return encode(FuzzInput{dbf, memoBytes, driver, false, memo});
}

// A table of another program with the memo file beside it of the same base name (.FPT, .DBT or
// .DCT, in any case); tables too long for the input's length prefix are passed over.
void tableSeed(const fs::path& file, const fs::path& out) {
    std::string extension = file.extension().string();
    for (char& c : extension) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (extension != ".DBF" && extension != ".DBC") return;
    const std::string dbf = readFile(file);
    if (dbf.size() > 0xFFFF) return;
    std::string memo;
    Driver driver = Driver::DBFCDX;
    for (const auto& entry : fs::directory_iterator(file.parent_path())) {
        std::string other = entry.path().extension().string();
        for (char& c : other) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (entry.path().stem() != file.stem() || (other != ".FPT" && other != ".DBT" && other != ".DCT")) continue;
        memo = readFile(entry.path());
        if (other == ".DBT") driver = Driver::DBFNTX;
    }
    static int count = 0;
    writeFile(out / ("table_" + std::to_string(++count)), encode(FuzzInput{dbf, memo, driver, true, !memo.empty()}));
}

void makeSeeds() {
    const fs::path out = fs::path(TARVO_FUZZ_CORPUS_DIR) / "dbf";
    fs::create_directories(out);
    writeFile(out / "fpt_memo", madeSeed(Driver::DBFCDX, true));
    writeFile(out / "dbt3_memo", madeSeed(Driver::DBFNTX, true));
    writeFile(out / "dbt4_memo", madeSeed(Driver::DBFMDX, true));
    writeFile(out / "no_memo", madeSeed(Driver::DBFCDX, false));
    std::printf("seeds written to %s\n", out.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    tarvo::fuzz::makeSeedsWhenAsked(*argc, *argv, makeSeeds);
    tarvo::fuzz::seedsFromWhenAsked(*argc, *argv, tableSeed);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (auto input = split(data, size)) run(*input);
    return 0;
}
