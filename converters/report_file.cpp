#include "converters/report_file.h"

namespace tarvo::converters {

ReportFile::ReportFile(const std::filesystem::path& path) : path_(path), in_(path, std::ios::binary) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    size_ = ec ? 0 : size;
}

bool ReportFile::readLine(std::string& line) {
    line.clear();
    std::streambuf* buffer = in_.rdbuf();
    if (!in_.is_open() || buffer->sgetc() == std::char_traits<char>::eof()) return false;
    size_t length = 0;  // bytes of the line before its LF
    int last = 0;
    for (int c = buffer->sbumpc(); c != std::char_traits<char>::eof(); c = buffer->sbumpc()) {
        ++consumed_;
        if (c == '\n') break;
        if (length++ < kMaxLine) line.push_back(static_cast<char>(c));
        last = c;
    }
    // A CR before the LF belongs to the line end (it is in the line unless the line was cut).
    if (last == '\r' && length <= kMaxLine) line.pop_back();
    ++lineNumber_;
    return true;
}

long ReportFile::percentRead() const {
    if (size_ == 0) return 100;
    return static_cast<long>(consumed_ >= size_ ? 100 : consumed_ * 100 / size_);
}

}  // namespace tarvo::converters
