#include "xbase/file_writes.h"

#include <unistd.h>

namespace tarvo::xbase {

namespace {
FileWrites defaultWrites;
FileWrites* current = &defaultWrites;
}  // namespace

ssize_t FileWrites::write(int fd, const char* data, size_t length, off_t offset) {
    return ::pwrite(fd, data, length, offset);
}

FileWrites& fileWrites() { return *current; }

void setFileWrites(FileWrites* writes) { current = writes ? writes : &defaultWrites; }

}  // namespace tarvo::xbase
