#pragma once
// A small writer of .xlsx files from their XML parts, for workbooks that a spreadsheet program
// would rarely write (formulas without results, prefixed names, 1904 dates, damaged parts).

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace tarvo::test {

using XlsxParts = std::map<std::string, std::string>;

// Writes the parts as a ZIP archive.
void writeZip(const std::filesystem::path& path, const XlsxParts& parts);

// The parts of a workbook with these sheets (name and the XML inside <sheetData>), shared
// strings, number formats and cell styles (numFmtId per style), and the 1904 date system.
struct WorkbookLayout {
    std::vector<std::pair<std::string, std::string>> sheets;
    std::vector<std::string> sharedStrings;
    std::vector<std::pair<int, std::string>> numberFormats;
    std::vector<int> cellStyles{0};
    bool date1904 = false;
    std::string afterSheetData;  // XML after </sheetData>, such as <mergeCells>
};
XlsxParts workbookParts(const WorkbookLayout& layout);

// Replaces one part of an existing archive.
void replacePart(const std::filesystem::path& path, const std::string& part, const std::string& text);
// The text of one part of an archive.
std::string readPart(const std::filesystem::path& path, const std::string& part);

}  // namespace tarvo::test
