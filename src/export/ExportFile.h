#pragma once

#include <string>
#include <string_view>

#include "platform/AtomicFile.h"

namespace varelo {

class UserInterface;

// What an export reports when it is done.
struct ExportResult {
    bool written = false;  // the file is complete under its name
    size_t rows = 0;       // data lines (intervals, events or classes) written
    size_t channels = 0;   // value columns per line
};

// A text file an export writes: text comes in as UTF-8 and goes out in the code page; the file
// takes its name only when complete, so a failed export leaves the old file as it was. Every
// failure shows the file-error message with the file's name once.
class ExportFile {
public:
    static constexpr size_t kChunk = 1 << 16;

    ExportFile(std::string path, int codePage, UserInterface& ui);

    bool Open();
    // Converts and writes when enough has been gathered; false once writing failed.
    bool Write(std::string_view utf8);
    // Hands over a text being gathered once it holds a chunk, and empties it; false once
    // writing failed.
    bool Take(std::string& text);
    // Writes the rest and puts the file under its name.
    bool Finish(std::string_view rest = {});

    const std::string& Path() const { return file_.TargetPath(); }

private:
    bool Flush();
    bool Fail(const OsError& error);

    AtomicFile file_;
    int codePage_;
    UserInterface& ui_;
    std::string pending_;
    bool failed_ = false;
};

// The code page of the user-interface language, which the ASCII exports write in.
int ExportCodePage();

}  // namespace varelo
