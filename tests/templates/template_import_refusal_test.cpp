// An import refused or declined before the retail database is prepared leaves every file of the
// retail folder as it was, and says why.

#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "importing/import_options.h"
#include "templates/template_import.h"
#include "tests/templates/template_fixtures.h"
#include "tests/templates/template_import_fixture.h"
#include "xbase/table.h"

namespace tarvo::templates {
namespace {

using test::RecordedMessage;

struct RefusalCase {
    const char* name;
    // Spoils the shop or the templates, or changes the request, before the run.
    std::function<void(test::TemplateImportTest& fixture, importing::ImportRequest& request)> prepare;
    importing::ImportStatus status;
    // The messages after the question, as {kind, text}; "@T" stands for the template folder with
    // its separator, "@D" for the shop's folder.
    std::vector<std::pair<std::string, std::string>> messages;
    bool answerYes = true;  // to "Lanjutkan proses Import Data ?"
};

void PrintTo(const RefusalCase& refusal, std::ostream* out) { *out << refusal.name; }

class RefusedImportTest : public test::TemplateImportTest, public ::testing::WithParamInterface<RefusalCase> {};

std::string expand(std::string text, const std::string& templates, const std::string& shop) {
    for (auto [mark, by] : {std::pair{std::string("@T"), templates}, std::pair{std::string("@D"), shop}})
        for (size_t at = text.find(mark); at != std::string::npos; at = text.find(mark, at + by.size()))
            text.replace(at, mark.size(), by);
    return text;
}

TEST_P(RefusedImportTest, LeavesEveryRetailFileAsItWasWithItsMessage) {
    test::writeShopTemplates(templateFolder);
    importing::ImportRequest req = request(importing::defaultImportOptions());
    GetParam().prepare(*this, req);
    const auto before = test::fileContents(database);

    const importing::ImportOutcome outcome = runImport(req, GetParam().answerYes);

    EXPECT_EQ(outcome.status, GetParam().status);
    EXPECT_TRUE(test::fileContents(database) == before) << "a retail file changed";
    EXPECT_TRUE(test::fileContents(rejectFolder).empty());
    EXPECT_TRUE(outcome.written.empty());
    ASSERT_FALSE(ui.messages.empty());
    EXPECT_EQ(ui.messages[0].kind, "ask");
    EXPECT_EQ(ui.messages[0].title, "Tarvo-Soft");
    EXPECT_EQ(ui.messages[0].text, "Lanjutkan proses Import Data ?");
    std::vector<std::pair<std::string, std::string>> shown;
    for (size_t i = 1; i < ui.messages.size(); ++i) shown.emplace_back(ui.messages[i].kind, ui.messages[i].text);
    std::vector<std::pair<std::string, std::string>> expected;
    for (const auto& [kind, text] : GetParam().messages)
        expected.emplace_back(kind, expand(text, templateFolder.string() + "/", shop.string()));
    EXPECT_EQ(shown, expected);
}

xbase::FieldInfo field(const char* name, char type, int width, int decimals = 0) {
    return xbase::FieldInfo{name, type, width, decimals};
}

const RefusalCase kRefusals[] = {
    {"UserAnswersNo", [](test::TemplateImportTest&, importing::ImportRequest&) {}, importing::ImportStatus::Declined, {}, false},
    {"EmptyImportFolder", [](test::TemplateImportTest&, importing::ImportRequest& r) { r.importFolder = "   "; },
     importing::ImportStatus::Refused, {{"error", "Lokasi import belum diisi!"}}},
    {"ImportFolderOnTheNetwork", [](test::TemplateImportTest&, importing::ImportRequest& r) { r.importFolder = "\\\\server\\data"; },
     importing::ImportStatus::Refused, {{"error", "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!"}}},
    {"MissingItemTemplate",
     [](test::TemplateImportTest& f, importing::ImportRequest&) { std::filesystem::remove(f.templateFolder / "ITEM.DBF"); },
     importing::ImportStatus::Refused, {{"error", "File ITEM.DBF tidak ditemukan di Lokasi: @T"}}},
    {"WrongColumnTypeWithOverWideColumns",
     [](test::TemplateImportTest& f, importing::ImportRequest&) {
         test::writeTemplate(f.templateFolder, "ITEM", {{{"KODE", 1}, {"NAMA", "Apel"}}},
                             {{"KODE", field("KODE", 'N', 10)}, {"NAMA", field("NAMA", 'C', 120)}});
         test::writeTemplate(f.templateFolder, "PELANG", {}, {{"CATATAN", field("CATATAN", 'C', 600)}});
     },
     importing::ImportStatus::Refused,
     {{"error", "ITEM.DBF Beda tipe field KODE !\r\nSeharusnya tipe: C"},
      {"warning", "Di bawah ini adalah field-field yang over lebarnya, berkemungkinan data yang masuk akan dipotong!"
                  "\r\n\r\nPELANG.DBF Lebar field CATATAN over, maks: 500"}}},
    {"HardWidthAndMissingColumnInTwoTemplates",
     [](test::TemplateImportTest& f, importing::ImportRequest&) {
         test::writeTemplate(f.templateFolder, "VENDOR", {}, {{"NAMA", field("NAMA", 'C', 60)}});
         test::writeTemplate(f.templateFolder, "PELANG", {}, {{"NAMA", std::nullopt}});
     },
     importing::ImportStatus::Refused,
     {{"error", "VENDOR.DBF Lebar field NAMA over !\r\nMaksimum: 50\r\nAnda punya: 60"},
      {"error", "PELANG.DBF Tidak ada field NAMA !"}}},
    {"DatabaseFolderOnTheNetwork", [](test::TemplateImportTest&, importing::ImportRequest& r) { r.databaseFolder = "\\\\server\\toko"; },
     importing::ImportStatus::Refused, {{"error", "Mengakses data sharing secara langsung via Network Resource tidak dibolehkan!"}}},
    {"DatabaseFolderNotFound",
     [](test::TemplateImportTest& f, importing::ImportRequest& r) { r.databaseFolder = (f.shop / "lain").string(); },
     importing::ImportStatus::Refused, {{"error", "Sistem tidak menemukan Lokasi Data ! ( @D/lain/ST_DB/ )"}}},
    {"RetailTableMissing",
     [](test::TemplateImportTest& f, importing::ImportRequest&) { std::filesystem::remove(f.database / "S_STKMAS.Q7T"); },
     importing::ImportStatus::Refused, {{"error", "Missing file : @D/ST_DB/S_STKMAS.Q7T !"}}},
    {"ControlTableEmpty",
     [](test::TemplateImportTest& f, importing::ImportRequest&) {
         auto control = xbase::Table::open(f.database / "S_KONTRO.Q7T", {true, false, xbase::Driver::DBFCDX});
         control->zap();
     },
     importing::ImportStatus::Refused, {{"error", "File S_KONTRO tidak berisi record kontrol ! Proses Import dibatalkan."}}},
    {"ControlRecordDeleted",
     [](test::TemplateImportTest& f, importing::ImportRequest&) { test::markDeleted(f.database / "S_KONTRO.Q7T", {1}); },
     importing::ImportStatus::Refused, {{"error", "File S_KONTRO tidak berisi record kontrol ! Proses Import dibatalkan."}}},
    {"ControlTableDamaged",
     [](test::TemplateImportTest& f, importing::ImportRequest&) {
         std::ofstream(f.database / "S_KONTRO.Q7T", std::ios::binary | std::ios::trunc) << "\x03short";
     },
     importing::ImportStatus::Refused,
     {{"error", "Import gagal: @D/ST_DB/S_KONTRO.Q7T: file is truncated (shorter than a table header)"}}},
    {"ControlTableMissing",
     [](test::TemplateImportTest& f, importing::ImportRequest&) { std::filesystem::remove(f.database / "S_KONTRO.Q7T"); },
     importing::ImportStatus::Refused, {{"error", "Missing file : @D/ST_DB/S_KONTRO.Q7T !"}}},
};

INSTANTIATE_TEST_SUITE_P(Refusals, RefusedImportTest, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tarvo::templates
