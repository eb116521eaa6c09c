#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "evaluation/FlickerStatistics.h"
#include "measurement/IntervalRecord.h"

namespace varelo {
namespace {

// Pst of phase L1 per interval, raw in 0.001, oldest first.
CFlickerStatistics Build(const std::vector<int>& pstRaw, double limit = 1.0) {
    CFlickerStatistics f(PhasePresence::FromPowerSystem(3), pstRaw.size());
    for (size_t i = 0; i < pstRaw.size(); ++i) {
        CIntervalRecord r;
        r.DateTime = CTimeStamp(2024, 3, 1, int(i / 6), int(i % 6) * 10, 0);
        r.FlickPstPhaseLxRawVal[0] = int16_t(pstRaw[i]);
        f.Add(r);
    }
    f.Finish();
    f.SetLimit(limit);
    return f;
}

TEST(FlickerStatistics, PltOfTheLastTwelvePst) {
    // Twelve Pst of 1.0, then one of 2.0: interval 12 (index 11) is the first with a full
    // window: cbrt(12 x 1 / 12) = 1. Interval 13 has eleven 1.0 and one 2.0:
    // cbrt((11 + 8) / 12) = cbrt(1.58333) = 1.16553 (1.16553^3 = 1.58333).
    std::vector<int> pst(12, 1000);
    pst.push_back(2000);
    const CFlickerStatistics f = Build(pst);
    const std::vector<double>& plt = f.PltSeries(0);
    ASSERT_EQ(plt.size(), 13u);
    for (size_t i = 0; i < 11; ++i)
        EXPECT_EQ(plt[i], 0) << i;
    EXPECT_DOUBLE_EQ(plt[11], 1.0);
    EXPECT_NEAR(plt[12], 1.16553, 1e-5);
    EXPECT_DOUBLE_EQ(f.Maximum(0), plt[12]);
    EXPECT_EQ(f.Minimum(0), 0);
    EXPECT_EQ(f.TopFive(0)[0].time, CTimeStamp(2024, 3, 1, 2, 0, 0));
    // At or below 1.0: the eleven zeros and the 1.0, 12 of 13.
    EXPECT_DOUBLE_EQ(f.WithinPercent(0), 12.0 / 13 * 100);
}

TEST(FlickerStatistics, PltAtOrBelowTheCutCountsAsZero) {
    // Twelve Pst of 0.14 give a Plt of 0.14 <= 0.148: 0. Twelve of 0.15 give 0.15.
    EXPECT_EQ(Build(std::vector<int>(12, 140)).PltSeries(0)[11], 0);
    EXPECT_NEAR(Build(std::vector<int>(12, 150)).PltSeries(0)[11], 0.15, 1e-12);
}

TEST(FlickerStatistics, FewerThanTwelveIntervalsGiveOnlyZeros) {
    const CFlickerStatistics f = Build(std::vector<int>(11, 5000));
    for (double plt : f.PltSeries(0))
        EXPECT_EQ(plt, 0);
    EXPECT_EQ(f.Maximum(0), 0);
    EXPECT_EQ(f.PercentValue(0, 95), 0);
    EXPECT_DOUBLE_EQ(f.WithinPercent(0), 100);
    // No limit: no share.
    EXPECT_EQ(Build(std::vector<int>(11, 5000), 0).WithinPercent(0), 0);
}

TEST(FlickerStatistics, EqualPltKeepsTheOldestFirst) {
    // Constant Pst: every Plt from interval 12 on is the same; fed oldest first, interval 12
    // (index 11) leads its equals.
    const CFlickerStatistics f = Build(std::vector<int>(15, 1000));
    ASSERT_EQ(f.TopFive(0).size(), 5u);
    EXPECT_EQ(f.TopFive(0)[0].time, CTimeStamp(2024, 3, 1, 1, 50, 0));
    EXPECT_EQ(f.TopFive(0)[3].time, CTimeStamp(2024, 3, 1, 2, 20, 0));
    EXPECT_EQ(f.TopFive(0)[4].value, 0);  // only four Plt above 0
}

}  // namespace
}  // namespace varelo
