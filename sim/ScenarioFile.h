#pragma once

#include <string>
#include <string_view>

#include "sim/FaultSettings.h"
#include "sim/Scenario.h"

namespace varelo::sim {

// Reads a scenario file (sim/README.md describes its sections). Values the file does not
// name keep what the caller set. An unknown section or key is an error, so a misspelt
// setting cannot go unnoticed.
bool LoadScenarioFile(const std::string& path, Scenario& scenario, FaultSettings& faults,
                      std::string& error);
bool ParseScenarioText(std::string_view text, Scenario& scenario, FaultSettings& faults,
                       std::string& error);

}  // namespace varelo::sim
