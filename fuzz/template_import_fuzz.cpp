// libFuzzer entry: a whole template import over a template folder made from the input, into a
// fresh copy of the sample retail database, every question answered Yes. Every outcome must be a
// status (done, refused, failed), never a crash, a hang or an exception thrown out of the import;
// and a refusal before the preparation must leave every file of the database byte-identical.
//
// Input: one options byte, then any number of chunks, each a template number (1 byte, taken
// modulo the number of templates), a length (2 bytes, little endian) and that many bytes that
// replace the template file. Templates no chunk names keep the bytes of a small sample set.
// Options: bits 0-1 the stock mode (none, open, close), bit 2 allows duplicate codes, bit 3
// duplicate names, bit 4 a points date, bits 5-6 the template driver (DBFNTX, DBFCDX, DBFMDX).
//
// `template_import_fuzz --make-seeds` writes the seed corpus to fuzz/corpus/template_import:
// the sample set unchanged, and each template of it alone as a chunk.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "sampledata/retail_db.h"
#include "importing/import_options.h"
#include "sampledata/templates.h"
#include "templates/template_import.h"
#include "ui/user_interaction.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo;
using fuzz::readFile;
using fuzz::writeFile;

class YesInteraction final : public ui::SilentInteraction {
public:
    int askEx(ui::Owner, const std::string&, const std::string&, int, int) override { return ui::kReplyYes; }
};

// Every file of a folder tree by its path relative to the folder, with its bytes.
std::map<std::string, std::string> snapshot(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        if (entry.is_regular_file()) files[fs::relative(entry.path(), folder).string()] = readFile(entry.path());
    return files;
}

// The files this process works on, made once: the pristine database and the sample templates.
struct Baseline {
    fs::path root;
    std::map<std::string, std::string> database;   // files under ST_DB's parent
    std::vector<std::pair<std::string, std::string>> templates;  // file name, bytes; sorted by name

    Baseline() {
        root = fs::temp_directory_path() / ("tarvo_template_import_fuzz." + std::to_string(::getpid()));
        fs::remove_all(root);
        const fs::path pristine = root / "pristine";
        sampledata::makeSampleRetailDatabase(pristine);
        database = snapshot(pristine);
        const fs::path sample = root / "sample";
        sampledata::SampleTemplateOptions options;
        options.items = 6;
        options.customers = 3;
        options.vendors = 2;
        options.warehouses = 2;
        sampledata::makeSampleTemplates(sample, options);
        for (const auto& [name, bytes] : snapshot(sample)) templates.emplace_back(name, bytes);
        fs::remove_all(pristine);
        fs::remove_all(sample);
    }
    ~Baseline() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

const Baseline& baseline() {
    static const Baseline made;
    return made;
}

void writeTree(const fs::path& folder, const std::map<std::string, std::string>& files) {
    fs::remove_all(folder);
    for (const auto& [name, bytes] : files) {
        fs::create_directories((folder / name).parent_path());
        writeFile(folder / name, bytes);
    }
}

struct FuzzInput {
    uint8_t options = 0;
    std::map<size_t, std::string_view> replaced;  // template number to its new bytes
};

FuzzInput split(const uint8_t* data, size_t size) {
    FuzzInput input;
    if (size == 0) return input;
    input.options = data[0];
    const size_t count = baseline().templates.size();
    size_t at = 1;
    while (at + 3 <= size) {
        const size_t number = data[at] % count;
        size_t length = data[at + 1] | (size_t(data[at + 2]) << 8);
        at += 3;
        length = std::min(length, size - at);
        input.replaced[number] = std::string_view(reinterpret_cast<const char*>(data) + at, length);
        at += length;
    }
    return input;
}

importing::ImportOptions importOptions(uint8_t bits) {
    importing::ImportOptions options = importing::defaultImportOptions();
    static constexpr importing::StockMode kModes[] = {importing::StockMode::None, importing::StockMode::Open,
                                                      importing::StockMode::CloseDay, importing::StockMode::None};
    options.stockMode = kModes[bits & 0x03];
    options.allowDuplicateCodes = bits & 0x04;
    options.allowDuplicateNames = bits & 0x08;
    if (bits & 0x10) options.pointsDate = xbase::Date{2024, 6, 30};
    static constexpr xbase::Driver kDrivers[] = {xbase::Driver::DBFNTX, xbase::Driver::DBFCDX, xbase::Driver::DBFMDX,
                                                 xbase::Driver::DBFNTX};
    options.tableDriver = kDrivers[(bits >> 5) & 0x03];
    return options;
}

void run(const FuzzInput& input) {
    const Baseline& base = baseline();
    const fs::path database = base.root / "db";
    const fs::path folder = base.root / "templates";
    writeTree(database, base.database);
    fs::remove_all(folder);
    fs::create_directories(folder);
    for (size_t i = 0; i < base.templates.size(); ++i) {
        const auto replaced = input.replaced.find(i);
        writeFile(folder / base.templates[i].first,
                  replaced == input.replaced.end() ? std::string_view(base.templates[i].second) : replaced->second);
    }

    importing::ImportRequest request;
    request.databaseFolder = database.string();
    request.importFolder = folder.string();
    request.options = importOptions(input.options);
    request.rejectFile = base.root / "REJECT.TXT";
    YesInteraction yes;
    ui::setInteraction(&yes);
    const importing::ImportOutcome outcome = templates::runTemplateImport(nullptr, request);
    ui::setInteraction(nullptr);

    const bool untouched = outcome.status == importing::ImportStatus::Refused &&
                           outcome.refusal != importing::Refusal::Preparation;
    if (untouched && snapshot(database) != base.database) {
        std::fprintf(stderr, "a refused import changed the retail database\n");
        std::abort();
    }
}

// ---- seeds -------------------------------------------------------------------------------

void appendChunk(std::string& out, size_t number, std::string_view bytes) {
    out += static_cast<char>(number);
    out += static_cast<char>(bytes.size() & 0xFF);
    out += static_cast<char>((bytes.size() >> 8) & 0xFF);
    out += bytes.substr(0, 0xFFFF);
}

void makeSeeds() {
    const fs::path out = fs::path(TARVO_FUZZ_CORPUS_DIR) / "template_import";
    fs::create_directories(out);
    const Baseline& base = baseline();
    writeFile(out / "sample_set", std::string(1, '\x01'));
    for (size_t i = 0; i < base.templates.size(); ++i) {
        std::string seed(1, '\x01');
        appendChunk(seed, i, base.templates[i].second);
        std::string name = base.templates[i].first;
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        writeFile(out / name, seed);
    }
    std::printf("seeds written to %s\n", out.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    tarvo::fuzz::makeSeedsWhenAsked(*argc, *argv, makeSeeds);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    run(split(data, size));
    return 0;
}
