#include <gtest/gtest.h>

#include "app/AppOptions.h"
#include "measurement/MeasurementJob.h"
#include "measurement/QuantityCatalogue.h"
#include "timeplot/ChannelFormat.h"
#include "timeplot/ReferenceRanges.h"

namespace varelo {
namespace {

TEST(ChannelFormat, DecimalsFollowTheQuantityAndItsMagnitude) {
    CMeasurementJob job;  // 230 V, 1000 A sensors, 1000 A / 5 A ratio: 17600 / 46000000 < 10
    struct Case {
        int channel;
        double magnitude;
        int decimals;
    } cases[] = {
        {1011, 276, 2}, {1011, 1200, 0}, {1301, 999, 2}, {1121, 79, 3},  {1121, 499, 2},
        {1121, 500, 1}, {1031, 1200, 1}, {1041, 60, 3},  {1084, 1, 3},   {1017, 4, 3},
        {1061, 58, 3},  {1061, 59, 2},   {64, 176, 3},   {64, 177, 2},   {1305, 0, 2},
        {1305, 0.5, 3}, {1305, 9, 2},    {1305, 99, 1},  {1305, 120, 0}, {2, 55, 2},
        {1021, 300, 2},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChannelDecimals(c.channel, job, c.magnitude), c.decimals) << c.channel;

    // A tiny full scale per phase (1 A sensor, 1:1, 1 V) asks for four decimals.
    job.PhCurrClampRawVal = 100;
    job.PhCurrPrimaryRawVal = job.PhCurrSecondaryRawVal = 100;
    job.NomVoltRawVal = 100;
    EXPECT_EQ(ChannelDecimals(1061, job, 1000), 4);
}

TEST(ChannelFormat, WrittenHarmonicsKeepTwoDecimalsOverTheirPercentRange) {
    CMeasurementJob job;
    // Percent references: every harmonic's range ends at 120 %, which gives 0 decimals.
    const ReferenceInputs in{job, kHarmonicsInNominal, kHarmonicsInFundamental};
    const struct {
        int channel;
        int scale;  // ChannelDecimals, for scale labels
        int value;  // ValueDecimals, for written values
    } cases[] = {
        {1305, 0, 2}, {1125, 0, 2}, {1401, 0, 2}, {1201, 0, 2},  // harmonics, interharmonics
        {1301, 2, 2}, {1011, 2, 2},                              // the rule stands elsewhere
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ChannelDecimals(c.channel, in), c.scale) << c.channel;
        EXPECT_EQ(ValueDecimals(c.channel, in), c.value) << c.channel;
    }
    // The fundamental current keeps its own rule: 1 decimal above 500.
    EXPECT_EQ(ValueDecimals(1121, in), ChannelDecimals(1121, in));
}

TEST(ChannelFormat, UnitsFollowTheHarmonicReferencesAndTheWattsChoice) {
    QuantitySettings relative;
    relative.voltageReference = kHarmonicsInNominal;
    relative.currentReference = kHarmonicsInFundamental;
    QuantitySettings absolute;
    absolute.voltageReference = absolute.currentReference = kHarmonicsAbsolute;
    EXPECT_EQ(ChannelUnit(1305, relative), "%");
    EXPECT_EQ(ChannelUnit(1305, absolute), "V");
    EXPECT_EQ(ChannelUnit(4125, relative), "%");
    EXPECT_EQ(ChannelUnit(4125, absolute), "A");
    EXPECT_EQ(ChannelUnit(1011, relative), "V");
    EXPECT_EQ(ChannelUnit(2, relative), "Hz");
    EXPECT_EQ(ChannelUnit(1067, relative), "kW");
    EXPECT_EQ(ChannelUnit(1067, relative, true), "W");
    EXPECT_EQ(ChannelUnit(64, relative), "kVA");
    EXPECT_EQ(ChannelUnit(1079, relative), "kvar");
    EXPECT_EQ(ChannelUnit(89, relative), "kWh");
    EXPECT_EQ(ChannelUnit(1084, relative), "");
}

TEST(ChannelFormat, UnitsOfEveryKindOfQuantityInBothReferences) {
    const QuantitySettings relative{kHarmonicsInNominal, kHarmonicsInRms, 50};
    const QuantitySettings absolute{kHarmonicsAbsolute, kHarmonicsAbsolute, 50};
    struct Case {
        int channel;
        const char* relative;
        const char* absolute;
    } const cases[] = {
        {1011, "V", "V"},     {2, "Hz", "Hz"},  {1031, "A", "A"},       {1, "%", "%"},
        {1061, "kVA", "kVA"}, {70, "kW", "kW"}, {1079, "kvar", "kvar"}, {89, "kWh", "kWh"},
        {1084, "", ""},       {1017, "", ""},   {1305, "%", "V"},       {1401, "%", "V"},
        {4125, "%", "A"},     {1201, "%", "A"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ChannelUnit(c.channel, relative), c.relative) << c.channel;
        EXPECT_EQ(ChannelUnit(c.channel, absolute), c.absolute) << c.channel;
    }
}

}  // namespace
}  // namespace varelo
