#include "sampledata/sources.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "sampledata/random.h"
#include "sampledata/words.h"
#include "xbase/table.h"

namespace tarvo::sampledata {

namespace {

using sampledata::SampleRandom;
using xbase::FieldInfo;
using xbase::Value;

FieldInfo text(const char* name, int length) { return {name, 'C', length, 0}; }
FieldInfo number(const char* name, int length, int decimals = 0) { return {name, 'N', length, decimals}; }

// One source table being written: created, then one record per row.
class TableWriter {
public:
    TableWriter(const std::filesystem::path& path, const std::vector<FieldInfo>& fields) {
        xbase::Table::create(path, fields, xbase::Driver::DBFNTX);
        table_ = xbase::Table::open(path, {.exclusive = true, .readOnly = false, .driver = xbase::Driver::DBFNTX});
    }
    ~TableWriter() {
        if (table_) table_->commit();
    }
    void add() { table_->append(); }
    void deleteRow() { table_->deleteRecord(); }
    // Writes the column when the table has it (optional columns may be left out).
    void put(std::string_view column, const Value& value) {
        if (table_->fieldPos(column) != 0) table_->fieldPut(column, value);
    }
    bool has(std::string_view column) const { return table_->fieldPos(column) != 0; }

private:
    std::unique_ptr<xbase::Table> table_;
};

// Text with its case and blanks changed now and then, as typed by hand.
std::string carelessly(SampleRandom& random, const std::string& text) {
    if (!random.percent(10)) return text;
    std::string changed = text;
    for (char& c : changed)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return " " + changed;
}

double price(SampleRandom& random) { return 500.0 * random.between(1, 400); }
double quantity(SampleRandom& random) { return random.percent(30) ? 0 : random.between(0, 120); }

uint32_t customerCount(const SampleSourceOptions& options) {
    return options.customers != 0 ? options.customers : std::max<uint32_t>(1, options.items / 10);
}

uint32_t vendorCount(const SampleSourceOptions& options) { return std::max<uint32_t>(5, options.items / 100); }

// The item names and codes of a run: repeated codes and names on purpose, a blank now and then.
struct SampleItem {
    std::string code, name;
    const sampledata::SampleProductGroup* group = nullptr;
};

SampleItem sampleItem(SampleRandom& random, uint32_t index, const std::string& prefix, const SampleItem& previous) {
    const sampledata::SampleProductName product = sampledata::sampleProductName(index);
    SampleItem item{prefix + sampledata::sampleDigits(index, 6), product.name,
                    &sampledata::sampleProductGroups()[product.group]};
    if (index > 1 && random.percent(1)) item.code = previous.code;
    else if (index > 1 && random.percent(1)) item.name = previous.name;
    else if (random.percent(1)) item.code.clear();
    return item;
}

void writeMsbrg(const std::filesystem::path& folder, const SampleSourceOptions& options) {
    SampleRandom random(options.seed, "MSBRG");
    std::vector<FieldInfo> fields{text("KDBRG", 15),    text("NMBRG", 40),      text("NMBRG1", 20),
                                  text("KATEGORI", 20), text("UNIT", 5),        number("HGBELI", 12, 2),
                                  number("HGJUALT", 12, 2), text("MTUANG", 3),  text("MTJL", 3)};
    static const char* levelFields[3][7] = {
        {"KDBRG1", "UNIT1", "QTY11", "HGBELI1", "HGJUAL1", "MTUANG1", "MTJL1"},
        {"KDBRG2", "UNIT2", "QTY21", "HGBELI2", "HGJUAL2", "MTUANG2", "MTJL2"},
        {"KDBRG3", "UNIT3", "QTY31", "HGBELI3", "HGJUAL3", "MTUANG3", "MTJL3"}};
    for (const auto& level : levelFields) {
        fields.insert(fields.end(), {text(level[0], 15), text(level[1], 5), number(level[2], 8), number(level[3], 12, 2),
                                     number(level[4], 12, 2), text(level[5], 3), text(level[6], 3)});
    }
    fields.insert(fields.end(), {number("MINSTOK", 8), number("SISAGUDANG", 10, 2), number("SISATOKO", 10, 2)});
    TableWriter items(folder / "MSBRG.DBF", fields);
    static const char* levelUnits[3] = {"DUS", "BAL", "KRT"};
    static const double levelContents[3] = {12, 48, 144};
    SampleItem previous;
    for (uint32_t i = 1; i <= options.items; ++i) {
        const SampleItem item = sampleItem(random, i, "B", previous);
        previous = item;
        items.add();
        items.put("KDBRG", Value(item.code));
        items.put("NMBRG", Value(item.name));
        if (random.percent(2)) items.put("NMBRG1", Value("EKSTRA"));
        items.put("KATEGORI", Value(random.percent(2) ? std::string() : carelessly(random, item.group->name)));
        std::string unit = random.pick(item.group->baseUnits);
        if (random.percent(3)) unit = "PRS";
        if (random.percent(2)) unit.clear();
        items.put("UNIT", Value(unit));
        const double cost = price(random);
        const bool foreign = random.percent(3);
        items.put("HGBELI", Value(cost));
        items.put("HGJUALT", Value(cost * 1.2));
        items.put("MTUANG", Value(foreign ? "SGD" : "IDR"));
        items.put("MTJL", Value(foreign ? "sgd" : "IDR"));
        const int levels = random.percent(60) ? 0 : random.between(1, 3);
        for (int n = 0; n < levels; ++n) {
            const auto& field = levelFields[n];
            items.put(field[0], Value(item.code.empty() ? std::string() : item.code + "-" + std::to_string(n + 1)));
            items.put(field[1], Value(random.percent(3) ? "PRS" : levelUnits[n]));
            items.put(field[2], Value(random.percent(3) ? 0 : levelContents[n]));
            items.put(field[3], Value(cost * levelContents[n]));
            items.put(field[4], Value(cost * levelContents[n] * 1.15));
            items.put(field[5], Value(random.percent(3) ? "SGD" : ""));
            items.put(field[6], Value(""));
        }
        items.put("MINSTOK", Value(random.between(0, 20)));
        items.put("SISAGUDANG", Value(quantity(random)));
        items.put("SISATOKO", Value(quantity(random)));
        if (random.percent(2)) items.deleteRow();
    }

    SampleRandom people(options.seed, "MSCUS");
    TableWriter customers(folder / "MSCUS.DBF", {text("NMCUS", 40), text("LOKASI", 20), text("ALAMAT1", 40),
                                                 text("ALAMAT2", 40), text("TELP", 20), text("FAX", 20)});
    for (uint32_t i = 1; i <= customerCount(options); ++i) {
        const sampledata::SampleRegion& region = people.pick(sampledata::sampleRegions());
        customers.add();
        customers.put("NMCUS", Value(people.percent(1) ? std::string() : sampledata::sampleShopName(people)));
        customers.put("LOKASI", Value(people.percent(3) ? std::string() : carelessly(people, region.name)));
        customers.put("ALAMAT1", Value(people.percent(5) ? std::string() : sampledata::sampleStreetAddress(people, region.name)));
        customers.put("ALAMAT2", Value(people.percent(30) ? region.name : std::string()));
        customers.put("TELP", Value(sampledata::sampleLandline(people, region.areaCode)));
        customers.put("FAX", Value(people.percent(20) ? sampledata::sampleLandline(people, region.areaCode) : ""));
        if (people.percent(2)) customers.deleteRow();
    }
    TableWriter vendors(folder / "MSSUP.DBF",
                        {text("NMSUP", 40), text("ALAMAT1", 40), text("ALAMAT2", 40), text("TELP", 20), text("FAX", 20)});
    for (uint32_t i = 1; i <= vendorCount(options); ++i) {
        const sampledata::SampleRegion& region = people.pick(sampledata::sampleRegions());
        vendors.add();
        vendors.put("NMSUP", Value(sampledata::sampleCompanyName(i)));
        vendors.put("ALAMAT1", Value(sampledata::sampleStreetAddress(people, region.name)));
        vendors.put("ALAMAT2", Value(region.name));
        vendors.put("TELP", Value(sampledata::sampleLandline(people, region.areaCode)));
        if (i == 2) vendors.deleteRow();
    }
    TableWriter salesmen(folder / "SALES.DBF", {text("NMSAL", 30)});
    for (int i = 1; i <= 8; ++i) {
        salesmen.add();
        salesmen.put("NMSAL", Value(i == 4 ? std::string() : sampledata::samplePersonName(people)));
    }
}

// GOL of IS and IAS: the product groups, one of them twice, one blank, one deleted.
void writeGroups(const std::filesystem::path& path) {
    TableWriter groups(path, {text("GOL", 5), text("KET", 30)});
    const auto& all = sampledata::sampleProductGroups();
    for (const auto& group : all) {
        groups.add();
        groups.put("GOL", Value(group.code));
        groups.put("KET", Value(group.name));
    }
    groups.add();
    groups.put("GOL", Value(all.front().code));
    groups.put("KET", Value("LAGI"));
    groups.add();
    groups.put("KET", Value("TANPA KODE"));
    groups.add();
    groups.put("GOL", Value("ZZ"));
    groups.put("KET", Value("DIHAPUS"));
    groups.deleteRow();
}

std::string vendorCode(uint32_t index) { return "S" + std::to_string(index); }

void writeIs(const std::filesystem::path& folder, const SampleSourceOptions& options) {
    const bool optional = options.optionalColumns;
    writeGroups(folder / "GOL.DTA");
    SampleRandom people(options.seed, "SUPP");
    TableWriter vendors(folder / "SUPP.DTA", {text("KODE", 10), text("NAMA", 40), text("ALAMAT", 40),
                                              text("ALAMAT1", 40), text("TELP", 20), text("CATAT", 60)});
    const uint32_t vendorTotal = vendorCount(options);
    for (uint32_t i = 1; i <= vendorTotal; ++i) {
        const sampledata::SampleRegion& region = people.pick(sampledata::sampleRegions());
        vendors.add();
        vendors.put("KODE", Value(i == 3 ? vendorCode(1) : vendorCode(i)));
        vendors.put("NAMA", Value(sampledata::sampleCompanyName(i)));
        vendors.put("ALAMAT", Value(sampledata::sampleStreetAddress(people, region.name)));
        vendors.put("ALAMAT1", Value(region.name));
        vendors.put("TELP", Value(sampledata::sampleLandline(people, region.areaCode)));
        vendors.put("CATAT", Value(people.percent(20) ? "  langganan lama" : ""));
    }

    std::vector<FieldInfo> fields{text("BARA", 15), text("NAMA", 40), text("GOL", 5), text("SATUAN", 5)};
    if (optional) {
        fields.insert(fields.end(), {text("SUPP", 10), text("SATUAN2", 5), number("KALI2", 8), text("SATUAN3", 5),
                                     number("KALI3", 8)});
    }
    fields.insert(fields.end(), {number("HBELI", 12, 2), number("HJUAL", 12, 2)});
    if (optional) {
        fields.insert(fields.end(), {number("HJUAL2", 12, 2), number("HJUAL3", 12, 2)});
        for (const char* movement : {"AWAL", "MASUK", "KELUAR"})
            for (int g = 1; g <= 6; ++g) fields.push_back({movement + std::to_string(g), 'N', 10, 2});
    }
    SampleRandom random(options.seed, "STOCK");
    TableWriter items(folder / "STOCK.DTA", fields);
    SampleItem previous;
    for (uint32_t i = 1; i <= options.items; ++i) {
        const SampleItem item = sampleItem(random, i, "I", previous);
        previous = item;
        items.add();
        items.put("BARA", Value(item.code));
        items.put("NAMA", Value(item.name));
        items.put("GOL", Value(random.percent(2) ? std::string("XX") : item.group->code));
        items.put("SUPP", Value(random.percent(5) ? std::string() : vendorCode(random.between(1, vendorTotal + 1))));
        const std::string base = random.percent(2) ? std::string() : random.pick(item.group->baseUnits);
        items.put("SATUAN", Value(base));
        if (random.percent(40)) {
            items.put("SATUAN2", Value(random.percent(5) ? base : std::string("LUSIN")));
            items.put("KALI2", Value(random.percent(5) ? 1 : 12));
            if (random.percent(50)) {
                items.put("SATUAN3", Value("BOX"));
                items.put("KALI3", Value(random.percent(5) ? 12 : 144));
            }
        }
        const double cost = price(random);
        items.put("HBELI", Value(cost));
        items.put("HJUAL", Value(cost * 1.2));
        items.put("HJUAL2", Value(cost * 1.15));
        items.put("HJUAL3", Value(cost * 1.1));
        for (int g = 1; g <= 6; ++g) {
            const std::string n = std::to_string(g);
            if (g > 2 && !random.percent(10)) continue;
            items.put("AWAL" + n, Value(quantity(random)));
            items.put("MASUK" + n, Value(quantity(random)));
            items.put("KELUAR" + n, Value(random.between(0, 20)));
        }
        if (random.percent(2)) items.deleteRow();
    }

    if (!optional) return;
    TableWriter customers(folder / "CUST.DTA",
                          {text("KODE", 10), text("NAMA", 40), text("NPWP", 20), text("ALAMAT", 40), text("ALAMAT1", 40),
                           text("TELP", 20), text("ATTN", 30), number("TERM", 4), number("PLAFON", 14, 2), text("CATAT", 60)});
    for (uint32_t i = 1; i <= customerCount(options); ++i) {
        const sampledata::SampleRegion& region = people.pick(sampledata::sampleRegions());
        customers.add();
        customers.put("KODE", Value(people.percent(1) ? std::string() : "C" + sampledata::sampleDigits(i, 5)));
        customers.put("NAMA", Value(sampledata::sampleShopName(people)));
        customers.put("NPWP", Value(people.percent(40) ? sampledata::sampleTaxNumber(people) : ""));
        customers.put("ALAMAT", Value(people.percent(5) ? std::string() : sampledata::sampleStreetAddress(people, region.name)));
        customers.put("ALAMAT1", Value(region.name));
        customers.put("TELP", Value(sampledata::sampleLandline(people, region.areaCode)));
        customers.put("ATTN", Value(sampledata::samplePersonName(people)));
        customers.put("TERM", Value(people.pick(std::vector<int>{0, 7, 14, 30})));
        customers.put("PLAFON", Value(1000000.0 * people.between(0, 50)));
        if (people.percent(2)) customers.deleteRow();
    }
}

void writeIas(const std::filesystem::path& folder, const SampleSourceOptions& options) {
    const bool optional = options.optionalColumns;
    writeGroups(folder / "GOL.DBF");
    {
        TableWriter regions(folder / "WIL.DBF", {text("WIL", 5), text("KET", 30)});
        for (const sampledata::SampleRegion& region : sampledata::sampleRegions()) {
            regions.add();
            regions.put("WIL", Value(region.code));
            regions.put("KET", Value(region.name));
        }
    }
    std::vector<FieldInfo> partner{text("KODE", 10), text("NAMA", 40), text("ALT", 40)};
    if (optional) partner.push_back(text("ALT1", 40));
    partner.insert(partner.end(), {text("KOTA", 20), text("TELP", 20), text("FAX", 20), text("HUBUNG", 30),
                                   number("LKRD", 4), number("PLATFON", 14, 2)});
    SampleRandom people(options.seed, "SUP");
    std::vector<FieldInfo> vendorFields = partner;
    vendorFields.push_back(text("AC_BANK", 20));
    TableWriter vendors(folder / "SUP.DBF", vendorFields);
    for (uint32_t i = 1; i <= vendorCount(options); ++i) {
        const sampledata::SampleRegion& region = people.pick(sampledata::sampleRegions());
        vendors.add();
        vendors.put("KODE", Value(vendorCode(i)));
        vendors.put("NAMA", Value(sampledata::sampleCompanyName(i)));
        vendors.put("ALT", Value(sampledata::sampleStreetAddress(people, region.name)));
        vendors.put("ALT1", Value(people.percent(30) ? "Blok " + std::to_string(people.between(1, 40)) : ""));
        vendors.put("KOTA", Value(region.name));
        vendors.put("TELP", Value(sampledata::sampleLandline(people, region.areaCode)));
        vendors.put("HUBUNG", Value(sampledata::samplePersonName(people)));
        vendors.put("AC_BANK", Value(sampledata::sampleDigits(people.next() % 10000000000ull, 10)));
        vendors.put("LKRD", Value(30));
    }

    std::vector<FieldInfo> fields{text("K_BRG", 15), text("NAMA", 40), text("GOL", 5), text("KEMAS", 5),
                                  number("HBELI", 12, 2), number("HJUAL", 12, 2)};
    if (optional) fields.push_back(number("MINSTOK", 8));
    for (const char* movement : {"STK", "MSK", "RMSK", "BNS", "KLR", "RKLR", "RSK"}) fields.push_back(number(movement, 10, 2));
    SampleRandom random(options.seed, "STOCK");
    TableWriter items(folder / "STOCK.DBF", fields);
    SampleItem previous;
    for (uint32_t i = 1; i <= options.items; ++i) {
        const SampleItem item = sampleItem(random, i, "K", previous);
        previous = item;
        items.add();
        items.put("K_BRG", Value(item.code));
        items.put("NAMA", Value(item.name));
        items.put("GOL", Value(item.group->code));
        items.put("KEMAS", Value(random.percent(3) ? std::string() : random.pick(item.group->baseUnits)));
        const double cost = price(random);
        items.put("HBELI", Value(cost));
        items.put("HJUAL", Value(cost * 1.2));
        items.put("MINSTOK", Value(random.between(0, 10)));
        items.put("STK", Value(quantity(random)));
        items.put("MSK", Value(quantity(random)));
        items.put("RMSK", Value(random.between(0, 2)));
        items.put("BNS", Value(random.between(0, 2)));
        items.put("KLR", Value(random.between(0, 30)));
        items.put("RKLR", Value(random.between(0, 2)));
        items.put("RSK", Value(random.between(0, 2)));
        if (random.percent(2)) items.deleteRow();
    }

    if (!optional) return;
    std::vector<FieldInfo> customerFields = partner;
    customerFields.insert(customerFields.end(), {text("PKP", 1), text("NPWP", 20), text("WIL", 5)});
    TableWriter customers(folder / "CUS.DBF", customerFields);
    for (uint32_t i = 1; i <= customerCount(options); ++i) {
        const sampledata::SampleRegion& region = people.pick(sampledata::sampleRegions());
        customers.add();
        customers.put("KODE", Value(people.percent(1) ? std::string() : "C" + sampledata::sampleDigits(i, 5)));
        customers.put("NAMA", Value(sampledata::sampleShopName(people)));
        customers.put("ALT", Value(sampledata::sampleStreetAddress(people, region.name)));
        customers.put("KOTA", Value(region.name));
        customers.put("WIL", Value(people.percent(3) ? std::string("??") : region.code));
        customers.put("PKP", Value(people.percent(50) ? "Y" : "N"));
        customers.put("NPWP", Value(sampledata::sampleTaxNumber(people)));
        customers.put("TELP", Value(sampledata::sampleLandline(people, region.areaCode)));
        customers.put("HUBUNG", Value(sampledata::samplePersonName(people)));
        customers.put("LKRD", Value(people.pick(std::vector<int>{0, 14, 30})));
        customers.put("PLATFON", Value(500000.0 * people.between(0, 40)));
        if (people.percent(2)) customers.deleteRow();
    }
}

}  // namespace

std::optional<SampleSourceKind> sampleSourceKind(std::string_view name) {
    if (name == "msbrg") return SampleSourceKind::Msbrg;
    if (name == "is") return SampleSourceKind::Is;
    if (name == "ias") return SampleSourceKind::Ias;
    return std::nullopt;
}

void makeSampleSource(SampleSourceKind kind, const std::filesystem::path& folder, const SampleSourceOptions& options) {
    std::filesystem::create_directories(folder);
    switch (kind) {
        case SampleSourceKind::Msbrg: writeMsbrg(folder, options); break;
        case SampleSourceKind::Is: writeIs(folder, options); break;
        case SampleSourceKind::Ias: writeIas(folder, options); break;
    }
}

}  // namespace tarvo::sampledata
