#pragma once
// Templates from a filled workbook or a folder of CSV files: each sheet named like a template file
// becomes that template, with the catalogue's columns that the sheet has, in page order (columns
// the sheet lacks are left out, as "Create" leaves out unticked rows). Every cell is checked
// before anything is written; with any error the template folder stays as it was.

#include <string>

#include "sheets/sheet_columns.h"
#include "sheets/sheets_to_tables.h"
#include "templatetools/column_catalogue.h"
#include "ui/user_interaction.h"

namespace tarvo::templatetools {

// The columns a template's sheet may have: the catalogue's rows with the fields "Create" writes;
// a column the import's structure check requires must be in the sheet.
sheets::SheetLayout templateSheetLayout(const CataloguePage& page);

// Reads the source into the folder. Before existing templates are replaced the user is asked
// "File template berikut sudah ada dan akan diganti: ... Lanjutkan?" (default No); progress goes
// to the installed interaction.
sheets::SheetsToTablesOutcome templatesFromSheets(ui::Owner owner, const std::string& source, const std::string& folder,
                                                  const sheets::ConversionOptions& options = {});

}  // namespace tarvo::templatetools
