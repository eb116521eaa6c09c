#include "sim/SimDateTime.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <ctime>

namespace varelo::sim {

namespace {

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

bool Number(std::string_view text, size_t offset, size_t width, int& value) {
    if (offset + width > text.size()) return false;
    for (size_t i = offset; i < offset + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    std::from_chars(text.data() + offset, text.data() + offset + width, value);
    return true;
}

}  // namespace

bool SimDateTime::Parse(std::string_view text, SimDateTime& out) {
    SimDateTime t;
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':' || text[16] != ':')
        return false;
    if (!Number(text, 0, 4, t.year) || !Number(text, 5, 2, t.month) || !Number(text, 8, 2, t.day) ||
        !Number(text, 11, 2, t.hour) || !Number(text, 14, 2, t.minute) ||
        !Number(text, 17, 2, t.second))
        return false;
    if (t.year < 1982 || t.year > 2081 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > DaysInMonth(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59)
        return false;
    out = t;
    return true;
}

SimDateTime SimDateTime::LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};  // no leap second
}

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long DaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    d = int(doy - (153 * mp + 2) / 5 + 1);
    m = int(mp < 10 ? mp + 3 : mp - 9);
    y = int(yoe + era * 400 + (m <= 2));
}

}  // namespace

long long SimDateTime::Seconds() const {
    return DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
}

SimDateTime SimDateTime::FromSeconds(long long seconds) {
    long long days = seconds / 86400;
    long long rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    SimDateTime t;
    CivilFromDays(days, t.year, t.month, t.day);
    t.hour = int(rest / 3600);
    t.minute = int(rest / 60 % 60);
    t.second = int(rest % 60);
    return t;
}

int SimDateTime::Weekday() const {
    // 1970-01-01 was a Thursday.
    const long long days = DaysFromCivil(year, month, day);
    return int(((days + 3) % 7 + 7) % 7) + 1;
}

std::string SimDateTime::Text() const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

}  // namespace varelo::sim
