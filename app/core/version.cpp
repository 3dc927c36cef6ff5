#include "app/core/version.h"

namespace tarvo::app {

const std::string& versionText() {
    static const std::string text(kVersionNumber);
    return text;
}

const std::string& windowTitle() {
    static const std::string title = "Tarvo-Import " + versionText();
    return title;
}

}  // namespace tarvo::app
