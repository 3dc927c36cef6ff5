#include "sampledata/template_writer.h"

#include <vector>

#include "templates/template_layouts.h"

namespace tarvo::sampledata {

using namespace templates;

namespace {

std::vector<xbase::FieldInfo> templateFields(const std::string& name) {
    std::vector<xbase::FieldInfo> fields;
    for (const DBSTRUCTTABLE& column : templateLayout(name))
        fields.push_back({column.CFIELD, column.CTYPE.at(0), column.WLEN, column.WDEC});
    for (const OptionalColumn& optional : optionalColumns())
        if (optional.templateName == name) fields.push_back(optional.field);
    return fields;
}

}  // namespace

SampleTemplateWriter::SampleTemplateWriter(const std::filesystem::path& folder, const std::string& name) {
    const std::filesystem::path path = folder / (name + ".DBF");
    xbase::Table::create(path, templateFields(name), xbase::Driver::DBFNTX);
    table_ = xbase::Table::open(path, {.exclusive = true, .readOnly = false, .driver = xbase::Driver::DBFNTX});
}

SampleTemplateWriter::~SampleTemplateWriter() = default;

void SampleTemplateWriter::addRow() { table_->append(); }

void SampleTemplateWriter::deleteRow() { table_->deleteRecord(); }

void SampleTemplateWriter::close() {
    table_->commit();
    table_.reset();
}

}  // namespace tarvo::sampledata
