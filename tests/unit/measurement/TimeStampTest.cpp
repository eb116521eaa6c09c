#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>

#include "measurement/TimeStamp.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

TEST(TimeStamp, DateValidityFollowsMonthLengthsAndGregorianLeapYears) {
    struct Case {
        int year, month, day, hour, minute, second;
        bool valid;
    };
    const Case cases[] = {
        {2024, 2, 29, 0, 0, 0, true},  {2023, 2, 29, 0, 0, 0, false},
        {2000, 2, 29, 0, 0, 0, true},  {1900, 2, 29, 0, 0, 0, false},
        {2023, 2, 28, 0, 0, 0, true},  {2023, 4, 31, 0, 0, 0, false},
        {2023, 4, 30, 0, 0, 0, true},  {2023, 12, 31, 23, 59, 59, true},
        {2023, 13, 1, 0, 0, 0, false}, {2023, 0, 1, 0, 0, 0, false},
        {2023, 1, 0, 0, 0, 0, false},  {2023, 1, 1, 24, 0, 0, false},
        {2023, 1, 1, 0, 60, 0, false}, {2023, 1, 1, 0, 0, 60, false},
        {2023, 1, 1, -1, 0, 0, false},
    };
    for (const Case& c : cases) {
        CTimeStamp t(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ(t.IsValidDateTime(), c.valid) << t.FileText();
    }
    EXPECT_EQ(CTimeStamp::DaysInMonth(2024, 2), 29);
    EXPECT_EQ(CTimeStamp::DaysInMonth(2100, 2), 28);
    EXPECT_EQ(CTimeStamp::DaysInMonth(2023, 0), 0);
}

TEST(TimeStamp, AddingSecondsCarriesAcrossMonthsYearsAndLeapDays) {
    struct Case {
        CTimeStamp start;
        long long seconds;
        CTimeStamp expected;
    };
    const Case cases[] = {
        {{2023, 12, 31, 23, 59, 59}, 1, {2024, 1, 1, 0, 0, 0}},
        {{2024, 1, 1, 0, 0, 0}, -1, {2023, 12, 31, 23, 59, 59}},
        {{2024, 2, 28, 23, 0, 0}, 3600, {2024, 2, 29, 0, 0, 0}},
        {{2023, 2, 28, 23, 0, 0}, 3600, {2023, 3, 1, 0, 0, 0}},
        {{2100, 2, 28, 12, 0, 0}, 86400, {2100, 3, 1, 12, 0, 0}},
        {{2024, 3, 1, 0, 0, 0}, -1, {2024, 2, 29, 23, 59, 59}},
        {{2024, 1, 1, 0, 0, 0}, 366LL * 86400, {2025, 1, 1, 0, 0, 0}},
        {{2023, 1, 31, 10, 0, 0}, 31LL * 86400, {2023, 3, 3, 10, 0, 0}},
        {{1999, 6, 15, 12, 30, 0}, -30LL * 365 * 86400, {1969, 6, 22, 12, 30, 0}},
        {{2024, 4, 30, 23, 59, 0}, 120, {2024, 5, 1, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        CTimeStamp t = c.start;
        t.AddSeconds(c.seconds);
        EXPECT_EQ(t.FileText(), c.expected.FileText()) << c.start.FileText() << " + " << c.seconds;
        EXPECT_EQ(t.weekday, c.expected.weekday) << t.FileText();
        EXPECT_EQ(t.SecondsSince(c.start), c.seconds) << t.FileText();
    }
}

TEST(TimeStamp, SubtractingKeepsMillisecondsAndDifferencesIgnoreThem) {
    CTimeStamp t(2024, 1, 1, 0, 0, 10, 750);
    t.SubtractSeconds(11);
    EXPECT_EQ(t.FileText(), "2023-12-31 23:59:59.750");
    EXPECT_EQ(CTimeStamp(2024, 1, 1, 0, 0, 1, 0).SecondsSince(CTimeStamp(2024, 1, 1, 0, 0, 0, 999)),
              1);
}

TEST(TimeStamp, DifferenceSplitsIntoDaysHoursMinutesSeconds) {
    const long long seconds =
        CTimeStamp(2024, 3, 2, 1, 1, 1).SecondsSince(CTimeStamp(2024, 2, 28, 0, 0, 0));
    TimeSpanParts parts = SplitSeconds(seconds);
    EXPECT_EQ(parts.days, 3);  // across the leap day
    EXPECT_EQ(parts.hours, 1);
    EXPECT_EQ(parts.minutes, 1);
    EXPECT_EQ(parts.seconds, 1);
    parts = SplitSeconds(-seconds);
    EXPECT_EQ(parts.days, -3);
    EXPECT_EQ(parts.hours, -1);
    EXPECT_EQ(parts.minutes, -1);
    EXPECT_EQ(parts.seconds, -1);
}

TEST(TimeStamp, OrdersChronologicallyWithoutTheWeekday) {
    CTimeStamp a(2024, 5, 1, 12, 0, 0, 1);
    CTimeStamp b(2024, 5, 1, 12, 0, 0, 2);
    EXPECT_EQ(a.Compare(b), -1);
    EXPECT_EQ(b.Compare(a), 1);
    EXPECT_LT(CTimeStamp(2023, 12, 31, 23, 59, 59), CTimeStamp(2024, 1, 1, 0, 0, 0));
    EXPECT_GT(CTimeStamp(2024, 2, 1, 0, 0, 0), CTimeStamp(2024, 1, 31, 23, 59, 59));
    CTimeStamp c = a;
    c.weekday = 0;
    EXPECT_EQ(a.Compare(c), 0);
    EXPECT_TRUE(a <= c && c <= a);
    EXPECT_NE(a, c);  // a segment's weekday is part of its value
}

TEST(TimeStamp, WeekdayIsComputedFromTheDate) {
    EXPECT_EQ(CTimeStamp(1970, 1, 1, 0, 0, 0).weekday, 4);  // Thursday
    EXPECT_EQ(CTimeStamp(2024, 1, 1, 0, 0, 0).weekday, 1);  // Monday
    EXPECT_EQ(CTimeStamp(2023, 12, 31, 0, 0, 0).weekday, 7);
    EXPECT_EQ(CTimeStamp(2000, 2, 29, 0, 0, 0).weekday, 2);
    EXPECT_EQ(CTimeStamp(1969, 12, 31, 0, 0, 0).weekday, 3);
    EXPECT_EQ(CTimeStamp(2023, 2, 29, 0, 0, 0).weekday, 0);
}

TEST(TimeStamp, SecondsOfDayCountMidnightAsTheEndOfTheDay) {
    EXPECT_EQ(CTimeStamp(2024, 1, 1, 0, 0, 0).SecondsOfDay(), 86400);
    EXPECT_EQ(CTimeStamp(2024, 1, 1, 0, 0, 1).SecondsOfDay(), 1);
    EXPECT_EQ(CTimeStamp(2024, 1, 1, 23, 59, 59).SecondsOfDay(), 86399);
}

TEST(TimeStamp, ZeroMeansNotSet) {
    CTimeStamp t;
    EXPECT_TRUE(t.IsZero());
    EXPECT_TRUE(CTimeStamp(0, 0, 0, 0, 0, 0).IsZero());
    t = CTimeStamp(2024, 1, 1, 0, 0, 0);
    EXPECT_FALSE(t.IsZero());
    t.SetZero();
    EXPECT_TRUE(t.IsZero());
}

TEST(TimeStamp, FileTextHasNoLeadingZerosAndReadsBack) {
    const CTimeStamp t(2006, 5, 3, 10, 0, 7, 45);
    EXPECT_EQ(t.FileText(), "2006-5-3 10:0:7.45");
    CTimeStamp read;
    ASSERT_TRUE(read.ParseFileText("2006-5-3 10:0:7.45"));
    EXPECT_EQ(read.FileText(), t.FileText());
    EXPECT_EQ(read.weekday, t.weekday);
    for (const char* bad : {"2006-5-3T10:0:7.0", "2006-5-3 10:0:7.0x", "", "99999-5-3 10:0:7.0",
                            "2006-5-3 10:0:7.0 "}) {
        EXPECT_FALSE(read.ParseFileText(bad)) << bad;
    }
    EXPECT_EQ(read.FileText(), t.FileText());
}

// Files from elsewhere may end a time at the second; it reads with 0 ms instead of as "not
// set". The readers take a timestamp at the start of a value (ParseFilePrefix), a whole text
// must be exactly one (ParseFileText).
TEST(TimeStamp, FileTextWithoutMillisecondsReadsWithZero) {
    const CTimeStamp midnight(2024, 3, 8, 0, 0, 0);
    struct Case {
        const char* text;
        size_t prefixUsed;  // 0: not a timestamp
        bool wholeText;
        CTimeStamp expected;
    } cases[] = {
        {"2024-3-8 0:0:0", 14, true, midnight},
        {"2024-3-8 0:0:0.250", 18, true, CTimeStamp(2024, 3, 8, 0, 0, 0, 250)},
        {"2024-3-8 0:0:0,17,", 14, false, midnight},  // a row goes on after it
        {"2024-3-8 0:0:0.</t>", 14, false, midnight},
        {" 2024-3-8 0:0:0", 15, false, midnight},
        {"2024-3-8 0:0", 0, false, {}},
        {"2024-3-8", 0, false, {}},
    };
    for (const Case& c : cases) {
        CTimeStamp prefix, whole;
        EXPECT_EQ(prefix.ParseFilePrefix(c.text), c.prefixUsed) << c.text;
        EXPECT_EQ(prefix, c.expected) << c.text;
        EXPECT_EQ(whole.ParseFileText(c.text), c.wholeText) << c.text;
        EXPECT_EQ(whole, c.wholeText ? c.expected : CTimeStamp()) << c.text;
    }
    EXPECT_EQ(midnight.weekday, 5);  // a Friday
}

// Sets the process's time zone for its lifetime.
class ScopedTimeZone {
  public:
    explicit ScopedTimeZone(const char* zone) : env_(std::in_place, "TZ", zone) { tzset(); }
    ~ScopedTimeZone() {
        env_.reset();
        tzset();
    }

  private:
    std::optional<test::ScopedEnv> env_;
};

TEST(TimeStamp, CalendarTimeIsLocalTime) {
    ScopedTimeZone utc("UTC0");
    EXPECT_EQ(CTimeStamp(1970, 1, 2, 0, 0, 0).ToCalendarTime(), 86400);
    const CTimeStamp back = CTimeStamp::FromCalendarTime(951782400);
    EXPECT_EQ(back.FileText(), "2000-2-29 0:0:0.0");
    EXPECT_EQ(back.weekday, 2);
    EXPECT_EQ(CTimeStamp(2023, 2, 29, 0, 0, 0).ToCalendarTime(), -1);
    ScopedTimeZone berlin("CET-1CEST,M3.5.0,M10.5.0/3");
    EXPECT_EQ(CTimeStamp(2024, 7, 1, 2, 0, 0).ToCalendarTime(), 1719792000);  // summer time
}

TEST(TimeStamp, DisplayTextFollowsTheLocale) {
    // The tests run in the "C" locale, whose date and time forms are fixed.
    EXPECT_EQ(CTimeStamp(2024, 1, 2, 13, 5, 9).DisplayText(), "01/02/24 13:05:09");
}

}  // namespace
}  // namespace varelo
