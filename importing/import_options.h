#pragma once
// The options of one template import, as the main window (or the command line) gives them.

#include <optional>
#include <string_view>

#include "xbase/table.h"
#include "xbase/value.h"

namespace tarvo::importing {

// What happens to the opening stock of the items.
enum class StockMode {
    CloseDay,   // "Import Sisa Stock dan lakukan Tutup Hari": closed balances, day closed at closingDate
    Open,       // "Import Sisa Stock, tetapi user masih bisa mengubah sisa awal": a "STOCK AWAL" purchase at openDate
    None,       // "Tidak perlu import Sisa Stock"
};

struct ImportOptions {
    StockMode stockMode = StockMode::None;
    xbase::Date closingDate;          // AKHIRTUTUP
    xbase::Date openDate;             // AKHIRBUKA
    xbase::Date pointsDate;           // TGLHITUNGPOINT; empty: no point reckoning
    bool allowDuplicateCodes = false; // KODESAMA
    bool allowDuplicateNames = false; // NAMASAMA
    xbase::Driver tableDriver = xbase::Driver::DBFNTX;  // IMPORTDRIVER: templates and source tables
};

// A date as the user types it (DD/MM/YYYY): the date; an empty date when the text holds no digit
// (a blank field); nullopt when it names no real day (31/02/2025, 00/00/0000, 12/2025). The
// window and the command line refuse the same texts.
std::optional<xbase::Date> typedDate(std::string_view text);

// The defaults of the main window: no opening stock, both dates 31 December of last year.
ImportOptions defaultImportOptions();

}  // namespace tarvo::importing
