#include "tests/templates/retail_import_fixture.h"

#include "retaildb/program_end.h"
#include "retaildb/retail_database.h"
#include "sampledata/retail_db.h"
#include "xbase/dates.h"
#include "xbase/settings.h"
#include "xbase/work_areas.h"

namespace tarvo::test {

namespace {

struct ProgramEnded {
    std::string reason;
};

std::string shown(const xbase::Value& value) {
    switch (value.type()) {
        case xbase::ValueType::Character: return '"' + value.text() + '"';
        case xbase::ValueType::Numeric: return std::to_string(value.number());
        case xbase::ValueType::Date: return "date " + xbase::DToS(value.date());
        case xbase::ValueType::Logical: return value.logical() ? ".T." : ".F.";
        default: return "NIL";
    }
}

xbase::Value withoutPadding(const xbase::Value& value) {
    if (!value.isCharacter()) return value;
    std::string text = value.text();
    text.erase(text.find_last_not_of(' ') + 1);
    return xbase::Value(text);
}

}  // namespace

void RetailImportTest::SetUp() {
    xbase::applyStartupSettings();
    scoped_ = std::make_unique<ScopedInteraction>(ui);
    retaildb::setProgramEndHandler([](const std::string& reason) { throw ProgramEnded{reason}; });
    sampledata::makeSampleRetailDatabase(dir.path());
    database = dir.path() / "ST_DB";
    ASSERT_FALSE(retaildb::LOKASIDATA(nullptr, dir.path().string()).empty());
    templateFolder = dir.path() / "templates";
    std::filesystem::create_directory(templateFolder);
}

void RetailImportTest::TearDown() {
    xbase::workAreas().closeAll();
    retaildb::setProgramEndHandler(nullptr);
    scoped_.reset();
}

std::unique_ptr<templates::TemplateRun> RetailImportTest::makeRun(const importing::ImportOptions& options) {
    auto run = std::make_unique<templates::TemplateRun>(options, templateFolder.string() + "/", nullptr);
    run->takeStamps();
    return run;
}

void RetailImportTest::addTemplate(const std::string& name, const std::vector<TemplateValues>& rows,
                                   const ColumnOverrides& overrides) {
    writeTemplate(templateFolder, name, rows, overrides);
    ASSERT_TRUE(openTemplate(templateFolder, name));
}

void RetailImportTest::addPlainTemplate(const std::string& name, const std::vector<xbase::FieldInfo>& columns,
                                        const std::vector<TemplateValues>& rows) {
    writeTable(templateFolder / (name + ".DBF"), columns, rows);
    ASSERT_TRUE(openTemplate(templateFolder, name));
}

std::unique_ptr<xbase::Table> RetailImportTest::retailTable(const std::string& alias) {
    xbase::workAreas().close(alias);
    return xbase::Table::open(database / (alias + ".Q7T"), {false, true, xbase::Driver::DBFNTX});
}

uint32_t RetailImportTest::recordCount(const std::string& alias) { return retailTable(alias)->recCount(); }

void expectRecordOf(xbase::Table& table, const std::string& alias, uint32_t recno, const ExpectedFields& fields) {
    ASSERT_GE(table.recCount(), recno) << alias;
    table.goTo(recno);
    for (const auto& [field, expected] : fields) {
        const xbase::Value actual = withoutPadding(table.fieldGet(field));
        EXPECT_TRUE(actual == expected) << alias << " record " << recno << " field " << field << ": " << shown(actual)
                                        << " instead of " << shown(expected);
    }
}

void RetailImportTest::expectRecord(const std::string& alias, uint32_t recno, const ExpectedFields& fields) {
    expectRecordOf(*retailTable(alias), alias, recno, fields);
}

double RetailImportTest::lastIdentifier(uint32_t row) {
    xbase::Table* ids = xbase::workAreas().find("S_TABLID");
    ids->goTo(row);
    return ids->fieldGet("LAST_ID").number();
}

}  // namespace tarvo::test
