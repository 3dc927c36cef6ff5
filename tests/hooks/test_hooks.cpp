#include "tests/hooks/test_hooks.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <thread>

#include "retaildb/run_points.h"

namespace tarvo::test {

LimitedFileWrites::LimitedFileWrites(uint64_t bytes) : left_(bytes) { xbase::setFileWrites(this); }

LimitedFileWrites::~LimitedFileWrites() { xbase::setFileWrites(nullptr); }

ssize_t LimitedFileWrites::write(int fd, const char* data, size_t length, off_t offset) {
    if (left_ == 0) {
        errno = ENOSPC;
        return -1;
    }
    const ssize_t n = FileWrites::write(fd, data, static_cast<size_t>(std::min<uint64_t>(length, left_)), offset);
    if (n > 0) left_ -= static_cast<uint64_t>(n);
    return n;
}

namespace {

// TARVO_TEST_POINT: "<point> kill" or "<point> pause FILE".
class EnvironmentTestPoint : public retaildb::RunObserver {
public:
    explicit EnvironmentTestPoint(const std::string& setting) {
        std::istringstream words(setting);
        words >> point_ >> action_ >> file_;
    }

    void reached(std::string_view point) override {
        if (point != point_) return;
        if (action_ == "kill") std::raise(SIGKILL);
        if (action_ != "pause" || file_.empty()) return;
        std::ofstream(file_ + ".reached") << "reached\n";
        std::error_code ec;
        while (!std::filesystem::exists(file_ + ".go", ec)) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }

private:
    std::string point_, action_, file_;
};

}  // namespace

void installTestHooksFromEnvironment() {
    // Both live until the process ends.
    if (const char* limit = std::getenv("TARVO_TEST_WRITE_LIMIT")) {
        static LimitedFileWrites writes(std::strtoull(limit, nullptr, 10));
    }
    if (const char* point = std::getenv("TARVO_TEST_POINT")) {
        static EnvironmentTestPoint observer(point);
        retaildb::setRunObserver(&observer);
    }
}

}  // namespace tarvo::test
