#include "platform/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace varelo {

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)) {}

AtomicFile::~AtomicFile() { Discard(); }

OsError AtomicFile::Open() {
    Discard();
    std::string pattern = path_ + ".XXXXXX";
    int fd = ::mkstemp(pattern.data());
    if (fd < 0) return OsError::FromErrno(errno);
    ::fchmod(fd, 0644);
    file_ = ::fdopen(fd, "wb");
    if (!file_) {
        int err = errno;
        ::close(fd);
        ::unlink(pattern.c_str());
        return OsError::FromErrno(err);
    }
    tempPath_ = pattern;
    writeFailed_ = false;
    writeError_ = 0;
    return OsError::None();
}

bool AtomicFile::Write(std::string_view data) {
    if (!file_ || writeFailed_) return false;
    if (std::fwrite(data.data(), 1, data.size(), file_) != data.size()) {
        writeFailed_ = true;
        writeError_ = errno != 0 ? errno : EIO;
    }
    return !writeFailed_;
}

OsError AtomicFile::Commit() {
    if (!file_) return OsError::FromErrno(EBADF);
    int err = 0;
    if (writeFailed_ || std::ferror(file_)) err = writeError_ != 0 ? writeError_ : EIO;
    if (!err && std::fflush(file_) != 0) err = errno;
    if (!err && ::fsync(::fileno(file_)) != 0) err = errno;
    if (std::fclose(file_) != 0 && !err) err = errno;
    file_ = nullptr;
    if (!err && ::rename(tempPath_.c_str(), path_.c_str()) != 0) err = errno;
    if (err) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
        return OsError::FromErrno(err);
    }
    tempPath_.clear();
    return OsError::None();
}

void AtomicFile::Discard() {
    if (file_) {
        std::fclose(file_);
        file_ = nullptr;
    }
    if (!tempPath_.empty()) {
        ::unlink(tempPath_.c_str());
        tempPath_.clear();
    }
}

OsError WriteFileAtomically(const std::string& path, std::string_view content) {
    AtomicFile file(path);
    if (OsError e = file.Open(); e.Failed()) return e;
    file.Write(content);
    return file.Commit();
}

}  // namespace varelo
