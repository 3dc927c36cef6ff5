#include "templates/template_layouts.h"

#include <algorithm>

namespace tarvo::templates {

namespace {

constexpr bool MUST = true;   // mandatory column
constexpr bool MAY = false;   // optional column
constexpr bool HARD = true;   // a wider character column is refused
constexpr bool SOFT = false;  // a wider character column is only reported

// One layout line. A line with a range stands for the columns name+first ... name+last.
struct Column {
    const char* name;
    const char* type;
    uint16_t width;
    uint16_t decimals;
    bool mandatory;
    bool hardWidth;
    int first = 0;
    int last = 0;
};
using Columns = std::vector<Column>;

Columns operator+(Columns head, const Columns& tail) {
    head.insert(head.end(), tail.begin(), tail.end());
    return head;
}

// The five selling prices with their discounts, in ITEM and in STKHJL.
const Columns kSellingPrices = {
    {"MU_JUAL", "N", 1, 0, MAY, SOFT, 1, 5},
    {"H_JUAL1", "N", 12, 2, MAY, SOFT},
    {"H_JL1_PER", "N", 10, 3, MAY, SOFT},
    {"H_JL1_SAT", "N", 1, 0, MAY, SOFT},
    {"H_JUAL2", "N", 12, 2, MAY, SOFT},
    {"H_JL2_PER", "N", 10, 3, MAY, SOFT},
    {"H_JL2_SAT", "N", 1, 0, MAY, SOFT},
    {"H_JUAL3", "N", 12, 2, MAY, SOFT},
    {"H_JL3_PER", "N", 10, 3, MAY, SOFT},
    {"H_JL3_SAT", "N", 1, 0, MAY, SOFT},
    {"H_JUAL4", "N", 12, 2, MAY, SOFT},
    {"H_JL4_PER", "N", 10, 3, MAY, SOFT},
    {"H_JL4_SAT", "N", 1, 0, MAY, SOFT},
    {"H_JUAL5", "N", 12, 2, MAY, SOFT},
    {"H_JL5_PER", "N", 10, 3, MAY, SOFT},
    {"H_JL5_SAT", "N", 1, 0, MAY, SOFT},
    {"DISC1_J_01", "N", 6, 2, MAY, SOFT},
    {"DISC2_J_01", "N", 6, 2, MAY, SOFT},
    {"DISC3_J_01", "N", 6, 2, MAY, SOFT},
    {"DISC1_J_02", "N", 6, 2, MAY, SOFT},
    {"DISC2_J_02", "N", 6, 2, MAY, SOFT},
    {"DISC3_J_02", "N", 6, 2, MAY, SOFT},
    {"DISC1_J_03", "N", 6, 2, MAY, SOFT},
    {"DISC2_J_03", "N", 6, 2, MAY, SOFT},
    {"DISC3_J_03", "N", 6, 2, MAY, SOFT},
    {"DISC1_J_04", "N", 6, 2, MAY, SOFT},
    {"DISC2_J_04", "N", 6, 2, MAY, SOFT},
    {"DISC3_J_04", "N", 6, 2, MAY, SOFT},
    {"DISC1_J_05", "N", 6, 2, MAY, SOFT},
    {"DISC2_J_05", "N", 6, 2, MAY, SOFT},
    {"DISC3_J_05", "N", 6, 2, MAY, SOFT},
};

// Item groups, price groups, regions and customer groups: a code and a name.
Columns groupLayout(uint16_t codeWidth, uint16_t nameWidth) {
    return {
        {"KODE", "C", codeWidth, 0, MUST, HARD},
        {"NAMA", "C", nameWidth, 0, MUST, SOFT},
    };
}

const Columns kItem = Columns{
    {"JENIS", "N", 1, 0, MAY, SOFT},
    {"KODE", "C", 20, 0, MUST, HARD},
    {"KODE_", "C", 20, 0, MAY, SOFT, 2, 5},
    {"KODE2", "C", 20, 0, MAY, SOFT},
    {"NAMA", "C", 100, 0, MUST, SOFT},
    {"NAMAEX1", "C", 30, 0, MAY, SOFT},
    {"NAMA2", "C", 50, 0, MAY, SOFT},
    {"KODE_VEN", "C", 50, 0, MAY, HARD},
    {"NAMA_VEN", "C", 50, 0, MAY, HARD},
    {"KODE_GRP1", "C", 40, 0, MAY, HARD},
    {"KODE_GRP2", "C", 40, 0, MAY, HARD},
    {"KODE_GRP3", "C", 40, 0, MAY, HARD},
    {"EXT_INFO_1", "C", 30, 0, MAY, HARD},
    {"EXT_INFO_2", "C", 30, 0, MAY, HARD},
    {"EXT_INFO_3", "C", 30, 0, MAY, HARD},
    {"QUAN_PICT", "N", 1, 0, MAY, SOFT},
    {"SAT_", "C", 5, 0, MAY, SOFT, 1, 5},
    {"SAT_2_KONV", "N", 12, 4, MAY, SOFT},
    {"SAT_3_KONV", "N", 12, 4, MAY, SOFT},
    {"SAT_4_KONV", "N", 12, 4, MAY, SOFT},
    {"SAT_5_KONV", "N", 12, 4, MAY, SOFT},
    {"MIN_STOCK", "N", 13, 3, MAY, SOFT},
    {"MIN_STK_ST", "N", 1, 0, MAY, SOFT},
    {"MU_BELI", "N", 1, 0, MAY, SOFT},
    {"H_BELI", "N", 12, 2, MAY, SOFT},
    {"H_BL_PER", "N", 10, 3, MAY, SOFT},
    {"H_BL_SAT", "N", 1, 0, MAY, SOFT},
    {"DISC_BL_P", "N", 6, 2, MAY, SOFT},
} + kSellingPrices + Columns{
    {"MU_MINJUAL", "N", 1, 0, MAY, SOFT},
    {"H_MINJUAL", "N", 12, 2, MAY, SOFT},
    {"H_MJL_PER", "N", 10, 3, MAY, SOFT},
    {"H_MJL_SAT", "N", 1, 0, MAY, SOFT},
    {"VOL_METER", "N", 11, 4, MAY, SOFT},
    {"VOL_MTRSAT", "N", 1, 0, MAY, SOFT},
    {"VOL_LITER", "N", 11, 4, MAY, SOFT},
    {"VOL_LTRSAT", "N", 1, 0, MAY, SOFT},
    {"LINK_KODE", "C", 20, 0, MAY, HARD},
    {"LINK_JML", "N", 10, 3, MAY, SOFT},
    {"LINK_SAT", "N", 1, 0, MAY, SOFT},
    {"CATATAN", "C", 50, 0, MAY, SOFT},
    {"SISA_STK", "N", 14, 4, MAY, SOFT, 1, 30},
    {"SISA_NIL", "N", 14, 2, MAY, SOFT, 1, 30},
};

const Columns kItemInfo = {
    {"KODE_ITEM", "C", 20, 0, MUST, HARD},
    {"INFO_1", "C", 250, 0, MUST, HARD},
    {"INFO_2", "C", 250, 0, MAY, SOFT},
    {"INFO_3", "C", 250, 0, MAY, SOFT},
    {"INFO_4", "C", 250, 0, MAY, SOFT},
};

const Columns kItemName = {
    {"KODE_ITEM", "C", 20, 0, MUST, HARD},
    {"NAMA", "C", 100, 0, MUST, HARD},
};

const Columns kItemPrices = Columns{
    {"KODE_ITEM", "C", 20, 0, MUST, HARD},
    {"KODE_GRP", "C", 40, 0, MUST, HARD},
} + kSellingPrices;

const Columns kVendor = {
    {"DIVISI", "N", 3, 0, MAY, SOFT},
    {"KODE", "C", 50, 0, MAY, HARD},
    {"NAMA", "C", 50, 0, MUST, HARD},
    {"NPWP", "C", 30, 0, MAY, SOFT},
    {"ALAMAT", "C", 150, 0, MAY, SOFT},
    {"KODE_DAE", "C", 30, 0, MAY, HARD},
    {"TELEPON", "C", 20, 0, MAY, SOFT},
    {"TELEPON_2", "C", 20, 0, MAY, SOFT},
    {"TELEPON_3", "C", 20, 0, MAY, SOFT},
    {"FAX", "C", 20, 0, MAY, SOFT},
    {"HUBUNGI", "C", 30, 0, MAY, SOFT},
    {"HUB_TELP_1", "C", 20, 0, MAY, SOFT},
    {"HUBUNGI_2", "C", 30, 0, MAY, SOFT},
    {"HUB_TELP_2", "C", 20, 0, MAY, SOFT},
    {"HUBUNGI_3", "C", 30, 0, MAY, SOFT},
    {"HUB_TELP_3", "C", 20, 0, MAY, SOFT},
    {"EMAIL", "C", 30, 0, MAY, SOFT},
    {"WEBSITE", "C", 30, 0, MAY, SOFT},
    {"TERM_CRD", "N", 3, 0, MAY, SOFT},
    {"MU_CREDIT", "N", 1, 0, MAY, SOFT},
    {"MAX_CRD", "N", 12, 2, MAY, SOFT},
    {"CATATAN", "C", 500, 0, MAY, SOFT},
};

const Columns kSalesman = {
    {"KODE", "C", 30, 0, MUST, HARD},
    {"NAMA", "C", 30, 0, MUST, SOFT},
    {"ALAMAT", "C", 100, 0, MAY, SOFT},
    {"TELEPON", "C", 20, 0, MAY, SOFT},
    {"CATATAN", "C", 30, 0, MAY, SOFT},
};

const Columns kCustomer = {
    {"DIVISI", "N", 3, 0, MAY, SOFT},
    {"KODE", "C", 20, 0, MAY, HARD},
    {"KODE_GRP", "C", 30, 0, MAY, HARD},
    {"KODE_DAE", "C", 30, 0, MAY, HARD},
    {"KODE_DA2", "C", 30, 0, MAY, HARD},
    {"KODE_SALES", "C", 30, 0, MAY, HARD},
    {"NAMA", "C", 50, 0, MUST, HARD},
    {"NPWP", "C", 30, 0, MAY, SOFT},
    {"ALAMAT", "C", 150, 0, MAY, SOFT},
    {"NPWP_NAMA", "C", 50, 0, MAY, SOFT},
    {"NPWP_ALAMA", "C", 150, 0, MAY, SOFT},
    {"TELEPON", "C", 20, 0, MAY, SOFT},
    {"TELEPON_2", "C", 20, 0, MAY, SOFT},
    {"TELEPON_3", "C", 20, 0, MAY, SOFT},
    {"FAX", "C", 20, 0, MAY, SOFT},
    {"HUBUNGI", "C", 30, 0, MAY, SOFT},
    {"HUB_TELP_1", "C", 20, 0, MAY, SOFT},
    {"HUBUNGI_2", "C", 30, 0, MAY, SOFT},
    {"HUB_TELP_2", "C", 20, 0, MAY, SOFT},
    {"HUBUNGI_3", "C", 30, 0, MAY, SOFT},
    {"HUB_TELP_3", "C", 20, 0, MAY, SOFT},
    {"EMAIL", "C", 30, 0, MAY, SOFT},
    {"WEBSITE", "C", 30, 0, MAY, SOFT},
    {"TMP_LAHIR", "C", 30, 0, MAY, SOFT},
    {"TGL_LAHIR", "D", 8, 0, MAY, SOFT},
    {"PEND_AKHIR", "C", 20, 0, MAY, SOFT},
    {"TERM_CRD", "N", 3, 0, MAY, SOFT},
    {"MU_CREDIT", "N", 1, 0, MAY, SOFT},
    {"MAX_CRD", "N", 12, 2, MAY, SOFT},
    {"MAX_CRD2", "N", 3, 0, MAY, SOFT},
    {"MAX_CRD_PR", "N", 1, 0, MAY, SOFT},
    {"MAX2_CRD", "N", 12, 2, MAY, SOFT},
    {"MAX2_CRD2", "N", 3, 0, MAY, SOFT},
    {"MAX2_CRD_P", "N", 1, 0, MAY, SOFT},
    {"MAX3_CRD", "N", 3, 0, MAY, SOFT},
    {"MAX3_CRD_P", "N", 1, 0, MAY, SOFT},
    {"SPS_DISC", "N", 6, 2, MAY, SOFT},
    {"SPS_DISC2", "N", 6, 2, MAY, SOFT},
    {"POINT_AWAL", "N", 6, 0, MAY, SOFT},
    {"CATATAN", "C", 500, 0, MAY, SOFT},
};

const Columns kCustomerExtra = {
    {"KODE_PEL", "C", 20, 0, MUST, HARD},
    {"INFO_1", "C", 30, 0, MUST, HARD},
    {"INFO_", "C", 30, 0, MAY, SOFT, 2, 8},
};

const Columns kPayables = {
    {"TANGGAL", "D", 8, 0, MUST, SOFT},
    {"NO_NOTA_C", "C", 10, 0, MAY, SOFT},
    {"KODE_VEN", "C", 50, 0, MAY, HARD},
    {"NAMA_VEN", "C", 50, 0, MAY, HARD},
    {"MAUANG", "N", 1, 0, MAY, SOFT},
    {"KURS", "N", 11, 4, MAY, SOFT},
    {"HARGA", "N", 12, 2, MUST, SOFT},
    {"TERM_CRD", "N", 3, 0, MAY, SOFT},
    {"CATATAN", "C", 100, 0, MAY, SOFT},
    {"CATATAN_2", "C", 100, 0, MAY, SOFT},
    {"CATATAN_3", "C", 100, 0, MAY, SOFT},
};

const Columns kReceivables = {
    {"TANGGAL", "D", 8, 0, MUST, SOFT},
    {"NO_NOTA", "N", 8, 0, MAY, SOFT},
    {"NO_NOTA_C", "C", 10, 0, MAY, SOFT},
    {"KODE_PEL", "C", 20, 0, MAY, HARD},
    {"KODE_SALES", "C", 30, 0, MAY, HARD},
    {"NAMA_PEL", "C", 50, 0, MAY, HARD},
    {"MAUANG", "N", 1, 0, MAY, SOFT},
    {"KURS", "N", 11, 4, MAY, SOFT},
    {"HARGA", "N", 12, 2, MUST, SOFT},
    {"TERM_CRD", "N", 3, 0, MAY, SOFT},
    {"CATATAN", "C", 100, 0, MAY, SOFT},
    {"CATATAN_2", "C", 100, 0, MAY, SOFT},
    {"CATATAN_3", "C", 100, 0, MAY, SOFT},
};

struct TemplateDefinition {
    TemplateInfo info;
    Columns columns;
};

const std::vector<TemplateDefinition>& definitions() {
    static const std::vector<TemplateDefinition> all = {
        {{"GRPSTK", "S_GRPSTK", "Grouping Item Proses no. "}, groupLayout(40, 40)},
        {{"GRPST2", "S_GRPST2", "Grouping Item *2 Proses no. "}, groupLayout(40, 40)},
        {{"GRPST3", "S_GRPST3", "Grouping Item *3 Proses no. "}, groupLayout(40, 40)},
        {{"GRPHJL", "S_GRPHJL", "Grouping Harga Jual Proses no. "}, groupLayout(40, 30)},
        {{"ITEM", "S_STOCK", "Item Proses no. "}, kItem},
        {{"ITMINF", "S_STKINF", "Sub Info Item Proses no. "}, kItemInfo},
        {{"ITMNAM", "S_STKNAM", "Item Alias Name Proses no. "}, kItemName},
        {{"STKHJL", "S_STKHJL", "Item Kelompok Harga Jual Proses no. "}, kItemPrices},
        {{"VENDOR", "S_VENDOR", "Vendor/Supplier Proses no. "}, kVendor},
        {{"DAERAH", "S_DAERAH", "Daerah Proses no. "}, groupLayout(30, 30)},
        {{"DAERA2", "S_DAERA2", "Daerah *2 Proses no. "}, groupLayout(30, 30)},
        {{"GRPPEL", "S_GRPPEL", "Grouping Pelanggan Proses no. "}, groupLayout(30, 30)},
        {{"GRPPE2", "S_GRPPE2", "Grouping Pelanggan *2 Proses no. "}, groupLayout(30, 30)},
        {{"SALES", "S_KARYAW", "Sales Proses no. "}, kSalesman},
        {{"PELANG", "S_PELANG", "Pelanggan Proses no. "}, kCustomer},
        {{"PELEXT", "S_PELEXT", "Extra Info Pelanggan Proses no. "}, kCustomerExtra},
        {{"PEMBEL", "S_PEMBEL", "Hutang Awal Proses no. "}, kPayables},
        {{"PENJUA", "S_PENJUA", "Piutang Awal Proses no. "}, kReceivables},
    };
    return all;
}

const TemplateDefinition* findDefinition(const std::string& name) {
    const auto& all = definitions();
    auto it = std::find_if(all.begin(), all.end(), [&](const TemplateDefinition& d) { return d.info.name == name; });
    return it == all.end() ? nullptr : &*it;
}

}  // namespace

void BUTTONIMPORT1PRETABLE(std::vector<DBSTRUCTTABLE>& aList, const std::string& cField, const std::string& cType,
                           uint16_t wLen, uint16_t wDec, bool lWajib, bool lMaxLen) {
    aList.push_back(DBSTRUCTTABLE{cField, cType, wLen, wDec, lWajib, lMaxLen});
}

std::vector<DBSTRUCTTABLE> templateLayout(const std::string& name) {
    std::vector<DBSTRUCTTABLE> list;
    const TemplateDefinition* definition = findDefinition(name);
    if (!definition) return list;
    for (const Column& c : definition->columns) {
        if (c.first == 0) {
            BUTTONIMPORT1PRETABLE(list, c.name, c.type, c.width, c.decimals, c.mandatory, c.hardWidth);
            continue;
        }
        for (int n = c.first; n <= c.last; ++n)
            BUTTONIMPORT1PRETABLE(list, c.name + std::to_string(n), c.type, c.width, c.decimals, c.mandatory,
                                  c.hardWidth);
    }
    return list;
}

const std::vector<TemplateInfo>& templates() {
    static const std::vector<TemplateInfo> all = [] {
        std::vector<TemplateInfo> out;
        for (const TemplateDefinition& d : definitions()) out.push_back(d.info);
        return out;
    }();
    return all;
}

const TemplateInfo* findTemplate(const std::string& name) {
    const TemplateDefinition* definition = findDefinition(name);
    return definition ? &definition->info : nullptr;
}

const std::vector<std::string>& templatesWithLeftoverIndex() {
    static const std::vector<std::string> names = {"DAERAH", "DAERA2", "GRPSTK", "GRPST2", "GRPST3",
                                                   "GRPHJL", "ITEM",   "STKHJL", "VENDOR", "GRPPEL",
                                                   "GRPPE2", "PELANG", "PENJUA"};
    return names;
}

const std::vector<OptionalColumn>& optionalColumns() {
    static const std::vector<OptionalColumn> columns = {
        {"PELANG", {"KODE_GR2", 'C', 30, 0}},
        {"PELANG", {"KODE_HJL", 'C', 40, 0}},
        {"PELANG", {"TIPE", 'N', 2, 0}},
        {"PELANG", {"NO_KTP", 'C', 30, 0}},
        {"PELANG", {"KRM_NAMA", 'C', 50, 0}},
        {"PELANG", {"KRM_ALAMAT", 'C', 150, 0}},
        {"PEMBEL", {"DIVISI", 'N', 3, 0}},
        {"PENJUA", {"DIVISI", 'N', 3, 0}},
        {"ITEM", {"NAMAEX2", 'C', 30, 0}},
    };
    return columns;
}

}  // namespace tarvo::templates
