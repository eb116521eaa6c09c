#pragma once

#include "app/UserInterface.h"

namespace varelo {

// The "Logger - Save data" window of a job write: a firmware bar sized by a counting pass and
// advanced by the download, and a job bar shown once its range is set. It holds the wait
// cursor while it exists.
class SaveDataProgress {
public:
    static constexpr int kFirmwareBar = 0;
    static constexpr int kJobBar = 1;

    explicit SaveDataProgress(UserInterface& ui);
    ~SaveDataProgress();
    SaveDataProgress(const SaveDataProgress&) = delete;
    SaveDataProgress& operator=(const SaveDataProgress&) = delete;

    void AddToTotal(long n);
    void Advance(long n);
    void SetJobRange(long n);
    void SetJobPosition(long n);
    // Handles waiting input; true once the user asked to cancel (and stays true).
    bool Pump();
    // The caution, the instruction, the title and the bar captions; no Cancel.
    static ProgressLayout Layout();

    long FirmwareTotal() const { return total_; }
    long FirmwareDone() const { return done_; }
    long JobRange() const { return jobRange_; }
    bool Cancelled() const { return cancelled_; }

private:
    UserInterface& ui_;
    long total_ = 0;
    long done_ = 0;
    long jobRange_ = 0;
    bool cancelled_ = false;
};

}  // namespace varelo
