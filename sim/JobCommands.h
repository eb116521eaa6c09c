#pragma once

#include <cstdint>

namespace varelo::sim {

class CommandDispatcher;

inline constexpr uint8_t kSelectJob = 'J';  // + 1 byte: 0 current job, 1 old job
inline constexpr uint8_t kReadJob = 'a';
inline constexpr uint8_t kWriteJob = 'A';  // + the 675 bytes of the job

// Answer to "J": the PC does not look at it.
inline constexpr uint8_t kJobSelected = '+';
inline constexpr uint8_t kJobRefused = 'f';

// The job family: select the job later commands address, read it, write a new one.
void RegisterJobCommands(CommandDispatcher& dispatcher);

}  // namespace varelo::sim
