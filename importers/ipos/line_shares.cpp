#include "importers/ipos/line_shares.h"

#include "importers/ipos/value_readers.h"
#include "xbase/number_text.h"

namespace tarvo::importers::ipos {

double LineShares::next(double lineTotal, bool lastLine) {
    const double share = lastLine ? amount_ - spread_ : xbase::Round(VODIVIDE(lineTotal, headerTotal_) * amount_, 2);
    spread_ += share;
    return share;
}

}  // namespace tarvo::importers::ipos
