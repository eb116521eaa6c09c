#include <gtest/gtest.h>

#include "timeplot/NiceScale.h"
#include "timeplot/TimeAxis.h"
#include "timeplot/TimePeriodTable.h"

namespace varelo {
namespace {

CTimeStamp At(int day, int hour, int minute, int second = 0) {
    return CTimeStamp(2026, 3, day, hour, minute, second);
}

TEST(TimeAxis, WindowStartsKeepTheirPlaceOrSnapToTheGrid) {
    const CTimeStamp t = At(10, 19, 47, 33);
    struct Case {
        int period;
        CTimeStamp kept, aligned;
    } cases[] = {
        {1, At(10, 19, 47, 30), At(10, 19, 47)},  // tens of seconds / whole minutes
        {2, At(10, 19, 47), At(10, 19, 46)},      // 2-minute grid
        {7, At(10, 19, 47), At(10, 19, 30)},      // 45 minutes: 1170 = 26 x 45
        {8, At(10, 19, 47), At(10, 19, 0)},      {9, At(10, 19, 45), At(10, 18, 0)},  // 2 hours
        {14, At(10, 19, 45), At(10, 12, 0)},                                          // 12 hours
        {15, At(10, 19, 45), At(10, 6, 0)},  // 18 hours: 06:00 from 18:00 on
        {16, At(10, 19, 0), At(10, 0, 0)},       {23, At(10, 19, 0), At(10, 0, 0)},
        {24, At(10, 0, 0), At(10, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period);
        EXPECT_EQ(RoundWindowStart(t, c.period, false), c.kept);
        EXPECT_EQ(RoundWindowStart(t, c.period, true), c.aligned);
    }
    EXPECT_EQ(RoundWindowStart(At(10, 17, 59), 15, true), At(10, 0, 0));
}

TEST(TimeAxis, EndsAreRoundedUpOnlyWhenOffTheGrid) {
    struct Case {
        int period;
        CTimeStamp end, rounded;
    } cases[] = {
        {4, At(10, 10, 3), At(10, 10, 10)},
        {4, At(10, 10, 0), At(10, 10, 0)},  // on the grid: stays
        {15, At(10, 9, 0), At(10, 18, 0)},
        {15, At(10, 18, 0), At(10, 18, 0)},
        {15, At(10, 19, 0), At(11, 0, 0)},
        {16, At(10, 0, 1), At(11, 0, 0)},
        {16, At(11, 0, 0), At(11, 0, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.period);
        EXPECT_EQ(RoundUpWindowEnd(c.end, c.period), c.rounded);
    }
}

// Ten-minute intervals from 2026-03-02 00:10 (the end of the first) to 03-09 00:00.
class TimeAxisWeek : public ::testing::Test {
protected:
    TimeAxis axis{At(2, 0, 10), At(9, 0, 0), 600};
};

TEST_F(TimeAxisWeek, TheMeasurementPeriodBeginsWithTheFirstInterval) {
    axis.SetPeriod(kMeasurementPeriod, true);
    EXPECT_EQ(axis.WindowStart(), At(2, 0, 0));
    EXPECT_EQ(axis.WindowEnd(), At(9, 0, 0));
    EXPECT_EQ(axis.IntervalCount(), 1008);
    EXPECT_FALSE(axis.Scrolls());

    // A single record still spans its interval.
    TimeAxis one(At(2, 0, 10), At(2, 0, 10), 600);
    one.SetPeriod(kMeasurementPeriod, true);
    EXPECT_EQ(one.WindowSeconds(), 600);
    TimeAxis fast(At(2, 0, 10), At(2, 0, 10), 0);
    fast.SetPeriod(kMeasurementPeriod, true);
    EXPECT_EQ(fast.WindowSeconds(), 1);
}

TEST_F(TimeAxisWeek, WindowsBeyondTheMeasurementAreBroughtBack) {
    axis.SetWindowStart(At(1, 0, 0));  // ends where the measurement starts
    axis.SetPeriod(kOneDayPeriod, false);
    EXPECT_EQ(axis.WindowStart(), At(2, 0, 0));

    axis.SetWindowStart(At(9, 0, 0));  // starts where the measurement ends, on the day grid
    axis.SetPeriod(kOneDayPeriod, false);
    EXPECT_EQ(axis.WindowStart(), At(8, 0, 0));
    EXPECT_EQ(axis.WindowEnd(), At(9, 0, 0));
}

TEST_F(TimeAxisWeek, ScrollingMovesByStepsBetweenBothEnds) {
    axis.SetWindowStart(At(2, 0, 0));
    axis.SetPeriod(kOneDayPeriod, true);
    // 24 steps of an hour in the window, 168 in the measurement: positions 0 .. 190.
    EXPECT_EQ(axis.ScrollMax(), 167 + 23);
    EXPECT_EQ(axis.ScrollPosition(), 23);
    EXPECT_FALSE(axis.CanPageBack());  // a page back would pass position 0
    ASSERT_TRUE(axis.ScrollTo(0));     // the window ends with the first hour
    EXPECT_EQ(axis.WindowEnd(), At(2, 1, 0));
    EXPECT_FALSE(axis.CanPageBack());
    EXPECT_FALSE(axis.ScrollTo(-1));
    EXPECT_FALSE(axis.ScrollTo(191));
    ASSERT_TRUE(axis.ScrollTo(190));
    EXPECT_EQ(axis.WindowStart(), At(8, 23, 0));
    EXPECT_FALSE(axis.CanPageForward());
}

TEST_F(TimeAxisWeek, EnlargeNeedsRoomForOneIntervalAndZoomsPickTheirPeriod) {
    axis.SetPeriod(3, true);  // 5 minutes: the 2 minutes below hold no 10-minute interval
    EXPECT_FALSE(axis.CanEnlarge());
    axis.SetPeriod(5, true);  // 15 minutes: the 10 minutes below hold one
    EXPECT_TRUE(axis.CanEnlarge());
    axis.SetPeriod(kMeasurementPeriod, true);
    EXPECT_FALSE(axis.CanReduce());

    EXPECT_EQ(axis.PeriodForLength(3 * 86400.0), 18);  // 3 days hold it exactly
    EXPECT_EQ(axis.PeriodForLength(3.5 * 86400), 19);
    EXPECT_EQ(axis.PeriodForLength(30 * 86400.0), kMeasurementPeriod);
    EXPECT_EQ(axis.PeriodForLength(100), 4);  // never shorter than one interval
}

TEST(NiceScale, TenRoundDivisionsAboveTheLowerBound) {
    struct Case {
        double m, M, bound;
        bool limited;
        double minimum, maximum;
    } cases[] = {
        {0, 7.3, 0, false, 0, 10},
        {231.2, 236.9, 0, false, 229, 239},
        // Steps of 0.5 from -1 give -1 .. 4, cut to 1 at the top.
        {-0.95, 0.95, -1, true, -1, 1},
        // Steps of 0.1: 0.4 .. 1.0 with 3 spare, 0.3 .. 1.3 centred; the top cut by 0.3 takes
        // the bottom down with it.
        {0.5, 0.98, -1, true, 0, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.M);
        const ScaleRange r = NiceScale(c.m, c.M, c.bound, c.limited);
        EXPECT_NEAR(r.minimum, c.minimum, 1e-9);
        EXPECT_NEAR(r.maximum, c.maximum, 1e-9);
    }
}

TEST(NiceScale, PowerFactorsAreFoldedAroundTheirBestValues) {
    // Values near +-1 land near 0; the sign tells the side, 0 lies at the edges.
    const std::pair<double, double> cases[] = {{0.95, 0.05}, {-0.95, -0.05}, {1, 0},
                                               {-1, 0},      {0, 1},         {0.5, 0.5}};
    for (auto [value, folded] : cases)
        EXPECT_NEAR(Fold(value), folded, 1e-12) << value;
    EXPECT_TRUE(IsRangeLimited(84));
    EXPECT_TRUE(IsRangeLimited(108));
    EXPECT_FALSE(IsRangeLimited(86));
}

}  // namespace
}  // namespace varelo
