#pragma once
// Faults the test suite injects: a disk that fills up after a number of bytes, and a process
// that kills itself or waits at a named point of a run. The test build of the command line
// takes them from its environment:
//   TARVO_TEST_WRITE_LIMIT=N        writes of data and memo files fail as on a full disk after N bytes;
//   TARVO_TEST_POINT="<point> kill" the process kills itself with SIGKILL on reaching the point;
//   TARVO_TEST_POINT="<point> pause FILE"  it creates FILE.reached and waits until FILE.go exists.

#include <cstdint>
#include <optional>

#include "xbase/file_writes.h"

namespace tarvo::test {

// Writes within a byte budget: a write that would pass it writes what fits, then fails with
// ENOSPC. Installed while it lives.
class LimitedFileWrites : public xbase::FileWrites {
public:
    explicit LimitedFileWrites(uint64_t bytes);
    ~LimitedFileWrites() override;
    LimitedFileWrites(const LimitedFileWrites&) = delete;
    LimitedFileWrites& operator=(const LimitedFileWrites&) = delete;
    ssize_t write(int fd, const char* data, size_t length, off_t offset) override;

private:
    uint64_t left_;
};

// Installs the faults that TARVO_TEST_WRITE_LIMIT and TARVO_TEST_POINT ask for, for the rest of
// the process.
void installTestHooksFromEnvironment();

}  // namespace tarvo::test
