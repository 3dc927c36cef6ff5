// "make-ipos-db": an iPOS-shaped database as an SQLite file, to be imported through SQLite's ODBC
// driver with "import --from ipos --odbc".

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "app/cli/commands.h"
#include "importers/ipos/sample_database.h"

namespace tarvo::cli {

int makeIposDbCommand(const Arguments& args) {
    constexpr const char* kUsage =
        "usage: tarvo-import-cli make-ipos-db FILE [--items N] [--invoices N] [--cash-sales N] [--salesmen N]\n"
        "         [--seed S]\n";
    if (args.empty() || args[0].rfind("--", 0) == 0) return std::fputs(kUsage, stderr), 2;
    importers::ipos::SampleShop shop;
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return std::fputs(kUsage, stderr), 2;
        char* end = nullptr;
        const unsigned long n = std::strtoul(args[i + 1].c_str(), &end, 10);
        if (*end != '\0' || args[i + 1].empty()) return std::fputs(kUsage, stderr), 2;
        const auto count = static_cast<uint32_t>(n);
        if (args[i] == "--items") shop.items = count;
        else if (args[i] == "--invoices") shop.invoices = count;
        else if (args[i] == "--cash-sales") shop.cashSales = count;
        else if (args[i] == "--salesmen") shop.salesmen = count;
        else if (args[i] == "--seed") shop.seed = count;
        else return std::fputs(kUsage, stderr), 2;
    }
    try {
        importers::ipos::writeSampleShop(args[0], shop);
    } catch (const std::runtime_error& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    std::printf("iPOS database written to %s (%u items, %u invoices, %u cash-register sales)\n", args[0].c_str(),
                shop.items, shop.invoices, shop.cashSales);
    return 0;
}

}  // namespace tarvo::cli
