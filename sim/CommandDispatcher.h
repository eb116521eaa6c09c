#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "sim/Scenario.h"

namespace varelo::sim {

// What a handler gives back for one command.
struct Reply {
    std::vector<uint8_t> bytes{};  // empty: the command has no answer
    uint8_t owner = 0;             // the command whose answer this is; faults count per owner
    bool repeatable = false;       // becomes the answer that "x" sends again
    std::string note{};            // what the Logger did besides answering, for the command log
};

// What a handler sees of the Logger while it answers one command.
struct CommandContext {
    uint8_t command;
    Scenario& scenario;
    const Reply* lastAnswer;          // the answer "x" repeats; null before the first
    std::span<const uint8_t> data{};  // the data bytes that came after the command byte
};

using CommandHandler = std::function<Reply(CommandContext&)>;

// The number of data bytes a command takes, from the data bytes received so far; for a
// command whose header says how long its data is.
using DataLengthRule = std::function<size_t(std::span<const uint8_t> received)>;

// A command byte's handler and the number of data bytes the Logger takes after the byte
// before it runs the handler (fixed, or by a rule).
struct CommandEntry {
    CommandHandler handler;
    size_t dataLength = 0;
    DataLengthRule dataLengthRule{};

    size_t DataLength(std::span<const uint8_t> received) const {
        return dataLengthRule ? dataLengthRule(received) : dataLength;
    }
    bool TakesData() const { return dataLength > 0 || dataLengthRule; }
};

// Maps a command byte to its handler; bytes without one are not Logger commands.
class CommandDispatcher {
public:
    // Adds or replaces the handler of a command byte.
    void Register(uint8_t command, CommandHandler handler, size_t dataLength = 0);
    void Register(uint8_t command, CommandHandler handler, DataLengthRule dataLength);
    const CommandEntry* Find(uint8_t command) const;

private:
    std::array<CommandEntry, 256> entries_;
};

}  // namespace varelo::sim
