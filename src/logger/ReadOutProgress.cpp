#include "logger/ReadOutProgress.h"

#include <string>

#include "app/StringTable.h"

namespace varelo {

namespace {
// The window's title and its bar captions, in bar order.
constexpr int kTitle = 2000;
constexpr int kBarCaptions[] = {2001, 2002, 2003};
}  // namespace

ProgressLayout ReadOutProgress::Layout() {
    ProgressLayout layout;
    layout.title = Str(kTitle);
    for (int id : kBarCaptions)
        layout.barCaptions.push_back(Str(id));
    return layout;
}

ReadOutProgress::ReadOutProgress(UserInterface& ui) : ui_(ui) {
    ui_.BeginProgress(Layout());
}

ReadOutProgress::~ReadOutProgress() {
    ui_.EndProgress();
}

std::string ReadOutProgress::CounterText(long n, long total) {
    if (n == 0) return std::to_string(total);
    return std::to_string(n) + "/ " + std::to_string(total);
}

void ReadOutProgress::SetRanges(long intervals, long statistics, long events) {
    ranges_[kIntervalBar] = intervals;
    ranges_[kStatisticBar] = statistics;
    ranges_[kEventBar] = events;
    for (int bar = 0; bar < 3; ++bar)
        Set(bar, 0);
}

void ReadOutProgress::Set(int bar, long n) {
    ui_.SetProgress(bar, n, ranges_[bar], CounterText(n, ranges_[bar]));
}

bool ReadOutProgress::PumpMessages() {
    if (!cancelled_ && ui_.Pump()) cancelled_ = true;
    return cancelled_;
}

}  // namespace varelo
