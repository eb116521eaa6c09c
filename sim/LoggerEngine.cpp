#include "sim/LoggerEngine.h"

#include <span>
#include <utility>

#include "sim/ConfigurationCommands.h"
#include "sim/ConnectionCommands.h"
#include "sim/DownloadCommands.h"
#include "sim/HousekeepingCommands.h"
#include "sim/OnlineCommands.h"
#include "sim/JobCommands.h"
#include "sim/MeasurementCommands.h"

namespace varelo::sim {

LoggerEngine::LoggerEngine(Scenario scenario, FaultSettings faults)
    : scenario_(std::move(scenario)), faults_(std::move(faults)) {
    RegisterConnectionCommands(dispatcher_);
    RegisterConfigurationCommands(dispatcher_);
    RegisterJobCommands(dispatcher_);
    RegisterMeasurementCommands(dispatcher_);
    RegisterDownloadCommands(dispatcher_);
    RegisterHousekeepingCommands(dispatcher_);
    RegisterOnlineCommands(dispatcher_);
}

void LoggerEngine::Register(uint8_t command, CommandHandler handler, size_t dataLength) {
    dispatcher_.Register(command, std::move(handler), dataLength);
}

void LoggerEngine::SetPower(Power power) {
    scenario_.power = power;
    bootstrap_.Reset();
    pending_.reset();
}

std::optional<LoggerEngine::Outcome> LoggerEngine::Receive(uint8_t byte, TimePoint now) {
    if (scenario_.power != Power::On) {
        auto taken = bootstrap_.Receive(byte, scenario_);
        if (!taken) return std::nullopt;
        return Outcome{.receivedAt = now,
                       .received = std::move(taken->received),
                       .send = std::move(taken->send),
                       .note = std::move(taken->note)};
    }
    if (pending_) {
        pending_->outcome.received.push_back(byte);
        pending_->lastByte = now;
        const auto& received = pending_->outcome.received;
        if (received.size() < 1 + pending_->entry->DataLength(std::span(received).subspan(1)))
            return std::nullopt;
        Pending complete = std::move(*pending_);
        pending_.reset();
        return Run(*complete.entry, std::move(complete.outcome));
    }

    Outcome outcome{.receivedAt = now, .received = {byte}};
    if (faults_.CountCommandAndCheckSilent()) {
        outcome.note = "silent";
        return outcome;
    }
    const CommandEntry* entry = dispatcher_.Find(byte);
    if (!entry) {
        outcome.note = "unknown command, ignored";
        return outcome;
    }
    if (entry->TakesData()) {
        pending_ = Pending{entry, std::move(outcome), now};
        return std::nullopt;
    }
    return Run(*entry, std::move(outcome));
}

std::optional<LoggerEngine::TimePoint> LoggerEngine::DataDeadline() const {
    if (!pending_) return std::nullopt;
    return pending_->lastByte + kDataTimeout;
}

std::optional<LoggerEngine::Outcome> LoggerEngine::Expire(TimePoint now) {
    if (!pending_ || now <= pending_->lastByte + kDataTimeout) return std::nullopt;
    Outcome outcome = std::move(pending_->outcome);
    const size_t expected = pending_->entry->DataLength(std::span(outcome.received).subspan(1));
    pending_.reset();
    outcome.note = "data broke off after " + std::to_string(outcome.received.size() - 1) + " of " +
                   std::to_string(expected) + " bytes; command dropped";
    return outcome;
}

LoggerEngine::Outcome LoggerEngine::Run(const CommandEntry& entry, Outcome outcome) {
    const uint8_t command = outcome.received.front();
    CommandContext context{command, scenario_, lastAnswer_ ? &*lastAnswer_ : nullptr,
                           std::span<const uint8_t>(outcome.received).subspan(1)};
    Reply reply = entry.handler(context);
    FaultInjector::Transmission transmission = faults_.Transmit(command, reply);
    // Remembered as generated, so a repeat is intact unless a fault hits the repeat itself.
    if (reply.repeatable && !reply.bytes.empty()) lastAnswer_ = std::move(reply);
    outcome.send = std::move(transmission.bytes);
    outcome.note = std::move(transmission.note);
    return outcome;
}

}  // namespace varelo::sim
