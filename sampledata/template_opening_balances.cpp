// Open purchase and sales invoices of a sample template set.

#include <algorithm>

#include "sampledata/template_set.h"
#include "sampledata/words.h"

namespace tarvo::sampledata {

namespace {

xbase::Date daysBefore(const xbase::Date& date, int days) { return xbase::Date::fromJulian(date.julian() - days); }

void writePayables(SampleSet& set) {
    static const std::vector<int> terms = {30, 45, 60};
    SampleRandom random(set.options.seed, "PEMBEL");
    const uint32_t count = set.vendorCodes.empty() ? 0 : std::max<uint32_t>(1, set.options.vendors / 2);
    SampleTemplateWriter writer(set.folder, "PEMBEL");
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t vendor = random.below(set.vendorCodes.size());
        const std::string number = "INV" + sampleDigits(i + 1, 7);
        // Every tenth invoice is a return the vendor still owes us.
        const double amount = (i % 10 == 9 ? -1 : 1) * 1000.0 * random.between(100, 50000);
        writer.addRow();
        writer.put("TANGGAL", daysBefore(set.options.asOf, random.between(1, 90)));
        writer.put("NO_NOTA_C", number);
        writer.put("KODE_VEN", set.vendorCodes[vendor]);
        writer.put("NAMA_VEN", set.vendorNames[vendor]);
        writer.put("MAUANG", 1);
        writer.put("KURS", 1);
        writer.put("HARGA", amount);
        writer.put("TERM_CRD", random.pick(terms));
        writer.put("CATATAN", (amount < 0 ? "Retur faktur " : "Faktur ") + number);
    }
    // A row without an invoice number: the import passes over it.
    writer.addRow();
    writer.put("TANGGAL", set.options.asOf);
    writer.put("HARGA", 125000);
    set.finish(writer, "PEMBEL", count);
}

void writeReceivables(SampleSet& set) {
    static const std::vector<int> terms = {14, 30};
    SampleRandom random(set.options.seed, "PENJUA");
    const uint32_t count = set.options.customers / 5;
    SampleTemplateWriter writer(set.folder, "PENJUA");
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t customer = random.below(set.customerCodes.size());
        writer.addRow();
        writer.put("TANGGAL", daysBefore(set.options.asOf, random.between(1, 60)));
        writer.put("NO_NOTA", 1001 + i);
        // The second invoice has only its number: the import still takes it.
        if (i != 1) writer.put("NO_NOTA_C", "PJ" + sampleDigits(i + 1, 8));
        writer.put("KODE_PEL", set.customerCodes[customer]);
        writer.put("KODE_SALES", set.customerSalesmen[customer]);
        writer.put("NAMA_PEL", set.customerNames[customer]);
        writer.put("MAUANG", 1);
        writer.put("KURS", 1);
        writer.put("HARGA", 1000.0 * random.between(50, 10000));
        writer.put("TERM_CRD", random.pick(terms));
    }
    set.finish(writer, "PENJUA", count);
}

}  // namespace

void writeSampleOpeningBalances(SampleSet& set) {
    writePayables(set);
    writeReceivables(set);
}

}  // namespace tarvo::sampledata
