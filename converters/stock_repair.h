#pragma once
// The stock repair: every item of S_STOCK whose JENIS is 0 gets JENIS 1.

#include <cstdint>
#include <string>

#include "ui/user_interaction.h"

namespace tarvo::converters {

// What a repair did.
struct StockRepair {
    bool done = false;     // the table was walked to its end and committed
    uint64_t records = 0;  // records walked (deleted ones are passed over)
    uint64_t changed = 0;  // records whose JENIS went from 0 to 1
};

// The main window's command "Perbaiki Data" on the database folder the user typed: the folder
// check of the import (its own messages), a question, then guarded as an import is: the database
// lock, a refusal when the last import was interrupted, and a backup of its own (kind "repair").
// The repair, every table committed and closed, and the box "Data berhasil diperbaiki." with the
// number of items changed; a failure puts the backup back.
StockRepair BUTTONPERBAIKIDATA(ui::Owner owner, const std::string& databaseFolder);

// The repair proper on the ST_DB folder (ending in the separator): S_STOCK opened exclusively
// as STOCK, walked in physical order with the progress window, committed. False after its
// message when the table cannot be opened or written.
bool BUTTONPERBAIKIDATA1(ui::Owner owner, const std::string& folder, StockRepair& repair);

}  // namespace tarvo::converters
