#include "templatetools/template_creation.h"

#include "retaildb/run_points.h"
#include "templates/template_layouts.h"
#include "xbase/error.h"
#include "xbase/file_names.h"
#include "xbase/file_replacement.h"
#include "xbase/table.h"

namespace tarvo::templatetools {

xbase::FieldInfo createdField(const CataloguePage& page, const CatalogueRow& row) {
    xbase::FieldInfo field{row.field, row.type, row.length, row.decimals};
    for (const templates::DBSTRUCTTABLE& column : templates::templateLayout(page.templateName())) {
        if (column.CFIELD != row.field) continue;
        const bool otherType = column.CTYPE != std::string(1, row.type);
        const bool tooWide = column.CTYPE == "C" && row.length > column.WLEN;
        if (otherType || tooWide) field = {row.field, column.CTYPE[0], column.WLEN, column.WDEC};
        break;
    }
    return field;
}

std::vector<int> createdRows(const CataloguePage& page, const std::vector<bool>& ticked) {
    std::vector<int> rows;
    for (size_t i = 0; i < page.rows.size(); ++i)
        if (page.rows[i].mandatory || (i < ticked.size() && ticked[i])) rows.push_back(static_cast<int>(i));
    return rows;
}

retaildb::StructureArray createdStructure(const CataloguePage& page, const std::vector<bool>& ticked) {
    retaildb::StructureArray structure;
    for (int i : createdRows(page, ticked)) {
        const xbase::FieldInfo field = createdField(page, page.rows[static_cast<size_t>(i)]);
        structure.push_back(retaildb::structureField(field.name, std::string(1, field.type), field.length, field.decimals));
    }
    return structure;
}

std::vector<bool> ticksForColumns(const CataloguePage& page, const std::vector<std::string>& columns,
                                  std::vector<std::string>* unknown) {
    std::vector<bool> ticked(page.rows.size(), false);
    for (const std::string& column : columns) {
        const CatalogueRow* row = findCatalogueRow(page, column);
        if (row) ticked[static_cast<size_t>(row - page.rows.data())] = true;
        else if (unknown) unknown->push_back(column);
    }
    return ticked;
}

std::string noColumnsMessage(const std::string& path) {
    return "Belum ada kolom yang dipilih! File : " + path + " tidak dibuat.";
}

CreateOutcome createTemplate(ui::Owner owner, const std::string& folder, const CataloguePage& page,
                             const std::vector<bool>& ticked) {
    const std::string path = folder + page.fileName;
    // A table needs a column: said before the question about a filled file, and nothing is written.
    if (createdRows(page, ticked).empty()) {
        ui::BOXERROR(owner, noColumnsMessage(path));
        return CreateOutcome::NoColumns;
    }
    // A filled template is work of the user's: replacing it is the user's decision.
    const std::string existing = xbase::findIgnoringCase(folder, page.fileName).string();
    if (retaildb::VOFILE(existing)) {
        const uint32_t records = xbase::headerRecordCount(existing);
        if (records > 0 &&
            !ui::BOXASK(owner, "Yakin?",
                        "File " + path + " sudah ada dan berisi " + std::to_string(records) + " record. Ganti?", 2))
            return CreateOutcome::Kept;
    }
    // Written beside the old file and renamed over it: a crash leaves the old template or the new.
    bool created = false;
    try {
        xbase::FileReplacement replacement(folder, xbase::FileReplacement::MissingFolder::Refuse);
        created = retaildb::VOCreate(owner, (replacement.workFolder() / page.fileName).string(),
                                     createdStructure(page, ticked));
        if (created)
            replacement.commit({page.fileName}, retaildb::replacePoint);
    } catch (const xbase::Error& e) {
        ui::BOXERROR(owner, e.what());
        created = false;
    }
    if (!created) {
        ui::BOXERROR(owner, "File : " + path + " gagal dibuat !");
        return CreateOutcome::Failed;
    }
    ui::BOXINFO(owner, "Berhasil", "File : " + path + " berhasil dibuat !");
    return CreateOutcome::Created;
}

}  // namespace tarvo::templatetools
