#pragma once

#include <deque>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "platform/SerialDevice.h"

namespace varelo::test {

class SimulatedClock;

// An in-memory serial device. A responder sees every written block and queues the answer;
// reads take what is queued and, when it is too little, let the read time-out pass on the
// simulated clock. Failures and line errors are injected through the public fields.
class FakeSerialDevice : public SerialDevice {
public:
    using Responder = std::function<void(FakeSerialDevice&, std::span<const uint8_t> written)>;

    explicit FakeSerialDevice(SimulatedClock* clock = nullptr) : clock_(clock) {}

    OsError Open(const std::string& path) override;
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    OsError SetQueueSizes(uint32_t, uint32_t) override { return failQueueSizes; }
    OsError GetTimeouts(SerialTimeouts& t) override;
    OsError SetTimeouts(const SerialTimeouts& t) override;
    OsError GetLineSettings(SerialLineSettings& s) override;
    OsError SetLineSettings(const SerialLineSettings& s) override;
    OsError Read(uint8_t* buffer, size_t count, size_t& received) override;
    OsError Write(const uint8_t* data, size_t count, size_t& written) override;
    OsError ClearErrors(uint32_t& errorFlags, size_t& bytesWaiting) override;

    void Queue(std::span<const uint8_t> bytes) {
        input.insert(input.end(), bytes.begin(), bytes.end());
    }
    void Queue(const std::string& bytes) { input.insert(input.end(), bytes.begin(), bytes.end()); }
    // Every byte written, in order.
    std::string WrittenBytes() const;

    Responder responder;
    std::deque<uint8_t> input;
    std::vector<std::vector<uint8_t>> writes;
    std::vector<std::string> openedPaths;
    struct ReadCall {
        size_t count;
        uint32_t timeout;  // the read total constant in force
    };
    std::vector<ReadCall> reads;
    // Time-outs of the reads that asked for count bytes.
    std::vector<uint32_t> ReadTimeouts(size_t count) const;
    int lineSettingsWrites = 0;
    SerialLineSettings lineSettings;
    SerialTimeouts timeouts;
    uint32_t pendingErrorFlags = 0;  // reported by the next ClearErrors after a read
    OsError failOpen, failQueueSizes, failGetTimeouts, failSetTimeouts, failGetLine, failSetLine,
        failRead, failWrite, failClearErrors;
    size_t shortWrite = SIZE_MAX;  // at most this many bytes are written per call

private:
    SimulatedClock* clock_;
    bool open_ = false;
};

}  // namespace varelo::test
