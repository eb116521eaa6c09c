#include "export/ExportFile.h"

#include <algorithm>
#include <cerrno>

#include "app/FileErrorMessage.h"
#include "app/Language.h"
#include "app/UserInterface.h"
#include "platform/CodePage.h"

namespace varelo {

namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

ExportFile::ExportFile(std::string path, int codePage, UserInterface& ui)
    : file_(std::move(path)), codePage_(codePage), ui_(ui) {
    pending_.reserve(kChunk + kChunk / 4);
}

bool ExportFile::Open() {
    failed_ = false;
    pending_.clear();
    if (const OsError error = file_.Open(); error.Failed()) return Fail(error);
    return true;
}

bool ExportFile::Write(std::string_view utf8) {
    if (failed_) return false;
    pending_.append(utf8);
    return pending_.size() < kChunk || Flush();
}

bool ExportFile::Flush() {
    if (pending_.empty()) return true;
    // Only text beyond ASCII needs converting; numbers and most labels are plain.
    const bool written = IsAscii(pending_) ? file_.Write(pending_)
                                           : file_.Write(Utf8ToCodePage(pending_, codePage_));
    pending_.clear();
    // The cause of a failed write comes with the commit that follows.
    return written;
}

bool ExportFile::Take(std::string& text) {
    if (text.size() < kChunk) return true;
    const bool written = Write(text);
    text.clear();
    return written;
}

bool ExportFile::Finish(std::string_view rest) {
    if (!rest.empty()) Write(rest);
    if (failed_) return false;
    Flush();
    if (const OsError error = file_.Commit(); error.Failed()) return Fail(error);
    return true;
}

bool ExportFile::Fail(const OsError& error) {
    failed_ = true;
    file_.Discard();
    ui_.ShowMessage(FileErrorMessageId(error.code), FileErrorMessage(error, Path()),
                    MessageIcon::Warning);
    return false;
}

int ExportCodePage() {
    return CurrentLanguage().codePage;
}

}  // namespace varelo
