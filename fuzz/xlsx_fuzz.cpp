// Reads a workbook made from the input and walks every row of every sheet. Every outcome must be
// rows or a SheetError, never a crash, a hang or a leak.
//
// Input: a mode byte, then bytes. Mode 0: the bytes are the whole .xlsx file (damaged archives).
// Modes 1-4: the bytes are one part of an otherwise sound workbook: 1 the sheet's XML, 2 the
// shared strings, 3 the styles, 4 the workbook part.

#include <unistd.h>
#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "sheets/cell_conversion.h"
#include "sheets/xlsx_workbook.h"

namespace {

namespace fs = std::filesystem;
using namespace tarvo::sheets;

const char* kNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* kRel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

std::map<std::string, std::string> soundParts() {
    const std::string ns = kNs, rel = kRel;
    return {
        {"_rels/.rels", "<Relationships><Relationship Id=\"r1\" Type=\"" + rel + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>"},
        {"xl/workbook.xml", "<workbook xmlns=\"" + ns + "\" xmlns:r=\"" + rel + "\"><sheets><sheet name=\"ITEM\" r:id=\"r1\"/></sheets></workbook>"},
        {"xl/_rels/workbook.xml.rels",
         "<Relationships><Relationship Id=\"r1\" Type=\"" + rel + "/worksheet\" Target=\"worksheets/sheet1.xml\"/>"
         "<Relationship Id=\"r2\" Type=\"" + rel + "/sharedStrings\" Target=\"sharedStrings.xml\"/>"
         "<Relationship Id=\"r3\" Type=\"" + rel + "/styles\" Target=\"styles.xml\"/></Relationships>"},
        {"xl/worksheets/sheet1.xml",
         "<worksheet><sheetData><row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" s=\"1\"><v>45000</v></c></row>"
         "</sheetData><mergeCells><mergeCell ref=\"A3:B4\"/></mergeCells></worksheet>"},
        {"xl/sharedStrings.xml", "<sst><si><t>KODE</t></si><si><r><t>a</t></r></si></sst>"},
        {"xl/styles.xml", "<styleSheet><numFmts><numFmt numFmtId=\"164\" formatCode=\"dd/mm/yyyy\"/></numFmts>"
                          "<cellXfs><xf numFmtId=\"0\"/><xf numFmtId=\"164\"/></cellXfs></styleSheet>"},
    };
}

void writeZip(const fs::path& path, const std::map<std::string, std::string>& parts) {
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) std::abort();
    for (const auto& [name, text] : parts) {
        // libzip takes no ownership of an empty buffer.
        void* bytes = text.empty() ? nullptr : std::malloc(text.size());
        if (bytes) std::memcpy(bytes, text.data(), text.size());
        zip_source_t* source = zip_source_buffer(zip, bytes, text.size(), bytes != nullptr);
        if (!source || zip_file_add(zip, name.c_str(), source, ZIP_FL_OVERWRITE) < 0) std::abort();
    }
    if (zip_close(zip) < 0) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    static const fs::path file = fs::temp_directory_path() / ("xlsx_fuzz_" + std::to_string(::getpid()) + ".xlsx");
    const std::string bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int mode = data[0] % 5;
    if (mode == 0) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
    } else {
        auto parts = soundParts();
        static const char* names[] = {"", "xl/worksheets/sheet1.xml", "xl/sharedStrings.xml", "xl/styles.xml",
                                      "xl/workbook.xml"};
        parts[names[mode]] = bytes;
        writeZip(file, parts);
    }
    try {
        XlsxWorkbook book(file);
        for (const std::string& name : book.sheetNames()) {
            auto source = book.openSheet(name);
            Row row;
            while (source->next(row))
                for (const Cell& cell : row.cells)
                    for (const char type : {'C', 'N', 'D', 'L'}) convertCell(&cell, {"F", type, 10, 2}, true);
            (void)source->mergedRanges();
        }
    } catch (const SheetError&) {
    }
    return 0;
}
