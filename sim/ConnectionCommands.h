#pragma once

#include <cstdint>

namespace varelo::sim {

class CommandDispatcher;

inline constexpr uint8_t kWakeUp = 0x1B;        // ESC: answers the state character
inline constexpr uint8_t kRepeat = 'x';         // sends the last answer again
inline constexpr uint8_t kEndConnection = 'X';  // no answer

// The connection family: wake-up, repeat of the last answer, end of connection.
void RegisterConnectionCommands(CommandDispatcher& dispatcher);

}  // namespace varelo::sim
