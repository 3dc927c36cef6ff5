// Salesmen, price groups, regions, vendors, customer groups, customers and their extra
// information of a sample template set.

#include <algorithm>

#include "sampledata/template_set.h"
#include "sampledata/words.h"

namespace tarvo::sampledata {

namespace {

// An address for e-mail that fits the column: user@slug + domain, the slug cut to fit.
std::string emailAddress(const std::string& user, const std::string& name, const std::string& domain, size_t width) {
    std::string slug = sampleSlug(name);
    const size_t room = width - user.size() - 1 - domain.size();
    if (slug.size() > room) slug.resize(room);
    return user + "@" + slug + domain;
}

void writeSalesmen(SampleSet& set) {
    SampleRandom random(set.options.seed, "SALES");
    const uint32_t count = std::min<uint32_t>(60, 3 + set.options.customers / 400);
    SampleTemplateWriter writer(set.folder, "SALES");
    for (uint32_t i = 0; i < count; ++i) {
        const SampleRegion& region = random.pick(sampleRegions());
        const std::string code = "SLS" + sampleDigits(i + 1, 3);
        set.salesmanCodes.push_back(code);
        writer.addRow();
        writer.put("KODE", code);
        writer.put("NAMA", samplePersonName(random));
        writer.put("ALAMAT", sampleStreetAddress(random, region.name));
        writer.put("TELEPON", sampleMobile(random));
        writer.put("CATATAN", "Area " + region.name);
    }
    writer.addRow();  // a blank row the import passes over
    set.finish(writer, "SALES", count);
}

void writeVendorRow(SampleTemplateWriter& writer, SampleRandom& random, const std::string& code,
                    const std::string& name) {
    static const std::vector<int> terms = {0, 7, 14, 30, 45, 60};
    static const std::vector<double> limits = {0, 10e6, 25e6, 50e6, 100e6};
    const SampleRegion& region = random.pick(sampleRegions());
    writer.addRow();
    writer.put("KODE", code);
    writer.put("NAMA", name);
    writer.put("NPWP", sampleTaxNumber(random));
    writer.put("ALAMAT", sampleStreetAddress(random, region.name));
    if (random.percent(90)) writer.put("KODE_DAE", region.code);
    writer.put("TELEPON", sampleLandline(random, region.areaCode));
    if (random.percent(25)) {
        writer.put("TELEPON_2", sampleLandline(random, region.areaCode));
        if (random.percent(20)) writer.put("TELEPON_3", sampleMobile(random));
    }
    if (random.percent(30)) writer.put("FAX", sampleLandline(random, region.areaCode));
    writer.put("HUBUNGI", samplePersonName(random));
    writer.put("HUB_TELP_1", sampleMobile(random));
    if (random.percent(10)) {
        writer.put("HUBUNGI_2", samplePersonName(random));
        writer.put("HUB_TELP_2", sampleMobile(random));
    }
    if (random.percent(60)) writer.put("EMAIL", emailAddress("sales", name, ".co.id", 30));
    if (random.percent(20)) writer.put("WEBSITE", "www." + sampleSlug(name).substr(0, 19) + ".co.id");
    writer.put("TERM_CRD", random.pick(terms));
    writer.put("MU_CREDIT", 1);
    writer.put("MAX_CRD", random.pick(limits));
    if (random.percent(10)) writer.put("CATATAN", "Pengiriman setiap hari Senin dan Kamis");
}

void writeVendors(SampleSet& set) {
    SampleRandom random(set.options.seed, "VENDOR");
    const uint32_t count = set.options.vendors;
    SampleTemplateWriter writer(set.folder, "VENDOR");
    for (uint32_t i = 0; i < count; ++i) {
        set.vendorCodes.push_back("SUP" + sampleDigits(i + 1, 4));
        set.vendorNames.push_back(sampleCompanyName(i));
        writeVendorRow(writer, random, set.vendorCodes.back(), set.vendorNames.back());
        // A branch entered again under the first vendor's code: refused as a duplicate.
        if (i == count / 2) writeVendorRow(writer, random, set.vendorCodes.front(), set.vendorNames.front() + " Cabang");
    }
    writer.addRow();
    set.finish(writer, "VENDOR", count);
}

struct CustomerWriters {
    SampleTemplateWriter customers;
    SampleTemplateWriter extras;
    uint32_t extraRows = 0;
};

struct WrittenCustomer {
    std::string name;
    std::string salesman;
};

// Writes a customer and, now and then, its extra information (when asked for).
WrittenCustomer writeCustomerRow(const SampleSet& set, CustomerWriters& out, SampleRandom& random,
                                 const std::string& code, bool extraInfo) {
    static const std::vector<std::string> shopGroups = {"TK", "RM", "KTR", "SKL", "HTL"};
    static const std::vector<std::string> wholesaleGroups = {"GROSIR", "AGEN"};
    static const std::vector<std::string> schooling = {"SMA", "D3", "S1", "S2"};
    static const std::vector<int> shopTerms = {7, 14, 30};
    static const std::vector<double> shopLimits = {5e6, 10e6, 20e6};
    static const std::vector<std::string> visitDays = {"Senin", "Selasa", "Rabu", "Kamis", "Jumat", "Sabtu"};
    static const std::vector<std::string> payments = {"Transfer BCA", "Transfer Mandiri", "Tunai", "Giro"};

    SampleTemplateWriter& w = out.customers;
    const SampleRegion& region = random.pick(sampleRegions());
    const bool shop = random.percent(55);
    const std::string name = shop ? sampleShopName(random) : samplePersonName(random);
    const std::string address = sampleStreetAddress(random, region.name);
    const std::string salesman = random.percent(80) ? random.pick(set.salesmanCodes) : std::string();
    w.addRow();
    w.put("KODE", code);
    w.put("KODE_GRP", shop ? random.pick(shopGroups) : std::string("RTL"));
    if (random.percent(70)) w.put("KODE_GR2", random.pick(sampleSecondCustomerGroups()).code);
    if (random.percent(95)) w.put("KODE_DAE", region.code);
    if (random.percent(60)) w.put("KODE_DA2", random.pick(sampleSecondRegions()).code);
    w.put("KODE_SALES", salesman);
    w.put("NAMA", name);
    w.put("ALAMAT", address);
    if (shop && random.percent(40)) {
        w.put("NPWP", sampleTaxNumber(random));
        w.put("NPWP_NAMA", name);
        w.put("NPWP_ALAMA", address);
    }
    w.put("TELEPON", random.percent(70) ? sampleLandline(random, region.areaCode) : sampleMobile(random));
    if (random.percent(20)) w.put("TELEPON_2", sampleMobile(random));
    if (random.percent(20))
        w.put("EMAIL", sampleSlug(name).substr(0, 12) + sampleDigits(random.below(100), 2) + "@gmail.com");
    if (shop) {
        if (random.percent(5)) w.put("FAX", sampleLandline(random, region.areaCode));
        w.put("HUBUNGI", samplePersonName(random));
        w.put("HUB_TELP_1", sampleMobile(random));
        w.put("TERM_CRD", random.pick(shopTerms));
        w.put("MAX_CRD", random.pick(shopLimits));
        if (random.percent(50)) w.put("KODE_HJL", random.pick(wholesaleGroups));
        if (random.percent(20)) w.put("TIPE", 1);
        if (random.percent(10)) {
            w.put("KRM_NAMA", "Gudang " + name);
            w.put("KRM_ALAMAT", sampleStreetAddress(random, region.name));
        }
    } else {
        if (random.percent(60)) {
            w.put("TMP_LAHIR", random.pick(sampleRegions()).name);
            w.put("TGL_LAHIR", xbase::Date{random.between(1955, 2003), random.between(1, 12), random.between(1, 28)});
        }
        if (random.percent(30)) w.put("PEND_AKHIR", random.pick(schooling));
        if (random.percent(50)) w.put("NO_KTP", sampleIdentityNumber(random));
        if (random.percent(40)) {
            w.put("POINT_AWAL", random.between(0, 5000));
            w.put("KODE_HJL", std::string("MEMBER"));
        }
    }
    w.put("MU_CREDIT", 1);
    if (random.percent(10)) w.put("SPS_DISC", 2.5);
    if (random.percent(5)) w.put("CATATAN", "Pelanggan lama, kirim sebelum jam 10");

    if (extraInfo && random.percent(10)) {
        SampleTemplateWriter& x = out.extras;
        x.addRow();
        x.put("KODE_PEL", code);
        x.put("INFO_1", "Hari kunjungan: " + random.pick(visitDays));
        x.put("INFO_2", "Jam buka 08.00-21.00");
        x.put("INFO_3", "Bayar: " + random.pick(payments));
        ++out.extraRows;
    }
    return {name, salesman};
}

void writeCustomers(SampleSet& set) {
    SampleRandom random(set.options.seed, "PELANG");
    const uint32_t count = set.options.customers;
    CustomerWriters out{SampleTemplateWriter(set.folder, "PELANG"), SampleTemplateWriter(set.folder, "PELEXT")};
    for (uint32_t i = 0; i < count; ++i) {
        const std::string code = "CUS" + sampleDigits(i + 1, 6);
        WrittenCustomer customer = writeCustomerRow(set, out, random, code, true);
        set.customerCodes.push_back(code);
        set.customerNames.push_back(std::move(customer.name));
        set.customerSalesmen.push_back(std::move(customer.salesman));
        if (i == count / 3) out.customers.addRow();  // a blank row
        if (i == count / 2) {
            // A customer entered by mistake and deleted: the import passes over it.
            writeCustomerRow(set, out, random, "CUS" + sampleDigits(count + 1, 6), false);
            out.customers.deleteRow();
        }
    }
    set.finish(out.customers, "PELANG", count);
    set.finish(out.extras, "PELEXT", out.extraRows);
}

}  // namespace

void writeSampleMasterData(SampleSet& set) {
    writeSalesmen(set);
    writeSampleCodeNames(set, "GRPHJL", samplePriceGroups());
    writeSampleCodeNames(set, "DAERAH", sampleRegions());
    writeSampleCodeNames(set, "DAERA2", sampleSecondRegions());
    writeVendors(set);
    writeSampleCodeNames(set, "GRPPEL", sampleCustomerGroups());
    writeSampleCodeNames(set, "GRPPE2", sampleSecondCustomerGroups());
    writeCustomers(set);
}

}  // namespace tarvo::sampledata
