// Reads the input as a CSV file and converts every cell for a column of each type. Every outcome
// must be rows or a SheetError, never a crash, a hang or a leak.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "sheets/cell_conversion.h"
#include "sheets/csv_sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    namespace fs = std::filesystem;
    using namespace tarvo::sheets;
    static const fs::path file = fs::temp_directory_path() / ("csv_fuzz_" + std::to_string(::getpid()) + ".csv");
    std::ofstream(file, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                    static_cast<std::streamsize>(size));
    try {
        CsvSheet sheet(file);
        Row row;
        while (sheet.next(row))
            for (const Cell& cell : row.cells)
                for (const char type : {'C', 'N', 'D', 'L'}) convertCell(&cell, {"F", type, 6, 2}, false, {.truncate = true});
    } catch (const SheetError&) {
    }
    return 0;
}
