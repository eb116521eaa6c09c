#include "measurement/EvaluationPeriod.h"

#include <algorithm>
#include <numeric>

#include "measurement/MeasurementFile.h"

namespace varelo {

namespace {

const CTimeStamp kEarliest(1980, 1, 1, 0, 0, 0);
const CTimeStamp kLatest(2037, 12, 31, 0, 0, 0);

bool IsUnsetClockTime(const CTimeStamp& t) {
    return t.year == 1997 && t.month == 12 && t.day == 31 && t.hour == 23;
}

bool SegmentHoldsCounts(const CStatisticSegment& s) {
    for (uint32_t count : s.Freq10sec) {
        if (count != 0) return true;
    }
    if (s.NrSignalVoltInterval != 0) return true;
    for (const auto& phase : s.SignalVal)
        for (const auto& channel : phase)
            for (uint16_t count : channel)
                if (count != 0) return true;
    return false;
}

// Widens [start, end] by a timestamp; the first one taken sets both ends.
struct Span {
    CTimeStamp start, end;
    bool any = false;
    void Start(const CTimeStamp& t) {
        if (t.IsZero() || IsUnsetClockTime(t)) return;
        if (!any || t < start) start = t;
        if (!any) end = t;
        any = true;
    }
    void End(const CTimeStamp& t) {
        if (t.IsZero() || IsUnsetClockTime(t)) return;
        if (!any || end < t) end = t;
        if (!any) start = t;
        any = true;
    }
};

CTimeStamp SecondBefore(CTimeStamp t) {
    t.AddSeconds(-1);
    return t;
}

}  // namespace

bool EvaluationPeriod::IsValid() const {
    return !start.IsZero() && !end.IsZero() && start < end && !(start < kEarliest) &&
           !(kLatest < start) && !(end < kEarliest) && !(kLatest < end);
}

EvaluationPeriod EvaluationPeriod::Everything() {
    return {kEarliest, kLatest};
}

EvaluationPeriod EvaluationPeriod::Proposal(const MeasurementData& data) {
    Span span;
    span.Start(data.job.MeasStartMeasured);
    span.End(data.job.MeasStopMeasured);
    for (const auto& r : data.intervals) {
        span.Start(SecondBefore(r.DateTime));
        span.End(r.DateTime);
    }
    for (const auto& s : data.statistics) {
        if (!SegmentHoldsCounts(s)) continue;
        span.Start(SecondBefore(s.DateTime));
        span.End(s.DateTime);
    }
    for (const auto& e : data.events) {
        span.Start(e.StartDateTime);
        span.End(e.EndDateTime);
    }
    EvaluationPeriod period{span.start, span.end};
    period.start.millisecond = 0;
    if (period.end.millisecond != 0) {
        period.end.millisecond = 0;
        period.end.AddSeconds(1);
    }
    return period.IsValid() ? period : Everything();
}

CTimeStamp EvaluationPeriod::FirstPickableDate() {
    return CTimeStamp(1970, 1, 2, 0, 0, 0);
}

CTimeStamp EvaluationPeriod::LastPickableDate() {
    return CTimeStamp(2038, 1, 18, 0, 0, 0);
}

}  // namespace varelo
