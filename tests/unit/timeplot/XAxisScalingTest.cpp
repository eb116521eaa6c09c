#include <gtest/gtest.h>

#include "timeplot/XAxisScaling.h"

namespace varelo {
namespace {

CTimeStamp At(int day, int hour, int minute) {
    return CTimeStamp(2026, 3, day, hour, minute, 0);
}

std::vector<int> Downwards(int from, int to) {
    std::vector<int> periods;
    for (int p = from; p >= to; --p)
        periods.push_back(p);
    return periods;
}

TEST(XAxisScaling, OffersNoPeriodShorterThanOneInterval) {
    struct Case {
        int intervalSeconds;
        int shortest;
    } const cases[] = {{1, 1}, {60, 1}, {600, 4}, {900, 5}, {3600, 8}};
    for (const Case& c : cases) {
        const TimeAxis axis(At(2, 0, 0), At(9, 0, 0), c.intervalSeconds);
        EXPECT_EQ(XAxisScaling(axis).Periods(), Downwards(26, c.shortest)) << c.intervalSeconds;
    }
}

TEST(XAxisScaling, ChoosingAPeriodAlignsTheStartWithinTheMeasurement) {
    // Ten-minute intervals from 2 March 00:10 (the first record at 00:20) to 9 March.
    TimeAxis axis(At(2, 0, 20), At(9, 0, 0), 600);
    axis.SetWindowStart(CTimeStamp(2026, 3, 4, 13, 37, 20));
    axis.SetPeriod(8, false);
    XAxisScaling scaling(axis);
    EXPECT_EQ(scaling.MeasurementStart(), At(2, 0, 10));
    EXPECT_EQ(scaling.Period(), 8);
    EXPECT_EQ(scaling.Start(), At(4, 13, 37));
    EXPECT_TRUE(scaling.DateEnabled() && scaling.TimeEnabled());

    struct Step {
        int period;
        CTimeStamp picked, shown;
        bool date, time;
    } const steps[] = {
        {9, At(4, 13, 37), At(4, 12, 0), true, true},    // 2 hours
        {15, At(4, 19, 5), At(4, 6, 0), true, true},     // 18 hours, from 18:00 on
        {24, At(4, 19, 5), At(4, 0, 0), true, false},    // 14 days: midnight
        {8, At(2, 0, 15), At(2, 0, 10), true, true},     // 00:00 is before the measurement
        {4, At(9, 0, 5), At(9, 0, 0), true, true},       // the last possible start
        {16, At(10, 3, 0), At(2, 0, 10), true, true},    // after the measurement
        {26, At(5, 7, 30), At(5, 7, 30), false, false},  // the whole measurement
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.period);
        scaling.SetStart(s.picked);
        scaling.ChoosePeriod(s.period);
        EXPECT_EQ(scaling.Period(), s.period);
        EXPECT_EQ(scaling.Start(), s.shown);
        EXPECT_EQ(scaling.DateEnabled(), s.date);
        EXPECT_EQ(scaling.TimeEnabled(), s.time);
    }
    scaling.ChoosePeriod(3);  // 5 minutes is not offered
    EXPECT_EQ(scaling.Period(), 26);
}

TEST(XAxisScaling, OkSetsTheStartAndThenThePeriodWithoutAlign) {
    TimeAxis axis(At(2, 0, 10), At(9, 0, 0), 600);
    XAxisScaling scaling(axis);
    EXPECT_EQ(scaling.Period(), 26);
    scaling.ChoosePeriod(9);
    scaling.SetStart(At(5, 10, 47));  // picked after choosing: kept on the 5-minute grid
    scaling.Apply(axis);
    EXPECT_EQ(axis.Period(), 9);
    EXPECT_EQ(axis.WindowStart(), At(5, 10, 45));
    EXPECT_EQ(axis.WindowEnd(), At(5, 12, 45));
}

}  // namespace
}  // namespace varelo
