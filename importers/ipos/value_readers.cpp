#include "importers/ipos/value_readers.h"

#include "retaildb/record_routines.h"
#include "xbase/blanks.h"
#include "xbase/dates.h"
#include "xbase/number_text.h"

namespace tarvo::importers::ipos {

namespace {
// Up to count characters from position from (0-based); empty beyond the end.
std::string_view part(std::string_view text, size_t from, size_t count) {
    return from < text.size() ? text.substr(from, count) : std::string_view();
}
}  // namespace

std::string READSTRING(const odbc::Row& row, size_t column) { return std::string(row.text(column)); }

double READFLOAT(const odbc::Row& row, size_t column) { return row.number(column); }

bool emptyQuantity(const odbc::Row& row, size_t column) { return READFLOAT(row, column) == 0; }

xbase::Date TIMESTAMPTODATE(std::string_view timestamp) {
    const std::string digits =
        std::string(part(timestamp, 0, 4)) + std::string(part(timestamp, 5, 2)) + std::string(part(timestamp, 8, 2));
    return digits.size() == 8 ? xbase::SToD(digits) : xbase::Date();
}

std::string TIMESTAMPTOTIME(std::string_view timestamp) { return std::string(part(timestamp, 11, 8)); }

int timestampMinutes(std::string_view timestamp) { return retaildb::TIME2MINUTES(TIMESTAMPTOTIME(timestamp)); }

double VODIVIDE(double dividend, double divisor) { return divisor == 0 ? 0 : dividend / divisor; }

double invoiceNumber(std::string_view transaction) {
    const std::string_view trimmed = xbase::trimmed(transaction);
    return xbase::Val(trimmed.substr(trimmed.size() > 8 ? trimmed.size() - 8 : 0));
}

}  // namespace tarvo::importers::ipos
