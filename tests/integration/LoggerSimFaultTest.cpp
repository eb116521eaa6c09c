#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LoggerSimFixture.h"

namespace varelo::sim {
namespace {

using namespace std::chrono_literals;
using LoggerSimFaultTest = LoggerSimFixture;

std::string Flipped(std::string bytes, size_t offset) {
    bytes[offset] = static_cast<char>(bytes[offset] ^ 0xFF);
    return bytes;
}

TEST_F(LoggerSimFaultTest, FaultsChangeTheTransmissionsTheyName) {
    const std::string answer = FakeAnswer();
    struct Case {
        const char* name;
        FaultSettings faults;
        std::string sent;
        std::string expected;
    };
    const std::vector<Case> cases = {
        // The PC's retry: the answer and its first repeat are lost, the second repeat arrives.
        {"drop counts repeats", {.drop = {{'g', 2}}}, "g\x1bx\x1bxg", "++" + answer + answer},
        {"drop of nothing", {.drop = {{'g', 0}}}, "g", answer},
        {"drop of the wake-up answer", {.drop = {{0x1B, 1}}}, "\x1bg\x1b", answer + "+"},
        {"drop hits only its command", {.drop = {{0x1B, 5}}}, "gx", answer + answer},
        {"corrupt the repeat only",
         {.corrupt = {{'g', 2, 3}}},
         "gxx",
         answer + Flipped(answer, 3) + answer},
        // The Logger keeps its answer intact: the PC's repeat of a damaged answer is clean.
        {"corrupt the answer, not its repeat",
         {.corrupt = {{'g', 1, 2}}},
         "gx",
         Flipped(answer, 2) + answer},
        {"corrupt the last byte", {.corrupt = {{'g', 1, 7}}}, "g", Flipped(answer, 7)},
        {"corrupt beyond the answer", {.corrupt = {{'g', 1, 8}}}, "g", answer},
        {"corrupt the state character", {.corrupt = {{0x1B, 2, 0}}}, "\x1b\x1b", "+\xD4"},
        {"drop and corrupt share the count",
         {.drop = {{'g', 1}}, .corrupt = {{'g', 2, 0}}},
         "g\x1bx",
         "+" + Flipped(answer, 0)},
        {"noise before the first wake-ups",
         {.noise = 2},
         "\x1b\x1b\x1bg",
         std::string("\0+\0++", 5) + answer},
        {"noise stays when the state answer is dropped",
         {.drop = {{0x1B, 1}}, .noise = 1},
         "\x1b\x1b",
         std::string("\0+", 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        StartSim({}, c.faults);
        EXPECT_EQ(Exchange(c.sent, c.expected.size()), c.expected);
    }
}

TEST_F(LoggerSimFaultTest, SilentAfterNCommandsAnswersNothingButStillLogs) {
    StartSim({}, {.silentAfter = 2});
    EXPECT_EQ(Exchange("\x1bg", 9), "+" + FakeAnswer());
    ASSERT_TRUE(client_->Send("\x1bgx"));
    ASSERT_TRUE(sim_->Log().WaitForCount(5, 5s));
    EXPECT_EQ(client_->Read(1, 200), "");
    std::vector<LoggedCommand> entries = sim_->Log().Entries();
    ASSERT_EQ(entries.size(), 5u);
    EXPECT_EQ(entries[2].note, "silent");
    EXPECT_EQ(entries[4].note, "silent");
}

TEST_F(LoggerSimFaultTest, SilentFromTheStartWithZero) {
    StartSim({}, {.silentAfter = 0});
    ASSERT_TRUE(client_->Send("\x1b"));
    ASSERT_TRUE(sim_->Log().WaitForCount(1, 5s));
    EXPECT_EQ(client_->Read(1, 200), "");
}

TEST_F(LoggerSimFaultTest, NewFaultSettingsWhileServingCountFromZero) {
    StartSim();
    EXPECT_EQ(Exchange("gx", 16), FakeAnswer() + FakeAnswer());
    FaultSettings faults{.drop = {{'g', 1}}};
    sim_->SetFaults(faults);
    EXPECT_EQ(sim_->Faults(), faults);
    // Without a fresh count this would be the third transmission of g and go through.
    EXPECT_EQ(Exchange("x\x1bx", 9), "+" + FakeAnswer());
}

}  // namespace
}  // namespace varelo::sim
