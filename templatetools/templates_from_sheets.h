#pragma once
// Templates from a filled workbook or a folder of CSV files: each sheet becomes the template its
// column mapping gives it (by default the one its name names, or its columns suggest), with the
// catalogue's columns that the sheet has, in page order (columns the sheet lacks are left out, as
// "Create" leaves out unticked rows; columns no template column fits are passed over and listed).
// Every cell is checked before anything is written; with any error the template folder stays as
// it was.

#include <map>
#include <string>

#include "sheets/sheet_columns.h"
#include "sheets/sheets_to_tables.h"
#include "templatetools/column_mapping.h"
#include "templatetools/column_catalogue.h"
#include "ui/user_interaction.h"

namespace tarvo::templatetools {

// The columns a template's sheet may have: the catalogue's rows with the fields "Create" writes;
// a column the import's structure check requires must be in the sheet.
sheets::SheetLayout templateSheetLayout(const CataloguePage& page);

// How a sheet is read under its entry of a mapping (nullptr: the mapping has none).
sheets::SheetPlan sheetPlan(const MappingSheet* sheet);

// The layout of every template by name.
const std::map<std::string, sheets::SheetLayout>& templateSheetLayouts();

// Reads the source into the folder with the mapping (nullptr: mappingFor(source)). Before
// existing templates are replaced the user is asked "File template berikut sudah ada dan akan
// diganti: ... Lanjutkan?" (default No); progress goes to the installed interaction. With
// `checkOnly` every check is made and nothing is written.
sheets::SheetsToTablesOutcome templatesFromSheets(ui::Owner owner, const std::string& source, const std::string& folder,
                                                  const sheets::ConversionOptions& options = {},
                                                  const ColumnMapping* mapping = nullptr, bool checkOnly = false);

}  // namespace tarvo::templatetools
