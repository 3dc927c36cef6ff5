#pragma once
// The one way the table layer writes to its data and memo files. By default a plain positioned
// write; a test puts a wrapper in its place to inject faults, such as a disk that fills up.

#include <sys/types.h>

#include <cstddef>

namespace tarvo::xbase {

class FileWrites {
public:
    virtual ~FileWrites() = default;
    // Like pwrite(2): the bytes written, or -1 with errno set.
    virtual ssize_t write(int fd, const char* data, size_t length, off_t offset);
};

// The writes in use: the default unless replaced.
FileWrites& fileWrites();

// Replaces the writes in use; nullptr puts the default back. The caller keeps writes alive.
void setFileWrites(FileWrites* writes);

}  // namespace tarvo::xbase
