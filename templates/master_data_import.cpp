#include "templates/master_data_import.h"

#include "retaildb/identifier_rows.h"
#include "retaildb/record_routines.h"
#include "templates/group_template.h"
#include "templates/references.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {

using xbase::Value;

// The vendor template's numbers, each into the field of its name.
constexpr const char* kVendorNumbers[] = {"TERM_CRD", "MAX_CRD"};

// A vendor row is taken up when it has a name, and a code where the template has codes.
bool takesVendorRow(const importing::SourceRow& row) {
    return !row.code("NAMA").empty() && (!row.has("KODE") || !row.code("KODE").empty());
}

}  // namespace

void importSales(TemplateRun& run) {
    if (!run.templateOpen("SALES")) return;
    importing::FieldWriter salesman("S_KARYAW");
    run.forEachRow("SALES", [&](const importing::SourceRow& row) {
        std::string code = row.code("KODE");
        if (code.empty() || importing::isBlank(row.text("NAMA")) || run.salesmen.find(code) != 0) return false;
        const uint32_t id = run.salesmen.add(std::move(code));
        run.appendTo("S_KARYAW");
        salesman.put("ID", Value(id));
        salesman.putTrimmed(row, {"NAMA", "TELEPON", "CATATAN"});
        salesman.putUnchanged(row, {"ALAMAT"});
        salesman.put({"SALES", "COLLECTOR"}, Value(true));
        salesman.putStamps(run);
        return true;
    });
    xbase::workAreas().close("S_KARYAW");
    retaildb::TABLEIDUPDATE(retaildb::kSalesmenRow, run.salesmen.size());
}

void importPriceGroups(TemplateRun& run) { importGroupTemplate(run, kPriceGroups, run.priceGroups); }

void importRegions(TemplateRun& run) {
    if (!run.templateOpen("DAERAH")) return;
    importGroupTemplate(run, kRegions, run.regions);
    importGroupTemplate(run, kSecondRegions, run.secondRegions);
}

importing::SourceFeeds vendorFeeds() {
    importing::SourceFeeds feeds{"VENDOR", takesVendorRow, {}};
    for (const char* number : kVendorNumbers) feeds.feeds.push_back({"S_VENDOR", number, importing::column(number)});
    return feeds;
}

void importVendors(TemplateRun& run) {
    if (!run.templateOpen("VENDOR")) return;
    importing::FieldWriter vendor("S_VENDOR");
    run.forEachRow("VENDOR", [&](const importing::SourceRow& row) {
        const bool withCode = row.has("KODE");
        if (!takesVendorRow(row)) return false;
        std::string code = row.code("KODE");
        std::string name = row.code("NAMA");
        if (withCode ? run.vendorCodes.find(code) != 0 : run.vendorNames.find(name) != 0) return false;
        const uint32_t region = codeReference(run.regions, row, "KODE_DAE");
        if (withCode) run.vendorCodes.add(std::move(code));
        const uint32_t id = run.vendorNames.add(std::move(name));

        run.appendTo("S_VENDOR");
        vendor.put("ID", Value(id));
        vendor.put({"PB_PURREQ", "PB_PURCOR", "PB_TRMSTK", "PB_CASH", "PB_CREDIT", "PB_CABANG", "PB_RETCASH",
                    "PB_RETCRD", "PB_DN", "PB_CN", "PB_DEPOSIT"},
                   Value(true));
        vendor.put("DAERAH", Value(region));
        vendor.putTrimmed(row, {"NAMA", "NPWP", "ALAMAT", "FAX", "EMAIL", "WEBSITE", "CATATAN"});
        for (const char* number : kVendorNumbers) vendor.put(number, Value(row.number(number)));
        vendor.put("MU_BELI", Value(0));
        putPartnerFields(vendor, row);
        vendor.putStamps(run);
        return true;
    });
    xbase::workAreas().close("S_VENDOR");
    retaildb::TABLEIDUPDATE(retaildb::kVendorsRow, run.vendorNames.size());
}

void importCustomerGroups(TemplateRun& run) {
    if (!run.templateOpen("PELANG")) return;
    importGroupTemplate(run, kCustomerGroups, run.customerGroups);
    importGroupTemplate(run, kSecondCustomerGroups, run.secondCustomerGroups);
}

void putPartnerFields(importing::FieldWriter& record, const importing::SourceRow& row) {
    record.put("DIVISI_ID", Value(row.number("DIVISI")));
    record.put("NEGARA", Value(1));
    record.putPhonesAndContacts(row);
    const double currency = row.number("MU_CREDIT");
    record.put("MU_CREDIT", Value(currency != 0 ? currency : 1));
    record.put("PPN_TIPE", Value(0));
    record.put("USER_LVL", Value(std::string(30, '1')));
}

void importMasterData(TemplateRun& run) {
    importSales(run);
    importPriceGroups(run);
    importRegions(run);
    importVendors(run);
    importCustomerGroups(run);
    importCustomers(run);
    importCustomerExtras(run);
}

}  // namespace tarvo::templates
