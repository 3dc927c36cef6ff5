#include "templatetools/known_headers.h"

namespace tarvo::templatetools {

const std::vector<KnownHeaders>& knownHeaders() {
    static const std::vector<KnownHeaders> headers = {
        {"ITEM", "KODE", {"kode barang", "kode item", "kode produk", "barcode", "sku", "plu", "item code", "product code", "code"}},
        {"ITEM", "NAMA", {"nama barang", "nama item", "nama produk", "item name", "product name", "item", "produk", "barang", "deskripsi", "description"}},
        {"ITEM", "KODE2", {"kode pabrik", "part number"}},
        {"ITEM", "H_JUAL1", {"harga jual", "harga jual 1", "harga eceran", "harga", "price", "sell price", "selling price", "sales price"}},
        {"ITEM", "H_JUAL2", {"harga grosir", "harga jual 2", "wholesale price"}},
        {"ITEM", "H_BELI", {"harga beli", "harga pokok", "hpp", "modal", "cost", "buy price", "purchase price", "cost price"}},
        {"ITEM", "SAT_1", {"satuan", "sat", "unit", "uom"}},
        {"ITEM", "SISA_STK1", {"stok", "stock", "qty", "quantity", "jumlah", "stok akhir", "sisa stok", "saldo stok", "on hand"}},
        {"ITEM", "SISA_NIL1", {"nilai stok", "stock value"}},
        {"ITEM", "MIN_STOCK", {"stok minimum", "min stok", "minimum stock", "min stock"}},
        {"ITEM", "KODE_VEN", {"supplier", "pemasok", "kode supplier", "kode pemasok", "vendor", "kode vendor", "supplier code"}},
        {"ITEM", "NAMA_VEN", {"nama supplier", "nama pemasok", "nama vendor", "supplier name"}},
        {"ITEM", "KODE_GRP1", {"kategori", "kelompok", "golongan", "group", "category", "kode kategori", "kode kelompok"}},
        {"VENDOR", "KODE", {"kode supplier", "kode pemasok", "kode vendor", "supplier code"}},
        {"VENDOR", "NAMA", {"nama supplier", "nama pemasok", "nama vendor", "supplier", "supplier name"}},
        {"PELANG", "KODE", {"kode pelanggan", "kode customer", "customer code"}},
        {"PELANG", "NAMA", {"nama pelanggan", "nama customer", "pelanggan", "customer", "customer name"}},
        {"SALES", "KODE", {"kode sales", "kode salesman"}},
        {"SALES", "NAMA", {"nama sales", "nama salesman", "salesman"}},
        {"PEMBEL", "KODE_VEN", {"supplier", "pemasok", "kode supplier", "vendor"}},
        {"PEMBEL", "HARGA", {"hutang", "nilai hutang", "nilai", "jumlah", "total", "amount"}},
        {"PENJUA", "KODE_PEL", {"kode pelanggan", "customer code"}},
        {"PENJUA", "NAMA_PEL", {"nama pelanggan", "pelanggan", "customer", "customer name"}},
        {"PENJUA", "HARGA", {"piutang", "nilai piutang", "nilai", "jumlah", "total", "amount"}},
        {"", "KODE", {"kode", "code"}},
        {"", "NAMA", {"nama", "name"}},
        {"", "ALAMAT", {"alamat", "address"}},
        {"", "TELEPON", {"telepon", "telp", "no telp", "no telepon", "phone", "hp", "no hp", "handphone"}},
        {"", "EMAIL", {"email", "e mail"}},
        {"", "HUBUNGI", {"kontak", "contact", "contact person", "cp"}},
        {"", "MAX_CRD", {"limit kredit", "plafon", "credit limit"}},
        {"", "TERM_CRD", {"termin", "tempo", "jatuh tempo", "term"}},
        {"", "TANGGAL", {"tanggal", "tgl", "date"}},
        {"", "NO_NOTA_C", {"no nota", "nomor nota", "no faktur", "invoice", "no invoice"}},
        {"", "CATATAN", {"catatan", "keterangan", "ket", "note", "notes", "remarks"}},
    };
    return headers;
}

const std::vector<KnownSheetName>& knownSheetNames() {
    static const std::vector<KnownSheetName> names = {
        {"barang", "ITEM"},      {"item", "ITEM"},        {"items", "ITEM"},     {"produk", "ITEM"},
        {"product", "ITEM"},     {"products", "ITEM"},    {"supplier", "VENDOR"}, {"pemasok", "VENDOR"},
        {"vendor", "VENDOR"},    {"pelanggan", "PELANG"}, {"customer", "PELANG"}, {"customers", "PELANG"},
        {"salesman", "SALES"},   {"hutang", "PEMBEL"},    {"piutang", "PENJUA"},
    };
    return names;
}

}  // namespace tarvo::templatetools
