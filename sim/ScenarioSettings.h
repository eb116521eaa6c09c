#pragma once

#include <string>
#include <string_view>

#include "sim/Scenario.h"

namespace varelo::sim {

enum class SettingResult { Applied, UnknownKey, BadValue };

// The sections of a scenario file that describe the Logger (all but [Faults]).
bool IsLoggerSection(std::string_view section);
// Applies one key of such a section; on BadValue, problem says what is wrong with the value.
SettingResult ApplyLoggerSetting(std::string_view section, std::string_view key,
                                 std::string_view value, Scenario& scenario, std::string& problem);
// What single settings cannot check: the settings that depend on the Logger's family.
bool CheckScenario(const Scenario& scenario, std::string& error);

}  // namespace varelo::sim
