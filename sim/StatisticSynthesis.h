#pragma once

#include <cstddef>
#include <cstdint>

#include "measurement/StatisticSegment.h"
#include "sim/DisturbanceSchedule.h"
#include "sim/FeederModel.h"
#include "sim/IntervalSynthesis.h"

namespace varelo::sim {

// Builds the statistic segments of a measurement, each on its own. The generated Logger closes
// a segment at every full hour of its clock and at the measurement's stop; the segment's time
// is its end. A segment counts the 10-second frequency values that begin within it in the
// 42 frequency classes, and every 3 seconds one signalling voltage per phase and ripple
// channel, values below 1 % counting only in the total.
class StatisticSynthesis {
public:
    StatisticSynthesis(const FeederModel& model, const DisturbanceSchedule& schedule,
                       const IntervalSynthesis& intervals, int64_t durationSeconds,
                       int interharmonicChannels, int nominalFrequency);

    size_t Count() const { return count_; }
    CStatisticSegment Segment(size_t n) const;
    // Start and end of segment n in seconds since the measurement's start.
    int64_t SegmentStart(size_t n) const;
    int64_t SegmentEnd(size_t n) const;

    // The class 0-41 of a 10-second frequency value in millihertz.
    static int FrequencyClass(int32_t milliHz, int nominalFrequency);
    // The class 0-19 of a signalling level in %; -1 below 1 %.
    static int SignallingClass(double percent);

private:
    void CountSignalling(int64_t from, int64_t to, CStatisticSegment& s) const;

    const FeederModel& model_;
    const DisturbanceSchedule& schedule_;
    const IntervalSynthesis& intervals_;
    int64_t duration_;
    int channels_;
    int nominalFrequency_;
    int64_t firstBoundary_;  // the first full hour after the start
    size_t count_;
};

}  // namespace varelo::sim
