#include <gtest/gtest.h>

#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "sim/LoggerEngine.h"
#include "sim/MeasurementCommands.h"
#include "sim/MeasurementGenerator.h"
#include "sim/RawEncoding.h"
#include "sim/RecordWire.h"
#include "sim/ScenarioFile.h"
#include "sim/SimOptions.h"
#include "sim/WireWriter.h"

namespace varelo::sim {
namespace {

using namespace std::chrono_literals;

// What the Logger sends for one command byte.
std::vector<uint8_t> Send(LoggerEngine& engine, uint8_t command) {
    std::optional<LoggerEngine::Outcome> o =
        engine.Receive(command, LoggerEngine::TimePoint{} + 1h);
    return o ? o->send : std::vector<uint8_t>{};
}

std::vector<uint8_t> WithTestSum(std::vector<uint8_t> data) {
    data.push_back(XorOf(data));
    return data;
}

GeneratorSettings SmallA() {
    GeneratorSettings s;
    s.intervals = 24;  // a day: at least one event
    s.intervalSeconds = 3600;
    s.gap = CircularGap{1, 1};
    return s;
}

TEST(MeasurementCommands, RecordsComeInOrderRepeatAndStartAgainAfterTheConnection) {
    Scenario scenario;
    scenario.jobs[0].measurement = SmallA();
    LoggerEngine engine(scenario);
    const MeasurementGenerator g(SmallA());
    ASSERT_EQ(g.MemoryIntervalCount(), 26u);
    ASSERT_GT(g.EventCount(), 0u);

    std::vector<std::vector<uint8_t>> slots;
    for (uint32_t slot = 0; slot < g.MemoryIntervalCount(); ++slot) {
        CIntervalRecord r;
        slots.push_back(WithTestSum(g.MemoryInterval(slot, r) ? IntervalWire(r, kMeasFuncA)
                                                              : ErasedIntervalWire(kMeasFuncA)));
    }
    EXPECT_EQ(Send(engine, 'm'), slots[0]);
    EXPECT_EQ(Send(engine, 'x'), slots[0]);
    EXPECT_EQ(Send(engine, 'm'), slots[1]);
    EXPECT_EQ(slots[1], WithTestSum(std::vector<uint8_t>(kIntervalWireLengthA, 0xFF)));
    EXPECT_EQ(Send(engine, 'T'), WithTestSum(StatisticWire(g.Statistic(0))));
    EXPECT_EQ(Send(engine, 'E'), WithTestSum(EventWire(g.Event(0))));
    EXPECT_EQ(Send(engine, 'x'), WithTestSum(EventWire(g.Event(0))));
    for (size_t slot = 2; slot < slots.size(); ++slot)
        EXPECT_EQ(Send(engine, 'm'), slots[slot]);
    EXPECT_TRUE(Send(engine, 'm').empty());  // past the last record

    Send(engine, 'X');
    EXPECT_EQ(Send(engine, 'm'), slots[0]);
    EXPECT_EQ(Send(engine, 'T'), WithTestSum(StatisticWire(g.Statistic(0))));
}

TEST(MeasurementCommands, WithoutMeasurementNothingIsAnswered) {
    LoggerEngine engine;
    for (uint8_t command : {'m', 'T', 'E'})
        EXPECT_TRUE(Send(engine, command).empty()) << command;
}

TEST(MeasurementCommands, HarmonicCodesGiveTheRawValueBack) {
    struct Case {
        int16_t rms, raw;
        bool found;
    } const cases[] = {{1000, 67, true}, {1000, 608, true}, {1000, 609, false}, {0, 0, true}};
    for (const Case& c : cases) {
        std::optional<uint8_t> code = CodeOfHarmonic(c.rms, c.raw);
        ASSERT_EQ(code.has_value(), c.found) << c.rms << " " << c.raw;
        if (code) {
            EXPECT_EQ(HarmonicFromCode(c.rms, *code), c.raw);
        }
    }
}

TEST(MeasurementCommands, PeriodicFaultsHitEveryNthLongAnswerAndTestSum) {
    Scenario scenario;
    scenario.jobs[0].measurement = SmallA();
    FaultSettings faults;
    faults.dropEvery = 3;
    faults.corruptTestSumEvery['m'] = 2;
    LoggerEngine engine(scenario, faults);
    const MeasurementGenerator g(SmallA());
    CIntervalRecord first;
    ASSERT_TRUE(g.MemoryInterval(0, first));
    const std::vector<uint8_t> clean = WithTestSum(IntervalWire(first, kMeasFuncA));
    std::vector<uint8_t> flipped = clean;
    flipped.back() ^= 0xFF;

    EXPECT_EQ(Send(engine, 'm'), clean);       // long answer 1, transmission 1 of m
    EXPECT_EQ(Send(engine, 'x'), flipped);     // long answer 2, transmission 2
    EXPECT_TRUE(Send(engine, 'x').empty());    // long answer 3: lost
    EXPECT_EQ(Send(engine, 0x1B).size(), 1u);  // short answers are never lost
    EXPECT_EQ(Send(engine, 'x'), flipped);     // transmission 4
    EXPECT_EQ(Send(engine, 'x'), clean);       // transmission 5
}

TEST(MeasurementCommands, ScenarioFileAndCommandLineSetTheMeasurementAndTheFaults) {
    Scenario scenario;
    FaultSettings faults;
    std::string error;
    ASSERT_TRUE(
        ParseScenarioText("[Measurement]\nfunction = P\nintervals = 10\nseed = 4\n"
                          "gap = 2:3\n[Faults]\ndrop-every = 50\n"
                          "corrupt-test-sum-every = m:100, T:7\n",
                          scenario, faults, error))
        << error;
    ASSERT_TRUE(scenario.jobs[0].measurement);
    EXPECT_EQ(scenario.jobs[0].measurement->function, kMeasFuncP);
    EXPECT_EQ(scenario.jobs[0].measurement->seed, 4u);
    EXPECT_EQ(scenario.jobs[0].function, 'P');
    EXPECT_EQ(scenario.jobs[0].report.state, 'F');
    EXPECT_EQ(scenario.jobs[0].report.intervals, 15);  // the memory holds the gap too
    EXPECT_EQ(scenario.software.measurementFunction.front(), 'P');
    EXPECT_EQ(faults.dropEvery, 50);
    EXPECT_EQ(faults.corruptTestSumEvery, (std::map<uint8_t, int>{{'m', 100}, {'T', 7}}));

    EXPECT_FALSE(ParseScenarioText("[Measurement]\nfunction = Q\n", scenario, faults, error));
    EXPECT_NE(error.find("function"), std::string::npos);

    SimOptions options;
    const std::vector<std::string> args = {
        "--baud", "9600", "--drop-every", "20", "--corrupt-test-sum-every", "m:30"};
    ASSERT_TRUE(ParseSimOptions(args, options, error)) << error;
    EXPECT_EQ(options.baud, 9600);
    options.ApplyTo(scenario, faults);
    EXPECT_EQ(faults.dropEvery, 20);
    EXPECT_EQ(faults.corruptTestSumEvery['m'], 30);
    const std::vector<std::string> bad = {"--baud", "0"};
    EXPECT_FALSE(ParseSimOptions(bad, options, error));
}

}  // namespace
}  // namespace varelo::sim
