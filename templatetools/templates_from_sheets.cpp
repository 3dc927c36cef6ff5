#include "templatetools/templates_from_sheets.h"

#include <map>

#include "templates/template_layouts.h"
#include "templatetools/template_creation.h"

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

sheets::SheetsToTablesOutcome templatesFromSheets(ui::Owner owner, const std::string& source, const std::string& folder,
                                                  const sheets::ConversionOptions& options) {
    std::map<std::string, sheets::SheetLayout> layouts;
    for (const CataloguePage& page : catalogue()) layouts.emplace(page.templateName(), templateSheetLayout(page));

    sheets::SheetsToTablesRequest request;
    request.source = source;
    request.folder = folder;
    request.options = options;
    request.layoutOf = [&](const std::string& name) -> const sheets::SheetLayout* {
        const auto it = layouts.find(name);
        return it == layouts.end() ? nullptr : &it->second;
    };
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
    return sheets::sheetsToTables(request);
}

}  // namespace tarvo::templatetools
