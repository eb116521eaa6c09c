#include <gtest/gtest.h>

#include <array>
#include <utility>
#include <vector>

#include "evaluation/FrequencyStatistics.h"
#include "evaluation/LimitValues.h"
#include "measurement/StatisticSegment.h"

namespace varelo {
namespace {

CLimitValues Tolerances(int plus95, int minus95, int plus100 = 4, int minus100 = 6) {
    CLimitValues l;
    l.FplusTol95 = int16_t(plus95);
    l.FminusTol95 = int16_t(minus95);
    l.FplusTol100 = int16_t(plus100);
    l.FminusTol100 = int16_t(minus100);
    return l;
}

// Classes 20 - a below and 21 + a above the nominal frequency are the a-th counted outward.
// The classes used here span one bin each (a < 6), so their counts are not spread.
CFrequencyStatistics Build(const CLimitValues& limits,
                           const std::vector<std::pair<int, uint32_t>>& classCounts) {
    CStatisticSegment segment;
    for (auto [cls, count] : classCounts)
        segment.Freq10sec[size_t(cls)] = count;
    CFrequencyStatistics f;
    f.Configure(50, limits);
    f.Add(segment);
    return f;
}

TEST(FrequencyStatistics, RemainderGoesToEvenlySpacedBinsInSinglePrecision) {
    // 23 values over 10 bins: 2 each, remainder 3 on bins trunc(10/3 x i - 1), i = 1 to 3,
    // with 10/3 as a float (3.3333333): 2.33 -> 2, 5.67 -> 5, and 3 x 3.3333333f rounds to
    // 10.0f, less 1 -> 9 (in double it would be 8.99999976 -> 8).
    std::array<uint64_t, 10> bins{};
    CFrequencyStatistics::Spread(23, bins);
    EXPECT_EQ(bins, (std::array<uint64_t, 10>{2, 2, 3, 2, 2, 3, 2, 2, 2, 3}));
    // One left over between two bins lands on trunc(2/1 x 1 - 1) = 1, the outer one.
    std::array<uint64_t, 2> pair{};
    CFrequencyStatistics::Spread(5, pair);
    EXPECT_EQ(pair, (std::array<uint64_t, 2>{2, 3}));
}

TEST(FrequencyStatistics, ClassesSpreadIntoTheirBins) {
    // Class 14 is the 6th below (0.6 - 0.8 Hz): bins 6 and 7, 5 values -> 2 and 3.
    // Class 35 is the 14th above (3.0 - 4.0 Hz): bins 30 to 39, 23 values as above.
    // Class 0 is the farthest below (9 - 10 Hz): bins 90 to 99, 10 values -> 1 each.
    const CFrequencyStatistics f = Build(Tolerances(1, 1), {{14, 5}, {35, 23}, {0, 10}});
    EXPECT_EQ(f.Count(), 38u);
    EXPECT_EQ(f.BelowBins()[6], 2u);
    EXPECT_EQ(f.BelowBins()[7], 3u);
    const uint64_t above[] = {2, 2, 3, 2, 2, 3, 2, 2, 2, 3};
    for (int b = 0; b < 10; ++b) {
        EXPECT_EQ(f.AboveBins()[size_t(30 + b)], above[b]) << b;
        EXPECT_EQ(f.BelowBins()[size_t(90 + b)], 1u) << b;
    }
    // Highest used above bin 39: 50 + 4.0; lowest: highest below bin 99: 50 - 10.0.
    EXPECT_DOUBLE_EQ(f.Maximum(), 54.0);
    EXPECT_DOUBLE_EQ(f.Minimum(), 40.0);
}

TEST(FrequencyStatistics, AllValuesInOneBinGiveThatBinsEdges) {
    // 1000 values in class 22 (above bin 1, +0.1 .. +0.2 Hz). D = trunc(0.5 x 1000 x 0.01)
    // = 5; every rank sits in signed bin +2, so the range is (2 - 1) x 0.1 .. 2 x 0.1.
    const CFrequencyStatistics f = Build(Tolerances(1, 1), {{22, 1000}});
    double lower = 0, upper = 0;
    ASSERT_TRUE(f.Range(0, 99.5, lower, upper));
    EXPECT_DOUBLE_EQ(lower, 0.1);
    EXPECT_DOUBLE_EQ(upper, 0.2);
    EXPECT_DOUBLE_EQ(f.PercentValue(0, 99.5), 0.2);
    // Nothing below: the minimum is the lower edge of the lowest used bin above.
    EXPECT_DOUBLE_EQ(f.Maximum(), 50.2);
    EXPECT_DOUBLE_EQ(f.Minimum(), 50.1);
}

// 1000 values: 3 in below bin 4 (signed -5), 494 in below bin 0 (-1), 500 in above bin 0
// (+1), 3 in above bin 2 (+3). D = 5; with split m the lowest remaining value is -5 for
// m <= 2 and -1 from m = 3, the highest remaining +1 for m <= 2 and +3 from m = 3.
const std::vector<std::pair<int, uint32_t>> kTails{{16, 3}, {20, 494}, {21, 500}, {23, 3}};

TEST(FrequencyStatistics, RangeSplitFollowsTheWeights) {
    const struct {
        int plus, minus;
        double lower, upper, percent;
    } cases[] = {
        // Equal tolerances, ratio 1: mid 2: 5 <= 1 fails -> lo 2; mid 3: 1 <= 3 -> hi 3;
        // |5 - 1| = 4 > |1 - 3| = 2: m = 3, cut symmetrically by deviation: -0.1 .. +0.3.
        {1, 1, -0.1, 0.3, 0.3},
        // plus 1 < minus 2: wabove = 2, ratio 2: the same path; |5 - 2| = 3 < |1 - 6| = 5:
        // m = 2, -0.5 .. +0.1, value max(0.5 x 1, 0.1 x 2) = 0.5.
        {1, 2, -0.5, 0.1, 0.5},
        // plus 2 > minus 1: wbelow = 2, ratio 0.5: |5 - 0.5| = 4.5 > |1 - 1.5| = 0.5: m = 3,
        // value max(0.1 x 2, 0.3 x 1) = 0.3.
        {2, 1, -0.1, 0.3, 0.3},
    };
    for (const auto& c : cases) {
        const CFrequencyStatistics f = Build(Tolerances(c.plus, c.minus), kTails);
        double lower = 0, upper = 0;
        ASSERT_TRUE(f.Range(0, 99.5, lower, upper));
        EXPECT_NEAR(lower, c.lower, 1e-12) << c.plus << "/" << c.minus;
        EXPECT_NEAR(upper, c.upper, 1e-12) << c.plus << "/" << c.minus;
        EXPECT_NEAR(f.PercentValue(0, 99.5), c.percent, 1e-12) << c.plus << "/" << c.minus;
    }
}

TEST(FrequencyStatistics, WithinShareHundredPercentValueAndTopFive) {
    const CFrequencyStatistics f = Build(Tolerances(1, 1, 4, 6), kTails);
    // Set 0: L = 1 x 50 / 100 = 0.5 Hz, weights 1: bins with (m + 1) x 0.1 <= 0.5 are
    // within, which takes all four used bins (below 4 and 0, above 0 and 2): 100 %.
    EXPECT_DOUBLE_EQ(f.Tolerance(0), 0.5);
    EXPECT_DOUBLE_EQ(f.WithinPercent(0), 100);
    // Set 1: L = 6 x 50 / 100 = 3 Hz, wabove = 6 / 4 = 1.5.
    EXPECT_DOUBLE_EQ(f.Tolerance(1), 3);
    EXPECT_DOUBLE_EQ(f.WeightAbove(1), 1.5);
    // 100 % value of set 0: max(5 x 1, 3 x 1) x 0.1 = 0.5; of set 1: max(5, 3 x 1.5) x 0.1.
    EXPECT_DOUBLE_EQ(f.HundredPercentValue(0), 0.5);
    EXPECT_DOUBLE_EQ(f.HundredPercentValue(1), 0.5);
    // Top five of set 1: below 5 x 1 = 5 (three), then 1 (two more, the side stops at five);
    // above 3 x 1.5 = 4.5 (three) go before the ones: 5, 5, 5, 4.5, 4.5 -> 49.5 and 50.3.
    const auto top = f.TopFive(1);
    ASSERT_EQ(top.size(), 5u);
    const double expected[] = {49.5, 49.5, 49.5, 50.3, 50.3};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(top[i].value, expected[i], 1e-12) << i;
}

TEST(FrequencyStatistics, EqualScaledDeviationsPutTheLaterSideFirst) {
    // Set 0 with equal tolerances: 2 values in below bin 3 and 2 in above bin 3 all scale to
    // 4; the above side comes second and goes before its equals.
    const CFrequencyStatistics f = Build(Tolerances(1, 1), {{17, 2}, {24, 2}});
    const auto top = f.TopFive(0);
    ASSERT_EQ(top.size(), 4u);
    EXPECT_TRUE(top[0].above);
    EXPECT_TRUE(top[1].above);
    EXPECT_FALSE(top[2].above);
    EXPECT_NEAR(top[0].value, 50.4, 1e-12);
    EXPECT_NEAR(top[3].value, 49.6, 1e-12);
}

TEST(FrequencyStatistics, ZeroToleranceOnOneSideGivesNoRangeAndNoValue) {
    // FplusTol95 0 against FminusTol95 1: wabove = 1 / 0. The side counts as infinitely
    // narrow: nothing above is within, and no range or x % value is reported.
    const CFrequencyStatistics f = Build(Tolerances(0, 1), kTails);
    double lower = 0, upper = 0;
    EXPECT_FALSE(f.Range(0, 99.5, lower, upper));
    EXPECT_EQ(f.PercentValue(0, 99.5), 0);
    EXPECT_EQ(f.HundredPercentValue(0), 0);
    // L = 0.5 Hz: the 497 values below (bins 0 and 4) are within, the 503 above are not.
    EXPECT_DOUBLE_EQ(f.WithinPercent(0), 49.7);
    EXPECT_EQ(f.TopFive(0).size(), 5u);
}

TEST(FrequencyStatistics, NoValuesAndSharesThatLeaveNone) {
    CFrequencyStatistics empty;
    empty.Configure(0, Tolerances(1, 1));  // a job without frequency counts as 50 Hz
    double lower = 0, upper = 0;
    EXPECT_FALSE(empty.Range(0, 99.5, lower, upper));
    EXPECT_EQ(empty.WithinPercent(0), 0);
    EXPECT_DOUBLE_EQ(empty.Maximum(), 50);
    EXPECT_TRUE(empty.TopFive(1).empty());
    const CFrequencyStatistics f = Build(Tolerances(1, 1), kTails);
    EXPECT_FALSE(f.Range(0, 0, lower, upper));
    EXPECT_FALSE(f.Range(0, 150, lower, upper));
}

}  // namespace
}  // namespace varelo
