#pragma once

#include <span>
#include <string>

#include "sim/GeneratorSettings.h"

namespace varelo::sim {

// The command line of "logger-sim generate".
struct GenerateOptions {
    bool help = false;
    GeneratorSettings settings;
    std::string output;
};

// Arguments after "generate". False with a message for the user on a bad or missing one.
bool ParseGenerateOptions(std::span<const std::string> args, GenerateOptions& options,
                          std::string& error);
std::string GenerateUsage();

// Writes the measurement file; the exit status: 0 written, 1 not written, 2 bad arguments.
int RunGenerateCommand(std::span<const std::string> args);

}  // namespace varelo::sim
