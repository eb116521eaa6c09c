#include <gtest/gtest.h>

#include <vector>

#include "evaluation/RelativeHistogram.h"
#include "evaluation/TopFive.h"

namespace varelo {
namespace {

CTimeStamp Minute(int m) {
    return CTimeStamp(2024, 3, 1, 0, m, 0);
}

// Feeds phase L1 as the evaluation does: newest first for the top five, then oldest first.
CRelativeHistogram Fill(HistogramRule rule, const std::vector<double>& values) {
    CRelativeHistogram h(rule);
    for (size_t i = values.size(); i-- > 0;)
        h.AddTop(0, values[i], Minute(int(i)));
    for (double v : values)
        h.AddClass(0, v);
    return h;
}

TEST(TopFive, EqualValuesKeepTheFirstMetUnlessInsertedBeforeThem) {
    CTopFive<> after, before;
    for (int i = 0; i < 7; ++i) {
        // 5, 7, 5, 9, 5, 7, 5 met in this order
        const double v = i % 2 == 0 ? 5 : (i == 3 ? 9 : 7);
        after.Insert({v, Minute(i)});
        before.InsertBeforeEqual({v, Minute(i)});
    }
    ASSERT_EQ(after.size(), 5u);
    // 9 (minute 3), 7 (1), 7 (5), then the first two 5s: minutes 0 and 2.
    const int afterMinutes[] = {3, 1, 5, 0, 2};
    // Before equals: 9 (3), 7 (5), 7 (1), then the last two 5s: minutes 6 and 4.
    const int beforeMinutes[] = {3, 5, 1, 6, 4};
    for (size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(after[i].time.minute, afterMinutes[i]) << i;
        EXPECT_EQ(before[i].time.minute, beforeMinutes[i]) << i;
    }
}

TEST(RelativeHistogram, BackwardPassPutsTheNewestOfEqualValuesFirst) {
    // Minutes 0..3 hold 4, 8, 8, 8: fed newest first, minute 3 leads the three eights.
    const CRelativeHistogram h = Fill(HistogramRule::kHarmonic, {4, 8, 8, 8});
    ASSERT_EQ(h.TopFive(0).size(), 4u);
    EXPECT_EQ(h.TopFive(0)[0].time.minute, 3);
    EXPECT_EQ(h.TopFive(0)[1].time.minute, 2);
    EXPECT_EQ(h.TopFive(0)[2].time.minute, 1);
    EXPECT_EQ(h.TopFive(0)[3].value, 4);
    EXPECT_EQ(h.Maximum(0), 8);
}

TEST(RelativeHistogram, HarmonicPercentValueFromItsClasses) {
    // Maximum 333, classes of 3.33: 0 -> class 0, 50 -> 15 (15.02), 100 -> 30 (30.03),
    // 333 -> 99.
    const CRelativeHistogram h = Fill(HistogramRule::kHarmonic, {0, 50, 100, 333});
    EXPECT_EQ(h.ClassCount(0, 0), 1u);
    EXPECT_EQ(h.ClassCount(0, 15), 1u);
    EXPECT_EQ(h.ClassCount(0, 30), 1u);
    EXPECT_EQ(h.ClassCount(0, 99), 1u);
    // x = 50: rank trunc(4 x 0.5 + 0.5) = 2, reached in class 15:
    // 333 x 16 x 0.01 = 53.28, rounded to the raw unit 53.
    EXPECT_EQ(h.PercentValue(0, 50), 53);
    // x = 75: rank 3, class 30: 333 x 31 x 0.01 = 103.23 -> 103.
    EXPECT_EQ(h.PercentValue(0, 75), 103);
    // x = 100: rank 4, class 99: 333 x 100 x 0.01 = 333.
    EXPECT_EQ(h.PercentValue(0, 100), 333);
    EXPECT_EQ(h.PercentValue(0, 0), 0);
    // THD is not rounded.
    EXPECT_NEAR(Fill(HistogramRule::kThd, {0, 50, 100, 333}).PercentValue(0, 50), 53.28, 1e-9);
}

TEST(RelativeHistogram, RankOfTwoAndAHalfRoundsUpExceptForFlicker) {
    // 50 values: 0, 10 and 20 in classes 0, 10 and 20, and 47 at the maximum 100 (class 99).
    // x = 5: 50 x 5 x 0.01 = 2.5, so the rank is 3 (class 20) or, for flicker, 2 (class 10).
    std::vector<double> values{0, 10, 20};
    values.resize(50, 100);
    const struct {
        HistogramRule rule;
        double expected;
    } cases[] = {
        {HistogramRule::kHarmonic, 21},  // 100 x 21 x 0.01
        {HistogramRule::kThd, 21},
        {HistogramRule::kUnbalance, 21},
        {HistogramRule::kFlicker, 11},  // 100 x 11 x 0.01
    };
    for (const auto& c : cases)
        EXPECT_NEAR(Fill(c.rule, values).PercentValue(0, 5), c.expected, 1e-9) << int(c.rule);
}

TEST(RelativeHistogram, MaximumOfZero) {
    // Harmonics and THD put every value in class 0, unbalance and flicker in class 99; the
    // x % value is 0 whatever x is.
    const struct {
        HistogramRule rule;
        int expectedClass;
    } cases[] = {
        {HistogramRule::kHarmonic, 0},
        {HistogramRule::kThd, 0},
        {HistogramRule::kUnbalance, 99},
        {HistogramRule::kFlicker, 99},
    };
    for (const auto& c : cases) {
        const CRelativeHistogram h = Fill(c.rule, {0, 0, 0});
        EXPECT_EQ(h.ClassCount(0, c.expectedClass), 3u) << int(c.rule);
        for (double x : {1.0, 50.0, 95.0, 100.0})
            EXPECT_EQ(h.PercentValue(0, x), 0) << int(c.rule) << " x=" << x;
    }
}

TEST(RelativeHistogram, WithinPercentCountsClassesWhoseLowerEdgeIsWithinTheLimit) {
    std::vector<double> values{0, 10, 20};
    values.resize(50, 100);
    CRelativeHistogram h = Fill(HistogramRule::kHarmonic, values);
    // Classes j with j x 100 x 0.01 <= 15: 0 to 15, holding 0 and 10: 2 of 50 = 4 %.
    h.SetLimit(15);
    EXPECT_DOUBLE_EQ(h.WithinPercent(0), 4);
    // A limit of 20 takes class 20 as well: 6 %.
    h.SetLimit(20);
    EXPECT_DOUBLE_EQ(h.WithinPercent(0), 6);
    // No limit, or no values: 0.
    h.SetLimit(0);
    EXPECT_EQ(h.WithinPercent(0), 0);
    h.SetLimit(20);
    EXPECT_EQ(h.WithinPercent(1), 0);
}

}  // namespace
}  // namespace varelo
