#include <gtest/gtest.h>

#include <vector>

#include "evaluation/LimitValues.h"
#include "evaluation/VoltageVariation.h"
#include "measurement/RawScaling.h"

namespace varelo {
namespace {

// Nominal 100 V at 1 V per raw unit: U0 = trunc(100 / 1) = 100.
CRawScaling UnitScaling() {
    CRawScaling s;
    s.VoltScale = 1;
    s.NomVolt = 100;
    return s;
}

CLimitValues Tolerances(float plus0, float minus0, float plus1, float minus1) {
    CLimitValues l;
    l.NplusTol95 = plus0;
    l.NminusTol95 = minus0;
    l.NplusTol100 = plus1;
    l.NminusTol100 = minus1;
    return l;
}

// Values of phase L1 given oldest first; minute i is the time of value i.
CVoltageVariation Build(const CLimitValues& limits, const std::vector<int>& values,
                        const CRawScaling& scaling = UnitScaling()) {
    CVoltageVariation v;
    v.Configure(limits, scaling, PhasePresence::FromPowerSystem(3), values.size());
    for (size_t i = values.size(); i-- > 0;)
        v.Add(0, int16_t(values[i]), CTimeStamp(2024, 3, 1, 0, int(i % 60), 0));
    v.Finish();
    return v;
}

// Ten values; x = 60 discards D = trunc(10 x 40 / 100) = 4, keeping six: v[m] .. v[m + 5].
//   m:            0        1         2         3         4
//   kept:       70..101  85..103   92..106   96..118   99..120
//   below/above  30/1     15/3      8/6       4/18      1/20
const std::vector<int> kSpread{70, 85, 92, 96, 99, 101, 103, 106, 118, 120};

TEST(VoltageVariation, BisectionOfTheRangeWeighsTheSides) {
    const struct {
        float plus, minus;
        long long lower, upper;
        double percent;
    } cases[] = {
        // +10 % / -5 %: wminus = 1, wplus = 5 / 10 = 0.5, ratio wplus / wminus = 0.5.
        // lo 0, hi 4; mid 2: 8 <= 0.5 x 6 fails -> lo 2; mid 3: 4 <= 0.5 x 18 -> hi 3.
        // |8 - 0.5 x 6| = 5 and |4 - 0.5 x 18| = 5 tie, so hi: m = 3, range -4 .. +18,
        // larger normalized deviation max(4 x 1, 18 x 0.5) = 9.
        {10, 5, -4, 18, 9},
        // +-10 %: both weights 1. mid 2: 8 <= 6 fails -> lo 2; mid 3: 4 <= 18 -> hi 3;
        // |8 - 6| = 2 < |4 - 18| = 14: m = 2, range -8 .. +6, value 8.
        {10, 10, -8, 6, 8},
    };
    for (const auto& c : cases) {
        const CVoltageVariation v = Build(Tolerances(c.plus, c.minus, 10, 10), kSpread);
        long long lower = 0, upper = 0;
        ASSERT_TRUE(v.Range(0, 0, 60, lower, upper));
        EXPECT_EQ(lower, c.lower) << c.plus << "/" << c.minus;
        EXPECT_EQ(upper, c.upper) << c.plus << "/" << c.minus;
        EXPECT_DOUBLE_EQ(v.PercentValue(0, 0, 60), c.percent);
    }
}

TEST(VoltageVariation, WithinShareTopFiveAndExtremes) {
    // Set 0: +10 % / -5 % of U0 = 100: 95 <= v <= 110 holds 96 ... 106, five of ten.
    // Set 1: +-10 %: 90 <= v <= 110 holds 92 ... 106, six of ten.
    const CVoltageVariation v = Build(Tolerances(10, 5, 10, 10), kSpread);
    EXPECT_EQ(v.Nominal(), 100);
    EXPECT_EQ(v.TolerancePlus(0), 10);
    EXPECT_EQ(v.ToleranceMinus(0), 5);
    EXPECT_DOUBLE_EQ(v.WithinPercent(0, 0), 50);
    EXPECT_DOUBLE_EQ(v.WithinPercent(1, 0), 60);
    EXPECT_EQ(v.Maximum(0), 120);
    EXPECT_EQ(v.Minimum(0), 70);
    // Normalized deviations of set 0: below x 1, above x 0.5: 70 -> 30, 85 -> 15, 120 -> 10,
    // 118 -> 9, 92 -> 8 lead; they read back as the voltages.
    const auto top = v.TopFive(0);
    const int expected[] = {70, 85, 120, 118, 92};
    ASSERT_EQ(top.size(), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_NEAR(top[i].value, expected[i], 1e-9) << i;
    EXPECT_FALSE(top[0].above);
    EXPECT_TRUE(top[2].above);
}

TEST(VoltageVariation, EqualDeviationsOnBothSidesKeepTheNewestFirst) {
    // +10 % / -5 %: 96 (4 below, x 1) and 108 (8 above, x 0.5) both deviate by 4. Fed newest
    // first, the later one (minute 1) leads.
    const CVoltageVariation v = Build(Tolerances(10, 5, 10, 10), {96, 108});
    const auto top = v.TopFive(0);
    ASSERT_EQ(top.size(), 2u);
    EXPECT_EQ(top[0].time.minute, 1);
    EXPECT_NEAR(top[0].value, 108, 1e-9);
    EXPECT_EQ(top[1].time.minute, 0);
}

TEST(VoltageVariation, AWeekAtNinetyFivePercentDiscardsFifty) {
    // 1008 values, all above U0: 101 ... 1108. D = trunc(1008 x 5 / 100) = 50. With every
    // value above nominal the bisection ends at m = 0, so the range runs from v[0] to
    // v[1008 - 50 - 1] = v[957] = 1058: deviations +1 .. +958.
    std::vector<int> week;
    for (int i = 0; i < 1008; ++i)
        week.push_back(101 + i);
    const CVoltageVariation v = Build(Tolerances(10, 10, 10, 10), week);
    long long lower = 0, upper = 0;
    ASSERT_TRUE(v.Range(0, 0, 95, lower, upper));
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 958);
    // At 100 % nothing is discarded: minimum and maximum.
    ASSERT_TRUE(v.Range(1, 0, 100, lower, upper));
    EXPECT_EQ(lower, 1);
    EXPECT_EQ(upper, 1008);
}

TEST(VoltageVariation, SharesThatLeaveNoValueGiveNoRange) {
    // A limit file with an empty block has Histogram 0: every value would be discarded.
    const CVoltageVariation v = Build(Tolerances(10, 10, 10, 10), kSpread);
    long long lower = 7, upper = 7;
    for (double x : {0.0, -5.0, 120.0, 250.0}) {
        EXPECT_FALSE(v.Range(0, 0, x, lower, upper)) << x;
        EXPECT_EQ(v.PercentValue(0, 0, x), 0) << x;
    }
    EXPECT_EQ(lower, 7);
    // No values at all.
    EXPECT_FALSE(v.Range(0, 1, 95, lower, upper));
    EXPECT_EQ(v.WithinPercent(0, 1), 0);
}

TEST(VoltageVariation, ZeroToleranceOnOneSideGivesNoRangeButKeepsItsValues) {
    // +0 % / -5 %: the lower side's weight is 0 / 5 = 0 and the range search would divide by
    // it. The top five still reads the lower side back as the measured voltages.
    const CVoltageVariation v = Build(Tolerances(0, 5, 10, 10), kSpread);
    long long lower = 0, upper = 0;
    EXPECT_FALSE(v.Range(0, 0, 60, lower, upper));
    EXPECT_EQ(v.PercentValue(0, 0, 60), 0);
    EXPECT_TRUE(v.Range(1, 0, 60, lower, upper));
    // Above: x 1 (120 -> 20, 118 -> 18, 106 -> 6, 103 -> 3, 101 -> 1); below all weigh 0.
    const auto top = v.TopFive(0);
    ASSERT_EQ(top.size(), 5u);
    EXPECT_NEAR(top[0].value, 120, 1e-9);
    EXPECT_NEAR(top[4].value, 101, 1e-9);
    // Within: 100 - 5 <= v <= 100 + 0 holds 96 and 99.
    EXPECT_DOUBLE_EQ(v.WithinPercent(0, 0), 20);
}

TEST(VoltageVariation, DamagedTolerancesStayWithinRange) {
    // A file's float of 3e38 % would make trunc(3e36 x U0) overflow any integer; it is clamped
    // and every value lies within.
    const CVoltageVariation v = Build(Tolerances(3e38f, 3e38f, 10, 10), kSpread);
    EXPECT_EQ(v.TolerancePlus(0), 1000000000000000LL);
    EXPECT_DOUBLE_EQ(v.WithinPercent(0, 0), 100);
}

TEST(VoltageVariation, NoVoltageScaleMeansNoNominalVoltage) {
    // A transformer with secondary 0 gives a voltage scale of 0: U0 would be NomVolt / 0.
    CRawScaling broken = UnitScaling();
    broken.VoltScale = 0;
    const CVoltageVariation v = Build(Tolerances(10, 10, 10, 10), kSpread, broken);
    EXPECT_FALSE(v.HasNominal());
    long long lower = 0, upper = 0;
    EXPECT_FALSE(v.Range(0, 0, 95, lower, upper));
    EXPECT_EQ(v.PercentValue(1, 0, 100), 0);
    EXPECT_EQ(v.Maximum(0), 120);
}

}  // namespace
}  // namespace varelo
