#include "odbc/handle.h"

#include <sqlext.h>

#include "odbc/error.h"

namespace tarvo::odbc {

Handle::Handle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    const SQLRETURN code = SQLAllocHandle(type, parent, &handle_);
    if (!SQL_SUCCEEDED(code)) {
        std::string text = "[SQLAllocHandle] Cannot allocate an ODBC handle";
        if (parent != SQL_NULL_HANDLE) {
            const SQLSMALLINT parentType = type == SQL_HANDLE_STMT ? SQL_HANDLE_DBC : SQL_HANDLE_ENV;
            if (std::string diag = diagnostics(parentType, parent); !diag.empty()) text += ": " + diag;
        }
        throw Error(text);
    }
}

Handle::~Handle() {
    if (handle_ != SQL_NULL_HANDLE) SQLFreeHandle(type_, handle_);
}

void Handle::check(SQLRETURN code, const char* call, const std::string& driverOutput) const {
    if (SQL_SUCCEEDED(code)) return;
    std::string text = std::string("[") + call + "] ";
    std::string diag = diagnostics(type_, handle_);
    if (!driverOutput.empty()) diag += (diag.empty() ? "" : "; ") + driverOutput;
    text += diag.empty() ? "the ODBC call failed and the driver gave no reason" : diag;
    throw Error(text);
}

std::string diagnostics(SQLSMALLINT type, SQLHANDLE handle) {
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLCHAR state[6] = {};
        SQLINTEGER nativeError = 0;
        SQLCHAR message[1024] = {};
        SQLSMALLINT length = 0;
        const SQLRETURN code =
            SQLGetDiagRec(type, handle, record, state, &nativeError, message, sizeof message, &length);
        if (!SQL_SUCCEEDED(code)) break;
        std::string line(reinterpret_cast<const char*>(message));
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!text.empty()) text += "; ";
        text += line;
        if (state[0] != 0) text += std::string(" (SQLSTATE ") + reinterpret_cast<const char*>(state) + ")";
    }
    return text;
}

}  // namespace tarvo::odbc
