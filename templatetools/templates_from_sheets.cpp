#include "templatetools/templates_from_sheets.h"

#include <algorithm>
#include <map>

#include "retaildb/run_points.h"
#include "templates/template_layouts.h"
#include "templatetools/mapping_proposal.h"
#include "templatetools/template_creation.h"
#include "sheets/sheet_rows.h"

namespace tarvo::templatetools {

sheets::SheetLayout templateSheetLayout(const CataloguePage& page) {
    sheets::SheetLayout layout;
    layout.name = page.templateName();
    const std::vector<templates::DBSTRUCTTABLE> checked = templates::templateLayout(layout.name);
    for (const CatalogueRow& row : page.rows) {
        sheets::SheetColumn& column = layout.columns.emplace_back();
        column.field = createdField(page, row);
        column.mandatory = row.mandatory;
        for (const templates::DBSTRUCTTABLE& c : checked)
            if (c.CFIELD == row.field) column.required = c.LWAJIB;
    }
    return layout;
}

const std::map<std::string, sheets::SheetLayout>& templateSheetLayouts() {
    static const std::map<std::string, sheets::SheetLayout> layouts = [] {
        std::map<std::string, sheets::SheetLayout> all;
        for (const CataloguePage& page : catalogue()) all.emplace(page.templateName(), templateSheetLayout(page));
        return all;
    }();
    return layouts;
}

sheets::SheetPlan sheetPlan(const MappingSheet* sheet) {
    const std::map<std::string, sheets::SheetLayout>& layouts = templateSheetLayouts();
    sheets::SheetPlan plan;
    if (!sheet) {
        plan.passedOver = "not in the column mapping";
        return plan;
    }
    const auto layout = layouts.find(sheet->templateName);
    if (layout == layouts.end()) {
        plan.passedOver = "no template of that name";
        return plan;
    }
    plan.table = sheet->templateName;
    plan.layout = &layout->second;
    plan.headerRow = sheet->headerRow;
    const std::vector<sheets::SheetColumn>& columns = layout->second.columns;
    for (const MappingColumn& column : sheet->columns) {
        int at = -1;
        long row = 0;
        if (!column.letter.empty()) sheets::parseCellReference(column.letter + "1", at, row);
        const std::string named = sheet->sheet + " column " + (column.header.empty() ? column.letter : column.header) +
                                  (at >= 0 && !column.header.empty() ? " (" + column.letter + ")" : "");
        if (column.field.empty()) {
            plan.notes.push_back(named + " passed over: no template column");
            continue;
        }
        // What a header of the shop's own words was taken for, so that a wrong match is seen.
        if (!column.header.empty() && normalisedHeader(column.header) != normalisedHeader(column.field))
            plan.notes.push_back(named + " read as " + column.field);
        const auto field = std::find_if(columns.begin(), columns.end(),
                                        [&](const sheets::SheetColumn& c) { return c.field.name == column.field; });
        plan.columns.push_back({at, column.header, static_cast<int>(field - columns.begin())});
    }
    return plan;
}

sheets::SheetsToTablesOutcome templatesFromSheets(ui::Owner owner, const std::string& source, const std::string& folder,
                                                  const sheets::ConversionOptions& options, const ColumnMapping* mapping,
                                                  bool checkOnly) {
    ColumnMapping found;
    if (!mapping) {
        try {
            found = mappingFor(source);
        } catch (const std::exception& e) {  // a mapping that cannot be read, a source that is no workbook
            sheets::SheetsToTablesOutcome outcome;
            outcome.problems.error("", 0, "", -1, "", e.what());
            return outcome;
        }
        mapping = &found;
    }
    sheets::SheetsToTablesRequest request;
    request.source = source;
    request.folder = folder;
    request.options = options;
    request.checkOnly = checkOnly;
    request.planOf = [&](const std::string& name) { return sheetPlan(mapping->find(name)); };
    request.confirmReplace = [&](const std::vector<std::string>& replaced) {
        std::string names;
        for (const std::string& name : replaced) names += "\r\n" + name;
        return ui::BOXASK(owner, "Tarvo-Import",
                          "File template berikut sudah ada dan akan diganti:" + names + "\r\n\r\nLanjutkan?", 2);
    };
    request.progress = [](const std::string& sheet, long row) {
        ui::interaction().progressText(1, "Sheet " + sheet + " baris " + std::to_string(row));
        ui::interaction().letEventsThrough();
    };
    request.beforeReplace = retaildb::replacePoint;
    return sheets::sheetsToTables(request);
}

}  // namespace tarvo::templatetools
