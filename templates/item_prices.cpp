#include "templates/item_prices.h"

#include <array>

namespace tarvo::templates {

namespace {

constexpr int kLevels = 5;

// Template columns and target fields of one price level.
struct PriceLevel {
    std::string currencyColumn, priceColumn, quantityColumn, unitColumn;
    std::string currencyField, priceField, quantityField, unitField;
    std::array<std::string, 3> discounts;  // same name in template and target
};

std::array<PriceLevel, kLevels> makePriceLevels() {
    std::array<PriceLevel, kLevels> levels;
    for (int n = 1; n <= kLevels; ++n) {
        const std::string digit = std::to_string(n);
        const std::string twoDigits = "0" + digit;
        PriceLevel& level = levels[n - 1];
        level.currencyColumn = "MU_JUAL" + digit;
        level.priceColumn = "H_JUAL" + digit;
        level.quantityColumn = "H_JL" + digit + "_PER";
        level.unitColumn = "H_JL" + digit + "_SAT";
        level.currencyField = "MU_H_J_" + twoDigits;
        level.priceField = "HARGA_J_" + twoDigits;
        level.quantityField = "JML_J_" + twoDigits;
        level.unitField = "SAT_J_" + twoDigits;
        for (int d = 1; d <= 3; ++d) level.discounts[d - 1] = "DISC" + std::to_string(d) + "_J_" + twoDigits;
    }
    return levels;
}

const std::array<PriceLevel, kLevels>& priceLevels() {
    static const std::array<PriceLevel, kLevels> levels = makePriceLevels();
    return levels;
}

}  // namespace

double presentOr(const importing::SourceRow& row, const std::string& column, double fallback) {
    const double value = row.number(column);
    return value != 0 ? value : fallback;
}

double unitOr(const importing::SourceRow& row, const std::string& column, double fallback) {
    const double value = row.number(column);
    return value >= 1 && value <= 3 ? value : fallback;
}

void writeSellingPrices(const importing::SourceRow& row, importing::FieldWriter& target) {
    double currency = 1, price = 0, quantity = 1, unit = 1;
    for (const PriceLevel& level : priceLevels()) {
        currency = presentOr(row, level.currencyColumn, currency);
        price = presentOr(row, level.priceColumn, price);
        if (&level == &priceLevels()[0] || row.has(level.priceColumn)) {
            quantity = presentOr(row, level.quantityColumn, quantity);
            unit = unitOr(row, level.unitColumn, unit);
        }
        target.put(level.currencyField, xbase::Value(currency));
        target.put(level.priceField, xbase::Value(price));
        target.put(level.quantityField, xbase::Value(quantity));
        target.put(level.unitField, xbase::Value(unit));
        for (const std::string& discount : level.discounts) target.put(discount, xbase::Value(row.number(discount)));
    }
}

void addSellingPriceFeeds(std::vector<importing::FieldFeed>& feeds, const std::string& table) {
    for (const PriceLevel& level : priceLevels()) {
        feeds.push_back({table, level.priceField, importing::column(level.priceColumn)});
        feeds.push_back({table, level.quantityField, importing::column(level.quantityColumn)});
        for (const std::string& discount : level.discounts) feeds.push_back({table, discount, importing::column(discount)});
    }
}

}  // namespace tarvo::templates
