#include "logger/SaveDataProgress.h"

#include <string>

namespace varelo {

SaveDataProgress::SaveDataProgress(UserInterface& ui) : ui_(ui) {
    ui_.BeginWaitCursor();
    ui_.BeginProgress("Logger - Save data");
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
