#pragma once

#include <cstdint>

#include "measurement/TimeStamp.h"

namespace varelo {

// The window start of a period: kept in place (align off) or snapped to the period's grid.
CTimeStamp RoundWindowStart(const CTimeStamp& t, int period, bool align);
// The first end on the period's grid at or after t: where a window that would start after the
// measurement ends is clamped to.
CTimeStamp RoundUpWindowEnd(const CTimeStamp& t, int period);

// The time axis of a level-time diagram over one measurement: the period, the window it shows
// and the scroll positions that move it by the period's steps.
class TimeAxis {
public:
    // firstRecord and lastRecord are the times of the first and last interval records, which
    // mark the end of their intervals: the measurement starts one interval before the first.
    TimeAxis(const CTimeStamp& firstRecord, const CTimeStamp& lastRecord, int intervalSeconds);

    // A period 1..26 (anything else is the measurement period), with its window start kept in
    // place or aligned to the period's grid, and clamped so the window meets the measurement.
    void SetPeriod(int period, bool align);
    // Moves the window start before a period is set without align (zoom, X-axis dialog).
    void SetWindowStart(const CTimeStamp& start) { windowStart_ = start; }

    int Period() const { return period_; }
    const CTimeStamp& WindowStart() const { return windowStart_; }
    const CTimeStamp& WindowEnd() const { return windowEnd_; }
    int64_t WindowSeconds() const { return windowEnd_.SecondsSince(windowStart_); }
    const CTimeStamp& MeasurementStart() const { return start_; }
    const CTimeStamp& MeasurementEnd() const { return end_; }
    int IntervalSeconds() const { return intervalSeconds_; }
    // Intervals between measurement start and end.
    int64_t IntervalCount() const;

    // Scroll positions count the period's steps; none in the measurement period.
    bool Scrolls() const { return period_ != 26; }
    int64_t ScrollMax() const;
    int64_t ScrollPosition() const;
    // Moves to a position; false (and nothing moves) beyond either end.
    bool ScrollTo(int64_t position);
    int64_t PageSteps() const;
    bool CanPageForward() const {
        return Scrolls() && ScrollPosition() + PageSteps() <= ScrollMax();
    }
    bool CanPageBack() const { return Scrolls() && ScrollPosition() - PageSteps() >= 0; }

    // "Enlarge": a shorter period that still holds one interval. "Reduce": a longer one.
    bool CanEnlarge() const;
    bool CanReduce() const { return period_ < 26; }
    // The period that shows a selected length of seconds: the shortest that holds it and one
    // interval; over 28 days the whole measurement.
    int PeriodForLength(double seconds) const;

private:
    CTimeStamp ScrollOrigin() const;

    CTimeStamp start_;
    CTimeStamp end_;
    int intervalSeconds_;
    int period_ = 26;
    CTimeStamp windowStart_;
    CTimeStamp windowEnd_;
};

}  // namespace varelo
