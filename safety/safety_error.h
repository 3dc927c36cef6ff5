#pragma once

#include <stdexcept>

namespace tarvo::safety {

// A failure of a backup, a restore or the lock; the text says what and where, for the user.
class SafetyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace tarvo::safety
