// A direct import refused before the retail database is prepared leaves every retail file as it
// was and says why, naming the file (and the column): a missing source file, a damaged table, a
// column missing or of the wrong type.

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>

#include "importers/application_sources.h"
#include "sampledata/sources.h"
#include "retaildb/retail_database.h"
#include "tests/importers/importer_fixture.h"

namespace tarvo::importers {
namespace {

namespace fs = std::filesystem;

struct RefusalCase {
    const char* name;
    sampledata::SampleSourceKind kind;
    int application;
    // Spoils the source folder.
    std::function<void(const fs::path& source)> spoil;
    // The error box; "@S" stands for the source folder with its separator.
    std::string message;
    bool messageIsPrefix = false;
};

void PrintTo(const RefusalCase& c, std::ostream* out) { *out << c.name; }

void remove(const fs::path& source, const char* file) { fs::remove(source / file); }

// The table again with one column changed to another type.
void retype(const fs::path& path, const std::string& column, xbase::FieldInfo replacement) {
    auto table = xbase::Table::open(path, {true, true, xbase::Driver::DBFNTX});
    std::vector<xbase::FieldInfo> fields = table->structure();
    for (auto& field : fields)
        if (field.name == column) field = replacement;
    table.reset();
    test::writeTable(path, fields, {{}});
}

void damage(const fs::path& path) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << "not a table";
}

class ImporterRefusalTest : public test::ImporterTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(ImporterRefusalTest, LeavesEveryRetailFileAsItWasWithItsMessage) {
    const RefusalCase& c = GetParam();
    sampledata::makeSampleSource(c.kind, source, {.items = 30});
    c.spoil(source);
    const auto before = test::fileContents(database);

    const auto outcome = runImport(c.application, test::optionsFor(importing::StockMode::CloseDay));

    EXPECT_EQ(outcome.status, importing::ImportStatus::Refused);
    EXPECT_EQ(outcome.refusal, importing::Refusal::Source);
    EXPECT_TRUE(test::fileContents(database) == before) << "a retail file changed";
    EXPECT_TRUE(outcome.written.empty());
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].kind, "error");
    std::string expected = c.message;
    const std::string folder = source.string() + "/";
    if (size_t at = expected.find("@S"); at != std::string::npos) expected.replace(at, 2, folder);
    if (c.messageIsPrefix) EXPECT_EQ(ui.messages[1].text.substr(0, expected.size()), expected);
    else EXPECT_EQ(ui.messages[1].text, expected);
}

const sampledata::SampleSourceKind kMsbrg = sampledata::SampleSourceKind::Msbrg;
const sampledata::SampleSourceKind kIs = sampledata::SampleSourceKind::Is;
const sampledata::SampleSourceKind kIasKind = sampledata::SampleSourceKind::Ias;

INSTANTIATE_TEST_SUITE_P(
    Cases, ImporterRefusalTest,
    ::testing::Values(
        RefusalCase{"msbrg_without_MSBRG", kMsbrg, kLindraMakmur, [](auto& s) { remove(s, "MSBRG.DBF"); },
                    "File MSBRG.DBF tidak ditemukan di Lokasi: @S"},
        RefusalCase{"msbrg_without_MSCUS", kMsbrg, kLindraMakmur, [](auto& s) { remove(s, "MSCUS.DBF"); },
                    "File MSCUS.DBF tidak ditemukan di Lokasi: @S"},
        RefusalCase{"msbrg_without_MSSUP", kMsbrg, kLindraMakmur, [](auto& s) { remove(s, "MSSUP.DBF"); },
                    "File MSSUP.DBF tidak ditemukan di Lokasi: @S"},
        RefusalCase{"msbrg_without_SALES", kMsbrg, kLindraMakmur, [](auto& s) { remove(s, "SALES.DBF"); },
                    "File SALES.DBF tidak ditemukan di Lokasi: @S"},
        RefusalCase{"msbrg_damaged_MSCUS", kMsbrg, kLindraMakmur, [](auto& s) { damage(s / "MSCUS.DBF"); },
                    "[VOOpen] Cannot open file : @SMSCUS.DBF !", true},
        RefusalCase{"msbrg_numeric_KDBRG", kMsbrg, kLindraMakmur,
                    [](auto& s) { retype(s / "MSBRG.DBF", "KDBRG", {"KDBRG", 'N', 10, 0}); },
                    "Kolom KDBRG di file @SMSBRG.DBF harus bertipe karakter !"},
        RefusalCase{"msbrg_SALES_without_NMSAL", kMsbrg, kLindraMakmur,
                    [](auto& s) { test::writeTable(s / "SALES.DBF", {{"NAMA", 'C', 30, 0}}); },
                    "Kolom NMSAL tidak ada di file @SSALES.DBF !"},
        RefusalCase{"is_without_GOL", kIs, kIntegratedSystem, [](auto& s) { remove(s, "GOL.DTA"); },
                    "File GOL.DTA tidak ditemukan di Lokasi: @S"},
        RefusalCase{"is_without_STOCK", kIs, kIntegratedSystem, [](auto& s) { remove(s, "STOCK.DTA"); },
                    "File STOCK.DTA tidak ditemukan di Lokasi: @S"},
        RefusalCase{"is_without_SUPP", kIs, kIntegratedSystem, [](auto& s) { remove(s, "SUPP.DTA"); },
                    "Missing file : @SSUPP.DTA !"},
        RefusalCase{"is_damaged_CUST", kIs, kIntegratedSystem, [](auto& s) { damage(s / "CUST.DTA"); },
                    "[VOOpen] Cannot open file : @SCUST.DTA !", true},
        RefusalCase{"is_movements_without_MASUK3", kIs, kIntegratedSystem,
                    [](auto& s) { retype(s / "STOCK.DTA", "MASUK3", {"MASUK9", 'N', 10, 2}); },
                    "Kolom MASUK3 tidak ada di file @SSTOCK.DTA !"},
        RefusalCase{"ias_without_GOL", kIasKind, kIas, [](auto& s) { remove(s, "GOL.DBF"); },
                    "File GOL.DBF tidak ditemukan di Lokasi: @S"},
        RefusalCase{"ias_without_STOCK", kIasKind, kIas, [](auto& s) { remove(s, "STOCK.DBF"); },
                    "File STOCK.DBF tidak ditemukan di Lokasi: @S"},
        RefusalCase{"ias_without_WIL", kIasKind, kIas, [](auto& s) { remove(s, "WIL.DBF"); },
                    "Missing file : @SWIL.DBF !"},
        RefusalCase{"ias_without_SUP", kIasKind, kIas, [](auto& s) { remove(s, "SUP.DBF"); },
                    "Missing file : @SSUP.DBF !"},
        RefusalCase{"ias_text_HJUAL", kIasKind, kIas,
                    [](auto& s) { retype(s / "STOCK.DBF", "HJUAL", {"HJUAL", 'C', 12, 0}); },
                    "Kolom HJUAL di file @SSTOCK.DBF harus bertipe angka !"}),
    [](const auto& info) { return std::string(info.param.name); });

class HeldSourceTest : public test::ImporterTest {
protected:
    void SetUp() override {
        ImporterTest::SetUp();
        retaildb::setOpenRetryLimit(std::chrono::milliseconds(200));
    }
    void TearDown() override {
        retaildb::setOpenRetryLimit(std::chrono::milliseconds(3000));
        ImporterTest::TearDown();
    }
};

TEST_F(HeldSourceTest, ATableAnotherProgramHoldsIsRefusedAndNamed) {
    sampledata::makeSampleSource(sampledata::SampleSourceKind::Msbrg, source, {.items = 10});
    const auto held = xbase::Table::open(source / "MSSUP.DBF", {true, false, xbase::Driver::DBFCDX});
    const auto before = test::fileContents(database);

    const auto outcome = runImport(kLindraMakmur, test::optionsFor(importing::StockMode::CloseDay));

    EXPECT_EQ(outcome.refusal, importing::Refusal::Source);
    EXPECT_TRUE(test::fileContents(database) == before) << "a retail file changed";
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "[VOOpen] File is in use by another program : " + source.string() + "/MSSUP.DBF !");
}

class DeclinedImportTest : public test::ImporterTest {};

TEST_F(DeclinedImportTest, ChangesNothing) {
    sampledata::makeSampleSource(sampledata::SampleSourceKind::Ias, source, {.items = 10});
    const auto before = test::fileContents(database);
    const auto outcome = runImport(kIas, test::optionsFor(importing::StockMode::CloseDay), false);
    EXPECT_EQ(outcome.status, importing::ImportStatus::Declined);
    EXPECT_TRUE(test::fileContents(database) == before);
}

}  // namespace
}  // namespace tarvo::importers
