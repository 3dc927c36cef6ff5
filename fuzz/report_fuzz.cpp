// Converts printed reports made from the input into templates: the input up to its first NUL byte
// is ITEM.TXT, the rest CUST.TXT. Every outcome must be two templates or an error message of the
// converter, never a crash, a hang or a leak; what was written must open again with one record
// per data line the converter counted.
//
// `report_fuzz --make-seeds` writes the seed corpus to fuzz/corpus/report and exits.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "converters/report_converter.h"
#include "fuzz/fuzz_support.h"
#include "xbase/settings.h"
#include "xbase/table.h"

namespace {

namespace fs = std::filesystem;
using tarvo::fuzz::writeFile;

uint32_t recordCount(const fs::path& path) { return tarvo::xbase::Table::open(path, {})->recCount(); }

// A line of `length` characters with the text at its start.
std::string line(std::string_view text, size_t length) {
    std::string out(text);
    out.resize(length, ' ');
    return out;
}

void makeSeeds() {
    const fs::path corpus = fs::path(TARVO_FUZZ_CORPUS_DIR) / "report";
    fs::create_directories(corpus);
    std::string item = line("A-1           SABUN MANDI", 62) + "       1,250,000.00          12.00";
    std::string customer = line("00001 C-001     TOKO MAJU", 71) + "  15,000,000.00                 2.50    10.00  0.00   12.75";
    std::string second = line("      JL. MERDEKA 17", 71) + "061-4567890                    01.234.567.8   PAK BUDI";
    writeFile(corpus / "page",
              "ITEM LIST Page 1\r\n" + std::string(130, '-') + "\r\n" + line(item, 130) + "\r\n" + line(item, 121) +
                  "\n" + line(item, 120) + "\r\n" + line(item, 130) + "SUBTOTAL\r\n" + std::string(1, '\0') +
                  "CUSTOMER LIST\r\n" + line(customer, 140) + "\r\n" + second + "\r\n" + line(customer, 131));
    writeFile(corpus / "empty_customers", line(item, 125) + std::string(1, '\0'));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    tarvo::fuzz::makeSeedsWhenAsked(*argc, *argv, makeSeeds);
    tarvo::xbase::applyStartupSettings();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    const fs::path& folder = tarvo::fuzz::workFolder("report_fuzz");
    writeFile(folder / "ITEM.TXT", input.substr(0, split));
    writeFile(folder / "CUST.TXT", split == std::string_view::npos ? std::string_view{} : input.substr(split + 1));

    const tarvo::converters::ReportConversion conversion = tarvo::converters::convertReports(nullptr, folder.string());
    if (tarvo::xbase::settings().decimalSep != ',') std::abort();  // the separators must come back
    if (conversion.done && (recordCount(folder / "ITEM.DBF") != conversion.itemRecords ||
                            recordCount(folder / "PELANG.DBF") != conversion.customerRecords))
        std::abort();
    return 0;
}
