#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "sim/Scenario.h"

namespace varelo::sim {

// What a handler gives back for one command.
struct Reply {
    std::vector<uint8_t> bytes{};  // empty: the command has no answer
    uint8_t owner = 0;             // the command whose answer this is; faults count per owner
    bool repeatable = false;       // becomes the answer that "x" sends again
};

// What a handler sees of the Logger while it answers one command.
struct CommandContext {
    uint8_t command;
    Scenario& scenario;
    const Reply* lastAnswer;  // the answer "x" repeats; null before the first
};

using CommandHandler = std::function<Reply(CommandContext&)>;

// Maps a command byte to its handler; bytes without one are not Logger commands.
class CommandDispatcher {
  public:
    // Adds or replaces the handler of a command byte.
    void Register(uint8_t command, CommandHandler handler);
    const CommandHandler* Find(uint8_t command) const;

  private:
    std::array<CommandHandler, 256> handlers_;
};

}  // namespace varelo::sim
