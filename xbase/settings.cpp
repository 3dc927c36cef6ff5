#include "xbase/settings.h"

namespace tarvo::xbase {

Settings& settings() {
    static Settings current;
    return current;
}

// The member initialisers of Settings are the start-up values.
void applyStartupSettings() { settings() = Settings{}; }

}  // namespace tarvo::xbase
