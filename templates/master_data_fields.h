#pragma once
// Field helpers shared by the master-data row rules: blank tests, code references, and the
// writes into the current record of the target table.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "templates/code_list.h"
#include "templates/import_run.h"

namespace tarvo::templates {

// Whether nothing but blanks, tabs and line ends is left of the text.
bool isBlank(std::string_view text);

// Trimmed of blanks on both sides and in upper case.
std::string upperTrimmed(const TemplateRow& row, const std::string& column);

// Position of the column's normalised value in the list; 0 when the template lacks the column,
// the value is blank or not in the list.
uint32_t lookUp(const CodeList& list, const TemplateRow& row, const std::string& column);

// Writes into the current record.
void putText(const std::string& field, const std::string& text);
void putNumber(const std::string& field, double number);
void putFlags(std::initializer_list<const char*> fields, bool value);
// Each column trimmed (empty when absent) into the field of the same name.
void putTrimmed(const TemplateRow& row, std::initializer_list<const char*> columns);
// Each column as stored (empty when absent) into the field of the same name.
void putUnchanged(const TemplateRow& row, std::initializer_list<const char*> columns);
// Each numeric column (0 when absent) into the field of the same name.
void putNumbers(const TemplateRow& row, std::initializer_list<const char*> columns);

// TELEPON, HUBUNGI, HUBUNGI_2, HUBUNGI_3 trimmed; TELEPON_2 and TELEPON_3 only after a written
// TELEPON and TELEPON_2, and each HUB_TELP_n only after a written HUBUNGI of its number.
void putPhonesAndContacts(const TemplateRow& row);

// MU_CREDIT when present and not zero, else 1 (the local currency).
double creditCurrency(const TemplateRow& row);

// USER_LVL: every one of the thirty user levels allowed.
inline const std::string kAllUserLevels(30, '1');

}  // namespace tarvo::templates
