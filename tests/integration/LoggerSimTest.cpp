#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "LoggerSimFixture.h"
#include "sim/ByteText.h"
#include "support/TempDir.h"

namespace varelo::sim {
namespace {

using namespace std::chrono_literals;
using LoggerSimTest = LoggerSimFixture;

const std::string kEsc = "\x1b";

TEST_F(LoggerSimTest, WakeUpAnswersTheStateCharacterOfTheScenario) {
    for (char state : std::string("+?P$*>#")) {
        SCOPED_TRACE(state);
        StartSim(Scenario{.state = static_cast<uint8_t>(state)});
        EXPECT_EQ(Exchange(kEsc, 1), std::string(1, state));
    }
}

TEST_F(LoggerSimTest, PortCanBeClosedAndOpenedAgainBetweenOperations) {
    StartSim();
    EXPECT_EQ(Exchange(kEsc, 1), "+");
    client_->Close();
    test::SerialClient again(sim_->SlavePath());
    ASSERT_TRUE(again.IsOpen()) << again.OpenError().text;
    ASSERT_TRUE(again.Send(kEsc));
    EXPECT_EQ(again.Read(1), "+");
}

TEST_F(LoggerSimTest, RepeatSendsTheLastAnswerOfACommandOtherThanWakeUp) {
    StartSim();
    EXPECT_EQ(Exchange("g", 8), FakeAnswer());
    // The retry of the PC: ESC abandons the answer and its state answer is not remembered.
    EXPECT_EQ(Exchange(kEsc, 1), "+");
    EXPECT_EQ(Exchange("x", 8), FakeAnswer());
    EXPECT_EQ(Exchange("x", 8), FakeAnswer());
    // Commands without an answer leave it as it was.
    EXPECT_EQ(Exchange("X\x07x", 8), FakeAnswer());
}

TEST_F(LoggerSimTest, CommandsWithoutAnAnswerSendNothing) {
    StartSim();
    // An answer to any of them would arrive before the state answer of the ESC after it.
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"repeat before any answer", "x"},
        {"end of connection", "X"},
        {"unknown command", "\x07"},
        {"unknown high byte", "\xF0"},
    };
    for (const auto& [name, command] : cases) {
        SCOPED_TRACE(name);
        EXPECT_EQ(Exchange(command + kEsc, 1), "+");
    }
}

TEST_F(LoggerSimTest, CommandLogHasEveryReceivedByteInOrderInMemoryAndInTheFile) {
    test::TempDir dir;
    StartSim();
    std::string error;
    ASSERT_TRUE(sim_->Log().OpenFile(dir.File("commands.log"), error)) << error;

    const std::vector<uint8_t> sent = {0x1B, 'g', 'x', 0x07, 'X'};
    ASSERT_TRUE(client_->Send(std::string(sent.begin(), sent.end())));
    ASSERT_TRUE(sim_->Log().WaitForCount(sent.size(), 5s));

    EXPECT_EQ(sim_->Log().ReceivedBytes(), sent);
    std::vector<LoggedCommand> entries = sim_->Log().Entries();
    ASSERT_EQ(entries.size(), sent.size());
    for (size_t i = 1; i < entries.size(); ++i)
        EXPECT_LE(entries[i - 1].time, entries[i].time);
    EXPECT_NE(entries[3].note.find("unknown"), std::string::npos);

    std::ifstream file(dir.File("commands.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    ASSERT_EQ(lines.size(), sent.size());
    for (size_t i = 0; i < sent.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        EXPECT_EQ(lines[i], CommandLog::FormatLine(entries[i]));
        std::string hexAndChar =
            "  " + HexBytes({&sent[i], 1}) + "  " + PrintableBytes({&sent[i], 1});
        EXPECT_NE(lines[i].find(hexAndChar), std::string::npos);
    }
}

TEST_F(LoggerSimTest, DataIsLoggedWithItsCommandAndABrokenOffCommandIsDropped) {
    test::TempDir dir;
    StartSim();
    std::string error;
    ASSERT_TRUE(sim_->Log().OpenFile(dir.File("commands.log"), error)) << error;

    EXPECT_EQ(Exchange("J\x01", 1), "+");
    ASSERT_TRUE(client_->Send("A\x01\x02\x03"));
    // Logged once the Logger has given up waiting for the rest of the job.
    ASSERT_TRUE(sim_->Log().WaitForCount(2, 5s));
    EXPECT_EQ(Exchange(kEsc, 1), "+");
    // The Logger may log a command just after its answer has gone out.
    ASSERT_TRUE(sim_->Log().WaitForCount(3, 5s));

    std::vector<LoggedCommand> entries = sim_->Log().Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].bytes, (std::vector<uint8_t>{'J', 1}));
    EXPECT_EQ(entries[1].bytes, (std::vector<uint8_t>{'A', 1, 2, 3}));
    EXPECT_NE(entries[1].note.find("dropped"), std::string::npos) << entries[1].note;
    std::ifstream file(dir.File("commands.log"));
    std::string line;
    ASSERT_TRUE(std::getline(file, line));
    EXPECT_NE(line.find("  4A 01  J.  "), std::string::npos) << line;
}

}  // namespace
}  // namespace varelo::sim
