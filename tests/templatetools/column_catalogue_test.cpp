// The column catalogue: its pages in tab order, their rows and texts, and the lookups.

#include "templatetools/column_catalogue.h"

#include <gtest/gtest.h>

#include <set>

namespace tarvo::templatetools {
namespace {

TEST(ColumnCatalogue, HasTheEighteenPagesInTabOrderWithTheirCaptionsAndRowCounts) {
    struct Expected {
        const char* file;
        const char* pageClass;
        const char* caption;
        size_t rows;
    };
    const std::vector<Expected> expected{
        {"GRPSTK.DBF", "WINIMPORTINFO1", "GrpStk.dbf", 2},    {"GRPST2.DBF", "WINIMPORTINFO2", "GrpSt2.dbf", 2},
        {"GRPST3.DBF", "WINIMPORTINFO3", "GrpSt3.dbf", 2},    {"ITEM.DBF", "WINIMPORTINFO4", "Item.dbf", 143},
        {"ITMINF.DBF", "WINIMPORTINFO4A", "ItmInf.dbf", 5},   {"ITMNAM.DBF", "WINIMPORTINFO4B", "ItmNam.dbf", 2},
        {"VENDOR.DBF", "WINIMPORTINFO5", "Vendor.dbf", 22},   {"DAERAH.DBF", "WINIMPORTINFO6", "Daerah.dbf", 2},
        {"DAERA2.DBF", "WINIMPORTINFO62", "Daera2.dbf", 2},   {"SALES.DBF", "WINIMPORTINFO7", "Sales.dbf", 5},
        {"GRPPEL.DBF", "WINIMPORTINFO8", "GrpPel.dbf", 2},    {"GRPPE2.DBF", "WINIMPORTINFO82", "GrpPe2.dbf", 2},
        {"PELANG.DBF", "WINIMPORTINFO9", "Pelang.dbf", 46},   {"PELEXT.DBF", "WINIMPORTINFO10", "PelExt.dbf", 9},
        {"PEMBEL.DBF", "WINIMPORTINFO11", "Pembel.dbf", 12},  {"PENJUA.DBF", "WINIMPORTINFO12", "Penjua.dbf", 14},
        {"GRPHJL.DBF", "WINIMPORTINFO13", "GrpHJL.dbf", 2},   {"STKHJL.DBF", "WINIMPORTINFO14", "StkHJL.dbf", 37},
    };
    const auto& pages = catalogue();
    ASSERT_EQ(pages.size(), expected.size());
    for (size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(expected[i].file);
        EXPECT_EQ(pages[i].fileName, expected[i].file);
        EXPECT_EQ(pages[i].pageClass, expected[i].pageClass);
        EXPECT_EQ(pages[i].tabCaption, expected[i].caption);
        EXPECT_EQ(pages[i].rows.size(), expected[i].rows);
        EXPECT_EQ(pages[i].title.rfind("File Table : " + pages[i].tabCaption + "   (", 0), 0u) << pages[i].title;
        // Every row is a column a table can have, named once.
        std::set<std::string> names;
        for (const CatalogueRow& row : pages[i].rows) {
            EXPECT_TRUE(names.insert(row.field).second) << row.field;
            EXPECT_TRUE(row.field.size() >= 1 && row.field.size() <= 10) << row.field;
            EXPECT_TRUE(row.type == 'C' || row.type == 'N' || row.type == 'D') << row.field;
            if (row.type == 'D') {
                EXPECT_EQ(row.length, 8) << row.field;
            }
            if (row.type != 'N') {
                EXPECT_EQ(row.decimals, 0) << row.field;
            }
            EXPECT_FALSE(row.description.empty()) << row.field;
        }
    }
}

TEST(ColumnCatalogue, RowsKeepTheirValuesAndTextsCharacterForCharacter) {
    struct Expected {
        const char* file;
        size_t index;
        CatalogueRow row;
    };
    const std::vector<Expected> expected{
        {"GRPSTK.DBF", 0, {"KODE", 'C', 40, 0, true, "", "Kode Group / Kelompok"}},
        {"ITEM.DBF", 0, {"JENIS", 'N', 3, 0, false, "0", "Value: 0 = Jenis Stock, 1 = Jenis Service/Non Stock, 2 = Jenis Link Item"}},
        {"ITEM.DBF", 20, {"SAT_1", 'C', 5, 0, false, "PCS", "Nama Satuan (UOM) Terkecil Barang (mis: PCS), apabila dikosongkan, maka sistem otomatis menganggap sebagai PCS"}},
        {"ITEM.DBF", 33, {"H_BL_PER", 'N', 10, 3, false, "1", "Harga Beli per 1 XXX (Satuan), bagian per (Jumlah).  (NB: lihat keterangan pada field/kolom H_BELI"}},
        {"ITEM.DBF", 82, {"CATATAN", 'C', 50, 0, false, "", "Catatan / Remarks"}},
        {"ITEM.DBF", 83, {"SISA_STK1", 'N', 14, 4, false, "0", "Sisa Akhir Barang (Gudang ke-1)"}},
        {"ITEM.DBF", 84, {"SISA_NIL1", 'N', 14, 2, false, "0", "Nilai Akhir Barang (Gudang ke-1)"}},
        {"ITEM.DBF", 101, {"SISA_STK10", 'N', 14, 4, false, "0", "Sisa Akhir Barang (Gudang ke-10)"}},
        {"ITEM.DBF", 102, {"SISA_NIL10", 'N', 14, 2, false, "0", "Nilai Akhir Barang (Gudang ke-10)"}},
        {"ITEM.DBF", 142, {"SISA_NIL30", 'N', 14, 2, false, "0", "Nilai Akhir Barang (Gudang ke-30)"}},
        {"VENDOR.DBF", 5, {"KODE_DAE", 'C', 30, 0, false, "", "Kode Daerah  (Link dengan table Daerah.dbf [KODE])"}},
        {"PELANG.DBF", 30, {"TGL_LAHIR", 'D', 8, 0, false, "", "Tanggal Lahir"}},
        {"PEMBEL.DBF", 2, {"NO_NOTA_C", 'C', 30, 0, false, "", "Nomor Nota / Invoice (String)"}},
        {"PENJUA.DBF", 6, {"NAMA_PEL", 'C', 50, 0, true, "", "Nama Pelanggan, boleh dikosongkan.  (Link dengan table Pelang.dbf [NAMA])"}},
        {"STKHJL.DBF", 36, {"DISC3_J_05", 'N', 6, 2, false, "0", "Disc *3 Harga Jual ke-5"}},
    };
    for (const Expected& e : expected) {
        SCOPED_TRACE(std::string(e.file) + " row " + std::to_string(e.index));
        const CataloguePage* page = findCataloguePage(e.file);
        ASSERT_NE(page, nullptr);
        ASSERT_LT(e.index, page->rows.size());
        const CatalogueRow& row = page->rows[e.index];
        EXPECT_EQ(row.field, e.row.field);
        EXPECT_EQ(row.type, e.row.type);
        EXPECT_EQ(row.length, e.row.length);
        EXPECT_EQ(row.decimals, e.row.decimals);
        EXPECT_EQ(row.mandatory, e.row.mandatory);
        EXPECT_EQ(row.defaultValue, e.row.defaultValue);
        EXPECT_EQ(row.description, e.row.description);
    }
    // The curly quotation marks around Link Item stay as they are.
    const CatalogueRow* link = findCatalogueRow(*findCataloguePage("ITEM.DBF"), "LINK_KODE");
    ASSERT_NE(link, nullptr);
    EXPECT_EQ(link->description.rfind("Jika jenis adalah \u201CLink Item\u201D, maka", 0), 0u);
    EXPECT_NE(link->description.find("LINK_KODE: 0001  LINK_JML: 10  LINK_SAT: 1"), std::string::npos);
}

TEST(ColumnCatalogue, ShowsMarksAndDefaultsAsTheListDoes) {
    const CatalogueRow mandatory{"KODE", 'C', 20, 0, true, "", "x"};
    const CatalogueRow optional{"SAT_1", 'C', 5, 0, false, "PCS", "x"};
    EXPECT_EQ(mandatory.mandatoryMark(), "*");
    EXPECT_EQ(mandatory.shownDefault(), " ");
    EXPECT_EQ(optional.mandatoryMark(), " ");
    EXPECT_EQ(optional.shownDefault(), "PCS");
}

TEST(ColumnCatalogue, ColoursAndTitles) {
    EXPECT_EQ(findCataloguePage("SALES")->background, (Rgb{111, 49, 152}));
    EXPECT_EQ(findCataloguePage("SALES")->textBackground, (Rgb{255, 128, 255}));
    EXPECT_EQ(findCataloguePage("DAERAH")->background, findCataloguePage("DAERA2")->background);
    EXPECT_EQ(findCataloguePage("GRPPEL")->background, findCataloguePage("GRPPE2")->background);
    EXPECT_EQ(findCataloguePage("ITMNAM")->background, (Rgb{255, 180, 18}));
    for (const CataloguePage& page : catalogue()) {
        if (page.fileName != "SALES.DBF") {
            EXPECT_EQ(page.background, page.textBackground) << page.fileName;
        }
    }
    EXPECT_EQ(findCataloguePage("STKHJL")->title, "File Table : StkHJL.dbf   (berisi linking item dan grouping harga jual)");
}

TEST(ColumnCatalogue, FindsPagesAndRowsIgnoringCase) {
    EXPECT_EQ(findCataloguePage("item.dbf"), findCataloguePage("ITEM"));
    EXPECT_EQ(findCataloguePage("Item.dbf")->fileName, "ITEM.DBF");
    EXPECT_EQ(findCataloguePage("ITEM")->templateName(), "ITEM");
    EXPECT_EQ(findCataloguePage("STOCK.DBF"), nullptr);
    EXPECT_EQ(findCataloguePage(""), nullptr);
    const CataloguePage& item = *findCataloguePage("ITEM");
    EXPECT_EQ(findCatalogueRow(item, "kode_2")->field, "KODE_2");
    EXPECT_EQ(findCatalogueRow(item, "KODE_"), nullptr);
}

}  // namespace
}  // namespace tarvo::templatetools
