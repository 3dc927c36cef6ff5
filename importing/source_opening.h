#pragma once
// Opening a table the import reads: a template or another application's table.

#include <string>

#include "ui/user_interaction.h"

namespace tarvo::importing {

// Opens folder + file under the alias through the shared open routine (exclusive, writable, with
// the driver), then refuses it when its records are not records (a deletion flag neither blank
// nor '*'): the error box "[VOOpen] Cannot open file : <path> ! <reason>", and the table is closed
// again. A header whose record count the file cannot hold is refused by the open itself. False
// after the message.
bool openImportedTable(ui::Owner owner, const std::string& file, const std::string& alias, const std::string& folder,
                       const std::string& driver);

}  // namespace tarvo::importing
