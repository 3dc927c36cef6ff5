#include "sampledata/templates.h"

#include <algorithm>

#include "sampledata/template_set.h"

namespace tarvo::sampledata {

SampleTemplateSummary makeSampleTemplates(const std::filesystem::path& folder, const SampleTemplateOptions& options) {
    std::filesystem::create_directories(folder);
    SampleSet set;
    set.folder = folder;
    set.options = options;
    set.options.warehouses = std::min<uint32_t>(options.warehouses, 30);
    set.options.codesPerItem = std::min<uint32_t>(options.codesPerItem, 5);
    // Later templates refer to the codes of earlier ones: master data first, then the
    // invoices (vendors, customers, salesmen) and the items (vendors).
    writeSampleMasterData(set);
    writeSampleOpeningBalances(set);
    writeSampleItems(set);
    return set.summary;
}

}  // namespace tarvo::sampledata
