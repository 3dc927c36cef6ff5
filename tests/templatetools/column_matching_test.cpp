// A shop's own columns matched to template columns: headers in the shop's words, the header row
// below titles, the template a sheet named "Sheet1" fills, and the mapping file that keeps it all.

#include <gtest/gtest.h>

#include "templatetools/column_mapping.h"
#include "templatetools/column_matching.h"
#include "templatetools/mapping_preview.h"
#include "templatetools/mapping_proposal.h"

namespace tarvo::templatetools {
namespace {

// A row of text cells from column A on; empty texts leave their cell out.
sheets::Row textRow(long number, const std::vector<std::string>& texts) {
    sheets::Row row;
    row.number = number;
    for (size_t i = 0; i < texts.size(); ++i)
        if (!texts[i].empty()) {
            sheets::Cell& cell = row.cells.emplace_back();
            cell.column = static_cast<int>(i);
            cell.kind = sheets::CellKind::Text;
            cell.text = texts[i];
        }
    return row;
}

TEST(ColumnMatching, NormalisedHeaders) {
    EXPECT_EQ(normalisedHeader("H_JUAL1"), "h jual 1");
    EXPECT_EQ(normalisedHeader("  Harga Jual ke-1 "), "harga jual 1");
    EXPECT_EQ(normalisedHeader("Kode.Barang/SKU"), "kode barang sku");
    EXPECT_EQ(normalisedHeader("Stok (Gudang)"), "stok gudang");
}

TEST(ColumnMatching, HeadersOfTheItemPage) {
    struct Case {
        std::string header;
        std::string field;
        MatchKind kind;
    };
    const std::vector<Case> cases = {
        {"KODE", "KODE", MatchKind::FieldName},
        {"h_jual1", "H_JUAL1", MatchKind::FieldName},
        {"Kode Barang", "KODE", MatchKind::KnownHeader},
        {"Nama Item", "NAMA", MatchKind::KnownHeader},
        {"Item Name", "NAMA", MatchKind::KnownHeader},
        {"Harga Jual", "H_JUAL1", MatchKind::KnownHeader},
        {"Price", "H_JUAL1", MatchKind::KnownHeader},
        {"HARGA BELI", "H_BELI", MatchKind::KnownHeader},
        {"Cost", "H_BELI", MatchKind::KnownHeader},
        {"Satuan", "SAT_1", MatchKind::KnownHeader},
        {"Qty", "SISA_STK1", MatchKind::KnownHeader},
        {"Pemasok", "KODE_VEN", MatchKind::KnownHeader},
        {"Minimum Stock", "MIN_STOCK", MatchKind::KnownHeader},
        {"Disc Beli", "DISC_BL_P", MatchKind::Description},
        {"Volume Liter", "VOL_LITER", MatchKind::Description},
        {"Stok Gudang", "SISA_STK1", MatchKind::Similar},
        {"Harga Jual Grosir", "H_JUAL2", MatchKind::Similar},
        {"Barcod", "KODE", MatchKind::Similar},
        {"Rak", "", MatchKind::None},
        {"No", "", MatchKind::None},
        {"Tanggal Expired", "", MatchKind::None},
    };
    const CataloguePage& item = *findCataloguePage("ITEM");
    for (const Case& c : cases) {
        const std::vector<ColumnMatch> matches = matchColumns(textRow(1, {c.header}), item);
        ASSERT_EQ(matches.size(), 1u) << c.header;
        EXPECT_EQ(matches[0].field, c.field) << c.header;
        EXPECT_EQ(matches[0].kind, c.kind) << c.header;
    }
}

TEST(ColumnMatching, EachFieldGoesToTheColumnThatFitsBest) {
    // The field's name before a known header; a header of this template before one of every template.
    const auto matches = matchColumns(textRow(1, {"Name", "Kode Barang", "kode", "Nama Barang"}), *findCataloguePage("ITEM"));
    ASSERT_EQ(matches.size(), 4u);
    EXPECT_EQ(matches[2].field, "KODE");
    EXPECT_EQ(matches[1].field, "KODE_2");  // the next column its description names
    EXPECT_EQ(matches[3].field, "NAMA");
    EXPECT_NE(matches[0].field, "NAMA");
}

TEST(ColumnMatching, TheHeaderRowBelowTitlesAndTheTemplateFromTheColumns) {
    const std::vector<sheets::Row> rows = {
        textRow(1, {"DAFTAR BARANG TOKO SUMBER REJEKI"}),
        textRow(2, {"Per 1 Juli 2024", "", "Gudang Utama"}),
        textRow(4, {"No", "Kode Barang", "Nama Barang", "Satuan", "Harga Beli", "Harga Jual", "Stok Gudang", "Supplier", "Rak"}),
        textRow(5, {"1", "BRG-001", "Indomie Goreng", "PCS", "2500", "3000", "40", "V1", "A-1"}),
    };
    const SheetProposal proposal = proposeSheet("Sheet1", rows);
    EXPECT_EQ(proposal.headerRow, 4);
    ASSERT_NE(proposal.page, nullptr);
    EXPECT_EQ(proposal.page->templateName(), "ITEM");
    std::vector<std::string> fields;
    for (const ColumnMatch& match : proposal.columns) fields.push_back(match.field);
    EXPECT_EQ(fields, (std::vector<std::string>{"", "KODE", "NAMA", "SAT_1", "H_BELI", "H_JUAL1", "SISA_STK1", "KODE_VEN", ""}));

    EXPECT_EQ(proposeSheet("Pelanggan", {textRow(1, {"Kode Pelanggan", "Nama Pelanggan", "Alamat"})}).page->templateName(),
              "PELANG");
    // The name names the template, whatever the columns.
    EXPECT_EQ(proposeSheet("vendor", {textRow(1, {"Kode Barang", "Nama Barang"})}).page->templateName(), "VENDOR");
    // A sheet of notes fills none.
    EXPECT_EQ(proposeSheet("Catatan", {textRow(1, {"Isi sheet ITEM dulu"}), textRow(2, {"lalu VENDOR"})}).page, nullptr);
}

TEST(ColumnMapping, RoundTripsThroughItsFile) {
    ColumnMapping mapping;
    mapping.sheets.push_back(mappingOf(proposeSheet(
        "Sheet1", {textRow(1, {"Daftar Barang"}), textRow(3, {"Kode Barang", "Nama Barang", "Harga Jual", "Rak"})})));
    mapping.sheets.push_back({"Catatan", "", 1, {}});
    mapping.sheets.push_back({"Pemasok", "VENDOR", 2, {{"", "Nama", "NAMA"}, {"C", "", "KODE"}}});
    ASSERT_EQ(mapping.sheets[0].columns.size(), 4u);
    EXPECT_EQ(mapping.sheets[0].headerRow, 3);
    EXPECT_EQ(mapping.sheets[0].columns[2], (MappingColumn{"C", "Harga Jual", "H_JUAL1"}));
    EXPECT_EQ(mapping.sheets[0].columns[3], (MappingColumn{"D", "Rak", ""}));

    const std::string json = mappingToJson(mapping);
    EXPECT_NE(json.find("\"header\": \"Kode Barang\""), std::string::npos) << json;
    EXPECT_EQ(mappingFromJson(json, "map.json"), mapping);
    // Names of templates and fields in any case.
    EXPECT_EQ(mappingFromJson(R"({"sheets":[{"sheet":"S","template":"item.dbf","columns":[{"column":"B","field":"nama"}]}]})", "m")
                  .sheets[0],
              (MappingSheet{"S", "ITEM", 1, {{"B", "", "NAMA"}}}));
}

TEST(ColumnMapping, AMappingThatDoesNotFitIsRefused) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"[1,2]", "m.json: a column mapping needs a list \"sheets\""},
        {"{\"sheets\":", "m.json: not a JSON column mapping"},
        {R"({"sheets":[{"template":"ITEM"}]})", "m.json: an entry of \"sheets\" has no \"sheet\""},
        {R"({"sheets":[{"sheet":"S","template":"STOCK"}]})", "m.json, sheet S: no template STOCK"},
        {R"({"sheets":[{"sheet":"S","template":"ITEM","columns":[{"column":"A","field":"HARGA"}]}]})",
         "m.json, sheet S: ITEM has no column HARGA"},
        {R"({"sheets":[{"sheet":"S","template":"ITEM","columns":[{"column":"a1","field":"KODE"}]}]})",
         "m.json, sheet S: \"a1\" is no column letter"},
        {R"({"sheets":[{"sheet":"S","template":"ITEM","columns":[{"field":"KODE"}]}]})",
         "m.json, sheet S: a column needs its \"column\" letter or its \"header\""},
        {R"({"sheets":[{"sheet":"S","template":"ITEM","columns":[{"column":"A","field":"KODE"},{"column":"B","field":"KODE"}]}]})",
         "m.json, sheet S: KODE given to two columns"},
        {R"({"sheets":[{"sheet":"S","template":"ITEM","header_row":0}]})", "m.json, sheet S: \"header_row\" must be a row number"},
        {R"({"sheets":[{"sheet":"S"},{"sheet":"S"}]})", "m.json: sheet S given twice"},
    };
    for (const auto& [text, error] : cases) {
        try {
            mappingFromJson(text, "m.json");
            ADD_FAILURE() << text;
        } catch (const MappingError& e) {
            EXPECT_EQ(std::string(e.what()), error);
        }
    }
}

TEST(ColumnMapping, ThePreviewConvertsTheFirstRowsAsTheCheckDoes) {
    const SheetHead head{"Sheet1",
                         {textRow(1, {"Daftar"}), textRow(2, {"Kode Barang", "Harga Jual", "Rak"}),
                          textRow(3, {"A1", "1.500,5", "R1"}), textRow(4, {"", "dua"})}};
    const MappingSheet sheet{"Sheet1", "ITEM", 2, {{"A", "Kode Barang", "KODE"}, {"", "Harga Jual", "H_JUAL1"}, {"C", "Rak", ""}}};
    const SheetPreview preview = previewSheet(head, sheet);
    EXPECT_EQ(preview.fields, (std::vector<std::string>{"KODE", "H_JUAL1"}));
    EXPECT_EQ(preview.missingMandatory, (std::vector<std::string>{"NAMA"}));
    ASSERT_EQ(preview.rows, (std::vector<long>{3, 4}));
    EXPECT_EQ(preview.cells[0][0].text, "A1");
    EXPECT_EQ(preview.cells[0][1].text, "1500.50");
    EXPECT_EQ(preview.cells[0][1].problem, "");
    EXPECT_EQ(preview.cells[1][0].problem, "Sheet1 row 4, column Kode Barang [KODE] (A): mandatory value empty");
    EXPECT_EQ(preview.cells[1][1].problem, "Sheet1 row 4, column Harga Jual [H_JUAL1] (B), value \"dua\": not a number");
}

TEST(ColumnMapping, KeptBesideTheWorkbook) {
    EXPECT_EQ(defaultMappingFile("/data/toko/Barang.xlsx"), "/data/toko/Barang.mapping.json");
    EXPECT_EQ(defaultMappingFile("/data/toko/ITEM.csv"), "/data/toko/ITEM.mapping.json");
}

}  // namespace
}  // namespace tarvo::templatetools
