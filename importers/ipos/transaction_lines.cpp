#include "importers/ipos/transaction_lines.h"

namespace tarvo::importers::ipos {

TransactionLines::TransactionLines(const odbc::Result& details) {
    const size_t number = details.column("NOTRANSAKSI");
    for (size_t row = 0; row < details.rowCount(); ++row) {
        if (details.row(row).isNull(number)) continue;  // equal to no number, as in SQL
        const std::string_view key = details.row(row).text(number);
        auto it = rows_.find(key);
        if (it == rows_.end()) it = rows_.emplace(std::string(key), std::vector<uint32_t>()).first;
        it->second.push_back(static_cast<uint32_t>(row));
    }
}

const std::vector<uint32_t>& TransactionLines::of(std::string_view number) const {
    static const std::vector<uint32_t> none;
    const auto it = rows_.find(number);
    return it == rows_.end() ? none : it->second;
}

}  // namespace tarvo::importers::ipos
