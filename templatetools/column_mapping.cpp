#include "templatetools/column_mapping.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "sheets/sheet_rows.h"

namespace tarvo::templatetools {

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

std::string textOf(const json& object, const char* key, const std::string& place) {
    const auto it = object.find(key);
    if (it == object.end() || it->is_null()) return "";
    if (!it->is_string()) throw MappingError(place + ": \"" + key + "\" is not a text");
    return it->get<std::string>();
}

bool isColumnLetters(const std::string& text) {
    int column = 0;
    long row = 0;
    return !text.empty() && text.size() <= 3 && sheets::parseCellReference(text + "1", column, row);
}

MappingSheet sheetFromJson(const json& entry, const std::string& origin) {
    if (!entry.is_object()) throw MappingError(origin + ": every entry of \"sheets\" must be an object");
    MappingSheet sheet;
    sheet.sheet = textOf(entry, "sheet", origin);
    if (sheet.sheet.empty()) throw MappingError(origin + ": an entry of \"sheets\" has no \"sheet\"");
    const std::string place = origin + ", sheet " + sheet.sheet;
    sheet.templateName = textOf(entry, "template", place);
    const CataloguePage* page = nullptr;
    if (!sheet.templateName.empty()) {
        page = findCataloguePage(sheet.templateName);
        if (!page) throw MappingError(place + ": no template " + sheet.templateName);
        sheet.templateName = page->templateName();
    }
    const auto row = entry.find("header_row");
    if (row != entry.end()) {
        if (!row->is_number_integer() || row->get<long>() < 1) throw MappingError(place + ": \"header_row\" must be a row number");
        sheet.headerRow = row->get<long>();
    }
    const auto columns = entry.find("columns");
    if (columns == entry.end()) return sheet;
    if (!columns->is_array()) throw MappingError(place + ": \"columns\" must be a list");
    for (const json& item : *columns) {
        if (!item.is_object()) throw MappingError(place + ": every entry of \"columns\" must be an object");
        MappingColumn column{textOf(item, "column", place), textOf(item, "header", place), textOf(item, "field", place)};
        if (column.letter.empty() && column.header.empty())
            throw MappingError(place + ": a column needs its \"column\" letter or its \"header\"");
        if (!column.letter.empty() && !isColumnLetters(column.letter))
            throw MappingError(place + ": \"" + column.letter + "\" is no column letter");
        if (!column.field.empty()) {
            if (!page) throw MappingError(place + ": columns given to fields, but no template");
            const CatalogueRow* field = findCatalogueRow(*page, column.field);
            if (!field) throw MappingError(place + ": " + page->templateName() + " has no column " + column.field);
            column.field = field->field;
            for (const MappingColumn& other : sheet.columns)
                if (other.field == column.field) throw MappingError(place + ": " + column.field + " given to two columns");
        }
        sheet.columns.push_back(std::move(column));
    }
    return sheet;
}

}  // namespace

const MappingSheet* ColumnMapping::find(const std::string& sheet) const {
    for (const MappingSheet& s : sheets)
        if (s.sheet == sheet) return &s;
    return nullptr;
}

bool needsNoReview(const MappingSheet& sheet) {
    if (sheet.templateName.empty()) return true;
    const CataloguePage* named = findCataloguePage(sheet.sheet);
    if (!named || named->templateName() != sheet.templateName) return false;
    for (const MappingColumn& column : sheet.columns)
        if (column.field.empty() || normalisedHeader(column.header) != normalisedHeader(column.field)) return false;
    return true;
}

MappingSheet mappingOf(const SheetProposal& proposal) {
    MappingSheet sheet;
    sheet.sheet = proposal.sheet;
    sheet.templateName = proposal.page ? proposal.page->templateName() : "";
    sheet.headerRow = std::max(proposal.headerRow, 1L);
    for (const ColumnMatch& match : proposal.columns)
        sheet.columns.push_back({sheets::columnLetters(match.column), match.header, match.field});
    return sheet;
}

std::string mappingToJson(const ColumnMapping& mapping) {
    json sheets = json::array();
    for (const MappingSheet& sheet : mapping.sheets) {
        json columns = json::array();
        for (const MappingColumn& column : sheet.columns) {
            json item = json::object();
            if (!column.letter.empty()) item["column"] = column.letter;
            if (!column.header.empty()) item["header"] = column.header;
            item["field"] = column.field;
            columns.push_back(std::move(item));
        }
        json entry = json::object();
        entry["sheet"] = sheet.sheet;
        entry["template"] = sheet.templateName;
        entry["header_row"] = sheet.headerRow;
        entry["columns"] = std::move(columns);
        sheets.push_back(std::move(entry));
    }
    json document = json::object();
    document["sheets"] = std::move(sheets);
    return document.dump(2) + "\n";
}

ColumnMapping mappingFromJson(const std::string& text, const std::string& origin) {
    const json document = json::parse(text, nullptr, false);
    if (document.is_discarded()) throw MappingError(origin + ": not a JSON column mapping");
    if (!document.is_object() || !document.contains("sheets") || !document["sheets"].is_array())
        throw MappingError(origin + ": a column mapping needs a list \"sheets\"");
    ColumnMapping mapping;
    for (const json& entry : document["sheets"]) {
        MappingSheet sheet = sheetFromJson(entry, origin);
        if (mapping.find(sheet.sheet)) throw MappingError(origin + ": sheet " + sheet.sheet + " given twice");
        mapping.sheets.push_back(std::move(sheet));
    }
    return mapping;
}

ColumnMapping readMappingFile(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw MappingError(file.string() + ": cannot be read");
    std::ostringstream text;
    text << in.rdbuf();
    return mappingFromJson(text.str(), file.string());
}

void writeMappingFile(const fs::path& file, const ColumnMapping& mapping) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << mappingToJson(mapping);
    out.close();
    if (!out) throw MappingError(file.string() + ": cannot be written");
}

fs::path defaultMappingFile(const fs::path& source) {
    std::error_code error;
    if (fs::is_directory(source, error)) return source / "mapping.json";
    fs::path file = source;
    return file.replace_filename(source.stem().string() + ".mapping.json");
}

}  // namespace tarvo::templatetools
