#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "sim/LoggerSim.h"
#include "support/SerialClient.h"

namespace varelo::sim {

// A simulated Logger on a pseudo-terminal and a PC-side client on its port. Besides the
// built-in commands the Logger knows kFake, a command with a fixed multi-byte answer, so that
// repeats and faults of an ordinary answer can be seen.
class LoggerSimFixture : public ::testing::Test {
  protected:
    static constexpr uint8_t kFake = 'g';
    // Neither starts with a state character nor is all printable.
    static std::string FakeAnswer() { return std::string("DATA\0\xFF\r\n", 8); }

    void StartSim(Scenario scenario = {}, FaultSettings faults = {}) {
        client_.reset();
        sim_ = std::make_unique<LoggerSim>(scenario, faults);
        sim_->RegisterHandler(kFake, [](CommandContext&) {
            std::string answer = FakeAnswer();
            return Reply{{answer.begin(), answer.end()}, kFake, true};
        });
        std::string error;
        ASSERT_TRUE(sim_->Start(error)) << error;
        client_ = std::make_unique<test::SerialClient>(sim_->SlavePath());
        ASSERT_TRUE(client_->IsOpen()) << client_->OpenError().text;
    }

    // Sends the bytes and reads the given number of answer bytes.
    std::string Exchange(const std::string& sent, size_t answerLength) {
        EXPECT_TRUE(client_->Send(sent));
        return client_->Read(answerLength);
    }

    std::unique_ptr<LoggerSim> sim_;
    std::unique_ptr<test::SerialClient> client_;
};

}  // namespace varelo::sim
