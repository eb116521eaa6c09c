#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <thread>

#include "sim/CommandLog.h"
#include "sim/LoggerEngine.h"
#include "sim/PseudoTerminal.h"

namespace varelo::sim {

// A simulated Logger serving on a pseudo-terminal from a thread of its own. The PC side opens
// SlavePath() as its port. Handlers, faults and the log may be used from other threads while
// it serves.
class LoggerSim {
public:
    explicit LoggerSim(Scenario scenario = {}, FaultSettings faults = {});
    ~LoggerSim();
    LoggerSim(const LoggerSim&) = delete;
    LoggerSim& operator=(const LoggerSim&) = delete;

    // Paces the answers as a serial line of that many baud, 8N1, would; 0 (the default)
    // sends them at once. Set before Start.
    void SetBaud(int baud) { baud_ = baud; }

    // Opens the pseudo-terminal and starts serving.
    bool Start(std::string& error);
    // Stops serving and closes the pseudo-terminal; harmless when not started.
    void Stop();
    const std::string& SlavePath() const { return pty_.SlavePath(); }

    // Adds or replaces the handler of a command byte, e.g. a test's own command; the Logger
    // takes dataLength bytes after the command byte before the handler runs.
    void RegisterHandler(uint8_t command, CommandHandler handler, size_t dataLength = 0);
    // The Logger's state as it is now, with what the commands changed (a written job, the
    // selected job).
    Scenario CurrentScenario() const;
    FaultSettings Faults() const;
    // Replaces the fault settings; their counts start from zero again.
    void SetFaults(FaultSettings faults);

    // Switches the Logger on, into its bootstrap mode or off, as a person at the Logger would.
    void SetPower(Power power);

    CommandLog& Log() { return log_; }
    const CommandLog& Log() const { return log_; }

private:
    void Serve();
    // Milliseconds poll may sleep before the pending command's data times out; -1: no limit.
    int PollTimeout();
    void HandleByte(uint8_t byte);
    void ExpirePendingCommand();
    void Finish(LoggerEngine::Outcome outcome);
    // Writes all bytes to the master unless a stop is requested meanwhile.
    void Send(std::span<const uint8_t> bytes);
    void SendPaced(std::span<const uint8_t> bytes);
    // False when a stop is requested before the time.
    bool WaitUntil(std::chrono::steady_clock::time_point time);

    PseudoTerminal pty_;
    mutable std::mutex engineMutex_;
    LoggerEngine engine_;
    CommandLog log_;
    std::thread thread_;
    int stopEvent_ = -1;
    int baud_ = 0;
};

}  // namespace varelo::sim
