#pragma once
// The items an import refused as duplicates, as the reject window lists them and as the reject
// file (rejectFile()) records them for the user to correct the templates.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "importing/import_run.h"
#include "ui/user_interaction.h"
#include "xbase/file_names.h"

namespace tarvo::importing {

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

// The reject-list row of a duplicate entry under its caption, without line breaks in its texts.
RejectRow rejectRow(const DuplicateEntry& entry, const std::string& caption);

// Loads one duplicate list (KODESAMA with "Kode Sama", NAMASAMA with "Nama Sama"): per entry it
// lets events through, shows the progress text ("Kode sama, ketemu no. i / n") and bar, and hands
// the entry's row to `add`.
void loadRejectList(const DuplicateList& entries, const std::string& caption,
                    const std::function<void(const RejectRow&)>& add);
inline constexpr const char* kCodeDuplicateCaption = "Kode Sama";
inline constexpr const char* kNameDuplicateCaption = "Nama Sama";

// The rows of the code-duplicate list, then those of the name-duplicate list, each in its order.
std::vector<RejectRow> rejectRows(const ImportRun& run);

// The file's line for a row, without its line end: seven tab-separated fields, the record
// numbers with a leading "#".
std::string rejectLine(const RejectRow& row);

// The reject file (found in its folder ignoring case): created (or emptied) with its header line
// on construction, one CRLF line per row written. When it cannot be created: the error box
// "Gagal membuat file : " + its full path, and the rows are not written.
class RejectFile {
public:
    RejectFile(const std::filesystem::path& file, ui::Owner owner);
    bool isOpen() const { return file_.is_open(); }
    const std::filesystem::path& path() const { return path_; }
    void write(const RejectRow& row);
    // Flushes and closes; false (after the error box) when writing failed.
    bool close();

private:
    std::filesystem::path path_;
    ui::Owner owner_;
    std::ofstream file_;
};

// The reject file with the header and every row. Without rows it does nothing, so a run without
// rejects leaves the previous file as it was. False when the file could not be written.
bool writeRejectFile(const std::vector<RejectRow>& rows, const std::filesystem::path& file,
                     ui::Owner owner = nullptr);
// The same with the run's two duplicate lists, read one entry at a time (with the progress of
// loadRejectList), so that a list of millions of rows never is in memory at once.
bool writeRejectFile(const DuplicateList& codeDuplicates, const DuplicateList& nameDuplicates,
                     const std::filesystem::path& file, ui::Owner owner = nullptr);

// Whether the program runs from its build tree: CMake's CMakeCache.txt lies in its folder or in a
// folder above it. An installed program (/usr/bin) has none.
bool runsFromBuildTree(const std::filesystem::path& programFolder = xbase::executableFolder());

// Where the reject list of an import into the shop's folder goes. REJECT.TXT beside the program
// when it runs from its build tree and may write there; otherwise never a program's folder (not
// even /usr/bin for the superuser) but the user's data folder, $XDG_DATA_HOME/tarvo-import
// (~/.local/share/tarvo-import when XDG_DATA_HOME is not set), created when missing, one file per
// shop: REJECT-<the shop folder's name>.TXT, so that imports into other shops keep theirs.
std::filesystem::path rejectFile(const std::filesystem::path& shopFolder,
                                 const std::filesystem::path& programFolder = xbase::executableFolder());

}  // namespace tarvo::importing
