#pragma once
// The workbook to fill in for templates: one sheet per template file, named like the file without
// ".DBF", with the catalogue's columns in page order.

#include <filesystem>
#include <string>
#include <vector>

#include "sheets/workbook_writer.h"
#include "templatetools/column_catalogue.h"

namespace tarvo::templatetools {

// The sheet of a template page: every row of the page with the field "Create" would write.
sheets::WorkbookSheet templateWorkbookSheet(const CataloguePage& page);

// The pages of the named templates (with or without ".DBF", any case; every page when the list is
// empty), in the order given; `unknown` receives names that are no template.
std::vector<const CataloguePage*> pagesNamed(const std::vector<std::string>& names, std::vector<std::string>& unknown);

// Writes the workbook; throws sheets::SheetError naming the file when it cannot be written.
void writeTemplateWorkbook(const std::filesystem::path& file, const std::vector<const CataloguePage*>& pages);

}  // namespace tarvo::templatetools
