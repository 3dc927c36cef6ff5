#pragma once
// Where the retail database is, opening tables, and preparing the database before an import
// and closing it after.

#include <chrono>
#include <functional>
#include <cstdint>
#include <string>
#include <vector>

#include "ui/user_interaction.h"

namespace tarvo::retaildb {

// The ST_DB folder (ending in the separator) that the folder text names, whether or not it
// exists; no checks and no messages.
std::string databaseFolderOf(const std::string& folderText);
// The ST_DB folder (ending in the separator) resolved from the folder text the user typed, or
// an empty text after an error box when it is refused.
std::string LOKASIDATAEX(ui::Owner owner, const std::string& folderText);
// Resolves the folder and prepares the database: index files deleted, the catalogue opened
// exclusively, the tables emptied, the working index of S_STOCK built. Returns the folder, or
// an empty text when a step failed (its message has been shown).
std::string LOKASIDATA(ui::Owner owner, const std::string& folderText);
// Whether the control table S_KONTRO of the ST_DB folder lacks its control record: it holds no
// record that is not marked as deleted. A missing S_KONTRO does not count here; LOKASIDATA reports
// missing tables before it changes anything. The table is read shared and read-only, so the check
// changes no file. Throws xbase::Error when the table cannot be opened or read.
bool controlRecordMissing(const std::string& folder);
// Whether the folder exists and can be entered.
bool DIREXIST(const std::string& folder);
// Opens a table (a bare name in folder, or a path) in a new work area under alias.
bool VOOPEN(const std::string& file, const std::string& alias, const std::string& folder, bool shared, bool readOnly,
            const std::string& driver);
// A retail table whose writes failed (a full disk): its header counts the records on disk.
struct IncompleteTable {
    std::string alias;
    uint32_t recordsOnDisk = 0;
};

// After an import: commits and closes every work area, then deletes the index files of the
// changed tables (more of them in the opening-stock-and-day-closing mode) and those of the
// tables whose writes failed, whose index may name records that never reached the disk.
// Returns those tables.
std::vector<IncompleteTable> closeRetailDatabase(ui::Owner owner, const std::string& folder, bool withStockClosing);

// How long VOOPEN keeps retrying a table that another program holds (a few seconds); tests
// shorten it.
void setOpenRetryLimit(std::chrono::milliseconds limit);

}  // namespace tarvo::retaildb
