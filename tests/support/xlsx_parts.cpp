#include "tests/support/xlsx_parts.h"

#include <zip.h>

#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace tarvo::test {

namespace {

void addText(zip_t* zip, const std::string& name, const std::string& text, bool replace) {
    // libzip takes no ownership of an empty buffer.
    void* bytes = text.empty() ? nullptr : std::malloc(text.size());
    if (bytes) std::memcpy(bytes, text.data(), text.size());
    zip_source_t* data = zip_source_buffer(zip, bytes, text.size(), bytes != nullptr);
    if (!data) {
        std::free(bytes);
        throw std::runtime_error("cannot add " + name);
    }
    const zip_int64_t index = replace ? zip_name_locate(zip, name.c_str(), 0) : -1;
    const bool added = replace ? index >= 0 && zip_file_replace(zip, static_cast<zip_uint64_t>(index), data, 0) == 0
                               : zip_file_add(zip, name.c_str(), data, ZIP_FL_OVERWRITE) >= 0;
    if (!added) {
        zip_source_free(data);
        throw std::runtime_error("cannot write part " + name);
    }
}

std::string escape(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&') out += "&amp;";
        else if (c == '<') out += "&lt;";
        else if (c == '>') out += "&gt;";
        else if (c == '"') out += "&quot;";
        else out += c;
    }
    return out;
}

}  // namespace

void writeZip(const std::filesystem::path& path, const XlsxParts& parts) {
    std::filesystem::remove(path);
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!zip) throw std::runtime_error("cannot create " + path.string());
    for (const auto& [name, text] : parts) addText(zip, name, text, false);
    if (zip_close(zip) < 0) throw std::runtime_error("cannot write " + path.string());
}

void replacePart(const std::filesystem::path& path, const std::string& part, const std::string& text) {
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), 0, &error);
    if (!zip) throw std::runtime_error("cannot open " + path.string());
    addText(zip, part, text, true);
    if (zip_close(zip) < 0) throw std::runtime_error("cannot write " + path.string());
}

std::string readPart(const std::filesystem::path& path, const std::string& part) {
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (!zip) throw std::runtime_error("cannot open " + path.string());
    zip_file_t* file = zip_fopen(zip, part.c_str(), 0);
    if (!file) {
        zip_discard(zip);
        throw std::runtime_error("no part " + part);
    }
    std::string text;
    char block[65536];
    zip_int64_t got;
    while ((got = zip_fread(file, block, sizeof block)) > 0) text.append(block, static_cast<size_t>(got));
    zip_fclose(file);
    zip_discard(zip);
    return text;
}

XlsxParts workbookParts(const WorkbookLayout& layout) {
    const std::string ns = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    const std::string relNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    XlsxParts parts;
    parts["[Content_Types].xml"] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\"/>";
    parts["_rels/.rels"] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" Type=\"" + relNs + "/officeDocument\" Target=\"xl/workbook.xml\"/></Relationships>";
    std::string workbook = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><workbook xmlns=\"" + ns + "\" xmlns:r=\"" + relNs + "\">";
    if (layout.date1904) workbook += "<workbookPr date1904=\"1\"/>";
    workbook += "<sheets>";
    std::string rels = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (size_t i = 0; i < layout.sheets.size(); ++i) {
        const std::string n = std::to_string(i + 1);
        workbook += "<sheet name=\"" + escape(layout.sheets[i].first) + "\" sheetId=\"" + n + "\" r:id=\"rId" + n + "\"/>";
        rels += "<Relationship Id=\"rId" + n + "\" Type=\"" + relNs + "/worksheet\" Target=\"worksheets/sheet" + n + ".xml\"/>";
        parts["xl/worksheets/sheet" + n + ".xml"] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><worksheet xmlns=\"" + ns +
                                                    "\"><sheetData>" + layout.sheets[i].second + "</sheetData>" +
                                                    layout.afterSheetData + "</worksheet>";
    }
    workbook += "</sheets></workbook>";
    rels += "<Relationship Id=\"rIdS\" Type=\"" + relNs + "/sharedStrings\" Target=\"sharedStrings.xml\"/>";
    rels += "<Relationship Id=\"rIdT\" Type=\"" + relNs + "/styles\" Target=\"styles.xml\"/></Relationships>";
    parts["xl/workbook.xml"] = workbook;
    parts["xl/_rels/workbook.xml.rels"] = rels;
    std::string strings = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><sst xmlns=\"" + ns + "\">";
    for (const std::string& s : layout.sharedStrings) strings += s.starts_with("<") ? "<si>" + s + "</si>" : "<si><t>" + escape(s) + "</t></si>";
    parts["xl/sharedStrings.xml"] = strings + "</sst>";
    std::string styles = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><styleSheet xmlns=\"" + ns + "\"><numFmts>";
    for (const auto& [id, code] : layout.numberFormats)
        styles += "<numFmt numFmtId=\"" + std::to_string(id) + "\" formatCode=\"" + escape(code) + "\"/>";
    styles += "</numFmts><cellXfs>";
    for (const int id : layout.cellStyles) styles += "<xf numFmtId=\"" + std::to_string(id) + "\"/>";
    parts["xl/styles.xml"] = styles + "</cellXfs></styleSheet>";
    return parts;
}

}  // namespace tarvo::test
