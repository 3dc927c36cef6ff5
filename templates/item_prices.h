#pragma once
// Numbers of the item templates as the item and group-price records take them: a column is
// present when the template has it and its value is not zero; a unit level is a present value
// within 1-3.

#include <string>

#include "importing/field_writer.h"
#include "importing/value_feeds.h"
#include "importing/import_run.h"

namespace tarvo::templates {

// The column's value when present, else the fallback.
double presentOr(const importing::SourceRow& row, const std::string& column, double fallback);
// The column's value when present and within 1-3, else the fallback.
double unitOr(const importing::SourceRow& row, const std::string& column, double fallback);

// The five selling-price levels and their fifteen discounts, shared by S_STOCK and S_STKHJL:
// currency MU_H_J_0n, price HARGA_J_0n, quantity JML_J_0n and unit SAT_J_0n, level 1 from its
// columns or the defaults 1, 0, 1, 1, each further level from its columns or else the level
// before (quantity and unit only when the template has that level's price column), and
// DISC1_J_0n ... DISC3_J_0n from the same-named columns (0 when absent).
void writeSellingPrices(const importing::SourceRow& row, importing::FieldWriter& target);
// The numbers writeSellingPrices takes from the columns, for the value checks: each level's price,
// quantity and discounts (a level that repeats the one before repeats a value already checked).
void addSellingPriceFeeds(std::vector<importing::FieldFeed>& feeds, const std::string& table = "S_STOCK");

}  // namespace tarvo::templates
