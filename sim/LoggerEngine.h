#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/BootstrapLoader.h"
#include "sim/CommandDispatcher.h"
#include "sim/FaultInjector.h"
#include "sim/Scenario.h"

namespace varelo::sim {

// The Logger without a line: takes the received bytes one by one, collects the data bytes of
// the commands that carry data, lets the command's handler answer from the scenario, applies
// the faults and says what goes back. Time comes from the caller, so nothing here waits. Not
// thread-safe; LoggerSim serialises access.
class LoggerEngine {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    // Longest pause the Logger waits for the next data byte of a command before it drops the
    // command, as the firmware does when a block breaks off.
    static constexpr std::chrono::milliseconds kDataTimeout{1000};

    struct Outcome {
        TimePoint receivedAt{};           // when the command byte came
        std::vector<uint8_t> received{};  // the command byte and its data
        std::vector<uint8_t> send{};
        std::string note{};  // what the Logger did, for the command log
    };

    explicit LoggerEngine(Scenario scenario = {}, FaultSettings faults = {});

    void Register(uint8_t command, CommandHandler handler, size_t dataLength = 0);

    // Takes one received byte. Returns the outcome once a command is complete: at once for a
    // command without data, with its last data byte for one with data. Call Expire before, so
    // that a command whose data broke off is not completed by a later byte.
    std::optional<Outcome> Receive(uint8_t byte, TimePoint now);
    // When the data of the pending command must have come; none when nothing is pending.
    std::optional<TimePoint> DataDeadline() const;
    // Drops the pending command when its deadline has passed; the outcome says so for the log.
    std::optional<Outcome> Expire(TimePoint now);

    Scenario& GetScenario() { return scenario_; }
    const Scenario& GetScenario() const { return scenario_; }
    const FaultSettings& Faults() const { return faults_.Settings(); }
    void SetFaults(FaultSettings faults) { faults_.SetSettings(std::move(faults)); }
    // Switches the Logger on, into its bootstrap mode (silent until the zero byte) or off.
    void SetPower(Power power);

private:
    struct Pending {
        const CommandEntry* entry;
        Outcome outcome;     // received so far
        TimePoint lastByte;  // the deadline runs from here
    };

    Outcome Run(const CommandEntry& entry, Outcome outcome);

    Scenario scenario_;
    CommandDispatcher dispatcher_;
    FaultInjector faults_;
    std::optional<Reply> lastAnswer_;
    std::optional<Pending> pending_;
    BootstrapLoader bootstrap_;
};

}  // namespace varelo::sim
