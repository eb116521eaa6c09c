// The application-oriented channel selection's rules: which applications a phase choice
// offers, the curves an application gives, and the Y range of each curve.
#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "measurement/MeasurementJob.h"
#include "timeplot/AoaChannelRules.h"
#include "timeplot/NiceScale.h"

namespace varelo {
namespace {

using Channels = std::vector<int>;

CAOAChannelInfo Channel(int quantity, int16_t phase = 0) {
    CAOAChannelInfo info;
    info.Quantity = quantity;
    info.Phase = phase;
    return info;
}

CAOAChannelInfo Interharmonic(uint8_t relative, float frequencyOrOrder, uint8_t principle) {
    CAOAChannelInfo info = Channel(400);
    info.FreqMeasurement = relative;
    info.FreqOrOrder = frequencyOrOrder;
    info.MeasPrinciple = principle;
    return info;
}

CAOAApplication Application(uint8_t mode, std::vector<CAOAChannelInfo> channels) {
    CAOAApplication application;
    application.Mode = mode;
    application.Channels = std::move(channels);
    return application;
}

// A three-phase function A measurement at 50 Hz with two interharmonic channels: order 3.5
// measured absolutely (175 Hz) and order 2.5 relative, both averaged.
class AoaChannelRulesTest : public ::testing::Test {
protected:
    AoaChannelRulesTest() {
        job.MeasFunc = kMeasFuncA;
        job.PowSysNomFreq = 50;
        job.NrInterHarm = 2;
        job.HarmOrder = {350, 250, 0, 0, 0};
        job.HarmFreqSync = {0, 1, 0, 0, 0};
        job.HarmMeasPrinciple = {0, 0, 0, 0, 0};
        availability.measFunc = kMeasFuncA;
        availability.phases = {true, true, true};
        availability.threePhase = true;
    }
    Channels Curves(const CAOAApplication& application, int phaseChoice) const {
        Channels ids;
        for (const AoaCurve& curve : AoaCurves(application, phaseChoice, job, availability))
            ids.push_back(curve.channelId);
        return ids;
    }

    CMeasurementJob job;
    AvailabilityContext availability;
};

TEST_F(AoaChannelRulesTest, APhaseChoiceOffersTheApplicationsOfItsMode) {
    CAOAAppGroup group;
    group.Applications = {
        Application(CAOAApplication::kAll, {}), Application(CAOAApplication::kOne, {}),
        Application(CAOAApplication::kMixed, {}), Application(CAOAApplication::kOne, {})};
    EXPECT_EQ(AoaApplicationsFor(group, 1), (Channels{1, 3}));
    EXPECT_EQ(AoaApplicationsFor(group, 3), (Channels{1, 3}));
    EXPECT_EQ(AoaApplicationsFor(group, kAoaPhaseAll), (Channels{0}));
    EXPECT_EQ(AoaApplicationsFor(group, kAoaPhaseMixed), (Channels{2}));
}

TEST_F(AoaChannelRulesTest, ChannelsFollowThePhaseChoiceSingleQuantitiesStandBare) {
    const CAOAApplication average = Application(CAOAApplication::kAll, {Channel(11), Channel(2)});
    // All: V average of L1, L2, L3, then the one frequency curve.
    EXPECT_EQ(Curves(average, kAoaPhaseAll), (Channels{1011, 2011, 3011, 2}));
    EXPECT_EQ(Curves(average, 2), (Channels{2011, 2}));
    // Mixed: each channel's own phase; a channel without one takes L1.
    const CAOAApplication mixed =
        Application(CAOAApplication::kMixed, {Channel(11, 3), Channel(31, 0), Channel(2, 2)});
    EXPECT_EQ(Curves(mixed, kAoaPhaseMixed), (Channels{3011, 1031, 2}));
}

TEST_F(AoaChannelRulesTest, RepeatedChannelsMissingQuantitiesAndPhasesAreLeftOut) {
    // 11 twice, then V max once per phase via Mixed and the same L1 channel again.
    EXPECT_EQ(Curves(Application(CAOAApplication::kAll, {Channel(11), Channel(12), Channel(11)}),
                     kAoaPhaseAll),
              (Channels{1011, 2011, 3011, 1012, 2012, 3012}));
    EXPECT_EQ(Curves(Application(CAOAApplication::kMixed,
                                 {Channel(11, 1), Channel(11, 0), Channel(11, 2)}),
                     kAoaPhaseMixed),
              (Channels{1011, 2011}));
    // Neutral current (41) needs a measured neutral; 403 is beyond the job's two channels.
    EXPECT_EQ(Curves(Application(CAOAApplication::kAll, {Channel(41), Channel(403), Channel(2)}),
                     kAoaPhaseAll),
              (Channels{2}));
    // A single-phase measurement draws nothing for L2 and L3.
    availability.phases = {true, false, false};
    availability.threePhase = false;
    EXPECT_EQ(Curves(Application(CAOAApplication::kAll, {Channel(11)}), kAoaPhaseAll),
              (Channels{1011}));
}

TEST_F(AoaChannelRulesTest, TwelvePerPhaseChannelsUnderAllStopAtNine) {
    std::vector<CAOAChannelInfo> channels;
    for (int q : {11, 12, 13, 31})
        channels.push_back(Channel(q));
    const Channels curves = Curves(Application(CAOAApplication::kAll, channels), kAoaPhaseAll);
    EXPECT_EQ(curves, (Channels{1011, 2011, 3011, 1012, 2012, 3012, 1013, 2013, 3013}));
}

TEST_F(AoaChannelRulesTest, InterharmonicsResolveAgainstTheJobsChannels) {
    struct Case {
        CAOAChannelInfo channel;
        int expected;  // 401 + job channel index, 0 without a match
    };
    const Case cases[] = {
        {Interharmonic(1, 2.5f, 0), 402},     // HarmOrder 250 x 0.01, synchronous, averaged
        {Interharmonic(1, 2.5004f, 0), 402},  // within 0.0005 of the order
        {Interharmonic(1, 2.501f, 0), 0},    {Interharmonic(1, 2.5f, 2), 0},  // another principle
        {Interharmonic(1, 3.5f, 0), 0},      // order 3.5 is measured absolutely
        {Interharmonic(0, 175.2f, 0), 401},  // trunc(350 x 0.01 x 50) = round(175.2)
        {Interharmonic(0, 125.f, 0), 0},     // 2.5 is synchronous, not absolute
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AoaInterharmonicQuantity(c.channel, job), c.expected)
            << int(c.channel.FreqMeasurement) << " " << c.channel.FreqOrOrder << " "
            << int(c.channel.MeasPrinciple);
    }
    // In an application the match takes the channel's place; without one it is skipped.
    const CAOAApplication application = Application(
        CAOAApplication::kAll, {Interharmonic(1, 2.5f, 0), Interharmonic(1, 7.f, 0), Channel(2)});
    EXPECT_EQ(Curves(application, kAoaPhaseAll), (Channels{1402, 2402, 3402, 2}));
}

// Nominal 230 V, measuring range 0 .. 276 V, recorded 207 .. 253 V for the voltages;
// power factor 84 recorded 0.5 .. 0.98 (values).
class AoaRangeTest : public ::testing::Test {
protected:
    YRange Range(int channelId, uint8_t beginType, float beginValue, uint8_t endType,
                 float endValue, uint8_t rounding = 0) const {
        AoaCurve curve{channelId, Channel(channelId % 1000)};
        curve.info.BeginType = beginType;
        curve.info.BeginValue = beginValue;
        curve.info.EndType = endType;
        curve.info.EndValue = endValue;
        curve.info.Rounding = rounding;
        return AoaRange(curve, sources);
    }

    std::map<int, std::pair<double, double>> recorded{{1011, {207, 253}}, {1084, {0.5, 0.98}}};
    AoaRangeSources sources{[this](int channelId, double& minimum, double& maximum) {
                                const auto it = recorded.find(channelId);
                                if (it == recorded.end()) return false;
                                minimum = it->second.first;
                                maximum = it->second.second;
                                return true;
                            },
                            [](int channelId) { return channelId % 1000 == 84 ? 1.0 : 230.0; },
                            [](int channelId, double& begin, double& end) {
                                if (channelId % 1000 == 84) {
                                    begin = -1;
                                    end = 1;
                                } else {
                                    begin = 0;
                                    end = 276;
                                }
                            }};
};

TEST_F(AoaRangeTest, EachScalingTypeGivesItsEnd) {
    struct Case {
        uint8_t beginType;
        float beginValue;
        uint8_t endType;
        float endValue;
        double bottom, top;
    };
    const Case cases[] = {
        {3, -10, 3, 10, 207, 253},      // 230 x 0.9, 230 x 1.1
        {3, 0, 3, 0, 230, 230},         // no percentage: the nominal value itself
        {6, 230, 6, 400, 230, 400},     // values stand as they are
        {1, 0, 2, 0, 207, 253},         // recorded minimum and maximum
        {1, -50, 2, 20, 103.5, 303.6},  // 207 x 0.5, 253 x 1.2
        {4, 0, 5, 10, 0, 303.6},        // measuring range 0 .. 276, end 276 x 1.1
        {0, 5, 7, 5, 0, 1},             // unknown types
    };
    for (const Case& c : cases) {
        const YRange r = Range(1011, c.beginType, c.beginValue, c.endType, c.endValue);
        EXPECT_NEAR(r.bottom, c.bottom, 1e-9) << int(c.beginType) << " " << c.beginValue;
        EXPECT_NEAR(r.top, c.top, 1e-9) << int(c.endType) << " " << c.endValue;
    }
    // Value 230 is 230 whatever the quantity; a channel without recorded values gives 0.
    EXPECT_EQ(Range(2, 6, 230, 6, 230).bottom, 230);
    EXPECT_EQ(Range(3011, 1, 0, 2, 0), (YRange{0, 0}));
}

TEST_F(AoaRangeTest, RangeLimitedEndsAreFoldedAndOrdered) {
    struct Case {
        uint8_t beginType;
        float beginValue;
        uint8_t endType;
        float endValue;
        double bottom, top;  // values folded: 1 - v above 0, -1 - v below
    };
    const Case cases[] = {
        {6, 0.5f, 6, 0.9f, 0.1, 0.5},    // rising values fold to a falling pair
        {6, -0.5f, 6, 0.9f, -0.5, 0.1},  // a negative value lies below every positive one
        {1, 0, 2, 0, 0.02, 0.5},         // recorded 0.5 .. 0.98
        {3, 0, 3, 10, 0, 0},             // nominal 1 and 1.1 both fold to 0
        // The measuring range is the folded scale already: all of it, or from a value on.
        {4, 0, 5, 0, -1, 1},
        {6, 0.6f, 5, 0, 0.4, 1},
    };
    for (const Case& c : cases) {
        const YRange r = Range(1084, c.beginType, c.beginValue, c.endType, c.endValue);
        EXPECT_NEAR(r.bottom, c.bottom, 1e-6) << int(c.beginType) << " " << c.beginValue;
        EXPECT_NEAR(r.top, c.top, 1e-6) << int(c.endType) << " " << c.endValue;
    }
}

TEST_F(AoaRangeTest, RoundingWidensToRoundDivisionsAroundTheRange) {
    const YRange raw = Range(1011, 3, -10, 3, 10);
    const YRange rounded = Range(1011, 3, -10, 3, 10, 1);
    EXPECT_LE(rounded.bottom, raw.bottom);
    EXPECT_GE(rounded.top, raw.top);
    EXPECT_GT(rounded.bottom, 150);  // round, not the whole measuring range
    EXPECT_EQ(std::fmod(rounded.bottom, 1.0), 0);
    EXPECT_EQ(std::fmod(rounded.top, 1.0), 0);
    // A range-limited one is rounded on its folded scale and stays within it.
    const YRange limited = Range(1084, 1, 0, 2, 0, 1);
    EXPECT_LE(limited.bottom, 0.02 + 1e-12);
    EXPECT_GE(limited.top, 0.5 - 1e-12);
    EXPECT_GE(limited.bottom, -1);
    EXPECT_LE(limited.top, 1);
}

}  // namespace
}  // namespace varelo
