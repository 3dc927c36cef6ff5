#pragma once
// Opening balances and day closing: the control record's day-closing settings and point date,
// the "STOCK AWAL" purchase that holds the opening stock when it stays open, the opening stock
// of each item, and the opening payables (PEMBEL) and receivables (PENJUA).

#include <string>

#include "templates/field_writer.h"
#include "templates/import_run.h"
#include "ui/user_interaction.h"

namespace tarvo::templates {

// Whether the retail database in the ST_DB folder has its control record, checked before the
// database is prepared so that an import without one is refused with every file as it was.
// Shows the error box and returns false when S_KONTRO holds no record or cannot be read; a
// missing S_KONTRO is left to the preparation, which reports it before it changes anything.
bool checkControlRecord(ui::Owner owner, const std::string& databaseFolder);

// Into S_KONTRO's current record: TUTUP_HARI and AKT_MULAI (the closing day and the day after,
// or empty dates when the day is not closed) and, with a point date, TUTUP_HIT1; then S_KONTRO
// is committed and closed. With the opening stock left open, the "STOCK AWAL" header is appended
// to S_PEMBEL. Returns false after the error box of checkControlRecord, having written nothing,
// when S_KONTRO has no current record (emptied by another program since the check).
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
