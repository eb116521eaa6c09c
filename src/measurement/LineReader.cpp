#include "measurement/LineReader.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace varelo {

namespace {
constexpr size_t kChunk = 1u << 20;
}

LineReader::~LineReader() { Close(); }

bool LineReader::Open(const std::string& path) {
    Close();
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) return false;
    buffer_.assign(kChunk, 0);
    pos_ = end_ = 0;
    fileOffset_ = 0;
    eof_ = failed_ = false;
    return true;
}

void LineReader::Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    buffer_.clear();
    buffer_.shrink_to_fit();
}

bool LineReader::Fill() {
    if (eof_ || fd_ < 0) return false;
    if (pos_ > 0) {  // keep the unread tail at the front
        std::memmove(buffer_.data(), buffer_.data() + pos_, end_ - pos_);
        end_ -= pos_;
        pos_ = 0;
    }
    if (end_ == buffer_.size()) {
        if (buffer_.size() >= kMaxLineLength) {
            failed_ = true;
            return false;
        }
        buffer_.resize(std::min(buffer_.size() * 2, kMaxLineLength));
    }
    ssize_t n;
    do {
        n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        failed_ = true;
        return false;
    }
    if (n == 0) {
        eof_ = true;
        return false;
    }
    end_ += size_t(n);
    fileOffset_ += uint64_t(n);
    return true;
}

bool LineReader::Next(std::string_view& line) {
    size_t searchFrom = pos_;
    for (;;) {
        const char* start = buffer_.data() + searchFrom;
        const char* lf = static_cast<const char*>(std::memchr(start, '\n', end_ - searchFrom));
        if (lf) {
            size_t length = size_t(lf - (buffer_.data() + pos_));
            line = std::string_view(buffer_.data() + pos_, length);
            pos_ += length + 1;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            return true;
        }
        size_t scanned = end_ - pos_;
        if (!Fill()) {
            if (failed_ || pos_ == end_) return false;
            line = std::string_view(buffer_.data() + pos_, end_ - pos_);  // last line, no LF
            pos_ = end_;
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            return true;
        }
        searchFrom = pos_ + scanned;
    }
}

bool LineReader::Seek(uint64_t position) {
    if (fd_ < 0 || ::lseek(fd_, off_t(position), SEEK_SET) < 0) return false;
    pos_ = end_ = 0;
    fileOffset_ = position;
    eof_ = false;
    return true;
}

}  // namespace varelo
