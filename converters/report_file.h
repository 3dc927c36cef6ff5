#pragma once
// A printed report saved as a text file by a DOS-era program: read line by line as the bytes of
// the OEM code page, with CR LF or LF line ends.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace tarvo::converters {

class ReportFile {
public:
    // The longest line the converter looks at; the rest of a longer line is passed over, so
    // that it never becomes a line of its own.
    static constexpr size_t kMaxLine = 10000;

    explicit ReportFile(const std::filesystem::path& path);

    bool isOpen() const { return in_.is_open(); }
    const std::filesystem::path& path() const { return path_; }

    // The next line without its line end, cut to kMaxLine bytes; false at the end of the file.
    bool readLine(std::string& line);
    // Lines read so far (the number of the last line read).
    uint64_t lineNumber() const { return lineNumber_; }
    // How far the reading has come, 0 to 100.
    long percentRead() const;

private:
    std::filesystem::path path_;
    std::ifstream in_;
    uint64_t size_ = 0;
    uint64_t consumed_ = 0;
    uint64_t lineNumber_ = 0;
};

}  // namespace tarvo::converters
