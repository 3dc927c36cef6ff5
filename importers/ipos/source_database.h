#pragma once
// An iPOS database read whole before the shop's data is touched: connected, every table the
// import reads fetched once and its columns checked, the detail rows grouped by transaction.
// Anything that cannot be read refuses the import with a message for the user.

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

#include "importers/ipos/transaction_lines.h"
#include "odbc/result.h"

namespace tarvo::importers::ipos {

// A source that cannot be read; the text is the message for the user.
class SourceRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The Access connection string: the driver (accessDriver()), DBQ = the file, UID=Admin and the password.
std::string accessConnectionString(const std::string& file, const std::string& password);
// Whether the file begins as an Access database does (Jet 3/4 or ACE signature).
bool isAccessFile(const std::filesystem::path& file);
// The file dialog's pattern "*.MDB" in any case.
bool hasMdbExtension(const std::filesystem::path& file);

// A header table with the lines of each of its transactions.
struct Transactions {
    odbc::Result headers;
    odbc::Result lines;
    TransactionLines byNumber;
};

struct SourceDatabase {
    odbc::Result itemGroups, items, salesmen;
    Transactions sales, cashSales, receipts, issues;

    // Connects and reads every table; between tables, afterTable lets the user interface breathe.
    // Throws SourceRefused with the user's message.
    static SourceDatabase read(const std::string& connectionString, const std::function<void()>& afterTable);
};

}  // namespace tarvo::importers::ipos
