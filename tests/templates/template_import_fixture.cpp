#include "tests/templates/template_import_fixture.h"

#include "templates/template_layouts.h"

namespace tarvo::test {

namespace {

using xbase::Date;

// A column the import reads outside the template's layout, as the samples write it.
std::pair<std::string, std::optional<xbase::FieldInfo>> optionalColumn(const std::string& name,
                                                                       const std::string& column) {
    for (const templates::OptionalColumn& optional : templates::optionalColumns())
        if (optional.templateName == name && optional.field.name == column) return {column, optional.field};
    throw std::invalid_argument(name + " has no optional column " + column);
}

}  // namespace

void writeShopTemplates(const std::filesystem::path& folder) {
    writeTemplate(folder, "GRPSTK", {{{"KODE", "g1"}, {"NAMA", " minuman "}}, {{"KODE", "G1 "}, {"NAMA", "Ulang"}}});
    writeTemplate(folder, "GRPST2", {{{"KODE", "G2"}, {"NAMA", "dingin"}}});
    writeTemplate(folder, "GRPHJL", {{{"KODE", "H1"}, {"NAMA", "grosir"}}});
    writeTemplate(folder, "SALES", {{{"KODE", "s1"}, {"NAMA", "Budi"}, {"TELEPON", " 0812 "}}});
    writeTemplate(folder, "DAERAH", {{{"KODE", "D1"}, {"NAMA", "medan"}}});
    writeTemplate(folder, "DAERA2", {{{"KODE", "E1"}, {"NAMA", "kota"}}});
    writeTemplate(folder, "VENDOR",
                  {{{"KODE", "V1"}, {"NAMA", "Pt Satu"}, {"KODE_DAE", "d1"}},
                   {{"KODE", "V2"}, {"NAMA", "Pt Dua"}},
                   {{"KODE", "v1"}, {"NAMA", "Ulang"}}});
    writeTemplate(folder, "GRPPEL", {{{"KODE", "P1"}, {"NAMA", "umum"}}});
    writeTemplate(folder, "GRPPE2", {{{"KODE", "Q1"}, {"NAMA", "vip"}}});
    writeTemplate(folder, "PELANG",
                  {{{"KODE", "C1"}, {"NAMA", "Toko Ani"}, {"KODE_DAE", "D1"}, {"KODE_DA2", "E1"}, {"KODE_GRP", "P1"},
                    {"KODE_GR2", "q1"}, {"KODE_SALES", "S1"}, {"KODE_HJL", "H1"}, {"ALAMAT", "Jl. Mawar"},
                    {"POINT_AWAL", 150}},
                   {{"KODE", "C2"}},
                   {{"KODE", "C3"}, {"NAMA", "Toko Budi"}, {"KODE_SALES", "XX"}}},
                  {optionalColumn("PELANG", "KODE_GR2"), optionalColumn("PELANG", "KODE_HJL")});
    writeTemplate(folder, "PELEXT", {{{"KODE_PEL", "c1"}, {"INFO_1", "info"}}, {{"KODE_PEL", "ZZ"}, {"INFO_1", "x"}}});
    writeTemplate(folder, "PEMBEL",
                  {{{"NO_NOTA_C", "B-1"}, {"KODE_VEN", "V2"}, {"TANGGAL", Date{2024, 11, 2}}, {"HARGA", 150000}},
                   {{"NO_NOTA_C", "B-2"}, {"NAMA_VEN", "pt satu"}, {"TANGGAL", Date{2024, 11, 3}}, {"HARGA", -5000}},
                   {{"HARGA", 10}}});
    writeTemplate(folder, "PENJUA",
                  {{{"NO_NOTA_C", "J-1"}, {"KODE_PEL", "C3"}, {"KODE_SALES", "s1"}, {"TANGGAL", Date{2024, 12, 1}},
                    {"HARGA", 2000}},
                   {{"NO_NOTA", 1205}, {"NAMA_PEL", "toko ani"}, {"TANGGAL", Date{2024, 12, 2}}, {"HARGA", 700}}});
    const std::filesystem::path items = writeTemplate(
        folder, "ITEM",
        {{{"KODE", "a1"}, {"KODE_2", "a1b"}, {"NAMA", "Apel"}, {"SAT_1", "pcs"}, {"SAT_2", "lusin"},
          {"SAT_2_KONV", 12}, {"KODE_GRP1", "G1"}, {"KODE_GRP2", "g2"}, {"KODE_VEN", "V1"}, {"H_BELI", 1000},
          {"H_JUAL1", 1500}, {"SISA_STK1", 5}, {"SISA_NIL1", 5000}, {"SISA_STK3", 2}, {"SISA_NIL3", 2100}},
         {{"KODE", "B1"}, {"NAMA", "Jeruk"}, {"SAT_1", "PCS"}, {"SAT_2", "LUSIN"}, {"SAT_2_KONV", 10},
          {"NAMA_VEN", "pt dua"}, {"SISA_STK2", 7}},
         {{"KODE", "A1"}, {"NAMA", "Apel Lagi"}},
         {{"KODE", "C1"}, {"NAMA", "apel"}},
         {{"KODE", "L1"}, {"NAMA", "Paket"}, {"JENIS", 2}, {"LINK_KODE", "b1"}, {"LINK_JML", 3}, {"LINK_SAT", 2},
          {"SISA_STK1", 9}},
         {{"NAMA", "Kosong"}},
         {{"KODE", "D1"}, {"NAMA", "Dihapus"}},
         {{"KODE", "a1b"}, {"NAMA", "Apel"}}});
    markDeleted(items, {7});
    writeTemplate(folder, "ITMINF", {{{"KODE_ITEM", "a1"}, {"INFO_1", "manis"}}, {{"KODE_ITEM", "ZZ"}, {"INFO_1", "x"}}});
    writeTemplate(folder, "ITMNAM", {{{"KODE_ITEM", "B1"}, {"NAMA", "Orange"}}});
    writeTemplate(folder, "STKHJL",
                  {{{"KODE_ITEM", "A1"}, {"KODE_GRP", "h1"}, {"H_JUAL1", 1400}},
                   {{"KODE_ITEM", "A1"}, {"KODE_GRP", "NOPE"}, {"H_JUAL1", 1}}});
}

importing::ImportOutcome TemplateImportTest::runImport(const importing::ImportRequest& request, bool answerYes) {
    answerQuestion(answerYes);
    return templates::runTemplateImport(nullptr, request);
}

}  // namespace tarvo::test
