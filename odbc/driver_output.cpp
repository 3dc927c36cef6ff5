#include "odbc/driver_output.h"

#include <unistd.h>

#include <cstdio>

namespace tarvo::odbc {

DriverOutput::DriverOutput() {
    std::fflush(stderr);
    FILE* file = std::tmpfile();
    if (!file) return;  // nothing captured: the driver writes where it always does
    capture_ = dup(fileno(file));
    std::fclose(file);
    saved_ = dup(STDERR_FILENO);
    if (capture_ < 0 || saved_ < 0 || dup2(capture_, STDERR_FILENO) < 0) take();
}

DriverOutput::~DriverOutput() { take(); }

std::string DriverOutput::take() {
    std::string text;
    if (saved_ >= 0) {
        std::fflush(stderr);
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        saved_ = -1;
    }
    if (capture_ >= 0) {
        char buffer[4096];
        ssize_t got = 0;
        off_t offset = 0;
        while (text.size() < 16384 && (got = pread(capture_, buffer, sizeof buffer, offset)) > 0) {
            text.append(buffer, static_cast<size_t>(got));
            offset += got;
        }
        close(capture_);
        capture_ = -1;
    }
    std::string joined;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
        if (!line.empty()) joined += (joined.empty() ? "" : "; ") + line;
        start = end + 1;
    }
    return joined;
}

}  // namespace tarvo::odbc
