#include "timeplot/TimeAxis.h"

#include <algorithm>

#include "timeplot/TimePeriodTable.h"

namespace varelo {

namespace {

constexpr int kEighteenHours = 15;

CTimeStamp AtTimeOfDay(const CTimeStamp& t, int seconds) {
    return CTimeStamp(t.year, t.month, t.day, seconds / 3600, seconds / 60 % 60, seconds % 60);
}

int TimeOfDay(const CTimeStamp& t) {
    return t.hour * 3600 + t.minute * 60 + t.second;
}

// The time of day rounded down to a multiple of whole minutes.
CTimeStamp DownToMinutes(const CTimeStamp& t, int minutes) {
    const int step = std::max(minutes, 1) * 60;
    return AtTimeOfDay(t, TimeOfDay(t) / step * step);
}

CTimeStamp NextMidnight(const CTimeStamp& t) {
    CTimeStamp midnight = AtTimeOfDay(t, 0);
    midnight.AddSeconds(86400);
    return midnight;
}

bool OnTheSecond(const CTimeStamp& t) {
    return t.millisecond == 0;
}

}  // namespace

CTimeStamp RoundWindowStart(const CTimeStamp& t, int period, bool align) {
    const int day = TimeOfDay(t);
    if (!align) {
        if (period <= 1) return AtTimeOfDay(t, day / 10 * 10);
        if (period <= 8) return AtTimeOfDay(t, day / 60 * 60);
        if (period <= 15) return AtTimeOfDay(t, day / 300 * 300);
        if (period <= 23) return AtTimeOfDay(t, day / 3600 * 3600);
        return AtTimeOfDay(t, 0);
    }
    if (period <= 14) return DownToMinutes(t, int(TimePeriodAt(period).seconds / 60));
    if (period == kEighteenHours) return AtTimeOfDay(t, t.hour >= 18 ? 6 * 3600 : 0);
    return AtTimeOfDay(t, 0);
}

CTimeStamp RoundUpWindowEnd(const CTimeStamp& t, int period) {
    // An end already on the grid stays: rounding it up would move the window a whole period
    // past the measurement and show nothing of it.
    if (period < kOneDayPeriod && period != kEighteenHours) {
        const int64_t length = TimePeriodAt(period).seconds;
        CTimeStamp end = DownToMinutes(t, int(length / 60));
        if (end == t && OnTheSecond(t)) return end;
        end.AddSeconds(length);
        return end;
    }
    if (period == kEighteenHours) {
        const int day = TimeOfDay(t);
        if (OnTheSecond(t) && (day == 0 || day == 18 * 3600)) return AtTimeOfDay(t, day);
        return t.hour < 18 ? AtTimeOfDay(t, 18 * 3600) : NextMidnight(t);
    }
    if (OnTheSecond(t) && TimeOfDay(t) == 0) return AtTimeOfDay(t, 0);
    return NextMidnight(t);
}

TimeAxis::TimeAxis(const CTimeStamp& firstRecord, const CTimeStamp& lastRecord, int intervalSeconds)
    : start_(firstRecord), end_(lastRecord), intervalSeconds_(std::max(intervalSeconds, 1)) {
    // A record's time is the end of its interval; without this the first interval would never
    // be drawn and a single record would give a window of no length.
    start_.AddSeconds(-intervalSeconds_);
    windowStart_ = start_;
    windowEnd_ = end_;
}

int64_t TimeAxis::IntervalCount() const {
    return end_.SecondsSince(start_) / intervalSeconds_;
}

void TimeAxis::SetPeriod(int period, bool align) {
    if (period < kFirstPeriod || period > kMeasurementPeriod) period = kMeasurementPeriod;
    period_ = period;
    if (period == kMeasurementPeriod) {
        windowStart_ = start_;
        windowEnd_ = end_;
        return;
    }
    const int64_t length = TimePeriodAt(period).seconds;
    windowStart_ = RoundWindowStart(windowStart_, period, align);
    windowEnd_ = windowStart_;
    windowEnd_.AddSeconds(length);
    if (!(start_ < windowEnd_)) {
        windowStart_ = RoundWindowStart(start_, period, true);
        windowEnd_ = windowStart_;
        windowEnd_.AddSeconds(length);
    } else if (!(windowStart_ < end_)) {
        windowEnd_ = RoundUpWindowEnd(end_, period);
        windowStart_ = windowEnd_;
        windowStart_.AddSeconds(-length);
    }
}

CTimeStamp TimeAxis::ScrollOrigin() const {
    return RoundWindowStart(start_, period_, false);
}

int64_t TimeAxis::PageSteps() const {
    return Scrolls() ? TimePeriodAt(period_).pageSteps : 0;
}

int64_t TimeAxis::ScrollMax() const {
    if (!Scrolls()) return 0;
    const TimePeriod& p = TimePeriodAt(period_);
    const int64_t window = p.seconds / p.stepSeconds;
    const int64_t span = end_.SecondsSince(ScrollOrigin()) / p.stepSeconds;
    return (span - 1) + (window - 1);
}

int64_t TimeAxis::ScrollPosition() const {
    if (!Scrolls()) return 0;
    const TimePeriod& p = TimePeriodAt(period_);
    const int64_t window = p.seconds / p.stepSeconds;
    return windowStart_.SecondsSince(ScrollOrigin()) / p.stepSeconds + (window - 1);
}

bool TimeAxis::ScrollTo(int64_t position) {
    if (!Scrolls() || position < 0 || position > ScrollMax()) return false;
    const TimePeriod& p = TimePeriodAt(period_);
    const int64_t window = p.seconds / p.stepSeconds;
    windowStart_ = ScrollOrigin();
    windowStart_.AddSeconds((position - (window - 1)) * p.stepSeconds);
    windowEnd_ = windowStart_;
    windowEnd_.AddSeconds(p.seconds);
    return true;
}

bool TimeAxis::CanEnlarge() const {
    return period_ > kFirstPeriod && intervalSeconds_ <= TimePeriodAt(period_ - 1).seconds;
}

int TimeAxis::PeriodForLength(double seconds) const {
    for (int row = kTwentyEightDaysPeriod; row >= kFirstPeriod; --row) {
        const double length = double(TimePeriodAt(row).seconds);
        if (length < seconds) return row + 1;
        if (length <= intervalSeconds_) return row;
    }
    return kFirstPeriod;
}

}  // namespace varelo
