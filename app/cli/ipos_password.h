#pragma once
// The password of an iPOS Access file on the command line. Given with --password it shows in
// the process list to every user of the machine; a file or the environment keeps it out of there.

#include <string>

namespace tarvo::cli {

inline constexpr const char* kIposPasswordVariable = "TARVO_IPOS_PASSWORD";

// --password when given, else the first line of --password-file (without its line end), else
// the environment's value (`environment`: TARVO_IPOS_PASSWORD, null when unset), else empty.
// Throws std::runtime_error when the password file cannot be read.
std::string iposPassword(const std::string& option, const std::string& passwordFile, const char* environment);

}  // namespace tarvo::cli
