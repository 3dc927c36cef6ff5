#pragma once
// Readers of the values an iPOS database hands over: column values with NULL read as empty or 0,
// timestamps ("YYYY-MM-DD hh:mm:ss") as dates and times of day, invoice numbers, and the
// division that gives 0 for a zero divisor.

#include <string>
#include <string_view>

#include "odbc/result.h"
#include "xbase/value.h"

namespace tarvo::importers::ipos {

// The value as text; empty for NULL.
std::string READSTRING(const odbc::Row& row, size_t column);
// The value as a number; 0 for NULL, an empty text or a text that does not begin with a number.
double READFLOAT(const odbc::Row& row, size_t column);

// Whether a quantity counts as empty, as Empty() has it for a number: NULL, an empty text and 0
// alike (what READFLOAT reads as 0).
bool emptyQuantity(const odbc::Row& row, size_t column);

// The date of characters 1-4 (year), 6-7 (month) and 9-10 (day); the empty date when the text is
// shorter or those characters make no date.
xbase::Date TIMESTAMPTODATE(std::string_view timestamp);
// The eight characters from the 12th ("hh:mm:ss"); fewer when the text is shorter.
std::string TIMESTAMPTOTIME(std::string_view timestamp);
// Minutes since midnight of the timestamp's time of day.
int timestampMinutes(std::string_view timestamp);

// 0 when the divisor is 0, otherwise dividend / divisor.
double VODIVIDE(double dividend, double divisor);

// The number of a transaction: the last eight characters of the trimmed NOTRANSAKSI (all of it
// when it is shorter) read as a number; 0 when they do not begin with one.
double invoiceNumber(std::string_view transaction);

}  // namespace tarvo::importers::ipos
