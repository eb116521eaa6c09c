#pragma once

#include <cmath>
#include <cstdint>

#include "measurement/TimeStamp.h"

namespace varelo::sim {

// Calendar facts of a time given in seconds since the measurement's start: the load follows
// the time of day, the weekday and the season. Absolute seconds count from 2000-01-01 00:00
// (a Saturday), so the generator's noise belongs to the clock time, not to the position in the
// measurement.
class MeasurementCalendar {
public:
    explicit MeasurementCalendar(const CTimeStamp& start)
        : start_(start), base_(start.SecondsSince(CTimeStamp(2000, 1, 1, 0, 0, 0))) {}

    const CTimeStamp& Start() const { return start_; }
    double Absolute(double t) const { return double(base_) + t; }
    int64_t Day(double t) const { return int64_t(std::floor(Absolute(t) / 86400)); }
    double SecondOfDay(double t) const { return Absolute(t) - double(Day(t)) * 86400; }
    // 1 = Monday ... 7 = Sunday.
    int Weekday(double t) const { return int(((Day(t) + 5) % 7 + 7) % 7) + 1; }
    bool IsWeekend(double t) const { return Weekday(t) >= 6; }
    // +1 in mid-January, -1 in mid-July.
    double Winter(double t) const {
        return std::cos(2 * 3.141592653589793 * (double(Day(t)) - 14) / 365.2425);
    }
    // Seconds since the start at which the day of absolute day number `day` begins.
    double DayStart(int64_t day) const { return double(day) * 86400 - double(base_); }
    // The timestamp `seconds` after the start.
    CTimeStamp At(int64_t seconds, int milliseconds = 0) const {
        CTimeStamp t = start_;
        t.AddSeconds(seconds);
        t.millisecond = int16_t(milliseconds);
        return t;
    }

private:
    CTimeStamp start_;
    int64_t base_;
};

}  // namespace varelo::sim
