#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "sim/JobBlock.h"
#include "sim/LoggerEngine.h"
#include "sim/WireWriter.h"

namespace varelo::sim {
namespace {

using namespace std::chrono_literals;
using Outcome = LoggerEngine::Outcome;

const LoggerEngine::TimePoint kStart = LoggerEngine::TimePoint{} + 1h;

// Feeds the bytes one by one at the given time; the outcomes of the completed commands.
std::vector<Outcome> Feed(LoggerEngine& engine, const std::vector<uint8_t>& bytes,
                          LoggerEngine::TimePoint at = kStart) {
    std::vector<Outcome> outcomes;
    for (uint8_t b : bytes) {
        if (std::optional<Outcome> o = engine.Receive(b, at)) outcomes.push_back(std::move(*o));
    }
    return outcomes;
}

// A job block whose bytes include what would be commands on their own.
std::vector<uint8_t> JobData() {
    std::vector<uint8_t> data(kJobDataLength);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = uint8_t(i * 7);
    data[0] = 0x1B;
    data[1] = 'x';
    data[2] = 'X';
    return data;
}

std::vector<uint8_t> WithCommand(uint8_t command, std::vector<uint8_t> data) {
    data.insert(data.begin(), command);
    return data;
}

TEST(LoggerEngine, DataBytesBelongToTheirCommandEvenWhenTheyLookLikeCommands) {
    LoggerEngine engine;
    const std::vector<uint8_t> job = JobData();
    std::vector<uint8_t> sent = {'J', 1};
    std::vector<uint8_t> write = WithCommand('A', job);
    sent.insert(sent.end(), write.begin(), write.end());

    std::vector<Outcome> outcomes = Feed(engine, sent);
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[0].received, (std::vector<uint8_t>{'J', 1}));
    EXPECT_EQ(outcomes[0].send, (std::vector<uint8_t>{'+'}));
    EXPECT_EQ(outcomes[1].received, write);
    EXPECT_EQ(outcomes[1].send, (std::vector<uint8_t>{XorOf(job)}));
    EXPECT_EQ(engine.GetScenario().selectedJob, 1);
    EXPECT_EQ(engine.GetScenario().jobs[0].block, job);
}

TEST(LoggerEngine, CommandWhoseDataBreaksOffIsDroppedAfterThePause) {
    LoggerEngine engine;
    auto at = kStart;
    EXPECT_TRUE(Feed(engine, {'A'}, at).empty());
    // Each byte gives the next one the whole pause again.
    for (int i = 0; i < 10; ++i) {
        at += LoggerEngine::kDataTimeout - 1ms;
        EXPECT_FALSE(engine.Expire(at));
        EXPECT_TRUE(Feed(engine, {uint8_t(i)}, at).empty());
    }
    EXPECT_EQ(engine.DataDeadline(), at + LoggerEngine::kDataTimeout);
    EXPECT_FALSE(engine.Expire(at + LoggerEngine::kDataTimeout));

    std::optional<Outcome> dropped = engine.Expire(at + LoggerEngine::kDataTimeout + 1ms);
    ASSERT_TRUE(dropped);
    EXPECT_EQ(dropped->received.size(), 11u);
    EXPECT_TRUE(dropped->send.empty());
    EXPECT_NE(dropped->note.find("10 of 675"), std::string::npos) << dropped->note;
    EXPECT_FALSE(engine.DataDeadline());
    EXPECT_TRUE(engine.GetScenario().jobs[0].block.empty());

    // The Logger takes commands again.
    std::vector<Outcome> next = Feed(engine, {0x1B}, at + 2s);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0].send, (std::vector<uint8_t>{'+'}));
}

TEST(LoggerEngine, WrittenJobBecomesTheProgrammedCurrentJob) {
    struct Case {
        const char* name;
        bool keepOld;
        bool hadOld;
    };
    const Case cases[] = {
        {"old job replaced by the current one", true, true},
        {"first old job", true, false},
        {"old job left as it was", false, true},
        {"still no old job", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scenario scenario;
        scenario.keepOldJobOnWrite = c.keepOld;
        scenario.hasOldJob = c.hadOld;
        scenario.jobs[0].report = {.state = 'F', .intervals = 500, .events = 4};
        scenario.jobs[1].report = {.state = 'F', .intervals = 70, .events = 9};
        const Scenario before = scenario;
        LoggerEngine engine(scenario);
        ASSERT_EQ(Feed(engine, WithCommand('A', JobData())).size(), 1u);

        const Scenario& after = engine.GetScenario();
        EXPECT_EQ(after.jobs[0].block, JobData());
        EXPECT_EQ(after.jobs[0].report.state, 'V');
        EXPECT_EQ(after.jobs[0].report.intervals, 0);
        EXPECT_EQ(after.jobs[0].report.events, 0);
        EXPECT_EQ(after.hasOldJob, c.keepOld || c.hadOld);
        const LoggerJob& expectedOld = c.keepOld ? before.jobs[0] : before.jobs[1];
        EXPECT_EQ(after.jobs[1].report.intervals, expectedOld.report.intervals);
        EXPECT_EQ(after.jobs[1].report.events, expectedOld.report.events);
    }
}

TEST(LoggerEngine, JobSelectionTakesOnlyExistingJobsAndEndsWithTheConnection) {
    LoggerEngine engine;
    std::vector<Outcome> outcomes = Feed(engine, {'J', 1, 'J', 7});
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[1].send, (std::vector<uint8_t>{'f'}));
    EXPECT_EQ(engine.GetScenario().selectedJob, 1);
    Feed(engine, {'X'});
    EXPECT_EQ(engine.GetScenario().selectedJob, 0);
}

TEST(LoggerEngine, ClampCommandIsAnsweredOnlyByFirmwareThatKnowsIt) {
    for (bool known : {true, false}) {
        SCOPED_TRACE(known);
        Scenario scenario;
        scenario.clamp.known = known;
        LoggerEngine engine(scenario);
        std::vector<Outcome> outcomes = Feed(engine, {'b', 0x1B});
        ASSERT_EQ(outcomes.size(), 2u);
        EXPECT_EQ(outcomes[0].send.size(), known ? 11u : 0u);
        EXPECT_EQ(outcomes[1].send, (std::vector<uint8_t>{'+'}));
    }
}

}  // namespace
}  // namespace varelo::sim
