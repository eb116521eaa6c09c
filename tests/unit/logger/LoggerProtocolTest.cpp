#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "app/Settings.h"
#include "app/StringTable.h"
#include "logger/LoggerLink.h"
#include "logger/LoggerProtocol.h"
#include "support/FakeSerialDevice.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulatedClock.h"
#include "support/TempDir.h"

namespace varelo {
namespace {

using test::FakeSerialDevice;

// A scripted Logger: one answer per command byte, the first `drops` transmissions of an
// answer lost, "x" repeating the last answer.
struct ScriptedLogger {
    std::map<uint8_t, std::string> answers;
    std::map<uint8_t, int> drops;
    std::string wakeUpAnswers = "+";  // one character per wake-up; the last one repeats
    size_t wakeUps = 0;
    uint8_t lastCommand = 0;

    void operator()(FakeSerialDevice& d, std::span<const uint8_t> written) {
        uint8_t c = written[0];
        if (c == cmd::kWakeUp) {
            d.Queue(std::string(1, wakeUpAnswers[std::min(wakeUps++, wakeUpAnswers.size() - 1)]));
            return;
        }
        if (c != cmd::kRepeat) lastCommand = c;
        auto answer = answers.find(lastCommand);
        if (answer == answers.end()) return;
        if (drops[lastCommand] > 0) {
            --drops[lastCommand];
            return;
        }
        d.Queue(answer->second);
    }
};

class LoggerProtocolTest : public ::testing::Test {
protected:
    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::SimulatedClock clock;
    FakeSerialDevice device{&clock};
    test::RecordingUserInterface ui;
    CSerialPort serial{device, clock, [](const std::string& n) { return n; }};
    CLoggerLink port{serial, ui};
    ScriptedLogger logger;

    void SetUp() override {
        device.responder = [this](FakeSerialDevice& d, std::span<const uint8_t> w) {
            logger(d, w);
        };
    }
    std::string Written() const { return device.WrittenBytes(); }
    int SleepsOf(uint32_t ms) const {
        return int(std::count(clock.sleeps.begin(), clock.sleeps.end(), ms));
    }
};

TEST_F(LoggerProtocolTest, LostAnswerArrivesOnTheThirdAttempt) {
    logger.answers['y'] = std::string(131, 'h');
    logger.drops['y'] = 2;
    CLoggerProtocol protocol(port, settings);
    ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    device.writes.clear();
    clock.sleeps.clear();

    uint8_t buffer[131];
    ASSERT_TRUE(protocol.SendCommand('y', 381));
    ASSERT_TRUE(protocol.ReceiveAnswer(buffer, sizeof buffer, 382));
    EXPECT_EQ(Written(), "y\x1bx\x1bx");
    // Every attempt reads the whole answer; the wake-up answers to the retry ESCs are discarded.
    EXPECT_EQ(device.ReadTimeouts(131), (std::vector<uint32_t>{3000, 4000, 5000}));
    EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{100, 100, 100, 100}));
    EXPECT_EQ(protocol.Diagnostics().transmissionErrorCount, 2);  // the two quiet lost attempts
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LoggerProtocolTest, RetryTimeoutGrowsUpToNineSecondsAndEightAttemptsFail) {
    logger.answers['y'] = std::string(131, 'h');
    logger.drops['y'] = 100;
    CLoggerProtocol protocol(port, settings);
    ASSERT_EQ(protocol.Connect(0), CLoggerProtocol::kConnected);
    uint8_t buffer[131];
    ASSERT_TRUE(protocol.SendCommand('y', 381));
    EXPECT_FALSE(protocol.ReceiveAnswer(buffer, sizeof buffer, 382));
    EXPECT_EQ(device.ReadTimeouts(131),
              (std::vector<uint32_t>{3000, 4000, 5000, 6000, 7000, 8000, 9000, 9000}));
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{733});  // the last attempt is not quiet
    EXPECT_EQ(protocol.Diagnostics().dataErrorCount, 1);
    EXPECT_EQ(protocol.Diagnostics().texts.back(), Msg(382, {"0", "131"}));
}

TEST_F(LoggerProtocolTest, ShortAnswersGetASingleAttempt) {
    logger.answers['n'] = std::string(7, 'n');
    logger.drops['n'] = 1;
    CLoggerProtocol protocol(port, settings);
    ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    device.writes.clear();
    uint8_t buffer[7];
    ASSERT_TRUE(protocol.SendCommand('n', 510));
    EXPECT_FALSE(
        protocol.ReceiveAnswer(buffer, sizeof buffer, 511, 0, CLoggerProtocol::kQuietLastAttempt));
    EXPECT_EQ(Written(), "n");
}

TEST_F(LoggerProtocolTest, NoiseOnTwoWakeUpsConnectsAfterTwoPauses) {
    logger.wakeUpAnswers = std::string("\0\0+", 3);
    CLoggerProtocol protocol(port, settings);
    EXPECT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    EXPECT_EQ(SleepsOf(5200), 2);
    EXPECT_EQ(SleepsOf(5000), 1);  // the wait after opening the port
    EXPECT_EQ(Written(), "\x1b\x1b\x1b");
}

TEST_F(LoggerProtocolTest, WakeUpStatesDecideTheConnection) {
    struct Case {
        std::string state;
        unsigned flags;
        int result;
        bool endCommandSent;  // after EndConnection and destruction
        int dataErrors;
    } cases[] = {
        {"+", CLoggerProtocol::kQuietWakeUp, CLoggerProtocol::kConnected, true, 0},
        {"P", CLoggerProtocol::kQuietWakeUp, CLoggerProtocol::kNotRunningApplication, false, 0},
        {"?", 0, CLoggerProtocol::kNotRunningApplication, false, 0},
        {"$", CLoggerProtocol::kQuietWakeUp, CLoggerProtocol::kNoAnswer, false, 0},
        {">", CLoggerProtocol::kQuietWakeUp, CLoggerProtocol::kNoAnswer, false, 0},
        {"$", 0, CLoggerProtocol::kNoAnswer, false, 1},
        {"#", CLoggerProtocol::kQuietWakeUp, CLoggerProtocol::kNoAnswer, false, 1},
        {"\x01\x02\x03", CLoggerProtocol::kQuietWakeUp, CLoggerProtocol::kNoAnswer, false, 1},
    };
    for (const auto& c : cases) {
        logger.wakeUpAnswers = c.state;
        logger.wakeUps = 0;
        device.writes.clear();
        {
            CLoggerProtocol protocol(port, settings);
            EXPECT_EQ(protocol.Connect(c.flags), c.result) << c.state;
            EXPECT_EQ(protocol.Diagnostics().dataErrorCount, c.dataErrors) << c.state;
            if (c.dataErrors) {
                EXPECT_EQ(protocol.Diagnostics().texts.back(),
                          Msg(376, {std::string(1, c.state.back())}));
            }
            protocol.EndConnection();
        }
        EXPECT_EQ(Written().find('X') != std::string::npos, c.endCommandSent) << c.state;
    }
}

TEST_F(LoggerProtocolTest, EndConnectionSendsXOnceAndWaits) {
    {
        CLoggerProtocol protocol(port, settings);
        ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
        clock.sleeps.clear();
        protocol.EndConnection();
        EXPECT_FALSE(protocol.Connected());
    }
    std::string written = Written();
    EXPECT_EQ(std::count(written.begin(), written.end(), 'X'), 1);
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{100});
}

TEST_F(LoggerProtocolTest, WakeUpWithoutAnswerFailsAtOnce) {
    logger.wakeUpAnswers = "+";
    device.responder = nullptr;
    CLoggerProtocol protocol(port, settings);
    EXPECT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kNoAnswer);
    EXPECT_EQ(Written(), "\x1b");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(LoggerProtocolTest, PortThatCannotOpenGivesMinusOne) {
    device.failOpen = OsError::FromErrno(EBUSY);
    CLoggerProtocol protocol(port, settings);
    EXPECT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kPortNotOpened);
    EXPECT_EQ(ui.MessageIds(), std::vector<int>{718});
}

TEST_F(LoggerProtocolTest, JobSelectionOnlyTalksToMultiJobLoggers) {
    logger.answers['J'] = "J";
    CLoggerProtocol protocol(port, settings, 1);
    ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    EXPECT_EQ(protocol.SelectedJob(), 1);
    EXPECT_EQ(Written().find('J'), std::string::npos);

    protocol.SetMultiJob(true);
    device.writes.clear();
    EXPECT_TRUE(protocol.EnsureJob(1));
    EXPECT_TRUE(device.writes.empty());
    EXPECT_TRUE(protocol.EnsureJob(0));
    ASSERT_EQ(device.writes.size(), 1u);
    EXPECT_EQ(device.writes[0], (std::vector<uint8_t>{'J', 0}));  // one block
    EXPECT_EQ(protocol.SelectedJob(), 0);

    logger.answers.erase('J');  // no answer: the selection stays as it was
    EXPECT_FALSE(protocol.SelectJob(1));
    EXPECT_EQ(protocol.SelectedJob(), 0);
}

TEST_F(LoggerProtocolTest, SettingsTakeTheirSubstitutes) {
    struct Case {
        const SettingKey* key;
        int stored;  // INT32_MIN = absent
        uint32_t ProtocolSettings::*field;
        uint32_t expected;
    } cases[] = {
        {&setting::MaxResponseTime, 5000, &ProtocolSettings::maxResponseTime, 3000},
        {&setting::MaxResponseTime, 4700, &ProtocolSettings::maxResponseTime, 4700},
        {&setting::MaxResponseTime, INT32_MIN, &ProtocolSettings::maxResponseTime, 3000},
        {&setting::CommandDelayData, 0, &ProtocolSettings::commandDelayData, 0},
        {&setting::CommandDelayData, INT32_MIN, &ProtocolSettings::commandDelayData, 50},
        {&setting::CommandDelayData, 32001, &ProtocolSettings::commandDelayData, 50},
        {&setting::MaxInitTime, 2999, &ProtocolSettings::maxInitTime, 7000},
        {&setting::EventCommandDelay, INT32_MIN, &ProtocolSettings::eventCommandDelay, 200},
    };
    for (const auto& c : cases) {
        test::TempDir d;
        SettingsStore s(d.File("Varelo.conf"));
        Settings st(s);
        if (c.stored != INT32_MIN) st.Write(*c.key, c.stored);
        EXPECT_EQ(ProtocolSettings::Read(st).*c.field, c.expected) << c.key->key << c.stored;
    }
}

TEST_F(LoggerProtocolTest, PortAndBaudRateAreRepairedAndWrittenBack) {
    settings.Write(setting::ComPort, 12);
    settings.Write(setting::BaudRate, "4800");
    ProtocolSettings config = ProtocolSettings::Read(settings);
    EXPECT_EQ(config.portNumber, 1);
    EXPECT_EQ(config.baudText, "115200");
    EXPECT_EQ(settings.ReadInt(setting::ComPort), 1);
    EXPECT_EQ(settings.ReadString(setting::BaudRate), "115200");
}

TEST_F(LoggerProtocolTest, PauseWaitsTheCommandDelayUnlessZero) {
    settings.Write(setting::CommandDelayData, 0);
    CLoggerProtocol quick(port, settings);
    quick.Pause(0);
    EXPECT_TRUE(clock.sleeps.empty());
    quick.Pause(30);
    settings.Write(setting::CommandDelayData, 75);
    CLoggerProtocol paced(port, settings);
    paced.Pause(0);
    EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{30, 75}));
}

}  // namespace
}  // namespace varelo
