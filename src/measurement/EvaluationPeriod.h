#pragma once

#include "measurement/TimeStamp.h"

namespace varelo {

struct MeasurementData;

struct EvaluationPeriod {
    CTimeStamp start;
    CTimeStamp end;

    // Both ends set, start before end, both within 1980-01-01 00:00:00 and 2037-12-31 00:00:00.
    bool IsValid() const;
    // 1980-01-01 00:00:00 to 2037-12-31 00:00:00: everything.
    static EvaluationPeriod Everything();
    // The data period of a measurement: from the earliest record (an interval's or a used
    // segment's timestamp less 1 s, an event's start) or the measured start, to the latest;
    // the last hour of 1997-12-31, which Loggers use for clocks that were never set, is
    // ignored. Everything when that is not a valid period.
    static EvaluationPeriod Proposal(const MeasurementData& data);
    // The dates a person can pick for either end: 1970-01-02 to 2038-01-18.
    static CTimeStamp FirstPickableDate();
    static CTimeStamp LastPickableDate();
};

// The evaluation period question: the measurement period to show and the period proposed,
// which the answer replaces.
struct PeriodQuestion {
    CTimeStamp measurementStart;
    CTimeStamp measurementEnd;
    CTimeStamp start;
    CTimeStamp end;
};

}  // namespace varelo
