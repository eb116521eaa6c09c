#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

namespace varelo::sim {

struct LoggedCommand {
    std::chrono::nanoseconds time;  // since the log began, on the monotonic clock
    std::vector<uint8_t> bytes;     // the command byte and any data that came with it
    std::string note;               // what the Logger did with it
};

// Every command the simulated Logger received, in order; optionally also written to a file,
// one line per command. Safe to read from other threads while the Logger serves.
class CommandLog {
  public:
    using SteadyClock = std::chrono::steady_clock;

    CommandLog() : start_(SteadyClock::now()) {}
    ~CommandLog();
    CommandLog(const CommandLog&) = delete;
    CommandLog& operator=(const CommandLog&) = delete;

    // Lines go to the file from now on; it is truncated first.
    bool OpenFile(const std::string& path, std::string& error);
    void Add(SteadyClock::time_point receivedAt, std::vector<uint8_t> bytes, std::string note);

    std::vector<LoggedCommand> Entries() const;
    // The received bytes of all commands, concatenated.
    std::vector<uint8_t> ReceivedBytes() const;
    // Waits until at least count commands were logged; false when the time-out passed first.
    bool WaitForCount(size_t count, std::chrono::milliseconds timeout) const;

    // "    0.104512  78  x  answered 8 bytes"
    static std::string FormatLine(const LoggedCommand& entry);

  private:
    const SteadyClock::time_point start_;
    mutable std::mutex mutex_;
    mutable std::condition_variable added_;
    std::vector<LoggedCommand> entries_;
    std::FILE* file_ = nullptr;
};

}  // namespace varelo::sim
