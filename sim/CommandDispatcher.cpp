#include "sim/CommandDispatcher.h"

#include <utility>

namespace varelo::sim {

void CommandDispatcher::Register(uint8_t command, CommandHandler handler, size_t dataLength) {
    entries_[command] = {std::move(handler), dataLength};
}

void CommandDispatcher::Register(uint8_t command, CommandHandler handler,
                                 DataLengthRule dataLength) {
    entries_[command] = {std::move(handler), 0, std::move(dataLength)};
}

const CommandEntry* CommandDispatcher::Find(uint8_t command) const {
    const CommandEntry& entry = entries_[command];
    return entry.handler ? &entry : nullptr;
}

}  // namespace varelo::sim
