#include "templates/references.h"

namespace tarvo::templates {

namespace {

uint32_t byNameOrCode(const importing::SourceRow& row, const importing::CodeList& names, const char* nameColumn, const importing::CodeList& codes,
                      const char* codeColumn) {
    uint32_t reference = row.has(nameColumn) ? names.find(row.code(nameColumn)) : 0;
    if (row.has(codeColumn)) {
        const std::string code = row.code(codeColumn);
        if (!code.empty() && codes.size() > 0) reference = codes.find(code);
    }
    return reference;
}

}  // namespace

uint32_t codeReference(const importing::CodeList& list, const importing::SourceRow& row, const std::string& column) {
    if (!row.has(column)) return 0;
    const std::string code = row.code(column);
    return code.empty() ? 0 : list.find(code);
}

uint32_t vendorReference(const TemplateRun& run, const importing::SourceRow& row) {
    return byNameOrCode(row, run.vendorNames, "NAMA_VEN", run.vendorCodes, "KODE_VEN");
}

uint32_t customerReference(const TemplateRun& run, const importing::SourceRow& row) {
    return byNameOrCode(row, run.customerNames, "NAMA_PEL", run.customerCodes, "KODE_PEL");
}

}  // namespace tarvo::templates
