#pragma once
// An ODBC handle freed by its owner, and the driver's diagnostics turned into errors.

#include <sql.h>

#include <string>

namespace tarvo::odbc {

class Handle {
public:
    // Allocates a handle of the type (SQL_HANDLE_ENV, _DBC, _STMT) under its parent; throws Error.
    Handle(SQLSMALLINT type, SQLHANDLE parent);
    ~Handle();
    Handle(Handle&& other) noexcept : type_(other.type_), handle_(other.handle_) { other.handle_ = SQL_NULL_HANDLE; }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    Handle& operator=(Handle&&) = delete;

    SQLHANDLE get() const { return handle_; }
    SQLSMALLINT type() const { return type_; }

    // Throws Error with the call's name and the handle's diagnostics unless the return code is a
    // success (with or without information); what the driver wrote to the error stream during
    // the call (driverOutput) follows the diagnostics.
    void check(SQLRETURN code, const char* call, const std::string& driverOutput = {}) const;

private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
};

// Every diagnostic record of the handle as "message (SQLSTATE s)" (the state only when the driver
// gave one), joined by "; "; empty when the driver left none.
std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle);

}  // namespace tarvo::odbc
