#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "ProtocolSimFixture.h"
#include "logger/LoggerProtocol.h"

namespace varelo {
namespace {

// Retries, noise and state characters of the protocol against the simulated Logger.
class ProtocolAgainstSimTest : public ProtocolSimFixture {
protected:
    static constexpr uint8_t kLong = 'g';  // a test command with a 131-byte answer
    static std::string LongAnswer() {
        std::string a(131, '\0');
        for (size_t i = 0; i < a.size(); ++i) a[i] = char('A' + i % 26);
        return a;
    }

    void StartSim(sim::Scenario scenario = {}, sim::FaultSettings faults = {}) {
        ProtocolSimFixture::StartSim(scenario, faults, [](sim::LoggerSim& sim) {
            sim.RegisterHandler(kLong, [](sim::CommandContext&) {
                std::string answer = LongAnswer();
                return sim::Reply{{answer.begin(), answer.end()}, kLong, true};
            });
            sim.RegisterHandler('u', [](sim::CommandContext&) {  // answers what nobody reads
                return sim::Reply{{'+', 'g', 'a', 'r', 'b', 'a', 'g', 'e'}, 'u', false};
            });
        });
    }
};

TEST_F(ProtocolAgainstSimTest, AnswerLostTwiceArrivesOnTheThirdAttempt) {
    sim::FaultSettings faults;
    faults.drop[kLong] = 2;
    StartSim({}, faults);
    CLoggerProtocol protocol(port, settings);
    ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);

    std::string answer(131, '\0');
    ASSERT_TRUE(protocol.SendCommand(kLong, 381));
    ASSERT_TRUE(protocol.ReceiveAnswer(reinterpret_cast<uint8_t*>(answer.data()), 131, 382));
    EXPECT_EQ(answer, LongAnswer());
    EXPECT_EQ(device.ReadTimeouts(131), (std::vector<uint32_t>{3000, 4000, 5000}));
    protocol.EndConnection();
    ASSERT_TRUE(sim_->Log().WaitForCount(7, std::chrono::seconds(5)));
    EXPECT_EQ(Commands(), "\x1bg\x1bx\x1bxX");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(ProtocolAgainstSimTest, NoiseOnTwoWakeUpsConnectsAfterTwoPauses) {
    sim::FaultSettings faults;
    faults.noise = 2;
    StartSim({}, faults);
    CLoggerProtocol protocol(port, settings);
    EXPECT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    EXPECT_EQ(std::count(clock.sleeps.begin(), clock.sleeps.end(), 5200u), 2);
    ASSERT_TRUE(sim_->Log().WaitForCount(3, std::chrono::seconds(5)));  // logged after answering
    EXPECT_EQ(Commands(), "\x1b\x1b\x1b");
}

TEST_F(ProtocolAgainstSimTest, BootModeAndBusyLoggersGetNoEndCommand) {
    struct Case {
        char state;
        int result;
    } cases[] = {{'P', CLoggerProtocol::kNotRunningApplication},
                 {'$', CLoggerProtocol::kNoAnswer}};
    for (const auto& c : cases) {
        sim::Scenario scenario;
        scenario.state = uint8_t(c.state);
        StartSim(scenario);
        {
            CLoggerProtocol protocol(port, settings);
            EXPECT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), c.result) << c.state;
            protocol.EndConnection();
        }  // destroyed: ends the connection once more
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_EQ(Commands(), "\x1b") << c.state;
        port.Close();
        sim_.reset();
    }
}

TEST_F(ProtocolAgainstSimTest, UnaskedBytesAreNeverTakenForTheAnswer) {
    StartSim();
    CLoggerProtocol protocol(port, settings);
    ASSERT_EQ(protocol.Connect(CLoggerProtocol::kQuietWakeUp), CLoggerProtocol::kConnected);
    ASSERT_EQ(protocol.SendByte('u', 0), 1);  // its answer stays unread on the line
    ASSERT_TRUE(sim_->Log().WaitForCount(2, std::chrono::seconds(5)));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));

    std::string answer(131, '\0');
    ASSERT_TRUE(protocol.SendCommand(kLong, 381));
    ASSERT_TRUE(protocol.ReceiveAnswer(reinterpret_cast<uint8_t*>(answer.data()), 131, 382));
    EXPECT_EQ(answer, LongAnswer());
    EXPECT_EQ(device.ReadTimeouts(131).size(), 1u);  // right at the first attempt
}

}  // namespace
}  // namespace varelo
