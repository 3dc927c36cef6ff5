#include "tests/templates/shop_import_fixture.h"

#include "retaildb/program_end.h"
#include "sampledata/retail_db.h"
#include "xbase/settings.h"
#include "xbase/table_indexes.h"
#include "xbase/work_areas.h"

namespace tarvo::test {

namespace {

struct ProgramEnded {
    std::string reason;
};

}  // namespace

ShopImportTest::ShopImportTest(const std::string& importFolderName)
    : shop(dir.path() / "shop"),
      database(shop / "ST_DB"),
      importFolder(dir.path() / importFolderName),
      rejectFolder(dir.path() / "program") {}

void ShopImportTest::SetUp() {
    xbase::applyStartupSettings();
    scoped_ = std::make_unique<ScopedInteraction>(ui);
    retaildb::setProgramEndHandler([](const std::string& reason) { throw ProgramEnded{reason}; });
    sampledata::makeSampleRetailDatabase(shop);
    std::filesystem::create_directory(importFolder);
    std::filesystem::create_directory(rejectFolder);
}

void ShopImportTest::TearDown() {
    xbase::workAreas().closeAll();
    retaildb::setProgramEndHandler(nullptr);
    scoped_.reset();
}

void ShopImportTest::answerQuestion(bool yes) { ui.replies.push_back(yes ? ui::kReplyYes : ui::kReplyNo); }

importing::ImportRequest ShopImportTest::request(const importing::ImportOptions& options) const {
    importing::ImportRequest request;
    request.databaseFolder = shop.string();
    request.importFolder = importFolder.string();
    request.options = options;
    request.rejectFile = rejectFolder / "REJECT.TXT";
    return request;
}

std::unique_ptr<xbase::Table> ShopImportTest::retailTable(const std::string& alias) const {
    return xbase::Table::open(database / (alias + ".Q7T"), {false, true, xbase::Driver::DBFNTX});
}

uint32_t ShopImportTest::recordCount(const std::string& alias) const { return retailTable(alias)->recCount(); }

void ShopImportTest::expectRecord(const std::string& alias, uint32_t recno, const ExpectedFields& fields) const {
    expectRecordOf(*retailTable(alias), alias, recno, fields);
}

void ShopImportTest::expectIndexesAgreeWithTables() const {
    for (const auto& entry : std::filesystem::directory_iterator(database)) {
        if (entry.path().extension() != ".CDX") continue;
        std::filesystem::path table = entry.path();
        table.replace_extension(".Q7T");
        auto opened = xbase::Table::open(table, {false, true, xbase::Driver::DBFCDX});
        for (int order = 1; order <= opened->orderCount(); ++order)
            EXPECT_EQ(opened->indexes()->check(*opened->order(order)), xbase::IndexProblems{})
                << table.filename().string() << " tag " << opened->order(order)->name();
    }
}

}  // namespace tarvo::test
