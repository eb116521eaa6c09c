#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "evaluation/LimitValues.h"
#include "measurement/MeasurementJob.h"
#include "timeplot/LimitLine.h"

namespace varelo {
namespace {

// The built-in 50 Hz set: frequency +1/-1 % (99.5 %) and +4/-6 % (100 %), voltage +10/-10 %
// (95 %) and +10/-15 % (100 %), Pst and Plt 1, unbalance 2 %, THD 8 %, h5 6 %, signalling
// 8.7 % between 100 and 500 Hz. Job: 230 V, 50 Hz.
class LimitLineTest : public ::testing::Test {
protected:
    void SetUp() override {
        limits.SetDefaults(50);
        job.NomVoltRawVal = 23000;
        job.PowSysNomFreq = 50;
    }
    LimitLine For(int channel, int band = 0) {
        return LimitLine::For(channel, band, {limits, job, settings});
    }
    CLimitValues limits;
    CMeasurementJob job;
    QuantitySettings settings{kHarmonicsInNominal, kHarmonicsAbsolute, 50};
};

TEST_F(LimitLineTest, BandsOfFrequencyAndVoltagesInTheirUnits) {
    struct Case {
        int channel, band;
        double upper, lower;
        bool twoSided;
    } const cases[] = {
        {2, 0, 50 * 1.01, 50 * 0.99, true},       // 99.5 % band
        {2, 1, 50 * 1.04, 50 * 0.94, true},       // 100 % band
        {1011, 0, 230 * 1.10, 230 * 0.90, true},  // 95 % band
        {2012, 1, 230 * 1.10, 230 * 0.85, true},  // 100 % band
        {3013, 1, 230 * 1.10, 230 * 0.85, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel * 10 + c.band);
        const LimitLine line = For(c.channel, c.band);
        EXPECT_TRUE(line.defined);
        EXPECT_NEAR(line.upper, c.upper, 1e-9);
        EXPECT_NEAR(line.lower, c.lower, 1e-9);
        EXPECT_EQ(line.twoSided, c.twoSided);
    }
    job.PowSysNomFreq = 60;
    EXPECT_NEAR(For(2, 1).upper, 60 * 1.04, 1e-9);
}

TEST_F(LimitLineTest, SingleLimitsAsTheUpperValue) {
    limits.SetSignallingLimit(175, 3.0f);  // below the interharmonic and default signalling 8.7
    limits.CurrHarm[4] = 40;               // I h5: 40 A
    job.HarmOrder = {350, 0, 0, 0, 0};     // channel 0 at 175 Hz, the others unused
    struct Case {
        int channel;
        double upper;  // 0: no limit line
    } const cases
        [] =
            {
                {1305, 6.0}, {2302, 2.0}, {1301, 0},  // order 1 has no limit in the built-in set
                {1330, 0},   {1125, 40},  {1121, 0}, {4125, 40},  {1401, 3.0},
                {1402, 0},  // an unused channel has no frequency and no limit
                {1017, 1.0}, {2018, 1.0}, {1, 2.0},  {1021, 8.0}, {3022, 8.0},
                {1040, 8.0}, {1039, 0},   {1031, 0}, {1067, 0},   {1084, 0},
            };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.channel);
        const LimitLine line = For(c.channel, 1);
        EXPECT_EQ(line.defined, c.upper > 0);
        EXPECT_NEAR(line.upper, c.upper, 1e-6);
        EXPECT_FALSE(line.twoSided);
    }
}

TEST_F(LimitLineTest, HarmonicLimitsFollowTheUnitTheCurvesAreShownIn) {
    limits.CurrHarm[4] = 40;
    job.HarmOrder = {350, 0, 0, 0, 0};
    settings.voltageReference = kHarmonicsAbsolute;  // h5 6 % of 230 V
    EXPECT_NEAR(For(1305).upper, 6.0 * 2.3, 1e-5);
    EXPECT_NEAR(For(1401).upper, 8.7 * 2.3, 1e-5);
    settings.voltageReference = kHarmonicsInFundamental;
    EXPECT_NEAR(For(1305).upper, 6.0, 1e-6);
    // Amperes make no sense on a curve in percent.
    for (int relative : {kHarmonicsInFundamental, kHarmonicsInRms}) {
        settings.currentReference = relative;
        EXPECT_FALSE(For(1125).defined);
    }
}

TEST_F(LimitLineTest, ALimitOfZeroOrBelowIsNone) {
    limits.FlickPst = 0;
    limits.THD = -1;
    job.NomVoltRawVal = 0;
    for (int channel : {1017, 1022, 1011}) {
        const LimitLine line = For(channel);
        EXPECT_FALSE(line.defined) << channel;
        EXPECT_EQ(line.upper, 0) << channel;
        EXPECT_EQ(line.lower, 0) << channel;
    }
}

}  // namespace
}  // namespace varelo
