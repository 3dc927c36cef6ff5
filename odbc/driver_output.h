#pragma once
// What a driver writes to the standard error stream during a call. Some drivers (MDB Tools')
// give their reasons only there, not in the diagnostic records; capturing the stream keeps those
// reasons for the error message and keeps the terminal free of the driver's chatter.

#include <string>

namespace tarvo::odbc {

class DriverOutput {
public:
    // Redirects the standard error stream into a temporary file until take() or destruction.
    DriverOutput();
    ~DriverOutput();
    DriverOutput(const DriverOutput&) = delete;
    DriverOutput& operator=(const DriverOutput&) = delete;

    // Restores the stream and returns what was written meanwhile, lines joined by "; ".
    std::string take();

private:
    int saved_ = -1;    // the stream's own descriptor, kept aside
    int capture_ = -1;  // the temporary file
};

}  // namespace tarvo::odbc
