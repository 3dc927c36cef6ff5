#include "sheets/serial_dates.h"

#include <cmath>

namespace tarvo::sheets {

namespace {

long julianOf(int year, int month, int day) { return xbase::Date{year, month, day}.julian(); }

}  // namespace

xbase::Date dateFromSerial(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial > 2958465.0) return {};  // 31/12/9999
    const long days = static_cast<long>(std::floor(serial));
    if (date1904) return days < 0 ? xbase::Date{} : xbase::Date::fromJulian(julianOf(1904, 1, 1) + days);
    if (days < 1 || days == 60) return {};
    // Serials up to 59 count from 31/12/1899; from 61 on they count the phantom leap day too.
    return xbase::Date::fromJulian(days < 60 ? julianOf(1899, 12, 31) + days : julianOf(1899, 12, 30) + days);
}

double serialFromDate(xbase::Date date) {
    const long julian = date.julian();
    const long days = julian - julianOf(1899, 12, 30);
    return static_cast<double>(days < 61 ? days - 1 : days);
}

}  // namespace tarvo::sheets
