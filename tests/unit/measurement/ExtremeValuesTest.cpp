#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "measurement/ExtremeValues.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/QuantityCatalogue.h"
#include "measurement/RawScaling.h"
#include "support/SteadyMeasurement.h"

namespace varelo {
namespace {

constexpr int kVoltAvg = 11;

TEST(ExtremeValueTable, EachChannelKeepsItsExtremesWithTheFirstIntervalOfATie) {
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 5);
    CRawScaling scaling;
    scaling.Build(data.job, data.fileVersion, 0);
    data.intervals.SetScaling(scaling);
    const std::vector<int16_t> l1 = {5000, 9000, 2000, 9000, 2000};
    const std::vector<int16_t> l2 = {7000, 7000, 7000, 7000, 6999};
    std::vector<CTimeStamp> times;
    size_t i = 0;
    for (CIntervalRecord& r : data.intervals) {
        r.VoltAvgPhaseLxRawVal[0] = l1[i];
        r.VoltAvgPhaseLxRawVal[1] = l2[i];
        times.push_back(r.DateTime);
        ++i;
    }
    std::vector<CMeasurementChannel> channels(2);
    ASSERT_TRUE(channels[0].SetupChannel(ChannelIdOf(0, kVoltAvg)));
    ASSERT_TRUE(channels[1].SetupChannel(ChannelIdOf(1, kVoltAvg)));

    ExtremeValueTable table;
    table.Compute(data.intervals, channels);
    ASSERT_EQ(table.Size(), 2u);
    const ExtremeValue* e1 = table.Find(ChannelIdOf(0, kVoltAvg));
    const ExtremeValue* e2 = table.Find(ChannelIdOf(1, kVoltAvg));
    ASSERT_TRUE(e1 && e2);
    EXPECT_DOUBLE_EQ(e1->maximum, 9000 * scaling.VoltScale);
    EXPECT_EQ(e1->maximumTime, times[1]);  // 9000 again at [3]: the first stays
    EXPECT_DOUBLE_EQ(e1->minimum, 2000 * scaling.VoltScale);
    EXPECT_EQ(e1->minimumTime, times[2]);
    EXPECT_DOUBLE_EQ(e2->maximum, 7000 * scaling.VoltScale);
    EXPECT_EQ(e2->maximumTime, times[0]);  // equal from the start
    EXPECT_EQ(e2->minimumTime, times[4]);
    EXPECT_EQ(table.Find(ChannelIdOf(2, kVoltAvg)), nullptr);  // not asked for

    MeasurementData empty;
    table.Compute(empty.intervals, channels);
    EXPECT_EQ(table.Size(), 0u);
}

// The harmonic orders are computed together per interval; each channel must still get exactly
// what its own value function gives, in either reference and on the neutral conductor too.
TEST(ExtremeValueTable, HarmonicChannelsMatchTheirOwnValueFunction) {
    MeasurementData data = test::SteadyMeasurement(kMeasFuncA, 40);
    data.job.CurrPowSys = 1;
    CRawScaling scaling;
    scaling.Build(data.job, data.fileVersion, 0);
    data.intervals.SetScaling(scaling);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> raw(0, 3000);
    for (CIntervalRecord& r : data.intervals) {
        for (int c = 0; c < kConductorCount; ++c) {
            r.CurrAvgPhaseLxRawVal[size_t(c % 3)] = int16_t(1000 + raw(random));
            r.NeutralCurrAvgRawVal = int16_t(500 + raw(random));
            for (int n = 1; n <= kHarmonicOrders; ++n) {
                r.SetCurrHarm(c, n, int16_t(raw(random)));
                if (c < kPhaseCount) r.SetVoltHarm(c, n, int16_t(raw(random)));
            }
        }
    }
    std::vector<CMeasurementChannel> channels;
    for (bool relative : {true, false}) {
        for (int n = 1; n <= kHarmonicOrders; n += 7) {
            for (int id : {ChannelIdOf(0, kVoltageHarmonicFirst - 1 + n),
                           ChannelIdOf(2, kVoltageHarmonicFirst - 1 + n),
                           ChannelIdOf(1, kCurrentHarmonicFirst - 1 + n),
                           ChannelIdOf(3, kCurrentHarmonicFirst - 1 + n)}) {
                CMeasurementChannel channel;
                ASSERT_TRUE(channel.SetupChannel(id)) << id;
                channel.relative = relative;
                channels.push_back(channel);
            }
        }
    }
    ExtremeValueTable table;
    for (size_t half : {size_t(0), channels.size() / 2}) {
        // Each half alone: one reference per channel identifier in the table.
        const std::vector<CMeasurementChannel> part(
            channels.begin() + long(half),
            channels.begin() + long(half) + long(channels.size() / 2));
        table.Compute(data.intervals, part);
        for (const CMeasurementChannel& channel : part) {
            double lo = 0, hi = 0;
            bool first = true;
            for (const CIntervalRecord& r : data.intervals) {
                const double v = channel.ChannelValue(r, scaling);
                lo = first ? v : std::min(lo, v);
                hi = first ? v : std::max(hi, v);
                first = false;
            }
            const ExtremeValue* e = table.Find(channel.ChannelId());
            ASSERT_TRUE(e);
            EXPECT_EQ(e->minimum, lo) << channel.ChannelId() << " relative " << channel.relative;
            EXPECT_EQ(e->maximum, hi) << channel.ChannelId() << " relative " << channel.relative;
        }
    }
}

}  // namespace
}  // namespace varelo
