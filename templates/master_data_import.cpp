#include "templates/master_data_import.h"

#include "retaildb/record_routines.h"
#include "templates/group_template.h"
#include "templates/master_data_fields.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {

constexpr uint32_t kSalesmenRow = 16;
constexpr uint32_t kVendorsRow = 17;

}  // namespace

void importSales(ImportRun& run) {
    if (!run.templateOpen("SALES")) return;
    run.forEachRow("SALES", [&](const TemplateRow& row) {
        std::string code = row.code("KODE");
        if (code.empty() || isBlank(row.text("NAMA")) || run.salesmen.find(code) != 0) return false;
        const uint32_t id = run.salesmen.add(std::move(code));
        run.appendTo("S_KARYAW");
        putNumber("ID", id);
        putTrimmed(row, {"NAMA", "TELEPON", "CATATAN"});
        putUnchanged(row, {"ALAMAT"});
        putFlags({"SALES", "COLLECTOR"}, true);
        run.writeStamps();
        return true;
    });
    xbase::workAreas().close("S_KARYAW");
    retaildb::TABLEIDUPDATE(kSalesmenRow, run.salesmen.size());
}

void importPriceGroups(ImportRun& run) { importGroupTemplate(run, kPriceGroups, run.priceGroups); }

void importRegions(ImportRun& run) {
    if (!run.templateOpen("DAERAH")) return;
    importGroupTemplate(run, kRegions, run.regions);
    importGroupTemplate(run, kSecondRegions, run.secondRegions);
}

void importVendors(ImportRun& run) {
    if (!run.templateOpen("VENDOR")) return;
    run.forEachRow("VENDOR", [&](const TemplateRow& row) {
        const bool withCode = row.has("KODE");
        std::string code = row.code("KODE");
        std::string name = row.code("NAMA");
        if (name.empty() || (withCode && code.empty())) return false;
        if (withCode ? run.vendorCodes.find(code) != 0 : run.vendorNames.find(name) != 0) return false;
        const uint32_t region = lookUp(run.regions, row, "KODE_DAE");
        if (withCode) run.vendorCodes.add(std::move(code));
        const uint32_t id = run.vendorNames.add(std::move(name));

        run.appendTo("S_VENDOR");
        putNumber("ID", id);
        putNumber("DIVISI_ID", row.number("DIVISI"));
        putFlags({"PB_PURREQ", "PB_PURCOR", "PB_TRMSTK", "PB_CASH", "PB_CREDIT", "PB_CABANG", "PB_RETCASH",
                  "PB_RETCRD", "PB_DN", "PB_CN", "PB_DEPOSIT"},
                 true);
        putNumber("NEGARA", 1);
        putNumber("DAERAH", region);
        putTrimmed(row, {"NAMA", "NPWP", "ALAMAT", "FAX", "EMAIL", "WEBSITE", "CATATAN"});
        putPhonesAndContacts(row);
        putNumbers(row, {"TERM_CRD", "MAX_CRD"});
        putNumber("MU_CREDIT", creditCurrency(row));
        putNumber("MU_BELI", 0);
        putNumber("PPN_TIPE", 0);
        putText("USER_LVL", kAllUserLevels);
        run.writeStamps();
        return true;
    });
    xbase::workAreas().close("S_VENDOR");
    retaildb::TABLEIDUPDATE(kVendorsRow, run.vendorNames.size());
}

void importCustomerGroups(ImportRun& run) {
    if (!run.templateOpen("PELANG")) return;
    importGroupTemplate(run, kCustomerGroups, run.customerGroups);
    importGroupTemplate(run, kSecondCustomerGroups, run.secondCustomerGroups);
}

void importMasterData(ImportRun& run) {
    importSales(run);
    importPriceGroups(run);
    importRegions(run);
    importVendors(run);
    importCustomerGroups(run);
    importCustomers(run);
    importCustomerExtras(run);
}

}  // namespace tarvo::templates
