// The master-data templates imported into the sample retail database, checked field by field.

#include "templates/master_data_import.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <utility>

#include "retaildb/retail_database.h"
#include "sampledata/retail_db.h"
#include "templates/group_template.h"
#include "tests/support/test_support.h"
#include "xbase/dates.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {
namespace {

namespace fs = std::filesystem;
using xbase::Date;
using xbase::FieldInfo;
using xbase::Value;

using Row = std::map<std::string, Value>;
using Fields = std::vector<std::pair<std::string, Value>>;

FieldInfo C(const char* name, int width) { return {name, 'C', width, 0}; }
FieldInfo N(const char* name, int width, int decimals = 0) { return {name, 'N', width, decimals}; }
FieldInfo D(const char* name) { return {name, 'D', 8, 0}; }

// A row the template holds but marks as deleted.
Row deletedRow(Row row) {
    row["_DELETED"] = Value(true);
    return row;
}

// The scrambling of the retail database undone: byte i decodes as b[i] ^ b[i-1] ^ (i-1).
std::string unscramble(std::string_view bytes) {
    std::string out;
    for (size_t i = 1; i < bytes.size(); ++i)
        out += static_cast<char>(bytes[i] ^ bytes[i - 1] ^ static_cast<char>((i - 1) & 0xFF));
    return out;
}

class MasterDataImportTest : public ::testing::Test {
protected:
    void SetUp() override {
        xbase::applyStartupSettings();
        sampledata::makeSampleRetailDatabase(dir.path());
        ASSERT_FALSE(retaildb::LOKASIDATA(nullptr, dir.path().string()).empty());
        fs::create_directory(folder);
        run.takeStamps();
    }
    void TearDown() override { xbase::workAreas().closeAll(); }

    // Writes NAME.DBF with the columns and rows into the template folder and opens it.
    void addTemplate(const std::string& name, const std::vector<FieldInfo>& columns, const std::vector<Row>& rows) {
        const fs::path path = folder / (name + ".DBF");
        xbase::Table::create(path, columns, xbase::Driver::DBFNTX);
        {
            auto table = xbase::Table::open(path, {true, false, xbase::Driver::DBFNTX});
            for (const Row& row : rows) {
                table->append();
                for (const auto& [column, value] : row) {
                    if (column == "_DELETED")
                        table->deleteRecord();
                    else
                        table->fieldPut(column, value);
                }
            }
        }
        ASSERT_TRUE(retaildb::VOOPEN(name + ".DBF", name, folder.string() + "/", false, false, "DBFNTX"));
    }

    // The retail table as written (closed tables are read from their file).
    std::unique_ptr<xbase::Table> retailTable(const std::string& alias) {
        xbase::workAreas().close(alias);
        return xbase::Table::open(dir.path() / "ST_DB" / (alias + ".Q7T"), {false, true, xbase::Driver::DBFNTX});
    }

    uint32_t recordCount(const std::string& alias) { return retailTable(alias)->recCount(); }

    // Character fields are compared without the blanks that pad them on the right.
    static Value stored(const xbase::Table& table, const std::string& field) {
        Value value = table.fieldGet(field);
        if (!value.isCharacter()) return value;
        std::string text = value.text();
        text.erase(text.find_last_not_of(' ') + 1);
        return Value(text);
    }

    static std::string show(const Value& value) {
        switch (value.type()) {
            case xbase::ValueType::Character: return '"' + value.text() + '"';
            case xbase::ValueType::Numeric: return std::to_string(value.number());
            case xbase::ValueType::Date: return "date " + xbase::DToS(value.date());
            case xbase::ValueType::Logical: return value.logical() ? ".T." : ".F.";
            default: return "NIL";
        }
    }

    void expectRecord(const std::string& alias, uint32_t recno, const Fields& fields) {
        auto table = retailTable(alias);
        ASSERT_GE(table->recCount(), recno) << alias;
        table->goTo(recno);
        for (const auto& [field, value] : fields) {
            const Value actual = stored(*table, field);
            EXPECT_TRUE(actual == value) << alias << " record " << recno << " field " << field << ": " << show(actual)
                                         << " instead of " << show(value);
        }
    }

    double lastIdentifier(uint32_t row) {
        xbase::Table* ids = xbase::workAreas().find("S_TABLID");
        ids->goTo(row);
        return ids->fieldGet("LAST_ID").number();
    }

    void setLastIdentifier(uint32_t row, double id) {
        xbase::Table* ids = xbase::workAreas().find("S_TABLID");
        ids->goTo(row);
        ids->fieldPut("LAST_ID", Value(id));
    }

    Fields stamps() const {
        return {{"INPUT_OLEH", Value(-1)}, {"TGL_INPUT", Value(run.stampDate())}, {"JAM_INPUT", Value(run.stampTime())},
                {"DBF_VLD", Value("MTST")}};
    }

    test::RecordingInteraction ui;
    test::ScopedInteraction scoped{ui};
    test::TempDir dir;
    fs::path folder = dir.path() / "templates";
    importing::ImportOptions options = importing::defaultImportOptions();
    TemplateRun run{options, folder.string() + "/", nullptr};
};

// ---- group-like templates -------------------------------------------------------------------

struct GroupCase {
    const char* alias;
    const char* target;
    const char* nameField;
    uint32_t identifierRow;
    std::vector<const char*> alsoPresent;   // templates it depends on
    void (*import)(TemplateRun&);
    importing::CodeList TemplateRun::*codes;
};

class GroupTemplateTest : public MasterDataImportTest, public ::testing::WithParamInterface<GroupCase> {};

TEST_P(GroupTemplateTest, NewCodesBecomeRecordsNumberedFromOneWithTheNameTrimmedAndUpperCase) {
    const GroupCase& c = GetParam();
    for (const char* other : c.alsoPresent) addTemplate(other, {C("KODE", 30), C("NAMA", 30)}, {});
    addTemplate(c.alias, {C("KODE", 40), C("NAMA", 40)},
                {{{"KODE", Value(" a1")}, {"NAMA", Value(" Grosir Besar ")}},
                 {{"KODE", Value("A1")}, {"NAMA", Value("same code")}},
                 {{"KODE", Value("  a1\n")}, {"NAMA", Value("same code with a line feed")}},
                 {{"KODE", Value("B")}, {"NAMA", Value("  ")}},
                 {{"KODE", Value("\n")}, {"NAMA", Value("blank code")}},
                 deletedRow({{"KODE", Value("D")}, {"NAMA", Value("deleted")}}),
                 {{"KODE", Value("A")}, {"NAMA", Value("eceran")}}});

    c.import(run);

    EXPECT_EQ(recordCount(c.target), 2u);
    expectRecord(c.target, 1, {{"ID", Value(1)}, {c.nameField, Value("GROSIR BESAR")}});
    expectRecord(c.target, 2, {{"ID", Value(2)}, {c.nameField, Value("ECERAN")}});
    expectRecord(c.target, 2, stamps());
    EXPECT_EQ(lastIdentifier(c.identifierRow), 2);
    EXPECT_EQ((run.*c.codes).size(), 2u);
    EXPECT_EQ((run.*c.codes).find("A1"), 1u);
    EXPECT_EQ((run.*c.codes).find("A"), 2u);
    EXPECT_EQ(run.skipped[c.alias], 4u);
}

void importItemGroups1(TemplateRun& run) { importGroupTemplate(run, kItemGroups1, run.itemGroups1); }

INSTANTIATE_TEST_SUITE_P(
    Templates, GroupTemplateTest,
    ::testing::Values(GroupCase{"GRPHJL", "S_GRPHJL", "NAMA", 70, {}, importPriceGroups, &TemplateRun::priceGroups},
                      GroupCase{"DAERAH", "S_DAERAH", "DAERAH", 2, {}, importRegions, &TemplateRun::regions},
                      GroupCase{"DAERA2", "S_DAERA2", "DAERAH", 63, {"DAERAH"}, importRegions,
                                &TemplateRun::secondRegions},
                      GroupCase{"GRPPEL", "S_GRPPEL", "NAMA", 13, {"PELANG"}, importCustomerGroups,
                                &TemplateRun::customerGroups},
                      GroupCase{"GRPPE2", "S_GRPPE2", "NAMA", 64, {"PELANG"}, importCustomerGroups,
                                &TemplateRun::secondCustomerGroups},
                      GroupCase{"GRPSTK", "S_GRPSTK", "NAMA", 9, {}, importItemGroups1, &TemplateRun::itemGroups1}),
    [](const auto& info) { return std::string(info.param.alias); });

// ---- salesmen ---------------------------------------------------------------------------------

TEST_F(MasterDataImportTest, SalesmenWithCodeAndNameAreNumberedWithoutGaps) {
    addTemplate("SALES", {C("KODE", 30), C("NAMA", 30), C("ALAMAT", 100), C("TELEPON", 20), C("CATATAN", 30)},
                {{{"KODE", Value(" s1 ")}, {"NAMA", Value(" Budi ")}, {"ALAMAT", Value("  Jl. Anggrek 3")},
                  {"TELEPON", Value(" 0812 ")}, {"CATATAN", Value(" pagi ")}},
                 {{"KODE", Value("S2")}, {"NAMA", Value("")}},
                 {{"KODE", Value("S1")}, {"NAMA", Value("same code")}},
                 deletedRow({{"KODE", Value("S4")}, {"NAMA", Value("deleted")}}),
                 {{"KODE", Value("s3\r\n")}, {"NAMA", Value("Ani")}},
                 {{"KODE", Value("")}, {"NAMA", Value("no code")}}});

    importSales(run);

    EXPECT_EQ(recordCount("S_KARYAW"), 2u);
    expectRecord("S_KARYAW", 1,
                 {{"ID", Value(1)}, {"NAMA", Value("Budi")}, {"ALAMAT", Value("  Jl. Anggrek 3")},
                  {"TELEPON", Value("0812")}, {"CATATAN", Value("pagi")}, {"SALES", Value(true)},
                  {"COLLECTOR", Value(true)}});
    expectRecord("S_KARYAW", 2, {{"ID", Value(2)}, {"NAMA", Value("Ani")}, {"ALAMAT", Value("")}});
    expectRecord("S_KARYAW", 1, stamps());
    EXPECT_EQ(lastIdentifier(16), 2);
    EXPECT_EQ(run.salesmen.find("S3"), 2u);
    EXPECT_EQ(ui.progressTexts.back(), "Sales Proses no. 5 / 6");
}

// ---- vendors ----------------------------------------------------------------------------------

const std::vector<FieldInfo> kVendorColumns = {
    N("DIVISI", 3),       C("KODE", 50),       C("NAMA", 50),       C("NPWP", 30),       C("ALAMAT", 150),
    C("KODE_DAE", 30),    C("TELEPON", 20),    C("TELEPON_2", 20),  C("TELEPON_3", 20),  C("FAX", 20),
    C("HUBUNGI", 30),     C("HUB_TELP_1", 20), C("HUBUNGI_2", 30),  C("HUB_TELP_2", 20), C("HUBUNGI_3", 30),
    C("HUB_TELP_3", 20),  C("EMAIL", 30),      C("WEBSITE", 30),    N("TERM_CRD", 3),    N("MU_CREDIT", 1),
    N("MAX_CRD", 12, 2),  C("CATATAN", 250)};

TEST_F(MasterDataImportTest, VendorsAreDuplicatesByCodeAndResolveTheirRegion) {
    addTemplate("DAERAH", {C("KODE", 30), C("NAMA", 30)},
                {{{"KODE", Value("R1")}, {"NAMA", Value("Jakarta")}}, {{"KODE", Value("R2")}, {"NAMA", Value("Bogor")}}});
    addTemplate("VENDOR", kVendorColumns,
                {{{"DIVISI", Value(2)},          {"KODE", Value(" v-01 ")},         {"NAMA", Value(" PT Maju ")},
                  {"NPWP", Value(" 01.234 ")},   {"ALAMAT", Value("  Jl. Raya 1 ")}, {"KODE_DAE", Value(" r2")},
                  {"TELEPON", Value(" 021 ")},   {"TELEPON_2", Value(" 022")},      {"TELEPON_3", Value("023")},
                  {"FAX", Value(" 024 ")},       {"HUBUNGI", Value(" Ani ")},       {"HUB_TELP_1", Value(" 0811 ")},
                  {"HUBUNGI_2", Value("")},      {"HUB_TELP_2", Value("0812")},     {"HUBUNGI_3", Value("Budi")},
                  {"HUB_TELP_3", Value("0813")}, {"EMAIL", Value(" a@maju.id ")},   {"WEBSITE", Value(" maju.id ")},
                  {"TERM_CRD", Value(30)},       {"MU_CREDIT", Value(0)},           {"MAX_CRD", Value(1500000.5)},
                  {"CATATAN", Value(" langganan lama ")}},
                 {{"KODE", Value("V-0")}, {"NAMA", Value("PT Maju")}, {"KODE_DAE", Value("R9")},
                  {"TELEPON", Value(" ")}, {"TELEPON_2", Value("022")}, {"TELEPON_3", Value("023")},
                  {"MU_CREDIT", Value(2)}},
                 {{"KODE", Value("v-01\n")}, {"NAMA", Value("same code")}},
                 {{"KODE", Value(" ")}, {"NAMA", Value("no code")}},
                 {{"KODE", Value("V-2")}, {"NAMA", Value("")}}});

    importRegions(run);
    importVendors(run);

    EXPECT_EQ(recordCount("S_VENDOR"), 2u);
    expectRecord("S_VENDOR", 1,
                 {{"ID", Value(1)},           {"DIVISI_ID", Value(2)},          {"PB_PURREQ", Value(true)},
                  {"PB_PURCOR", Value(true)}, {"PB_TRMSTK", Value(true)},       {"PB_CASH", Value(true)},
                  {"PB_CREDIT", Value(true)}, {"PB_CABANG", Value(true)},       {"PB_RETCASH", Value(true)},
                  {"PB_RETCRD", Value(true)}, {"PB_DN", Value(true)},           {"PB_CN", Value(true)},
                  {"PB_DEPOSIT", Value(true)}, {"NEGARA", Value(1)},            {"DAERAH", Value(2)},
                  {"NAMA", Value("PT Maju")}, {"NPWP", Value("01.234")},        {"ALAMAT", Value("Jl. Raya 1")},
                  {"TELEPON", Value("021")},  {"TELEPON_2", Value("022")},      {"TELEPON_3", Value("023")},
                  {"FAX", Value("024")},      {"HUBUNGI", Value("Ani")},        {"HUB_TELP_1", Value("0811")},
                  {"HUBUNGI_2", Value("")},   {"HUB_TELP_2", Value("")},        {"HUBUNGI_3", Value("Budi")},
                  {"HUB_TELP_3", Value("0813")}, {"EMAIL", Value("a@maju.id")}, {"WEBSITE", Value("maju.id")},
                  {"TERM_CRD", Value(30)},    {"MAX_CRD", Value(1500000.5)},    {"MU_CREDIT", Value(1)},
                  {"MU_BELI", Value(0)},      {"PPN_TIPE", Value(0)},           {"USER_LVL", Value(std::string(30, '1'))},
                  {"CATATAN", Value("langganan lama")}});
    expectRecord("S_VENDOR", 1, stamps());
    expectRecord("S_VENDOR", 2,
                 {{"ID", Value(2)}, {"NAMA", Value("PT Maju")}, {"DAERAH", Value(0)}, {"TELEPON", Value("")},
                  {"TELEPON_2", Value("")}, {"TELEPON_3", Value("")}, {"MU_CREDIT", Value(2)}});
    EXPECT_EQ(lastIdentifier(17), 2);
    EXPECT_EQ(run.vendorCodes.find("V-0"), 2u);
    EXPECT_EQ(run.vendorNames.size(), 2u);
}

TEST_F(MasterDataImportTest, VendorsWithoutCodeColumnAreDuplicatesByName) {
    addTemplate("VENDOR", {C("NAMA", 50)},
                {{{"NAMA", Value("Toko A")}}, {{"NAMA", Value(" toko a ")}}, {{"NAMA", Value("Toko B")}}});

    importVendors(run);

    EXPECT_EQ(recordCount("S_VENDOR"), 2u);
    expectRecord("S_VENDOR", 2, {{"ID", Value(2)}, {"NAMA", Value("Toko B")}, {"MU_CREDIT", Value(1)}});
    EXPECT_EQ(run.vendorCodes.size(), 0u);
    EXPECT_EQ(run.vendorNames.find("TOKO B"), 2u);
}

// ---- customers --------------------------------------------------------------------------------

const std::vector<FieldInfo> kCustomerColumns = {
    N("DIVISI", 3),       C("KODE", 20),       C("KODE_GRP", 30),   C("KODE_DAE", 30),   C("KODE_DA2", 30),
    C("KODE_SALES", 30),  C("NAMA", 50),       C("NPWP", 30),       C("ALAMAT", 150),    C("NPWP_NAMA", 50),
    C("NPWP_ALAMA", 150), C("TELEPON", 20),    C("TELEPON_2", 20),  C("TELEPON_3", 20),  C("FAX", 20),
    C("HUBUNGI", 30),     C("HUB_TELP_1", 20), C("HUBUNGI_2", 30),  C("HUB_TELP_2", 20), C("HUBUNGI_3", 30),
    C("HUB_TELP_3", 20),  C("EMAIL", 30),      C("WEBSITE", 30),    C("TMP_LAHIR", 30),  D("TGL_LAHIR"),
    C("PEND_AKHIR", 20),  N("TERM_CRD", 3),    N("MU_CREDIT", 1),   N("MAX_CRD", 12, 2), N("MAX_CRD2", 3),
    N("MAX_CRD_PR", 1),   N("MAX2_CRD", 12, 2), N("MAX2_CRD2", 3),  N("MAX2_CRD_P", 1),  N("MAX3_CRD", 3),
    N("MAX3_CRD_P", 1),   N("SPS_DISC", 6, 2), N("SPS_DISC2", 6, 2), N("POINT_AWAL", 6), C("CATATAN", 250),
    C("KODE_GR2", 30),    C("KODE_HJL", 40),   N("TIPE", 2),        C("NO_KTP", 30),     C("KRM_NAMA", 50),
    C("KRM_ALAMAT", 150)};

const std::vector<FieldInfo> kCustomerExtraColumns = {C("KODE_PEL", 20), C("INFO_1", 30), C("INFO_2", 30),
                                                      C("INFO_8", 30)};

TEST_F(MasterDataImportTest, CustomersResolveEveryReferenceAndKeepSameCodes) {
    const std::vector<FieldInfo> group = {C("KODE", 30), C("NAMA", 30)};
    addTemplate("SALES", group, {{{"KODE", Value("S1")}, {"NAMA", Value("Budi")}}, {{"KODE", Value("S2")}, {"NAMA", Value("Ani")}}});
    addTemplate("GRPHJL", group, {{{"KODE", Value("P1")}, {"NAMA", Value("Grosir")}}});
    addTemplate("DAERAH", group, {{{"KODE", Value("R1")}, {"NAMA", Value("Solo")}}});
    addTemplate("DAERA2", group, {{{"KODE", Value("X")}, {"NAMA", Value("x")}}, {{"KODE", Value("Q1")}, {"NAMA", Value("Jawa")}}});
    addTemplate("GRPPEL", group, {{{"KODE", Value("G1")}, {"NAMA", Value("Umum")}}, {{"KODE", Value("G2")}, {"NAMA", Value("VIP")}}});
    addTemplate("GRPPE2", group, {{{"KODE", Value("H1")}, {"NAMA", Value("Kota")}}});
    addTemplate("PELANG", kCustomerColumns,
                {{{"DIVISI", Value(3)},            {"KODE", Value(" c-1 ")},          {"KODE_GRP", Value("g2")},
                  {"KODE_DAE", Value(" r1 ")},     {"KODE_DA2", Value("q1")},         {"KODE_SALES", Value("s2\n")},
                  {"NAMA", Value(" Ibu Sari ")},   {"NPWP", Value(" 01.2 ")},         {"ALAMAT", Value("  Jl. Mawar 1")},
                  {"NPWP_NAMA", Value(" ")},       {"NPWP_ALAMA", Value("  Jl. Pajak")}, {"TELEPON", Value("021")},
                  {"TELEPON_2", Value("022")},     {"TELEPON_3", Value(" 023 ")},     {"FAX", Value(" 024")},
                  {"HUBUNGI", Value("Ani")},       {"HUB_TELP_1", Value("0811")},     {"HUBUNGI_2", Value("Budi")},
                  {"HUB_TELP_2", Value("0812")},   {"HUBUNGI_3", Value("")},          {"HUB_TELP_3", Value("0813")},
                  {"EMAIL", Value(" s@x.id ")},    {"WEBSITE", Value(" x.id")},       {"TMP_LAHIR", Value(" Solo ")},
                  {"TGL_LAHIR", Value(Date{1980, 5, 17})}, {"PEND_AKHIR", Value(" SMA ")}, {"TERM_CRD", Value(14)},
                  {"MU_CREDIT", Value(3)},         {"MAX_CRD", Value(5000000.25)},    {"MAX_CRD2", Value(30)},
                  {"MAX_CRD_PR", Value(1)},        {"MAX2_CRD", Value(2000000)},      {"MAX2_CRD2", Value(60)},
                  {"MAX2_CRD_P", Value(2)},        {"MAX3_CRD", Value(90)},           {"MAX3_CRD_P", Value(1)},
                  {"SPS_DISC", Value(2.5)},        {"SPS_DISC2", Value(-1.25)},       {"CATATAN", Value(" baik ")},
                  {"KODE_GR2", Value("h1")},       {"KODE_HJL", Value("P1")},         {"TIPE", Value(2)},
                  {"NO_KTP", Value(" 3201")},      {"KRM_NAMA", Value(" Gudang ")},   {"KRM_ALAMAT", Value(" Jl. Kirim")}},
                 {{"KODE", Value("C-1")}, {"NAMA", Value("Pak Budi")}, {"KODE_SALES", Value("S9")},
                  {"TELEPON", Value("")}, {"TELEPON_2", Value("022")}, {"TIPE", Value(0)}},
                 {{"KODE", Value("C-3")}, {"NAMA", Value(" ")}},
                 deletedRow({{"KODE", Value("C-4")}, {"NAMA", Value("deleted")}})});
    addTemplate("PELEXT", kCustomerExtraColumns,
                {{{"KODE_PEL", Value("c-1")}, {"INFO_1", Value(" satu ")}, {"INFO_2", Value("dua")}, {"INFO_8", Value("8")}},
                 {{"KODE_PEL", Value("C-9")}, {"INFO_1", Value("unknown customer")}},
                 {{"KODE_PEL", Value("C-1")}, {"INFO_1", Value(" ")}},
                 {{"KODE_PEL", Value(" ")}, {"INFO_1", Value("no customer")}},
                 {{"KODE_PEL", Value(" c-1\n")}, {"INFO_1", Value("again")}}});

    importMasterData(run);

    EXPECT_EQ(recordCount("S_PELANG"), 2u);
    expectRecord("S_PELANG", 1,
                 {{"ID", Value(1)},                {"DIVISI_ID", Value(3)},          {"GROUP_PEL", Value(2)},
                  {"GROUP_PE2", Value(1)},         {"GRPHJL_ID", Value(1)},          {"TIPE", Value(1)},
                  {"KODE", Value("c-1")},          {"NPWP", Value("01.2")},          {"NAMA", Value("Ibu Sari")},
                  {"NPWP_NAMA", Value("")},        {"NPWP_ALAMA", Value("  Jl. Pajak")}, {"ALAMAT", Value("  Jl. Mawar 1")},
                  {"NO_KTP", Value(" 3201")},      {"KRM_ALAMAT", Value(" Jl. Kirim")}, {"KRM_NAMA", Value("Gudang")},
                  {"DAERAH", Value(1)},            {"DAERAH2", Value(2)},            {"NEGARA", Value(1)},
                  {"TELEPON", Value("021")},       {"TELEPON_2", Value("022")},      {"TELEPON_3", Value("023")},
                  {"FAX", Value("024")},           {"HUBUNGI", Value("Ani")},        {"HUB_TELP_1", Value("0811")},
                  {"HUBUNGI_2", Value("Budi")},    {"HUB_TELP_2", Value("0812")},    {"HUBUNGI_3", Value("")},
                  {"HUB_TELP_3", Value("")},       {"EMAIL", Value("s@x.id")},       {"WEBSITE", Value("x.id")},
                  {"TMP_LAHIR", Value("Solo")},    {"TGL_LAHIR", Value(Date{1980, 5, 17})}, {"PEND_AKHIR", Value("SMA")},
                  {"CATATAN", Value("baik")},      {"TERM_CRD", Value(14)},          {"MAX_CRD", Value(5000000.25)},
                  {"MAX_CRD2", Value(30)},         {"MAX_CRD_PR", Value(1)},         {"MAX2_CRD", Value(2000000)},
                  {"MAX2_CRD2", Value(60)},        {"MAX2_CRD_P", Value(2)},         {"MAX3_CRD", Value(90)},
                  {"MAX3_CRD_P", Value(1)},        {"SPS_DISC", Value(2.5)},         {"SPS_DISC2", Value(-1.25)},
                  {"MU_CREDIT", Value(3)},         {"SALES", Value(2)},              {"MU_JUAL", Value(0)},
                  {"PPN_TIPE", Value(0)},          {"USER_LVL", Value(std::string(30, '1'))},
                  {"PJ_QUOTAT", Value(true)},      {"PJ_SALREQ", Value(true)},       {"PJ_SALORD", Value(true)},
                  {"PJ_KLRSTK", Value(true)},      {"PJ_ECERAN", Value(true)},       {"PJ_CASH", Value(true)},
                  {"PJ_CREDIT", Value(true)},      {"PJ_CABANG", Value(true)},       {"PJ_RETCASH", Value(true)},
                  {"PJ_RETCRD", Value(true)},      {"PJ_DN", Value(true)},           {"PJ_CN", Value(true)},
                  {"PJ_DEPOSIT", Value(true)},     {"PJ_INVOICE", Value(true)}});
    expectRecord("S_PELANG", 1, stamps());
    expectRecord("S_PELANG", 2,
                 {{"ID", Value(2)}, {"KODE", Value("C-1")}, {"SALES", Value(0)}, {"TELEPON_2", Value("")},
                  {"TIPE", Value(0)}, {"MU_CREDIT", Value(1)}, {"NPWP_ALAMA", Value("")}, {"TGL_LAHIR", Value(Date{})}});
    EXPECT_EQ(lastIdentifier(18), 2);

    EXPECT_EQ(recordCount("S_PELEXT"), 2u);
    expectRecord("S_PELEXT", 1,
                 {{"ID", Value(1)}, {"PELANG_ID", Value(1)}, {"INFO_1", Value(" satu")}, {"INFO_2", Value("dua")},
                  {"INFO_3", Value("")}, {"INFO_8", Value("8")}});
    expectRecord("S_PELEXT", 1, stamps());
    expectRecord("S_PELEXT", 2, {{"ID", Value(2)}, {"PELANG_ID", Value(1)}, {"INFO_1", Value("again")}});
    EXPECT_EQ(lastIdentifier(19), 2);
}

TEST_F(MasterDataImportTest, CustomerTemplateWithoutOptionalColumnsTakesNameAndAddressAndNoExtras) {
    addTemplate("PELANG", {C("NAMA", 50), C("ALAMAT", 150)},
                {{{"NAMA", Value(" Toko Sari ")}, {"ALAMAT", Value("  Jl. Melati")}}});
    addTemplate("PELEXT", kCustomerExtraColumns, {{{"KODE_PEL", Value("")}, {"INFO_1", Value("x")}}});

    importMasterData(run);

    expectRecord("S_PELANG", 1,
                 {{"KODE", Value("")}, {"NPWP_NAMA", Value("Toko Sari")}, {"NPWP_ALAMA", Value("  Jl. Melati")},
                  {"ALAMAT", Value("  Jl. Melati")}, {"MU_CREDIT", Value(1)}, {"TIPE", Value(0)}});
    EXPECT_EQ(run.customerCodes.size(), 0u);
    EXPECT_EQ(recordCount("S_PELEXT"), 0u);
    EXPECT_EQ(lastIdentifier(19), 0);
}

struct PointsCase {
    Date pointsDate;
    double openingPoints;
    std::string expected;  // unscrambled SIMPAN, empty when not written
};

class CustomerPointsTest : public MasterDataImportTest, public ::testing::WithParamInterface<PointsCase> {};

TEST_P(CustomerPointsTest, OpeningPointsAreStoredScrambledOnlyWithAPointDate) {
    importing::ImportOptions withDate = options;
    withDate.pointsDate = GetParam().pointsDate;
    TemplateRun pointsRun(withDate, folder.string() + "/", nullptr);
    addTemplate("PELANG", {C("NAMA", 50), N("POINT_AWAL", 6)},
                {{{"NAMA", Value("Sari")}, {"POINT_AWAL", Value(GetParam().openingPoints)}}});

    importCustomers(pointsRun);

    auto table = retailTable("S_PELANG");
    table->goTo(1);
    const std::string_view bytes = table->fieldBytes(table->recordImage(), table->fieldPos("SIMPAN"));
    if (GetParam().expected.empty())
        EXPECT_EQ(bytes, std::string(21, ' '));
    else
        EXPECT_EQ(unscramble(bytes), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Points, CustomerPointsTest,
                         ::testing::Values(PointsCase{Date{2024, 1, 1}, 150, "00000001500000000150"},
                                           PointsCase{Date{2024, 1, 1}, 999999, "00009999990000999999"},
                                           PointsCase{Date{}, 150, ""}, PointsCase{Date{2024, 1, 1}, 0, ""}));

// ---- partial template sets --------------------------------------------------------------------

TEST_F(MasterDataImportTest, MissingTemplatesLeaveTheirTablesAndIdentifiersAloneAndReferencesZero) {
    const std::vector<FieldInfo> group = {C("KODE", 30), C("NAMA", 30)};
    addTemplate("DAERA2", group, {{{"KODE", Value("Q1")}, {"NAMA", Value("Jawa")}}});
    addTemplate("GRPPEL", group, {{{"KODE", Value("G1")}, {"NAMA", Value("Umum")}}});
    addTemplate("VENDOR", {C("KODE", 50), C("NAMA", 50), C("KODE_DAE", 30)},
                {{{"KODE", Value("V1")}, {"NAMA", Value("PT A")}, {"KODE_DAE", Value("R1")}}});
    for (uint32_t row : {2u, 13u, 16u, 18u, 63u, 70u}) setLastIdentifier(row, 99);

    importMasterData(run);

    // Without DAERAH and PELANG, DAERA2 and GRPPEL are not imported.
    for (const char* target : {"S_KARYAW", "S_GRPHJL", "S_DAERAH", "S_DAERA2", "S_GRPPEL", "S_PELANG"}) {
        EXPECT_NE(xbase::workAreas().find(target), nullptr) << target << " stays open";
        EXPECT_EQ(recordCount(target), 0u) << target;
    }
    for (uint32_t row : {2u, 13u, 16u, 18u, 63u, 70u}) EXPECT_EQ(lastIdentifier(row), 99) << row;
    EXPECT_EQ(xbase::workAreas().find("S_VENDOR"), nullptr);
    expectRecord("S_VENDOR", 1, {{"ID", Value(1)}, {"DAERAH", Value(0)}});
    EXPECT_EQ(lastIdentifier(17), 1);
    EXPECT_EQ(run.secondRegions.size(), 0u);
    EXPECT_EQ(run.customerGroups.size(), 0u);
}

TEST_F(MasterDataImportTest, CustomerWithoutReferencedTemplatesGetsZeroReferences) {
    addTemplate("PELANG", kCustomerColumns,
                {{{"NAMA", Value("Sari")}, {"KODE_GRP", Value("G1")}, {"KODE_DAE", Value("R1")},
                  {"KODE_DA2", Value("Q1")}, {"KODE_SALES", Value("S1")}, {"KODE_GR2", Value("H1")},
                  {"KODE_HJL", Value("P1")}}});

    importMasterData(run);

    expectRecord("S_PELANG", 1,
                 {{"GROUP_PEL", Value(0)}, {"GROUP_PE2", Value(0)}, {"GRPHJL_ID", Value(0)}, {"DAERAH", Value(0)},
                  {"DAERAH2", Value(0)}, {"SALES", Value(0)}});
}

}  // namespace
}  // namespace tarvo::templates
