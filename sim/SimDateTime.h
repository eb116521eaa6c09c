#pragma once

#include <string>
#include <string_view>

namespace varelo::sim {

// A calendar date and time as the simulated Logger keeps it; the wire takes the year modulo
// 100.
struct SimDateTime {
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const SimDateTime&) const = default;

    // "YYYY-MM-DD HH:MM:SS" of a valid date between 1982 and 2081 (the years two digits can
    // tell apart); false for anything else.
    static bool Parse(std::string_view text, SimDateTime& out);
    // The host's local time.
    static SimDateTime LocalNow();
    std::string Text() const;

    // Seconds since 1970-01-01 00:00 of the same calendar (no time zone), and back.
    long long Seconds() const;
    static SimDateTime FromSeconds(long long seconds);
    // 1 = Monday ... 7 = Sunday.
    int Weekday() const;
};

}  // namespace varelo::sim
