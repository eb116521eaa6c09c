#include "sim/LoggerEngine.h"

#include <utility>

#include "sim/ConnectionCommands.h"

namespace varelo::sim {

LoggerEngine::LoggerEngine(Scenario scenario, FaultSettings faults)
    : scenario_(std::move(scenario)), faults_(std::move(faults)) {
    RegisterConnectionCommands(dispatcher_);
}

void LoggerEngine::Register(uint8_t command, CommandHandler handler) {
    dispatcher_.Register(command, std::move(handler));
}

LoggerEngine::Outcome LoggerEngine::Receive(uint8_t command) {
    if (faults_.CountCommandAndCheckSilent())
        return {{}, "silent"};
    const CommandHandler* handler = dispatcher_.Find(command);
    if (!handler)
        return {{}, "unknown command, ignored"};

    CommandContext context{command, scenario_, lastAnswer_ ? &*lastAnswer_ : nullptr};
    Reply reply = (*handler)(context);
    FaultInjector::Transmission transmission = faults_.Transmit(command, reply);
    // Remembered as generated, so a repeat is intact unless a fault hits the repeat itself.
    if (reply.repeatable && !reply.bytes.empty())
        lastAnswer_ = std::move(reply);
    return {std::move(transmission.bytes), std::move(transmission.note)};
}

}  // namespace varelo::sim
