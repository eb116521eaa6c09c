#include "logger/SaveDataProgress.h"

#include <string>

#include "app/StringTable.h"

namespace varelo {

namespace {
constexpr int kTitle = 2004;
constexpr int kCaution = 2005;
constexpr int kInstruction = 2006;
constexpr int kFirmwareCaption = 2007;
constexpr int kJobCaption = 2008;
}  // namespace

ProgressLayout SaveDataProgress::Layout() {
    ProgressLayout layout;
    layout.title = Str(kTitle);
    layout.caution = Str(kCaution);
    layout.lines = {Str(kInstruction)};
    layout.barCaptions = {Str(kFirmwareCaption), Str(kJobCaption)};
    // A download must not be interrupted (the caution says so), so there is no Cancel.
    layout.cancellable = false;
    return layout;
}

SaveDataProgress::SaveDataProgress(UserInterface& ui) : ui_(ui) {
    ui_.BeginWaitCursor();
    ui_.BeginProgress(Layout());
}

SaveDataProgress::~SaveDataProgress() {
    ui_.EndProgress();
    ui_.EndWaitCursor();
}

void SaveDataProgress::AddToTotal(long n) {
    total_ += n;
    ui_.SetProgress(kFirmwareBar, done_, total_, std::to_string(total_));
}

void SaveDataProgress::Advance(long n) {
    done_ += n;
    ui_.SetProgress(kFirmwareBar, done_, total_,
                    std::to_string(done_) + "/ " + std::to_string(total_));
}

void SaveDataProgress::SetJobRange(long n) {
    jobRange_ = n;
    ui_.SetProgress(kJobBar, 0, n, std::to_string(n));
}

void SaveDataProgress::SetJobPosition(long n) {
    ui_.SetProgress(kJobBar, n, jobRange_, std::to_string(jobRange_));
}

bool SaveDataProgress::Pump() {
    if (ui_.Pump()) cancelled_ = true;
    return cancelled_;
}

}  // namespace varelo
