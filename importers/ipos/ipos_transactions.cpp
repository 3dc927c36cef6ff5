// Sales invoices, cash-register sales, and other goods received and issued of an iPOS database,
// each header with the lines of its transaction number.

#include "importers/ipos/ipos_steps.h"
#include "importers/ipos/line_shares.h"
#include "importers/ipos/schema.h"
#include "importers/ipos/value_readers.h"
#include "importers/record_templates.h"
#include "retaildb/identifier_rows.h"
#include "retaildb/record_routines.h"
#include "xbase/work_areas.h"

namespace tarvo::importers::ipos {

using importing::normaliseCode;
using xbase::Value;

namespace {

constexpr double kCashSaleNumbers = 80000000;

// A line of a transaction that will be written: its row and the ID of its item.
struct TakenLine {
    odbc::Row row;
    uint32_t item;
};

// The lines of the header's transaction whose quantity is not empty (nor 0) and whose item code (trimmed,
// upper case) is the first code of an imported item, in the database's order.
std::vector<TakenLine> takenLines(const Transactions& transactions, std::string_view number, const char* quantityColumn,
                                  importing::ItemIds& itemIds) {
    const size_t quantity = transactions.lines.column(quantityColumn);
    const size_t code = transactions.lines.column("NOITEM");
    std::vector<TakenLine> taken;
    for (uint32_t index : transactions.byNumber.of(number)) {
        const odbc::Row row = transactions.lines.row(index);
        if (emptyQuantity(row, quantity)) continue;
        if (const uint32_t item = itemIds.byCode(normaliseCode(row.text(code)))) taken.push_back({row, item});
    }
    return taken;
}

// The lines' progress on the progress window's second line.
void lineProgress(const char* text, size_t n, size_t total) {
    ui::UserInteraction& ui = ui::interaction();
    ui.letEventsThrough();
    ui.progressText(2, text + std::to_string(n) + " / " + std::to_string(total));
}

// The columns of a sales line that give the numbers of its fields.
const importing::FieldColumns kSaleLineQuantity{"S_PENJUD", "JUMLAH", "QUANTITY"};
const importing::FieldColumns kSaleLinePrice{"S_PENJUD", "HARGA", "HARGAJUAL × QUANTITY"};
const importing::FieldColumns kSaleLineCost{"S_PENJUD", "HPP", "HARGAPOKOK × QUANTITY"};
const std::vector<importing::FieldColumns> kSaleLineColumns{
    kSaleLineQuantity, {"S_PENJUD", "OUT_JUMLAH", "QUANTITY"}, kSaleLinePrice,
    {"S_PENJUD", "DISC_NILAI", "HARGAJUAL × QUANTITY - TOTAL"}, kSaleLineCost};
const importing::FieldColumns kSaleDiscount{"S_PENJUA", "DISC_NILAI", "TOTALDISKON"};
const importing::FieldColumns kSalePaid{"S_PENJUA", "LUNAS", "TOTALJUAL - TOTALDISKON"};

// Sales invoices and cash-register sales differ only in these.
struct SaleKind {
    const Transactions& transactions;
    const char* table;
    const char* detailTable;
    const char* progressText;
    const char* lineProgressText;
    bool cashRegister;
};

void importSales(IposRun& ipos, const SaleKind& kind) {
    const odbc::Result& headers = kind.transactions.headers;
    const odbc::Result& lines = kind.transactions.lines;
    const size_t number = headers.column("NOTRANSAKSI"), date = headers.column("TANGGAL"),
                 quantity = headers.column("TOTALQTY"), total = headers.column("TOTALJUAL"),
                 discount = headers.column("TOTALDISKON");
    const std::optional<size_t> salesman = kind.cashRegister ? std::nullopt : headers.findColumn("NOSALES");
    const size_t lineQuantity = lines.column("QUANTITY"), linePrice = lines.column("HARGAJUAL"),
                 lineTotal = lines.column("TOTAL"), lineCost = lines.column("HARGAPOKOK");
    const bool asCustomers = ipos.choices.salesAsCustomers;
    FieldWriter sales("S_PENJUA");
    FieldWriter saleLines("S_PENJUD");

    forEachRow(ipos, headers, kind.table, kind.progressText, [&](const odbc::Row& header) {
        if (emptyQuantity(header, quantity)) return false;
        const uint32_t person = salesman ? ipos.salesmen.find(normaliseCode(READSTRING(header, *salesman))) : 0;
        const double rate = person > 0 ? ipos.commissions[person - 1] : 0;
        const double headerTotal = READFLOAT(header, total), headerDiscount = READFLOAT(header, discount);
        const double commission =
            ipos.choices.commissionToAdj1 && !kind.cashRegister ? (headerTotal - headerDiscount) * rate / 100 : 0;
        const std::string timestamp = READSTRING(header, date);
        const xbase::Date day = TIMESTAMPTODATE(timestamp);
        const uint32_t customer = asCustomers ? person : 0;
        const uint32_t seller = asCustomers ? 0 : person;
        const double invoice = invoiceNumber(header.text(number));

        ipos.run.appendTo("S_PENJUA");
        const uint32_t saleId = sales.table().recCount();
        sales.put("ID", Value(saleId));
        sales.put({"SALORD_ID", "ECRLST_ID", "DIVISI_ID", "JENPEN_ID", "PERKIR_1", "PERKIR_2"}, Value(0));
        sales.put("BARANG_KLR", Value(false));
        sales.put("NO_MILIK", Value(!kind.cashRegister && ipos.choices.salesAsCash ? 1 : 4));
        sales.put("NO_MLK_CSH", Value(true));
        sales.put("NO", Value(kind.cashRegister ? kCashSaleNumbers + invoice : invoice));
        sales.put({"NO_C", "PO"}, Value(""));
        sales.put("GUDANG", Value(1));
        sales.put("TANGGAL", Value(day));
        sales.put("PUKUL", Value(timestampMinutes(timestamp)));
        sales.put("PELEXT_ID", Value(0));
        sales.put({"PEL_NAMA", "PEL_ALAMAT"}, Value(""));
        sales.put({"MAUANG", "KURS", "KURS_PAJAK"}, Value(1));
        sales.put({"TOT_HARGA", "TOT_HAREX1", "TOT_HAREX2", "TOT_DISC", "TOT_PAJAK", "TOT_RETUR"}, Value(0));
        sales.put("DISC_NILAI", Value(headerDiscount));
        sales.put("DISC_PERST", Value(0));
        sales.put({"ADJ_01", "ADJ_02", "ADJ_03", "ADJ_04", "ADJ_05", "DEPOSIT"}, Value(0));
        sales.put("TGL_LUNAS", Value(day));
        sales.put("LUNAS", Value(headerTotal - headerDiscount));
        sales.put("CATATAN", Value(kIposNote));
        sales.put({"CATATAN_2", "CATATAN_3"}, Value(""));
        sales.put("SALDO_AWAL", Value(false));
        sales.put("PELANG", Value(customer));
        sales.put("SALES", Value(seller));
        sales.put("SALES_KOM", Value(asCustomers ? 0.0 : rate));
        sales.put("ADJ_01", Value(commission));
        sales.putStamps(ipos.run);

        const std::vector<TakenLine> taken = takenLines(kind.transactions, header.text(number), "QUANTITY", ipos.itemIds);
        LineShares discountShares(headerTotal, headerDiscount), commissionShares(headerTotal, commission);
        double gross = 0, lineDiscounts = 0;
        for (size_t n = 0; n < taken.size(); ++n) {
            lineProgress(kind.lineProgressText, n + 1, taken.size());
            const odbc::Row& line = taken[n].row;
            const bool last = n + 1 == taken.size();
            const double count = READFLOAT(line, lineQuantity);
            const double price = READFLOAT(line, linePrice) * count;
            const double written = READFLOAT(line, lineTotal);
            const double lineDiscount = written < price ? price - written : 0;
            writeLine(kind.detailTable, line, kSaleLineColumns, [&] {
                ipos.run.appendTo("S_PENJUD");
                saleLines.put("PENJUA_ID", Value(saleId));
                saleLines.put({"PEMBEL_ID", "PERKIR_ID"}, Value(0));
                saleLines.put("STOCK_ID", Value(taken[n].item));
                saleLines.put("STOCK_ID2", Value(0));
                saleLines.put("STOCK_GDG", Value(1));
                saleLines.put("STOCK_NON", Value(""));
                saleLines.put("STKSER_ID", Value(0));
                saleLines.put({"STKSER_1", "STKSER_2"}, Value(""));
                saleLines.put("PELANG", Value(customer));
                saleLines.put("SALES", Value(seller));
                saleLines.put("TANGGAL", Value(day));
                saleLines.put("SATUAN", Value(1));
                saleLines.put("SATUAN_C", Value(""));
                saleLines.put("JUMLAH", Value(count));
                saleLines.put("OUT_SATUAN", Value(1));
                saleLines.put("OUT_JUMLAH", Value(count));
                saleLines.put("BON_SATUAN", Value(1));
                saleLines.put("BON_JUMLAH", Value(0));
                saleLines.put("HARGA", Value(price));
                saleLines.put({"HARGA_EX1", "HARGA_EX2", "DISC_PERS", "DISC_PERS2", "DISC_PERS3"}, Value(0));
                saleLines.put("DISC_NILAI", Value(lineDiscount));
                saleLines.put("HPP", Value(READFLOAT(line, lineCost) * count));
                saleLines.put("HPP_BONUS", Value(0));
                saleLines.put("MAST_DISC", Value(discountShares.next(written, last)));
                saleLines.put("MAST_PPN", Value(0));
                saleLines.put("MAST_ADJ_1", Value(commissionShares.next(written, last)));
                saleLines.put({"MAST_ADJ_2", "MAST_ADJ_3", "MAST_ADJ_4", "MAST_ADJ_5"}, Value(0));
            });
            gross += price;
            lineDiscounts += lineDiscount;
        }
        sales.put("TOT_HARGA", Value(gross));
        sales.put("TOT_DISC", Value(lineDiscounts + headerDiscount));
        return true;
    }, {kSaleDiscount, kSalePaid});
    retaildb::TABLEIDUPDATE(retaildb::kSalesRow, sales.table().recCount());
    sales.table().commit();
    saleLines.table().commit();
}

// Other goods received and issued differ only in these.
struct MovementKind {
    const Transactions& transactions;
    const char* table;
    const char* detailTable;
    const char* headerTarget;
    const char* lineTarget;
    const char* headerReference;  // the lines' field taking the header's ID
    const char* priceColumn;      // of the lines, times the quantity into HPP
    uint32_t identifierRow;
    const char* progressText;
    const char* lineProgressText;
};

// The columns of a movement line that give the numbers of its fields.
importing::FieldColumns movementQuantity(const MovementKind& kind) { return {kind.lineTarget, "JUMLAH", "QTY"}; }
importing::FieldColumns movementCost(const MovementKind& kind) {
    return {kind.lineTarget, "HPP", std::string(kind.priceColumn) + " × QTY"};
}

void importMovements(IposRun& ipos, const MovementKind& kind) {
    const odbc::Result& headers = kind.transactions.headers;
    const size_t number = headers.column("NOTRANSAKSI"), date = headers.column("TANGGAL"),
                 quantity = headers.column("TOTALQTY");
    const size_t lineQuantity = kind.transactions.lines.column("QTY"),
                 linePrice = kind.transactions.lines.column(kind.priceColumn);
    const std::vector<importing::FieldColumns> lineColumns{movementQuantity(kind), movementCost(kind)};
    FieldWriter movements(kind.headerTarget);
    FieldWriter movementLines(kind.lineTarget);
    forEachRow(ipos, headers, kind.table, kind.progressText, [&](const odbc::Row& header) {
        if (emptyQuantity(header, quantity)) return false;
        const xbase::Date day = TIMESTAMPTODATE(READSTRING(header, date));
        ipos.run.appendTo(kind.headerTarget);
        const uint32_t movementId = movements.table().recCount();
        movements.put("ID", Value(movementId));
        movements.put({"DIVISI_ID", "PERKIR_ID", "GRPSMK_ID"}, Value(0));
        movements.put("NO", Value(invoiceNumber(header.text(number))));
        movements.put("GUDANG", Value(1));
        movements.put("TANGGAL", Value(day));
        movements.put("CATATAN", Value(kIposNote));
        movements.putStamps(ipos.run);

        const std::vector<TakenLine> taken = takenLines(kind.transactions, header.text(number), "QTY", ipos.itemIds);
        for (size_t n = 0; n < taken.size(); ++n) {
            lineProgress(kind.lineProgressText, n + 1, taken.size());
            const double count = READFLOAT(taken[n].row, lineQuantity);
            writeLine(kind.detailTable, taken[n].row, lineColumns, [&] {
                ipos.run.appendTo(kind.lineTarget);
                movementLines.put(kind.headerReference, Value(movementId));
                movementLines.put("STOCK_ID", Value(taken[n].item));
                movementLines.put("STOCK_GDG", Value(1));
                movementLines.put("STKSER_ID", Value(0));
                movementLines.put({"STKSER_1", "STKSER_2"}, Value(""));
                movementLines.put("TANGGAL", Value(day));
                movementLines.put("SATUAN", Value(1));
                movementLines.put("JUMLAH", Value(count));
                movementLines.put("HPP", Value(READFLOAT(taken[n].row, linePrice) * count));
            });
        }
        return true;
    });
    retaildb::TABLEIDUPDATE(kind.identifierRow, movements.table().recCount());
    movements.table().commit();
    movementLines.table().commit();
}

// The product of two columns of a result, named "A × B".
RowValue productOf(const odbc::Result& result, const importing::FieldColumns& target, const char* a, const char* b) {
    const size_t first = result.column(a), second = result.column(b);
    return {target, [first, second](const odbc::Row& row) { return READFLOAT(row, first) * READFLOAT(row, second); }};
}

// Every header and line of the transactions with a quantity (the lines of every header, so a
// little more than the import writes).
void tryRowsWithQuantity(const odbc::Result& result, const char* table, const char* quantityColumn,
                         const std::vector<RowValue>& values, importing::ValueTrials& trials) {
    const size_t quantity = result.column(quantityColumn);
    tryRows(result, table, [quantity](const odbc::Row& row) { return !emptyQuantity(row, quantity); }, values, trials);
}

void trySaleValues(const SaleKind& kind, importing::ValueTrials& trials) {
    const odbc::Result& headers = kind.transactions.headers;
    const size_t total = headers.column("TOTALJUAL"), discount = headers.column("TOTALDISKON");
    const auto paid = [total, discount](const odbc::Row& row) {
        return READFLOAT(row, total) - READFLOAT(row, discount);
    };
    tryRowsWithQuantity(headers, kind.table, "TOTALQTY", {columnAsIs(headers, kSaleDiscount), {kSalePaid, paid}},
                        trials);
    const odbc::Result& lines = kind.transactions.lines;
    tryRowsWithQuantity(lines, kind.detailTable, "QUANTITY",
                        {columnAsIs(lines, kSaleLineQuantity),
                         productOf(lines, kSaleLinePrice, "HARGAJUAL", "QUANTITY"),
                         productOf(lines, kSaleLineCost, "HARGAPOKOK", "QUANTITY")},
                        trials);
}

void tryMovementValues(const MovementKind& kind, importing::ValueTrials& trials) {
    const odbc::Result& lines = kind.transactions.lines;
    tryRowsWithQuantity(lines, kind.detailTable, "QTY",
                        {columnAsIs(lines, movementQuantity(kind)),
                         productOf(lines, movementCost(kind), kind.priceColumn, "QTY")},
                        trials);
}

SaleKind salesInvoices(const SourceDatabase& source) {
    return {source.sales, kSalesHeaderTable, kSalesDetailTable, "Penjualan Proses no. ", "Penjualan Detail Proses no. ",
            false};
}

SaleKind cashSales(const SourceDatabase& source) {
    return {source.cashSales, kCashHeaderTable, kCashDetailTable, "Penjualan Kasir Proses no. ",
            "Penjualan Kasir Detail Proses no. ", true};
}

MovementKind goodsReceived(const SourceDatabase& source) {
    return {source.receipts, kReceiptHeaderTable, kReceiptDetailTable, "S_STKMAS", "S_STKMEX", "STKMAS_ID", "HARGA",
            retaildb::kGoodsReceivedRow, "Barang Masuk Lainnya Proses no. ", "Barang Masuk Lainnya Detail Proses no. "};
}

MovementKind goodsIssued(const SourceDatabase& source) {
    return {source.issues, kIssueHeaderTable, kIssueDetailTable, "S_STKKLR", "S_STKKEX", "STKKLR_ID", "HARGAPOKOK",
            retaildb::kGoodsIssuedRow, "Barang Keluar Lainnya Proses no. ", "Barang Keluar Lainnya Detail Proses no. "};
}

}  // namespace

void tryTransactionValues(const SourceDatabase& source, importing::ValueTrials& trials) {
    trySaleValues(salesInvoices(source), trials);
    trySaleValues(cashSales(source), trials);
    tryMovementValues(goodsReceived(source), trials);
    tryMovementValues(goodsIssued(source), trials);
}

void importSalesInvoices(IposRun& ipos) { importSales(ipos, salesInvoices(ipos.source)); }

void importCashSales(IposRun& ipos) {
    importSales(ipos, cashSales(ipos.source));
    xbase::workAreas().close("S_PENJUA");
    xbase::workAreas().close("S_PENJUD");
}

void importGoodsReceived(IposRun& ipos) { importMovements(ipos, goodsReceived(ipos.source)); }

void importGoodsIssued(IposRun& ipos) { importMovements(ipos, goodsIssued(ipos.source)); }

}  // namespace tarvo::importers::ipos
