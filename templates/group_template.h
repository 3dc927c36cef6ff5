#pragma once
// Group-like templates: a code and a name per row, one record per new code in the target table.
// Shared by the price groups, regions, customer groups and the three item groupings.

#include <cstdint>

#include "retaildb/identifier_rows.h"
#include "templates/template_run.h"

namespace tarvo::templates {

struct GroupTemplate {
    const char* alias;          // template, e.g. "GRPSTK"
    const char* target;         // retail table, e.g. "S_GRPSTK"
    const char* nameField;      // target field taking the name: "NAMA" or "DAERAH"
    uint32_t identifierRow;     // row of S_TABLID taking the last identifier
};

inline constexpr GroupTemplate kPriceGroups{"GRPHJL", "S_GRPHJL", "NAMA", retaildb::kPriceGroupsRow};
inline constexpr GroupTemplate kRegions{"DAERAH", "S_DAERAH", "DAERAH", retaildb::kRegionsRow};
inline constexpr GroupTemplate kSecondRegions{"DAERA2", "S_DAERA2", "DAERAH", retaildb::kSecondRegionsRow};
inline constexpr GroupTemplate kCustomerGroups{"GRPPEL", "S_GRPPEL", "NAMA", retaildb::kCustomerGroupsRow};
inline constexpr GroupTemplate kSecondCustomerGroups{"GRPPE2", "S_GRPPE2", "NAMA", retaildb::kSecondCustomerGroupsRow};
inline constexpr GroupTemplate kItemGroups1{"GRPSTK", "S_GRPSTK", "NAMA", retaildb::kItemGroupsRow};
inline constexpr GroupTemplate kItemGroups2{"GRPST2", "S_GRPST2", "NAMA", retaildb::kSecondItemGroupsRow};
inline constexpr GroupTemplate kItemGroups3{"GRPST3", "S_GRPST3", "NAMA", retaildb::kThirdItemGroupsRow};

// Imports one group-like template when it is open: a row is accepted when KODE and NAMA are not
// blank and its normalised KODE is not yet in codes; the code joins codes, and the record gets
// ID = the list's new length, the name trimmed and upper case, and the run stamps (the code
// itself is not stored). Afterwards the target is committed and closed and the list's length
// recorded as its last identifier. A template that is not open leaves everything untouched.
void importGroupTemplate(TemplateRun& run, const GroupTemplate& group, importing::CodeList& codes);

}  // namespace tarvo::templates
