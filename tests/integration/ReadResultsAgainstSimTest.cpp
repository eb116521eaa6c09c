#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "ProtocolSimFixture.h"
#include "logger/ReadResults.h"
#include "measurement/MeasurementFile.h"
#include "measurement/RecordColumns.h"
#include "sim/MeasurementCommands.h"
#include "sim/MeasurementGenerator.h"

namespace varelo {
namespace {

template <typename List>
void ExpectSameRecords(const List& got, const List& want, std::span<const RecordColumn> columns,
                       const std::string& what) {
    ASSERT_EQ(got.size(), want.size()) << what;
    for (size_t n = 0; n < got.size(); ++n) {
        for (const RecordColumn& c : columns) {
            if (c.type == ColumnType::TimeStamp)
                ASSERT_EQ(GetColumnTimeStamp(got[n], c), GetColumnTimeStamp(want[n], c))
                    << what << " " << n << " " << ColumnName(c);
            else
                ASSERT_EQ(GetColumnValue(got[n], c), GetColumnValue(want[n], c))
                    << what << " " << n << " " << ColumnName(c);
        }
    }
}

std::string Contents(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

class ReadResultsAgainstSimTest : public ProtocolSimFixture {
protected:
    static sim::GeneratorSettings Day(uint32_t function) {
        sim::GeneratorSettings s;
        s.function = function;
        s.intervals = 144;
        s.seed = 11;
        return s;
    }

    void StartMeasurement(const sim::GeneratorSettings& generated, sim::FaultSettings faults = {}) {
        sim::Scenario scenario;
        scenario.measurement = generated;
        sim::DescribeMeasurementJob(scenario);
        // Only a Logger running function A is read out; its jobs may be of either function.
        scenario.software.measurementFunction = "A Power quality";
        scenario.software.cpuFunction = "A;CPU";
        scenario.software.dspFunction = "A;DSP";
        StartSim(scenario, faults);
    }

    ReadResultsOutcome Read(uint16_t job = 0) { return ReadResults(port, settings, ui, job); }

    // The messages apart from 778: the simulated Logger's firmware need not match the
    // firmware files, and that message never stops a read-out.
    std::vector<int> Messages() const {
        std::vector<int> ids;
        for (const auto& m : ui.messages)
            if (m.id != 778) ids.push_back(m.id);
        return ids;
    }

    const std::string target = dir.File("week.VXM");
};

class ReadResultsFileTest : public ReadResultsAgainstSimTest,
                            public ::testing::WithParamInterface<uint32_t> {};

// The restarted circular memory of function A drops its stale and erased records.
TEST_P(ReadResultsFileTest, FileHoldsTheGeneratedMeasurement) {
    sim::GeneratorSettings s = Day(GetParam());
    if (GetParam() == kMeasFuncA) s.gap = sim::CircularGap{2, 3};
    StartMeasurement(s);
    ui.saveAnswer = target;
    const ReadResultsOutcome outcome = Read();
    ASSERT_EQ(outcome.path, target);
    EXPECT_FALSE(outcome.transferFailed);
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(ui.saveQuestions.size(), 1u);
    EXPECT_EQ(ui.saveQuestions[0].title, std::string("Measurement function ") +
                                             (GetParam() == kMeasFuncA ? "A" : "P") +
                                             " - Save measurement");
    EXPECT_EQ(settings.ReadString(setting::SavePathMeasurementfile), dir.Path());

    MeasurementData got, want;
    ASSERT_TRUE(ReadMeasurementFile(target, got));
    ASSERT_TRUE(sim::MeasurementGenerator(s).Generate(want));
    ExpectSameRecords(got.intervals, want.intervals, IntervalColumns(s.function), "interval");
    ExpectSameRecords(got.statistics, want.statistics, StatisticColumns(), "segment");
    ExpectSameRecords(got.events, want.events, EventColumns(), "event");
    EXPECT_EQ(ui.progressEnds, 1);
}

INSTANTIATE_TEST_SUITE_P(Functions, ReadResultsFileTest, ::testing::Values(kMeasFuncA, kMeasFuncP));

struct FailureCase {
    const char* name;
    sim::FaultSettings faults;
    int cancelAfterPumps;  // -1 never
};

class ReadResultsFailureTest : public ReadResultsAgainstSimTest,
                               public ::testing::WithParamInterface<FailureCase> {};

TEST_P(ReadResultsFailureTest, EarlierFileStaysAndNoOtherRemains) {
    const sim::GeneratorSettings s = Day(kMeasFuncA);
    StartMeasurement(s, GetParam().faults);
    { std::ofstream(target) << "earlier measurement"; }
    ui.saveAnswer = target;
    ui.cancelAfterPumps = GetParam().cancelAfterPumps;
    const ReadResultsOutcome outcome = Read();
    EXPECT_TRUE(outcome.path.empty());
    EXPECT_TRUE(outcome.transferFailed);
    EXPECT_EQ(Contents(target), "earlier measurement");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                            std::filesystem::directory_iterator()),
              2)  // the earlier file and the settings
        << "a temporary file was left";
    EXPECT_EQ(ui.progressEnds, 1);
}

sim::FaultSettings SilentAfter(int commands) {
    sim::FaultSettings f;
    f.silentAfter = commands;
    return f;
}

// 144 intervals pump once each after the job's start; 150 falls among the statistics.
INSTANTIATE_TEST_SUITE_P(Cases, ReadResultsFailureTest,
                         ::testing::Values(FailureCase{"SilentMidTransfer", SilentAfter(60), -1},
                                           FailureCase{"CancelDuringStatistics", {}, 150}),
                         [](const auto& info) { return std::string(info.param.name); });

struct StateCase {
    const char* name;
    uint8_t wakeUp;
    char letter;
    bool oldJob;
    int32_t intervals;
    uint16_t job;
    int message;  // 0 goes on to the save dialog
};

class ReadResultsStateTest : public ReadResultsAgainstSimTest,
                             public ::testing::WithParamInterface<StateCase> {};

TEST_P(ReadResultsStateTest, LetterDecides) {
    const StateCase& c = GetParam();
    sim::Scenario scenario;
    scenario.state = c.wakeUp;
    scenario.hasOldJob = c.oldJob;
    scenario.jobs[0].report.state = c.letter;
    scenario.jobs[0].report.intervals = c.intervals;
    StartSim(scenario);
    const ReadResultsOutcome outcome = Read(c.job);  // no save answer: the dialog is cancelled
    EXPECT_TRUE(outcome.path.empty());
    if (c.message == 0) {
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(ui.saveQuestions.size(), 1u);
    } else {
        EXPECT_EQ(Messages(), std::vector<int>{c.message});
        EXPECT_TRUE(ui.saveQuestions.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Letters, ReadResultsStateTest,
    ::testing::Values(StateCase{"OldJobWhileActive", '+', 'A', false, 5, 1, 1098},
                      StateCase{"FinishedWithoutIntervals", '+', 'F', false, 0, 0, 1445},
                      StateCase{"OldJobOfFinishedWithoutIntervals", '+', 'F', true, 0, 1, 0},
                      StateCase{"NoData", '+', 'V', false, 5, 0, 274},
                      StateCase{"NoDataOfCurrentJob", '+', 'V', true, 5, 0, 274},
                      StateCase{"NoJob", '+', 'K', false, 5, 0, 962},
                      StateCase{"Finished", '+', 'F', false, 5, 0, 0},
                      StateCase{"BootProgram", 'P', 'F', false, 5, 0, kFunctionAbortedDialog}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FunctionAbortedTextTest, NamesTheStates) {
    EXPECT_EQ(FunctionAbortedText(kStateBootProgram, kStateApplication | kStateTestProgram),
              "The connected Logger does not have the correct state to perform the selected "
              "function.\nThe current state of the Logger is Boot program.\nTo perform this "
              "command, the Logger must be in Application, Test program.");
}

}  // namespace
}  // namespace varelo
