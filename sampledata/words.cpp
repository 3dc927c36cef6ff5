#include "sampledata/words.h"

#include <cctype>

namespace tarvo::sampledata {

namespace {

const std::vector<std::string> kVariants = {"Original", "Ayam Bawang", "Pedas", "Manis", "Jeruk", "Stroberi",
                                            "Coklat", "Vanila", "Mint", "Lemon", "Susu", "Keju",
                                            "Jumbo", "Mini", "Premium", "Ekonomis", "Hijau", "Biru",
                                            "Putih", "Hitam"};
const std::vector<std::string> kSizes = {"50g", "85g", "100g", "200g", "250g", "500g", "1kg",
                                         "5kg", "100ml", "250ml", "330ml", "600ml", "1L", "1.5L",
                                         "2L", "12s", "24s", "isi 10", "isi 20", "isi 50"};
const std::vector<std::string> kCompanyForms = {"PT", "CV", "UD"};
const std::vector<std::string> kCompanyFirst = {"Sinar", "Maju", "Sumber", "Cahaya", "Mitra", "Karya", "Bintang",
                                                "Tunas", "Indo", "Prima", "Sentosa", "Bumi", "Berkah", "Mega",
                                                "Sejahtera", "Agung", "Global", "Harapan", "Citra", "Nusa"};
const std::vector<std::string> kCompanySecond = {"Jaya", "Makmur", "Abadi", "Sentosa", "Utama", "Mandiri",
                                                 "Perkasa", "Lestari", "Sejati", "Gemilang", "Raya", "Baru",
                                                 "Rezeki", "Distribusindo", "Niaga", "Pratama", "Kencana",
                                                 "Sukses", "Permai", "Wijaya"};
const std::vector<std::string> kFirstNames = {"Budi", "Siti", "Agus", "Dewi", "Andi", "Rina", "Hendra", "Lina",
                                              "Joko", "Wati", "Rudi", "Yanti", "Eko", "Sri", "Ahmad", "Nur",
                                              "Bambang", "Fitri", "Hadi", "Maya", "Irwan", "Lestari", "Tono",
                                              "Ani", "Dedi", "Ratna", "Wahyu", "Indah", "Fajar", "Putri"};
const std::vector<std::string> kLastNames = {"Santoso", "Wijaya", "Saputra", "Hidayat", "Kusuma", "Siregar",
                                             "Nasution", "Lubis", "Tanjung", "Harahap", "Simanjuntak", "Gunawan",
                                             "Halim", "Setiawan", "Pratama", "Utomo", "Susanto", "Salim",
                                             "Hasibuan", "Sitompul", "Purba", "Ginting", "Tarigan", "Sembiring",
                                             "Rangkuti", "Lim", "Tan", "Wibowo", "Kurniawan", "Hartono"};
const std::vector<std::string> kShopWords = {"Berkah", "Rezeki", "Sumber Jaya", "Makmur", "Sederhana", "Murah",
                                             "Baru", "Sentosa", "Bahagia", "Lancar", "Abadi", "Mulia",
                                             "Harapan", "Sejahtera", "Amanah", "Barokah"};
const std::vector<std::string> kShopKinds = {"Toko", "Warung", "Kedai", "Minimarket", "Grosir", "RM"};
const std::vector<std::string> kStreets = {"Jl. Sudirman", "Jl. Gatot Subroto", "Jl. Diponegoro",
                                           "Jl. Ahmad Yani", "Jl. Gajah Mada", "Jl. Thamrin", "Jl. Pemuda",
                                           "Jl. Merdeka", "Jl. Imam Bonjol", "Jl. Veteran", "Jl. Asia",
                                           "Jl. Sisingamangaraja", "Jl. Juanda", "Jl. Hayam Wuruk"};

// A fixed scramble of a number (the finaliser of splitmix64).
uint64_t scramble(uint64_t x) {
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
    return x ^ (x >> 31);
}

}  // namespace

const std::vector<SampleRegion>& sampleRegions() {
    static const std::vector<SampleRegion> regions = {
        {"MDN", "Medan", "061"},        {"JKT", "Jakarta", "021"},     {"BDG", "Bandung", "022"},
        {"SBY", "Surabaya", "031"},     {"SMG", "Semarang", "024"},    {"PLB", "Palembang", "0711"},
        {"PKU", "Pekanbaru", "0761"},   {"PDG", "Padang", "0751"},     {"MKS", "Makassar", "0411"},
        {"DPS", "Denpasar", "0361"},    {"PTK", "Pontianak", "0561"},  {"BPN", "Balikpapan", "0542"},
        {"BTM", "Batam", "0778"},       {"YGY", "Yogyakarta", "0274"},
    };
    return regions;
}

const std::vector<SampleCodeName>& sampleSecondRegions() {
    static const std::vector<SampleCodeName> regions = {
        {"UTR", "Wilayah Utara"}, {"SLT", "Wilayah Selatan"}, {"TMR", "Wilayah Timur"},
        {"BRT", "Wilayah Barat"}, {"PST", "Wilayah Pusat"},
    };
    return regions;
}

const std::vector<SampleCodeName>& samplePriceGroups() {
    static const std::vector<SampleCodeName> groups = {
        {"UMUM", "Harga Umum"}, {"GROSIR", "Harga Grosir"}, {"MEMBER", "Harga Member"}, {"AGEN", "Harga Agen"},
    };
    return groups;
}

const std::vector<SampleCodeName>& sampleCustomerGroups() {
    static const std::vector<SampleCodeName> groups = {
        {"RTL", "Retail"}, {"TK", "Toko"}, {"RM", "Rumah Makan"}, {"KTR", "Kantor"}, {"SKL", "Sekolah"},
        {"HTL", "Hotel"},
    };
    return groups;
}

const std::vector<SampleCodeName>& sampleSecondCustomerGroups() {
    static const std::vector<SampleCodeName> groups = {{"A", "Kelas A"}, {"B", "Kelas B"}, {"C", "Kelas C"}};
    return groups;
}

const std::vector<SampleProductGroup>& sampleProductGroups() {
    static const std::vector<SampleProductGroup> groups = {
        {"MKN", "Makanan", {"Mie Instan", "Biskuit", "Wafer", "Keripik", "Roti Tawar", "Permen"}, {"PCS", "BKS"}},
        {"MNM", "Minuman", {"Teh Botol", "Kopi Bubuk", "Susu UHT", "Air Mineral", "Sirup", "Jus Buah"},
         {"BTL", "PCS", "KLG"}},
        {"SBN", "Sabun & Deterjen",
         {"Sabun Mandi", "Deterjen Bubuk", "Sabun Cuci Piring", "Pewangi Pakaian", "Pembersih Lantai"},
         {"PCS", "BKS", "SCT"}},
        {"PRS", "Perawatan Diri", {"Sampo", "Pasta Gigi", "Sikat Gigi", "Deodoran", "Minyak Rambut"}, {"PCS", "BTL"}},
        {"SMB", "Sembako", {"Beras", "Gula Pasir", "Minyak Goreng", "Tepung Terigu", "Garam"}, {"KG", "LTR", "BKS"}},
        {"BMB", "Bumbu Dapur", {"Kecap Manis", "Saus Sambal", "Saus Tomat", "Kaldu Ayam", "Merica Bubuk"},
         {"BTL", "BKS", "SCT"}},
        {"ATK", "Alat Tulis", {"Buku Tulis", "Pulpen", "Pensil", "Penghapus", "Kertas HVS", "Spidol"},
         {"PCS", "BH", "RIM"}},
        {"RT", "Rumah Tangga", {"Sapu", "Ember", "Gelas Plastik", "Piring", "Tisu", "Kantong Plastik"}, {"PCS", "BH"}},
        {"OBT", "Obat-obatan", {"Minyak Kayu Putih", "Balsem", "Plester", "Obat Batuk", "Vitamin C"},
         {"BTL", "PCS", "SCT"}},
        {"ELK", "Elektronik", {"Baterai", "Lampu LED", "Kabel Roll", "Stop Kontak", "Senter"}, {"PCS", "BH"}},
        {"BY", "Perlengkapan Bayi", {"Popok Bayi", "Susu Formula", "Tisu Basah", "Minyak Telon"}, {"PCS", "BKS"}},
        {"FRZ", "Makanan Beku", {"Nugget Ayam", "Sosis Sapi", "Bakso Ikan", "Kentang Goreng"}, {"BKS", "KG"}},
    };
    return groups;
}

const std::vector<SampleCodeName>& sampleBrands() {
    static const std::vector<SampleCodeName> brands = {
        {"SNR", "Sinar"},    {"MWR", "Mawar"},   {"CHY", "Cahaya"},  {"GRD", "Garuda"},   {"NSN", "Nusantara"},
        {"MRP", "Merpati"},  {"KNR", "Kenari"},  {"PLG", "Pelangi"}, {"BTG", "Bintang"},  {"RJW", "Rajawali"},
        {"MLT", "Melati"},   {"SKR", "Sakura"},  {"ITN", "Intan"},   {"MTR", "Mutiara"},  {"DLT", "Delta"},
        {"SRY", "Surya"},    {"KCN", "Kencana"}, {"PRT", "Pertiwi"}, {"SMD", "Samudra"},  {"AGR", "Anggrek"},
    };
    return brands;
}

const std::vector<SampleCodeName>& sampleItemClasses() {
    static const std::vector<SampleCodeName> classes = {
        {"A", "Fast Moving"}, {"B", "Reguler"}, {"C", "Slow Moving"}, {"K", "Konsinyasi"}, {"P", "Promo"},
    };
    return classes;
}

// The digits of an index in mixed radix, each shifted by the digits below it: every combination
// once per round, and neighbouring indexes differ in every part.
SampleProductName sampleProductName(uint32_t index) {
    struct Kind {
        size_t group;
        const std::string* product;
    };
    static const std::vector<Kind> kinds = [] {
        std::vector<Kind> out;
        const auto& groups = sampleProductGroups();
        for (size_t g = 0; g < groups.size(); ++g)
            for (const std::string& product : groups[g].products) out.push_back({g, &product});
        return out;
    }();
    const uint64_t brands = sampleBrands().size();
    const uint64_t round = kinds.size() * brands * kVariants.size() * kSizes.size();
    uint64_t rest = index % round;
    const uint64_t a = rest % kinds.size();
    rest /= kinds.size();
    const uint64_t b = rest % brands;
    rest /= brands;
    const uint64_t c = rest % kVariants.size();
    const uint64_t d = rest / kVariants.size();
    const uint64_t brand = (b + scramble(a)) % brands;
    const uint64_t variant = (c + scramble(a * brands + b)) % kVariants.size();
    const uint64_t size = (d + scramble((a * brands + b) * kVariants.size() + c)) % kSizes.size();

    SampleProductName out;
    out.group = kinds[a].group;
    out.brand = brand;
    out.product = *kinds[a].product;
    out.name = out.product + " " + sampleBrands()[brand].name + " " + kVariants[variant] + " " + kSizes[size];
    if (index >= round) out.name += " " + std::to_string(index / round + 1);
    return out;
}

std::string sampleCompanyName(uint32_t index) {
    const uint32_t first = static_cast<uint32_t>(kCompanyFirst.size());
    const uint32_t second = static_cast<uint32_t>(kCompanySecond.size());
    const uint32_t forms = static_cast<uint32_t>(kCompanyForms.size());
    const uint32_t round = first * second * forms;
    const uint32_t rest = index % round;
    const uint32_t a = rest % first;
    const uint32_t b = rest / first % second;
    const uint32_t c = rest / first / second;
    std::string name = kCompanyForms[(c + a + b) % forms] + " " + kCompanyFirst[a] + " " + kCompanySecond[(b + 7 * a) % second];
    if (index >= round) name += " " + std::to_string(index / round + 1);
    return name;
}

std::string sampleShopName(SampleRandom& random) {
    return random.pick(kShopKinds) + " " + random.pick(kShopWords);
}

std::string samplePersonName(SampleRandom& random) { return random.pick(kFirstNames) + " " + random.pick(kLastNames); }

std::string sampleStreetAddress(SampleRandom& random, const std::string& city) {
    return random.pick(kStreets) + " No. " + std::to_string(random.between(1, 250)) + ", " + city;
}

std::string sampleLandline(SampleRandom& random, const std::string& areaCode) {
    return areaCode + "-" + std::to_string(random.between(4, 8)) + sampleDigits(random.below(1000000), 6);
}

std::string sampleMobile(SampleRandom& random) {
    return "08" + std::to_string(random.between(11, 59)) + "-" + sampleDigits(random.below(10000), 4) + "-" +
           sampleDigits(random.below(10000), 4);
}

std::string sampleTaxNumber(SampleRandom& random) {
    return sampleDigits(random.below(100), 2) + "." + sampleDigits(random.below(1000), 3) + "." +
           sampleDigits(random.below(1000), 3) + "." + std::to_string(random.below(10)) + "-" +
           sampleDigits(random.below(1000), 3) + ".000";
}

std::string sampleIdentityNumber(SampleRandom& random) {
    return "12" + sampleDigits(random.below(100000000), 8) + sampleDigits(random.below(1000000), 6);
}

std::string sampleSlug(const std::string& name) {
    std::string slug;
    for (char c : name)
        if (std::isalnum(static_cast<unsigned char>(c))) slug += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return slug;
}

std::string sampleDigits(uint64_t value, size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) digits.insert(0, width - digits.size(), '0');
    return digits;
}

}  // namespace tarvo::sampledata
