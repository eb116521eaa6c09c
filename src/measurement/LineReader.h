#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varelo {

// Reads a text file line by line through a fixed buffer, without holding the whole file.
// Lines end with LF (a CR before it is dropped). A line longer than the limit is an error,
// so a damaged file cannot make the reader allocate without bound.
class LineReader {
public:
    static constexpr size_t kMaxLineLength = 16u << 20;

    LineReader() = default;
    ~LineReader();
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return fd_ >= 0; }

    // The next line, valid until the next call; false at the end of the file or on an error.
    bool Next(std::string_view& line);
    bool Failed() const { return failed_; }
    // File offset of the start of the next line, for returning to it.
    uint64_t Position() const { return fileOffset_ - (end_ - pos_); }
    bool Seek(uint64_t position);

private:
    bool Fill();

    int fd_ = -1;
    std::vector<char> buffer_;
    size_t pos_ = 0;
    size_t end_ = 0;
    uint64_t fileOffset_ = 0;  // file offset just after the buffered bytes
    bool eof_ = false;
    bool failed_ = false;
};

}  // namespace varelo
