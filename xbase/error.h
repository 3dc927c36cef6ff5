#pragma once

#include <stdexcept>
#include <string>

namespace tarvo::xbase {

// A failure of the table layer; the text names the file and the problem.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tarvo::xbase
