#include "app/core/version.h"

namespace tarvo::app {

const std::string& versionText() {
    static const std::string text = std::string(kVersionLiteral.substr(0, 4)) + "." +
                                    std::string(kVersionLiteral.substr(4, 2)) + "." +
                                    std::string(kVersionLiteral.substr(6, 2));
    return text;
}

const std::string& windowTitle() {
    static const std::string title = "Tarvo-Import " + versionText();
    return title;
}

}  // namespace tarvo::app
