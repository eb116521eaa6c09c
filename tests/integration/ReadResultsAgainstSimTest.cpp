#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
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

    // job 1 puts the measurement on the old job; currentState is then the current job's.
    void StartMeasurement(const sim::GeneratorSettings& generated, sim::FaultSettings faults = {},
                          uint16_t job = 0, char currentState = 'F') {
        sim::Scenario scenario;
        scenario.jobs[job].measurement = generated;
        sim::DescribeMeasurementJob(scenario, uint8_t(job));
        if (job == 1) scenario.jobs[0].report.state = currentState;
        // Only a Logger running function A is read out; its jobs may be of either function.
        scenario.software.measurementFunction = "A Power quality";
        scenario.software.cpuFunction = "A;CPU";
        scenario.software.dspFunction = "A;DSP";
        scenario.clock = sim::SimDateTime{2024, 1, 8, 12, 0, 0};  // the file keeps it
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

struct FileCase {
    const char* name;
    uint32_t function;
    uint16_t job;
    char currentState;  // of the current job while the old one is read
    std::optional<sim::CircularGap> gap;
};

class ReadResultsFileTest : public ReadResultsAgainstSimTest,
                            public ::testing::WithParamInterface<FileCase> {};

// The file holds what the Logger's memory held, without empty records; a restart of the
// memory within the look-ahead drops the stale records before it, an empty record beyond it
// is only skipped (the generator's file is the PC's read-out in both cases).
TEST_P(ReadResultsFileTest, FileHoldsTheGeneratedMeasurement) {
    const FileCase& c = GetParam();
    sim::GeneratorSettings s = Day(c.function);
    s.gap = c.gap;
    StartMeasurement(s, {}, c.job, c.currentState);
    ui.saveAnswer = target;
    const ReadResultsOutcome outcome = Read(c.job);
    ASSERT_EQ(outcome.path, target);
    EXPECT_FALSE(outcome.transferFailed);
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(ui.saveQuestions.size(), 1u);
    EXPECT_EQ(ui.saveQuestions[0].title, std::string("Measurement function ") +
                                             (c.function == kMeasFuncA ? "A" : "P") +
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

INSTANTIATE_TEST_SUITE_P(
    Jobs, ReadResultsFileTest,
    ::testing::Values(FileCase{"CurrentCircularA", kMeasFuncA, 0, 'F', sim::CircularGap{2, 3}},
                      FileCase{"CurrentP", kMeasFuncP, 0, 'F', std::nullopt},
                      // An old job read while the current one records may have restarted meanwhile.
                      FileCase{"OldWhileActiveA", kMeasFuncA, 1, 'A', sim::CircularGap{2, 3}},
                      FileCase{"OldP", kMeasFuncP, 1, 'F', std::nullopt},
                      FileCase{"EmptyBeyondLookAheadA", kMeasFuncA, 0, 'F',
                               sim::CircularGap{599, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

// One answer in fifty lost and one interval test sum in a hundred corrupted: the retries
// repair every record, so the file is byte for byte the one of a clean line.
TEST_F(ReadResultsAgainstSimTest, FaultsOnTheLineLeaveTheFileAsOnACleanLine) {
    const sim::GeneratorSettings s = Day(kMeasFuncA);
    sim::FaultSettings faults;
    faults.dropEvery = 50;
    faults.corruptTestSumEvery[sim::kReadInterval] = 100;
    std::string files[2];
    for (int faulty = 0; faulty < 2; ++faulty) {
        StartMeasurement(s, faulty ? faults : sim::FaultSettings{});
        const std::string path = dir.File(faulty ? "faulty.VXM" : "clean.VXM");
        ui.saveAnswer = path;
        const ReadResultsOutcome outcome = Read();
        ASSERT_EQ(outcome.path, path) << "faulty " << faulty;
        if (faulty) {  // the faults did happen
            EXPECT_GT(outcome.diagnostics.transmissionErrorCount, 0);
            EXPECT_GT(outcome.diagnostics.dataErrorCount, 0);
        }
        files[faulty] = Contents(path);
        port.Close();  // the next Logger is on another pseudo-terminal
        sim_.reset();
    }
    EXPECT_GT(files[0].size(), 100000u);
    EXPECT_TRUE(files[0] == files[1]) << "the files differ";
}

std::vector<std::string> LinesOf(const std::string& path) {
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> LinesStartingWith(const std::vector<std::string>& lines,
                                           const std::string& prefix) {
    std::vector<std::string> found;
    for (const auto& line : lines)
        if (line.rfind(prefix, 0) == 0) found.push_back(line);
    return found;
}

TEST_F(ReadResultsAgainstSimTest, TextDumpsBesideTheFileNumberWhatWasRead) {
    sim::GeneratorSettings s = Day(kMeasFuncA);
    s.gap = sim::CircularGap{2, 3};
    StartMeasurement(s);
    settings.Write(setting::StoreKELVAROdata, 1);
    ui.saveAnswer = dir.File("m1.VXM");
    ASSERT_EQ(Read().path, dir.File("m1.VXM"));
    const sim::MeasurementGenerator generator(s);

    // The stale records before the restart were read and written before the gap showed.
    const auto intervals = LinesOf(dir.File("m1 Intervall.txt"));
    std::vector<std::string> numbers = {"IntervalNr: 1", "IntervalNr: 2"};
    for (uint32_t n = 6; n <= generator.MemoryIntervalCount(); ++n)
        numbers.push_back("IntervalNr: " + std::to_string(n));
    EXPECT_EQ(LinesStartingWith(intervals, "IntervalNr: "), numbers);
    ASSERT_GE(intervals.size(), 161u);
    EXPECT_EQ(intervals[160], "") << "a function A block has 160 lines and an empty one";
    EXPECT_EQ(intervals[161], "IntervalNr: 2");
    EXPECT_EQ(LinesStartingWith(intervals, "Uharm").size(), numbers.size() * 50);
    EXPECT_EQ(LinesStartingWith(intervals, "Imax N: ").size(), numbers.size());
    EXPECT_EQ(LinesStartingWith(intervals, "UactImax Lx: ").size(), numbers.size());

    const auto segments = LinesOf(dir.File("m1 Statistik.txt"));
    EXPECT_EQ(LinesStartingWith(segments, "SegmentNr: ").size(), generator.StatisticCount());
    ASSERT_GT(segments.size(), 6u);
    EXPECT_EQ(segments[4], "Nr.\tFreq. 50/60 Hz\tCount");
    EXPECT_EQ(segments[5].rfind("1\t41.00/51.00 Hz\t", 0), 0u) << segments[5];

    const auto events = LinesOf(dir.File("m1 Ereignis.txt"));
    ASSERT_GE(events.size(), 7u);
    const CEventRecord& first = generator.Event(0);
    EXPECT_EQ(events[0], "EventNr: 1");
    EXPECT_EQ(events[2], "EventPhase: " + std::to_string(first.Phase));
    EXPECT_EQ(events[3], "EventVoltage: " + std::to_string(first.Val));
    EXPECT_EQ(events[6], "");
    EXPECT_EQ(LinesStartingWith(events, "EventNr: ").size(), generator.EventCount());
}

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
    sim::FaultSettings faults = {};
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
    StartSim(scenario, c.faults);
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
                      // Without a ready Logger the identification fails like any other.
                      StateCase{"BootProgram", 'P', 'F', false, 5, 0, 322},
                      StateCase{"NoLoggerAnswers", '+', 'F', false, 5, 0, 322, SilentAfter(0)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FunctionAbortedTextTest, NamesTheStates) {
    EXPECT_EQ(FunctionAbortedText(kStateBootProgram, kStateApplication | kStateTestProgram),
              "The connected Logger does not have the correct state to perform the selected "
              "function.\nThe current state of the Logger is Boot program.\nTo perform this "
              "command, the Logger must be in Application, Test program.");
}

}  // namespace
}  // namespace varelo
