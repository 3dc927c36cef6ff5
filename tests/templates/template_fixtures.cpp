#include "tests/templates/template_fixtures.h"

#include <stdexcept>

#include "retaildb/retail_database.h"
#include "templates/template_layouts.h"

namespace tarvo::test {

std::vector<xbase::FieldInfo> templateFields(const std::string& name, const ColumnOverrides& overrides) {
    const auto layout = templates::templateLayout(name);
    if (layout.empty()) throw std::invalid_argument("no template named " + name);
    std::vector<xbase::FieldInfo> fields;
    for (const templates::DBSTRUCTTABLE& column : layout) {
        auto override = overrides.find(column.CFIELD);
        if (override == overrides.end())
            fields.push_back({column.CFIELD, column.CTYPE[0], column.WLEN, column.WDEC});
        else if (override->second)
            fields.push_back(*override->second);
    }
    for (const auto& [column, field] : overrides) {
        bool inLayout = false;
        for (const templates::DBSTRUCTTABLE& c : layout) inLayout = inLayout || c.CFIELD == column;
        if (!inLayout && field) fields.push_back(*field);
    }
    return fields;
}

std::filesystem::path writeTemplate(const std::filesystem::path& folder, const std::string& name,
                                    const std::vector<TemplateValues>& rows, const ColumnOverrides& overrides) {
    const std::filesystem::path path = folder / (name + ".DBF");
    writeTable(path, templateFields(name, overrides), rows);
    return path;
}

void writeTable(const std::filesystem::path& path, const std::vector<xbase::FieldInfo>& fields,
                const std::vector<TemplateValues>& rows) {
    xbase::Table::create(path, fields, xbase::Driver::DBFNTX);
    auto table = xbase::Table::open(path, xbase::OpenOptions{true, false, xbase::Driver::DBFNTX});
    for (const TemplateValues& row : rows) {
        table->append();
        for (const auto& [column, value] : row) {
            if (table->fieldPos(column) == 0) throw std::invalid_argument(path.string() + " has no column " + column);
            table->fieldPut(column, value);
        }
    }
}

void markDeleted(const std::filesystem::path& path, const std::vector<uint32_t>& recnos) {
    auto table = xbase::Table::open(path, xbase::OpenOptions{true, false, xbase::Driver::DBFNTX});
    for (uint32_t recno : recnos) {
        table->goTo(recno);
        table->deleteRecord();
    }
}

bool openTemplate(const std::filesystem::path& folder, const std::string& name) {
    return retaildb::VOOPEN(name + ".DBF", name, folder.string() + "/", false, false, "DBFNTX");
}

}  // namespace tarvo::test
