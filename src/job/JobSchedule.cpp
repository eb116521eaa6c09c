#include "job/JobSchedule.h"

#include <vector>

namespace varelo {

namespace {

constexpr long long kMinutesPerDay = 24 * 60;
constexpr long long kMinutesPerWeek = 7 * kMinutesPerDay;
constexpr long long kSecondsPerWeek = kMinutesPerWeek * 60;
// Every week holds some time of any segment, so this many weeks always reach the end; the
// bound only guards against a job whose segments are malformed.
constexpr long long kMaxWeeksSearched = 100000;

struct Span {
    long long begin;  // seconds into the week, Monday 00:00 = 0
    long long end;    // may pass the week's end
};

// The time a segment covers in one week, as spans that may run past the week's end.
std::vector<Span> SegmentSpans(const CTimeStamp& begin, const CTimeStamp& end) {
    std::vector<Span> spans;
    const long long b = (begin.hour * 60 + begin.minute) * 60LL;
    const long long e = (end.hour * 60 + end.minute) * 60LL;
    if (begin.weekday == 0) {
        const long long length = e > b ? e - b : e + kMinutesPerDay * 60 - b;
        for (int day = 0; day < 7; ++day)
            spans.push_back(
                {day * kMinutesPerDay * 60 + b, day * kMinutesPerDay * 60 + b + length});
        return spans;
    }
    const long long wb = (begin.weekday - 1) * kMinutesPerDay * 60 + b;
    const long long we = (end.weekday - 1) * kMinutesPerDay * 60 + e;
    spans.push_back({wb, we > wb ? we : we + kSecondsPerWeek});
    return spans;
}

// Whether [a, b) meets a span repeated every week.
bool MeetsWeekly(long long a, long long b, const Span& span) {
    for (long long shift = -kSecondsPerWeek; shift <= kSecondsPerWeek; shift += kSecondsPerWeek)
        if (a < span.end + shift && span.begin + shift < b) return true;
    return false;
}

long long SecondsIntoWeek(const CTimeStamp& t) {
    return (t.ComputeWeekday() - 1) * kMinutesPerDay * 60 + t.SecondsOfDay();
}

std::vector<Span> JobSpans(const CMeasurementJob& job) {
    std::vector<Span> spans;
    for (int n = 0; n < job.NrMeasSectionsProg && n < kMeasSectionCount; ++n)
        for (const Span& span : SegmentSpans(job.NrMeasSectionsProgStart[size_t(n)],
                                             job.NrMeasSectionsProgEnd[size_t(n)]))
            spans.push_back(span);
    return spans;
}

bool MeetsAny(const std::vector<Span>& spans, long long a, long long b) {
    for (const Span& span : spans)
        if (MeetsWeekly(a, b, span)) return true;
    return false;
}

CTimeStamp WithoutSeconds(CTimeStamp t) {
    t.second = 0;
    t.millisecond = 0;
    return t;
}

}  // namespace

CTimeStamp DefaultJobStart(const CTimeStamp& now, int32_t interval) {
    CTimeStamp start = WithoutSeconds(now);
    start.minute = interval > 600 ? 0 : int16_t(start.minute - start.minute % 10);
    start.AddSeconds(3600);
    return start;
}

int StartChoiceMessage(StartChoice choice) {
    static constexpr int kMessages[] = {1439, 1440, 1441, 1437, 1438, 1443, 1442};
    return kMessages[int(choice)];
}

CTimeStamp ChosenStart(StartChoice choice, const CTimeStamp& now, int32_t interval) {
    static constexpr long long kAdded[] = {60, 120, 300, 600, 900};
    CTimeStamp start = now;
    start.millisecond = 0;
    if (choice == StartChoice::NextHour) {
        start = WithoutSeconds(start);
        start.minute = 0;
        start.AddSeconds(3600);
    } else if (choice == StartChoice::NextDay) {
        start = CTimeStamp(now.year, now.month, now.day, 0, 0, 0);
        start.AddSeconds(kMinutesPerDay * 60);
    } else {
        start.AddSeconds(kAdded[int(choice)]);
        // Up to the next interval boundary; every interval divides the day.
        if (interval > 0) {
            const long long rest = start.SecondsOfDay() % interval;
            if (rest != 0) start.AddSeconds(interval - rest);
        }
    }
    start.weekday = int16_t(start.ComputeWeekday());
    return start;
}

bool IntervalInSegments(const CMeasurementJob& job, const CTimeStamp& t, int32_t interval) {
    const long long a = SecondsIntoWeek(t);
    return MeetsAny(JobSpans(job), a, a + interval);
}

CTimeStamp EndAfterIntervals(const CMeasurementJob& job, const CTimeStamp& start, int32_t count) {
    const int32_t interval = job.Interval > 0 ? job.Interval : 600;
    CTimeStamp end = start;
    const std::vector<Span> spans = JobSpans(job);
    if (spans.empty()) {
        end.AddSeconds(static_cast<long long>(interval) * count);
        return end;
    }
    const long long first = SecondsIntoWeek(start);
    const long long steps = kMaxWeeksSearched * kSecondsPerWeek / interval;
    long long step = 0;
    for (int32_t counted = 0; counted < count && step < steps; ++step) {
        const long long a = (first + step * interval) % kSecondsPerWeek;
        if (MeetsAny(spans, a, a + interval)) ++counted;
    }
    end.AddSeconds(step * interval);
    return end;
}

CTimeStamp RoundDownToInterval(const CTimeStamp& t, int32_t interval) {
    CTimeStamp rounded = t;
    rounded.millisecond = 0;
    if (interval <= 0) return rounded;
    if (interval < 60) {
        rounded.second = int16_t(rounded.second - rounded.second % interval);
        return rounded;
    }
    const int minutes = interval / 60;
    rounded.second = 0;
    rounded.minute = int16_t(rounded.minute - rounded.minute % minutes);
    return rounded;
}

bool SegmentsOverlap(const CTimeStamp& begin1, const CTimeStamp& end1, const CTimeStamp& begin2,
                     const CTimeStamp& end2) {
    for (const Span& first : SegmentSpans(begin1, end1))
        for (const Span& second : SegmentSpans(begin2, end2))
            if (MeetsWeekly(first.begin, first.end, second)) return true;
    return false;
}

CTimeStamp SegmentTime(int weekday, int hour, int minute) {
    CTimeStamp t;
    t.weekday = int16_t(weekday);
    t.hour = int16_t(hour);
    t.minute = int16_t(minute);
    return t;
}

CTimeStamp EarliestJobTime() {
    return CTimeStamp(1982, 1, 1, 0, 0, 0);
}

}  // namespace varelo
