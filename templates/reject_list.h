#pragma once
// The items an import refused as duplicates, as the reject window lists them and as REJECT.TXT
// (beside the executable) records them for the user to correct the templates.

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "templates/import_run.h"
#include "ui/user_interaction.h"

namespace tarvo::templates {

// One line of the reject list; the texts carry no carriage returns or line feeds.
struct RejectRow {
    std::string caption;        // "Kode Sama" or "Nama Sama"
    std::string newCode;
    std::string newName;
    uint32_t templateRecno = 0; // row of ITEM.DBF
    std::string existingCode;
    std::string existingName;
    uint32_t stockRecno = 0;    // record of the item already in S_STOCK

    bool operator==(const RejectRow&) const = default;
};

// The rows of the code-duplicate list, then those of the name-duplicate list, each in its
// order, with the progress text ("Kode sama, ketemu no. i / n", "Nama sama, ketemu no. i / n")
// and bar per entry.
std::vector<RejectRow> rejectRows(const ImportRun& run);

// The file's line for a row, without its line end: seven tab-separated fields, the record
// numbers with a leading "#".
std::string rejectLine(const RejectRow& row);

// Creates (or empties) REJECT.TXT in the folder and writes the header line and one line per row.
// Without rows it does nothing, so a run without rejects leaves the previous file as it was.
// When the file cannot be written: the error box "Gagal membuat file : " + its full path, and false.
bool writeRejectFile(const std::vector<RejectRow>& rows, const std::filesystem::path& folder,
                     ui::Owner owner = nullptr);

// The folder of the running executable (where REJECT.TXT belongs); the current folder when the
// system does not tell.
std::filesystem::path executableFolder();

}  // namespace tarvo::templates
