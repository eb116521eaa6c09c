#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "platform/OsError.h"

namespace varelo {

// Writes a file under a temporary name in the target's folder and renames it over the target
// only when complete, so a failure or crash never leaves a half file under the real name.
class AtomicFile {
public:
    explicit AtomicFile(std::string path);
    ~AtomicFile();  // discards the temporary file unless committed
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    OsError Open();
    bool Write(std::string_view data);
    // A write failed; Commit will report it.
    bool WriteFailed() const { return writeFailed_; }
    std::FILE* Stream() { return file_; }
    // Flushes, syncs and renames onto the target.
    OsError Commit();
    void Discard();

    const std::string& TargetPath() const { return path_; }
    const std::string& TempPath() const { return tempPath_; }

private:
    std::string path_;
    std::string tempPath_;
    std::FILE* file_ = nullptr;
    bool writeFailed_ = false;
    int writeError_ = 0;  // errno of the failed write, so Commit names the real cause
};

// The whole content in one step.
OsError WriteFileAtomically(const std::string& path, std::string_view content);

}  // namespace varelo
