#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

#include "measurement/MeasurementChannel.h"
#include "measurement/RawScaling.h"
#include "support/SteadyMeasurement.h"
#include "timeplot/CurveData.h"
#include "timeplot/CurvePath.h"

namespace varelo {
namespace {

constexpr int kVoltAvgL1 = 1011;

// Ten-minute intervals whose L1 voltage is given raw, optionally with intervals left out.
class CurvePathTest : public ::testing::Test {
protected:
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 0);
    CRawScaling scaling;
    CurveData curves;

    void Build(const std::vector<int16_t>& raws, const std::vector<size_t>& missing = {}) {
        CTimeStamp t(2026, 3, 2, 0, 10, 0);
        for (size_t i = 0; i < raws.size(); ++i, t.AddSeconds(600)) {
            if (std::find(missing.begin(), missing.end(), i) != missing.end()) continue;
            CIntervalRecord r;
            r.DateTime = t;
            r.VoltAvgPhaseLxRawVal = {raws[i], raws[i], raws[i]};
            data.intervals.Add(r);
        }
        scaling.Build(data.job, data.fileVersion, 0);
        data.intervals.SetScaling(scaling);
        std::vector<CMeasurementChannel> channels(1);
        channels[0].SetupChannel(kVoltAvgL1);
        curves.Build(data.intervals, channels, QuantitySettings{}, 600);
    }
    double Volts(int16_t raw) const { return float(raw * scaling.VoltScale); }
};

TEST_F(CurvePathTest, StepsFollowTheIntervalsAndAGapStartsANewLineWithAMark) {
    Build({10000, 12000, 11000, 9000}, {2});           // the third interval is missing
    const DiagramGeometry g{0, 0, 240, 100, 0, 2400};  // ten pixels a minute
    const YRange range{0, Volts(20000)};
    const std::vector<Polyline> lines = CurvePath(curves, 0, range, g, false);
    ASSERT_EQ(lines.size(), 2u);
    const double y1 = std::round(100 - 50.0), y2 = std::round(100 - 60.0);
    EXPECT_EQ(lines[0], (Polyline{{0, y1}, {60, y1}, {60, y2}, {120, y2}}));
    ASSERT_EQ(lines[1].size(), 2u);
    EXPECT_EQ(lines[1][0].x, 180);
    EXPECT_EQ(GapMarks(curves, g), std::vector<double>{180});

    // Values beyond the range run along its edges.
    const std::vector<Polyline> clipped =
        CurvePath(curves, 0, {Volts(10500), Volts(11500)}, g, false);
    EXPECT_EQ(clipped[0][0].y, 100);
    EXPECT_EQ(clipped[0][2].y, 0);
}

TEST_F(CurvePathTest, EnergyCountsTheSecondsInsideTheWindow) {
    Build({10000, 10000, -5000});
    const double v = Volts(10000), n = Volts(-5000);
    double negative = 0, positive = 0;
    WindowEnergy(curves, 0, 0, 1800, negative, positive);
    EXPECT_NEAR(positive, 2 * v * 600 / 3600, 1e-9);
    EXPECT_NEAR(negative, n * 600 / 3600, 1e-9);
    WindowEnergy(curves, 0, 300, 1200, negative, positive);  // half of the first inside
    EXPECT_NEAR(positive, 1.5 * v * 600 / 3600, 1e-9);
    EXPECT_EQ(negative, 0);
}

TEST_F(CurvePathTest, DecimatedColumnsKeepEntryExtremesAndExit) {
    std::mt19937 random(3);
    std::uniform_int_distribution<int> raw(0, 20000);
    std::vector<int16_t> raws(2000);
    for (auto& r : raws)
        r = int16_t(raw(random));
    Build(raws, {500, 501, 1500});
    const DiagramGeometry g{10, 5, 300, 200, 0, 2000 * 600};
    const YRange range{0, Volts(20000)};
    const auto full = CurvePath(curves, 0, range, g, false);
    const auto fast = CurvePath(curves, 0, range, g, true);
    ASSERT_EQ(full.size(), fast.size());
    // Per line and column the same highest and lowest pixel, in at most four points.
    for (size_t l = 0; l < full.size(); ++l) {
        std::map<double, std::pair<double, double>> a, b;
        auto extent = [](std::map<double, std::pair<double, double>>& m, const PathPoint& p) {
            auto [it, fresh] = m.try_emplace(p.x, p.y, p.y);
            it->second.first = std::min(it->second.first, p.y);
            it->second.second = std::max(it->second.second, p.y);
        };
        for (const PathPoint& p : full[l])
            extent(a, p);
        std::map<double, int> points;
        for (const PathPoint& p : fast[l]) {
            extent(b, p);
            ++points[p.x];
        }
        EXPECT_EQ(a, b) << "line " << l;
        for (auto [x, count] : points)
            EXPECT_LE(count, 4) << x;  // entry, low, high and exit
        EXPECT_EQ(fast[l].front(), full[l].front());
        EXPECT_EQ(fast[l].back(), full[l].back());
    }
}

}  // namespace
}  // namespace varelo
