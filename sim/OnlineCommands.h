#pragma once

#include <cstdint>

namespace varelo::sim {

class CommandDispatcher;

inline constexpr uint8_t kReadOnline = 'O';

// "O": the values of the second that just ended on the Logger's clock, from a measurement of
// one-second intervals with the scenario's seed and system; the function A layout for
// function A firmware or the newest firmware generation, else function P. No answer while the
// Logger holds no job.
void RegisterOnlineCommands(CommandDispatcher& dispatcher);

}  // namespace varelo::sim
