#include "retaildb/catalogue.h"

namespace tarvo::retaildb {

const std::vector<CatalogueTable>& catalogue() {
    using enum IndexAfterImport;
    static const std::vector<CatalogueTable> tables = {
        {"S_TABLID", false, 0, Never},
        {"S_KONTRO", false, 0, Never},
        {"S_DAERAH", true, 2, Always},
        {"S_DAERA2", true, 63, Always},
        {"S_VENDOR", true, 17, Always},
        {"S_PELANG", true, 18, Always},
        {"S_PELEXT", true, 19, Always},
        {"S_KARYAW", true, 16, Never},
        {"S_GRPSTK", true, 9, Always},
        {"S_GRPST2", true, 10, Always},
        {"S_GRPST3", true, 11, Always},
        {"S_GRPHJL", true, 70, Always},
        {"S_GRPPEL", true, 13, Always},
        {"S_GRPPE2", true, 64, Always},
        {"S_SATUAN", false, 0, Never},
        {"S_STOCK", true, 15, Always},
        {"S_STKEOU", true, 0, Never},
        {"S_STKNAM", true, 0, Never},
        {"S_STKINF", true, 0, Never},
        {"S_STKHJL", true, 0, Always},
        {"S_PEMBEL", true, 22, Never},
        {"S_PEMBED", true, 0, WithOpeningStock},
        {"S_PENJUA", true, 31, Always},
        {"S_PENJUD", true, 0, WithOpeningStock},
        {"S_STKPRO", true, 0, Never},
        {"S_STKMAS", true, 39, Never},
        {"S_STKMEX", true, 0, WithOpeningStock},
        {"S_STKKLR", true, 40, Never},
        {"S_STKKEX", true, 0, WithOpeningStock},
    };
    return tables;
}

const std::vector<std::string>& emptiedTables() {
    // S_GRPHJL and S_STKHJL are emptied as well: the import numbers price groups from 1 again,
    // so old records would repeat identifiers, and old price lines would point at items that
    // now carry other identifiers.
    static const std::vector<std::string> aliases = {
        "S_DAERAH", "S_DAERA2", "S_VENDOR", "S_PELANG", "S_PELEXT", "S_KARYAW", "S_SATUAN",
        "S_GRPSTK", "S_GRPST2", "S_GRPST3", "S_GRPPEL", "S_GRPPE2", "S_STOCK",  "S_STKEOU",
        "S_STKNAM", "S_STKINF", "S_PEMBEL", "S_PEMBED", "S_PENJUA", "S_PENJUD", "S_STKPRO",
        "S_STKMAS", "S_STKMEX", "S_STKKLR", "S_STKKEX", "S_GRPHJL", "S_STKHJL",
    };
    return aliases;
}

const std::vector<WorkingTag>& stockWorkingTags() {
    static const std::vector<WorkingTag> tags = {
        {"KODE", "Upper(KODE_C)"},     {"KODE_2", "Upper(KODE_C_2)"}, {"KODE_3", "Upper(KODE_C_3)"},
        {"KODE_4", "Upper(KODE_C_4)"}, {"KODE_5", "Upper(KODE_C_5)"}, {"NAMA", "Upper(NAMA)+Upper(NAMAEX1)"},
    };
    return tags;
}

const std::vector<std::string>& indexesDeletedAfterImport() {
    static const std::vector<std::string> files = {
        "S_GRPSTK.CDX", "S_GRPST2.CDX", "S_GRPST3.CDX", "S_GRPHJL.CDX", "S_VENDOR.CDX",
        "S_DAERAH.CDX", "S_DAERA2.CDX", "S_GRPPEL.CDX", "S_GRPPE2.CDX", "S_PELANG.CDX",
        "S_PELEXT.CDX", "S_PENJUA.CDX", "S_STOCK.CDX",  "S_STKHJL.CDX", "S_SALES.CDX",
    };
    return files;
}

const std::vector<std::string>& indexesDeletedAfterStockClosing() {
    static const std::vector<std::string> files = {
        "S_TRMSEX.CDX", "S_PEMBED.CDX", "S_RETPBD.CDX", "S_KLRSEX.CDX", "S_PENJUD.CDX",
        "S_BONPEN.CDX", "S_RETPJD.CDX", "S_STKTRA.CDX", "S_STKTEX.CDX", "S_STKMEX.CDX",
        "S_STKKEX.CDX", "S_STKPEX.CDX", "S_STKSER.CDX",
    };
    return files;
}

}  // namespace tarvo::retaildb
