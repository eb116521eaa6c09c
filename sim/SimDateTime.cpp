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

std::string SimDateTime::Text() const {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", year, month, day, hour,
                  minute, second);
    return text;
}

}  // namespace varelo::sim
