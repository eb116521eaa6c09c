#pragma once

// What the fuzz targets share: the input as a file, a folder for what they write, a user
// interface that shows nothing, and a check that stops the run with its reason.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/UserInterface.h"

namespace varelo::fuzz {

// A path under which a reader finds the input: an in-memory file, rewritten for every input.
// Empty when it cannot be written.
inline std::string InputPath(const uint8_t* data, size_t size) {
    static const int fd = ::memfd_create("fuzz-input", 0);
    if (fd < 0 || ::ftruncate(fd, 0) != 0) return {};
    if (size > 0 && ::pwrite(fd, data, size, 0) != ssize_t(size)) return {};
    return "/proc/self/fd/" + std::to_string(fd);
}

// A folder of the process's own for the files a target writes; removed when the run ends.
inline const std::string& ScratchFolder() {
    // Never destroyed, so that the removal at exit can still name it.
    static const std::string* folder = [] {
        auto* path = new std::string(
            (std::filesystem::temp_directory_path() / "varelo-fuzz-XXXXXX").string());
        if (!::mkdtemp(path->data())) std::abort();
        std::atexit([] {
            std::error_code ignored;
            std::filesystem::remove_all(*folder, ignored);
        });
        return path;
    }();
    return *folder;
}

// A finding: a property the reader and writer must keep does not hold.
[[noreturn]] inline void Finding(const char* what) {
    std::fprintf(stderr, "fuzz finding: %s\n", what);
    std::abort();
}
inline void Require(bool holds, const char* what) {
    if (!holds) Finding(what);
}

// Answers as a person who is not there: no to every question, cancel to every dialog.
class SilentUserInterface : public UserInterface {
public:
    void ShowMessage(int, const std::string&, MessageIcon) override {}
    bool AskYesNo(int, const std::string&, MessageIcon) override { return false; }
    Answer Ask(const Question&) override { return Answer::No; }
    void SetStatusText(const std::string&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
    bool AskEvaluationPeriod(PeriodQuestion&) override { return false; }
    void BeginProgress(const ProgressLayout&) override {}
    void SetProgress(int, long, long, const std::string&) override {}
    bool Pump() override { return false; }
    void EndProgress() override {}
    bool ChooseSaveFile(const std::string&, const std::string&, const std::string&,
                        const std::string&, std::string&) override {
        return false;
    }
    bool AskLoggerDesignation(std::string&) override { return false; }
    bool AskLoggerClock(LoggerClockChoice&) override { return false; }
    void ShowLoggerInformation(const CLoggerInfo&) override {}
    bool AskOldBootProgram(int) override { return false; }
};

}  // namespace varelo::fuzz
