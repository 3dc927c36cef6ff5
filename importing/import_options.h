#pragma once
// The options of one template import, as the main window (or the command line) gives them.

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

// The defaults of the main window: no opening stock, both dates 31 December of last year.
ImportOptions defaultImportOptions();

}  // namespace tarvo::importing
