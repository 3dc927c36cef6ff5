#include "retaildb/test_points.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "xbase/record_file.h"

namespace tarvo::retaildb {

void testPoint(std::string_view point) {
    const char* setting = std::getenv("TARVO_TEST_POINT");
    if (!setting) return;
    std::istringstream words(setting);
    std::string name, action, file;
    words >> name >> action >> file;
    if (name != point) return;
    if (action == "kill") std::raise(SIGKILL);
    if (action != "pause" || file.empty()) return;
    std::ofstream(file + ".reached") << "reached\n";
    std::error_code ec;
    while (!std::filesystem::exists(file + ".go", ec)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void applyTestWriteLimit() {
    if (const char* limit = std::getenv("TARVO_TEST_WRITE_LIMIT"))
        xbase::setWriteLimit(std::strtoull(limit, nullptr, 10));
}

}  // namespace tarvo::retaildb
