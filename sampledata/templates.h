#pragma once
// Sample templates for demonstrations, tests and benchmarks: a consistent set of the eighteen
// templates of a typical shop, of any size, the same for the same seed.

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "xbase/value.h"

namespace tarvo::sampledata {

struct SampleTemplateOptions {
    uint32_t items = 1000;      // items the import accepts
    uint32_t customers = 200;   // customers the import accepts
    uint32_t vendors = 50;      // vendors the import accepts
    uint64_t seed = 1;
    uint32_t warehouses = 5;    // warehouses with opening stock (at most 30)
    uint32_t codesPerItem = 0;  // codes of every item, 1 to 5; 0: one to five, varying by item
    xbase::Date asOf{2024, 12, 31};  // the open invoices are dated in the three months before
};

// What a set holds, for the summary of the command line and for checking an import of it.
struct SampleTemplateSummary {
    std::map<std::string, uint32_t> rows;      // records per template file, blank and deleted rows included
    std::map<std::string, uint32_t> accepted;  // rows an import accepts per template, duplicate tests on
    uint32_t codeDuplicates = 0;               // ITEM rows refused because a code exists already
    uint32_t nameDuplicates = 0;               // ITEM rows refused because the name exists already
};

// Writes the eighteen templates (NAME.DBF, DBFNTX layout) into folder, created when missing,
// replacing files of the same names. Besides the requested rows the templates hold a few
// deliberate faults an import must pass over: items and a vendor repeating a code, an item
// repeating a name, blank rows, deleted rows and a payable without an invoice number.
// Streams its rows: time grows linearly with the counts and memory stays small (the codes and
// names of vendors and customers, four bytes per item). Throws xbase::Error or
// std::filesystem::filesystem_error.
SampleTemplateSummary makeSampleTemplates(const std::filesystem::path& folder, const SampleTemplateOptions& options);

}  // namespace tarvo::sampledata
