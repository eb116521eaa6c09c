#pragma once

#include "platform/SerialDevice.h"

namespace varelo {

// A serial device over termios: a real port or a pseudo-terminal.
class PosixSerialDevice final : public SerialDevice {
public:
    PosixSerialDevice() = default;
    ~PosixSerialDevice() override;
    PosixSerialDevice(const PosixSerialDevice&) = delete;
    PosixSerialDevice& operator=(const PosixSerialDevice&) = delete;

    OsError Open(const std::string& path) override;
    void Close() override;
    bool IsOpen() const override { return fd_ >= 0; }

    OsError SetQueueSizes(uint32_t input, uint32_t output) override;
    OsError GetTimeouts(SerialTimeouts& timeouts) override;
    OsError SetTimeouts(const SerialTimeouts& timeouts) override;
    OsError GetLineSettings(SerialLineSettings& settings) override;
    OsError SetLineSettings(const SerialLineSettings& settings) override;

    OsError Read(uint8_t* buffer, size_t count, size_t& received) override;
    OsError Write(const uint8_t* data, size_t count, size_t& written) override;
    OsError ClearErrors(uint32_t& errorFlags, size_t& bytesWaiting) override;

private:
    struct Counters {
        int frame = 0, overrun = 0, parity = 0, brk = 0, bufOverrun = 0;
    };
    bool ReadCounters(Counters& counters) const;

    int fd_ = -1;
    SerialTimeouts timeouts_{};
    Counters lastCounters_{};
};

}  // namespace varelo
