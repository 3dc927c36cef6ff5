#pragma once

#include <stdexcept>
#include <string>

namespace tarvo::xbase {

// A failure of the table layer; the text names the file and the problem.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An open refused because another open of the file (this program's or another's) holds it.
class FileInUseError : public Error {
public:
    using Error::Error;
};

}  // namespace tarvo::xbase
