#pragma once
// Whether a table's records are records: every record the header counts begins with a deletion
// flag, blank or '*'. A file whose data are something else (zeros, text, records shifted by a
// wrong record length) would otherwise be read as that many records of garbage. The header's
// count itself never goes beyond the file: opening the table already refuses that.

#include "xbase/table.h"

namespace tarvo::xbase {

// Reads the open table's deletion flags from its file in blocks of records, so that the check
// needs little memory however many records there are. Throws Error naming the file, the first
// record that is none and its flag.
void checkRecordsAreRecords(const Table& table);

}  // namespace tarvo::xbase
