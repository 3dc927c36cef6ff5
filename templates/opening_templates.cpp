// The template import's own opening balances: the control settings with the point date, and the
// open purchase and sales invoices brought from the shop's former bookkeeping, one document per
// template row, with no lines.

#include "templates/opening_templates.h"

#include "importing/opening_balances.h"
#include "retaildb/identifier_rows.h"
#include "retaildb/record_routines.h"
#include "templates/references.h"
#include "ui/random_text.h"
#include "xbase/codepage.h"
#include "xbase/dates.h"
#include "xbase/work_areas.h"

namespace tarvo::templates {

namespace {

using xbase::Value;

double columnOr(const importing::SourceRow& row, const char* column, double fallback) {
    return row.has(column) ? row.number(column) : fallback;
}

// An invoice number given as text.
bool hasTextNumber(const importing::SourceRow& row) {
    return row.has("NO_NOTA_C") && !importing::isBlank(row.text("NO_NOTA_C"));
}

bool takesPayableRow(const importing::SourceRow& row) { return hasTextNumber(row); }

bool takesReceivableRow(const importing::SourceRow& row) { return hasTextNumber(row) || row.number("NO_NOTA") != 0; }

// The row's amount (HARGA) as a purchase or sale, and as a return: a negative amount is a return.
double amountSold(const importing::SourceRow& row) {
    const double amount = row.number("HARGA");
    return amount > 0 ? amount : 0.0;
}
double amountReturned(const importing::SourceRow& row) {
    const double amount = row.number("HARGA");
    return amount > 0 ? 0.0 : 0.0 - amount;  // 0 - amount: never a negative zero
}

// The numbers of the fields below that come from the row: the amount, and the columns taken as
// they are.
std::vector<importing::FieldFeed> commonFeeds(const std::string& table) {
    std::vector<importing::FieldFeed> feeds;
    feeds.push_back({table, "TOT_HARGA", importing::ColumnValue{"HARGA", amountSold, "HARGA"}});
    feeds.push_back({table, "TOT_RETUR", importing::ColumnValue{"HARGA", amountReturned, "HARGA"}});
    feeds.push_back({table, "DIVISI_ID", importing::column("DIVISI")});
    for (const char* number : {"MAUANG", "KURS", "TERM_CRD"}) feeds.push_back({table, number, importing::column(number)});
    return feeds;
}

// Fields the payables and receivables share: the amount (a negative amount is a return), the
// division, currency, rate, credit days, notes and the run stamps.
void putCommonFields(const TemplateRun& run, const importing::SourceRow& row, importing::FieldWriter& invoice) {
    invoice.put("TOT_HARGA", Value(amountSold(row)));
    invoice.put("TOT_RETUR", Value(amountReturned(row)));
    invoice.put("SALDO_AWAL", Value(true));
    invoice.put("DIVISI_ID", Value(columnOr(row, "DIVISI", 0)));
    invoice.put("NO_MILIK", Value(2));
    invoice.put("NO_MLK_CSH", Value(false));
    invoice.put("TANGGAL", Value(row.date("TANGGAL")));
    invoice.put("MAUANG", Value(columnOr(row, "MAUANG", 1)));
    invoice.put("KURS", Value(columnOr(row, "KURS", 1)));
    invoice.put("TERM_CRD", Value(columnOr(row, "TERM_CRD", 0)));
    for (const char* note : {"CATATAN", "CATATAN_2", "CATATAN_3"}) invoice.put(note, Value(row.text(note)));
    invoice.put({"DISC_NILAI", "PPN_TIPE", "PPN_PERS", "PPN_NILAI", "PERKIR_1", "PERKIR_2", "GUDANG", "DEPOSIT", "ADJ_01",
                 "ADJ_02", "ADJ_03", "ADJ_04", "ADJ_05", "TOT_HAREX1", "TOT_HAREX2", "TOT_DISC"},
                Value(0));
    invoice.putStamps(run);
}

}  // namespace

bool writeTemplateControlSettings(TemplateRun& run) {
    return importing::writeDayClosingSettings(run, [&](importing::FieldWriter& control) {
        const xbase::Date& pointsDate = run.options().pointsDate;
        if (pointsDate.empty()) return;
        // The scrambled bytes are stored as they are: decoded here, the field write encodes them back.
        const std::string scrambled = ui::PASSENCRYPT(ui::RETRANDOMSTRING(1) + xbase::DToS(pointsDate));
        const xbase::CodePage& codePage = xbase::CodePage::forLanguageDriver(control.table().languageDriver());
        control.put("TUTUP_HIT1", xbase::Value(codePage.decode(scrambled)));
    });
}

importing::SourceFeeds payablesFeeds() { return {"PEMBEL", takesPayableRow, commonFeeds("S_PEMBEL")}; }

importing::SourceFeeds receivablesFeeds() {
    importing::SourceFeeds feeds{"PENJUA", takesReceivableRow, commonFeeds("S_PENJUA")};
    feeds.feeds.push_back({"S_PENJUA", "NO", importing::column("NO_NOTA")});
    return feeds;
}

void importPayables(TemplateRun& run) {
    if (!run.templateOpen("PEMBEL")) return;
    importing::FieldWriter invoice("S_PEMBEL");
    run.forEachRow("PEMBEL", [&](const importing::SourceRow& row) {
        if (!takesPayableRow(row)) return false;
        const uint32_t vendor = vendorReference(run, row);
        run.appendTo("S_PEMBEL");
        invoice.put("ID", Value(invoice.table().recCount()));
        invoice.put("NO", Value(row.text("NO_NOTA_C")));
        invoice.put("NO_EX1", Value(""));
        invoice.put("TANGGAL2", Value(row.date("TANGGAL")));
        invoice.put("BARANG_TRM", Value(false));
        invoice.put({"JENPEM_ID", "PUKUL", "PURCOR_ID"}, Value(0));
        invoice.put("VENDOR", Value(vendor));
        putCommonFields(run, row, invoice);
        return true;
    });
    run.closeCounted("S_PEMBEL", retaildb::kPurchasesRow);
}

void importReceivables(TemplateRun& run) {
    if (!run.templateOpen("PENJUA")) return;
    importing::FieldWriter invoice("S_PENJUA");
    run.forEachRow("PENJUA", [&](const importing::SourceRow& row) {
        if (!takesReceivableRow(row)) return false;
        const uint32_t customer = customerReference(run, row);
        const uint32_t salesman = codeReference(run.salesmen, row, "KODE_SALES");
        run.appendTo("S_PENJUA");
        invoice.put("ID", Value(invoice.table().recCount()));
        invoice.put("PUKUL", Value(retaildb::TIMEEODMINUTES()));
        invoice.put("NO", Value(row.number("NO_NOTA")));
        invoice.put("NO_C", Value(row.text("NO_NOTA_C")));
        invoice.put({"JENPEN_ID", "SALORD_ID", "SALES_KOM", "PELEXT_ID", "LUNAS", "DISC_PERST"}, Value(0));
        invoice.put("BARANG_KLR", Value(false));
        invoice.put({"PEL_NAMA", "PEL_ALAMAT", "PO"}, Value(""));
        invoice.put("PELANG", Value(customer));
        invoice.put("SALES", Value(salesman));
        putCommonFields(run, row, invoice);
        return true;
    });
    run.closeCounted("S_PENJUA", retaildb::kSalesRow);
}

}  // namespace tarvo::templates
