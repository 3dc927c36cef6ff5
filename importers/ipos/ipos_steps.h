#pragma once
// The steps of an iPOS import, in the order they run, over the state they share.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "importers/ipos/ipos_import.h"
#include "importers/ipos/source_database.h"
#include "importing/code_list.h"
#include "importing/import_run.h"
#include "importing/item_ids.h"
#include "importing/item_units.h"
#include "importing/value_checks.h"

namespace tarvo::importers::ipos {

struct IposRun {
    importing::ImportRun& run;
    const SourceDatabase& source;
    const IposChoices& choices;
    // Working lists: group codes, salesman codes with their commission percentages; the units.
    importing::CodeList groups, salesmen;
    std::vector<double> commissions;
    importing::UnitSets units;
    // The items of the transactions' lines; the steps after the items no longer write S_STOCK.
    importing::ItemIds itemIds;
};

// A number a source row gives to a retail field, named by the columns it comes from.
struct RowValue {
    importing::FieldColumns target;
    std::function<double(const odbc::Row&)> of;
};
// The column of the result as it is.
RowValue columnAsIs(const odbc::Result& result, const importing::FieldColumns& target);
// The numbers of each row `takes` accepts, tried against their fields.
void tryRows(const odbc::Result& result, const char* table, const std::function<bool(const odbc::Row&)>& takes,
             const std::vector<RowValue>& values, importing::ValueTrials& trials);

// The numbers of the items and salesmen that go into their fields as they are, tried before the
// shop is touched, for the rows the steps take up (before their duplicate checks).
void tryMasterDataValues(const SourceDatabase& source, const IposChoices& choices, importing::ValueTrials& trials);
// The numbers of the sales and cash-register sales (headers and lines) and of the goods received
// and issued, tried the same way, for every header and line with a quantity.
void tryTransactionValues(const SourceDatabase& source, importing::ValueTrials& trials);

void importItemGroups(IposRun& ipos);
// Items with their discount periods; S_STOCK stays open for the transactions.
void importItems(IposRun& ipos);
void writeUnits(IposRun& ipos);
// Salesmen into S_KARYAW, or into S_PELANG when they become customers.
void importSalesmen(IposRun& ipos);
void importSalesInvoices(IposRun& ipos);
void importCashSales(IposRun& ipos);
void importGoodsReceived(IposRun& ipos);
void importGoodsIssued(IposRun& ipos);

// Walks the rows of a result with the progress text, counter and bar on the progress window's
// first line; rule returns false for a row it skipped, which is counted under the table's name. A
// value that does not fit its field is named with the table, the row (1 for the first) and the
// columns the list gives for the field.
void forEachRow(IposRun& ipos, const odbc::Result& result, const char* table, const std::string& progressText,
                const std::function<bool(const odbc::Row&)>& rule,
                const std::vector<importing::FieldColumns>& columns = {});

// Writes one detail row of a transaction; a value that does not fit its field is named with the
// detail table, the row (1 for the first) and the columns the list gives for the field.
void writeLine(const char* table, const odbc::Row& line, const std::vector<importing::FieldColumns>& columns,
               const std::function<void()>& write);

}  // namespace tarvo::importers::ipos
