#include "templatetools/template_workbook.h"

#include "templatetools/template_creation.h"

namespace tarvo::templatetools {

sheets::WorkbookSheet templateWorkbookSheet(const CataloguePage& page) {
    sheets::WorkbookSheet sheet;
    sheet.name = page.templateName();
    sheet.title = page.title;
    sheet.colour = static_cast<uint32_t>(page.background.red << 16 | page.background.green << 8 | page.background.blue);
    for (const CatalogueRow& row : page.rows)
        sheet.columns.push_back({createdField(page, row), row.mandatory, row.defaultValue, row.description});
    return sheet;
}

std::vector<const CataloguePage*> pagesNamed(const std::vector<std::string>& names, std::vector<std::string>& unknown) {
    std::vector<const CataloguePage*> pages;
    if (names.empty()) {
        for (const CataloguePage& page : catalogue()) pages.push_back(&page);
        return pages;
    }
    for (const std::string& name : names) {
        const CataloguePage* page = findCataloguePage(name);
        if (page) pages.push_back(page);
        else unknown.push_back(name);
    }
    return pages;
}

void writeTemplateWorkbook(const std::filesystem::path& file, const std::vector<const CataloguePage*>& pages) {
    std::vector<sheets::WorkbookSheet> sheets;
    for (const CataloguePage* page : pages) sheets.push_back(templateWorkbookSheet(*page));
    sheets::writeWorkbook(file, sheets);
}

}  // namespace tarvo::templatetools
