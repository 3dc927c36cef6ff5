#include "odbc/drivers.h"

#include <sqlext.h>

#include <string_view>

#include "odbc/error.h"
#include "odbc/handle.h"

namespace tarvo::odbc {

namespace {

// The value of "Key=value" in SQLDrivers' attribute list: pairs separated by NUL characters.
std::string attribute(const SQLCHAR* attributes, SQLSMALLINT length, std::string_view key) {
    const std::string_view list(reinterpret_cast<const char*>(attributes), static_cast<size_t>(length));
    size_t start = 0;
    while (start < list.size()) {
        size_t end = list.find('\0', start);
        if (end == std::string_view::npos) end = list.size();
        const std::string_view pair = list.substr(start, end - start);
        if (pair.size() > key.size() && pair.starts_with(key) && pair[key.size()] == '=')
            return std::string(pair.substr(key.size() + 1));
        start = end + 1;
    }
    return {};
}

}  // namespace

std::vector<InstalledDriver> installedDrivers() {
    std::vector<InstalledDriver> drivers;
    try {
        Handle environment(SQL_HANDLE_ENV, SQL_NULL_HANDLE);
        SQLSetEnvAttr(environment.get(), SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
        SQLCHAR name[256];
        SQLCHAR attributes[2048];
        SQLSMALLINT nameLength = 0;
        SQLSMALLINT attributesLength = 0;
        SQLUSMALLINT direction = SQL_FETCH_FIRST;
        for (;;) {
            const SQLRETURN code = SQLDrivers(environment.get(), direction, name, sizeof name, &nameLength,
                                              attributes, sizeof attributes, &attributesLength);
            if (!SQL_SUCCEEDED(code)) break;
            const SQLSMALLINT listed = std::min<SQLSMALLINT>(attributesLength, sizeof attributes - 1);
            drivers.push_back({reinterpret_cast<const char*>(name), attribute(attributes, listed, "Driver")});
            direction = SQL_FETCH_NEXT;
        }
    } catch (const Error&) {
        // No environment, no list: the connection then names the missing driver itself.
    }
    return drivers;
}

}  // namespace tarvo::odbc
