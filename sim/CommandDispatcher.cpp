#include "sim/CommandDispatcher.h"

#include <utility>

namespace varelo::sim {

void CommandDispatcher::Register(uint8_t command, CommandHandler handler) {
    handlers_[command] = std::move(handler);
}

const CommandHandler* CommandDispatcher::Find(uint8_t command) const {
    const CommandHandler& handler = handlers_[command];
    return handler ? &handler : nullptr;
}

}  // namespace varelo::sim
