#pragma once
// The rows of a detail table grouped by their transaction number. The table is read once; each
// transaction's rows keep the order in which the database returned them, as a statement
// "... WHERE NoTransaksi='number'" would give them, and a number with a quote needs no quoting.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "odbc/result.h"
#include "importing/text_map.h"

namespace tarvo::importers::ipos {

class TransactionLines {
public:
    // Groups the rows of the result by the text of its NOTRANSAKSI column.
    explicit TransactionLines(const odbc::Result& details);

    // Row indexes of the result whose NOTRANSAKSI equals the number; empty when there are none.
    const std::vector<uint32_t>& of(std::string_view number) const;

private:
    importing::TextMap<std::vector<uint32_t>> rows_;
};

}  // namespace tarvo::importers::ipos
