#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sim/CommandDispatcher.h"
#include "sim/FaultSettings.h"

namespace varelo::sim {

// Applies the fault settings to the Logger's answers and keeps the counts they depend on.
class FaultInjector {
  public:
    struct Transmission {
        std::vector<uint8_t> bytes;  // what goes on the line
        std::string note;            // what happened to the answer, for the command log
    };

    explicit FaultInjector(FaultSettings settings = {}) : settings_(std::move(settings)) {}

    const FaultSettings& Settings() const { return settings_; }
    // New settings count from zero again.
    void SetSettings(FaultSettings settings);

    // Counts one received command; true once the Logger has fallen silent.
    bool CountCommandAndCheckSilent();
    // The bytes sent for the reply to a received command.
    Transmission Transmit(uint8_t command, const Reply& reply);

  private:
    FaultSettings settings_;
    int commands_ = 0;
    int wakeUps_ = 0;
    int longAnswers_ = 0;
    std::array<int, 256> transmissions_{};
};

}  // namespace varelo::sim
