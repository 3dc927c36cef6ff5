#pragma once
// The eighteen import templates: their names, target tables and progress texts, and the column
// layout of each (type, width, decimals, whether the column must exist, whether a wider
// character column is refused). The structure check and the sample template generator read
// them from here.

#include <cstdint>
#include <string>
#include <vector>

#include "xbase/table.h"

namespace tarvo::templates {

// One expected column of a template.
class DBSTRUCTTABLE {
public:
    std::string CFIELD;      // column name, upper case
    std::string CTYPE;       // "C", "N" or "D"
    uint16_t WLEN = 0;       // width; for "C" the most characters the import takes
    uint16_t WDEC = 0;       // decimals (0 for "C" and "D")
    bool LWAJIB = false;     // mandatory: the template must have the column
    bool LMAXLEN = false;    // hard width: a wider character column is refused, not only reported
};

// Appends one column descriptor to the list.
void BUTTONIMPORT1PRETABLE(std::vector<DBSTRUCTTABLE>& aList, const std::string& cField, const std::string& cType,
                           uint16_t wLen, uint16_t wDec, bool lWajib, bool lMaxLen);

// The structure list of a template, in layout order; empty for a name that is no template.
std::vector<DBSTRUCTTABLE> templateLayout(const std::string& name);

struct TemplateInfo {
    std::string name;          // file name without ".DBF", also the alias
    std::string targetTable;   // the retail table its rows go to
    std::string progressText;  // followed by "n / total" while its rows are read
};

// The eighteen templates: GRPSTK, GRPST2, GRPST3, GRPHJL, ITEM, ITMINF, ITMNAM, STKHJL, VENDOR,
// DAERAH, DAERA2, GRPPEL, GRPPE2, SALES, PELANG, PELEXT, PEMBEL, PENJUA.
const std::vector<TemplateInfo>& templates();
// The template of that name, nullptr when there is none.
const TemplateInfo* findTemplate(const std::string& name);

// The templates whose leftover compound index file (NAME.CDX) is deleted before the templates
// are opened, in deletion order.
const std::vector<std::string>& templatesWithLeftoverIndex();

// A column the import reads when a template happens to have it, outside every layout (the
// structure check neither requires nor measures it). The width, for templates written as
// samples, fits the retail field the column feeds.
struct OptionalColumn {
    std::string templateName;
    xbase::FieldInfo field;
};
const std::vector<OptionalColumn>& optionalColumns();

}  // namespace tarvo::templates
