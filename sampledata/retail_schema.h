#pragma once
// The retail tables as the sample database generator writes them: every field the import writes,
// a few it leaves blank, and the index tags of the tables that carry an index file.

#include <string>
#include <string_view>
#include <vector>

#include "xbase/table.h"

namespace tarvo::sampledata {

struct SampleIndexTag {
    std::string name;
    std::string keyExpression;
};

struct SampleRetailTable {
    std::string alias;  // also the base name of its files: alias + ".Q7T", ".CDX", ".FPT"
    std::vector<xbase::FieldInfo> fields;
    std::vector<SampleIndexTag> tags;  // empty: the table has no index file
};

// Every retail table: the 29 tables the preparation opens, in their opening order, then the
// tables whose index files only the closing step names.
const std::vector<SampleRetailTable>& sampleRetailSchema();

// The table with this alias (exact, upper case); nullptr when there is none.
const SampleRetailTable* sampleRetailTable(std::string_view alias);

}  // namespace tarvo::sampledata
