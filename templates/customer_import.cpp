// Customers (PELANG -> S_PELANG) and their extra information (PELEXT -> S_PELEXT).

#include <algorithm>

#include "retaildb/record_routines.h"
#include "templates/master_data_fields.h"
#include "templates/master_data_import.h"
#include "ui/random_text.h"
#include "xbase/codepage.h"
#include "xbase/number_text.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {

constexpr uint32_t kCustomersRow = 18;
constexpr uint32_t kCustomerExtrasRow = 19;

uint32_t currentRecordCount() { return xbase::workAreas().current()->recCount(); }

// The opening points as ten digits padded with "0", twice, scrambled. The scrambled bytes go
// into the field as they are, so they pass through the table's code page unchanged.
void putOpeningPoints(double points) {
    std::string digits = xbase::Str(points, 10, 0);
    std::replace(digits.begin(), digits.end(), ' ', '0');
    const std::string scrambled = ui::PASSENCRYPT(digits + digits);
    const xbase::Table& table = *xbase::workAreas().current();
    putText("SIMPAN", xbase::CodePage::forLanguageDriver(table.languageDriver()).decode(scrambled));
}

// Records the table's record count as its last identifier, then commits and closes it.
void finishCountedTarget(const std::string& target, uint32_t identifierRow) {
    const xbase::Table* table = xbase::workAreas().find(target);
    if (table) retaildb::TABLEIDUPDATE(identifierRow, table->recCount());
    xbase::workAreas().close(target);
}

}  // namespace

void importCustomers(ImportRun& run) {
    if (!run.templateOpen("PELANG")) return;
    run.forEachRow("PELANG", [&](const TemplateRow& row) {
        if (isBlank(row.text("NAMA"))) return false;
        const uint32_t region = lookUp(run.regions, row, "KODE_DAE");
        const uint32_t secondRegion = lookUp(run.secondRegions, row, "KODE_DA2");
        const uint32_t group = lookUp(run.customerGroups, row, "KODE_GRP");
        const uint32_t secondGroup = lookUp(run.secondCustomerGroups, row, "KODE_GR2");
        const uint32_t salesman = lookUp(run.salesmen, row, "KODE_SALES");
        const uint32_t priceGroup = lookUp(run.priceGroups, row, "KODE_HJL");
        if (row.has("KODE")) run.customerCodes.add(row.code("KODE"));
        run.customerNames.add(row.code("NAMA"));

        run.appendTo("S_PELANG");
        putNumber("ID", currentRecordCount());
        putNumber("DIVISI_ID", row.number("DIVISI"));
        putFlags({"PJ_QUOTAT", "PJ_SALREQ", "PJ_SALORD", "PJ_KLRSTK", "PJ_ECERAN", "PJ_CASH", "PJ_CREDIT",
                  "PJ_CABANG", "PJ_RETCASH", "PJ_RETCRD", "PJ_DN", "PJ_CN", "PJ_DEPOSIT", "PJ_INVOICE"},
                 true);
        putNumber("GROUP_PEL", group);
        putNumber("GROUP_PE2", secondGroup);
        putNumber("GRPHJL_ID", priceGroup);
        putNumber("TIPE", row.number("TIPE") > 0 ? 1 : 0);
        putTrimmed(row, {"KODE", "NPWP", "NAMA", "KRM_NAMA", "FAX", "EMAIL", "WEBSITE", "TMP_LAHIR", "PEND_AKHIR",
                         "CATATAN"});
        putText("NPWP_NAMA", row.trimmed(row.has("NPWP_NAMA") ? "NPWP_NAMA" : "NAMA"));
        putText("NPWP_ALAMA", row.text(row.has("NPWP_ALAMA") ? "NPWP_ALAMA" : "ALAMAT"));
        putUnchanged(row, {"ALAMAT", "NO_KTP", "KRM_ALAMAT"});
        putNumber("DAERAH", region);
        putNumber("DAERAH2", secondRegion);
        putNumber("NEGARA", 1);
        putPhonesAndContacts(row);
        retaildb::VOFieldPut("TGL_LAHIR", xbase::Value(row.date("TGL_LAHIR")));
        putNumbers(row, {"TERM_CRD", "MAX_CRD", "MAX_CRD2", "MAX_CRD_PR", "MAX2_CRD", "MAX2_CRD2", "MAX2_CRD_P",
                         "MAX3_CRD", "MAX3_CRD_P", "SPS_DISC", "SPS_DISC2"});
        putNumber("MU_CREDIT", creditCurrency(row));
        putNumber("SALES", salesman);
        putNumber("MU_JUAL", 0);
        putNumber("PPN_TIPE", 0);
        putText("USER_LVL", kAllUserLevels);
        run.writeStamps();
        if (!run.options().pointsDate.empty() && row.number("POINT_AWAL") > 0)
            putOpeningPoints(row.number("POINT_AWAL"));
        return true;
    });
    finishCountedTarget("S_PELANG", kCustomersRow);
}

void importCustomerExtras(ImportRun& run) {
    if (!run.templateOpen("PELANG") || !run.templateOpen("PELEXT")) return;
    run.forEachRow("PELEXT", [&](const TemplateRow& row) {
        const std::string code = row.code("KODE_PEL");
        if (code.empty() || isBlank(row.text("INFO_1"))) return false;
        const uint32_t customer = run.customerCodes.find(code);
        if (customer == 0) return false;
        run.appendTo("S_PELEXT");
        putNumber("ID", currentRecordCount());
        putNumber("PELANG_ID", customer);
        putUnchanged(row, {"INFO_1", "INFO_2", "INFO_3", "INFO_4", "INFO_5", "INFO_6", "INFO_7", "INFO_8"});
        run.writeStamps();
        return true;
    });
    finishCountedTarget("S_PELEXT", kCustomerExtrasRow);
}

}  // namespace tarvo::templates
