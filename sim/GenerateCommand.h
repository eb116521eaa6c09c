#pragma once

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "sim/GeneratorSettings.h"

namespace varelo::sim {

// The command line of "logger-sim generate".
struct GenerateOptions {
    bool help = false;
    GeneratorSettings settings;
    std::string output;
    // Recording gaps cut into the written file: COUNT intervals left out after the first AFTER.
    std::vector<std::pair<size_t, size_t>> missing;
};

// One generator setting by its option name without "--" (function, intervals, interval, seed,
// system, start, gap), as the command line and a scenario's [Measurement] section give it.
bool ApplyGeneratorSetting(std::string_view key, const std::string& value,
                           GeneratorSettings& settings, std::string& error);

// Arguments after "generate". False with a message for the user on a bad or missing one.
bool ParseGenerateOptions(std::span<const std::string> args, GenerateOptions& options,
                          std::string& error);
std::string GenerateUsage();

// Writes the measurement file; the exit status: 0 written, 1 not written, 2 bad arguments.
int RunGenerateCommand(std::span<const std::string> args);

}  // namespace varelo::sim
