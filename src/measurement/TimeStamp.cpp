#include "measurement/TimeStamp.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <iterator>

namespace varelo {

namespace {

constexpr long long kSecondsPerDay = 86400;

long long FloorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

// Days since 1970-01-01 of a proleptic Gregorian date (month 1-12, any day).
long long DaysFromCivil(long long y, int m, long long d) {
    y -= m <= 2;
    const long long era = FloorDiv(y, 400);
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

struct CivilDate {
    long long year;
    int month;
    int day;
};

CivilDate CivilFromDays(long long z) {
    z += 719468;
    const long long era = FloorDiv(z, 146097);
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    const int d = int(doy - (153 * mp + 2) / 5 + 1);
    const int m = int(mp < 10 ? mp + 3 : mp - 9);
    return {yoe + era * 400 + (m <= 2), m, d};
}

// 1 = Monday ... 7 = Sunday; 1970-01-01 was a Thursday.
int WeekdayFromDays(long long days) {
    return int((days + 3) % 7 + 7) % 7 + 1;
}

// Days since 1970-01-01 of the timestamp's date, months and days out of range carried over.
long long DayNumber(const CTimeStamp& t) {
    const long long months = (long long)t.year * 12 + (t.month - 1);
    return DaysFromCivil(FloorDiv(months, 12), int(months - FloorDiv(months, 12) * 12) + 1, 1) +
           (t.day - 1);
}

long long SecondNumber(const CTimeStamp& t) {
    return DayNumber(t) * kSecondsPerDay + t.hour * 3600LL + t.minute * 60LL + t.second;
}

std::tm ToTm(const CTimeStamp& t) {
    std::tm tm{};
    tm.tm_year = t.year - 1900;
    tm.tm_mon = t.month - 1;
    tm.tm_mday = t.day;
    tm.tm_hour = t.hour;
    tm.tm_min = t.minute;
    tm.tm_sec = t.second;
    tm.tm_wday = t.weekday % 7;  // Sunday is 0 there
    tm.tm_isdst = -1;
    return tm;
}

std::string Strftime(const char* format, const std::tm& tm) {
    char buffer[128];
    size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
    return std::string(buffer, n);
}

// One number of the file form at the start of text. Lenient: blanks and a sign first, any
// number of digits, kept in 16 bits (the standard conversion of the readers); otherwise plain
// digits with an optional minus that fit 16 bits. Returns the characters used, 0 for none.
size_t ParseFileNumber(std::string_view text, bool lenient, int16_t& value) {
    if (!lenient) {
        auto [next, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        return ec == std::errc() ? size_t(next - text.data()) : 0;
    }
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    const size_t digits = i;
    uint64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = v * 10 + unsigned(text[i] - '0');
    if (i == digits) return 0;
    value = int16_t(uint16_t(negative ? 0 - v : v));
    return i;
}

// "year-month-day hour:minute:second" and an optional ".millisecond" at the start of text;
// the characters used, 0 when the text does not start with a timestamp.
size_t ParseFileForm(std::string_view text, bool lenient, CTimeStamp& out) {
    static constexpr char kSeparators[] = {'-', '-', ' ', ':', ':'};
    int16_t values[7] = {};
    size_t pos = 0;
    for (size_t i = 0; i < 6; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != kSeparators[i - 1]) return 0;
            ++pos;
        }
        const size_t used = ParseFileNumber(text.substr(pos), lenient, values[i]);
        if (used == 0) return 0;
        pos += used;
    }
    // Files from elsewhere may end the time at the second: 0 ms then.
    if (pos < text.size() && text[pos] == '.') {
        const size_t used = ParseFileNumber(text.substr(pos + 1), lenient, values[6]);
        if (used > 0) pos += 1 + used;
    }
    out = CTimeStamp(values[0], values[1], values[2], values[3], values[4], values[5], values[6]);
    if (!out.IsValidDateTime()) out.weekday = 0;
    return pos;
}

}  // namespace

CTimeStamp::CTimeStamp(int y, int mo, int d, int h, int mi, int s, int ms)
    : year(int16_t(y)),
      month(int16_t(mo)),
      day(int16_t(d)),
      hour(int16_t(h)),
      minute(int16_t(mi)),
      second(int16_t(s)),
      millisecond(int16_t(ms)) {
    weekday = int16_t(ComputeWeekday());
}

bool CTimeStamp::IsZero() const {
    return year == 0 && month == 0 && day == 0 && hour == 0 && minute == 0 && second == 0 &&
           millisecond == 0 && weekday == 0;
}

int CTimeStamp::Compare(const CTimeStamp& other) const {
    const int16_t a[] = {year, month, day, hour, minute, second, millisecond};
    const int16_t b[] = {other.year,   other.month,  other.day,        other.hour,
                         other.minute, other.second, other.millisecond};
    for (size_t i = 0; i < std::size(a); ++i) {
        if (a[i] != b[i])
            return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

void CTimeStamp::AddSeconds(long long seconds) {
    const long long total = SecondNumber(*this) + seconds;
    const long long days = FloorDiv(total, kSecondsPerDay);
    const long long rest = total - days * kSecondsPerDay;
    const CivilDate date = CivilFromDays(days);
    year = int16_t(date.year);
    month = int16_t(date.month);
    day = int16_t(date.day);
    hour = int16_t(rest / 3600);
    minute = int16_t(rest / 60 % 60);
    second = int16_t(rest % 60);
    weekday = int16_t(WeekdayFromDays(days));
}

long long CTimeStamp::SecondsSince(const CTimeStamp& other) const {
    return SecondNumber(*this) - SecondNumber(other);
}

int CTimeStamp::SecondsOfDay() const {
    const int seconds = hour * 3600 + minute * 60 + second;
    return seconds == 0 ? int(kSecondsPerDay) : seconds;
}

int CTimeStamp::ComputeWeekday() const {
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return 0;
    return WeekdayFromDays(DayNumber(*this));
}

std::time_t CTimeStamp::ToCalendarTime() const {
    if (!IsValidDateTime())
        return -1;
    std::tm tm = ToTm(*this);
    return std::mktime(&tm);
}

CTimeStamp CTimeStamp::FromCalendarTime(std::time_t time) {
    std::tm tm{};
    if (!localtime_r(&time, &tm))
        return {};
    return CTimeStamp(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                      tm.tm_sec);
}

std::string CTimeStamp::FileText() const {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%d-%d-%d %d:%d:%d.%d", year, month, day, hour, minute,
                  second, millisecond);
    return buffer;
}

bool CTimeStamp::ParseFileText(std::string_view text) {
    CTimeStamp t;
    const size_t used = ParseFileForm(text, false, t);
    if (used == 0 || used != text.size()) return false;
    *this = t;
    return true;
}

size_t CTimeStamp::ParseFilePrefix(std::string_view text) {
    CTimeStamp t;
    const size_t used = ParseFileForm(text, true, t);
    if (used > 0) *this = t;
    return used;
}

std::string CTimeStamp::DisplayDate() const {
    return Strftime("%x", ToTm(*this));
}

std::string CTimeStamp::DisplayTime() const {
    return Strftime("%X", ToTm(*this));
}

bool CTimeStamp::IsLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int CTimeStamp::DaysInMonth(int y, int m) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12)
        return 0;
    return m == 2 && IsLeapYear(y) ? 29 : kDays[m - 1];
}

bool CTimeStamp::IsValidDateTime() const {
    return month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month) && hour >= 0 &&
           hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59;
}

TimeSpanParts SplitSeconds(long long seconds) {
    TimeSpanParts parts;
    parts.days = seconds / kSecondsPerDay;
    parts.hours = int(seconds / 3600 % 24);
    parts.minutes = int(seconds / 60 % 60);
    parts.seconds = int(seconds % 60);
    return parts;
}

}  // namespace varelo
