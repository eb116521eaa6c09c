#pragma once

#include <cstdint>
#include <vector>

#include "sim/Scenario.h"

namespace varelo::sim {

class CommandDispatcher;

inline constexpr uint8_t kReadHardware = 'y';
inline constexpr uint8_t kReadClamp = 'b';
inline constexpr uint8_t kReadSoftware = 'k';
inline constexpr uint8_t kReadStatus = 's';
inline constexpr uint8_t kReadMaxNumbers = 'n';

// The configuration family: Hardware, clamp, Software and Status paragraphs, Max Numbers.
void RegisterConfigurationCommands(CommandDispatcher& dispatcher);

// The answers, built from the scenario.
std::vector<uint8_t> HardwareParagraph(const Scenario& scenario);
std::vector<uint8_t> ClampAnswer(const ClampInfo& clamp);
std::vector<uint8_t> SoftwareParagraph(const SoftwareInfo& software);
std::vector<uint8_t> MaxNumbersAnswer(const MaxNumbersInfo& numbers);
// The Status paragraph of a job (0 current, 1 old) with the Logger's clock.
std::vector<uint8_t> StatusParagraph(const Scenario& scenario, uint8_t job,
                                     const SimDateTime& clock);

}  // namespace varelo::sim
