#pragma once
// The state shared by the writers of one sample template set: where and how big, the codes the
// later templates refer to, and the summary being filled.

#include <filesystem>
#include <string>
#include <vector>

#include "sampledata/template_writer.h"
#include "sampledata/templates.h"

namespace tarvo::sampledata {

struct SampleSet {
    std::filesystem::path folder;
    SampleTemplateOptions options;
    SampleTemplateSummary summary;

    std::vector<std::string> salesmanCodes;
    std::vector<std::string> vendorCodes;
    std::vector<std::string> vendorNames;
    std::vector<std::string> customerCodes;
    std::vector<std::string> customerNames;
    std::vector<std::string> customerSalesmen;  // salesman code of each customer, may be empty

    // Closes the template and notes its rows and how many of them an import accepts.
    void finish(SampleTemplateWriter& writer, const std::string& name, uint32_t accepted) {
        summary.rows[name] = writer.rows();
        summary.accepted[name] = accepted;
        writer.close();
    }
};

// A group-like template: one row per code and name.
template <class Entries>
void writeSampleCodeNames(SampleSet& set, const std::string& name, const Entries& entries) {
    SampleTemplateWriter writer(set.folder, name);
    for (const auto& entry : entries) {
        writer.addRow();
        writer.put("KODE", entry.code);
        writer.put("NAMA", entry.name);
    }
    set.finish(writer, name, static_cast<uint32_t>(entries.size()));
}

// SALES, GRPHJL, DAERAH, DAERA2, VENDOR, GRPPEL, GRPPE2, PELANG and PELEXT.
void writeSampleMasterData(SampleSet& set);
// PEMBEL and PENJUA (after the vendors and customers).
void writeSampleOpeningBalances(SampleSet& set);
// GRPSTK, GRPST2, GRPST3, ITEM, ITMINF, ITMNAM and STKHJL (after the vendors).
void writeSampleItems(SampleSet& set);

}  // namespace tarvo::sampledata
