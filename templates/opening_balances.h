#pragma once
// Opening balances and day closing: the control record's day-closing settings and point date,
// the "STOCK AWAL" purchase that holds the opening stock when it stays open, the opening stock
// of each item, and the opening payables (PEMBEL) and receivables (PENJUA).

#include "templates/field_writer.h"
#include "templates/import_run.h"

namespace tarvo::templates {

// Into S_KONTRO's current record: TUTUP_HARI and AKT_MULAI (the closing day and the day after,
// or empty dates when the day is not closed) and, with a point date, TUTUP_HIT1; then S_KONTRO
// is committed and closed. With the opening stock left open, the "STOCK AWAL" header is appended
// to S_PEMBEL. Returns false after an error box, having written nothing, when S_KONTRO holds no
// control record.
bool writeDayClosingSettings(ImportRun& run);

// PEMBEL -> S_PEMBEL: one opening payable per row with an invoice number. Then the record count
// goes to the identifier row of S_PEMBEL, which is committed and closed.
void importPayables(ImportRun& run);

// PENJUA -> S_PENJUA: one opening receivable per row with an invoice number (text or number).
// Then the record count goes to the identifier row of S_PENJUA, which is committed and closed.
void importReceivables(ImportRun& run);

// The opening stock of the item just written to S_STOCK, from the item template's row, in the
// run's stock mode: closed balances in the item's SISA_ fields, lines of the "STOCK AWAL"
// purchase in S_PEMBED, or nothing. Only items of JENIS 0 from a template with SISA_STK1 have any.
class OpeningStock {
public:
    // S_STOCK and S_PEMBED must be open while it is used.
    explicit OpeningStock(ImportRun& run);
    void write(const TemplateRow& row, int itemKind);

private:
    void writeClosedBalances(const TemplateRow& row);
    void writePurchaseLines(const TemplateRow& row);

    ImportRun& run_;
    FieldWriter stock_;
    FieldWriter lines_;
};

}  // namespace tarvo::templates
