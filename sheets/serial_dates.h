#pragma once
// Spreadsheet date serials: days counted from the workbook's base date, in the 1900 system
// (with its phantom 29 February 1900) or the 1904 system.

#include "xbase/value.h"

namespace tarvo::sheets {

// The date of a serial (its fraction, the time of day, is dropped); the empty date for a serial
// that names no day (below 1, the phantom 29/02/1900, beyond the year 9999).
xbase::Date dateFromSerial(double serial, bool date1904 = false);
// The serial of a date in the 1900 system.
double serialFromDate(xbase::Date date);

}  // namespace tarvo::sheets
