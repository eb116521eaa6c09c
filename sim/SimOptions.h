#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "sim/FaultSettings.h"
#include "sim/Scenario.h"

namespace varelo::sim {

// The command line of logger-sim: an optional subcommand (none serves), then options.
struct SimOptions {
    std::string command;  // "serve" when none is given
    bool help = false;
    bool boot = false;       // the Logger waits in its boot program: wake-up answers 'P'
    bool bootstrap = false;  // the processor's bootstrap mode, for the reset wizard
    std::string link;
    std::string scenarioFile;
    std::string logFile;
    std::optional<uint8_t> state;
    std::vector<std::pair<uint8_t, int>> drops;
    std::vector<CorruptRule> corrupts;
    std::optional<int> noise;
    std::optional<int> silentAfter;
    std::optional<int> dropEvery;
    std::vector<std::pair<uint8_t, int>> corruptTestSumEvery;
    int baud = 0;  // 0: answers go out as fast as the pseudo-terminal takes them

    // The command line wins over the scenario file: a drop replaces the file's drop of the
    // same command, corrupt rules are added, the other settings replace the file's.
    void ApplyTo(Scenario& scenario, FaultSettings& faults) const;
};

// Arguments without the program name. False with a message for the user on a bad one.
bool ParseSimOptions(std::span<const std::string> args, SimOptions& options, std::string& error);
std::string SimUsage();

}  // namespace varelo::sim
