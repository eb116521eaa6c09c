#include <gtest/gtest.h>

#include "evaluation/LimitValues.h"
#include "evaluation/SignallingStatistics.h"
#include "measurement/MeasurementJob.h"

namespace varelo {
namespace {

// Channel 0 at order 3.5 (350 / 100 x 50 Hz = 175 Hz), channel 1 at 7.5 (375 Hz), the others
// unused (0 Hz). 100 measurements; L1, channel 0: 20 in class 0 (1-2 %), 10 in class 1
// (2-3 %), 5 in class 19 (11.5-100 %), so 65 lie below 1 %.
struct Fixture {
    CMeasurementJob job;
    CLimitValues limits;
    CStatisticSegment segment;

    Fixture() {
        job.NrInterHarm = 2;
        job.HarmOrder = {350, 750, 0, 0, 0};
        segment.NrSignalVoltInterval = 100;
        segment.SignalVal[0][0][0] = 20;
        segment.SignalVal[0][0][1] = 10;
        segment.SignalVal[0][0][19] = 5;
    }
    CSignallingStatistics Build(float limit175, float limit375 = 0) {
        limits.SetSignallingLimit(175, limit175);
        limits.SetSignallingLimit(375, limit375);
        CSignallingStatistics s;
        s.Configure(job, limits, PhasePresence::FromPowerSystem(0));
        s.Add(segment);
        return s;
    }
};

TEST(SignallingStatistics, PercentValueCountsUpFromBelowOnePercent) {
    Fixture fx;
    const CSignallingStatistics s = fx.Build(2.5f);
    EXPECT_EQ(s.Frequency(0), 175);
    EXPECT_EQ(s.BelowOnePercent(0, 0), 65u);
    const struct {
        double x, value;
    } cases[] = {
        {60, 1.0},  // rank 60: the 65 below 1 % already reach it
        {80, 2.0},  // rank 80: 65 + 20 = 85 in class 0
        {90, 3.0},  // 95 in class 1
        {99, 100},  // rank trunc(99.5) = 99: only class 19 reaches it
    };
    for (const auto& c : cases)
        EXPECT_EQ(s.PercentValue(0, 0, c.x), c.value) << c.x;
}

TEST(SignallingStatistics, RankOfTwoAndAHalfRoundsUp) {
    // 50 measurements, 1 in class 0 and 47 in class 5: 2 below 1 %. At x = 5 the rank is
    // trunc(50 x 5 x 0.01 + 0.5) = 3: the 2 below 1 % do not reach it, class 0 does: 2 %.
    Fixture fx;
    fx.segment.NrSignalVoltInterval = 50;
    fx.segment.SignalVal[0][0] = {};
    fx.segment.SignalVal[0][0][0] = 1;
    fx.segment.SignalVal[0][0][5] = 47;
    EXPECT_EQ(fx.Build(2.5f).PercentValue(0, 0, 5), 2.0);
}

TEST(SignallingStatistics, ClassCountsBeyondTheMeasurementsLeaveNothingBelowOnePercent) {
    // 35 values in classes but only 30 measurements: the remainder would wrap around.
    Fixture fx;
    fx.segment.NrSignalVoltInterval = 30;
    const CSignallingStatistics s = fx.Build(2.5f);
    EXPECT_EQ(s.BelowOnePercent(0, 0), 0u);
    EXPECT_EQ(s.PercentValue(0, 0, 50), 2.0);  // rank 15, reached in class 0
    EXPECT_EQ(s.HighestValue(0, 0, 36), 0);
}

TEST(SignallingStatistics, WithinPercentInterpolatesInsideTheLimitsClass) {
    const struct {
        float limit;
        double within;
    } cases[] = {
        {2.5f, 90},  // 65 + 20 + trunc((2.5 - 2) / (3 - 2) x 10) = 90
        {3.0f, 95},  // on an upper edge: class 1 counts whole
        {0.5f, 32},  // trunc(0.5 x 65) = 32
        {0, 100},    // no limit
    };
    for (const auto& c : cases) {
        Fixture fx;
        EXPECT_DOUBLE_EQ(fx.Build(c.limit).WithinPercent(0, 0), c.within) << c.limit;
    }
}

TEST(SignallingStatistics, MaximumAndHighestValues) {
    Fixture fx;
    const CSignallingStatistics s = fx.Build(2.5f);
    EXPECT_EQ(s.Maximum(0, 0), 100);
    EXPECT_EQ(s.HighestValue(0, 0, 5), 100);   // the five in class 19
    EXPECT_EQ(s.HighestValue(0, 0, 6), 3.0);   // then class 1
    EXPECT_EQ(s.HighestValue(0, 0, 36), 1.0);  // below 1 %
    EXPECT_EQ(s.HighestValue(0, 0, 101), 0);   // fewer values
    EXPECT_EQ(s.Maximum(0, 1), 1.0);           // channel 1: everything below 1 %
    CSignallingStatistics empty;
    empty.Configure(fx.job, fx.limits, PhasePresence::FromPowerSystem(0));
    EXPECT_EQ(empty.Maximum(0, 0), 0);
    EXPECT_EQ(empty.WithinPercent(0, 0), 100);
}

TEST(SignallingStatistics, WorstOrderPrefersRatioThenMaximumThenLowerOrder) {
    Fixture fx;
    // Channel 1 gets the same histogram as channel 0: both have 3.0 at 90 %.
    fx.segment.SignalVal[0][1] = fx.segment.SignalVal[0][0];
    // Limits 6 and 3: ratios 0.5 and 1.
    EXPECT_EQ(fx.Build(6, 3).WorstOrder(0, 90), 1);
    // Equal ratio and maximum: the lower HarmOrder, 350 on channel 0 ...
    EXPECT_EQ(fx.Build(3, 3).WorstOrder(0, 90), 0);
    // ... or on channel 1 once the orders are swapped.
    fx.job.HarmOrder = {750, 350, 0, 0, 0};
    EXPECT_EQ(fx.Build(3, 3).WorstOrder(0, 90), 1);
    // Channel 1 moves its top class into class 1: still 3.0 at 90 %, but its maximum drops
    // to 3.0 against 100, so channel 0 wins the equal ratio.
    fx.segment.SignalVal[0][1][19] = 0;
    fx.segment.SignalVal[0][1][1] = 15;
    const CSignallingStatistics s = fx.Build(3, 3);
    EXPECT_EQ(s.PercentValue(0, 1, 90), 3.0);
    EXPECT_EQ(s.WorstOrder(0, 90), 0);
    // No channel with a limit.
    EXPECT_EQ(fx.Build(0, 0).WorstOrder(0, 90), -1);
}

TEST(SignallingStatistics, UnusedChannelsFindNoLimit) {
    // 0 Hz would be entry -1 of the limit table.
    Fixture fx;
    fx.limits.SignallingVolt.fill(8.7f);
    const CSignallingStatistics s = fx.Build(2.5f, 4);
    EXPECT_EQ(s.Frequency(2), 0);
    EXPECT_EQ(s.Limit(2), 0);
    EXPECT_EQ(s.Limit(0), 2.5f);
}

}  // namespace
}  // namespace varelo
