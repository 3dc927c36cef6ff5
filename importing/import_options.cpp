#include "importing/import_options.h"

#include "xbase/dates.h"

namespace tarvo::importing {

ImportOptions defaultImportOptions() {
    ImportOptions options;
    const xbase::Date lastYearEnd{xbase::today().year - 1, 12, 31};
    options.closingDate = lastYearEnd;
    options.openDate = lastYearEnd;
    return options;
}

}  // namespace tarvo::importing
