#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/AppOptions.h"
#include "measurement/IntervalNormalisation.h"
#include "measurement/MeasurementChannel.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RecordColumns.h"
#include "sim/MeasurementGenerator.h"
#include "support/TempDir.h"

namespace varelo::sim {
namespace {

GeneratorSettings Week(uint32_t function = kMeasFuncA, int system = 230) {
    GeneratorSettings s;
    s.function = function;
    s.nominalVoltage = system;
    return s;
}

MeasurementData Generated(const GeneratorSettings& settings) {
    std::string error;
    EXPECT_TRUE(ValidateGeneratorSettings(settings, error)) << error;
    const MeasurementGenerator generator(settings);
    MeasurementData data;
    EXPECT_TRUE(generator.Generate(data));
    return data;
}

// The name of the first column in which two records differ; empty when none does.
template <typename Record>
std::string Difference(const Record& a, const Record& b, std::span<const RecordColumn> columns) {
    for (const RecordColumn& c : columns) {
        if (GetColumnValue(a, c) != GetColumnValue(b, c) ||
            GetColumnTimeStamp(a, c) != GetColumnTimeStamp(b, c))
            return ColumnName(c);
    }
    return {};
}

// Every record of every series, column by column.
void ExpectSameSeries(const MeasurementData& a, const MeasurementData& b) {
    ASSERT_EQ(a.intervals.size(), b.intervals.size());
    ASSERT_EQ(a.statistics.size(), b.statistics.size());
    ASSERT_EQ(a.events.size(), b.events.size());
    const auto intervalColumns = IntervalColumns(a.job.MeasFunc);
    for (size_t i = 0; i < a.intervals.size(); ++i)
        ASSERT_EQ(Difference(a.intervals[i], b.intervals[i], intervalColumns), "") << i;
    for (size_t i = 0; i < a.statistics.size(); ++i)
        ASSERT_EQ(Difference(a.statistics[i], b.statistics[i], StatisticColumns()), "") << i;
    for (size_t i = 0; i < a.events.size(); ++i)
        ASSERT_EQ(Difference(a.events[i], b.events[i], EventColumns()), "") << i;
}

std::string FileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(MeasurementGenerator, TheSameSettingsGiveTheSameFileAnotherSeedAnotherMeasurement) {
    test::TempDir dir;
    GeneratorSettings settings = Week();
    settings.intervals = 288;
    const MeasurementData first = Generated(settings);
    const MeasurementData second = Generated(settings);
    ExpectSameSeries(first, second);
    ASSERT_TRUE(WriteMeasurementFile(dir.File("1.VXM"), first));
    ASSERT_TRUE(WriteMeasurementFile(dir.File("2.VXM"), second));
    EXPECT_EQ(FileBytes(dir.File("1.VXM")), FileBytes(dir.File("2.VXM")));

    settings.seed = 2;
    const MeasurementData other = Generated(settings);
    size_t differing = 0;
    for (size_t i = 0; i < first.intervals.size(); ++i) {
        differing +=
            !Difference(first.intervals[i], other.intervals[i], IntervalColumns(kMeasFuncA))
                 .empty();
    }
    EXPECT_EQ(differing, first.intervals.size());
}

TEST(MeasurementGenerator, RecordsOnDemandAreTheRecordsOfTheWholeMeasurement) {
    const GeneratorSettings settings = Week();
    const MeasurementGenerator generator(settings);
    MeasurementData data;
    ASSERT_TRUE(generator.Generate(data));
    for (uint32_t n : {1007u, 0u, 500u})
        EXPECT_EQ(Difference(generator.Interval(n), data.intervals[n], IntervalColumns(kMeasFuncA)),
                  "");
    EXPECT_EQ(Difference(generator.Statistic(99), data.statistics[99], StatisticColumns()), "");
}

struct Case {
    const char* name;
    GeneratorSettings settings;
};
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

GeneratorSettings With(GeneratorSettings s, uint32_t intervals, int32_t seconds, uint64_t seed) {
    s.intervals = intervals;
    s.intervalSeconds = seconds;
    s.seed = seed;
    return s;
}

class GeneratedMeasurement : public ::testing::TestWithParam<Case> {};

// Interruptions by the evaluation's rule: at most 1 % of the nominal voltage.
bool IsInterruption(const CEventRecord& e, const CMeasurementJob& job) {
    return e.Value <= job.NomVoltRawVal * 0.01 * 0.01;
}

TEST_P(GeneratedMeasurement, CountsTimesAndStatusAgree) {
    const GeneratorSettings& s = GetParam().settings;
    const MeasurementData d = Generated(s);
    const CMeasurementJob& job = d.job;
    EXPECT_EQ(job.MeasFunc, s.function);
    EXPECT_EQ(job.NrInterval, d.intervals.size());
    EXPECT_EQ(size_t(job.NrStat), d.statistics.size());
    EXPECT_EQ(size_t(job.EventReady + job.EventOpen), d.events.size());
    EXPECT_EQ(d.logger.MeasurementFunction(), s.function);
    EXPECT_EQ(d.logger.EventReady(), job.EventReady);
    EXPECT_EQ(d.logger.EventOpen(), job.EventOpen);
    if (s.function == kMeasFuncP) {
        EXPECT_TRUE(d.statistics.empty());
    }

    // Timestamps are interval ends, one interval apart, the last one at the stop.
    CTimeStamp expected = s.start;
    for (const CIntervalRecord& r : d.intervals) {
        expected.AddSeconds(s.intervalSeconds);
        ASSERT_EQ(r.DateTime, expected);
    }
    EXPECT_EQ(d.intervals.back().DateTime, job.MeasStopMeasured);
    EXPECT_LE(job.MeasStartMeasured.SecondsSince(s.start), 0);

    for (const CEventRecord& e : d.events) {
        EXPECT_GE(e.Phase, 1);
        EXPECT_LE(e.Phase, 3);
        EXPECT_LT(e.StartDateTime, e.EndDateTime);
        EXPECT_LE(s.start, e.StartDateTime);
        EXPECT_LE(e.EndDateTime, job.MeasStopMeasured);
        EXPECT_EQ(e.Status == kEventStatusOpen, e.EndDateTime == job.MeasStopMeasured);
    }
    // An interval overlapping an interruption carries the status bit and shows the missing
    // voltage in its minimum; no other interval carries the bit.
    for (const CIntervalRecord& r : d.intervals) {
        CTimeStamp begin = r.DateTime;
        begin.SubtractSeconds(s.intervalSeconds);
        bool interrupted = false;
        for (const CEventRecord& e : d.events) {
            if (!IsInterruption(e, job) || !(e.StartDateTime < r.DateTime) ||
                !(begin < e.EndDateTime))
                continue;
            interrupted = true;
            EXPECT_LT(r.VoltMinPhaseLxRawVal[e.Phase - 1], 17600 / 20) << r.DateTime.FileText();
        }
        EXPECT_EQ(interrupted, (r.Status & kStatusLineInterruption) != 0) << r.DateTime.FileText();
    }

    // Segments follow one another up to the stop; each counts every 10-second value that began
    // in it, but those the Logger lost with its synchronisation, and a signalling value every
    // 3 seconds.
    CTimeStamp segmentStart = s.start;
    for (const CStatisticSegment& seg : d.statistics) {
        const long long seconds = seg.DateTime.SecondsSince(segmentStart);
        ASSERT_GT(seconds, 0);
        ASSERT_LE(seconds, 3600);
        uint64_t values = 0;
        for (uint32_t count : seg.Freq10sec)
            values += count;
        if (seg.Status & kStatusSyncError)
            EXPECT_LT(values, uint64_t(seconds / 10));
        else
            EXPECT_EQ(values, uint64_t(seconds / 10)) << seg.DateTime.FileText();
        EXPECT_EQ(seg.NrSignalVoltInterval, uint32_t(seconds / 3));
        segmentStart = seg.DateTime;
    }
    if (!d.statistics.empty()) {
        EXPECT_EQ(d.statistics.back().DateTime, job.MeasStopMeasured);
    }
}

TEST_P(GeneratedMeasurement, AWriteAndReadGivesEveryRecordBack) {
    const MeasurementData written = Generated(GetParam().settings);
    test::TempDir dir;
    ASSERT_TRUE(WriteMeasurementFile(dir.File("m.VXM"), written));
    MeasurementData read;
    ASSERT_TRUE(ReadMeasurementFile(dir.File("m.VXM"), read));
    EXPECT_EQ(read.job, written.job);
    EXPECT_EQ(read.logger.HardwType, written.logger.HardwType);
    EXPECT_EQ(read.logger.currentJob.completeEvents, written.logger.currentJob.completeEvents);
    ExpectSameSeries(read, written);
    for (size_t i = 0; i < read.events.size(); ++i)
        EXPECT_DOUBLE_EQ(read.events[i].Value, written.events[i].Value);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, GeneratedMeasurement,
    ::testing::Values(Case{"WeekA230", Week()}, Case{"WeekP230", Week(kMeasFuncP)},
                      Case{"DaysA120Of300s", With(Week(kMeasFuncA, 120), 864, 300, 7)},
                      Case{"DaysP120Of60s", With(Week(kMeasFuncP, 120), 4320, 60, 11)},
                      Case{"HoursAOf1s", With(Week(), 7200, 1, 3)}),
    [](const auto& info) { return std::string(info.param.name); });

// Physical values through the quantity catalogue, as a loaded measurement shows them.
class Values {
public:
    explicit Values(MeasurementData& d) : data_(d) {
        scaling_.Build(d.job, d.fileVersion, d.logger.FirmwareGeneration());
        d.intervals.SetScaling(scaling_);
        NormaliseIntervals(d.intervals, d.job.VoltPowSysType, 50);
    }
    std::vector<double> Of(int channelId) const {
        CMeasurementChannel channel;
        EXPECT_TRUE(channel.SetupChannel(channelId));
        const QuantitySettings settings{kHarmonicsInNominal, kHarmonicsAbsolute, 50};
        std::vector<double> values;
        for (const CIntervalRecord& r : data_.intervals)
            values.push_back(channel.ChannelValue(r, scaling_, settings));
        return values;
    }
    static double Mean(const std::vector<double>& v) {
        double sum = 0;
        for (double x : v)
            sum += x;
        return sum / double(v.size());
    }

private:
    MeasurementData& data_;
    CRawScaling scaling_;
};

size_t CountAbove(const std::vector<double>& values, double limit) {
    return size_t(std::ranges::count_if(values, [&](double v) { return v > limit; }));
}

TEST(GeneratedWeek, LooksLikeALowVoltageFeeder) {
    for (const int system : {230, 120}) {
        SCOPED_TRACE(system);
        MeasurementData d = Generated(Week(kMeasFuncA, system));
        const Values values(d);
        const double nominal = system;
        const double frequency = system == 120 ? 60 : 50;
        for (int phase = 0; phase < 3; ++phase) {
            const double mean = Values::Mean(values.Of(ChannelIdOf(phase, 11)));
            EXPECT_NEAR(mean, nominal, nominal * 0.02);
            // Odd orders dominate, the 5th most.
            const double fifth = Values::Mean(values.Of(ChannelIdOf(phase, 305)));
            for (int order = 2; order <= 50; ++order) {
                if (order != 5) {
                    EXPECT_LT(Values::Mean(values.Of(ChannelIdOf(phase, 300 + order))), fifth)
                        << order;
                }
            }
            EXPECT_GT(Values::Mean(values.Of(ChannelIdOf(phase, 307))),
                      Values::Mean(values.Of(ChannelIdOf(phase, 303))));
            // Pst mostly between 0.2 and 0.6, now and then above 1.
            std::vector<double> pst = values.Of(ChannelIdOf(phase, 17));
            std::ranges::sort(pst);
            EXPECT_GT(pst[pst.size() / 2], 0.2);
            EXPECT_LT(pst[pst.size() / 2], 0.6);
            EXPECT_GT(CountAbove(pst, 1), 0u);
            EXPECT_LT(CountAbove(pst, 1), pst.size() / 20);
        }
        // A few 5th-harmonic values beyond the EN50160 limit at peak load, not 5 % of them.
        const std::vector<double> fifthL3 = values.Of(ChannelIdOf(2, 305));
        const double limit = system == 120 ? 3.26 : 6.0;
        EXPECT_GT(CountAbove(fifthL3, limit), 0u);
        EXPECT_LT(CountAbove(fifthL3, limit), fifthL3.size() / 20);

        size_t near = 0, measured = 0;
        for (double f : values.Of(2)) {
            measured += f > 0;
            near += f > 0 && std::abs(f - frequency) <= 0.1;
        }
        EXPECT_GE(near, measured * 99 / 100);
        EXPECT_LT(Values::Mean(values.Of(1)), 1.0);  // voltage unbalance, %
        for (const CIntervalRecord& r : d.intervals) {
            EXPECT_NEAR(r.UnbalAngleL1L2 * 0.0125, 120, 2);
            EXPECT_NEAR(r.UnbalAngleL1L3 * 0.0125, 240, 2);
            // The interval's maximum THD is never below the THD of its mean harmonics.
            for (int phase = 0; phase < 3; ++phase)
                EXPECT_GE(r.VoltTHDMaxPhaseLxRawVal[phase] * 100.0 / 32768,
                          r.VoltTHDAvgCalc[phase] - 0.05);
        }
    }
}

TEST(GeneratedWeek, HasEveryKindOfEvent) {
    MeasurementData d = Generated(Week());
    const CMeasurementJob& job = d.job;
    size_t dips = 0, swells = 0, shortInterruptions = 0, longInterruptions = 0;
    for (const CEventRecord& e : d.events) {
        const long long seconds = e.EndDateTime.SecondsSince(e.StartDateTime);
        if (IsInterruption(e, job))
            ++(seconds >= 180 ? longInterruptions : shortInterruptions);
        else if (e.Value > 230 * job.VoltUpperThreshShort / 100)
            ++swells;
        else if (e.Value < 230 * job.VoltLowerThreshShort / 100)
            ++dips;
        else
            ADD_FAILURE() << "an event within the thresholds: " << e.Value;
    }
    EXPECT_GT(dips, 0u);
    EXPECT_GT(swells, 0u);
    EXPECT_GT(shortInterruptions, 0u);
    EXPECT_GT(longInterruptions, 0u);
}

TEST(MeasurementGenerator, AWrappedCircularMemoryHoldsStaleAndErasedRecordsFirst) {
    GeneratorSettings settings = Week();
    settings.intervals = 144;
    settings.gap = CircularGap{5, 3};
    const MeasurementGenerator generator(settings);
    EXPECT_EQ(generator.MemoryIntervalCount(), 152u);
    EXPECT_EQ(generator.Logger().currentJob.intervalCount, 152);
    EXPECT_EQ(generator.Job().NrInterval, 144u);
    EXPECT_EQ(generator.Job().IntervalMemModel, 1u);
    CIntervalRecord r;
    for (uint32_t slot = 0; slot < 152; ++slot) {
        const bool erased = slot >= 5 && slot < 8;
        ASSERT_EQ(generator.MemoryInterval(slot, r), !erased) << slot;
        if (slot < 5) {
            EXPECT_LT(r.DateTime, settings.start);
        }
        if (slot >= 8) {
            EXPECT_EQ(Difference(r, generator.Interval(slot - 8), IntervalColumns(kMeasFuncA)), "");
        }
    }
    // The measurement began before the oldest record still held.
    CTimeStamp start = settings.start;
    start.SubtractSeconds(8 * 600);
    EXPECT_EQ(generator.Job().MeasStartMeasured, start);
}

}  // namespace
}  // namespace varelo::sim
