#include <gtest/gtest.h>

#include <string>

#include "ProtocolSimFixture.h"
#include "logger/LoggerProtocol.h"
#include "measurement/MeasurementJob.h"
#include "measurement/RecordColumns.h"
#include "sim/MeasurementCommands.h"
#include "sim/MeasurementGenerator.h"

namespace varelo {
namespace {

template <typename Record>
void ExpectSameColumns(const Record& got, const Record& want, std::span<const RecordColumn> columns,
                       const std::string& what) {
    for (const RecordColumn& c : columns) {
        if (c.type == ColumnType::TimeStamp)
            EXPECT_EQ(GetColumnTimeStamp(got, c), GetColumnTimeStamp(want, c))
                << what << " " << ColumnName(c);
        else
            EXPECT_EQ(GetColumnValue(got, c), GetColumnValue(want, c))
                << what << " " << ColumnName(c);
    }
}

// Every record of a generated measurement read through the protocol from the simulated
// Logger, compared column by column with what the generator made.
class ReadoutAgainstSimTest : public ProtocolSimFixture {
protected:
    void ReadAndCompare(const sim::GeneratorSettings& generated, sim::FaultSettings faults) {
        sim::Scenario scenario;
        scenario.jobs[0].measurement = generated;
        sim::DescribeMeasurementJob(scenario);
        StartSim(scenario, faults);
        const sim::MeasurementGenerator generator(generated);
        const bool functionA = generated.function == kMeasFuncA;
        const int generation = generator.Logger().FirmwareGeneration();

        CLoggerProtocol protocol(port, settings);
        ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
        uint32_t emptyCount = 0;
        for (uint32_t slot = 0; slot < generator.MemoryIntervalCount(); ++slot) {
            CIntervalRecord got;
            bool empty = false;
            ASSERT_EQ(functionA ? protocol.ReadIntervalA(slot + 1, got, empty)
                                : protocol.ReadIntervalP(slot + 1, got, generation, empty),
                      1)
                << "interval slot " << slot;
            CIntervalRecord want;
            const bool stored = generator.MemoryInterval(slot, want);
            EXPECT_EQ(empty, !stored) << "interval slot " << slot;
            emptyCount += empty ? 1 : 0;
            if (stored)
                ExpectSameColumns(got, want, IntervalColumns(generated.function),
                                  "interval slot " + std::to_string(slot));
        }
        EXPECT_EQ(emptyCount, generated.gap ? generated.gap->emptyRecords : 0);
        for (size_t n = 0; n < generator.StatisticCount(); ++n) {
            CStatisticSegment got;
            ASSERT_EQ(protocol.ReadStatisticSegment(uint32_t(n + 1), got), 1) << "segment " << n;
            ExpectSameColumns(got, generator.Statistic(n), StatisticColumns(),
                              "segment " + std::to_string(n));
        }
        ASSERT_GT(generator.EventCount(), 0u);
        for (size_t n = 0; n < generator.EventCount(); ++n) {
            CEventRecord got;
            ASSERT_EQ(protocol.ReadEvent(uint32_t(n + 1), got), 1) << "event " << n;
            ExpectSameColumns(got, generator.Event(n), EventColumns(),
                              "event " + std::to_string(n));
        }
        // The values the generator makes need no substitute.
        EXPECT_EQ(protocol.Diagnostics().substitutionCount, 0);
        diagnostics = protocol.Diagnostics();
    }

    static sim::GeneratorSettings Day(uint32_t function) {
        sim::GeneratorSettings s;
        s.function = function;
        s.intervals = 144;
        s.seed = 7;
        return s;
    }

    int NotesWith(const std::string& text) const {
        int count = 0;
        for (const auto& entry : sim_->Log().Entries())
            count += entry.note.find(text) != std::string::npos ? 1 : 0;
        return count;
    }

    ProtocolDiagnostics diagnostics;
};

TEST_F(ReadoutAgainstSimTest, FunctionAWithRestartedCircularMemory) {
    sim::GeneratorSettings s = Day(kMeasFuncA);
    s.gap = sim::CircularGap{2, 3};
    ReadAndCompare(s, {});
    EXPECT_EQ(diagnostics.dataErrorCount, 0);
}

TEST_F(ReadoutAgainstSimTest, FunctionP) {
    ReadAndCompare(Day(kMeasFuncP), {});
    EXPECT_EQ(diagnostics.dataErrorCount, 0);
}

TEST_F(ReadoutAgainstSimTest, ShippedMeasurementScenarioReportsWhatItServes) {
    const sim::Scenario scenario = ShippedScenario("408b-measured-week.ini");
    ASSERT_TRUE(scenario.jobs[0].measurement);
    const sim::MeasurementGenerator generator(*scenario.jobs[0].measurement);
    StartSim(scenario);
    CLoggerProtocol protocol(port, settings);
    ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    CMeasurementJob job;
    ASSERT_EQ(protocol.ReadMeasurementJob(job), 1);
    EXPECT_EQ(job.NrInterval, generator.MemoryIntervalCount());
    EXPECT_EQ(size_t(job.NrStat), generator.StatisticCount());
    EXPECT_EQ(size_t(job.EventReady + job.EventOpen), generator.EventCount());
    EXPECT_EQ(job.MeasFunc, kMeasFuncA);
    CIntervalRecord first;
    bool empty = true;
    ASSERT_EQ(protocol.ReadIntervalA(1, first, empty), 1);
    CIntervalRecord stale;
    ASSERT_TRUE(generator.MemoryInterval(0, stale));
    EXPECT_FALSE(empty);
    EXPECT_EQ(first.DateTime, stale.DateTime);
}

TEST_F(ReadoutAgainstSimTest, AnswersPacedAtTheBaudRateArriveWhole) {
    sim::GeneratorSettings s = Day(kMeasFuncA);
    s.intervals = 6;
    sim::Scenario scenario;
    scenario.jobs[0].measurement = s;
    StartSim(scenario, {}, [](sim::LoggerSim& sim) { sim.SetBaud(115200); });
    const sim::MeasurementGenerator generator(s);
    CLoggerProtocol protocol(port, settings);
    ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    for (uint32_t n = 0; n < s.intervals; ++n) {
        CIntervalRecord got, want;
        bool empty = true;
        ASSERT_EQ(protocol.ReadIntervalA(n + 1, got, empty), 1);
        ASSERT_TRUE(generator.MemoryInterval(n, want));
        ExpectSameColumns(got, want, IntervalColumns(kMeasFuncA), "interval " + std::to_string(n));
    }
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 0);
}

// The Logger's "T" and "E" answers have no repeat on a bad test sum, so only the interval
// answers get them; every command loses answers. 99 rather than 100: both count the same
// interval answers, so every hundredth would be one of those lost.
class ReadoutWithFaultsTest : public ReadoutAgainstSimTest,
                              public ::testing::WithParamInterface<uint32_t> {};

TEST_P(ReadoutWithFaultsTest, LostAnswersAndBadTestSumsAreRepaired) {
    sim::FaultSettings faults;
    faults.dropEvery = 50;
    faults.corruptTestSumEvery[sim::kReadInterval] = 99;
    sim::GeneratorSettings s = Day(GetParam());
    s.intervals = 240;
    ReadAndCompare(s, faults);
    ASSERT_TRUE(WaitForCommands(sim_->Log().Entries().size()));
    EXPECT_EQ(diagnostics.dataErrorCount, NotesWith("test sum flipped"));
    EXPECT_GT(diagnostics.dataErrorCount, 0);
    EXPECT_GT(NotesWith("answer dropped"), 0);
}

INSTANTIATE_TEST_SUITE_P(Functions, ReadoutWithFaultsTest,
                         ::testing::Values(kMeasFuncA, kMeasFuncP));

}  // namespace
}  // namespace varelo
