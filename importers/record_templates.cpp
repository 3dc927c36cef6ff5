#include "importers/record_templates.h"

#include "retaildb/record_routines.h"
#include "xbase/blanks.h"
#include "xbase/work_areas.h"

namespace tarvo::importers {

namespace {

using xbase::Value;

const Value& allUserLevels() {
    static const Value levels(std::string(30, '1'));
    return levels;
}

// A new record with its ID (the record number unless given) and the run stamps.
void appended(ImportRun& run, FieldWriter& target, std::optional<uint32_t> id = {}) {
    run.appendTo(target.alias());
    target.put("ID", Value(id ? *id : target.table().recCount()));
    target.putStamps(run);
}

}  // namespace

std::string GETALAMAT(const std::string& line1, const std::string& line2, const std::string& line3) {
    std::string address(xbase::trimmed(line1));
    const std::string second(xbase::trimmed(line2));
    const std::string third(xbase::trimmed(line3));
    if (!second.empty()) address = address.empty() ? second : address + "\r\n" + second;
    if (!third.empty()) address = address.empty() ? third : address + ", " + third;
    return address;
}

void appendCustomer(ImportRun& run, FieldWriter& customers, const CustomerRecord& customer) {
    appended(run, customers);
    customers.put({"PJ_QUOTAT", "PJ_SALREQ", "PJ_SALORD", "PJ_KLRSTK", "PJ_ECERAN", "PJ_CASH", "PJ_CREDIT",
                   "PJ_CABANG", "PJ_RETCASH", "PJ_RETCRD", "PJ_DN", "PJ_CN", "PJ_DEPOSIT", "PJ_INVOICE"},
                  Value(true));
    customers.put("KODE", Value(customer.code));
    customers.put("NPWP", Value(customer.taxNumber));
    customers.put({"NPWP_NAMA", "NAMA"}, Value(customer.name));
    customers.put({"NPWP_ALAMA", "ALAMAT"}, Value(customer.address));
    customers.put("NEGARA", Value(1));
    if (customer.region) customers.put("DAERAH", Value(*customer.region));
    customers.put("TELEPON", Value(customer.phone));
    customers.put("FAX", Value(customer.fax));
    customers.put("HUBUNGI", Value(customer.contact));
    customers.put(kCreditTermField, Value(customer.creditTerm));
    customers.put("MU_CREDIT", Value(1));
    customers.put(kCreditLimitField, Value(customer.creditLimit));
    customers.put({"MU_JUAL", "PPN_TIPE"}, Value(0));
    customers.put("USER_LVL", allUserLevels());
    customers.put("CATATAN", Value(customer.note));
}

void appendVendor(ImportRun& run, FieldWriter& vendors, const VendorRecord& vendor) {
    appended(run, vendors, vendor.id);
    vendors.put({"PB_PURREQ", "PB_PURCOR", "PB_TRMSTK", "PB_CASH", "PB_CREDIT", "PB_CABANG", "PB_RETCASH",
                 "PB_RETCRD", "PB_DN", "PB_CN", "PB_DEPOSIT"},
                Value(true));
    vendors.put("NAMA", Value(vendor.name));
    vendors.put("NPWP", Value(vendor.taxNumber));
    vendors.put("ALAMAT", Value(vendor.address));
    vendors.put("NEGARA", Value(1));
    vendors.put("TELEPON", Value(vendor.phone));
    vendors.put("FAX", Value(vendor.fax));
    vendors.put("HUBUNGI", Value(vendor.contact));
    vendors.put("REKENING_1", Value(vendor.bankAccount));
    vendors.put(kCreditTermField, Value(vendor.creditTerm));
    vendors.put("MU_BELI", Value(0));
    vendors.put("MU_CREDIT", Value(1));
    vendors.put(kCreditLimitField, Value(vendor.creditLimit));
    vendors.put("PPN_TIPE", Value(0));
    vendors.put("USER_LVL", allUserLevels());
    vendors.put("CATATAN", Value(vendor.note));
}

void appendSalesman(ImportRun& run, FieldWriter& salesmen, const SalesmanRecord& salesman) {
    appended(run, salesmen);
    salesmen.put("NAMA", Value(salesman.name));
    salesmen.put("ALAMAT", Value(salesman.address));
    salesmen.put("TELEPON", Value(salesman.phone));
    salesmen.put({"SALES", "COLLECTOR"}, Value(true));
    salesmen.put("CATATAN", Value(salesman.note));
}

void appendItem(ImportRun& run, FieldWriter& stock, const ItemRecord& item) {
    appended(run, stock);
    stock.put("HIDE", Value(false));
    stock.put("NAMA", Value(item.name));
    stock.put("NAMAEX1", Value(item.nameExtension));
    stock.put("NAMAEX2", Value(""));
    stock.put("NAMA_2", Value(item.fullName));
    stock.put("JENIS", Value(item.kind));
    stock.put("GROUP_STK", Value(item.group));
    stock.put({"GROUP_ST2", "GROUP_ST3"}, Value(0));
    stock.put("VENDOR", Value(item.vendor));
    stock.put("KODE_N", Value(0));
    stock.put({"KODE_C", "KODE_C_2", "KODE_C_3", "KODE_C_4", "KODE_C_5"}, Value(item.code));
    stock.put("BARCODE", Value(""));
    stock.put("SERIAL_ID", Value(0));
    stock.put({"SERIAL_2", "EXPIRED", "NON_PAJAK", "TNP_HARGA"}, Value(false));
    stock.put("TIPE_SATU", Value(item.unit));
    stock.put("SAT_K_01", Value(1));
    stock.put({"SAT_K_02", "SAT_K_03", "SAT_K_04", "SAT_K_05", "SAT_K_06", "SAT_K_07", "SAT_K_08", "SAT_K_09",
               "SAT_K_10"},
              Value(0));
    stock.put({"SAT_ECR", "SAT_OUT", "SAT_OUT_2"}, Value(1));
    stock.put("SAT_OUT_D", Value(2));
    stock.put({"KURS_JUAL", "SAT_BELI", "SAT_J_01", "SAT_MIN"}, Value(1));
    const char* sellingLevels[] = {"SAT_J_02", "SAT_J_03", "SAT_J_04", "SAT_J_05"};
    for (size_t n = 0; n < item.sellingLevels.size(); ++n) stock.put(sellingLevels[n], Value(item.sellingLevels[n]));
    stock.put({"JML_BELI", "JML_J_01", "JML_J_02", "JML_J_03", "JML_J_04", "JML_J_05", "JML_MIN"}, Value(1));
    stock.put("MU_H_BELI", Value(item.purchaseCurrency));
    stock.put({"MU_H_J_01", "MU_H_J_02", "MU_H_J_03", "MU_H_J_04", "MU_H_J_05"}, Value(item.sellingCurrency));
    stock.put("MU_H_MIN", Value(1));
    stock.put(kPurchasePriceField, Value(item.purchasePrice));
    for (size_t n = 0; n < item.sellingPrices.size(); ++n)
        stock.put(kSellingPriceFields[n], Value(item.sellingPrices[n]));
    stock.put("HARGA_MIN", Value(0));
    stock.put(kMinimumStockField, Value(item.minimumStock));
    stock.put({"MIN_STK_ST", "MAX_STK_ST", "MIN_JL_ST"}, Value(1));
    stock.put({"MAX_STOCK", "MIN_JUAL", "HAR_J_01_P", "HAR_J_02_P", "HAR_J_03_P", "HAR_J_04_P", "HAR_J_05_P",
               "HAR_MIN_P"},
              Value(0));
    stock.put("QUAN_PICT", Value("999,999"));
    stock.put("SAT_DEF", Value(1));
    stock.put({"CATATAN", "EXT_INFO_1", "EXT_INFO_2", "EXT_INFO_3"}, Value(""));
    stock.put({"ITM_PURCOR", "ITM_TRMSTK", "ITM_PEMBEL", "ITM_RETPEM", "ITM_QUOTAT", "ITM_SALORD", "ITM_KLRSTK",
               "ITM_PENJEC", "ITM_PENJUA", "ITM_BONPEN", "ITM_RETPEN", "ITM_STKPIN", "ITM_STKTRA", "ITM_STKREP",
               "ITM_STKMAS", "ITM_STKKLR", "GUDANG_01", "GUDANG_02", "GUDANG_03", "GUDANG_04", "GUDANG_05", "GUDANG_06"},
              Value(true));
}

void appendListRecord(ImportRun& run, FieldWriter& target, const char* nameField, uint32_t id, const std::string& name) {
    appended(run, target, id);
    target.put(nameField, Value(name));
}

void writeListTable(ImportRun& run, const importing::CodeList& list, const char* progressText, const char* target,
                    const char* nameField, uint32_t identifierRow) {
    FieldWriter records(target);
    run.forEachEntry(list.size(), progressText,
                     [&](uint32_t position) { appendListRecord(run, records, nameField, position, list.at(position)); });
    xbase::workAreas().close(target);
    retaildb::TABLEIDUPDATE(identifierRow, list.size());
}

}  // namespace tarvo::importers
