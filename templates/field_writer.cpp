#include "templates/field_writer.h"

#include "retaildb/record_routines.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

FieldWriter::FieldWriter(std::string alias) : alias_(std::move(alias)), table_(xbase::workAreas().find(alias_)) {}

int FieldWriter::position(std::string_view field) {
    if (auto it = positions_.find(field); it != positions_.end()) return it->second;
    const int pos = table_ ? table_->fieldPos(field) : 0;
    positions_.emplace(std::string(field), pos);
    return pos;
}

void FieldWriter::put(std::string_view field, const xbase::Value& value) {
    if (const int pos = position(field)) {
        table_->fieldPut(pos, value);
        return;
    }
    xbase::workAreas().select(alias_);
    retaildb::VOFieldPut(std::string(field), value);  // reports the missing field and ends the program
}

void FieldWriter::put(std::initializer_list<const char*> fields, const xbase::Value& value) {
    for (const char* field : fields) put(field, value);
}

void FieldWriter::putStamps(const xbase::Date& date, const std::string& time) {
    if (position("INPUT_OLEH")) put("INPUT_OLEH", xbase::Value(-1));
    if (position("TGL_INPUT")) put("TGL_INPUT", xbase::Value(date));
    if (position("JAM_INPUT")) put("JAM_INPUT", xbase::Value(time));
}

}  // namespace tarvo::templates
