#include "xbase/value.h"

#include <cmath>

namespace tarvo::xbase {

namespace {
const std::string kEmptyText;

bool isLeap(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }
}  // namespace

bool Date::valid(int year, int month, int day) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    int last = kDays[month - 1] + (month == 2 && isLeap(year) ? 1 : 0);
    return day <= last;
}

long Date::julian() const {
    if (empty()) return 0;
    // Fliegel & Van Flandern, proleptic Gregorian calendar.
    long a = (14 - month) / 12;
    long y = year + 4800 - a;
    long m = month + 12 * a - 3;
    return day + (153 * m + 2) / 5 + 365 * y + y / 4 - y / 100 + y / 400 - 32045;
}

Date Date::fromJulian(long julian) {
    if (julian <= 0) return Date{};
    long a = julian + 32044;
    long b = (4 * a + 3) / 146097;
    long c = a - 146097 * b / 4;
    long d = (4 * c + 3) / 1461;
    long e = c - 1461 * d / 4;
    long m = (5 * e + 2) / 153;
    Date out;
    out.day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
    out.month = static_cast<int>(m + 3 - 12 * (m / 10));
    out.year = static_cast<int>(100 * b + d - 4800 + m / 10);
    return out;
}

double DateTime::julianDays() const {
    if (empty()) return 0;
    return static_cast<double>(date.julian()) + static_cast<double>(milliseconds) / kMillisecondsPerDay;
}

DateTime DateTime::fromJulianDays(double days) {
    if (!(days > 0) || days > 1e9) return DateTime{};  // NaN and values past any calendar too
    auto total = static_cast<int64_t>(std::llround(days * kMillisecondsPerDay));
    DateTime out;
    out.date = Date::fromJulian(static_cast<long>(total / kMillisecondsPerDay));
    out.milliseconds = static_cast<int32_t>(total % kMillisecondsPerDay);
    return out;
}

const std::string& Value::text() const {
    return isCharacter() ? std::get<std::string>(v_) : kEmptyText;
}

const char* valueTypeName(ValueType type) {
    switch (type) {
        case ValueType::Nil: return "nil";
        case ValueType::Character: return "character";
        case ValueType::Numeric: return "numeric";
        case ValueType::Date: return "date";
        case ValueType::Logical: return "logical";
        case ValueType::DateTime: return "datetime";
    }
    return "?";
}

}  // namespace tarvo::xbase
