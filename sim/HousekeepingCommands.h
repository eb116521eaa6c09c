#pragma once

#include <cstdint>

namespace varelo::sim {

class CommandDispatcher;

inline constexpr uint8_t kStopJob = 'H';           // no answer
inline constexpr uint8_t kWriteDateTime = 'Z';     // + 7 bytes; answers their sum
inline constexpr uint8_t kWriteDesignation = 'K';  // + 20 bytes; answers their XOR

// The housekeeping family: stop the active job, set the clock, set the designation.
void RegisterHousekeepingCommands(CommandDispatcher& dispatcher);

}  // namespace varelo::sim
