// A template or source table whose records are not records is refused before the import touches
// the shop: deletion flags that are neither blank nor '*', records of zeros beyond the real ones
// that the header counts, a header count the file cannot hold. The message names the file and the
// reason, and every file of the shop stays as it was.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "tests/cli/cli_run.h"
#include "tests/support/test_support.h"
#include "xbase/table.h"

namespace tarvo::cli {
namespace {

namespace fs = std::filesystem;

bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The header's record count, its length and the record length, as the file states them.
struct Header {
    uint32_t records;
    uint16_t headerLength, recordLength;
};

Header headerOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    unsigned char bytes[12];
    in.read(reinterpret_cast<char*>(bytes), sizeof bytes);
    return {uint32_t(bytes[4]) | uint32_t(bytes[5]) << 8 | uint32_t(bytes[6]) << 16 | uint32_t(bytes[7]) << 24,
            uint16_t(bytes[8] | bytes[9] << 8), uint16_t(bytes[10] | bytes[11] << 8)};
}

void putByte(const fs::path& file, uint64_t offset, char byte) {
    std::fstream out(file, std::ios::in | std::ios::out | std::ios::binary);
    out.seekp(static_cast<std::streamoff>(offset));
    out.put(byte);
}

void setRecordCount(const fs::path& file, uint32_t count) {
    for (int i = 0; i < 4; ++i) putByte(file, 4 + i, static_cast<char>(count >> (8 * i)));
}

struct Spoil {
    const char* what;
    std::function<void(const fs::path&)> apply;
    std::string reason;  // in the message
};

const Spoil kSpoils[] = {
    {"a record whose deletion flag is a zero byte",
     [](const fs::path& file) {
         const Header h = headerOf(file);
         putByte(file, h.headerLength + 2ull * h.recordLength, '\0');
     },
     "record 3 is not a record (its deletion flag is 0x00, neither blank nor '*')"},
    {"records of zeros the header counts after the real ones",
     [](const fs::path& file) {
         const Header h = headerOf(file);
         fs::resize_file(file, h.headerLength + uint64_t(h.records) * h.recordLength);  // the end mark goes
         fs::resize_file(file, h.headerLength + uint64_t(h.records + 1000) * h.recordLength);
         setRecordCount(file, h.records + 1000);
     },
     "is not a record (its deletion flag is 0x00, neither blank nor '*')"},
    {"a record count the file cannot hold",
     [](const fs::path& file) { setRecordCount(file, 2000000); },
     "record count 2000000 goes beyond the end of the file"},
};

struct SourceKind {
    const char* arguments;  // the import's source options, {} standing for the source folder
    const char* make;       // the command that writes the source into {}
    const char* table;      // the table spoiled
};

const SourceKind kKinds[] = {
    {"--templates {}", "make-templates {} --items 20 --customers 4 --vendors 2 --seed 3", "ITEM.DBF"},
    {"--from msbrg --source {}", "make-source --kind msbrg {} --items 20 --seed 2", "MSBRG.DBF"},
};

std::string filled(std::string text, const std::string& folder) { return text.replace(text.find("{}"), 2, folder); }

TEST(UnsoundSource, IsRefusedBeforeTheShopIsTouched) {
    for (const SourceKind& kind : kKinds) {
        for (const Spoil& spoil : kSpoils) {
            SCOPED_TRACE(std::string(kind.table) + ", " + spoil.what);
            test::TempDir dir;
            const std::string shop = (dir.path() / "shop").string();
            const std::string source = (dir.path() / "source").string();
            ASSERT_EQ(runCli("make-retail-db " + shop).status, 0);
            ASSERT_EQ(runCli(filled(kind.make, source)).status, 0);
            const fs::path table = fs::path(source) / kind.table;
            spoil.apply(table);
            const auto before = test::fileContents(fs::path(shop) / "ST_DB");

            const CliRun import = runCli("import " + filled(kind.arguments, source) + " --db " + shop + " --yes");
            EXPECT_EQ(import.status, 1) << import.output;
            EXPECT_TRUE(contains(import.output, table.string() + ": ")) << import.output;
            EXPECT_TRUE(contains(import.output, spoil.reason)) << import.output;
            EXPECT_TRUE(contains(import.output, "the retail database was not changed")) << import.output;
            EXPECT_EQ(test::fileContents(fs::path(shop) / "ST_DB"), before);
        }
    }
}

// The table layer still reads such a file for inspection.
TEST(UnsoundSource, StaysReadableForInspection) {
    test::TempDir dir;
    ASSERT_EQ(runCli("make-templates " + dir.path().string() + " --items 20 --customers 4 --vendors 2 --seed 3").status, 0);
    const fs::path table = dir.path() / "ITEM.DBF";
    kSpoils[0].apply(table);
    const CliRun info = runCli("dbf info " + table.string());
    EXPECT_EQ(info.status, 0) << info.output;
}

}  // namespace
}  // namespace tarvo::cli
