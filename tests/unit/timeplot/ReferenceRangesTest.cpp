#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>
#include <vector>

#include "app/AppOptions.h"
#include "measurement/ExtremeValues.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementJob.h"
#include "support/SteadyMeasurement.h"
#include "timeplot/ReferenceRanges.h"

namespace varelo {
namespace {

// Defaults: 230 V nominal, range code 6 (230 V), Wye, 1000 A sensors, 1000 A / 5 A
// transformers switched off, 50 Hz.
struct Case {
    const char* what;
    std::function<void(CMeasurementJob&)> job;
    int channel;
    double begin, end, nominal;
};

TEST(ReferenceRanges, MeasuringRangeAndNominalValuePerQuantity) {
    const double si = 230 * 1000 * 0.001, st = 3 * si;  // Ur x sensor x 0.00001 (x 0.00003)
    const Case cases[] = {
        {"frequency of a 50 Hz job", nullptr, 2, 45, 55, 50},
        {"60 Hz", [](CMeasurementJob& j) { j.PowSysNomFreq = 60; }, 2, 54, 66, 60},
        {"voltage: 1.2 x the input range", nullptr, 1011, 0, 276, 230},
        {"voltage through a 20 kV / 100 V transformer",
         [](CMeasurementJob& j) {
             j.VoltTransformer = 1;
             j.VoltPrimaryRawVal = 2000000;
             j.VoltSecondaryRawVal = 10000;
         },
         2011, 0, 1.2 * 230 * 200, 230},
        {"phase current, transformer off", nullptr, 1031, 0, 1200, 1000},
        {"phase current, 1000 A / 5 A transformer on",
         [](CMeasurementJob& j) { j.PhCurrTransformer = 1; }, 1031, 0, 240000, 200000},
        {"peak current: nominal x sqrt 2", nullptr, 33, 0, 1200, 1000 * std::sqrt(2.0)},
        {"basic-family neutral, 150 A sensor: half the sensor for the range",
         [](CMeasurementJob& j) {
             j.InstrHardwNr = 300;
             j.NeutralClampCurrRawVal = 15000;
         },
         4041, 0, 90, 150},
        {"extended-family neutral keeps the whole sensor",
         [](CMeasurementJob& j) {
             j.InstrHardwNr = 400;
             j.NeutralClampCurrRawVal = 15000;
         },
         4041, 0, 180, 150},
        {"109 on the neutral", [](CMeasurementJob& j) { j.NeutralClampCurrRawVal = 5000; }, 4109, 0,
         60, 50},
        {"109 on a phase", nullptr, 2109, 0, 1200, 1000},
        {"apparent power average from 0", nullptr, 1061, 0, 1.44 * si, si},
        {"active power average symmetric", nullptr, 1067, -1.44 * si, 1.44 * si, si},
        {"total active power symmetric", nullptr, 69, -1.44 * st, 1.44 * st, st},
        {"power with the phase transformer", [](CMeasurementJob& j) { j.PhCurrTransformer = 1; },
         1061, 0, 1.44 * si * 200, si * 200},
        {"power factor", nullptr, 1084, -1, 1, 0},
        {"cos phi total", nullptr, 107, -1, 1, 1},
        {"THD", nullptr, 1021, 0, 300, 10},
        {"flicker", nullptr, 1017, 0, 4, 1},
        {"unbalance", nullptr, 1, 0, 5, 2},
        {"an unlisted quantity keeps what the caller set", nullptr, 1014, -7, 7, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMeasurementJob job;
        if (c.job) c.job(job);
        const ReferenceInputs in{job, kHarmonicsInNominal, kHarmonicsAbsolute};
        double begin = -7, end = 7;
        MeasuringRange(in, c.channel, begin, end);
        EXPECT_NEAR(begin, c.begin, 1e-9);
        EXPECT_NEAR(end, c.end, 1e-9);
        EXPECT_NEAR(NominalValue(in, c.channel), c.nominal, 1e-9);
    }
}

TEST(ReferenceRanges, HarmonicsFollowTheirReference) {
    CMeasurementJob job;
    const ReferenceInputs relative{job, kHarmonicsInNominal, kHarmonicsInFundamental};
    const ReferenceInputs absolute{job, kHarmonicsAbsolute, kHarmonicsAbsolute};
    struct {
        int channel;
        double relativeEnd, absoluteEnd, relativeNominal, absoluteNominal;
    } cases[] = {
        {1301, 120, 276, 100, 230},  // the fundamental: 1.2 x Un, nominal Un
        {1305, 120, 276, 10, 23},    // higher orders: a tenth of Un
        {3402, 120, 276, 10, 23},    // interharmonics as the higher orders
        {2125, 120, 1200, -1, -1},   // currents: 1.2 x Ip (nominal from the recordings)
        {4203, 120, 1200, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.channel);
        double begin = -1, end = -1;
        MeasuringRange(relative, c.channel, begin, end);
        EXPECT_EQ(begin, 0);
        EXPECT_NEAR(end, c.relativeEnd, 1e-9);
        MeasuringRange(absolute, c.channel, begin, end);
        EXPECT_NEAR(end, c.absoluteEnd, 1e-9);
        if (c.relativeNominal >= 0) {
            EXPECT_NEAR(NominalValue(relative, c.channel), c.relativeNominal, 1e-9);
            EXPECT_NEAR(NominalValue(absolute, c.channel), c.absoluteNominal, 1e-9);
        }
    }
}

TEST(ReferenceRanges, RoundUpStepsByTenThenByHundred) {
    const std::pair<double, double> cases[] = {{7, 10},      {-3, 10},     {10, 10},     {123, 130},
                                               {1000, 1000}, {1001, 1100}, {999.5, 1000}};
    for (auto [x, expected] : cases)
        EXPECT_EQ(RoundUp(x), expected) << x;
}

// The current harmonics' nominal value comes from the recorded maxima over L1-L3 and N.
TEST(ReferenceRanges, CurrentHarmonicNominalFromTheRecordedMaxima) {
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 2);
    CRawScaling scaling;
    scaling.Build(data.job, data.fileVersion, 0);
    data.intervals.SetScaling(scaling);
    auto nominalFor = [&](double fundamentalAmps, double fifthAmps, int conductor) {
        for (CIntervalRecord& r : data.intervals) {
            const int16_t mean = 30000;
            if (conductor == 3)
                r.NeutralCurrAvgRawVal = mean;
            else
                r.CurrAvgPhaseLxRawVal[size_t(conductor)] = mean;
            r.SetCurrHarm(conductor, 1,
                          int16_t(std::lround(fundamentalAmps / scaling.CurrH1Scale)));
            r.SetCurrHarm(conductor, 5, int16_t(std::lround(fifthAmps / scaling.CurrH1Scale)));
        }
        std::vector<CMeasurementChannel> channels(2);
        channels[0].SetupChannel(ChannelIdOf(conductor, 121));
        channels[1].SetupChannel(ChannelIdOf(conductor, 125));
        for (auto& c : channels)
            c.relative = false;  // amperes
        ExtremeValueTable extremes;
        extremes.Compute(data.intervals, channels);
        const ReferenceInputs in{data.job, kHarmonicsInNominal, kHarmonicsAbsolute, &extremes};
        return std::pair{NominalValue(in, 1121), NominalValue(in, 2125)};
    };
    // b = 95 A, h = 8 A: e = 100, 12 > 8, so 100 for the fundamental and 10 for the others.
    auto [fundamental, fifth] = nominalFor(95, 8, 0);
    EXPECT_EQ(fundamental, 100);
    EXPECT_EQ(fifth, 10);
    // Then h = 135 A on the neutral: 12 < 135, RoundUp of the larger for every order.
    std::tie(fundamental, fifth) = nominalFor(95, 135, 3);
    EXPECT_EQ(fundamental, 140);
    EXPECT_EQ(fifth, 140);
}

}  // namespace
}  // namespace varelo
