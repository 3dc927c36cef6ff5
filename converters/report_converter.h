#pragma once
// The report converter: the printed item and customer reports ITEM.TXT and CUST.TXT of a folder
// become the templates ITEM.DBF and PELANG.DBF in the same folder.

#include <cstdint>
#include <string>

#include "ui/user_interaction.h"

namespace tarvo::converters {

// What a conversion did.
struct ReportConversion {
    bool done = false;            // both reports converted
    bool replaced = false;        // the new ITEM.DBF and PELANG.DBF took the old ones' place
    uint64_t itemLines = 0;       // lines read from ITEM.TXT
    uint64_t itemRecords = 0;     // records written to ITEM.DBF
    uint64_t customerLines = 0;   // lines read from CUST.TXT, the customers' second lines not counted
    uint64_t customerRecords = 0; // records written to PELANG.DBF
};

// The main window's command "Create DBF": asks for the folder ("Pilih Lokasi Data:") and
// converts its reports, ending with conversionSummary. Nothing happens when no folder is chosen.
ReportConversion BUTTONCREATEDBF(ui::Owner owner);

// What a finished conversion wrote: the number of items and customers.
std::string conversionSummary(const ReportConversion& conversion);

// Converts the reports of the folder with "." as decimal and "," as thousands separator, then
// closes every table.
ReportConversion convertReports(ui::Owner owner, std::string folder);

// The conversion proper (folder ends in the separator). Both reports are found and opened
// before anything is created, so that a wrong folder leaves its templates as they were; a
// template that holds records is replaced only after a question, and each one replaced is kept
// as NAME.bak; then ITEM.DBF and PELANG.DBF are created anew beside the old ones, opened
// exclusively as ITEM and PELANG and filled, with the progress window open, and renamed over the
// old ones (whose ITEM.CDX and other memo and index files go), even when a line stopped the
// conversion. False after its message when a step failed.
bool BUTTONCREATEDBF2(ui::Owner owner, const std::string& folder, ReportConversion& conversion);

}  // namespace tarvo::converters
