#pragma once
// Dates to and from text: "DD/MM/YYYY" (the display format) and "YYYYMMDD" (the storage form).

#include <string>
#include <string_view>

#include "xbase/value.h"

namespace tarvo::xbase {

// Date as text in the current date format ("DD/MM/YYYY"); blanks in place of digits for the empty date.
std::string DToC(Date date);
// Date and time as DToC's date, a blank and the time "HH:MM:SS" (24-hour clock); blanks in place of
// digits for the empty value.
std::string TToC(const DateTime& dateTime);
// Date from text in the current date format; two-digit years follow the epoch. Invalid text gives the empty date.
Date CToD(std::string_view text);
// "YYYYMMDD"; eight blanks for the empty date.
std::string DToS(Date date);
// Date from "YYYYMMDD"; blank or invalid text gives the empty date.
Date SToD(std::string_view text);
// The date of today on the local clock.
Date today();

}  // namespace tarvo::xbase
