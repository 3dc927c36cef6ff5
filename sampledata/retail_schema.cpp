// The retail tables' fields. Widths follow what the import writes into them: codes 20 to 50,
// names 100, identifiers and references N 10, money N 18,4, quantities N 15,4, percentages N 8,4,
// small numbered choices (currency, unit level, type) N 2, times of day in minutes N 5, and the
// record stamp's time as "hh:mm:ss" text.

#include "sampledata/retail_schema.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>

namespace tarvo::sampledata {
namespace {

using xbase::FieldInfo;
using Fields = std::vector<FieldInfo>;

// Type, width and decimals shared by the fields of one kind.
struct Kind {
    char type;
    int width;
    int decimals;
};

constexpr Kind kIdent{'N', 10, 0};      // ID and references to another table's ID
constexpr Kind kAmount{'N', 18, 4};     // prices and money
constexpr Kind kQuantity{'N', 15, 4};   // quantities, unit factors, exchange rates
constexpr Kind kPercent{'N', 8, 4};
constexpr Kind kChoice{'N', 2, 0};      // currency, unit level, type and other small numbers
constexpr Kind kWarehouse{'N', 3, 0};
constexpr Kind kNumber{'N', 5, 0};      // division, country, credit days, user, minutes of a day
constexpr Kind kFlag{'L', 1, 0};
constexpr Kind kDate{'D', 8, 0};
constexpr Kind kNote{'M', 10, 0};
constexpr Kind text(int width) { return {'C', width, 0}; }

Fields join(std::initializer_list<Fields> parts) {
    Fields out;
    for (const Fields& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

FieldInfo field(std::string name, Kind kind) { return {std::move(name), kind.type, kind.width, kind.decimals}; }

// One field, and several fields of one kind.
Fields f(const char* name, Kind kind) { return {field(name, kind)}; }

Fields each(std::initializer_list<const char*> names, Kind kind) {
    Fields out;
    for (const char* name : names) out.push_back(field(name, kind));
    return out;
}

// One field per number from first to last: the run of '#' in pattern becomes the number,
// padded with zeros to the run's length ("SISA_STK##" gives SISA_STK01 ... ).
Fields numbered(std::string_view pattern, int first, int last, Kind kind) {
    const size_t at = pattern.find('#');
    const size_t digits = std::min(pattern.find_first_not_of('#', at), pattern.size()) - at;
    Fields out;
    for (int n = first; n <= last; ++n) {
        std::string number = std::to_string(n);
        if (number.size() < digits) number.insert(0, digits - number.size(), '0');
        const std::string name = std::string(pattern.substr(0, at)) + number + std::string(pattern.substr(at + digits));
        out.push_back(field(name, kind));
    }
    return out;
}

// The record stamp of an import run: user -1, date and "hh:mm:ss".
Fields stamps() { return join({f("INPUT_OLEH", kNumber), f("TGL_INPUT", kDate), f("JAM_INPUT", text(8))}); }

// The validity marker the import sets to "MTST" on the records it appends.
Fields validity() { return f("DBF_VLD", text(4)); }

// Fields of the retail application that the import leaves blank.
Fields unwritten() { return join({f("KET_LAIN", text(50)), f("USER_EDIT", kNumber)}); }

// The fifteen selling discounts: three per price level, level by level.
Fields sellingDiscounts() {
    Fields out;
    for (int level = 1; level <= 5; ++level)
        for (int d = 1; d <= 3; ++d)
            out.push_back(field("DISC" + std::to_string(d) + "_J_0" + std::to_string(level), kPercent));
    return out;
}

// Header fields shared by other goods received and issued.
Fields stockMoveHeader() {
    return join({f("ID", kIdent), f("DIVISI_ID", kNumber), each({"PERKIR_ID", "GRPSMK_ID", "NO"}, kIdent),
                 f("GUDANG", kWarehouse), f("TANGGAL", kDate), f("CATATAN", text(50))});
}

// Line fields shared by other goods received and issued, after the header reference.
Fields stockMoveLine() {
    return join({f("STOCK_ID", kIdent), f("STOCK_GDG", kWarehouse), f("STKSER_ID", kIdent),
                 each({"STKSER_1", "STKSER_2"}, text(30)), f("TANGGAL", kDate), f("SATUAN", kChoice),
                 f("JUMLAH", kQuantity), f("HPP", kAmount)});
}

// A table whose fields are the parts in their order.
SampleRetailTable table(const char* alias, std::initializer_list<Fields> parts, std::vector<SampleIndexTag> tags = {}) {
    return {alias, join(parts), std::move(tags)};
}

std::vector<SampleRetailTable> buildSchema() {
    return {
        // Last identifier given out per table, one row per table addressed by record number.
        table("S_TABLID", {f("TABEL", text(10)), f("LAST_ID", kIdent)}, {{"TABEL", "Upper(TABEL)"}}),

        // The control record: shop, day closing, activity start, point date, item code lengths.
        table("S_KONTRO",
              {f("KODE_TOKO", text(10)), f("NAMA_TOKO", text(50)), f("TUTUP_HARI", kDate), f("AKT_MULAI", kDate),
               f("TUTUP_HIT1", text(10)), each({"STK_K_LEN", "STK_K_LEN2"}, {'N', 3, 0}), f("STK_N_EX1", kFlag),
               unwritten()},
              {{"KODE", "Upper(KODE_TOKO)"}}),

        // Regions.
        table("S_DAERAH", {f("ID", kIdent), f("DAERAH", text(30)), stamps(), validity(), unwritten()},
              {{"ID", "ID"}, {"DAERAH", "Upper(DAERAH)"}}),

        // Second regions.
        table("S_DAERA2", {f("ID", kIdent), f("DAERAH", text(30)), stamps(), validity()}),

        // Vendors (suppliers).
        table("S_VENDOR",
              {f("ID", kIdent), f("DIVISI_ID", kNumber),
               each({"PB_PURREQ", "PB_PURCOR", "PB_TRMSTK", "PB_CASH", "PB_CREDIT", "PB_CABANG", "PB_RETCASH",
                     "PB_RETCRD", "PB_DN", "PB_CN", "PB_DEPOSIT"},
                    kFlag),
               f("NEGARA", kNumber), f("DAERAH", kIdent), f("NAMA", text(50)), f("NPWP", text(30)),
               f("ALAMAT", text(150)), each({"TELEPON", "TELEPON_2", "TELEPON_3", "FAX"}, text(20)),
               each({"HUBUNGI", "HUBUNGI_2", "HUBUNGI_3"}, text(30)), numbered("HUB_TELP_#", 1, 3, text(20)),
               each({"EMAIL", "WEBSITE", "REKENING_1"}, text(30)), f("TERM_CRD", kNumber), f("MAX_CRD", kAmount),
               each({"MU_CREDIT", "MU_BELI", "PPN_TIPE"}, kChoice), f("USER_LVL", text(30)), f("CATATAN", kNote),
               stamps(), validity(), unwritten()},
              {{"NAMA", "Upper(NAMA)"}}),

        // Customers.
        table("S_PELANG",
              {f("ID", kIdent), f("DIVISI_ID", kNumber),
               each({"PJ_QUOTAT", "PJ_SALREQ", "PJ_SALORD", "PJ_KLRSTK", "PJ_ECERAN", "PJ_CASH", "PJ_CREDIT",
                     "PJ_CABANG", "PJ_RETCASH", "PJ_RETCRD", "PJ_DN", "PJ_CN", "PJ_DEPOSIT", "PJ_INVOICE"},
                    kFlag),
               each({"GROUP_PEL", "GROUP_PE2", "GRPHJL_ID"}, kIdent), f("TIPE", kChoice), f("KODE", text(20)),
               f("NPWP", text(30)), each({"NAMA", "NPWP_NAMA", "KRM_NAMA"}, text(50)),
               each({"ALAMAT", "NPWP_ALAMA", "KRM_ALAMAT"}, text(150)), f("NO_KTP", text(30)),
               each({"DAERAH", "DAERAH2"}, kIdent), f("NEGARA", kNumber),
               each({"TELEPON", "TELEPON_2", "TELEPON_3", "FAX"}, text(20)),
               each({"HUBUNGI", "HUBUNGI_2", "HUBUNGI_3"}, text(30)), numbered("HUB_TELP_#", 1, 3, text(20)),
               each({"EMAIL", "WEBSITE", "TMP_LAHIR"}, text(30)), f("TGL_LAHIR", kDate), f("PEND_AKHIR", text(20)),
               f("TERM_CRD", kNumber), each({"MAX_CRD", "MAX2_CRD", "MAX3_CRD"}, kAmount),
               each({"MAX_CRD2", "MAX2_CRD2"}, kNumber), each({"MAX_CRD_PR", "MAX2_CRD_P", "MAX3_CRD_P"}, kChoice),
               each({"SPS_DISC", "SPS_DISC2"}, kPercent), f("MU_CREDIT", kChoice), f("SALES", kIdent),
               each({"MU_JUAL", "PPN_TIPE"}, kChoice), f("USER_LVL", text(30)), f("CATATAN", kNote),
               f("SIMPAN", text(21)), stamps(), validity(), unwritten()},
              {{"KODE", "Upper(KODE)"}, {"NAMA", "Upper(NAMA)"}}),

        // Extra information lines per customer.
        table("S_PELEXT",
              {f("ID", kIdent), f("PELANG_ID", kIdent), numbered("INFO_#", 1, 8, text(30)), stamps(), validity()}),

        // Salesmen.
        table("S_KARYAW",
              {f("ID", kIdent), f("NAMA", text(50)), f("ALAMAT", text(150)), f("TELEPON", text(20)),
               f("CATATAN", text(50)), each({"SALES", "COLLECTOR"}, kFlag), f("KOMISI", kPercent), stamps(),
               validity(), unwritten()}),

        // Item groups, first grouping.
        table("S_GRPSTK", {f("ID", kIdent), f("NAMA", text(40)), stamps(), validity()}, {{"NAMA", "Upper(NAMA)"}}),

        // Item groups, second grouping.
        table("S_GRPST2", {f("ID", kIdent), f("NAMA", text(40)), stamps(), validity()}),

        // Item groups, third grouping.
        table("S_GRPST3", {f("ID", kIdent), f("NAMA", text(40)), stamps(), validity()}),

        // Selling-price groups.
        table("S_GRPHJL", {f("ID", kIdent), f("NAMA", text(30)), stamps(), validity(), unwritten()},
              {{"NAMA", "Upper(NAMA)"}}),

        // Customer groups.
        table("S_GRPPEL", {f("ID", kIdent), f("NAMA", text(30)), stamps(), validity()}),

        // Second customer groups.
        table("S_GRPPE2", {f("ID", kIdent), f("NAMA", text(30)), stamps(), validity()}),

        // Unit sets: up to ten units with their level numbers and factors.
        table("S_SATUAN",
              {f("SATUAN_VAL", kIdent), f("SATUAN_TXT", text(20)), numbered("SAT_##_VAL", 1, 10, kChoice),
               numbered("SAT_##_TXT", 1, 10, text(10)), numbered("SAT_##_SAT", 1, 10, kQuantity), validity()},
              {{"SATUAN", "SATUAN_VAL"}, {"TEKS", "Upper(SATUAN_TXT)"}}),

        // Items: codes, names, units, prices per level, discounts, permissions, stock per warehouse.
        table("S_STOCK",
              {f("ID", kIdent), stamps(), f("HIDE", kFlag), f("NAMA", text(100)),
               each({"NAMAEX1", "NAMAEX2"}, text(30)), f("NAMA_2", text(100)), f("JENIS", {'N', 1, 0}),
               each({"GROUP_STK", "GROUP_ST2", "GROUP_ST3"}, kIdent),
               numbered("EXT_INFO_#", 1, 3, text(30)), f("VENDOR", kIdent), f("KODE_N", kIdent),
               f("KODE_C", text(20)), numbered("KODE_C_#", 2, 5, text(20)), f("QUAN_PICT", text(15)),
               f("BARCODE", text(20)), f("SERIAL_ID", kIdent),
               each({"SERIAL_2", "EXPIRED", "NON_PAJAK", "TNP_HARGA"}, kFlag), f("TIPE_SATU", kIdent),
               numbered("SAT_K_##", 1, 10, kQuantity), each({"SAT_ECR", "SAT_OUT", "SAT_OUT_2", "SAT_OUT_D"}, kChoice),
               f("KURS_JUAL", kQuantity),
               f("MU_H_BELI", kChoice), numbered("MU_H_J_##", 1, 5, kChoice), f("MU_H_MIN", kChoice),
               f("HARGA_BELI", kAmount), numbered("HARGA_J_##", 1, 5, kAmount), f("HARGA_MIN", kAmount),
               f("JML_BELI", kQuantity), numbered("JML_J_##", 1, 5, kQuantity), f("JML_MIN", kQuantity),
               f("SAT_BELI", kChoice), numbered("SAT_J_##", 1, 5, kChoice), f("SAT_MIN", kChoice),
               each({"MIN_STOCK", "MAX_STOCK", "MIN_JUAL"}, kQuantity),
               each({"MIN_STK_ST", "MAX_STK_ST", "MIN_JL_ST"}, kChoice), f("DISC_BL_P", kPercent), sellingDiscounts(),
               each({"VOL_METER", "VOL_LITER"}, kQuantity), each({"VOL_MTRSAT", "VOL_LTRSAT"}, kChoice),
               numbered("HAR_J_##_P", 1, 5, kPercent), f("HAR_MIN_P", kPercent), f("SAT_DEF", kChoice),
               f("CATATAN", text(100)),
               each({"ITM_PURCOR", "ITM_TRMSTK", "ITM_PEMBEL", "ITM_RETPEM", "ITM_QUOTAT", "ITM_SALORD", "ITM_KLRSTK",
                     "ITM_PENJEC", "ITM_PENJUA", "ITM_BONPEN", "ITM_RETPEN", "ITM_STKPIN", "ITM_STKTRA", "ITM_STKREP",
                     "ITM_STKMAS", "ITM_STKKLR"},
                    kFlag),
               numbered("GUDANG_##", 1, 6, kFlag), numbered("SISA_STK##", 1, 30, kQuantity),
               numbered("SISA_ST2##", 1, 30, kQuantity), numbered("SISA_ST3##", 1, 30, kQuantity),
               numbered("SISA_NIL##", 1, 30, kAmount), validity(), unwritten()},
              {{"KODE", "Upper(KODE_C)"}}),

        // Links between items: an item made of a quantity of another.
        table("S_STKEOU", {each({"STOCK_ID", "STOCK_ID2"}, kIdent), f("JUMLAH", kQuantity), f("SATUAN", kChoice),
                           f("HPP", kPercent), unwritten()}),

        // Alias names per item.
        table("S_STKNAM", {f("STOCK_ID", kIdent), f("NAMA", text(100))}),

        // Extra information lines per item.
        table("S_STKINF", {f("STOCK_ID", kIdent), numbered("INFO_#", 1, 4, text(250))}),

        // Item prices per selling-price group.
        table("S_STKHJL",
              {each({"STOCK_ID", "GRPHJL_ID"}, kIdent), numbered("MU_H_J_##", 1, 5, kChoice),
               numbered("HARGA_J_##", 1, 5, kAmount), numbered("JML_J_##", 1, 5, kQuantity),
               numbered("SAT_J_##", 1, 5, kChoice), sellingDiscounts(), unwritten()},
              {{"STOCK", "Str(STOCK_ID,10)+Str(GRPHJL_ID,10)"}}),

        // Purchase invoices: opening payables and the opening-stock receipt.
        table("S_PEMBEL",
              {f("ID", kIdent), f("DIVISI_ID", kNumber), f("JENPEM_ID", kIdent), each({"NO", "NO_EX1"}, text(20)),
               f("VENDOR", kIdent), each({"TANGGAL", "TANGGAL2"}, kDate), f("PUKUL", kNumber), f("MAUANG", kChoice),
               f("KURS", kQuantity), f("NO_MILIK", kChoice), each({"NO_MLK_CSH", "BARANG_TRM", "SALDO_AWAL"}, kFlag),
               each({"PERKIR_1", "PERKIR_2", "PURCOR_ID"}, kIdent), f("GUDANG", kWarehouse), f("TERM_CRD", kNumber),
               each({"DEPOSIT", "DISC_NILAI"}, kAmount), f("PPN_TIPE", kChoice), f("PPN_PERS", kPercent),
               f("PPN_NILAI", kAmount), numbered("ADJ_##", 1, 5, kAmount),
               each({"TOT_HARGA", "TOT_HAREX1", "TOT_HAREX2", "TOT_DISC", "TOT_RETUR"}, kAmount),
               each({"CATATAN", "CATATAN_2", "CATATAN_3"}, text(100)), stamps(), validity(), unwritten()}),

        // Purchase lines.
        table("S_PEMBED",
              {f("PEMBEL_ID", kIdent), f("STOCK_ID", kIdent), f("STOCK_GDG", kWarehouse),
               each({"STKSER_1", "STKSER_2"}, text(30)), f("VENDOR", kIdent), f("TANGGAL", kDate),
               f("SATUAN", kChoice), f("JUMLAH", kQuantity),
               each({"HARGA", "HARGA_EX1", "HARGA_EX2", "DISC_NILAI", "MAST_DISC", "MAST_PPN"}, kAmount),
               numbered("MAST_ADJ_#", 1, 5, kAmount), f("EXPIRED", kDate)},
              {{"PEMBEL", "Str(PEMBEL_ID,10)"}}),

        // Sales invoices: opening receivables and imported sales.
        table("S_PENJUA",
              {f("ID", kIdent), each({"SALORD_ID", "ECRLST_ID"}, kIdent), f("DIVISI_ID", kNumber),
               each({"JENPEN_ID", "PERKIR_1", "PERKIR_2"}, kIdent), f("BARANG_KLR", kFlag), f("NO_MILIK", kChoice),
               f("NO_MLK_CSH", kFlag), f("NO", kIdent), each({"NO_C", "PO"}, text(20)), f("GUDANG", kWarehouse),
               f("TANGGAL", kDate), f("PUKUL", kNumber), f("PELEXT_ID", kIdent), f("PEL_NAMA", text(50)),
               f("PEL_ALAMAT", text(150)), f("MAUANG", kChoice), each({"KURS", "KURS_PAJAK"}, kQuantity),
               f("TERM_CRD", kNumber),
               each({"TOT_HARGA", "TOT_HAREX1", "TOT_HAREX2", "TOT_DISC", "TOT_PAJAK", "TOT_RETUR"}, kAmount),
               f("DISC_NILAI", kAmount), f("DISC_PERST", kPercent), numbered("ADJ_##", 1, 5, kAmount),
               f("DEPOSIT", kAmount), f("PPN_TIPE", kChoice), f("PPN_PERS", kPercent), f("PPN_NILAI", kAmount),
               f("TGL_LUNAS", kDate), f("LUNAS", kAmount), each({"CATATAN", "CATATAN_2", "CATATAN_3"}, text(100)),
               f("SALDO_AWAL", kFlag), each({"PELANG", "SALES"}, kIdent), f("SALES_KOM", kPercent), stamps(),
               validity(), unwritten()},
              {{"NO", "NO"}, {"NO_C", "Upper(NO_C)"}}),

        // Sales lines.
        table("S_PENJUD",
              {each({"PENJUA_ID", "PEMBEL_ID", "PERKIR_ID", "STOCK_ID", "STOCK_ID2"}, kIdent),
               f("STOCK_GDG", kWarehouse), f("STOCK_NON", text(50)), f("STKSER_ID", kIdent),
               each({"STKSER_1", "STKSER_2"}, text(30)), each({"PELANG", "SALES"}, kIdent), f("TANGGAL", kDate),
               f("SATUAN", kChoice), f("SATUAN_C", text(10)), f("JUMLAH", kQuantity), f("OUT_SATUAN", kChoice),
               f("OUT_JUMLAH", kQuantity), f("BON_SATUAN", kChoice), f("BON_JUMLAH", kQuantity),
               each({"HARGA", "HARGA_EX1", "HARGA_EX2"}, kAmount),
               each({"DISC_PERS", "DISC_PERS2", "DISC_PERS3"}, kPercent),
               each({"DISC_NILAI", "HPP", "HPP_BONUS", "MAST_DISC", "MAST_PPN"}, kAmount),
               numbered("MAST_ADJ_#", 1, 5, kAmount)}),

        // Item discounts with a date range.
        table("S_STKPRO",
              {f("STOCK_ID", kIdent), each({"TANGGAL_1", "TANGGAL_2"}, kDate), numbered("DISC_PERS#", 1, 3, kPercent),
               f("MU_DISC_NL", kChoice), f("DISC_NILAI", kAmount), f("DISC_SAT", kChoice), f("CATATAN", text(50)),
               stamps(), validity()}),

        // Other goods received: headers.
        table("S_STKMAS", {stockMoveHeader(), stamps(), validity(), unwritten()}),

        // Other goods received: lines.
        table("S_STKMEX", {f("STKMAS_ID", kIdent), stockMoveLine()}),

        // Other goods issued: headers.
        table("S_STKKLR", {stockMoveHeader(), stamps(), validity(), unwritten()}),

        // Other goods issued: lines.
        table("S_STKKEX", {f("STKKLR_ID", kIdent), stockMoveLine()}),

        // Sales per item and day.
        table("S_SALES",
              {f("ID", kIdent), f("TANGGAL", kDate), f("STOCK_ID", kIdent), f("JUMLAH", kQuantity),
               f("NILAI", kAmount), validity()},
              {{"TANGGAL", "DTOS(TANGGAL)+Str(STOCK_ID,10)"}}),

        // Goods receipt lines.
        table("S_TRMSEX", {each({"TRMSTK_ID", "STOCK_ID"}, kIdent), f("STOCK_GDG", kWarehouse), f("TANGGAL", kDate),
                           f("SATUAN", kChoice), f("JUMLAH", kQuantity), f("HARGA", kAmount)}),

        // Purchase return lines.
        table("S_RETPBD", {each({"RETPEM_ID", "STOCK_ID"}, kIdent), f("STOCK_GDG", kWarehouse), f("TANGGAL", kDate),
                           f("SATUAN", kChoice), f("JUMLAH", kQuantity), f("HARGA", kAmount)}),

        // Goods issue lines of sales orders.
        table("S_KLRSEX", {each({"KLRSTK_ID", "STOCK_ID"}, kIdent), f("STOCK_GDG", kWarehouse), f("TANGGAL", kDate),
                           f("SATUAN", kChoice), f("JUMLAH", kQuantity), f("HPP", kAmount)}),

        // Sales voucher lines.
        table("S_BONPEN", {each({"PENJUA_ID", "STOCK_ID"}, kIdent), f("STOCK_GDG", kWarehouse), f("TANGGAL", kDate),
                           f("SATUAN", kChoice), f("JUMLAH", kQuantity)}),

        // Sales return lines.
        table("S_RETPJD", {each({"RETPEN_ID", "STOCK_ID"}, kIdent), f("STOCK_GDG", kWarehouse), f("TANGGAL", kDate),
                           f("SATUAN", kChoice), f("JUMLAH", kQuantity), each({"HARGA", "HPP"}, kAmount)}),

        // Transfers between warehouses: headers.
        table("S_STKTRA",
              {f("ID", kIdent), f("NO", kIdent), f("TANGGAL", kDate), each({"GUDANG_1", "GUDANG_2"}, kWarehouse),
               f("CATATAN", text(50)), stamps(), validity()}),

        // Transfers between warehouses: lines.
        table("S_STKTEX", {each({"STKTRA_ID", "STOCK_ID"}, kIdent), f("SATUAN", kChoice), f("JUMLAH", kQuantity),
                           f("HPP", kAmount)}),

        // Stock count lines.
        table("S_STKPEX", {each({"STKPIN_ID", "STOCK_ID"}, kIdent), f("STOCK_GDG", kWarehouse), f("TANGGAL", kDate),
                           f("SATUAN", kChoice), each({"JUMLAH", "SELISIH"}, kQuantity)}),

        // Serial numbers of items.
        table("S_STKSER",
              {f("ID", kIdent), f("STOCK_ID", kIdent), f("STOCK_GDG", kWarehouse),
               each({"SERIAL_1", "SERIAL_2"}, text(30)), f("EXPIRED", kDate), validity()},
              {{"SERIAL", "Upper(SERIAL_1)"}}),
    };
}

}  // namespace

const std::vector<SampleRetailTable>& sampleRetailSchema() {
    static const std::vector<SampleRetailTable> schema = buildSchema();
    return schema;
}

const SampleRetailTable* sampleRetailTable(std::string_view alias) {
    for (const SampleRetailTable& t : sampleRetailSchema())
        if (t.alias == alias) return &t;
    return nullptr;
}

}  // namespace tarvo::sampledata
