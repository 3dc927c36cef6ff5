#include "odbc/connection.h"

#include <sqlext.h>

#include "odbc/driver_output.h"

namespace tarvo::odbc {

namespace {

// ODBC's unsigned characters for a text it only reads.
SQLCHAR* sqlText(const std::string& text) {
    return reinterpret_cast<SQLCHAR*>(const_cast<char*>(text.c_str()));
}

Handle newEnvironment() {
    Handle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
    environment.check(SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION,
                                    reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0),
                      "SQLSetEnvAttr");
    return environment;
}

}  // namespace

Connection::Connection(const std::string& connectionString)
    : environment_(newEnvironment()), connection_(SQL_HANDLE_DBC, environment_.get()) {
    SQLSMALLINT outLength = 0;
    DriverOutput output;
    const SQLRETURN code = SQLDriverConnect(connection_.get(), nullptr, sqlText(connectionString), SQL_NTS, nullptr,
                                            0, &outLength, SQL_DRIVER_NOPROMPT);
    connection_.check(code, "SQLDriverConnect", output.take());
}

Connection::~Connection() { SQLDisconnect(connection_.get()); }

Result Connection::query(const std::string& statement) {
    Handle handle(SQL_HANDLE_STMT, connection_.get());
    DriverOutput output;
    const SQLRETURN code = SQLExecDirect(handle.get(), sqlText(statement), SQL_NTS);
    handle.check(code, "SQLExecDirect", output.take());
    Result result = Result::fetch(handle);
    SQLCloseCursor(handle.get());
    return result;
}

std::vector<std::string> Connection::tableNames() {
    Handle handle(SQL_HANDLE_STMT, connection_.get());
    handle.check(SQLTables(handle.get(), nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0), "SQLTables");
    Result result = Result::fetch(handle);
    std::vector<std::string> names;
    const size_t nameColumn = result.findColumn("TABLE_NAME").value_or(2);
    for (; !result.atEnd(); result.next()) names.emplace_back(result.current().text(nameColumn));
    return names;
}

}  // namespace tarvo::odbc
