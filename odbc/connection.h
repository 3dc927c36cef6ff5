#pragma once
// A connection to a database through the ODBC driver manager, closed by its destructor.

#include <string>
#include <vector>

#include "odbc/handle.h"
#include "odbc/result.h"

namespace tarvo::odbc {

class Connection {
public:
    // Connects with a driver connection string ("Driver=...;DBQ=...;"). The driver is never
    // allowed to ask for missing details: there is no window to ask from. Throws Error with the
    // driver's diagnostics.
    explicit Connection(const std::string& connectionString);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Runs one statement and reads its whole result; throws Error with the driver's diagnostics.
    Result query(const std::string& statement);
    // The names of the database's tables, as the driver spells them.
    std::vector<std::string> tableNames();

private:
    Handle environment_;
    Handle connection_;
};

}  // namespace tarvo::odbc
