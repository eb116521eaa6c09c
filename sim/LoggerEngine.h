#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/CommandDispatcher.h"
#include "sim/FaultInjector.h"
#include "sim/Scenario.h"

namespace varelo::sim {

// The Logger without a line: takes one received command byte, lets its handler answer from
// the scenario, applies the faults and says what goes back. Not thread-safe; LoggerSim
// serialises access.
class LoggerEngine {
  public:
    struct Outcome {
        std::vector<uint8_t> send;
        std::string note;  // what the Logger did, for the command log
    };

    explicit LoggerEngine(Scenario scenario = {}, FaultSettings faults = {});

    void Register(uint8_t command, CommandHandler handler);
    Outcome Receive(uint8_t command);

    Scenario& GetScenario() { return scenario_; }
    const FaultSettings& Faults() const { return faults_.Settings(); }
    void SetFaults(FaultSettings faults) { faults_.SetSettings(std::move(faults)); }

  private:
    Scenario scenario_;
    CommandDispatcher dispatcher_;
    FaultInjector faults_;
    std::optional<Reply> lastAnswer_;
};

}  // namespace varelo::sim
