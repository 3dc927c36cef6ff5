#include "importers/source_tables.h"

#include <filesystem>

#include "importing/source_opening.h"
#include "retaildb/file_routines.h"
#include "xbase/file_names.h"
#include "xbase/work_areas.h"

namespace tarvo::importers {

namespace {

std::vector<SourceColumn> columnsOf(std::initializer_list<const char*> names, ColumnKind kind) {
    std::vector<SourceColumn> columns;
    for (const char* name : names) columns.push_back(SourceColumn{name, kind, false, {}});
    return columns;
}

bool holds(char type, ColumnKind kind) {
    if (kind == ColumnKind::Text) return type == 'C';
    return type == 'N' || type == 'F' || type == 'I' || type == 'B' || type == 'Y';
}

// The columns the importer reads, against the open table's structure.
bool columnsChecked(ui::Owner owner, const std::string& path, const xbase::Table& table,
                    const std::vector<SourceColumn>& columns) {
    for (const SourceColumn& column : columns) {
        const int pos = table.fieldPos(column.name);
        if (pos == 0) {
            const bool required =
                !column.optional || (!column.companion.empty() && table.fieldPos(column.companion) != 0);
            if (!required) continue;
            ui::BOXERROR(owner, "Kolom " + column.name + " tidak ada di file " + path + " !");
            return false;
        }
        if (!holds(table.field(pos).type, column.kind)) {
            const char* kind = column.kind == ColumnKind::Text ? "karakter" : "angka";
            ui::BOXERROR(owner, "Kolom " + column.name + " di file " + path + " harus bertipe " + kind + " !");
            return false;
        }
    }
    return true;
}

}  // namespace

SourceColumn requiredColumn(std::string name, ColumnKind kind) { return SourceColumn{std::move(name), kind, false, {}}; }

SourceColumn optionalColumn(std::string name, ColumnKind kind, std::string companion) {
    return SourceColumn{std::move(name), kind, true, std::move(companion)};
}

std::vector<SourceColumn> textColumns(std::initializer_list<const char*> names) {
    return columnsOf(names, ColumnKind::Text);
}

std::vector<SourceColumn> numberColumns(std::initializer_list<const char*> names) {
    return columnsOf(names, ColumnKind::Number);
}

std::string presenceMessage(const std::string& file) { return "File " + file + " tidak ditemukan di Lokasi: "; }

bool sourceFileExists(const std::string& folder, const std::string& file) {
    return retaildb::VOFILE(xbase::findIgnoringCase(folder.empty() ? "." : folder, file).string());
}

bool openSourceTables(ui::Owner owner, const std::string& folder, const std::string& driver,
                      const std::vector<SourceTable>& tables) {
    for (const SourceTable& table : tables) {
        if (table.presence == Presence::Tested && !sourceFileExists(folder, table.file)) {
            ui::BOXERROR(owner, presenceMessage(table.file) + folder);
            return false;
        }
    }
    for (const SourceTable& table : tables) {
        if (table.presence == Presence::Optional && !sourceFileExists(folder, table.file)) continue;
        if (!importing::openImportedTable(owner, table.file, table.alias, folder, driver)) return false;
        if (!columnsChecked(owner, folder + table.file, *xbase::workAreas().find(table.alias), table.columns))
            return false;
    }
    return true;
}

}  // namespace tarvo::importers
