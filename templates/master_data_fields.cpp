#include "templates/master_data_fields.h"

#include "retaildb/record_routines.h"
#include "xbase/value.h"

namespace tarvo::templates {

using retaildb::VOFieldPut;

bool isBlank(std::string_view text) { return normaliseCode(text).empty(); }

std::string upperTrimmed(const TemplateRow& row, const std::string& column) {
    std::string text = row.trimmed(column);
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

uint32_t lookUp(const CodeList& list, const TemplateRow& row, const std::string& column) {
    if (!row.has(column)) return 0;
    const std::string code = row.code(column);
    return code.empty() ? 0 : list.find(code);
}

void putText(const std::string& field, const std::string& text) { VOFieldPut(field, xbase::Value(text)); }

void putNumber(const std::string& field, double number) { VOFieldPut(field, xbase::Value(number)); }

void putFlags(std::initializer_list<const char*> fields, bool value) {
    for (const char* field : fields) VOFieldPut(field, xbase::Value(value));
}

void putTrimmed(const TemplateRow& row, std::initializer_list<const char*> columns) {
    for (const char* column : columns) putText(column, row.trimmed(column));
}

void putUnchanged(const TemplateRow& row, std::initializer_list<const char*> columns) {
    for (const char* column : columns) putText(column, row.text(column));
}

void putNumbers(const TemplateRow& row, std::initializer_list<const char*> columns) {
    for (const char* column : columns) putNumber(column, row.number(column));
}

namespace {

// The column trimmed when the text written before it is not blank, else empty; returns what it wrote.
std::string putAfter(const TemplateRow& row, const char* column, const std::string& previous) {
    std::string text = isBlank(previous) ? std::string() : row.trimmed(column);
    putText(column, text);
    return text;
}

}  // namespace

void putPhonesAndContacts(const TemplateRow& row) {
    const std::string phone = row.trimmed("TELEPON");
    putText("TELEPON", phone);
    putAfter(row, "TELEPON_3", putAfter(row, "TELEPON_2", phone));
    const char* contacts[][2] = {{"HUBUNGI", "HUB_TELP_1"}, {"HUBUNGI_2", "HUB_TELP_2"}, {"HUBUNGI_3", "HUB_TELP_3"}};
    for (const auto& [contact, contactPhone] : contacts) {
        const std::string name = row.trimmed(contact);
        putText(contact, name);
        putAfter(row, contactPhone, name);
    }
}

double creditCurrency(const TemplateRow& row) {
    const double currency = row.number("MU_CREDIT");
    return currency != 0 ? currency : 1;
}

}  // namespace tarvo::templates
