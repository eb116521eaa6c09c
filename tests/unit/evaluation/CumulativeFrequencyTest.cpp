#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>
#include <vector>

#include "app/AppOptions.h"
#include "app/Settings.h"
#include "evaluation/CumulativeFrequency.h"
#include "evaluation/LimitValues.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RawScaling.h"
#include "support/SteadyMeasurement.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

TEST(CumulativeFrequency, ClassValuesAreTheSortedValuesAtTheLimitsRanks) {
    struct Case {
        size_t n;
        int lowerLimit, upperLimit;
        size_t lowerIndex, upperIndex;  // trunc(n x limit x 0.01 - 0.5), within 0..n-1
    } cases[] = {
        {1008, 5, 95, 49, 957},  // 49.9 and 957.1
        {1, 5, 95, 0, 0},        // -0.45 truncates toward 0
        {10, 0, 100, 0, 9},      // 9.5 is clamped to the last index
        {20, 1, 2, 0, 0},       {200, 50, 51, 99, 101},
    };
    std::mt19937 random(11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        std::vector<double> values(c.n);
        std::iota(values.begin(), values.end(), 1.0);
        std::shuffle(values.begin(), values.end(), random);
        double lower = -1, upper = -1;
        ClassValues(values, c.lowerLimit, c.upperLimit, lower, upper);
        EXPECT_EQ(lower, double(c.lowerIndex + 1));
        EXPECT_EQ(upper, double(c.upperIndex + 1));
    }
    std::vector<double> equal(7, 4.5);
    double lower = 0, upper = 0;
    ClassValues(equal, 5, 95, lower, upper);
    EXPECT_EQ(lower, 4.5);
    EXPECT_EQ(upper, 4.5);
}

class CumulativeFrequencyTest : public ::testing::Test {
protected:
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 3);
    CLimitValues limits;
    CRawScaling scaling;

    void SetUp() override {
        limits.SetDefaults(50);
        data.job.CurrPowSys = 1;
        scaling.Build(data.job, data.fileVersion, 0);
        data.intervals.SetScaling(scaling);
    }
    CumulativeInput Input(QuantitySettings settings = {}) {
        return {
            data.intervals,
            data.job,
            limits,
            PhasePresence::FromPowerSystem(data.job.VoltPowSysType),
            AvailabilityContext::Build(data.job, data.logger, data.fileVersion, false, true, true),
            settings,
            nullptr,
            [](int id) { return id % 1000 == 11 ? 230.0 : 0.0; }};
    }
};

TEST_F(CumulativeFrequencyTest, VoltageViewListsOrdersThdAndParametersPerPhase) {
    const std::vector<int> ids = CumulativeChannelIds(CumulativeView::kVoltage, Input());
    // Per phase: 50 orders, THD, then V average, min, max, Plt; unbalance and frequency once.
    ASSERT_GE(ids.size(), 3u * 55 + 2);
    EXPECT_EQ(ids[0], 1301);
    EXPECT_EQ(ids[49], 1350);
    EXPECT_EQ(ids[50], 1022);
    EXPECT_EQ(std::vector<int>(ids.begin() + 51, ids.begin() + 57),
              (std::vector<int>{1011, 1013, 1012, 1018, 1001, 1002}));
    EXPECT_EQ(ids[57], 2301);
    EXPECT_EQ(std::count(ids.begin(), ids.end(), 2001), 0);  // unbalance only once
    EXPECT_EQ(ids.back(), 3018);

    // Function P records no harmonics: only the THD and the parameters are offered.
    data.job.MeasFunc = kMeasFuncP;
    const std::vector<int> p = CumulativeChannelIds(CumulativeView::kVoltage, Input());
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(p.front(), 1022);
    EXPECT_EQ(std::count_if(p.begin(), p.end(), [](int id) { return id % 1000 > 300; }), 0);
}

TEST_F(CumulativeFrequencyTest, ExtremesWithTheirTimesAndReferencesInTheChannelsUnit) {
    const int16_t raws[] = {10000, 12000, 9000};
    size_t i = 0;
    for (CIntervalRecord& r : data.intervals)
        r.VoltAvgPhaseLxRawVal[0] = raws[i++];
    const auto channels = ComputeCumulativeFrequency(CumulativeView::kVoltage, Input(), 5, 95);
    const auto v = std::find_if(channels.begin(), channels.end(),
                                [](const CumulativeChannel& c) { return c.channelId == 1011; });
    ASSERT_NE(v, channels.end());
    EXPECT_TRUE(v->hasValues);
    EXPECT_DOUBLE_EQ(v->maximum, 12000 * scaling.VoltScale);
    EXPECT_EQ(v->maximumTime, data.intervals[1].DateTime);
    EXPECT_DOUBLE_EQ(v->minimum, 9000 * scaling.VoltScale);
    EXPECT_EQ(v->minimumTime, data.intervals[2].DateTime);
    // N = 3: ranks trunc(-0.35) = 0 and trunc(2.35) = 2.
    EXPECT_DOUBLE_EQ(v->lower, v->minimum);
    EXPECT_DOUBLE_EQ(v->upper, v->maximum);
    EXPECT_DOUBLE_EQ(v->nominal, 230);
    EXPECT_DOUBLE_EQ(v->limit, 230 * (100 + limits.NplusTol95) / 100);

    // The 5th harmonic's limit is in % of Un, or in volts when harmonics are shown absolute.
    auto fifth = [&](const std::vector<CumulativeChannel>& list) {
        return std::find_if(list.begin(), list.end(),
                            [](const CumulativeChannel& c) { return c.channelId == 1305; })
            ->limit;
    };
    EXPECT_DOUBLE_EQ(fifth(channels), limits.HarmonicLimit(5));
    QuantitySettings absolute;
    absolute.voltageReference = kHarmonicsAbsolute;
    EXPECT_NEAR(fifth(ComputeCumulativeFrequency(CumulativeView::kVoltage, Input(absolute), 5, 95)),
                limits.HarmonicLimit(5) * 2.3, 1e-5);
}

TEST_F(CumulativeFrequencyTest, CurrentHarmonicLimitsApplyOnlyToAmperes) {
    QuantitySettings relative;
    relative.currentReference = kHarmonicsInFundamental;
    QuantitySettings absolute;
    absolute.currentReference = kHarmonicsAbsolute;
    limits.CurrHarm[4] = 12;
    for (auto [settings, expected] : {std::pair{relative, 0.0}, std::pair{absolute, 12.0}}) {
        const auto channels =
            ComputeCumulativeFrequency(CumulativeView::kCurrent, Input(settings), 5, 95);
        const auto fifth =
            std::find_if(channels.begin(), channels.end(),
                         [](const CumulativeChannel& c) { return c.channelId == 1125; });
        ASSERT_NE(fifth, channels.end());
        EXPECT_EQ(fifth->limit, expected);
    }
}

TEST_F(CumulativeFrequencyTest, CurrentViewListsTheNeutralsHarmonicsAndItsOwnQuantities) {
    data.job.NeutralMeas = 1;
    data.logger.HardwType = "408b Logger";  // a variant with a neutral input
    const std::vector<int> ids = CumulativeChannelIds(CumulativeView::kCurrent, Input());
    auto has = [&](int id) { return std::find(ids.begin(), ids.end(), id) != ids.end(); };
    EXPECT_TRUE(has(1125));
    EXPECT_TRUE(has(1040));
    EXPECT_TRUE(has(1037));
    EXPECT_TRUE(has(4125));  // the neutral's harmonics
    EXPECT_TRUE(has(1041));  // its average current, a quantity of its own
    EXPECT_TRUE(has(1047));
    EXPECT_FALSE(has(1011));  // voltages belong to the other view
}

TEST_F(CumulativeFrequencyTest, CaptionsNameTheParametersHarmonicsAndJobChannels) {
    data.job.HarmText[1] = "Ripple 316.5 Hz";
    EXPECT_EQ(CumulativeCaption(1011, data.job), "Voltage average value");
    EXPECT_EQ(CumulativeCaption(4047, data.job), "Neutral crest factor");
    EXPECT_EQ(CumulativeCaption(2402, data.job), "Ripple 316.5 Hz");
    EXPECT_EQ(CumulativeCaption(1305, data.job), "V h5 (relative), average value");
    EXPECT_EQ(CumulativeCaption(1022, data.job), "THD V average");
}

TEST_F(CumulativeFrequencyTest, WithoutIntervalsNoValuesAndWithoutLimitNoReference) {
    limits.SetHarmonicLimit(30, 0);
    const auto scaled = ComputeCumulativeFrequency(CumulativeView::kVoltage, Input(), 5, 95);
    const auto h30 = std::find_if(scaled.begin(), scaled.end(),
                                  [](const CumulativeChannel& c) { return c.channelId == 1330; });
    ASSERT_NE(h30, scaled.end());
    EXPECT_EQ(h30->Reference(0), 0);  // no limit: no bar in limit scaling

    data.intervals = CIntervalList();
    data.intervals.SetScaling(scaling);
    const auto empty = ComputeCumulativeFrequency(CumulativeView::kVoltage, Input(), 5, 95);
    ASSERT_FALSE(empty.empty());
    for (const CumulativeChannel& c : empty)
        EXPECT_FALSE(c.hasValues) << c.channelId;
}

TEST(CumulativeSettings, InvalidStoredValuesReadAsDefaults) {
    test::TempDir dir;
    SettingsStore store(dir.File("Varelo.conf"));
    Settings settings(store);
    struct Case {
        int scaleMode, upper, lower;
        int expectedMode, expectedUpper, expectedLower;
    } cases[] = {
        {1, 95, 5, 1, 95, 5},     {0, 80, 20, 0, 80, 20}, {2, 95, 5, 0, 95, 5},
        {-1, 101, 5, 0, 95, 5},   {1, 50, 50, 1, 50, 5},  {1, 4, 9, 1, 95, 5},
        {1, 100, 99, 1, 100, 99}, {1, 60, -1, 1, 60, 5},
    };
    for (const Case& c : cases) {
        settings.Write(setting::Scalemode, c.scaleMode);
        settings.Write(setting::UpperClassLimit, c.upper);
        settings.Write(setting::LowerClassLimit, c.lower);
        const CumulativeSettings s = CumulativeSettings::Read(settings, CumulativeView::kVoltage);
        EXPECT_EQ(s.scaleMode, c.expectedMode) << c.scaleMode;
        EXPECT_EQ(s.upperClassLimit, c.expectedUpper) << c.upper << "/" << c.lower;
        EXPECT_EQ(s.lowerClassLimit, c.expectedLower) << c.upper << "/" << c.lower;
    }
    // Each view keeps its own scale mode; an absent key is 1.
    EXPECT_EQ(CumulativeSettings::Read(settings, CumulativeView::kCurrent).scaleMode, 1);
}

}  // namespace
}  // namespace varelo
