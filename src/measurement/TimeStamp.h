#pragma once

#include <compare>
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

namespace varelo {

// A date and time as the Logger and the measurement files carry it. All fields zero means
// "not set". The weekday (1 = Monday ... 7 = Sunday, 0 = unknown) rides along: the
// constructor and the arithmetic keep it in step with the date, and the chronological order
// ignores it. (Measurement segments of a job use only weekday, hour and minute, which is why
// equality still looks at every field.)
class CTimeStamp {
  public:
    int16_t year = 0;  // four digits
    int16_t month = 0;
    int16_t day = 0;
    int16_t hour = 0;
    int16_t minute = 0;
    int16_t second = 0;
    int16_t millisecond = 0;
    int16_t weekday = 0;

    CTimeStamp() = default;
    CTimeStamp(int year, int month, int day, int hour, int minute, int second, int millisecond = 0);

    void SetZero() { *this = CTimeStamp(); }
    bool IsZero() const;

    // Chronological order, year to millisecond: -1, 0 or +1.
    int Compare(const CTimeStamp& other) const;
    friend std::weak_ordering operator<=>(const CTimeStamp& a, const CTimeStamp& b) {
        return a.Compare(b) <=> 0;
    }
    // Same value in all eight fields.
    friend bool operator==(const CTimeStamp&, const CTimeStamp&) = default;

    // Calendar arithmetic, carrying across month and year ends (Gregorian leap years). The
    // milliseconds stay as they are.
    void AddSeconds(long long seconds);
    void SubtractSeconds(long long seconds) { AddSeconds(-seconds); }
    // this - other in whole seconds; milliseconds are not counted.
    long long SecondsSince(const CTimeStamp& other) const;

    // Seconds since midnight; midnight itself counts as the end of the day (86400).
    int SecondsOfDay() const;
    // 1 = Monday ... 7 = Sunday; 0 when the date is not valid.
    int ComputeWeekday() const;

    // Local calendar time of the runtime library; -1 when the date cannot be represented.
    std::time_t ToCalendarTime() const;
    static CTimeStamp FromCalendarTime(std::time_t time);

    // "year-month-day hour:minute:second.millisecond" without leading zeros.
    std::string FileText() const;
    // Reads a text that is exactly the file form, plain numbers within 16 bits; false (and
    // *this unchanged) when it is not one. Without ".millisecond" the milliseconds are 0.
    bool ParseFileText(std::string_view text);
    // Reads the file form at the start of text as the file readers take it: each number
    // after optional blanks and a sign, kept in 16 bits; without ".millisecond" the
    // milliseconds are 0. Returns the characters used; 0, with *this unchanged, when the
    // text does not start with a timestamp.
    size_t ParseFilePrefix(std::string_view text);
    // Date and time in the regional format of the current locale.
    std::string DisplayDate() const;
    std::string DisplayTime() const;
    std::string DisplayText() const { return DisplayDate() + " " + DisplayTime(); }

    static bool IsLeapYear(int year);
    // 0 for a month outside 1 to 12.
    static int DaysInMonth(int year, int month);
    // Month 1-12, day within the month, hour 0-23, minute and second 0-59.
    bool IsValidDateTime() const;
};

// A number of seconds split as a time span; all parts carry the sign of the whole.
struct TimeSpanParts {
    long long days = 0;
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};
TimeSpanParts SplitSeconds(long long seconds);

}  // namespace varelo
