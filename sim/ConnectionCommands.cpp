#include "sim/ConnectionCommands.h"

#include "sim/CommandDispatcher.h"

namespace varelo::sim {

namespace {

// The state answer is not remembered: the PC's retry sends ESC to abandon a lost answer and
// then "x" to get that answer, not the state character, again.
Reply WakeUp(CommandContext& context) {
    // A boot download lasts until the PC wakes the Logger again.
    context.scenario.firmware.bootDownload = false;
    return {.bytes = {context.scenario.state}, .owner = kWakeUp};
}

// The repeat belongs to the original command, so faults on that command hit it too.
Reply Repeat(CommandContext& context) {
    if (!context.lastAnswer) return {.owner = kRepeat};
    return {.bytes = context.lastAnswer->bytes, .owner = context.lastAnswer->owner};
}

// The next connection addresses the current job again, as the PC assumes when it connects.
Reply EndConnection(CommandContext& context) {
    context.scenario.selectedJob = 0;
    context.scenario.read = {};
    return {.owner = kEndConnection};
}

}  // namespace

void RegisterConnectionCommands(CommandDispatcher& dispatcher) {
    dispatcher.Register(kWakeUp, WakeUp);
    dispatcher.Register(kRepeat, Repeat);
    dispatcher.Register(kEndConnection, EndConnection);
}

}  // namespace varelo::sim
