#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Settings.h"
#include "logger/LoggerLink.h"
#include "platform/PosixSerialDevice.h"
#include "sim/LoggerSim.h"
#include "sim/ScenarioFile.h"
#include "support/RecordingUserInterface.h"
#include "support/SimulatedClock.h"
#include "support/TempDir.h"
#include "support/TimeScaledDevice.h"

namespace varelo {

// The client protocol on a real pseudo-terminal against the simulated Logger. Waits run in
// simulated time (at most 100 ms of each is real, so the Logger can answer between two
// commands) and read time-outs are cut to a twentieth, while the time-outs asked for are
// recorded.
class ProtocolSimFixture : public ::testing::Test {
protected:
    // A scenario file shipped with logger-sim.
    static sim::Scenario ShippedScenario(const std::string& name) {
        sim::Scenario scenario;
        sim::FaultSettings faults;
        std::string error;
        EXPECT_TRUE(sim::LoadScenarioFile(std::string(VARELO_SIM_SCENARIOS_DIR) + "/" + name,
                                          scenario, faults, error))
            << error;
        return scenario;
    }

    // prepare runs before the Logger starts serving, e.g. to add a test's own commands.
    void StartSim(sim::Scenario scenario = {}, sim::FaultSettings faults = {},
                  const std::function<void(sim::LoggerSim&)>& prepare = {}) {
        sim_ = std::make_unique<sim::LoggerSim>(scenario, faults);
        if (prepare) prepare(*sim_);
        std::string error;
        ASSERT_TRUE(sim_->Start(error)) << error;
        settings.Write(setting::DeviceForPort(1), sim_->SlavePath());
    }

    // The command bytes the Logger received, without their data.
    std::string Commands() const {
        std::string commands;
        for (const auto& entry : sim_->Log().Entries())
            commands += char(entry.bytes.front());
        return commands;
    }
    // The data that came with each command c, in order.
    std::vector<std::vector<uint8_t>> DataOf(uint8_t c) const {
        std::vector<std::vector<uint8_t>> data;
        for (const auto& entry : sim_->Log().Entries()) {
            if (entry.bytes.front() == c)
                data.emplace_back(entry.bytes.begin() + 1, entry.bytes.end());
        }
        return data;
    }
    // Waits for the Logger to log the given number of commands (the end of a connection
    // sends "X" without waiting for anything).
    bool WaitForCommands(size_t count) const {
        return sim_->Log().WaitForCount(count, std::chrono::seconds(5));
    }

    test::TempDir dir;
    SettingsStore store{dir.File("Varelo.conf")};
    Settings settings{store};
    test::SimulatedClock clock{1000000, 100};
    PosixSerialDevice pty;
    test::TimeScaledDevice device{pty, 20};
    test::RecordingUserInterface ui;
    CSerialPort serial{device, clock, [this](const std::string&) {
                           return settings.ReadString(setting::DeviceForPort(1));
                       }};
    CLoggerLink port{serial, ui};
    std::unique_ptr<sim::LoggerSim> sim_;
};

}  // namespace varelo
