#pragma once

#include <stdexcept>

namespace tarvo::odbc {

// A failure of the ODBC layer: the text names the call and carries the driver's diagnostics.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tarvo::odbc
