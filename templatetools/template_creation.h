#pragma once
// "Create" on a template page: an empty template file with the page's mandatory columns and the
// columns the user ticked, in page order, written through the table-creation routine.
//
// A column is written as the catalogue describes it, except where the import's structure check
// would refuse or warn about the file: then it gets the type and width of the import's layout, so
// that a template made with every column ticked always passes the check.

#include <string>
#include <vector>

#include "retaildb/file_routines.h"
#include "templatetools/column_catalogue.h"
#include "ui/user_interaction.h"
#include "xbase/table.h"

namespace tarvo::templatetools {

// The field "Create" writes for a row of the page.
xbase::FieldInfo createdField(const CataloguePage& page, const CatalogueRow& row);

// The rows "Create" writes: every mandatory row and every row whose tick is set (ticked[i] belongs
// to page.rows[i]; missing ticks count as not set), in page order, as 0-based row numbers.
std::vector<int> createdRows(const CataloguePage& page, const std::vector<bool>& ticked);

// The structure array of those rows.
retaildb::StructureArray createdStructure(const CataloguePage& page, const std::vector<bool>& ticked);

// Ticks for the named columns (matched ignoring case); `unknown` receives the names that are no
// row of the page.
std::vector<bool> ticksForColumns(const CataloguePage& page, const std::vector<std::string>& columns,
                                  std::vector<std::string>* unknown = nullptr);

enum class CreateOutcome {
    Created,    // the file was written; the "Berhasil" box was shown
    Failed,     // the creation failed; its own box and the "gagal dibuat" box were shown
    Kept,       // the file holds records and the user chose to keep it; nothing was written
    NoColumns,  // no mandatory column and none ticked: said so, nothing asked, nothing written
};

// The error "Create" shows when the page gives no column to write.
std::string noColumnsMessage(const std::string& path);

// BUTTONCREATE without its busy pointer: folder ends with a separator. A page that gives no column
// (none mandatory, none ticked) is refused with noColumnsMessage before anything else. A file of
// that name (in any case) that holds records is replaced only when the user agrees to the question
// "File <path> sudah ada dan berisi N record. Ganti?" (default No).
CreateOutcome createTemplate(ui::Owner owner, const std::string& folder, const CataloguePage& page,
                             const std::vector<bool>& ticked);

}  // namespace tarvo::templatetools
