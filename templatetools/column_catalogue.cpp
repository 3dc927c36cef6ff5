#include "templatetools/column_catalogue.h"

#include "xbase/file_names.h"

namespace tarvo::templatetools {

namespace {

constexpr bool MUST = true;  // mandatory column
constexpr bool MAY = false;  // optional column

// The stock and the value per warehouse that close the item page, for warehouses 1 to 30:
// SISA_STK1, SISA_NIL1, SISA_STK2, SISA_NIL2, ...
void addWarehouseRows(std::vector<CatalogueRow>& rows) {
    for (int n = 1; n <= 30; ++n) {
        const std::string number = std::to_string(n);
        rows.push_back({"SISA_STK" + number, 'N', 14, 4, MAY, "0", "Sisa Akhir Barang (Gudang ke-" + number + ")"});
        rows.push_back({"SISA_NIL" + number, 'N', 14, 2, MAY, "0", "Nilai Akhir Barang (Gudang ke-" + number + ")"});
    }
}

// GRPSTK.DBF
CataloguePage pageGrpstk() {
    CataloguePage page{"GRPSTK.DBF", "WINIMPORTINFO1", "GrpStk.dbf",
                       "File Table : GrpStk.dbf   (berisi kelompok ke-1 barang/item) (boleh tidak ada)",
                       {128, 255, 128}, {128, 255, 128}, {
        {"KODE", 'C', 40, 0, MUST, "", "Kode Group / Kelompok"},
        {"NAMA", 'C', 40, 0, MUST, "", "Nama Group / Kelompok"},
    }};
    return page;
}

// GRPST2.DBF
CataloguePage pageGrpst2() {
    CataloguePage page{"GRPST2.DBF", "WINIMPORTINFO2", "GrpSt2.dbf",
                       "File Table : GrpSt2.dbf   (berisi kelompok ke-2 barang/item) (boleh tidak ada)",
                       {255, 255, 185}, {255, 255, 185}, {
        {"KODE", 'C', 40, 0, MUST, "", "Kode Group / Kelompok"},
        {"NAMA", 'C', 40, 0, MUST, "", "Nama Group / Kelompok"},
    }};
    return page;
}

// GRPST3.DBF
CataloguePage pageGrpst3() {
    CataloguePage page{"GRPST3.DBF", "WINIMPORTINFO3", "GrpSt3.dbf",
                       "File Table : GrpSt3.dbf   (berisi kelompok ke-3 barang/item) (boleh tidak ada)",
                       {193, 193, 255}, {193, 193, 255}, {
        {"KODE", 'C', 40, 0, MUST, "", "Kode Group / Kelompok"},
        {"NAMA", 'C', 40, 0, MUST, "", "Nama Group / Kelompok"},
    }};
    return page;
}

// ITEM.DBF
CataloguePage pageItem() {
    CataloguePage page{"ITEM.DBF", "WINIMPORTINFO4", "Item.dbf",
                       "File Table : Item.dbf   (berisi nama-nama barang/item)",
                       {255, 128, 128}, {255, 128, 128}, {
        {"JENIS", 'N', 3, 0, MAY, "0", "Value: 0 = Jenis Stock, 1 = Jenis Service/Non Stock, 2 = Jenis Link Item"},
        {"KODE", 'C', 20, 0, MUST, "", "Kode Barang / Kode Barcode bagi jenis usaha minimarket (Tidak boleh ada yang double)"},
        {"KODE_2", 'C', 20, 0, MAY, "", "Kode Barang / Kode Barcode bagi jenis usaha minimarket (2)"},
        {"KODE_3", 'C', 20, 0, MAY, "", "Kode Barang / Kode Barcode bagi jenis usaha minimarket (3)"},
        {"KODE_4", 'C', 20, 0, MAY, "", "Kode Barang / Kode Barcode bagi jenis usaha minimarket (4)"},
        {"KODE_5", 'C', 20, 0, MAY, "", "Kode Barang / Kode Barcode bagi jenis usaha minimarket (5)"},
        {"KODE2", 'C', 20, 0, MAY, "", "Kode Barang menurut Pabrik / Kode Barcode bagi jenis usaha non-minimarket"},
        {"NAMA", 'C', 100, 0, MUST, "", "Nama Barang / Item / Jasa (Tidak boleh ada yang double)"},
        {"NAMAEX1", 'C', 30, 0, MAY, "", "Nama Barang / Jasa (Extra 1), jika tidak ada maka dikosongkan saja."},
        {"NAMAEX2", 'C', 20, 0, MAY, "", "Nama Barang / Jasa (Extra 2), jika tidak ada maka dikosongkan saja."},
        {"NAMA2", 'C', 50, 0, MAY, "", "Nama Barang / Jasa yang muncul pada faktur penjualan, jika tidak ada nama khusus/beda, maka ini dikosongkan."},
        {"KODE_GRP1", 'C', 40, 0, MAY, "", "Kode Grouping/Kelompok Barang *1. (Link dengan table GrpStk.dbf [KODE])"},
        {"KODE_GRP2", 'C', 40, 0, MAY, "", "Kode Grouping/Kelompok Barang *2. (Link dengan table GrpSt2.dbf [KODE])"},
        {"KODE_GRP3", 'C', 40, 0, MAY, "", "Kode Grouping/Kelompok Barang *3. (Link dengan table GrpSt3.dbf [KODE])"},
        {"KODE_VEN", 'C', 50, 0, MAY, "", "Kode Supplier/Vendor. (Link dengan table Vendor.dbf [KODE])"},
        {"NAMA_VEN", 'C', 50, 0, MAY, "", "Nama Vendor, boleh dikosongkan.  (Link dengan table Vendor.dbf [NAMA])"},
        {"EXT_INFO_1", 'C', 30, 0, MAY, "", "Extra Info 1"},
        {"EXT_INFO_2", 'C', 30, 0, MAY, "", "Extra Info 2"},
        {"EXT_INFO_3", 'C', 30, 0, MAY, "", "Extra Info 3"},
        {"QUAN_PICT", 'N', 3, 0, MAY, "0", "Jumlah decimal, mis: user boleh entry 3.50KG untuk item ini, maka di sini isi 2, jika user hanya entry 3 PCS, maka di sini isi 0"},
        {"SAT_1", 'C', 5, 0, MAY, "PCS", "Nama Satuan (UOM) Terkecil Barang (mis: PCS), apabila dikosongkan, maka sistem otomatis menganggap sebagai PCS"},
        {"SAT_2", 'C', 5, 0, MAY, "", "Nama Satuan ke-2 Barang (mis: SLOP), boleh dikosongkan jika tidak ada"},
        {"SAT_3", 'C', 5, 0, MAY, "", "Nama Satuan ke-3 Barang (mis: CTN), boleh dikosongkan jika tidak ada"},
        {"SAT_4", 'C', 5, 0, MAY, "", "Nama Satuan ke-4 Barang (mis: CTN), boleh dikosongkan jika tidak ada"},
        {"SAT_5", 'C', 5, 0, MAY, "", "Nama Satuan ke-5 Barang (mis: CTN), boleh dikosongkan jika tidak ada"},
        {"SAT_2_KONV", 'N', 12, 4, MAY, "", "Konversi Satuan dari Satuan ke-2 ke Satuan Terkecil (mis: 1 SLOP = 10 PCS, maka di sini isi 10) (Harus diisi apabila field/kolom SAT_2 ada diisi)"},
        {"SAT_3_KONV", 'N', 12, 4, MAY, "", "Konversi Satuan dari Satuan ke-3 ke Satuan Terkecil (mis: 1 CTN = 10 SLOP = 100 PCS, maka di sini isi 100) (Harus diisi apabila field/kolom SAT_3 ada diisi)"},
        {"SAT_4_KONV", 'N', 12, 4, MAY, "", "Konversi Satuan dari Satuan ke-4 ke Satuan Terkecil (mis: 1 CTN = 10 SLOP = 100 PCS, maka di sini isi 100) (Harus diisi apabila field/kolom SAT_4 ada diisi)"},
        {"SAT_5_KONV", 'N', 12, 4, MAY, "", "Konversi Satuan dari Satuan ke-5 ke Satuan Terkecil (mis: 1 CTN = 10 SLOP = 100 PCS, maka di sini isi 100) (Harus diisi apabila field/kolom SAT_5 ada diisi)"},
        {"MIN_STOCK", 'N', 13, 3, MAY, "0", "Minimum Stock (bagian Jumlah)"},
        {"MIN_STK_ST", 'N', 3, 0, MAY, "1", "Minimum Stock (bagian Satuan), apakah Satuan Terkecil (ke-1), Satuan ke-2, atau Satuan ke-3"},
        {"MU_BELI", 'N', 3, 0, MAY, "1", "Mata Uang Harga Beli"},
        {"H_BELI", 'N', 12, 2, MAY, "0", "Harga Beli, jika Harga Beli 10.000 / 10 SLOP, maka field/kolom H_BELI = 10000, H_BL_PER = 10, H_BL_SAT = 2"},
        {"H_BL_PER", 'N', 10, 3, MAY, "1", "Harga Beli per 1 XXX (Satuan), bagian per (Jumlah).  (NB: lihat keterangan pada field/kolom H_BELI"},
        {"H_BL_SAT", 'N', 3, 0, MAY, "1", "Harga Beli per 1 XXX (Satuan), bagian per (Satuan), default nilainya 1 (Satuan Terkecil), jika 2 maka Satuan ke-2, jika 3 maka Satuan ke-3.  (NB: lihat keterangan pada field/kolom H_BELI"},
        {"DISC_BL_P", 'N', 6, 2, MAY, "0", "Disc Beli"},
        {"MU_JUAL1", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-1"},
        {"MU_JUAL2", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-2. (NB: Jika kosong maka sistem akan mengikuti field/kolom MU_JUAL1)"},
        {"MU_JUAL3", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-3. (NB: Jika kosong maka sistem akan mengikuti field/kolom MU_JUAL2)"},
        {"MU_JUAL4", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-4. (NB: Jika kosong maka sistem akan mengikuti field/kolom MU_JUAL3)"},
        {"MU_JUAL5", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-5. (NB: Jika kosong maka sistem akan mengikuti field/kolom MU_JUAL4)"},
        {"H_JUAL1", 'N', 12, 2, MAY, "0", "Harga Jual ke-1, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2"},
        {"H_JL1_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-1 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL1)"},
        {"H_JL1_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-1 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL1)"},
        {"H_JUAL2", 'N', 12, 2, MAY, "0", "Harga Jual ke-2, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2.  (NB: Jika kosong, maka sistem akan mengikuti Harga Jual ke-1)"},
        {"H_JL2_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-2 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL2)"},
        {"H_JL2_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-2 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL2)"},
        {"H_JUAL3", 'N', 12, 2, MAY, "0", "Harga Jual ke-3, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2.  (NB: Jika kosong, maka sistem akan mengikuti Harga Jual ke-2)"},
        {"H_JL3_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-3 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL3)"},
        {"H_JL3_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-3 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL3)"},
        {"H_JUAL4", 'N', 12, 2, MAY, "0", "Harga Jual ke-4, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2.  (NB: Jika kosong, maka sistem akan mengikuti Harga Jual ke-3)"},
        {"H_JL4_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-4 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL4)"},
        {"H_JL4_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-4 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL4)"},
        {"H_JUAL5", 'N', 12, 2, MAY, "0", "Harga Jual ke-5, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2.  (NB: Jika kosong, maka sistem akan mengikuti Harga Jual ke-4)"},
        {"H_JL5_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-5 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL5)"},
        {"H_JL5_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-5 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL5)"},
        {"DISC1_J_01", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-1"},
        {"DISC2_J_01", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-1"},
        {"DISC3_J_01", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-1"},
        {"DISC1_J_02", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-2"},
        {"DISC2_J_02", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-2"},
        {"DISC3_J_02", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-2"},
        {"DISC1_J_03", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-3"},
        {"DISC2_J_03", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-3"},
        {"DISC3_J_03", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-3"},
        {"DISC1_J_04", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-4"},
        {"DISC2_J_04", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-4"},
        {"DISC3_J_04", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-4"},
        {"DISC1_J_05", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-5"},
        {"DISC2_J_05", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-5"},
        {"DISC3_J_05", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-5"},
        {"MU_MINJUAL", 'N', 3, 0, MAY, "1", "Mata Uang Minimum Harga Jual"},
        {"H_MINJUAL", 'N', 12, 2, MAY, "0", "Minimum Harga Jual, jika Minimum Harga Jual 10.000 / 10 SLOP, maka FIELD H_MINJUAL = 10000, H_MJL_PER = 10, H_MJL_SAT = 2"},
        {"H_MJL_PER", 'N', 10, 3, MAY, "1", "Minimum Harga Jual per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_MINJUAL)"},
        {"H_MJL_SAT", 'N', 3, 0, MAY, "1", "Minimum Harga Jual per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_MINJUAL)"},
        {"VOL_METER", 'N', 11, 4, MAY, "0", "Volume Meter"},
        {"VOL_MTRSAT", 'N', 3, 0, MAY, "1", "Volume Meter Satuan"},
        {"VOL_LITER", 'N', 11, 4, MAY, "0", "Volume Liter"},
        {"VOL_LTRSAT", 'N', 3, 0, MAY, "1", "Volume Liter Satuan"},
        {"LINK_KODE", 'C', 20, 0, MAY, "", "Jika jenis adalah “Link Item”, maka ini adalah Kode Item yang dilinkkan, contoh: KODE: 0001 (Jenis Stock) Nama: ROKOK MARLBORO SAT1: BKS SAT2: SLOP dan anda ingin buat KODE: 9999 (Jenis Link Stock) Nama: ROKOK MARLBORO (SLOP) SAT_1: SLOP, maka isilah LINK_KODE: 0001  LINK_JML: 10  LINK_SAT: 1"},
        {"LINK_JML", 'N', 10, 3, MAY, "0", "Jumlah Linknya (bagian jumlah).  (NB: lihat keterangan pada field/kolom LINK_KODE)"},
        {"LINK_SAT", 'N', 3, 0, MAY, "1", "Jumlah Linknya (bagian satuan).  (NB: lihat keterangan pada field/kolom LINK_KODE)"},
        {"CATATAN", 'C', 50, 0, MAY, "", "Catatan / Remarks"},
    }};
    addWarehouseRows(page.rows);
    return page;
}

// ITMINF.DBF
CataloguePage pageItminf() {
    CataloguePage page{"ITMINF.DBF", "WINIMPORTINFO4A", "ItmInf.dbf",
                       "File Table : ItmInf.dbf   (berisi sub info barang/item)",
                       {255, 18, 18}, {255, 18, 18}, {
        {"KODE_ITEM", 'C', 20, 0, MUST, "", "Kode Barang/Item"},
        {"INFO_1", 'C', 250, 0, MUST, "", "Sub Info *1"},
        {"INFO_2", 'C', 250, 0, MAY, "", "Sub Info *1"},
        {"INFO_3", 'C', 250, 0, MAY, "", "Sub Info *1"},
        {"INFO_4", 'C', 250, 0, MAY, "", "Sub Info *1"},
    }};
    return page;
}

// ITMNAM.DBF
CataloguePage pageItmnam() {
    CataloguePage page{"ITMNAM.DBF", "WINIMPORTINFO4B", "ItmNam.dbf",
                       "File Table : ItmNam.dbf   (berisi nama alias barang/item)",
                       {255, 180, 18}, {255, 180, 18}, {
        {"KODE_ITEM", 'C', 20, 0, MUST, "", "Kode Barang/Item"},
        {"NAMA", 'C', 100, 0, MUST, "", "Nama Alias"},
    }};
    return page;
}

// VENDOR.DBF
CataloguePage pageVendor() {
    CataloguePage page{"VENDOR.DBF", "WINIMPORTINFO5", "Vendor.dbf",
                       "File Table : Vendor.dbf   (berisi nama vendor) (boleh tidak ada)",
                       {192, 192, 192}, {192, 192, 192}, {
        {"DIVISI", 'N', 3, 0, MAY, "", "Divisi"},
        {"KODE", 'C', 50, 0, MUST, "", "Kode Vendor, jika pada table Item.dbf/Pembel.dbf tidak ada field/kolom KODE_VEN, maka ini boleh dikosongkan."},
        {"NAMA", 'C', 50, 0, MUST, "", "Nama Vendor"},
        {"NPWP", 'C', 30, 0, MAY, "", "NPWP Vendor"},
        {"ALAMAT", 'C', 150, 0, MAY, "", "Alamat Vendor"},
        {"KODE_DAE", 'C', 30, 0, MAY, "", "Kode Daerah  (Link dengan table Daerah.dbf [KODE])"},
        {"TELEPON", 'C', 20, 0, MAY, "", "No Telepon Vendor (ke-1)"},
        {"TELEPON_2", 'C', 20, 0, MAY, "", "No Telepon Vendor (ke-2)"},
        {"TELEPON_3", 'C', 20, 0, MAY, "", "No Telepon Vendor (ke-3)"},
        {"FAX", 'C', 20, 0, MAY, "", "No Fax Vendor (ke-3)"},
        {"HUBUNGI", 'C', 30, 0, MAY, "", "Contact Person (ke-1)"},
        {"HUB_TELP_1", 'C', 20, 0, MAY, "", "No Telepon Contact Person (ke-1)"},
        {"HUBUNGI_2", 'C', 30, 0, MAY, "", "Contact Person (ke-2)"},
        {"HUB_TELP_2", 'C', 20, 0, MAY, "", "No Telepon Contact Person (ke-2)"},
        {"HUBUNGI_3", 'C', 30, 0, MAY, "", "Contact Person (ke-3)"},
        {"HUB_TELP_3", 'C', 20, 0, MAY, "", "No Telepon Contact Person (ke-3)"},
        {"EMAIL", 'C', 30, 0, MAY, "", "Email Vendor"},
        {"WEBSITE", 'C', 30, 0, MAY, "", "Website Vendor"},
        {"TERM_CRD", 'N', 3, 0, MAY, "", "Term Credit (Jangka Waktu Kredit)"},
        {"MU_CREDIT", 'N', 3, 0, MAY, "1", "Mata Uang Plafon / Limit Credit"},
        {"MAX_CRD", 'N', 12, 0, MAY, "0", "Plafon / Limit Credit"},
        {"CATATAN", 'C', 500, 0, MAY, "", "Catatan / Remarks"},
    }};
    return page;
}

// DAERAH.DBF
CataloguePage pageDaerah() {
    CataloguePage page{"DAERAH.DBF", "WINIMPORTINFO6", "Daerah.dbf",
                       "File Table : Daerah.dbf   (berisi nama-nama daerah untuk pelanggan) (boleh tidak ada)",
                       {205, 205, 156}, {205, 205, 156}, {
        {"KODE", 'C', 30, 0, MUST, "", "Kode Daerah"},
        {"NAMA", 'C', 30, 0, MUST, "", "Nama Daerah"},
    }};
    return page;
}

// DAERA2.DBF
CataloguePage pageDaera2() {
    CataloguePage page{"DAERA2.DBF", "WINIMPORTINFO62", "Daera2.dbf",
                       "File Table : Daera2.dbf   (berisi nama-nama daerah *2 untuk pelanggan) (boleh tidak ada)",
                       {205, 205, 156}, {205, 205, 156}, {
        {"KODE", 'C', 30, 0, MUST, "", "Kode Daerah *2"},
        {"NAMA", 'C', 30, 0, MUST, "", "Nama Daerah *2"},
    }};
    return page;
}

// SALES.DBF
CataloguePage pageSales() {
    CataloguePage page{"SALES.DBF", "WINIMPORTINFO7", "Sales.dbf",
                       "File Table : Sales.dbf   (berisi nama sales) (boleh tidak ada)",
                       {111, 49, 152}, {255, 128, 255}, {
        {"KODE", 'C', 30, 0, MUST, "", "Kode Sales"},
        {"NAMA", 'C', 30, 0, MUST, "", "Nama Sales"},
        {"ALAMAT", 'C', 100, 0, MAY, "", "Alamat Sales"},
        {"TELEPON", 'C', 20, 0, MAY, "", "No Telepon Sales"},
        {"CATATAN", 'C', 30, 0, MAY, "", "Catatan / Remarks"},
    }};
    return page;
}

// GRPPEL.DBF
CataloguePage pageGrppel() {
    CataloguePage page{"GRPPEL.DBF", "WINIMPORTINFO8", "GrpPel.dbf",
                       "File Table : GrpPel.dbf   (berisi kelompok pelanggan) (boleh tidak ada)",
                       {170, 213, 213}, {170, 213, 213}, {
        {"KODE", 'C', 30, 0, MUST, "", "Kode Kelompok"},
        {"NAMA", 'C', 30, 0, MUST, "", "Nama Kelompok"},
    }};
    return page;
}

// GRPPE2.DBF
CataloguePage pageGrppe2() {
    CataloguePage page{"GRPPE2.DBF", "WINIMPORTINFO82", "GrpPe2.dbf",
                       "File Table : GrpPe2.dbf   (berisi kelompok pelanggan *2) (boleh tidak ada)",
                       {170, 213, 213}, {170, 213, 213}, {
        {"KODE", 'C', 30, 0, MUST, "", "Kode Kelompok *2"},
        {"NAMA", 'C', 30, 0, MUST, "", "Nama Kelompok *2"},
    }};
    return page;
}

// PELANG.DBF
CataloguePage pagePelang() {
    CataloguePage page{"PELANG.DBF", "WINIMPORTINFO9", "Pelang.dbf",
                       "File Table : Pelang.dbf   (berisi nama pelanggan) (boleh tidak ada)",
                       {255, 128, 255}, {255, 128, 255}, {
        {"DIVISI", 'N', 3, 0, MAY, "", "Divisi"},
        {"TIPE", 'N', 1, 0, MAY, "", "Tipe Pelanggan ( 0 = Corporate/Perusahaan, 1 = Personal/Pribadi )"},
        {"KODE", 'C', 20, 0, MAY, "", "Kode Pelanggan, boleh dikosongkan."},
        {"KODE_GRP", 'C', 30, 0, MAY, "", "Kode Grouping/Kelompok Pelanggan  (Link dengan table GrpPel.dbf [KODE])"},
        {"KODE_GR2", 'C', 30, 0, MAY, "", "Kode Grouping/Kelompok Pelanggan *2  (Link dengan table GrpPe2.dbf [KODE])"},
        {"KODE_SALES", 'C', 30, 0, MAY, "", "Kode Sales  (Link dengan table Sales.dbf [KODE])"},
        {"KODE_HJL", 'C', 40, 0, MAY, "", "Kode Kelompok Harga Jual"},
        {"NAMA", 'C', 50, 0, MUST, "", "Nama Pelanggan"},
        {"NPWP", 'C', 30, 0, MAY, "", "NPWP Pelanggan"},
        {"NPWP_NAMA", 'C', 50, 0, MAY, "", "Nama menurut NPWP Pelanggan"},
        {"NPWP_ALAMA", 'C', 150, 0, MAY, "", "Alamat menurut NPWP Pelanggan"},
        {"ALAMAT", 'C', 150, 0, MAY, "", "Alamat Pelanggan"},
        {"NO_KTP", 'C', 30, 0, MAY, "", "No. KTP"},
        {"KRM_NAMA", 'C', 50, 0, MAY, "", "Nama menurut NPWP Pelanggan"},
        {"KRM_ALAMAT", 'C', 100, 0, MAY, "", "Alamat menurut NPWP Pelanggan"},
        {"KODE_DAE", 'C', 30, 0, MAY, "", "Kode Daerah  (Link dengan table Daerah.dbf [KODE])"},
        {"KODE_DA2", 'C', 30, 0, MAY, "", "Kode Daerah *2  (Link dengan table Daera2.dbf [KODE])"},
        {"TELEPON", 'C', 20, 0, MAY, "", "No Telepon Pelanggan (ke-1)"},
        {"TELEPON_2", 'C', 20, 0, MAY, "", "No Telepon Pelanggan (ke-2)"},
        {"TELEPON_3", 'C', 20, 0, MAY, "", "No Telepon Pelanggan (ke-3)"},
        {"FAX", 'C', 20, 0, MAY, "", "No Fax Pelanggan (ke-3)"},
        {"HUBUNGI", 'C', 30, 0, MAY, "", "Contact Person (ke-1)"},
        {"HUB_TELP_1", 'C', 20, 0, MAY, "", "No Telepon Contact Person (ke-1)"},
        {"HUBUNGI_2", 'C', 30, 0, MAY, "", "Contact Person (ke-2)"},
        {"HUB_TELP_2", 'C', 20, 0, MAY, "", "No Telepon Contact Person (ke-2)"},
        {"HUBUNGI_3", 'C', 30, 0, MAY, "", "Contact Person (ke-3)"},
        {"HUB_TELP_3", 'C', 20, 0, MAY, "", "No Telepon Contact Person (ke-3)"},
        {"EMAIL", 'C', 30, 0, MAY, "", "Email Pelanggan"},
        {"WEBSITE", 'C', 30, 0, MAY, "", "Website Pelanggan"},
        {"TMP_LAHIR", 'C', 30, 0, MAY, "", "Tempat Lahir"},
        {"TGL_LAHIR", 'D', 8, 0, MAY, "", "Tanggal Lahir"},
        {"PEND_AKHIR", 'C', 20, 0, MAY, "", "Pendidikan Terakhir"},
        {"TERM_CRD", 'N', 3, 0, MAY, "", "Term Credit (Jangka Waktu Kredit)"},
        {"MU_CREDIT", 'N', 3, 0, MAY, "1", "Mata Uang Plafon / Limit Credit"},
        {"MAX_CRD", 'N', 12, 0, MAY, "0", "Plafon / Limit Credit"},
        {"MAX_CRD2", 'N', 3, 0, MAY, "0", "Plafon / Limit Credit dalam lembaran penjualan"},
        {"MAX_CRD_PR", 'N', 1, 0, MAY, "0", "Limit Credit Protection: 0 = None, 1 = Warning, 2 = Error"},
        {"MAX2_CRD", 'N', 12, 0, MAY, "0", "Plafon / Limit Credit (Khusus Jatuh Tempo)"},
        {"MAX2_CRD2", 'N', 3, 0, MAY, "0", "Plafon / Limit Credit dalam lembaran penjualan (Khusus Jatuh Tempo)"},
        {"MAX2_CRD_P", 'N', 1, 0, MAY, "0", "Limit Credit Protection: 0 = None, 1 = Warning, 2 = Error (Khusus Jatuh Tempo)"},
        {"MAX3_CRD", 'N', 3, 0, MAY, "0", "Limit Credit xxx hari"},
        {"MAX3_CRD_P", 'N', 1, 0, MAY, "0", "Limit Credit xxx hari Protection: 0 = None, 1 = Warning, 2 = Error"},
        {"SPS_DISC", 'N', 6, 2, MAY, "0", "% Disc Global"},
        {"SPS_DISC2", 'N', 6, 2, MAY, "0", "% Disc Per Item"},
        {"POINT_AWAL", 'N', 6, 0, MAY, "0", "Sisa Point Awal"},
        {"CATATAN", 'C', 500, 0, MAY, "", "Catatan / Remarks"},
    }};
    return page;
}

// PELEXT.DBF
CataloguePage pagePelext() {
    CataloguePage page{"PELEXT.DBF", "WINIMPORTINFO10", "PelExt.dbf",
                       "File Table : PelExt.dbf   (berisi extra info pelanggan) (boleh tidak ada)",
                       {255, 28, 255}, {255, 28, 255}, {
        {"KODE_PEL", 'C', 20, 0, MUST, "", "Kode Pelanggan"},
        {"INFO_1", 'C', 30, 0, MUST, "", "Extra Info *1"},
        {"INFO_2", 'C', 30, 0, MAY, "", "Extra Info *2"},
        {"INFO_3", 'C', 30, 0, MAY, "", "Extra Info *3"},
        {"INFO_4", 'C', 30, 0, MAY, "", "Extra Info *4"},
        {"INFO_5", 'C', 30, 0, MAY, "", "Extra Info *5"},
        {"INFO_6", 'C', 30, 0, MAY, "", "Extra Info *6"},
        {"INFO_7", 'C', 30, 0, MAY, "", "Extra Info *7"},
        {"INFO_8", 'C', 30, 0, MAY, "", "Extra Info *8"},
    }};
    return page;
}

// PEMBEL.DBF
CataloguePage pagePembel() {
    CataloguePage page{"PEMBEL.DBF", "WINIMPORTINFO11", "Pembel.dbf",
                       "File Table : Pembel.dbf   (berisi data hutang awal) (boleh tidak ada)",
                       {155, 128, 255}, {155, 128, 255}, {
        {"DIVISI", 'N', 3, 0, MAY, "", "ID Divisi, boleh dikosongkan."},
        {"TANGGAL", 'D', 8, 0, MAY, "", "Tanggal Nota / Invoice"},
        {"NO_NOTA_C", 'C', 30, 0, MAY, "", "Nomor Nota / Invoice (String)"},
        {"KODE_VEN", 'C', 50, 0, MAY, "", "Kode Vendor, boleh dikosongkan.  (Link dengan table Vendor.dbf [KODE])"},
        {"NAMA_VEN", 'C', 50, 0, MAY, "", "Nama Vendor, boleh dikosongkan.  (Link dengan table Vendor.dbf [NAMA])"},
        {"MAUANG", 'N', 3, 0, MAY, "1", "Mata Uang Transaksi"},
        {"KURS", 'N', 11, 4, MAY, "1", "Kurs Mata Uang Transaksi"},
        {"HARGA", 'N', 12, 2, MAY, "0", "Nilai Hutang"},
        {"TERM_CRD", 'N', 3, 0, MAY, "", "Term Credit (Jangka Waktu Kredit)"},
        {"CATATAN", 'C', 100, 0, MAY, "", "Catatan / Remarks"},
        {"CATATAN_2", 'C', 100, 0, MAY, "", "Catatan *2/ Remarks *2"},
        {"CATATAN_3", 'C', 100, 0, MAY, "", "Catatan *3/ Remarks *3"},
    }};
    return page;
}

// PENJUA.DBF
CataloguePage pagePenjua() {
    CataloguePage page{"PENJUA.DBF", "WINIMPORTINFO12", "Penjua.dbf",
                       "File Table : Penjua.dbf   (berisi data piutang awal) (boleh tidak ada)",
                       {255, 128, 255}, {255, 128, 255}, {
        {"DIVISI", 'N', 3, 0, MAY, "", "ID Divisi, boleh dikosongkan."},
        {"TANGGAL", 'D', 8, 0, MAY, "", "Tanggal Nota / Invoice"},
        {"NO_NOTA", 'N', 8, 0, MAY, "", "Nomor Nota / Invoice (Numeric)"},
        {"NO_NOTA_C", 'C', 10, 0, MAY, "", "Nomor Nota / Invoice (String)"},
        {"KODE_PEL", 'C', 20, 0, MAY, "", "Kode Pelanggan, boleh dikosongkan.  (Link dengan table Pelang.dbf [KODE])"},
        {"KODE_SALES", 'C', 30, 0, MAY, "", "Kode Sales, boleh dikosongkan.  (Link dengan table Sales.dbf [KODE])"},
        {"NAMA_PEL", 'C', 50, 0, MUST, "", "Nama Pelanggan, boleh dikosongkan.  (Link dengan table Pelang.dbf [NAMA])"},
        {"MAUANG", 'N', 3, 0, MAY, "1", "Mata Uang Transaksi"},
        {"KURS", 'N', 11, 4, MAY, "1", "Kurs Mata Uang Transaksi"},
        {"HARGA", 'N', 12, 2, MAY, "0", "Nilai Piutang"},
        {"TERM_CRD", 'N', 3, 0, MAY, "", "Term Credit (Jangka Waktu Kredit)"},
        {"CATATAN", 'C', 100, 0, MAY, "", "Catatan / Remarks"},
        {"CATATAN_2", 'C', 100, 0, MAY, "", "Catatan *2/ Remarks *2"},
        {"CATATAN_3", 'C', 100, 0, MAY, "", "Catatan *3/ Remarks *3"},
    }};
    return page;
}

// GRPHJL.DBF
CataloguePage pageGrphjl() {
    CataloguePage page{"GRPHJL.DBF", "WINIMPORTINFO13", "GrpHJL.dbf",
                       "File Table : GrpHJL.dbf   (berisi kelompok harga jual barang/item) (boleh tidak ada)",
                       {255, 255, 185}, {255, 255, 185}, {
        {"KODE", 'C', 40, 0, MUST, "", "Kode Kelompok"},
        {"NAMA", 'C', 30, 0, MUST, "", "Nama Kelompok"},
    }};
    return page;
}

// STKHJL.DBF
CataloguePage pageStkhjl() {
    CataloguePage page{"STKHJL.DBF", "WINIMPORTINFO14", "StkHJL.dbf",
                       "File Table : StkHJL.dbf   (berisi linking item dan grouping harga jual)",
                       {255, 128, 128}, {255, 128, 128}, {
        {"KODE_ITEM", 'C', 20, 0, MUST, "", "Kode Barang / Item (Link dengan table Stock.dbf [KODE])"},
        {"KODE_GRP", 'C', 40, 0, MAY, "", "Kode Kelompok Harga Jual (Link dengan table GrpHJL.dbf [KODE])"},
        {"MU_JUAL1", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-1"},
        {"MU_JUAL2", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-2. (NB: Jika kosong maka sistem akan mengikuti field/kolom MU_JUAL1)"},
        {"MU_JUAL3", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-3. (NB: Jika kosong maka sistem akan mengikuti field/kolom MU_JUAL2)"},
        {"MU_JUAL4", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-4. (NB: Jika kosong maka sistem akan mengikuti field/kolom MU_JUAL3)"},
        {"MU_JUAL5", 'N', 3, 0, MAY, "1", "Mata Uang Harga Jual ke-5. (NB: Jika kosong maka sistem akan mengikuti field/kolom MU_JUAL4)"},
        {"H_JUAL1", 'N', 12, 2, MAY, "0", "Harga Jual ke-1, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2"},
        {"H_JL1_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-1 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL1)"},
        {"H_JL1_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-1 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL1)"},
        {"H_JUAL2", 'N', 12, 2, MAY, "0", "Harga Jual ke-2, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2.  (NB: Jika kosong, maka sistem akan mengikuti Harga Jual ke-1)"},
        {"H_JL2_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-2 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL2)"},
        {"H_JL2_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-2 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL2)"},
        {"H_JUAL3", 'N', 12, 2, MAY, "0", "Harga Jual ke-3, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2.  (NB: Jika kosong, maka sistem akan mengikuti Harga Jual ke-2)"},
        {"H_JL3_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-3 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL3)"},
        {"H_JL3_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-3 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL3)"},
        {"H_JUAL4", 'N', 12, 2, MAY, "0", "Harga Jual ke-4, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2.  (NB: Jika kosong, maka sistem akan mengikuti Harga Jual ke-3)"},
        {"H_JL4_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-4 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL4)"},
        {"H_JL4_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-4 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL4)"},
        {"H_JUAL5", 'N', 12, 2, MAY, "0", "Harga Jual ke-5, jika Harga Jual 10.000 / 10 SLOP, maka FIELD H_JUAL1 = 10000, H_JL1_PER = 10, H_JL1_SAT = 2.  (NB: Jika kosong, maka sistem akan mengikuti Harga Jual ke-4)"},
        {"H_JL5_PER", 'N', 10, 3, MAY, "1", "Harga Jual ke-5 per 1 XXX (satuan), bagian per (jumlah).  (NB: lihat keterangan pada field/kolom H_JUAL5)"},
        {"H_JL5_SAT", 'N', 3, 0, MAY, "1", "Harga Jual ke-5 per 1 XXX (satuan), bagian per (satuan), default nilainya 1 (satuan terkecil), jika 2 maka satuan ke-2, jika 3 maka satuan ke-3.  (NB: lihat keterangan pada field/kolom H_JUAL5)"},
        {"DISC1_J_01", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-1"},
        {"DISC2_J_01", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-1"},
        {"DISC3_J_01", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-1"},
        {"DISC1_J_02", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-2"},
        {"DISC2_J_02", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-2"},
        {"DISC3_J_02", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-2"},
        {"DISC1_J_03", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-3"},
        {"DISC2_J_03", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-3"},
        {"DISC3_J_03", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-3"},
        {"DISC1_J_04", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-4"},
        {"DISC2_J_04", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-4"},
        {"DISC3_J_04", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-4"},
        {"DISC1_J_05", 'N', 6, 2, MAY, "0", "Disc *1 Harga Jual ke-5"},
        {"DISC2_J_05", 'N', 6, 2, MAY, "0", "Disc *2 Harga Jual ke-5"},
        {"DISC3_J_05", 'N', 6, 2, MAY, "0", "Disc *3 Harga Jual ke-5"},
    }};
    return page;
}
}  // namespace

std::string CataloguePage::templateName() const { return fileName.substr(0, fileName.size() - 4); }

const std::vector<CataloguePage>& catalogue() {
    static const std::vector<CataloguePage> pages = {
        pageGrpstk(), pageGrpst2(), pageGrpst3(), pageItem(),   pageItminf(), pageItmnam(),
        pageVendor(), pageDaerah(), pageDaera2(), pageSales(),  pageGrppel(), pageGrppe2(),
        pagePelang(), pagePelext(), pagePembel(), pagePenjua(), pageGrphjl(), pageStkhjl(),
    };
    return pages;
}

const CataloguePage* findCataloguePage(std::string_view fileName) {
    for (const CataloguePage& page : catalogue())
        if (xbase::equalsIgnoreCase(fileName, page.fileName) || xbase::equalsIgnoreCase(fileName, page.templateName()))
            return &page;
    return nullptr;
}

const CatalogueRow* findCatalogueRow(const CataloguePage& page, std::string_view field) {
    for (const CatalogueRow& row : page.rows)
        if (xbase::equalsIgnoreCase(field, row.field)) return &row;
    return nullptr;
}

}  // namespace tarvo::templatetools
