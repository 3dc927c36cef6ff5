#include "templates/item_record.h"

#include "templates/item_prices.h"
#include "templates/references.h"
#include "importing/code_list.h"
#include "importing/opening_balances.h"
#include "importing/stock_search.h"

namespace tarvo::templates {

namespace {

using xbase::Value;

// Fields given by a column when it is not zero, else by a fallback.
struct PresentNumber {
    const char* field;
    const char* column;
    double fallback;
};
constexpr PresentNumber kPresentNumbers[] = {{"MU_H_BELI", "MU_BELI", 1},  {"MU_H_MIN", "MU_MINJUAL", 1},
                                             {"HARGA_BELI", "H_BELI", 0},  {"HARGA_MIN", "H_MINJUAL", 0},
                                             {"JML_BELI", "H_BL_PER", 1},  {"JML_MIN", "H_MJL_PER", 1}};
// Fields given by the column of the same name.
constexpr const char* kSameNamedNumbers[] = {"MIN_STOCK", "DISC_BL_P", "VOL_METER", "VOL_LITER"};

// One trailing carriage return or line feed removed.
std::string withoutLineEnd(std::string text) {
    if (!text.empty() && (text.back() == '\r' || text.back() == '\n')) text.pop_back();
    return text;
}

// The picture of quantities: QUAN_PICT 1-3 decimals, else none.
const char* quantityPicture(double decimals) {
    if (decimals == 1) return "999,999.9";
    if (decimals == 2) return "999,999.99";
    if (decimals == 3) return "999,999.999";
    return "999,999";
}

}  // namespace

ItemRow readItemRow(const importing::SourceRow& row) {
    ItemRow item;
    item.codes[0] = importing::upperCase(row.trimmed("KODE"));
    for (int n = 2; n <= ItemRow::kCodes; ++n) {
        const std::string column = "KODE_" + std::to_string(n);
        const bool follows = n == 2 || !item.codes[n - 2].empty();
        if (follows && row.has(column)) item.codes[n - 1] = row.trimmed(column);
    }
    for (std::string& code : item.codes) code = withoutLineEnd(std::move(code));
    item.name = withoutLineEnd(row.trimmed("NAMA"));
    item.nameExtension1 = row.trimmed("NAMAEX1");
    item.nameExtension2 = row.trimmed("NAMAEX2");
    item.linkCode = importing::upperCase(row.trimmed("LINK_KODE"));
    item.units = importing::readItemUnits(row);
    return item;
}

int itemKind(const importing::SourceRow& row) {
    const double kind = row.number("JENIS");
    return row.has("JENIS") && kind >= 0 && kind <= 2 ? static_cast<int>(kind) : 0;
}

bool takesItemRow(const importing::SourceRow& row) {
    const ItemRow item = readItemRow(row);
    return !item.codes[0].empty() && !item.name.empty();
}

std::vector<importing::FieldFeed> itemFeeds(importing::StockMode stockMode) {
    std::vector<importing::FieldFeed> feeds;
    for (const PresentNumber& number : kPresentNumbers)
        feeds.push_back({"S_STOCK", number.field, importing::column(number.column)});
    for (const char* number : kSameNamedNumbers) feeds.push_back({"S_STOCK", number, importing::column(number)});
    addSellingPriceFeeds(feeds);
    for (importing::FieldFeed& feed : importing::templateOpeningStockFeeds(stockMode, itemKind))
        feeds.push_back(std::move(feed));
    return feeds;
}

int writeStockRecord(const TemplateRun& run, const importing::SourceRow& row, const ItemRow& item, uint32_t unitSet,
                     importing::FieldWriter& stock) {
    const int kind = itemKind(row);

    stock.put("ID", Value(stock.table().recCount()));
    stock.putStamps(run);
    stock.put("HIDE", Value(false));
    stock.put("NAMA", Value(item.name));
    stock.put("NAMAEX1", Value(item.nameExtension1));
    stock.put("NAMAEX2", Value(item.nameExtension2));
    stock.put("NAMA_2", Value(importing::isBlank(row.text("NAMA2")) ? row.text("NAMA") : row.text("NAMA2")));
    stock.put("JENIS", Value(kind));
    stock.put("GROUP_STK", Value(codeReference(run.itemGroups1, row, "KODE_GRP1")));
    stock.put("GROUP_ST2", Value(codeReference(run.itemGroups2, row, "KODE_GRP2")));
    stock.put("GROUP_ST3", Value(codeReference(run.itemGroups3, row, "KODE_GRP3")));
    for (const char* text : {"EXT_INFO_1", "EXT_INFO_2", "EXT_INFO_3"}) stock.put(text, Value(row.trimmed(text)));
    stock.put("VENDOR", Value(vendorReference(run, row)));

    stock.put("KODE_N", Value(0));
    std::string code = item.codes[0];
    stock.put("KODE_C", Value(code));
    for (int n = 2; n <= ItemRow::kCodes; ++n) {
        if (!item.codes[n - 1].empty()) code = item.codes[n - 1];
        stock.put("KODE_C_" + std::to_string(n), Value(code));
    }
    stock.put("QUAN_PICT", Value(quantityPicture(row.number("QUAN_PICT"))));
    stock.put("BARCODE", Value(row.trimmed("KODE2")));
    stock.put("SERIAL_ID", Value(0));
    stock.put({"SERIAL_2", "EXPIRED", "NON_PAJAK", "TNP_HARGA"}, Value(false));

    stock.put("TIPE_SATU", Value(unitSet));
    const auto& factors = item.units.factors;
    for (int level = 1; level <= 10; ++level)
        stock.put(std::string("SAT_K_") + (level < 10 ? "0" : "") + std::to_string(level),
                  Value(level <= importing::ItemUnits::kLevels ? factors[level - 1] : 0.0));
    stock.put({"SAT_ECR", "SAT_OUT_2", "KURS_JUAL"}, Value(1));
    stock.put("SAT_OUT", Value(factors[1] > 0 ? 2 : 1));
    stock.put("SAT_OUT_D", Value(2));

    for (const PresentNumber& number : kPresentNumbers)
        stock.put(number.field, Value(presentOr(row, number.column, number.fallback)));
    stock.put("SAT_BELI", Value(unitOr(row, "H_BL_SAT", 1)));
    stock.put("SAT_MIN", Value(unitOr(row, "H_MJL_SAT", 1)));
    writeSellingPrices(row, stock);
    for (const char* number : kSameNamedNumbers) stock.put(number, Value(row.number(number)));
    for (const char* unit : {"MIN_STK_ST", "VOL_MTRSAT", "VOL_LTRSAT"}) stock.put(unit, Value(unitOr(row, unit, 1)));
    stock.put({"MAX_STOCK", "MIN_JUAL", "HAR_J_01_P", "HAR_J_02_P", "HAR_J_03_P", "HAR_J_04_P", "HAR_J_05_P", "HAR_MIN_P"},
              Value(0));
    stock.put({"MAX_STK_ST", "MIN_JL_ST", "SAT_DEF"}, Value(1));
    stock.put("CATATAN", Value(row.trimmed("CATATAN")));
    stock.put({"ITM_PURCOR", "ITM_TRMSTK", "ITM_PEMBEL", "ITM_RETPEM", "ITM_QUOTAT", "ITM_SALORD", "ITM_KLRSTK",
               "ITM_PENJEC", "ITM_PENJUA", "ITM_BONPEN", "ITM_RETPEN", "ITM_STKPIN", "ITM_STKTRA", "ITM_STKREP",
               "ITM_STKMAS", "ITM_STKKLR", "GUDANG_01", "GUDANG_02", "GUDANG_03", "GUDANG_04", "GUDANG_05", "GUDANG_06"},
              Value(true));
    return kind;
}

}  // namespace tarvo::templates
