#include "retaildb/record_routines.h"

#include <functional>

#include "retaildb/program_end.h"
#include "ui/user_interaction.h"
#include "xbase/blanks.h"
#include "xbase/number_text.h"
#include "xbase/work_areas.h"

namespace tarvo::retaildb {

namespace {

using xbase::Table;
using xbase::Value;
using xbase::workAreas;

constexpr const char* kZeroPicture = "99,999,999,999.999999";
constexpr const char* kValidityField = "DBF_VLD";
constexpr const char* kValidityMarker = "MTST";

// The field's position in the current work area; a missing field ends the program.
int requiredField(const std::string& fieldName, const char* routine) {
    Table* table = workAreas().current();
    int pos = table ? table->fieldPos(fieldName) : 0;
    if (pos == 0) {
        const std::string text = "[Alias : " + workAreas().alias() + "] -> FieldName \"" + fieldName + "\" not found <" +
                                 routine + "> !";
        ui::BOXERROR(nullptr, text);
        endProgram(text);
    }
    return pos;
}

bool setOrder(const std::string& orderText, bool emptyName, const std::function<bool(Table&)>& select) {
    const std::string q = "Cannot set order to \"" + orderText + "\"";
    const std::string alias = workAreas().alias();
    Table* table = workAreas().current();
    if (alias.empty() || !table) {
        ui::BOXERROR(nullptr, q + ", empty alias name !");
        return false;
    }
    if (emptyName) {
        ui::BOXERROR(nullptr, q + ", alias " + alias + ", empty order name");
        return false;
    }
    if (!select(*table)) {
        ui::BOXERROR(nullptr, q + ", alias " + alias + ", please run Create Indexes");
        return false;
    }
    return true;
}


}  // namespace

bool VOAPPEND() {
    Table* table = workAreas().current();
    if (!table) return true;
    table->append();
    if (const int validity = table->fieldPos(kValidityField)) table->fieldPut(validity, Value(kValidityMarker));
    return true;
}

Value VOFieldGet(const std::string& fieldName) {
    int pos = requiredField(fieldName, "VOFieldGet");
    return workAreas().current()->fieldGet(pos);
}

Value VOFieldPut(const std::string& fieldName, const Value& value) {
    int pos = requiredField(fieldName, "VOFieldPut");
    workAreas().current()->fieldPut(pos, value);
    return value;
}

uint16_t VOFieldLen(const std::string& fieldName) {
    int pos = requiredField(fieldName, "VOFieldLen");
    return static_cast<uint16_t>(workAreas().current()->field(pos).length);
}

bool VOSETORDER(const std::string& tagName) {
    return setOrder(tagName, tagName.empty(), [&](Table& t) { return t.setOrder(tagName); });
}

bool VOSETORDER(int orderNumber) {
    return setOrder(std::to_string(orderNumber), false, [&](Table& t) { return t.setOrder(orderNumber); });
}

bool VOSEEK(const Value& key, bool softSeek) { return VOSEEKEX(key, softSeek, false); }

bool VOSEEKEX(const Value& key, bool softSeek, bool last) {
    Table* table = workAreas().current();
    if (!table || key.isNil() || (key.isCharacter() && key.text().empty())) {
        VOSEEKFAILED();
        return false;
    }
    if (!table->seek(key, softSeek, last)) return false;
    if (softSeek) return true;
    if (table->orderKeyValue() == key) return true;
    const std::string text = "Index file corrupt!! ";
    ui::BOXERROR(nullptr, text);
    endProgram(text);
}

bool VOSEEKFAILED() {
    if (Table* table = workAreas().current()) {
        table->goBottom();
        table->skip(1);
        table->setFound(false);
    }
    return true;
}

bool VOISZEROEX2(double number, const std::string& picture) {
    const std::string shown = std::string(xbase::trimmedLeft(xbase::Transform(number, picture)));
    const std::string zero = std::string(xbase::trimmedLeft(xbase::Transform(0.0, picture)));
    return shown == zero || shown == "-" + zero;
}

bool VOISZEROEX(double number) { return VOISZEROEX2(number, kZeroPicture); }

std::string TIMEEOD() { return "23:59"; }

int TIMEEODMINUTES() { return TIME2MINUTES(TIMEEOD()); }

int TIME2MINUTES(const std::string& time) {
    auto part = [&](size_t from) { return from < time.size() ? static_cast<int>(xbase::Val(time.substr(from, 2))) : 0; };
    return part(0) * 60 + part(3);
}

bool TABLEIDUPDATE(uint32_t row, double lastId) {
    const int previous = workAreas().currentArea();
    if (workAreas().select("S_TABLID") != 0) {
        workAreas().current()->goTo(row);
        VOFieldPut("LAST_ID", Value(lastId));
        workAreas().current()->commit();
    }
    workAreas().selectArea(previous);
    return true;
}

bool ISOPENED(const std::string& alias) { return workAreas().areaOf(alias) != 0; }

}  // namespace tarvo::retaildb
