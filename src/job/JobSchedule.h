#pragma once

#include <cstdint>

#include "measurement/MeasurementJob.h"
#include "measurement/TimeStamp.h"

namespace varelo {

// The time rules of a job: the programmed start of a new job, the start choices of the
// measurement period page, the end after a number of intervals and the rounding to the
// interval. Measurement segments are weekly windows (weekday 1 = Monday .. 7 = Sunday, 0 =
// every day) that may wrap from Sunday to Monday or over midnight.

// The start of a new job: now with the seconds cleared and the minutes rounded down to a
// multiple of 10 (to 0 for intervals above 600 s), plus one hour.
CTimeStamp DefaultJobStart(const CTimeStamp& now, int32_t interval);

// The start choices of "Set", in list order: now + 1, 2, 5, 10 and 15 minutes on the next
// interval, the next full hour (preselected) and the next day.
enum class StartChoice { Plus1, Plus2, Plus5, Plus10, Plus15, NextHour, NextDay };
CTimeStamp ChosenStart(StartChoice choice, const CTimeStamp& now, int32_t interval);
int StartChoiceMessage(StartChoice choice);  // the list text's message

// The end after count intervals from start; with segments only the intervals that lie in a
// segment count.
CTimeStamp EndAfterIntervals(const CMeasurementJob& job, const CTimeStamp& start, int32_t count);
inline constexpr int32_t kDefaultJobIntervals = 1008;

// Rounded down to the interval: the seconds below 60 s, else the minutes.
CTimeStamp RoundDownToInterval(const CTimeStamp& t, int32_t interval);

// Whether the interval [t, t + interval) lies, at least partly, in one of the job's segments.
bool IntervalInSegments(const CMeasurementJob& job, const CTimeStamp& t, int32_t interval);
// Whether two segments share time; touching is no overlap.
bool SegmentsOverlap(const CTimeStamp& begin1, const CTimeStamp& end1, const CTimeStamp& begin2,
                     const CTimeStamp& end2);
// A segment's begin or end: only weekday, hour and minute are set.
CTimeStamp SegmentTime(int weekday, int hour, int minute);

// The earliest time the period pickers offer: the wire reads the years 70 to 81 as 2070 to
// 2081, so a job before 1982 would come back in another century.
CTimeStamp EarliestJobTime();

}  // namespace varelo
