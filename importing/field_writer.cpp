#include "importing/field_writer.h"

#include "retaildb/record_routines.h"
#include "importing/code_list.h"
#include "xbase/work_areas.h"

namespace tarvo::importing {

using xbase::Value;

FieldWriter::FieldWriter(std::string alias) : alias_(std::move(alias)), table_(xbase::workAreas().find(alias_)) {}

int FieldWriter::position(std::string_view field) {
    if (previous_ && previous_->next && previous_->next->name == field) {
        previous_ = previous_->next;
        return previous_->position;
    }
    auto known = fields_.find(field);
    if (known == fields_.end()) {
        known = fields_.emplace(std::string(field), KnownField{}).first;
        known->second = KnownField{known->first, table_ ? table_->fieldPos(field) : 0, nullptr};
    }
    if (previous_) previous_->next = &known->second;
    previous_ = &known->second;
    return previous_->position;
}

void FieldWriter::put(std::string_view field, const Value& value) {
    if (const int pos = position(field)) {
        table_->fieldPut(pos, value);
        return;
    }
    xbase::workAreas().select(alias_);
    retaildb::VOFieldPut(std::string(field), value);  // reports the missing field and ends the program
}

void FieldWriter::put(std::initializer_list<const char*> fields, const Value& value) {
    for (const char* field : fields) put(field, value);
}

void FieldWriter::putStamps(const ImportRun& run) {
    putWhenPresent("INPUT_OLEH", Value(-1));
    putWhenPresent("TGL_INPUT", Value(run.stampDate()));
    putWhenPresent("JAM_INPUT", Value(run.stampTime()));
}

void FieldWriter::putWhenPresent(std::string_view field, const Value& value) {
    if (const int pos = position(field)) table_->fieldPut(pos, value);
}

void FieldWriter::putTrimmed(const SourceRow& row, std::initializer_list<const char*> columns) {
    for (const char* column : columns) put(column, Value(row.trimmed(column)));
}

void FieldWriter::putUnchanged(const SourceRow& row, std::initializer_list<const char*> columns) {
    for (const char* column : columns) put(column, Value(row.text(column)));
}

std::string FieldWriter::putAfter(const SourceRow& row, const char* column, const std::string& previous) {
    std::string text = isBlank(previous) ? std::string() : row.trimmed(column);
    put(column, Value(text));
    return text;
}

void FieldWriter::putPhonesAndContacts(const SourceRow& row) {
    const std::string phone = row.trimmed("TELEPON");
    put("TELEPON", Value(phone));
    putAfter(row, "TELEPON_3", putAfter(row, "TELEPON_2", phone));
    const char* contacts[][2] = {{"HUBUNGI", "HUB_TELP_1"}, {"HUBUNGI_2", "HUB_TELP_2"}, {"HUBUNGI_3", "HUB_TELP_3"}};
    for (const auto& [contact, contactPhone] : contacts) {
        const std::string name = row.trimmed(contact);
        put(contact, Value(name));
        putAfter(row, contactPhone, name);
    }
}

}  // namespace tarvo::importing
