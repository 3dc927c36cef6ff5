// The sample retail database: every retail table readable, the identifier rows and the control
// record, records where an import replaces them, sound index files, room for every value the
// import writes, and the same files on every run.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

#include "sampledata/retail_db.h"
#include "sampledata/retail_schema.h"
#include "tests/support/test_support.h"
#include "xbase/dates.h"
#include "xbase/settings.h"
#include "xbase/table.h"
#include "xbase/table_indexes.h"

namespace tarvo::retaildb {
namespace {

namespace fs = std::filesystem;
using xbase::Date;
using xbase::Table;
using xbase::Value;

const std::vector<std::string> kCatalogue = {
    "S_TABLID", "S_KONTRO", "S_DAERAH", "S_DAERA2", "S_VENDOR", "S_PELANG", "S_PELEXT", "S_KARYAW",
    "S_GRPSTK", "S_GRPST2", "S_GRPST3", "S_GRPHJL", "S_GRPPEL", "S_GRPPE2", "S_SATUAN", "S_STOCK",
    "S_STKEOU", "S_STKNAM", "S_STKINF", "S_STKHJL", "S_PEMBEL", "S_PEMBED", "S_PENJUA", "S_PENJUD",
    "S_STKPRO", "S_STKMAS", "S_STKMEX", "S_STKKLR", "S_STKKEX"};

const std::vector<std::string> kClosingOnlyTables = {"S_SALES",  "S_TRMSEX", "S_RETPBD", "S_KLRSEX", "S_BONPEN",
                                                     "S_RETPJD", "S_STKTRA", "S_STKTEX", "S_STKPEX", "S_STKSER"};

// The tables the preparation empties, and the two it opens and keeps.
const std::vector<std::string> kReplacedTables = {
    "S_DAERAH", "S_DAERA2", "S_VENDOR", "S_PELANG", "S_PELEXT", "S_KARYAW", "S_SATUAN", "S_GRPSTK", "S_GRPST2",
    "S_GRPST3", "S_GRPPEL", "S_GRPPE2", "S_STOCK",  "S_STKEOU", "S_STKNAM", "S_STKINF", "S_PEMBEL", "S_PEMBED",
    "S_PENJUA", "S_PENJUD", "S_STKPRO", "S_STKMAS", "S_STKMEX", "S_STKKLR", "S_STKKEX", "S_GRPHJL", "S_STKHJL"};

class SampleRetailDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        sampledata::makeSampleRetailDatabase(dir.path());
    }
    fs::path file(const std::string& alias, const char* extension) const {
        return dir.path() / "ST_DB" / (alias + extension);
    }
    std::unique_ptr<Table> open(const std::string& alias) const {
        return Table::open(file(alias, ".Q7T"), xbase::OpenOptions{true, false, xbase::Driver::DBFCDX});
    }

    test::TempDir dir;
};

TEST_F(SampleRetailDbTest, EveryRetailTableIsWrittenAndOpens) {
    std::vector<std::string> expected = kCatalogue;
    expected.insert(expected.end(), kClosingOnlyTables.begin(), kClosingOnlyTables.end());
    std::vector<std::string> schemaAliases;
    for (const auto& t : sampledata::sampleRetailSchema()) schemaAliases.push_back(t.alias);
    EXPECT_EQ(schemaAliases, expected);

    for (const std::string& alias : expected) {
        SCOPED_TRACE(alias);
        ASSERT_TRUE(fs::exists(file(alias, ".Q7T")));
        auto table = open(alias);
        EXPECT_EQ(table->structure(), sampledata::sampleRetailTable(alias)->fields);
        EXPECT_EQ(table->hasMemo(), fs::exists(file(alias, ".FPT")));
    }
}

TEST_F(SampleRetailDbTest, IdentifierRowsAndControlRecord) {
    auto ids = open("S_TABLID");
    EXPECT_GE(ids->recCount(), 70u);
    EXPECT_EQ(ids->fieldPos("DBF_VLD"), 0);
    for (ids->goTop(); !ids->eof(); ids->skip()) EXPECT_EQ(ids->fieldGet("LAST_ID"), Value(0));
    ids->goTo(15);
    EXPECT_EQ(ids->fieldGet("TABEL").text().substr(0, 7), "S_STOCK");

    auto control = open("S_KONTRO");
    ASSERT_EQ(control->recCount(), 1u);
    control->goTop();
    EXPECT_EQ(control->fieldGet("TUTUP_HARI").date(), (Date{2023, 12, 31}));
    EXPECT_EQ(control->fieldGet("AKT_MULAI").date(), (Date{2024, 1, 1}));
}

TEST_F(SampleRetailDbTest, TablesAnImportReplacesHoldNumberedRecords) {
    for (const std::string& alias : kReplacedTables) {
        SCOPED_TRACE(alias);
        auto table = open(alias);
        EXPECT_GE(table->recCount(), 3u);
        EXPECT_LE(table->recCount(), 5u);
        if (table->fieldPos("ID") == 0) continue;
        for (table->goTop(); !table->eof(); table->skip())
            EXPECT_EQ(table->fieldGet("ID"), Value(table->recNo()));
    }
}

TEST_F(SampleRetailDbTest, IndexFilesHoldTheSchemaTagsInAgreementWithTheRecords) {
    for (const char* alias : {"S_TABLID", "S_KONTRO", "S_SATUAN", "S_VENDOR", "S_PELANG", "S_DAERAH", "S_GRPSTK",
                              "S_STKHJL", "S_PEMBED", "S_SALES"})
        EXPECT_FALSE(sampledata::sampleRetailTable(alias)->tags.empty()) << alias;

    for (const sampledata::SampleRetailTable& layout : sampledata::sampleRetailSchema()) {
        SCOPED_TRACE(layout.alias);
        ASSERT_EQ(fs::exists(file(layout.alias, ".CDX")), !layout.tags.empty());
        auto table = open(layout.alias);
        ASSERT_EQ(table->orderCount(), static_cast<int>(layout.tags.size()));
        for (const sampledata::SampleIndexTag& tag : layout.tags) {
            xbase::IndexOrder* order = table->order(tag.name);
            ASSERT_NE(order, nullptr) << tag.name;
            EXPECT_EQ(table->indexes()->check(*order), xbase::IndexProblems{}) << tag.name;
            ASSERT_TRUE(table->setOrder(tag.name));
            EXPECT_EQ(table->keyCount(), table->recCount()) << tag.name;
        }
    }
}

std::string shown(const Value& v) {
    switch (v.type()) {
        case xbase::ValueType::Character: return '"' + v.text() + '"';
        case xbase::ValueType::Numeric: return std::to_string(v.number());
        case xbase::ValueType::Date: return xbase::DToS(v.date());
        case xbase::ValueType::Logical: return v.logical() ? ".T." : ".F.";
        default: return "NIL";
    }
}

// Values of the kinds the import writes, at the widest the templates and sources allow.
TEST_F(SampleRetailDbTest, FieldsTheImportWritesTakeItsValues) {
    struct Case {
        const char* table;
        const char* field;
        Value value;
    };
    const std::string code20 = "ABCDEFGHIJ0123456789";
    const std::vector<Case> cases = {
        {"S_STOCK", "ID", Value(250)},
        {"S_STOCK", "INPUT_OLEH", Value(-1)},
        {"S_STOCK", "TGL_INPUT", Value(Date{2024, 5, 24})},
        {"S_STOCK", "JAM_INPUT", Value("13:45:10")},
        {"S_STOCK", "DBF_VLD", Value("MTST")},
        {"S_STOCK", "KODE_C", Value(code20)},
        {"S_STOCK", "KODE_C_5", Value(code20)},
        {"S_STOCK", "NAMA", Value(std::string(100, 'N'))},
        {"S_STOCK", "NAMAEX1", Value(std::string(30, 'X'))},
        {"S_STOCK", "NAMA_2", Value(std::string(100, 'M'))},
        {"S_STOCK", "JENIS", Value(2)},
        {"S_STOCK", "QUAN_PICT", Value("999,999.999")},
        {"S_STOCK", "HIDE", Value(false)},
        {"S_STOCK", "EXPIRED", Value(false)},
        {"S_STOCK", "TIPE_SATU", Value(12)},
        {"S_STOCK", "SAT_K_05", Value(144.5)},
        {"S_STOCK", "HARGA_J_05", Value(999999999.99)},
        {"S_STOCK", "DISC3_J_05", Value(100.0)},
        {"S_STOCK", "MIN_STOCK", Value(999999999.999)},
        {"S_STOCK", "SISA_ST330", Value(-99999999.9999)},
        {"S_STOCK", "SISA_NIL30", Value(999999999990.0)},
        {"S_STOCK", "GUDANG_06", Value(true)},
        {"S_STOCK", "ITM_STKKLR", Value(true)},
        {"S_PELANG", "DBF_VLD", Value("MTST")},
        {"S_PELANG", "KODE", Value(code20)},
        {"S_PELANG", "NAMA", Value(std::string(50, 'P'))},
        {"S_PELANG", "NPWP_ALAMA", Value(std::string(150, 'A'))},
        {"S_PELANG", "HUB_TELP_3", Value(std::string(20, '9'))},
        {"S_PELANG", "PJ_INVOICE", Value(true)},
        {"S_PELANG", "GRPHJL_ID", Value(3)},
        {"S_PELANG", "TGL_LAHIR", Value(Date{1980, 2, 29})},
        {"S_PELANG", "MAX_CRD", Value(999999999.99)},
        {"S_PELANG", "SPS_DISC2", Value(12.5)},
        {"S_PELANG", "USER_LVL", Value(std::string(30, '1'))},
        {"S_PELANG", "SIMPAN", Value(std::string(21, 'S'))},
        {"S_PELANG", "CATATAN", Value(std::string(500, 'C'))},
        {"S_VENDOR", "DBF_VLD", Value("MTST")},
        {"S_VENDOR", "REKENING_1", Value(std::string(30, 'R'))},
        {"S_KONTRO", "TUTUP_HARI", Value(Date{2024, 1, 31})},
        {"S_KONTRO", "AKT_MULAI", Value(Date{2024, 2, 1})},
        {"S_KONTRO", "TUTUP_HIT1", Value(std::string(10, 'T'))},
        {"S_KONTRO", "STK_K_LEN", Value(20)},
        {"S_KONTRO", "STK_K_LEN2", Value(13)},
        {"S_KONTRO", "STK_N_EX1", Value(false)},
        {"S_PEMBEL", "ID", Value(-1)},
        {"S_PEMBEL", "NO", Value("STOCK AWAL")},
        {"S_PEMBEL", "VENDOR", Value(-1)},
        {"S_PEMBEL", "TANGGAL2", Value(Date{2024, 1, 31})},
        {"S_PEMBEL", "KURS", Value(15250.1234)},
        {"S_PEMBEL", "NO_MLK_CSH", Value(true)},
        {"S_PEMBEL", "SALDO_AWAL", Value(false)},
        {"S_PEMBEL", "TOT_RETUR", Value(150000.0)},
        {"S_PEMBEL", "CATATAN_3", Value(std::string(100, 'C'))},
        {"S_PEMBED", "PEMBEL_ID", Value(-1)},
        {"S_PEMBED", "EXPIRED", Value(Date{})},
        {"S_PENJUA", "NO", Value(80000000 + 99999999)},
        {"S_PENJUA", "PUKUL", Value(1439)},
        {"S_PENJUA", "LUNAS", Value(12500.5)},
    };
    std::map<std::string, std::unique_ptr<Table>> tables;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.table) + "." + c.field);
        auto& table = tables[c.table];
        if (!table) {
            table = open(c.table);
            table->append();
        }
        ASSERT_NO_THROW(table->fieldPut(c.field, c.value));
        Value back = table->fieldGet(c.field);
        if (back.isCharacter()) back = Value(back.text().substr(0, back.text().find_last_not_of(' ') + 1));
        EXPECT_TRUE(back == c.value) << "read back " << shown(back);
    }
}

TEST_F(SampleRetailDbTest, EveryRunWritesTheSameFiles) {
    test::TempDir again;
    sampledata::makeSampleRetailDatabase(again.path());
    sampledata::makeSampleRetailDatabase(again.path());  // over its own files
    auto read = [](const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        if (path.extension() == ".Q7T" && bytes.size() > 4) bytes.replace(1, 3, 3, '\0');  // date of last update
        return bytes;
    };
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(dir.path() / "ST_DB")) {
        SCOPED_TRACE(entry.path().filename().string());
        const fs::path twin = again.path() / "ST_DB" / entry.path().filename();
        ASSERT_TRUE(fs::exists(twin));
        EXPECT_TRUE(read(entry.path()) == read(twin));
        ++files;
    }
    EXPECT_EQ(files, static_cast<size_t>(std::distance(fs::directory_iterator(again.path() / "ST_DB"),
                                                       fs::directory_iterator())));
}

}  // namespace
}  // namespace tarvo::retaildb
