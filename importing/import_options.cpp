#include "importing/import_options.h"

#include "xbase/dates.h"

namespace tarvo::importing {

std::optional<xbase::Date> typedDate(std::string_view text) {
    if (text.find_first_of("0123456789") == std::string_view::npos) return xbase::Date{};
    const xbase::Date date = xbase::CToD(text);
    if (date.empty()) return std::nullopt;
    return date;
}

ImportOptions defaultImportOptions() {
    ImportOptions options;
    const xbase::Date lastYearEnd{xbase::today().year - 1, 12, 31};
    options.closingDate = lastYearEnd;
    options.openDate = lastYearEnd;
    return options;
}

}  // namespace tarvo::importing
