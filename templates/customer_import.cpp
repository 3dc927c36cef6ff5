// Customers (PELANG -> S_PELANG) and their extra information (PELEXT -> S_PELEXT).

#include <algorithm>

#include "retaildb/identifier_rows.h"
#include "templates/master_data_import.h"
#include "templates/references.h"
#include "ui/random_text.h"
#include "xbase/codepage.h"
#include "xbase/number_text.h"

namespace tarvo::templates {

namespace {

using xbase::Value;

// The customer template's credit and discount numbers, each into the field of its name.
constexpr const char* kCustomerNumbers[] = {"TERM_CRD", "MAX_CRD",  "MAX_CRD2",   "MAX_CRD_PR", "MAX2_CRD", "MAX2_CRD2",
                                            "MAX2_CRD_P", "MAX3_CRD", "MAX3_CRD_P", "SPS_DISC", "SPS_DISC2"};

bool takesCustomerRow(const importing::SourceRow& row) { return !importing::isBlank(row.text("NAMA")); }

// The opening points as ten digits padded with "0", twice, scrambled. The scrambled bytes go
// into the field as they are, so they pass through the table's code page unchanged.
void putOpeningPoints(importing::FieldWriter& customer, double points) {
    std::string digits = xbase::Str(points, 10, 0);
    std::replace(digits.begin(), digits.end(), ' ', '0');
    const std::string scrambled = ui::PASSENCRYPT(digits + digits);
    customer.put("SIMPAN", Value(xbase::CodePage::forLanguageDriver(customer.table().languageDriver()).decode(scrambled)));
}

}  // namespace

importing::SourceFeeds customerFeeds() {
    importing::SourceFeeds feeds{"PELANG", takesCustomerRow, {}};
    for (const char* number : kCustomerNumbers) feeds.feeds.push_back({"S_PELANG", number, importing::column(number)});
    return feeds;
}

void importCustomers(TemplateRun& run) {
    if (!run.templateOpen("PELANG")) return;
    importing::FieldWriter customer("S_PELANG");
    run.forEachRow("PELANG", [&](const importing::SourceRow& row) {
        if (!takesCustomerRow(row)) return false;
        const uint32_t region = codeReference(run.regions, row, "KODE_DAE");
        const uint32_t secondRegion = codeReference(run.secondRegions, row, "KODE_DA2");
        const uint32_t group = codeReference(run.customerGroups, row, "KODE_GRP");
        const uint32_t secondGroup = codeReference(run.secondCustomerGroups, row, "KODE_GR2");
        const uint32_t salesman = codeReference(run.salesmen, row, "KODE_SALES");
        const uint32_t priceGroup = codeReference(run.priceGroups, row, "KODE_HJL");
        if (row.has("KODE")) run.customerCodes.add(row.code("KODE"));
        run.customerNames.add(row.code("NAMA"));

        run.appendTo("S_PELANG");
        customer.put("ID", Value(customer.table().recCount()));
        customer.put({"PJ_QUOTAT", "PJ_SALREQ", "PJ_SALORD", "PJ_KLRSTK", "PJ_ECERAN", "PJ_CASH", "PJ_CREDIT",
                      "PJ_CABANG", "PJ_RETCASH", "PJ_RETCRD", "PJ_DN", "PJ_CN", "PJ_DEPOSIT", "PJ_INVOICE"},
                     Value(true));
        customer.put("GROUP_PEL", Value(group));
        customer.put("GROUP_PE2", Value(secondGroup));
        customer.put("GRPHJL_ID", Value(priceGroup));
        customer.put("TIPE", Value(row.number("TIPE") > 0 ? 1 : 0));
        customer.putTrimmed(row, {"KODE", "NPWP", "NAMA", "KRM_NAMA", "FAX", "EMAIL", "WEBSITE", "TMP_LAHIR",
                                  "PEND_AKHIR", "CATATAN"});
        customer.put("NPWP_NAMA", Value(row.trimmed(row.has("NPWP_NAMA") ? "NPWP_NAMA" : "NAMA")));
        customer.put("NPWP_ALAMA", Value(row.text(row.has("NPWP_ALAMA") ? "NPWP_ALAMA" : "ALAMAT")));
        customer.putUnchanged(row, {"ALAMAT", "NO_KTP", "KRM_ALAMAT"});
        customer.put("DAERAH", Value(region));
        customer.put("DAERAH2", Value(secondRegion));
        customer.put("TGL_LAHIR", Value(row.date("TGL_LAHIR")));
        for (const char* number : kCustomerNumbers) customer.put(number, Value(row.number(number)));
        customer.put("SALES", Value(salesman));
        customer.put("MU_JUAL", Value(0));
        putPartnerFields(customer, row);
        customer.putStamps(run);
        if (!run.options().pointsDate.empty() && row.number("POINT_AWAL") > 0)
            putOpeningPoints(customer, row.number("POINT_AWAL"));
        return true;
    });
    run.closeCounted("S_PELANG", retaildb::kCustomersRow);
}

void importCustomerExtras(TemplateRun& run) {
    if (!run.templateOpen("PELANG") || !run.templateOpen("PELEXT")) return;
    importing::FieldWriter extra("S_PELEXT");
    run.forEachRow("PELEXT", [&](const importing::SourceRow& row) {
        const std::string code = row.code("KODE_PEL");
        if (code.empty() || importing::isBlank(row.text("INFO_1"))) return false;
        const uint32_t customer = run.customerCodes.find(code);
        if (customer == 0) return false;
        run.appendTo("S_PELEXT");
        extra.put("ID", Value(extra.table().recCount()));
        extra.put("PELANG_ID", Value(customer));
        extra.putUnchanged(row, {"INFO_1", "INFO_2", "INFO_3", "INFO_4", "INFO_5", "INFO_6", "INFO_7", "INFO_8"});
        extra.putStamps(run);
        return true;
    });
    run.closeCounted("S_PELEXT", retaildb::kCustomerExtrasRow);
}

}  // namespace tarvo::templates
