// Item groupings, items with codes, units, prices, links and opening stock, and the item
// templates that refer to them (extra information, alias names, group prices) of a sample set.

#include <algorithm>
#include <array>
#include <map>

#include "sampledata/template_set.h"
#include "sampledata/words.h"

namespace tarvo::sampledata {

namespace {

constexpr int kCodes = 5;
constexpr int kUnits = 5;
constexpr int kPriceLevels = 5;
constexpr int kWarehouses = 30;

struct SampleItem {
    int kind = 0;  // JENIS: 0 stock, 1 without stock, 2 linked to another item
    std::array<std::string, kCodes> codes;
    std::string barcode;
    std::string name;
    std::string nameEx1;
    std::string shortName;  // the alias name
    std::string vendorCode;
    std::string vendorName;
    std::array<std::string, 3> groups;
    std::string shelf;
    bool halal = false;
    int quantityPicture = 0;
    int unitCount = 0;  // 0: the unit column left blank
    std::array<std::string, kUnits> units;
    std::array<long, kUnits> factors{};  // base units in each unit
    long cost = 0;
    long buyDiscount = 0;  // percent
    std::array<long, kPriceLevels> prices{};
    int priceLevels = 0;
    long minimumPrice = 0;
    long minimumStock = 0;
    std::string linkCode;
    int linkQuantity = 0;
    std::string note;
    std::array<double, kWarehouses> stock{};
};

// Positions of the ITEM columns the generator writes, looked up once.
struct ItemColumns {
    int kind, barcode, name, nameEx1, vendorCode, vendorName, shelf, halal, quantityPicture;
    int minimumStock, minimumStockUnit, buyCurrency, cost, costPer, costUnit, buyDiscount;
    int minimumCurrency, minimumPrice, minimumPer, minimumUnit, linkCode, linkQuantity, linkUnit, note;
    std::array<int, kCodes> codes;
    std::array<int, 3> groups;
    std::array<int, kUnits> units, factors;
    std::array<int, kPriceLevels> currencies, prices, pers, priceUnits;
    std::array<int, kWarehouses> quantities, values;

    explicit ItemColumns(const SampleTemplateWriter& w) {
        auto at = [&](const std::string& name) { return w.column(name); };
        kind = at("JENIS");
        barcode = at("KODE2");
        name = at("NAMA");
        nameEx1 = at("NAMAEX1");
        vendorCode = at("KODE_VEN");
        vendorName = at("NAMA_VEN");
        shelf = at("EXT_INFO_1");
        halal = at("EXT_INFO_2");
        quantityPicture = at("QUAN_PICT");
        minimumStock = at("MIN_STOCK");
        minimumStockUnit = at("MIN_STK_ST");
        buyCurrency = at("MU_BELI");
        cost = at("H_BELI");
        costPer = at("H_BL_PER");
        costUnit = at("H_BL_SAT");
        buyDiscount = at("DISC_BL_P");
        minimumCurrency = at("MU_MINJUAL");
        minimumPrice = at("H_MINJUAL");
        minimumPer = at("H_MJL_PER");
        minimumUnit = at("H_MJL_SAT");
        linkCode = at("LINK_KODE");
        linkQuantity = at("LINK_JML");
        linkUnit = at("LINK_SAT");
        note = at("CATATAN");
        codes[0] = at("KODE");
        for (int i = 1; i < kCodes; ++i) codes[i] = at("KODE_" + std::to_string(i + 1));
        for (int i = 0; i < 3; ++i) groups[i] = at("KODE_GRP" + std::to_string(i + 1));
        for (int i = 0; i < kUnits; ++i) {
            units[i] = at("SAT_" + std::to_string(i + 1));
            factors[i] = i == 0 ? 0 : at("SAT_" + std::to_string(i + 1) + "_KONV");
        }
        for (int i = 0; i < kPriceLevels; ++i) {
            const std::string level = std::to_string(i + 1);
            currencies[i] = at("MU_JUAL" + level);
            prices[i] = at("H_JUAL" + level);
            pers[i] = at("H_JL" + level + "_PER");
            priceUnits[i] = at("H_JL" + level + "_SAT");
        }
        for (int i = 0; i < kWarehouses; ++i) {
            quantities[i] = at("SISA_STK" + std::to_string(i + 1));
            values[i] = at("SISA_NIL" + std::to_string(i + 1));
        }
    }
};

long roundUp(long value, long step) { return (value + step - 1) / step * step; }

void chooseUnits(SampleItem& item, SampleRandom& random, const SampleProductGroup& group) {
    static const std::vector<std::pair<std::string, long>> packs = {{"LSN", 12}, {"PAK", 10}, {"PAK", 6}, {"BOX", 20}, {"IKT", 5}};
    static const std::vector<std::string> cartons = {"DUS", "KRT", "BAL"};
    if (random.percent(2)) return;  // unit left blank: the import takes PCS
    const uint32_t r = random.below(100);
    item.unitCount = r < 40 ? 1 : r < 75 ? 2 : r < 95 ? 3 : r < 99 ? 4 : 5;
    item.units[0] = random.pick(group.baseUnits);
    item.factors[0] = 1;
    if (item.units[0] == "KG" || item.units[0] == "LTR") item.quantityPicture = 2;
    if (item.unitCount >= 2) {
        const auto& pack = random.pick(packs);
        item.units[1] = pack.first;
        item.factors[1] = pack.second;
    }
    if (item.unitCount >= 3) {
        item.units[2] = random.pick(cartons);
        item.factors[2] = item.factors[1] * random.between(2, 12);
    }
    if (item.unitCount >= 4) {
        item.units[3] = "PAL";
        item.factors[3] = item.factors[2] * random.between(10, 40);
    }
    if (item.unitCount >= 5) {
        item.units[4] = "KONT";
        item.factors[4] = item.factors[3] * 20;
    }
}

void choosePrices(SampleItem& item, SampleRandom& random) {
    static const std::vector<long> tiers = {2, 10, 20, 40, 100, 200, 400, 2000};  // cost in 50s
    const long tier = random.pick(tiers);
    item.cost = 50 * random.between(static_cast<int>(tier), static_cast<int>(3 * tier));
    static const std::vector<long> discounts = {2, 5};
    if (random.percent(10)) item.buyDiscount = random.pick(discounts);
    item.prices[0] = roundUp(item.cost * random.between(110, 135) / 100, 100);
    item.priceLevels = std::clamp(item.unitCount, 1, 3);
    for (int level = 1; level < item.priceLevels; ++level)
        item.prices[level] = roundUp(item.prices[0] * item.factors[level] * (100 - 3 * level) / 100, 100);
    if (random.percent(30)) item.minimumPrice = roundUp(item.cost * 105 / 100, 50);
}

void chooseStock(SampleItem& item, SampleRandom& random, uint32_t warehouses) {
    for (uint32_t w = 0; w < warehouses; ++w) {
        if (!random.percent(70)) continue;
        item.stock[w] = item.quantityPicture == 2 ? random.between(1, 400) / 2.0 : random.between(1, 200);
    }
}

class ItemGenerator {
public:
    explicit ItemGenerator(const SampleSet& set) : set(set), random(set.options.seed, "ITEM") {}

    SampleItem make(uint32_t index) {
        static const std::vector<std::string> extensions = {"KEMASAN BARU", "PROMO", "REFILL", "BOTOL", "SACHET"};
        static const std::vector<std::string> notes = {"Barang impor", "Stok terbatas", "Pesan 2 minggu sebelumnya"};
        SampleItem item;
        const SampleProductName product = sampleProductName(index);
        const uint32_t r = random.below(100);
        item.kind = r < 3 && !stockItems.empty() ? 2 : r < 4 ? 1 : 0;
        item.codes[0] = "BRG" + sampleDigits(index + 1, 6);
        // Drawn even when the count is fixed, so that the rest of the item stays the same.
        const int drawn = random.between(1, kCodes);
        const int codes = set.options.codesPerItem > 0 ? static_cast<int>(set.options.codesPerItem) : drawn;
        for (int c = 1; c < codes; ++c) item.codes[c] = "899" + std::to_string(c) + sampleDigits(index + 1, 9);
        item.barcode = item.codes[1];
        item.name = product.name;
        if (random.percent(15)) item.nameEx1 = random.pick(extensions);
        item.shortName = product.product + " " + sampleBrands()[product.brand].name;
        if (!set.vendorCodes.empty() && random.percent(90)) {
            const uint32_t vendor = random.below(set.vendorCodes.size());
            if (random.percent(90)) item.vendorCode = set.vendorCodes[vendor];
            item.vendorName = set.vendorNames[vendor];
        }
        item.groups[0] = sampleProductGroups()[product.group].code;
        item.groups[1] = sampleBrands()[product.brand].code;
        if (random.percent(70)) item.groups[2] = random.pick(sampleItemClasses()).code;
        if (random.percent(60))
            item.shelf = "RAK " + std::string(1, static_cast<char>('A' + random.below(8))) + "-" +
                         sampleDigits(random.between(1, 40), 2);
        item.halal = random.percent(30);
        chooseUnits(item, random, sampleProductGroups()[product.group]);
        choosePrices(item, random);
        item.minimumStock = random.between(0, 24);
        if (item.kind == 2) {
            item.linkCode = "BRG" + sampleDigits(stockItems[random.below(stockItems.size())] + 1, 6);
            item.linkQuantity = random.between(1, 12);
        }
        if (random.percent(5)) item.note = random.pick(notes);
        if (item.kind == 0) {
            chooseStock(item, random, set.options.warehouses);
            stockItems.push_back(index);
        }
        return item;
    }

private:
    const SampleSet& set;
    SampleRandom random;
    std::vector<uint32_t> stockItems;  // indexes of the items of kind 0, the targets of links
};

void writeItemRow(SampleTemplateWriter& w, const ItemColumns& c, const SampleItem& item) {
    w.addRow();
    w.put(c.kind, item.kind);
    for (int i = 0; i < kCodes; ++i)
        if (!item.codes[i].empty()) w.put(c.codes[i], item.codes[i]);
    if (!item.barcode.empty()) w.put(c.barcode, item.barcode);
    w.put(c.name, item.name);
    if (!item.nameEx1.empty()) w.put(c.nameEx1, item.nameEx1);
    if (!item.vendorCode.empty()) w.put(c.vendorCode, item.vendorCode);
    if (!item.vendorName.empty()) w.put(c.vendorName, item.vendorName);
    for (int i = 0; i < 3; ++i)
        if (!item.groups[i].empty()) w.put(c.groups[i], item.groups[i]);
    if (!item.shelf.empty()) w.put(c.shelf, item.shelf);
    if (item.halal) w.put(c.halal, "Halal");
    w.put(c.quantityPicture, item.quantityPicture);
    for (int i = 0; i < item.unitCount; ++i) {
        w.put(c.units[i], item.units[i]);
        if (i > 0) w.put(c.factors[i], static_cast<double>(item.factors[i]));
    }
    w.put(c.minimumStock, static_cast<double>(item.minimumStock));
    w.put(c.minimumStockUnit, 1);
    w.put(c.buyCurrency, 1);
    w.put(c.cost, static_cast<double>(item.cost));
    w.put(c.costPer, 1);
    w.put(c.costUnit, 1);
    if (item.buyDiscount) w.put(c.buyDiscount, static_cast<double>(item.buyDiscount));
    for (int level = 0; level < item.priceLevels; ++level) {
        w.put(c.currencies[level], 1);
        w.put(c.prices[level], static_cast<double>(item.prices[level]));
        w.put(c.pers[level], 1);
        w.put(c.priceUnits[level], level + 1);
    }
    if (item.minimumPrice) {
        w.put(c.minimumCurrency, 1);
        w.put(c.minimumPrice, static_cast<double>(item.minimumPrice));
        w.put(c.minimumPer, 1);
        w.put(c.minimumUnit, 1);
    }
    if (!item.linkCode.empty()) {
        w.put(c.linkCode, item.linkCode);
        w.put(c.linkQuantity, item.linkQuantity);
        w.put(c.linkUnit, 1);
    }
    if (!item.note.empty()) w.put(c.note, item.note);
    for (int i = 0; i < kWarehouses; ++i) {
        if (item.stock[i] == 0) continue;
        w.put(c.quantities[i], item.stock[i]);
        w.put(c.values[i], item.stock[i] * static_cast<double>(item.cost));
    }
}

// The item templates written alongside ITEM, with the rows each got.
struct ItemSideWriters {
    SampleTemplateWriter info;
    SampleTemplateWriter aliases;
    SampleTemplateWriter groupPrices;
    uint32_t infoRows = 0;
    uint32_t aliasRows = 0;
    uint32_t groupPriceRows = 0;
};

void writeItemSideRows(ItemSideWriters& out, SampleRandom& random, const SampleItem& item) {
    static const std::vector<std::string> infos = {"Simpan di tempat sejuk dan kering", "Komposisi tertera pada kemasan",
                                                   "Garansi toko 7 hari", "Produk dalam negeri"};
    static const std::vector<std::string> specialGroups = {"GROSIR", "MEMBER", "AGEN"};
    if (random.percent(8)) {
        out.info.addRow();
        out.info.put("KODE_ITEM", item.codes[0]);
        out.info.put("INFO_1", random.pick(infos));
        if (item.unitCount > 0) out.info.put("INFO_2", "Kemasan: " + item.units[0]);
        ++out.infoRows;
    }
    if (random.percent(5)) {
        out.aliases.addRow();
        out.aliases.put("KODE_ITEM", item.codes[0]);
        out.aliases.put("NAMA", item.shortName);
        ++out.aliasRows;
    }
    if (item.kind == 0 && random.percent(10)) {
        const uint32_t first = random.below(specialGroups.size());
        const uint32_t groups = random.between(1, 2);
        for (uint32_t g = 0; g < groups; ++g) {
            out.groupPrices.addRow();
            out.groupPrices.put("KODE_ITEM", item.codes[0]);
            out.groupPrices.put("KODE_GRP", specialGroups[(first + g) % specialGroups.size()]);
            const long cut = random.between(3, 10);
            for (int level = 0; level < std::min(item.priceLevels, 2); ++level) {
                const std::string n = std::to_string(level + 1);
                out.groupPrices.put("MU_JUAL" + n, 1);
                out.groupPrices.put("H_JUAL" + n, static_cast<double>(roundUp(item.prices[level] * (100 - cut) / 100, 100)));
                out.groupPrices.put("H_JL" + n + "_PER", 1);
                out.groupPrices.put("H_JL" + n + "_SAT", level + 1);
            }
            ++out.groupPriceRows;
        }
    }
}

// The deliberate faults of ITEM, each written after a given regular item.
enum class ItemFault { BlankRow, CodeRepeated, SecondCodeRepeated, NameRepeated, Deleted, BlankCode };
struct PlannedFault {
    uint32_t after;   // index of the regular item it follows
    uint32_t target;  // index of the item it repeats
    ItemFault fault;
};

std::vector<PlannedFault> planFaults(uint32_t items) {
    if (items == 0) return {};
    std::vector<PlannedFault> plan = {
        {items / 4, 0, ItemFault::BlankRow},
        {items / 3, items / 6, ItemFault::CodeRepeated},
        {items / 2, 0, ItemFault::Deleted},
        {items * 2 / 3, items / 5, ItemFault::NameRepeated},
        {items * 3 / 4, items / 7, ItemFault::SecondCodeRepeated},
        {items * 4 / 5, 0, ItemFault::Deleted},
        {items - 1, 0, ItemFault::BlankCode},
    };
    std::stable_sort(plan.begin(), plan.end(), [](const auto& a, const auto& b) { return a.after < b.after; });
    return plan;
}

void writeFault(SampleSet& set, SampleTemplateWriter& w, const ItemColumns& c, const PlannedFault& planned,
                const SampleItem& target, uint32_t number) {
    SampleItem item;
    item.unitCount = 1;
    item.units[0] = "PCS";
    item.cost = 1000;
    item.prices[0] = 1500;
    item.priceLevels = 1;
    const std::string ownCode = "DBL" + sampleDigits(number, 6);
    switch (planned.fault) {
        case ItemFault::BlankRow:
            w.addRow();
            return;
        case ItemFault::CodeRepeated:
            item.codes[0] = target.codes[0];
            item.name = target.name + " Dobel";
            ++set.summary.codeDuplicates;
            break;
        case ItemFault::SecondCodeRepeated:
            item.codes[0] = ownCode;
            item.codes[1] = target.codes[0];
            item.name = target.name + " Kemasan Lama";
            ++set.summary.codeDuplicates;
            break;
        case ItemFault::NameRepeated:
            item.codes[0] = ownCode;
            item.name = target.name;
            item.nameEx1 = target.nameEx1;
            ++set.summary.nameDuplicates;
            break;
        case ItemFault::Deleted:
            item.codes[0] = ownCode;
            item.name = "Barang Salah Input " + std::to_string(number);
            writeItemRow(w, c, item);
            w.deleteRow();
            return;
        case ItemFault::BlankCode:
            item.name = "Barang Tanpa Kode";
            break;
    }
    writeItemRow(w, c, item);
}

void writeItems(SampleSet& set) {
    const uint32_t count = set.options.items;
    SampleTemplateWriter items(set.folder, "ITEM");
    const ItemColumns columns(items);
    ItemSideWriters side{SampleTemplateWriter(set.folder, "ITMINF"), SampleTemplateWriter(set.folder, "ITMNAM"),
                         SampleTemplateWriter(set.folder, "STKHJL")};
    SampleRandom sideRandom(set.options.seed, "ITEM-SIDE");
    ItemGenerator generator(set);
    const std::vector<PlannedFault> plan = planFaults(count);
    std::map<uint32_t, SampleItem> targets;
    for (const PlannedFault& planned : plan) targets[planned.target];
    size_t nextFault = 0;
    for (uint32_t i = 0; i < count; ++i) {
        const SampleItem item = generator.make(i);
        writeItemRow(items, columns, item);
        writeItemSideRows(side, sideRandom, item);
        if (auto target = targets.find(i); target != targets.end()) target->second = item;
        for (; nextFault < plan.size() && plan[nextFault].after == i; ++nextFault)
            writeFault(set, items, columns, plan[nextFault], targets[plan[nextFault].target],
                       static_cast<uint32_t>(nextFault + 1));
    }
    set.finish(items, "ITEM", count);
    set.finish(side.info, "ITMINF", side.infoRows);
    set.finish(side.aliases, "ITMNAM", side.aliasRows);
    set.finish(side.groupPrices, "STKHJL", side.groupPriceRows);
}

}  // namespace

void writeSampleItems(SampleSet& set) {
    writeSampleCodeNames(set, "GRPSTK", sampleProductGroups());
    writeSampleCodeNames(set, "GRPST2", sampleBrands());
    writeSampleCodeNames(set, "GRPST3", sampleItemClasses());
    writeItems(set);
}

}  // namespace tarvo::sampledata
