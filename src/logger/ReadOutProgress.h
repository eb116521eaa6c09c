#pragma once

#include "app/UserInterface.h"

namespace varelo {

// The "Logger - Read results" window: bars for interval data, statistics and events, each
// with a counter "n/ total" (only the total while n is 0), and a Cancel button. Shown for its
// lifetime.
class ReadOutProgress {
public:
    static constexpr int kIntervalBar = 0;
    static constexpr int kStatisticBar = 1;
    static constexpr int kEventBar = 2;

    explicit ReadOutProgress(UserInterface& ui);
    ~ReadOutProgress();
    ReadOutProgress(const ReadOutProgress&) = delete;
    ReadOutProgress& operator=(const ReadOutProgress&) = delete;

    void SetRanges(long intervals, long statistics, long events);
    void SetIntervalProgress(long n) { Set(kIntervalBar, n); }
    void SetStatisticProgress(long n) { Set(kStatisticBar, n); }
    void SetEventProgress(long n) { Set(kEventBar, n); }
    // Handles waiting input; true once Cancel was pressed (and stays true).
    bool PumpMessages();

    static std::string CounterText(long n, long total);
    // Title and bar captions of the window.
    static ProgressLayout Layout();

private:
    void Set(int bar, long n);

    UserInterface& ui_;
    long ranges_[3] = {0, 0, 0};
    bool cancelled_ = false;
};

}  // namespace varelo
