#pragma once
// The source tables of an importer: which files it needs, under which aliases it opens them, and
// the columns it reads with the kind of value each must hold. They are tested, opened and checked
// before anything of the retail database is touched.

#include <string>
#include <vector>

#include "ui/user_interaction.h"

namespace tarvo::importers {

enum class ColumnKind { Text, Number };

struct SourceColumn {
    std::string name;
    ColumnKind kind = ColumnKind::Text;
    // Required unless optional; an optional column with a companion is required when the
    // companion column is present (MASUK1 goes with AWAL1).
    bool optional = false;
    std::string companion;
};

SourceColumn requiredColumn(std::string name, ColumnKind kind);
SourceColumn optionalColumn(std::string name, ColumnKind kind, std::string companion = {});
// Columns of one kind, all required.
std::vector<SourceColumn> textColumns(std::initializer_list<const char*> names);
std::vector<SourceColumn> numberColumns(std::initializer_list<const char*> names);

enum class Presence {
    Tested,    // missing: the error box with the presence message and the folder
    Opened,    // missing: the table-open routine's own message
    Optional,  // missing: left out
};

struct SourceTable {
    std::string file;     // "MSBRG.DBF"
    std::string alias;    // "MSBRG"
    Presence presence = Presence::Tested;
    std::vector<SourceColumn> columns;
};

// "File " + file + " tidak ditemukan di Lokasi: ".
std::string presenceMessage(const std::string& file);

// Whether the file is in the folder (its name matched ignoring case).
bool sourceFileExists(const std::string& folder, const std::string& file);

// The start of a run: every table with a presence test is tested in order, then every table is
// opened in order (exclusive, writable, with the driver; an optional one only when its file
// exists) and its columns are checked: a required column must be there, and a column that is
// there must hold its kind of value. False after the message of the first failure, which names
// the file (and the column); the tables opened before it stay open.
bool openSourceTables(ui::Owner owner, const std::string& folder, const std::string& driver,
                      const std::vector<SourceTable>& tables);

}  // namespace tarvo::importers
