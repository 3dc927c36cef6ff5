#include "app/cli/ipos_password.h"

#include <fstream>
#include <stdexcept>

namespace tarvo::cli {

std::string iposPassword(const std::string& option, const std::string& passwordFile, const char* environment) {
    if (!option.empty()) return option;
    if (!passwordFile.empty()) {
        std::ifstream file(passwordFile, std::ios::binary);
        if (!file) throw std::runtime_error("cannot read the password file " + passwordFile);
        std::string password;
        std::getline(file, password);
        if (!password.empty() && password.back() == '\r') password.pop_back();
        return password;
    }
    return environment ? environment : "";
}

}  // namespace tarvo::cli
